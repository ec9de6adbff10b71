#include "record_io/free_format_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace record_io {
namespace {

class VectorFeed final : public RecordFeed {
 public:
  explicit VectorFeed(std::vector<std::string> records, Failure at_end = Failure::end_of_file)
      : records_(std::move(records)), at_end_(at_end) {}
  Failure next_record(std::string_view& record) override {
    if (next_ == records_.size()) return at_end_;
    record = records_[next_++];
    return Failure::none;
  }

 private:
  std::vector<std::string> records_;
  std::size_t next_ = 0;
  Failure at_end_;
};

struct Outcome {
  Failure failure = Failure::none;
  std::string items;
};

// Runs one statement whose items are named by `kinds` (i integer, r real, t text
// of 8 characters), each starting as -1 or "-", the way the statement engine
// does: begin, then items until the first failure. Shows every item afterwards.
Outcome read_statement(FreeFormatReader& reader, RecordFeed& feed, std::string_view kinds) {
  Outcome outcome{reader.begin(feed), {}};
  for (const char kind : kinds) {
    std::int32_t integer = -1;
    double real = -1.0;
    std::array<char, 8> text{'-', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    if (outcome.failure == Failure::none) {
      outcome.failure = kind == 'i'   ? reader.read_integer(integer)
                        : kind == 'r' ? reader.read_real(real)
                                      : reader.read_text(text);
    }
    std::array<char, 32> digits{};
    const auto end = kind == 'i' ? std::to_chars(digits.begin(), digits.end(), integer).ptr
                                 : std::to_chars(digits.begin(), digits.end(), real).ptr;
    if (!outcome.items.empty()) outcome.items += ' ';
    outcome.items += kind == 't' ? "[" + std::string(text.data(), text.size()) + "]"
                                 : std::string(digits.begin(), end);
  }
  return outcome;
}

TEST(FreeFormatReaderTest, Errors) {
  const struct {
    std::vector<std::string> records;
    std::string_view kinds;
    Failure failure;
  } kCases[] = {
      {{}, "", Failure::end_of_file},
      {{"12.5"}, "i", Failure::illegal_numeric},
      {{"10.0"}, "i", Failure::illegal_numeric},
      {{"1.5x"}, "r", Failure::illegal_numeric},
      {{"'12'"}, "i", Failure::illegal_numeric},
      {{"\"1.5\""}, "r", Failure::illegal_numeric},
      {{"2*'a'"}, "ti", Failure::illegal_numeric},
      {{"'ab'cd"}, "t", Failure::illegal_numeric},
      {{"0*5"}, "i", Failure::illegal_numeric},
      {{"99999999999*5"}, "i", Failure::illegal_numeric},
      {{std::string("1\0", 2)}, "i", Failure::illegal_numeric},
      {{"\x01\xff\x7f"}, "r", Failure::illegal_numeric},
      {{"2147483648"}, "i", Failure::numeric_overflow},
      {{"1d400"}, "r", Failure::numeric_overflow},
      {{std::string(1 << 20, '7')}, "i", Failure::numeric_overflow},
      {{"1 2", "", "   "}, "iii", Failure::end_of_file},
      {{"'abc", "def"}, "t", Failure::end_of_file},
      {{"1,"}, "ii", Failure::end_of_file},
  };
  FreeFormatReader reader;
  for (const auto& c : kCases) {
    VectorFeed feed(c.records);
    const std::string first = c.records.empty() ? "" : c.records[0].substr(0, 20);
    EXPECT_EQ(read_statement(reader, feed, c.kinds).failure, c.failure) << first;
  }
}

TEST(FreeFormatReaderTest, Statements) {
  VectorFeed feed({"1.5,,3",
                   "1.5 2 /",
                   "2*4.5 7",
                   ",5",
                   "1,",
                   ",2",
                   "3* 9 /",
                   "2*,6 8",
                   "  1.5 , 2 ,3",
                   "",
                   " \t ",
                   "4\t5",
                   "+,5,1.5d2",
                   "+ 2147483647*8 1",
                   "'it''s' \"a, b\"  plain/x",
                   "'quoted text that is long' cut,3*'z'",
                   "'ab",
                   "",
                   "cd''",
                   "e' x"});
  FreeFormatReader reader;
  auto read = [&](std::string_view kinds) {
    const Outcome outcome = read_statement(reader, feed, kinds);
    EXPECT_EQ(outcome.failure, Failure::none) << kinds;
    return outcome.items;
  };
  EXPECT_EQ(read("rii"), "1.5 -1 3");
  EXPECT_EQ(read("rii"), "1.5 2 -1");
  EXPECT_EQ(read("rri"), "4.5 4.5 7");
  // A leading comma is a null for the first item; a comma ending one record and
  // another starting the next are two commas around a blank: one null between.
  EXPECT_EQ(read("iiiii"), "-1 5 1 -1 2");
  // r* before a separator is r nulls; "2*,6" is two nulls then 6, not three.
  EXPECT_EQ(read("iiiii"), "-1 -1 -1 9 -1");
  EXPECT_EQ(read("iii"), "-1 -1 6");
  // Six values over four records, two of them blank; the rest of the last is ignored.
  EXPECT_EQ(read("rrrrrr"), "1.5 2 3 4 5 0");
  EXPECT_EQ(read("iii"), "0 8 8");
  EXPECT_EQ(read("ttt"), "[it's    ] [a, b    ] [plain   ]");
  EXPECT_EQ(read("tttt"), "[quoted t] [cut     ] [z       ] [z       ]");
  // A quoted text goes on over record ends, which add nothing.
  EXPECT_EQ(read("t"), "[abcd'e  ]");
}

TEST(FreeFormatReaderTest, FailureEndsStatementAndBeginResets) {
  VectorFeed feed({"1.5x 2", "3"});
  FreeFormatReader reader;
  double real = 0.0;
  std::int32_t integer = 0;
  ASSERT_EQ(reader.begin(feed), Failure::none);
  EXPECT_EQ(reader.read_real(real), Failure::illegal_numeric);
  EXPECT_EQ(reader.read_integer(integer), Failure::illegal_numeric);
  ASSERT_EQ(reader.begin(feed), Failure::none);
  EXPECT_EQ(reader.read_integer(integer), Failure::none);
  EXPECT_EQ(integer, 3);
  EXPECT_EQ(reader.begin(feed), Failure::end_of_file);

  VectorFeed broken({"1", ""}, Failure::record_too_long);
  ASSERT_EQ(reader.begin(broken), Failure::none);
  EXPECT_EQ(reader.read_integer(integer), Failure::none);
  EXPECT_EQ(reader.read_integer(integer), Failure::record_too_long);
}

}  // namespace
}  // namespace record_io
