#include "record_io/number_format.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <system_error>

namespace record_io {
namespace {

/// Significant digits shown in the fixed form.
constexpr int kRoundedDigits = 15;
/// Digits of the exponent-form mantissa.
constexpr int kMantissaDigits = 16;
/// Significant digits of the first expansion. Past the 16 digits that the
/// rules look at, nine more make a rounding artefact in the probe a
/// recognisable digit pattern (see probe_undecided).
constexpr int kProbeDigits = 25;
/// Longest exact decimal expansion of a double, in significant digits
/// (reached by the largest subnormal numbers).
constexpr int kMaxExactDigits = 767;
/// Room for the scientific form of kMaxExactDigits digits: digits, point,
/// 'e', sign and three exponent digits.
constexpr std::size_t kExactBufferSize = kMaxExactDigits + 8;

/// A positive value as significant digits: digits[0].digits[1]digits[2]...
/// times ten to the power `exponent`; digits[0] is not '0'.
struct Digits {
  const char* digits;
  int count;
  int exponent;
};

/// The value rounded to kRoundedDigits significant digits, halves away from
/// zero, with its own exponent (one higher than the source's after a carry
/// such as 9.99...95 -> 10.0...0).
struct Rounded {
  char digits[kRoundedDigits];
  int exponent;
  bool rounded_up;
};

/// Writes `magnitude` (positive, finite) correctly rounded to `count`
/// significant digits into [first, last) and returns the digits, which live
/// in that buffer.
Digits expand(double magnitude, int count, char* first, char* last) {
  const auto [end, ec] =
      std::to_chars(first, last, magnitude, std::chars_format::scientific, count - 1);
  assert(ec == std::errc{});
  (void)ec;
  // The text is "d.ddd...e+xx": moving the leading digit onto the point makes
  // the digits contiguous.
  first[1] = first[0];
  const char* const exponent_mark = first + 1 + count;
  assert(*exponent_mark == 'e');
  const char* const exponent_sign = exponent_mark + 1;
  int exponent = 0;
  std::from_chars(exponent_sign + 1, end, exponent);
  if (*exponent_sign == '-') exponent = -exponent;
  return {first + 1, count, exponent};
}

/// An upper bound on the number of significant digits in the exact decimal
/// expansion of `magnitude` (positive, finite), given its decimal exponent or
/// one more. The value is m * 2^q with m odd: for q >= 0 it is an integer of
/// exponent + 1 digits; for q < 0 it has exactly -q digits after the point.
int exact_digit_count(double magnitude, int exponent) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  constexpr int kFractionBits = 52;
  constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << kFractionBits) - 1;
  const int biased_exponent = static_cast<int>(bits >> kFractionBits);
  std::uint64_t significand = bits & kFractionMask;
  int binary_exponent = -1074;  // subnormal numbers
  if (biased_exponent != 0) {
    significand |= std::uint64_t{1} << kFractionBits;
    binary_exponent = biased_exponent - 1075;
  }
  binary_exponent += std::countr_zero(significand);
  return exponent + 1 + std::max(0, -binary_exponent);
}

Rounded round_to_shown_digits(const Digits& value) {
  Rounded rounded{};
  std::copy_n(value.digits, kRoundedDigits, rounded.digits);
  rounded.exponent = value.exponent;
  // With the exact expansion, a 16th digit of 5 or more means the rest is at
  // least half a unit of the 15th digit: halves go away from zero.
  rounded.rounded_up = value.digits[kRoundedDigits] >= '5';
  if (!rounded.rounded_up) return rounded;
  int i = kRoundedDigits - 1;
  for (; i >= 0 && rounded.digits[i] == '9'; --i) rounded.digits[i] = '0';
  if (i >= 0) {
    ++rounded.digits[i];
  } else {
    rounded.digits[0] = '1';
    ++rounded.exponent;
  }
  return rounded;
}

/// Fixed form covers rounded magnitudes from 0.1 up to, not including, 1e15.
bool is_fixed_form(const Rounded& rounded) {
  return rounded.exponent >= -1 && rounded.exponent < kRoundedDigits;
}

bool all_zeros(const char* first, const char* last) {
  return std::all_of(first, last, [](char digit) { return digit == '0'; });
}

