#include "analysis/slope_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "record_io/memory_run.h"
#include "record_io/text_item.h"

namespace analysis {
namespace {

using record_io::MemoryRun;

struct DataRead {
  DataResult result = DataResult::read_failed;
  SlopeData data;
  std::int32_t line_counter = 0;
};

DataRead read(std::string text) {
  MemoryRun run;
  DataRead out;
  EXPECT_TRUE(run.open_input(kDataUnit, std::move(text)));
  out.result = read_slope_data(run.io, kDataUnit, out.data, out.line_counter);
  return out;
}

std::string header(int count) {
  return "Title one\nTitle two\nfree text\n9.81 " + std::to_string(count) + " 0 0 0 0\ncolumns\n";
}

// `count` section lines of sixteen numbers with x = 0, 1, 2, ...
std::string sections(int count) {
  std::string text;
  for (int k = 0; k < count; ++k) {
    text += std::to_string(k) + " 10 5 1 1 20 18 10 30 0 0 0 0 0 0 0\n";
  }
  return text;
}

std::string title(const std::array<char, kTitleLength>& text) {
  return std::string(record_io::trimmed(text));
}

TEST(SlopeDataTest, ReadsTitlesHeaderAndSections) {
  const DataRead r = read(
      "Worked example\n"
      "Three sections, head to toe\n"
      "x gl sl lh ph luw uuw c phi q\n"
      "9.81, 3, 0, 0, 0, 0\n"
      "units: kN, m\n"
      "0 10 5 1 1 20 18 10 30 0  0 0 0 0 0 0\n"
      "4,9,2,1,1,20,18,10,30,-10,0,0,0,0,0,0, 99\n"
      "8 6 1 0.5 0.5 20 18 10 30 2.5 1 2 3 4 5 6\n"
      "not read\n");
  ASSERT_EQ(r.result, DataResult::ok);
  EXPECT_EQ(title(r.data.title_1), "Worked example");
  EXPECT_EQ(title(r.data.title_2), "Three sections, head to toe");
  EXPECT_EQ(r.data.title_1[kTitleLength - 1], ' ');
  EXPECT_EQ(r.data.water_unit_weight, 9.81);
  EXPECT_EQ(r.data.section_count, 3);
  EXPECT_EQ(r.line_counter, 8);

  const Section& s1 = r.data.section(1);
  EXPECT_EQ(s1.x, 0.0);
  EXPECT_EQ(s1.ground_level, 10.0);
  EXPECT_EQ(s1.friction_angle, 30.0);
  // tan of 30 degrees with the single-precision degree factor: about
  // 0.5773502886, not the 0.5773502692 of the double-precision factor.
  EXPECT_EQ(s1.tan_phi, std::tan(0.5235987901687622));
  EXPECT_NEAR(s1.tan_phi, 0.5773502886, 5e-11);
  EXPECT_EQ(s1.vertical_load, 0.0);
  EXPECT_TRUE(std::signbit(s1.vertical_load));  // held negated: -0

  const Section& s2 = r.data.section(2);
  EXPECT_EQ(s2.x, 4.0);
  EXPECT_EQ(s2.vertical_load, 10.0);  // a downward load of -10 adds weight
  const Section& s3 = r.data.section(3);
  EXPECT_EQ(s3.x, 8.0);  // the 17th number of section 2 was ignored
  EXPECT_EQ(s3.lower_height, 0.5);
  EXPECT_EQ(s3.vertical_load, -2.5);
  EXPECT_EQ(s3.spare[0], 1.0);
  EXPECT_EQ(s3.spare[5], 6.0);
}

TEST(SlopeDataTest, SectionCountLimit) {
  DataRead r = read(header(150) + sections(150));
  ASSERT_EQ(r.result, DataResult::ok);
  EXPECT_EQ(r.data.section(150).x, 149.0);
  EXPECT_EQ(r.line_counter, 155);

  // Checked before line 5, so it fires even when the file ends there.
  r = read("a\nb\nc\n9.81 151 0 0 0 0\n");
  EXPECT_EQ(r.result, DataResult::too_many_sections);
  EXPECT_EQ(r.line_counter, 4);

  // No sections at all: the file may end after line 5.
  r = read("a\nb\nc\n9.81 0 0 0 0 0\nfree\n");
  EXPECT_EQ(r.result, DataResult::ok);
  EXPECT_EQ(r.data.section_count, 0);
}

TEST(SlopeDataTest, NullValuesAndSlashLeaveZero) {
  const DataRead r = read("a\nb\nc\n9.81,,0,0,0,0\nfree\n");  // null section count: 0
  ASSERT_EQ(r.result, DataResult::ok);
  EXPECT_EQ(r.data.section_count, 0);

  const DataRead s = read(header(2) +
                          "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n"
                          "1,,3 /\n");
  ASSERT_EQ(s.result, DataResult::ok);
  const Section& second = s.data.section(2);
  EXPECT_EQ(second.x, 1.0);
  EXPECT_EQ(second.ground_level, 0.0);  // null value
  EXPECT_EQ(second.slip_level, 3.0);
  EXPECT_EQ(second.friction_angle, 0.0);  // after the slash
  EXPECT_EQ(second.tan_phi, 0.0);
  EXPECT_EQ(second.spare[5], 0.0);
}

TEST(SlopeDataTest, FailuresNameTheLineWhereTheReadStarted) {
  const struct {
    std::string text;
    std::int32_t line;
  } cases[] = {
      {"", 1},
      {"only a title\n", 2},
      {"a\nb\n", 3},
      {"a\nb\nc\n", 4},
      {"a\nb\nc\n9.81 x 0 0 0 0\nfree\n", 4},     // malformed header
      {"a\nb\nc\n9.81 10.0 0 0 0 0\nfree\n", 4},  // count is not an integer
      {"a\nb\nc\n9.81 3\nfree text\n", 4},        // header runs into line 5
      {"a\nb\nc\n9.81 3 0 0 0 0\n", 5},           // file ends after header
      {header(10) + sections(7), 13},             // stops after section 7 of 10
      {header(2) + "0 10 5 1 1 20 18 10 30 0 0 0 0 0 0 x\n", 6},
      // 15 numbers: section 1 takes the first number of the next line, and
      // the end of the file is met by the read of section 2, line 7.
      {header(2) + "0 10 5 1 1 20 18 10 30 0 0 0 0 0 0\n" + sections(1), 7},
  };
  for (const auto& c : cases) {
    const DataRead r = read(c.text);
    EXPECT_EQ(r.result, DataResult::read_failed) << c.text;
    EXPECT_EQ(r.line_counter, c.line) << c.text;
  }
}

}  // namespace
}  // namespace analysis
