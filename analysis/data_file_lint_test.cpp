#include "analysis/data_file_lint.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "analysis/record_units.h"
#include "analysis/slope_data.h"
#include "record_io/memory_run.h"
#include "tests/run_program.h"

namespace analysis {
namespace {

using end_to_end::source_file;

// A file that the programs read without a word, with one of each silent
// fault; every warning names its line.
TEST(DataFileLint, EverySilentFaultOfACraftedFileWithItsLine) {
  const std::string text =
      "Bad example\n"
      "with every silent fault\n"
      "caption\n"
      "9.81 5 0 0 0 0\n"
      "caption\n"
      "0, 10, 5, 1, 1, 20, 18, 10, 30,, 0 0 0 0 0 0\n"  // 6: an empty value
      "4 9 2 1 1 20 18 10 25,5 0 0 0 0 0 0 0\n"         // 7: decimal comma, 17 values
      "4 9 9.5 1 1 20 18 10 30 0 0 0 0 0 0 0\n"         // 8: x repeats, slip above ground
      "2 8 1 9 1 20 18 10 95 0 0 0 0 0 0 0\n"           // 9: x back, lower zone, angle
      "9 6 1 0.5 0.5 20 18 10 30 0 0 0 0 0 0\n"         // 10: 15 values
      "0\n"                                             // 11: the rest of section 5
      "\n"
      "trailing note 1 2\n";  // 13: never read

  // The programs accept it.
  record_io::MemoryRun run;
  ASSERT_TRUE(run.open_input(analysis::kDataUnit, text));
  analysis::SlopeData data;
  std::int32_t line = 0;
  ASSERT_EQ(analysis::read_slope_data(run.io, analysis::kDataUnit, data, line),
            analysis::DataResult::ok);

  const std::vector<std::pair<int, std::string>> expected = {
      {4, "the header says 5 sections; the 1 non-blank lines after line 11 are not read"},
      {6, "an empty value between commas reads as 0"},
      {7,
       "line holds 17 values, 16 expected for section 2 (values after the 16th are "
       "ignored); a decimal comma such as '25,5' splits a value in two"},
      {8, "x repeats the previous section's 4: the slice between them has no width"},
      {8, "the slip surface (9.5) lies above the ground (9)"},
      {9, "x turns back (4 then 2)"},
      {9, "the lower zone (9) is higher than the slice (7)"},
      {9, "the friction angle 95 lies outside 0 to 90 degrees"},
      {10,
       "line holds 15 values, 16 expected for section 5 (the read goes on into the next "
       "line, so what follows is shifted)"},
      {11, "line is taken as the rest of section 5, whose line was short"},
  };
  std::vector<std::pair<int, std::string>> actual;
  for (const LintWarning& warning : lint_data_file(text)) {
    actual.emplace_back(warning.line, warning.what);
  }
  EXPECT_EQ(actual, expected);

  // Too few sections, and a file that ends before the header's count.
  const auto first = [](const std::string& file) {
    const auto warnings = lint_data_file(file);
    return warnings.empty() ? std::string() : warnings.front().what;
  };
  EXPECT_EQ(first("a\nb\nc\n9.81 1 0 0 0 0\nd\n0 1 0 0 0 0 0 0 30 0 0 0 0 0 0 0\n"),
            "the header gives 1 sections: at least two are needed to make a slice");
  EXPECT_EQ(first("a\nb\nc\n9.81 3 0 0 0 0\nd\n0 1 0 0 0 0 0 0 30 0 0 0 0 0 0 0\n"),
            "the header says 3 sections but the file ends after 1");
}

TEST(DataFileLint, TheBundledExamplesGiveNoWarning) {
  for (const char* name : {"examples/worked-example.dat", "examples/embankment.dat",
                           "examples/steep-toe.dat", "tests/data/wendmoor/mirrored.dat"}) {
    EXPECT_TRUE(lint_data_file(source_file(name)).empty()) << name;
  }
}

}  // namespace
}  // namespace analysis
