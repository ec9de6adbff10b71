// Text items: trimming and blank-padded assignment.
#include "record_io/text_item.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace record_io {
namespace {

TEST(TextItem, TrimmedRemovesTrailingBlanksOnly) {
  EXPECT_EQ(trimmed(std::string_view(" a b  ")), " a b");
  EXPECT_EQ(trimmed(std::string_view("   ")), "");
  EXPECT_EQ(trimmed(std::string_view("")), "");
  EXPECT_EQ(trimmed(std::string_view("tab\t ")), "tab\t");
  const std::array<char, 5> item{'a', ' ', 'b', ' ', ' '};
  EXPECT_EQ(trimmed(item), "a b");
  EXPECT_EQ(text_of(item), "a b  ");
}

TEST(TextItem, AssignmentCutsOrPadsWithBlanks) {
  std::array<char, 4> item{};
  assign_text(item, "ab");
  EXPECT_EQ(text_of(item), "ab  ");
  assign_text(item, "abcdef");
  EXPECT_EQ(text_of(item), "abcd");
  assign_text(item, "");
  EXPECT_EQ(text_of(item), "    ");
}

}  // namespace
}  // namespace record_io
