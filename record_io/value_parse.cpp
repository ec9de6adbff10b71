#include "record_io/value_parse.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace record_io {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int digit_value(char c) { return c - '0'; }

// Correct rounding of a decimal to a double never depends on more than 769
// significant digits: a number halfway between two doubles has at most that
// many. Keeping 800 and standing in for every dropped non-zero digit with one
// trailing 1 therefore rounds exactly as the whole number would, while the
// conversion buffer stays a fixed size for values of any length.
constexpr std::size_t kKeptDigits = 800;

// Exponent digits beyond this bound cannot change the outcome (overflow or
// zero), so accumulation stops there instead of wrapping.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// A value 0.ddd x 10^k lies in [10^(k-1), 10^k): above this k it exceeds the
// largest double, below the other it is under half the smallest denormal.
constexpr std::int64_t kHighestScale = 309;
constexpr std::int64_t kLowestScale = -324;

}  // namespace

Failure parse_integer(std::string_view text, std::int32_t& value) {
  if (text.empty()) return Failure::illegal_numeric;
  const bool negative = text[0] == '-';
  std::size_t i = negative || text[0] == '+' ? 1 : 0;
  const std::uint64_t limit = negative ? 2147483648U : 2147483647U;
  std::uint64_t magnitude = 0;
  bool overflow = false;
  // The whole text is checked before overflow is reported, so that "9999999999x"
  // is called illegal like any other text with a stray character.
  for (; i < text.size(); ++i) {
    if (!is_digit(text[i])) return Failure::illegal_numeric;
    if (overflow) continue;
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(digit_value(text[i]));
    overflow = magnitude > limit;
  }
  if (overflow) return Failure::numeric_overflow;
  const auto signed_magnitude = static_cast<std::int64_t>(magnitude);
  value = static_cast<std::int32_t>(negative ? -signed_magnitude : signed_magnitude);
  return Failure::none;
}

Failure parse_real(std::string_view text, double& value) {
  if (text.empty()) return Failure::illegal_numeric;
  const bool negative = text[0] == '-';
  std::size_t i = negative || text[0] == '+' ? 1 : 0;

  // Mantissa: significant digits (leading zeros dropped) and the power of ten
  // that makes the value 0.<digits> x 10^scale.
  char digits[kKeptDigits];
  std::size_t kept = 0;
  bool dropped_nonzero = false;
  bool significant = false;
  bool point = false;
  std::int64_t scale = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      if (point) return Failure::illegal_numeric;
      point = true;
      continue;
    }
    if (!is_digit(c)) break;
    if (!significant) {
      if (c == '0') {
        if (point) --scale;
        continue;
      }
      significant = true;
    }
    if (!point) ++scale;
    if (kept < kKeptDigits) {
      digits[kept++] = c;
    } else if (c != '0') {
      dropped_nonzero = true;
    }
  }

  std::int64_t exponent = 0;
  if (i < text.size()) {
    const char letter = text[i];
    if (letter != 'E' && letter != 'e' && letter != 'D' && letter != 'd') {
      return Failure::illegal_numeric;
    }
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    for (; i < text.size(); ++i) {
      if (!is_digit(text[i])) return Failure::illegal_numeric;
      if (exponent < kExponentCap) exponent = exponent * 10 + digit_value(text[i]);
    }
    if (exponent_negative) exponent = -exponent;
  }

  const double zero = negative ? -0.0 : 0.0;
  if (!significant) {
    value = zero;
    return Failure::none;
  }
  const std::int64_t total_scale = scale + exponent;
  if (total_scale > kHighestScale) return Failure::numeric_overflow;
  if (total_scale < kLowestScale) {
    value = zero;
    return Failure::none;
  }

  // from_chars takes neither a D exponent nor a leading '+', so the value is
  // rewritten as 0.<digits>e<scale> with the sign kept aside.
  char buffer[kKeptDigits + 32];
  std::size_t length = 0;
  buffer[length++] = '0';
  buffer[length++] = '.';
  for (std::size_t d = 0; d < kept; ++d) buffer[length++] = digits[d];
  if (dropped_nonzero) buffer[length++] = '1';
  buffer[length++] = 'e';
  char* const buffer_end = buffer + sizeof buffer;
  const auto written = std::to_chars(buffer + length, buffer_end, total_scale);
  double magnitude = 0.0;
  const auto parsed = std::from_chars(buffer, written.ptr, magnitude);
  if (parsed.ec == std::errc::result_out_of_range) {
    // from_chars reports both ends of the range this way and leaves the value
    // alone: a value of at least 0.1 overflowed, a smaller one rounds to zero.
    if (total_scale > 0) return Failure::numeric_overflow;
    value = zero;
    return Failure::none;
  }
  if (parsed.ec != std::errc{}) return Failure::illegal_numeric;
  value = negative ? -magnitude : magnitude;
  return Failure::none;
}

}  // namespace record_io
