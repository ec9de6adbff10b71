#include "record_io/fixed_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

namespace record_io {
namespace {

using Text8 = std::array<char, 8>;

std::string str(const Text8& text) { return std::string(text.data(), text.size()); }

TEST(FixedLayoutTest, LayoutA) {
  Text8 item{};
  read_layout_a("a, b\tc", item);
  EXPECT_EQ(str(item), "a, b\tc  ");
  read_layout_a("longer than eight", item);
  EXPECT_EQ(str(item), "longer t");
  read_layout_a("", item);
  EXPECT_EQ(str(item), "        ");
}

TEST(FixedLayoutTest, IndexAndText) {
  // Record, index, text: column 5 is skipped, a comma ends the field early.
  const std::tuple<std::string_view, std::int32_t, std::string_view> kCases[] = {
      {"  12Text", 12, "ext     "},  {"   7   Label", 7, "  Label "},
      {"  -3 x", -3, "x       "},    {"+ 4  Abc", 4, "Abc     "},
      {"12,xHello", 12, "Hello   "}, {",,rest", 0, "rest    "},
      {"     Blank", 0, "Blank   "}, {"   -", 0, "        "},
      {"1 2 ", 12, "        "},      {" 9", 9, "        "},
      {"", 0, "        "},           {"9999xCut text", 9999, "Cut text"},
  };
  for (const auto& [record, expected_index, expected_text] : kCases) {
    std::int32_t index = -1;
    Text8 text{};
    EXPECT_EQ(read_layout_i4_1x_a(record, index, text), Failure::none) << record;
    EXPECT_EQ(index, expected_index) << record;
    EXPECT_EQ(str(text), expected_text) << record;
  }
}

TEST(FixedLayoutTest, IndexErrors) {
  const std::string_view kRejected[] = {
      "ab  x", "1-2 x", "12.5", "1 +2", "--1 x", "\t12 x", std::string_view("1\0", 2), "0x1 x"};
  for (const std::string_view record : kRejected) {
    std::int32_t index = -1;
    Text8 text{'k', 'e', 'e', 'p', ' ', ' ', ' ', ' '};
    EXPECT_EQ(read_layout_i4_1x_a(record, index, text), Failure::illegal_numeric) << record;
    EXPECT_EQ(index, -1) << record;
    EXPECT_EQ(str(text), "keep    ") << record;
  }
}

}  // namespace
}  // namespace record_io
