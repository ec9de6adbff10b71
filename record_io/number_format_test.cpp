#include "record_io/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ios>
#include <limits>
#include <random>
#include <string>
#include <string_view>

namespace record_io {
namespace {

std::string integer_item(std::int32_t value) {
  std::string record;
  append_integer_item(record, value);
  return record;
}

std::string real_item(double value) {
  std::string record;
  append_real_item(record, value);
  return record;
}

TEST(IntegerItem, SignPositionThenDigits) {
  EXPECT_EQ(integer_item(5), "  5");
  EXPECT_EQ(integer_item(-5), " -5");
  EXPECT_EQ(integer_item(0), "  0");
  EXPECT_EQ(integer_item(150), "  150");
  EXPECT_EQ(integer_item(std::numeric_limits<std::int32_t>::max()), "  2147483647");
  EXPECT_EQ(integer_item(std::numeric_limits<std::int32_t>::min()), " -2147483648");
}

TEST(RealItem, ItemsAppendToTheRecord) {
  std::string record = " ";
  append_integer_item(record, 1);
  append_real_item(record, 1.5);
  append_real_item(record, -2.0);
  EXPECT_EQ(record, "   1  1.50000000000000 -2.00000000000000");
}

TEST(RealItem, FixedFormShowsFifteenSignificantDigits) {
  EXPECT_EQ(real_item(1.0), "  1.00000000000000");
  EXPECT_EQ(real_item(-1.0), " -1.00000000000000");
  EXPECT_EQ(real_item(0.5), "  0.500000000000000");
  EXPECT_EQ(real_item(2.0 / 3), "  0.666666666666667");
  EXPECT_EQ(real_item(123.456), "  123.456000000000");
  EXPECT_EQ(real_item(25.75), "  25.7500000000000");
  EXPECT_EQ(real_item(0.0), "  0.000000000000000");
  EXPECT_EQ(real_item(12345678.9), "  12345678.9000000");
  EXPECT_EQ(real_item(123456789012345.0), "  123456789012345.");
}

TEST(RealItem, ExponentFormKeepsSixteenDigitsOrRoundsAtTheFifteenth) {
  EXPECT_EQ(real_item(0.0025), "  2.500000000000000E-003");
  EXPECT_EQ(real_item(-0.0025), " -2.500000000000000E-003");
  EXPECT_EQ(real_item(1e15), "  1.000000000000000E+015");
  EXPECT_EQ(real_item(1.0 / 15), "  6.666666666666670E-002");
  EXPECT_EQ(real_item(1.0 / 300000), "  3.333333333333333E-006");
  EXPECT_EQ(real_item(1.5e300), "  1.500000000000000E+300");
  EXPECT_EQ(real_item(0.0625), "  6.250000000000000E-002");
  // Exact integers: a 16th digit below 5 stays, 5 or more rounds up.
  EXPECT_EQ(real_item(1e15 + 4), "  1.000000000000004E+015");
  EXPECT_EQ(real_item(1e15 + 5), "  1.000000000000010E+015");
  EXPECT_EQ(real_item(1e15 + 6), "  1.000000000000010E+015");
}

TEST(RealItem, MantissaCarryRaisesTheExponent) {
  EXPECT_EQ(real_item(std::nextafter(1e-4, 0.0)), "  1.000000000000000E-004");
  EXPECT_EQ(real_item(std::nextafter(1e21, 0.0)), "  1.000000000000000E+021");
}

TEST(RealItem, FormFollowsTheRoundedMagnitude) {
  EXPECT_EQ(real_item(0.1), "  0.100000000000000");
  EXPECT_EQ(real_item(0.0999999), "  9.999990000000000E-002");
  // Just below 0.1 but 0.100000000000000 at 15 digits: fixed form.
  EXPECT_EQ(real_item(std::nextafter(0.1, 0.0)), "  0.100000000000000");
  EXPECT_EQ(real_item(0x1.9999999999996p-4), "  0.100000000000000");
  EXPECT_EQ(real_item(0x1.9999999999995p-4), "  9.999999999999993E-002");
  // Just below 1e15 but 1e15 at 15 digits: exponent form.
  EXPECT_EQ(real_item(999999999999999.875), "  1.000000000000000E+015");
  EXPECT_EQ(real_item(999999999999999.5), "  1.000000000000000E+015");
  EXPECT_EQ(real_item(999999999999999.375), "  999999999999999.");
  EXPECT_EQ(real_item(-999999999999999.5), " -1.000000000000000E+015");
}

TEST(RealItem, HalvesRoundAwayFromZero) {
  EXPECT_EQ(real_item(100000000000000.5), "  100000000000001.");
  EXPECT_EQ(real_item(100000000000001.5), "  100000000000002.");
  EXPECT_EQ(real_item(-100000000000000.5), " -100000000000001.");
  EXPECT_EQ(real_item(10000000000000.25), "  10000000000000.3");
  EXPECT_EQ(real_item(10000000000000.75), "  10000000000000.8");
  EXPECT_EQ(real_item(6555.0 / 65536), "  0.100021362304688");
}

// Values a hair off a rounding threshold, closer than 25 significant digits
// resolve: only the exact expansion decides them.
TEST(RealItem, HairBelowAThresholdIsNotTakenForIt) {
  // 0.12500674265878849999999999909...: below the tie, rounds down.
  EXPECT_EQ(real_item(0x1.000388fbfdebbp-3), "  0.125006742658788");
  // 1.56278388545556499999999999977...E-002: 16th digit 4, not 5.
  EXPECT_EQ(real_item(0x1.000be83265fbfp-6), "  1.562783885455564E-002");
  // 1.56255677709111299999999999995...E-002 and
  // 1.26768913372020199999999993446...E+030: truncation keeps the lower digit.
  EXPECT_EQ(real_item(0x1.000261a3adff3p-6), "  1.562556777091112E-002");
  EXPECT_EQ(real_item(0x1.0001fdfc8c917p+100), "  1.267689133720201E+030");
}

TEST(RealItem, ExtremeMagnitudes) {
  EXPECT_EQ(real_item(std::numeric_limits<double>::denorm_min()), "  4.940656458412470E-324");
  EXPECT_EQ(real_item(0x0.fffffffffffffp-1022), "  2.225073858507200E-308");
  EXPECT_EQ(real_item(std::numeric_limits<double>::min()), "  2.225073858507201E-308");
  EXPECT_EQ(real_item(std::numeric_limits<double>::max()), "  1.797693134862320E+308");
  EXPECT_EQ(real_item(-std::numeric_limits<double>::max()), " -1.797693134862320E+308");
}

TEST(RealItem, SignPositionFollowsTheSignBit) {
  const double infinity = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(real_item(-0.0), " -0.000000000000000");
  EXPECT_EQ(real_item(infinity), "  INF");
  EXPECT_EQ(real_item(-infinity), " -INF");
  EXPECT_EQ(real_item(std::copysign(nan, 1.0)), "  NaN");
  EXPECT_EQ(real_item(std::copysign(nan, -1.0)), "  NaN");
}

/// The item by the rules, worked out on glibc's printf, which prints the exact
/// decimal expansion of a double when asked for enough digits (at most 767
/// are significant).
std::string reference_item(double value) {
  std::string item = std::signbit(value) ? " -" : "  ";
  const double magnitude = std::fabs(value);
  if (magnitude == 0.0) return item + "0.000000000000000";
  char text[832];
  std::snprintf(text, sizeof text, "%.800e", magnitude);
  const std::string_view printed(text);
  const std::size_t mark = printed.find('e');
  std::string digits(1, printed[0]);
  digits += printed.substr(2, mark - 2);
  int exponent = 0;
  const std::size_t exponent_start = mark + (printed[mark + 1] == '+' ? 2 : 1);
  std::from_chars(text + exponent_start, text + printed.size(), exponent);

  // Halves away from zero: add five in 16th place, then cut to 15 digits.
  std::string rounded = digits.substr(0, 16);
  int rounded_exponent = exponent;
  int carry = 5;
  for (std::size_t i = rounded.size(); i-- > 0 && carry != 0;) {
    const int sum = rounded[i] - '0' + carry;
    rounded[i] = static_cast<char>('0' + sum % 10);
    carry = sum / 10;
  }
  if (carry != 0) {
    rounded.insert(0, 1, '1');
    ++rounded_exponent;
  }
  rounded.resize(15);

  if (rounded_exponent >= -1 && rounded_exponent <= 14) {
    if (rounded_exponent == -1) return item + "0." + rounded;
    const auto point = static_cast<std::size_t>(rounded_exponent + 1);
    return item + rounded.substr(0, point) + "." + rounded.substr(point);
  }
  const bool round_up = digits[15] >= '5';
  const std::string mantissa = round_up ? rounded + "0" : digits.substr(0, 16);
  const int shown_exponent = round_up ? rounded_exponent : exponent;
  char exponent_text[16];
  std::snprintf(exponent_text, sizeof exponent_text, "E%c%03d", shown_exponent < 0 ? '-' : '+',
                std::abs(shown_exponent));
  return item + mantissa.substr(0, 1) + "." + mantissa.substr(1) + exponent_text;
}

/// A double whose exact value is within |rho| / 2^w of a multiple of
/// 10^(E - 15), E in [-6, 2]: the multiples are the thresholds of both forms,
/// and for |rho| <= 2^(w - 31) the value sits closer to one than 25
/// significant digits can show. The value is m * 2^-a with m * 5^b = rho
/// (mod 2^w), b = 15 - E and w = a - b, so that x * 10^b = N + rho / 2^w.
double near_threshold(std::mt19937_64& generator) {
  const int decimal_exponent = std::uniform_int_distribution<int>(-6, 2)(generator);
  const double log2_of_10 = std::log2(10.0);
  // Keep m * 2^-a, m in [2^52, 2^53), inside [10^E, 10^(E+1)).
  const int a_low = static_cast<int>(std::ceil(53 - (decimal_exponent + 1) * log2_of_10));
  const int a_high = static_cast<int>(std::floor(52 - decimal_exponent * log2_of_10));
  const int a = std::uniform_int_distribution<int>(a_low, a_high)(generator);
  const int b = 15 - decimal_exponent;
  const int w = a - b;
  const std::uint64_t modulus_mask = (std::uint64_t{1} << w) - 1;

  std::uint64_t power_of_5 = 1;
  for (int i = 0; i < b; ++i) power_of_5 *= 5;
  std::uint64_t inverse = power_of_5;  // Newton steps for the inverse mod 2^64
  for (int i = 0; i < 5; ++i) inverse *= 2 - power_of_5 * inverse;

  const auto rho_limit = static_cast<std::int64_t>(std::uint64_t{1} << (w - 31));
  const std::int64_t rho =
      std::uniform_int_distribution<std::int64_t>(-rho_limit, rho_limit)(generator);
  const std::uint64_t residue = (static_cast<std::uint64_t>(rho) * inverse) & modulus_mask;
  const std::uint64_t step = std::uint64_t{1} << w;
  const std::uint64_t k_low = ((std::uint64_t{1} << 52) - residue + step - 1) / step;
  const std::uint64_t k_high = ((std::uint64_t{1} << 53) - 1 - residue) / step;
  const std::uint64_t k = std::uniform_int_distribution<std::uint64_t>(k_low, k_high)(generator);
  return std::ldexp(static_cast<double>(residue + k * step), -a);
}

double random_sample(std::mt19937_64& generator, std::uint64_t index) {
  switch (index % 6) {
    case 0: {  // any bit pattern of a finite double
      double value = 0.0;
      do {
        value = std::bit_cast<double>(generator());
      } while (!std::isfinite(value));
      return value;
    }
    case 1:  // log-uniform over [1e-20, 1e20)
      return std::pow(10.0, std::uniform_real_distribution<double>(-20.0, 20.0)(generator));
    case 2: {  // a few thousand steps of one unit in the last place from a switch point
      constexpr double kSwitchPoints[] = {0.1, 0x1.9999999999996p-4, 1e15, 999999999999999.5};
      const double centre = kSwitchPoints[generator() % 4];
      const std::int64_t steps =
          std::uniform_int_distribution<std::int64_t>(-3000, 3000)(generator);
      return std::bit_cast<double>(std::bit_cast<std::uint64_t>(centre) +
                                   static_cast<std::uint64_t>(steps));
    }
    case 3: {  // short exact expansions: ties and exact decimals
      const std::uint64_t bits =
          generator() >> std::uniform_int_distribution<int>(11, 63)(generator);
      return std::ldexp(static_cast<double>(bits),
                        std::uniform_int_distribution<int>(-70, 70)(generator));
    }
    case 4:
      return near_threshold(generator);
    default: {  // integers and quarters around the upper switch point
      const auto whole = std::uniform_int_distribution<std::int64_t>(
          10'000'000'000'000, 9'000'000'000'000'000)(generator);
      return static_cast<double>(whole) + 0.25 * static_cast<double>(generator() % 4);
    }
  }
}

std::uint64_t sample_count() {
  constexpr std::uint64_t kDefault = 1'000'000;
  const char* setting = std::getenv("NUMBER_FORMAT_SAMPLES");
  if (setting == nullptr) return kDefault;
  std::uint64_t count = 0;
  const std::string_view text(setting);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
  return ec == std::errc{} && end == text.data() + text.size() ? count : kDefault;
}

TEST(RealItemExactness, AgreesWithTheExactExpansion) {
  std::mt19937_64 generator(20240607);
  const std::uint64_t count = sample_count();
  int mismatches = 0;
  for (std::uint64_t i = 0; i < count && mismatches < 10; ++i) {
    double value = random_sample(generator, i);
    if (generator() & 1) value = -value;
    const std::string expected = reference_item(value);
    const std::string actual = real_item(value);
    if (actual != expected) {
      ++mismatches;
      ADD_FAILURE() << "value " << std::hexfloat << value << ": got \"" << actual
                    << "\", expected \"" << expected << '"';
    }
  }
}

}  // namespace
}  // namespace record_io