/// Whether the correctly rounded probe of kProbeDigits digits may decide
/// differently from the exact expansion. Rounding is monotonic and the
/// thresholds the rules compare against (a half at the 16th digit, a whole
/// 16-digit mantissa) have exact probe representations, so the probe can only
/// mislead when it lands exactly on one: digits 16.. reading 50...0 (a tie
/// for the fixed form, or a rounded-up tail that was really below half) or,
/// for the exponent form, digits 17.. all zero (possibly a carry from a value
/// just below, whose truncated 16 digits end one lower).
bool probe_undecided(const Digits& probe, bool fixed_form) {
  const char* const tail = probe.digits + kMantissaDigits;
  const char* const end = probe.digits + probe.count;
  if (fixed_form) return probe.digits[kRoundedDigits] == '5' && all_zeros(tail, end);
  return all_zeros(tail, end);
}

char* write_fixed_form(const Rounded& rounded, char* out) {
  if (rounded.exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    return std::copy_n(rounded.digits, kRoundedDigits, out);
  }
  const int integer_digits = rounded.exponent + 1;
  out = std::copy_n(rounded.digits, integer_digits, out);
  *out++ = '.';
  return std::copy_n(rounded.digits + integer_digits, kRoundedDigits - integer_digits, out);
}

char* write_exponent_form(const Digits& value, const Rounded& rounded, char* out) {
  // A 16th digit below 5 leaves the first 16 digits as they are; otherwise the
  // mantissa is the 15-digit rounding with a 0 in 16th place.
  const char* const digits = rounded.rounded_up ? rounded.digits : value.digits;
  const int exponent = rounded.rounded_up ? rounded.exponent : value.exponent;
  *out++ = digits[0];
  *out++ = '.';
  out = std::copy_n(digits + 1, kRoundedDigits - 1, out);
  *out++ = rounded.rounded_up ? '0' : value.digits[kMantissaDigits - 1];
  *out++ = 'E';
  *out++ = exponent < 0 ? '-' : '+';
  const int size = exponent < 0 ? -exponent : exponent;  // at most 324
  *out++ = static_cast<char>('0' + size / 100);
  *out++ = static_cast<char>('0' + size / 10 % 10);
  *out++ = static_cast<char>('0' + size % 10);
  return out;
}

/// Writes a positive finite magnitude in fixed or exponent form.
char* write_magnitude(double magnitude, char* out) {
  char probe_buffer[kProbeDigits + 8];
  Digits value = expand(magnitude, kProbeDigits, std::begin(probe_buffer), std::end(probe_buffer));
  Rounded rounded = round_to_shown_digits(value);
  bool fixed_form = is_fixed_form(rounded);
  // Values with an exact expansion of at most kProbeDigits digits (1.0, 0.0625,
  // 1e15) are exact in the probe already; the rest need the whole expansion
  // only in the rare undecided cases.
  char exact_buffer[kExactBufferSize];
  if (probe_undecided(value, fixed_form)) {
    const int exact_count = exact_digit_count(magnitude, value.exponent);
    if (exact_count > kProbeDigits) {
      value = expand(magnitude, exact_count, std::begin(exact_buffer), std::end(exact_buffer));
      rounded = round_to_shown_digits(value);
      fixed_form = is_fixed_form(rounded);
    }
  }
  return fixed_form ? write_fixed_form(rounded, out) : write_exponent_form(value, rounded, out);
}

}  // namespace

void append_integer_item(std::string& record, std::int32_t value) {
  char item[16];
  item[0] = ' ';
  item[1] = value < 0 ? '-' : ' ';
  // Unsigned negation keeps INT32_MIN representable.
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint32_t magnitude = value < 0 ? 0U - bits : bits;
  const auto [end, ec] = std::to_chars(item + 2, std::end(item), magnitude);
  assert(ec == std::errc{});
  (void)ec;
  record.append(item, static_cast<std::size_t>(end - item));
}

void append_real_item(std::string& record, double value) {
  // The longest item is the exponent form: 2 + 22 characters.
  char item[32];
  item[0] = ' ';
  // The sign position follows the sign bit, so a negative zero shows '-'. A
  // not-a-number is not negative, whatever sign bit the hardware gave it
  // (0.0 / 0.0 on x86 sets it), so its sign position stays blank.
  item[1] = std::signbit(value) && !std::isnan(value) ? '-' : ' ';
  char* end = item + 2;
  const double magnitude = std::fabs(value);
  if (std::isnan(magnitude)) {
    end = std::copy_n("NaN", 3, end);
  } else if (std::isinf(magnitude)) {
    end = std::copy_n("INF", 3, end);
  } else if (magnitude == 0.0) {
    end = std::copy_n("0.000000000000000", 17, end);
  } else {
    end = write_magnitude(magnitude, end);
  }
  record.append(item, static_cast<std::size_t>(end - item));
}

}  // namespace record_io
