#include "analysis/message_table.h"

#include <gtest/gtest.h>

#include <string>

namespace analysis {
namespace {

TEST(MessageTableTest, EntriesAreTrimmedFixedTextsWithinCapacity) {
  MessageTable table(kOrdinaryMessageCount);
  EXPECT_EQ(table.capacity(), 40);
  EXPECT_EQ(table.text(1), "");  // never supplied
  EXPECT_TRUE(table.store(1, "  Label   "));
  EXPECT_EQ(table.text(1), "  Label");
  EXPECT_TRUE(table.store(1, "Other"));
  EXPECT_EQ(table.text(1), "Other");  // shorter text leaves no remains
  EXPECT_TRUE(table.store(40, std::string(300, 'x')));
  EXPECT_EQ(table.text(40), std::string(255, 'x'));
  EXPECT_TRUE(table.store(2, "     "));
  EXPECT_EQ(table.text(2), "");

  EXPECT_FALSE(table.store(0, "zero"));
  EXPECT_FALSE(table.store(41, "beyond"));
  EXPECT_FALSE(table.store(-1, "negative"));
  EXPECT_EQ(table.text(41), "");
  EXPECT_EQ(table.text(0), "");

  MessageTable full(kSimplifiedMessageCount);
  EXPECT_TRUE(full.store(42, "last"));
  EXPECT_EQ(full.text(42), "last");
  EXPECT_EQ(MessageTable(99).capacity(), 42);
}

}  // namespace
}  // namespace analysis
