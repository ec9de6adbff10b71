#include "analysis/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/record_units.h"
#include "record_io/memory_run.h"

namespace analysis {
namespace {

using record_io::MemoryRun;

struct SimplifiedRead {
  SettingsResult result = SettingsResult::error;
  RunState state;
  MessageTable messages{kSimplifiedMessageCount};
  NumericalControls controls;
};

SimplifiedRead read_simplified(std::string text) {
  MemoryRun run;
  SimplifiedRead out;
  EXPECT_TRUE(run.open_input(kSettingsUnit, std::move(text)));
  out.result =
      read_simplified_settings(run.io, kSettingsUnit, out.state, out.messages, out.controls);
  return out;
}

struct OrdinaryRead {
  SettingsResult result = SettingsResult::error;
  RunState state;
  MessageTable messages{kOrdinaryMessageCount};
};

OrdinaryRead read_ordinary(std::string text) {
  MemoryRun run;
  OrdinaryRead out;
  EXPECT_TRUE(run.open_input(kSettingsUnit, std::move(text)));
  out.result = read_ordinary_settings(run.io, kSettingsUnit, out.state, out.messages);
  return out;
}

// `count` records, record j holding index ((j - 1) mod 42) + 1 and text rj.
std::string numbered_records(int count) {
  std::string text;
  for (int j = 1; j <= count; ++j) {
    std::string index = std::to_string((j - 1) % 42 + 1);
    text += std::string(4 - index.size(), ' ') + index + " r" + std::to_string(j) + "\n";
  }
  return text;
}

TEST(SettingsFileTest, SimplifiedHeaderAndRecords) {
  SimplifiedRead read = read_simplified(
      "1.0e-6 100 5 0 -1 'abc'\n"
      "   3 Choose the slope data file\n"
      "  12Text\n"
      "   7   Label\n"
      "   3 Press Enter to choose the slope data file\n"
      "  42 Last entry   \n"
      "   9 not read: beyond message_count\n");
  ASSERT_EQ(read.result, SettingsResult::ok);
  EXPECT_EQ(read.state.closing_pause, 0);
  EXPECT_EQ(read.state.field_separator, '\t');
  EXPECT_EQ(read.state.line_counter, 6);
  EXPECT_EQ(read.messages.text(3), "Press Enter to choose the slope data file");
  EXPECT_EQ(read.messages.text(12), "ext");  // column 5 is skipped
  EXPECT_EQ(read.messages.text(7), "  Label");
  EXPECT_EQ(read.messages.text(42), "Last entry");
  EXPECT_EQ(read.messages.text(9), "");

  // The controls wait for apply_numerical_controls.
  EXPECT_EQ(read.state.tolerance, 9.999999747378752e-06);
  EXPECT_EQ(read.state.iteration_limit, 50);
  apply_numerical_controls(read.controls, read.state);
  EXPECT_EQ(read.state.tolerance, 1.0e-6);
  EXPECT_EQ(read.state.iteration_limit, 100);
}

TEST(SettingsFileTest, HeaderSpreadOverLinesAndUnreadValues) {
  SimplifiedRead read = read_simplified("1.0e-6 100\n\n 1 1, 44\n x\n   5 Five\n");
  ASSERT_EQ(read.result, SettingsResult::ok);
  EXPECT_EQ(read.state.closing_pause, 1);
  EXPECT_EQ(read.state.field_separator, ',');
  EXPECT_EQ(read.messages.text(5), "Five");

  // Null values and values after a slash are 0, never left over.
  read = read_simplified("-0.5,,0,1,,x\n");
  ASSERT_EQ(read.result, SettingsResult::ok);
  EXPECT_EQ(read.controls.tolerance_value, -0.5);
  EXPECT_EQ(read.controls.iteration_limit_value, 0);
  EXPECT_EQ(read.state.closing_pause, 1);
  EXPECT_EQ(read.state.field_separator, '\0');
  read = read_simplified("0.001 7 /\n   1 not read\n");
  ASSERT_EQ(read.result, SettingsResult::ok);
  EXPECT_EQ(read.controls.iteration_limit_value, 7);
  EXPECT_EQ(read.state.closing_pause, 0);
  EXPECT_EQ(read.messages.text(1), "");
}

TEST(SettingsFileTest, SeparatorCodes) {
  for (const auto& [code, separator] :
       {std::pair{"44", ','}, std::pair{"32", ' '}, std::pair{"300", ','}, std::pair{"-1", '\t'},
        std::pair{"59", ';'}}) {
    OrdinaryRead read = read_ordinary(std::string("0 0 0 ") + code + " x\n");
    ASSERT_EQ(read.result, SettingsResult::ok) << code;
    EXPECT_EQ(read.state.field_separator, separator) << code;
  }
}

TEST(SettingsFileTest, MessageCountLimits) {
  // 50 asked for, 60 present: records 1 to 42 are read, the rest ignored
  // (record 43 would have replaced entry 1).
  SimplifiedRead read = read_simplified("0 0 50 0 -1 x\n" + numbered_records(60));
  ASSERT_EQ(read.result, SettingsResult::ok);
  EXPECT_EQ(read.messages.text(1), "r1");
  EXPECT_EQ(read.messages.text(42), "r42");
  EXPECT_EQ(read.state.line_counter, 43);

  // The ordinary table stops at 40; a record beyond that is not read, so its
  // index 41 is no error.
  OrdinaryRead ordinary = read_ordinary("45 1 1 44 x\n" + numbered_records(41));
  ASSERT_EQ(ordinary.result, SettingsResult::ok);
  EXPECT_EQ(ordinary.messages.text(40), "r40");
  EXPECT_EQ(ordinary.state.pore_force_option, 1);
  EXPECT_EQ(ordinary.state.closing_pause, 1);

  // The file may end before message_count records: no error.
  read = read_simplified("0 0 10 0 -1 x\n   4 Four\n");
  EXPECT_EQ(read.result, SettingsResult::ok);
  EXPECT_EQ(read.messages.text(4), "Four");
  read = read_simplified("0 0 10 0 -1 x\n");
  EXPECT_EQ(read.result, SettingsResult::ok);
  read = read_simplified("0 0 -3 0 -1 x\n   4 Four\n");
  EXPECT_EQ(read.result, SettingsResult::ok);
  EXPECT_EQ(read.messages.text(4), "");
}

TEST(SettingsFileTest, Errors) {
  const std::string header = "1e-5 50 5 0 -1 x\n";
  const struct {
    std::string text;
    std::int32_t line;
  } cases[] = {
      {"", 1},                                     // empty file
      {"1e-5 50 5 0\n", 1},                        // file ends inside the header
      {"1e-5 fifty 5 0 -1 x\n", 1},                // letters in an integer
      {"1e-5 50 5.0 0 -1 x\n", 1},                 // a point in an integer
      {"1e-5x 50 5 0 -1 x\n", 1},                  // a bad real
      {header + "   1 a\n   2 b\n  x3 c\n", 4},    // bad index field, record 3
      {header + "   1 a\n     blank index\n", 3},  // blank index field gives 0
      {header + "   0 zero\n", 2},
      {header + "   1 a\n  43 beyond the table\n", 3},
      {header + "  -1 negative\n", 2},
  };
  for (const auto& c : cases) {
    const SimplifiedRead read = read_simplified(c.text);
    EXPECT_EQ(read.result, SettingsResult::error) << c.text;
    EXPECT_EQ(read.state.line_counter, c.line) << c.text;
  }
  const OrdinaryRead read = read_ordinary("5 0 0 -1 x\n  41 beyond 40\n");
  EXPECT_EQ(read.result, SettingsResult::error);
  EXPECT_EQ(read.state.line_counter, 2);
}

TEST(SettingsFileTest, NumericalControlsTakeEffectOnlyInTheirRange) {
  const struct {
    double value;
    double tolerance;
  } tolerances[] = {
      {0.5, 9.999999747378752e-06},        {-0.001, 0.001}, {-5.0, 5.0}, {0.1, 0.1},
      {0.10000001, 9.999999747378752e-06}, {0.0, 0.0},
  };
  for (const auto& t : tolerances) {
    RunState state;
    apply_numerical_controls({t.value, 0}, state);
    EXPECT_EQ(state.tolerance, t.tolerance) << t.value;
    EXPECT_EQ(state.iteration_limit, 50);
  }
  for (const auto& [value, limit] :
       {std::pair{0, 50}, std::pair{-5, 50}, std::pair{1, 1}, std::pair{7, 7}}) {
    RunState state;
    apply_numerical_controls({0.5, value}, state);
    EXPECT_EQ(state.iteration_limit, limit) << value;
  }
}

}  // namespace
}  // namespace analysis
