#include "record_io/value_parse.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <utility>

namespace record_io {
namespace {

std::int32_t integer_of(std::string_view text) {
  std::int32_t value = -99;
  EXPECT_EQ(parse_integer(text, value), Failure::none) << text;
  return value;
}

double real_of(std::string_view text) {
  double value = -99.0;
  EXPECT_EQ(parse_real(text, value), Failure::none) << text;
  return value;
}

// Reference conversion for long inputs: from_chars on the whole text.
double from_chars_of(const std::string& text) {
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Checks that `parse` rejects `text` with `failure` and leaves the value alone.
template <typename Number>
void expect_rejected(Failure (*parse)(std::string_view, Number&), const std::string& text,
                     Failure failure) {
  Number value = 5;
  EXPECT_EQ(parse(text, value), failure) << text;
  EXPECT_EQ(value, 5) << text;
}

TEST(ValueParseTest, IntegerRule) {
  EXPECT_EQ(integer_of("0"), 0);
  EXPECT_EQ(integer_of("+7"), 7);
  EXPECT_EQ(integer_of("-42"), -42);
  EXPECT_EQ(integer_of("007"), 7);
  EXPECT_EQ(integer_of("+"), 0);
  EXPECT_EQ(integer_of("-"), 0);
  EXPECT_EQ(integer_of("2147483647"), 2147483647);
  EXPECT_EQ(integer_of("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(integer_of(std::string(10000, '0') + "12"), 12);
}

TEST(ValueParseTest, IntegerErrors) {
  const std::string kIllegal[] = {"",   "12.5", "10.0", "1e3", "0x10",         "abc",
                                  " 1", "1+",   "++1",  "1 2", "99999999999x", {"1\0", 2}};
  const std::string kOverflow[] = {"2147483648", "-2147483649", "4294967297",
                                   std::string(10000, '9')};
  for (const std::string& text : kIllegal)
    expect_rejected(parse_integer, text, Failure::illegal_numeric);
  for (const std::string& text : kOverflow)
    expect_rejected(parse_integer, text, Failure::numeric_overflow);
}

TEST(ValueParseTest, RealRuleAndMissingParts) {
  EXPECT_EQ(real_of("1.5"), 1.5);
  EXPECT_EQ(real_of("5"), 5.0);
  EXPECT_EQ(real_of("5."), 5.0);
  EXPECT_EQ(real_of("-.5"), -0.5);
  EXPECT_EQ(real_of("1e3"), 1000.0);
  EXPECT_EQ(real_of("1E+3"), 1000.0);
  EXPECT_EQ(real_of("1.5d2"), 150.0);
  EXPECT_EQ(real_of("1.5D2"), 150.0);
  EXPECT_EQ(real_of("+2.5d-1"), 0.25);
  EXPECT_EQ(real_of("1.5e"), 1.5);
  EXPECT_EQ(real_of("1.5d+"), 1.5);
  EXPECT_EQ(real_of("e5"), 0.0);
  EXPECT_EQ(real_of("."), 0.0);
  EXPECT_EQ(real_of("+"), 0.0);
  EXPECT_TRUE(std::signbit(real_of("-")));
  EXPECT_FALSE(std::signbit(real_of("+.e7")));
  EXPECT_EQ(real_of("0e999999999999"), 0.0);
}

TEST(ValueParseTest, RealIsCorrectlyRounded) {
  EXPECT_EQ(real_of("0.1"), 0.1);
  EXPECT_EQ(real_of("2.2250738585072011e-308"), 2.2250738585072011e-308);
  EXPECT_EQ(real_of("1.7976931348623157D308"), std::numeric_limits<double>::max());
  // 1 + 2^-53 lies halfway between 1 and the next double: ties go to even,
  // and one non-zero digit 10,000 places later tips it up.
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  const std::string padded = halfway + std::string(10000, '0');
  EXPECT_EQ(real_of(padded), 1.0);
  EXPECT_EQ(real_of(padded + "1"), std::nextafter(1.0, 2.0));
  EXPECT_EQ(real_of(padded + "1d0"), std::nextafter(1.0, 2.0));
  std::string long_digits;
  for (int i = 0; i < 10000; ++i) long_digits.push_back(static_cast<char>('1' + i % 9));
  EXPECT_EQ(real_of(long_digits + "d-9990"), from_chars_of(long_digits + "e-9990"));
  EXPECT_EQ(real_of("0." + std::string(10000, '0') + "25e10001"), 2.5);
}

TEST(ValueParseTest, RealRangeEnds) {
  EXPECT_EQ(real_of("4.9e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(real_of("2.4703282292062328e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(real_of("1e-320"), 1e-320);
  EXPECT_EQ(real_of("2.4703282292062327e-324"), 0.0);
  EXPECT_EQ(real_of("1d-400"), 0.0);
  EXPECT_TRUE(std::signbit(real_of("-1e-400")));
  EXPECT_TRUE(std::signbit(real_of("-1e-99999999999999999999")));
}

TEST(ValueParseTest, RealErrors) {
  const std::string kIllegal[] = {"",      "abc", "1.5x",  "1..2", "1.2.3",   "1e5.5",
                                  "1e+-5", "--1", "1+",    "1,5",  " 1",      "0x1p3",
                                  "inf",   "nan", "1e5e5", "1d 2", {"1\0", 2}};
  const std::string kOverflow[] = {"1e309", "-1.8d308", "1.7976931348623159e308",
                                   "1e99999999999999999999", std::string(400, '9')};
  for (const std::string& text : kIllegal)
    expect_rejected(parse_real, text, Failure::illegal_numeric);
  for (const std::string& text : kOverflow)
    expect_rejected(parse_real, text, Failure::numeric_overflow);
}

}  // namespace
}  // namespace record_io
