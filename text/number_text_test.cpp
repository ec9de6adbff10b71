#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace text {
namespace {

using Limits = std::numeric_limits<double>;

/// Values of every size and sign, with halves that sit on a rounding tie and
/// the values that are not finite.
std::vector<double> sample_values() {
  std::vector<double> values = {0.0,  -0.0, 0.5,   1.5,     2.5,   -2.5,     0.125,
                                1e-7, 1e22, 1e300, -0.0001, 2.005, 0.9851988};
  for (const double extreme : {Limits::max(), Limits::infinity(), -Limits::infinity(),
                               Limits::quiet_NaN(), -Limits::quiet_NaN()}) {
    values.push_back(extreme);
  }
  std::mt19937_64 random(20240702);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-8, 12);
  for (int i = 0; i < 2000; ++i) values.push_back(std::ldexp(mantissa(random), exponent(random)));
  return values;
}

// Reports print their timings with printf's "%.3f"; every value, decimals and
// spelling of infinities and NaNs must come out the same.
TEST(NumberText, FixedDecimalsWritesWhatPrintfWrites) {
  for (const double value : sample_values()) {
    for (int decimals = 0; decimals <= 6; ++decimals) {
      char expected[400];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
      EXPECT_EQ(fixed_decimals(value, decimals), expected) << decimals;
    }
  }
}

// The JSON writer's test covers the common forms ("0.1", "-0", "1e-05").
TEST(NumberText, ShortestSpellsLargeAndNonFiniteValuesLikeToChars) {
  EXPECT_EQ(shortest(1.5e300), "1.5e+300");
  EXPECT_EQ(shortest(Limits::infinity()), "inf");
  EXPECT_EQ(shortest(-Limits::infinity()), "-inf");
  EXPECT_EQ(shortest(Limits::quiet_NaN()), "nan");
}

// Labels are printf's decimals without a negative zero, "-" when there is no
// number; the short form reads as the same number with no trailing zeros.
TEST(NumberText, LabelsAreFixedDecimalsWithoutNegativeZero) {
  EXPECT_EQ(fixed_text(0.9851988, 3), "0.985");
  EXPECT_EQ(fixed_text(-0.0001, 3), "0.000");
  EXPECT_EQ(short_text(19.6, 3), "19.6");
  EXPECT_EQ(short_text(20.0, 3), "20");
  EXPECT_EQ(short_text(20.0, 0), "20");
  for (const double value : sample_values()) {
    for (int decimals = 0; decimals <= 6; ++decimals) {
      const std::string label = fixed_text(value, decimals);
      const std::string brief = short_text(value, decimals);
      if (!std::isfinite(value)) {
        EXPECT_EQ(label, "-");
        EXPECT_EQ(brief, "-");
        continue;
      }
      const std::string printed = fixed_decimals(value, decimals);
      const bool zero = std::strtod(printed.c_str(), nullptr) == 0.0;
      EXPECT_EQ(label, zero && printed[0] == '-' ? printed.substr(1) : printed);
      EXPECT_EQ(std::strtod(brief.c_str(), nullptr), std::strtod(label.c_str(), nullptr));
      EXPECT_FALSE(zero && brief[0] == '-') << brief;
      EXPECT_FALSE(brief.find('.') != std::string::npos && brief.back() == '0') << brief;
    }
  }
}

TEST(NumberText, CoordinatesHaveAtMostTwoDecimals) {
  EXPECT_EQ(coordinate_text(12.5), "12.5");
  EXPECT_EQ(coordinate_text(3.0), "3");
  EXPECT_EQ(coordinate_text(-0.25), "-0.25");
  EXPECT_EQ(coordinate_text(0.123456789012345), "0.12");
  EXPECT_EQ(coordinate_text(2.005), "2");  // 2.005 is held as 2.00499999...
  EXPECT_EQ(coordinate_text(-0.001), "0");
  EXPECT_EQ(coordinate_text(1e300), "10000000");
  EXPECT_EQ(coordinate_text(Limits::quiet_NaN()), "0");
}

}  // namespace
}  // namespace text
