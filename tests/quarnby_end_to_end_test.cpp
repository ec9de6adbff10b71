// quarnby run end to end: the built program in a temporary folder, its
// console answers piped, whole files compared byte for byte. Each expected
// report is also read back cell by cell and checked against the hand-worked
// figures of the slope it was made from, so that a golden file can never
// silently record a wrong number.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "tests/run_program.h"

namespace end_to_end {
namespace {

constexpr const char* kQuarnby = QUARNBY_PATH;

// --- building the input files ----------------------------------------------

/// Header of a settings file: tolerance, iteration limit, message count,
/// closing pause, separator code, spare text.
constexpr std::string_view kPlainHeader = "1.0E-5, 50, 42, 0, -1, 'x'";

/// A settings file with `header` and the entries 1 to 42 worded "M01" to
/// "M42", so that every console or report line shows which entry it holds.
std::string settings(std::string_view header = kPlainHeader) {
  std::string text(header);
  text += '\n';
  for (int k = 1; k <= 42; ++k) {
    const std::string index = std::to_string(k);
    text += std::string(4 - index.size(), ' ') + index + " M" + (k < 10 ? "0" : "") + index + '\n';
  }
  return text;
}

/// The shipped settings file with its header line replaced by `header`.
std::string shipped_settings(std::string_view header) {
  const std::string shipped = source_file("share/quarnby.ini");
  return std::string(header) + shipped.substr(shipped.find('\n'));
}

/// The header line of a slope data file for `section_count` sections.
std::string data_header(int section_count) {
  return "9.81 " + std::to_string(section_count) + " 0 0 0 0";
}

/// A slope data file: two titles, a text line, `header`, a text line, then
/// one line per section holding its ten values and six spare zeros.
std::string slope_data(std::string_view header, const std::vector<std::string>& sections) {
  std::string text = "Title one\nTitle two\nnot kept\n" + std::string(header) + "\nnot kept\n";
  for (const auto& section : sections) text += section + " 0 0 0 0 0 0\n";
  return text;
}

// x, ground_level, slip_level, lower_height, pore_head, lower_unit_weight,
// upper_unit_weight, cohesion, friction_angle, vertical_load.
const std::vector<std::string> kWorkedExample = {
    "0 10 5 1 1 20 18 10 30 0",
    "4  9 2 1 1 20 18 10 30 0",
    "8  6 1 0.5 0.5 20 18 10 30 0",
};
// The same with pore_head 50 at sections 1 and 2.
const std::vector<std::string> kPoreHead50 = {
    "0 10 5 1 50 20 18 10 30 0",
    "4  9 2 1 50 20 18 10 30 0",
    "8  6 1 0.5 0.5 20 18 10 30 0",
};
// Slice 3 rises steeply towards the toe (base_slope 3).
const std::vector<std::string> kSteepToe = {
    "0 20 20 0 0 20 18 0 30 0",
    "4 16  8 0 0 20 18 0 30 0",
    "8 10  2 0 0 20 18 0 30 0",
    "9 10  5 0 0 20 18 0 30 0",
};

/// Console answers: Enter after message 3, the data file "slope" (.dat
/// added), Enter after message 4, the results file, then `more`.
std::string answers(std::string_view more = "") {
  return "\nslope\n\nresults.txt\n" + std::string(more);
}

// --- what the console shows -------------------------------------------------

const std::string kNotice =
    " quarnby: factor of safety by the simplified method of slices\r\n"
    " Hollin Suite 1.0, slope stability by the method of slices\r\n";
const std::string kDataChoice = " M03\r\nOpen file on TELWORN UNIT 13\r\nFile name: ";
const std::string kResultsChoice = " M04\r\nCreate file on TELWORN UNIT 12\r\nFile name: ";
const std::string kPause = " M32\r\n M36\r\n";

// --- reading a report back --------------------------------------------------

std::vector<std::string> report_lines(std::string_view report) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < report.size();) {
    std::size_t end = report.find("\r\n", at);
    if (end == std::string_view::npos) end = report.size();
    lines.emplace_back(report.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

/// The number in cell `column` of `line`, both counted from 1, the cells
/// split at `separator`; NaN when the cell holds no number.
double cell(const std::vector<std::string>& lines, std::size_t line, std::size_t column,
            char separator) {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  if (line == 0 || line > lines.size()) return kNone;
  std::string_view rest = lines[line - 1];
  for (std::size_t c = 1; c < column; ++c) {
    const std::size_t next = rest.find(separator);
    if (next == std::string_view::npos) return kNone;
    rest.remove_prefix(next + 1);
  }
  rest = rest.substr(0, rest.find(separator));
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  double value = kNone;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  return error == std::errc{} ? value : kNone;
}

/// Checks the cells of `line` from column 1 on against `values`, each to
/// half a unit in its sixth significant digit (the precision of the figures
/// worked by hand).
void expect_cells(const std::vector<std::string>& lines, std::size_t line, char separator,
                  std::initializer_list<double> values) {
  std::size_t column = 1;
  for (const double expected : values) {
    EXPECT_NEAR(cell(lines, line, column, separator), expected,
                5e-6 * std::max(1.0, std::abs(expected)))
        << "line " << line << ", column " << column;
    ++column;
  }
}

/// The hand-worked figures of the three-section worked example (water unit
/// weight 9.81): its section table, the slice table after the simplified
/// iteration has converged, the force sums and the factor 1.39536.
void expect_worked_example_figures(const std::vector<std::string>& lines, char separator) {
  ASSERT_EQ(lines.size(), 15U);  // 2N + 9 lines for N = 3
  expect_cells(lines, 4, separator, {9.81, 3});
  expect_cells(lines, 7, separator, {1, 0, 10, 5, 5, 1, 1});
  expect_cells(lines, 8, separator, {2, 4, 9, 2, 7, 1, 1});
  expect_cells(lines, 9, separator, {3, 8, 6, 1, 5, 0.5, 0.5});
  // Slice 1: width 4, mean height 6, base slope -0.75, weight 440, driving
  // 264; resisting about -258.885 and net about 5.11474 after convergence.
  expect_cells(lines, 12, separator,
               {1, 4, 6, -0.75, 440, 20, 18, 10, 30, 0, 264, -258.885, 5.11474, 1});
  // Slice 2: driving about 106.231, resisting about -257.720, net -151.489.
  expect_cells(lines, 13, separator,
               {2, 4, 6, -0.25, 438, 20, 18, 10, 30, 0, 106.231, -257.720, -151.489, 0.75});
  EXPECT_NEAR(cell(lines, 14, 11, separator), 370.231, 5e-4);   // sum_driving
  EXPECT_NEAR(cell(lines, 14, 12, separator), -516.605, 5e-4);  // sum_resisting
  EXPECT_NEAR(cell(lines, 15, 2, separator), 1.39536, 5e-6);    // factor
}

std::string expected_report(std::string_view name) {
  return source_file("tests/expected/quarnby/" + std::string(name));
}

/// Names of the files a run left in the folder, console captures excluded.
std::vector<std::string> files_in(const WorkFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    if (name.front() != '.') names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// --- reports ----------------------------------------------------------------

TEST(QuarnbyReport, WorkedExampleConvergesToItsHandWorkedFactor) {
  WorkFolder folder;
  folder.write("quarnby.ini", source_file("share/quarnby.ini"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  const RunResult result = folder.run(kQuarnby, answers());
  EXPECT_EQ(result.exit_status, 0);
  // No result on the console: only the two choices.
  EXPECT_EQ(result.console, kNotice +
                                " Press Enter, then choose the slope data file.\r\n"
                                "Open file on TELWORN UNIT 13\r\nFile name: "
                                " Press Enter, then choose or name the results file.\r\n"
                                "Create file on TELWORN UNIT 12\r\nFile name: ");
  const std::string expected = expected_report("worked-example.txt");
  EXPECT_EQ(folder.read("results.txt"), expected);
  expect_worked_example_figures(report_lines(expected), '\t');
}

TEST(QuarnbyReport, SeparatorCode44PutsACommaBetweenValues) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings("1.0E-5, 50, 42, 0, 44, 'x'"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  EXPECT_EQ(folder.run(kQuarnby, answers()).exit_status, 0);
  const std::string expected = expected_report("worked-example-comma.txt");
  EXPECT_EQ(folder.read("results.txt"), expected);
  const auto lines = report_lines(expected);
  // A comma after a number has a blank before it; after a text it has none.
  EXPECT_EQ(lines[2], " M05,M06,");
  EXPECT_EQ(lines[3], "   9.81000000000000 ,  3");
  expect_worked_example_figures(lines, ',');
}

TEST(QuarnbyReport, ExistingLongerResultsFileEndsAfterTheNewReport) {
  WorkFolder folder;
  folder.write("quarnby.ini", source_file("share/quarnby.ini"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  std::string old_content;
  for (int k = 0; k < 100; ++k) old_content += "an old line of an old report\r\n";
  folder.write("results.txt", old_content);
  EXPECT_EQ(folder.run(kQuarnby, answers()).exit_status, 0);
  EXPECT_EQ(folder.read("results.txt"), expected_report("worked-example.txt"));
}

TEST(QuarnbyReport, OneHundredFiftySectionsAreAccepted) {
  // A uniform slope: every slice 2 wide, base slope -0.5, 4 high, no
  // cohesion and no pore water. For identical such slices the simplified
  // method gives tan(phi) / tan(alpha) = 2 tan(30 degrees) at once.
  std::vector<std::string> sections;
  for (int k = 1; k <= 150; ++k) {
    sections.push_back(std::to_string(2 * k) + " " + std::to_string(4 - k) + " " +
                       std::to_string(-k) + " 0 0 20 18 0 30 0");
  }
  WorkFolder folder;
  folder.write("quarnby.ini", settings());
  folder.write("slope.dat", slope_data(data_header(150), sections));
  EXPECT_EQ(folder.run(kQuarnby, answers()).exit_status, 0);
  const std::string expected = expected_report("sections-150.txt");
  EXPECT_EQ(folder.read("results.txt"), expected);

  const auto lines = report_lines(expected);
  ASSERT_EQ(lines.size(), 309U);  // 2N + 9
  expect_cells(lines, 156, '\t', {150, 300, -146, -150, 4, 0, 0});
  for (std::size_t slice = 1; slice <= 149; ++slice) {
    expect_cells(lines, 158 + slice, '\t',
                 {static_cast<double>(slice), 2, 4, -0.5, 144, 20, 18, 0, 30});
  }
  // tan_phi of 30 degrees is about 0.5773502886 with the program's
  // single-precision degree factor.
  EXPECT_NEAR(cell(lines, 309, 2, '\t'), 2 * 0.5773502886, 1e-9);
}

// --- a slice that stops the iteration ----------------------------------------

TEST(QuarnbyInadmissibleSlice, MFactorBelowPoint2StopsAtSlice3) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings());
  folder.write("slope.dat", slope_data(data_header(4), kSteepToe));
  const RunResult result = folder.run(kQuarnby, answers("\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + kResultsChoice + " M37  3\r\nM36");
  const std::string expected = expected_report("m-factor-stop.txt");
  EXPECT_EQ(folder.read("results.txt"), expected);
  const auto lines = report_lines(expected);
  ASSERT_EQ(lines.size(), 18U);  // the warning, then 2N + 9 lines
  EXPECT_EQ(lines[0], " M37  3");
  expect_cells(lines, 16, '\t', {3, 1, 6.5, 3});  // slice 3: base_slope 3
  // The factor covers slices 1 and 2 of pass 1 only: 0.451372.
  EXPECT_NEAR(cell(lines, 18, 2, '\t'), 0.451372, 5e-6);
}

TEST(QuarnbyInadmissibleSlice, PoreHead50LeavesNoNormalForceAtSlice1) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings("1.0E-5, 50, 42, 1, -1, 'x'"));
  folder.write("slope.dat", slope_data(data_header(3), kPoreHead50));
  // The Enter after message 36, then the closing pause.
  const RunResult result = folder.run(kQuarnby, answers("\n\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + kResultsChoice + " M35  1\r\nM36" + kPause);
  const std::string expected = expected_report("no-normal-force-stop.txt");
  EXPECT_EQ(folder.read("results.txt"), expected);
  const auto lines = report_lines(expected);
  ASSERT_EQ(lines.size(), 16U);
  EXPECT_EQ(lines[0], " M35  1");
  EXPECT_EQ(lines[15], " M31\t  0.000000000000000");
  // Pass 1 reached no slice, so the slice rows still hold the first
  // estimate's resisting forces: their sum over sum_driving is 0.246417.
  const double sum_driving = cell(lines, 15, 11, '\t');
  EXPECT_NEAR(sum_driving, 370.231, 5e-4);
  EXPECT_NEAR(std::abs((cell(lines, 13, 12, '\t') + cell(lines, 14, 12, '\t')) / sum_driving),
              0.246417, 5e-6);
}

// --- no convergence ------------------------------------------------------------

TEST(QuarnbyNonConvergence, AnswerBelow2EndsAtOnceAndWritesNothing) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings("0, 1, 42, 1, -1, 'x'"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  // A new results file stays empty; no closing pause although it is asked for.
  RunResult result = folder.run(kQuarnby, answers("1\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + kResultsChoice + " M33\r\n M34\r\n");
  EXPECT_TRUE(folder.exists("results.txt"));
  EXPECT_EQ(folder.read("results.txt"), "");
  // An existing results file keeps its old content.
  folder.write("results.txt", "old report\r\nsecond line\r\n");
  result = folder.run(kQuarnby, answers("-3\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(folder.read("results.txt"), "old report\r\nsecond line\r\n");
}

TEST(QuarnbyNonConvergence, AnswerOf2WritesTheReportOfTheLastPass) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings("0, 1, 42, 1, -1, 'x'"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  // An empty line before the answer is skipped; the last Enter ends the pause.
  const RunResult result = folder.run(kQuarnby, answers("\n2\n\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + kResultsChoice + " M33\r\n M34\r\n" + kPause);
  const std::string expected = expected_report("worked-example-pass-1.txt");
  EXPECT_EQ(folder.read("results.txt"), expected);

  // Pass 1 starts from the first estimate F = 1.35089. Each slice's normal
  // force is n / m with n = -(weight + load) / base_cos + pore pressure x
  // width / base_cos + cohesion_force x base_slope / F, and the m-factors of
  // the pass are 1.32054 and 1.10685.
  const auto lines = report_lines(expected);
  const double tan_phi = 0.5773502886;
  const double first = 1.35089;
  const double cos_2 = 1 / std::sqrt(1.0625);  // base_slope -0.25
  const double n_1 = -440 / 0.8 + 1 * 9.81 * 4 / 0.8 + -50 * -0.75 / first;
  const double n_2 = -438 / cos_2 + 0.75 * 9.81 * 4 / cos_2 + -41.2311 * -0.25 / first;
  EXPECT_NEAR(cell(lines, 12, 12, '\t'), n_1 / 1.32054 * tan_phi - 50, 2e-3);
  EXPECT_NEAR(cell(lines, 13, 12, '\t'), n_2 / 1.10685 * tan_phi - 41.2311, 2e-3);
  EXPECT_NEAR(cell(lines, 15, 2, '\t'), 1.38781, 5e-6);  // factor of pass 1
}

TEST(QuarnbyNonConvergence, WorkedExampleNeedsSixPasses) {
  WorkFolder folder;
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  // Pass 5 still changes the factor by 2.87e-05: five passes do not converge.
  folder.write("quarnby.ini", shipped_settings("1.0E-5, 5, 42, 0, -1, 'x'"));
  RunResult result = folder.run(kQuarnby, answers("1\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_NE(result.console.find("did not converge"), std::string::npos);
  // Pass 6 changes it by 4.75e-06 and converges to the same report as 50.
  folder.write("quarnby.ini", shipped_settings("1.0E-5, 6, 42, 0, -1, 'x'"));
  result = folder.run(kQuarnby, answers());
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console.find("did not converge"), std::string::npos);
  EXPECT_EQ(folder.read("results.txt"), expected_report("worked-example.txt"));
}

TEST(QuarnbyNonConvergence, AnswerThatIsNotAnIntegerEndsWithTheErrorReport) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings("0, 1, 42, 1, -1, 'x'"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  const RunResult result = folder.run(kQuarnby, answers("abc\n"));
  EXPECT_EQ(result.exit_status, 255);
  EXPECT_EQ(result.console, kNotice + kDataChoice + kResultsChoice + " M33\r\n M34\r\n");
  EXPECT_EQ(result.errors,
            "? TELWORN Runtime Error:\r\n"
            "? Illegal character in numeric input\r\n"
            "? READ(UNIT=*,...\r\n");
  EXPECT_EQ(folder.read("results.txt"), "");
}

// --- the slope data file --------------------------------------------------------

TEST(QuarnbyDataFile, MoreThan150SectionsAreRefusedBeforeTheResultsFile) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings());
  // The count is refused before anything after the header is read.
  folder.write("slope.dat", slope_data(data_header(151), {}));
  const RunResult result = folder.run(kQuarnby, answers());
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + " N >  150\r\n");
  EXPECT_EQ(files_in(folder), (std::vector<std::string>{"quarnby.ini", "slope.dat"}));
}

TEST(QuarnbyDataFile, ReadFailuresNameTheLineOfTheFailingRead) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings());
  // Ten sections announced, seven given: section 8 would start on line 13.
  std::vector<std::string> seven(7, "0 10 5 1 1 20 18 10 30 0");
  folder.write("slope.dat", slope_data(data_header(10), seven));
  RunResult result = folder.run(kQuarnby, answers());
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + " M39  13\r\n");
  // A section count that is not an integer spoils the header on line 4.
  folder.write("slope.dat", slope_data("9.81 3.0 0 0 0 0", kWorkedExample));
  result = folder.run(kQuarnby, answers());
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + " M39  4\r\n");
  EXPECT_FALSE(folder.exists("results.txt"));
}

// --- the end of a run -------------------------------------------------------------

TEST(QuarnbyEndSequence, ClosingPauseOnSuccessAndOnFailure) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings("1.0E-5, 50, 42, 1, -1, 'x'"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  RunResult result = folder.run(kQuarnby, answers("\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + kResultsChoice + kPause);
  // The pause really waits for a line: without one the console read fails.
  result = folder.run(kQuarnby, answers());
  EXPECT_EQ(result.exit_status, 255);
  EXPECT_EQ(result.errors,
            "? TELWORN Runtime Error:\r\n"
            "? Attempt to read past end of file\r\n"
            "? READ(UNIT=*,...\r\n");
  // A failure path: a data file that ends in its header.
  folder.write("slope.dat", "Title one\nTitle two\nnot kept\n9.81 3\n");
  result = folder.run(kQuarnby, answers("\n"));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + " M39  4\r\n" + kPause);
  // Closing pause 0 and 2 end both paths at once.
  for (const std::string_view header :
       {"1.0E-5, 50, 42, 0, -1, 'x'", "1.0E-5, 50, 42, 2, -1, 'x'"}) {
    folder.write("quarnby.ini", settings(header));
    result = folder.run(kQuarnby, answers());
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console, kNotice + kDataChoice + " M39  4\r\n");
  }
}

TEST(QuarnbyEndSequence, CancelledResultsFileChoiceWritesNothing) {
  WorkFolder folder;
  folder.write("quarnby.ini", settings("1.0E-5, 50, 42, 1, -1, 'x'"));
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  // An empty name cancels the choice; the last Enter ends the pause.
  const RunResult result = folder.run(kQuarnby, "\nslope\n\n\n\n");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kDataChoice + kResultsChoice + kPause);
  EXPECT_EQ(files_in(folder), (std::vector<std::string>{"quarnby.ini", "slope.dat"}));
}

// --- the settings file ------------------------------------------------------------

TEST(QuarnbySettings, WithoutSettingsFileAsksForOne) {
  WorkFolder folder;
  // Cancelling the choice ends the run with nothing more on the console.
  RunResult result = folder.run(kQuarnby, "\n\n");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console,
            kNotice + " quarnby.ini?\r\nOpen file on TELWORN UNIT 14\r\nFile name: ");
  EXPECT_EQ(result.errors, "");
  // A chosen file serves as the settings file: its message 3 is shown.
  folder.write("elsewhere.ini", settings());
  result = folder.run(kQuarnby, "\nelsewhere.ini\n\n\n");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console,
            kNotice + " quarnby.ini?\r\nOpen file on TELWORN UNIT 14\r\nFile name: " + kDataChoice);
}

TEST(QuarnbySettings, ErrorsNameTheLineAndWaitForEnter) {
  const std::string message_records = "   1 M01\n   2 M02\n   3 M03\n   4 M04\n";
  struct Case {
    std::string settings;
    std::string_view line;
  };
  const std::vector<Case> cases = {
      {"1.0E-5, fifty, 4, 0, -1, 'x'\n" + message_records, "  1"},
      // A header that ends the file before its sixth value.
      {"1.0E-5, 50, 4, 0, -1\n", "  1"},
      {"1.0E-5, 50, 4, 0, -1, 'x'\n   1 M01\n   2 M02\n  x3 M03\n", "  4"},
      // Indexes outside 1 to 42, a blank index field among them.
      {"1.0E-5, 50, 4, 0, -1, 'x'\n   1 M01\n     M00\n", "  3"},
      {"1.0E-5, 50, 4, 0, -1, 'x'\n   1 M01\n   2 M02\n   3 M03\n  43 M43\n", "  5"},
  };
  for (const Case& c : cases) {
    WorkFolder folder;
    folder.write("quarnby.ini", c.settings);
    const RunResult result = folder.run(kQuarnby, "\n");
    EXPECT_EQ(result.exit_status, 0) << c.settings;
    EXPECT_EQ(result.console, kNotice + " quarnby.ini error at line " + std::string(c.line) +
                                  "\r\nPress <return>/<enter> to quit")
        << c.settings;
  }
}

// --- the second language ----------------------------------------------------

/// The message texts of a settings file, by number: columns 6 on of each
/// message line, trailing blanks removed.
std::vector<std::string> message_texts(std::string_view file) {
  std::vector<std::string> texts(43);
  const std::vector<std::string> lines = report_lines([&] {
    std::string crlf;
    for (const char c : file) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
  }());
  for (std::size_t line = 1; line < lines.size(); ++line) {
    if (lines[line].size() < 5) continue;
    const std::size_t k = static_cast<std::size_t>(std::stoi(lines[line].substr(0, 4)));
    std::string text = lines[line].substr(5);
    text.erase(text.find_last_not_of(' ') + 1);
    if (k < texts.size()) texts[k] = text;
  }
  return texts;
}

/// True when `text` is well-formed UTF-8 (no cut or stray sequence).
bool is_utf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || at + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

TEST(SecondLanguage, ShippedSettingsFilesHoldWholeLettersWithinTheirFields) {
  for (const char* name : {"share/quarnby.ini", "share/wendmoor.ini", "share/de/quarnby.ini",
                           "share/de/wendmoor.ini"}) {
    const std::string file = source_file(name);
    EXPECT_TRUE(is_utf8(file)) << name;
    for (std::size_t at = file.find('\n') + 1; at < file.size();) {
      const std::size_t end = file.find('\n', at);
      // The text field ends at column 260, byte 255 of the text: a longer
      // line would lose its end, perhaps inside a letter.
      EXPECT_LE(end - at, 260U) << name << ": " << file.substr(at, end - at);
      at = end + 1;
    }
  }
  // The German files are translated, not transliterated.
  const std::string german = source_file("share/de/quarnby.ini");
  for (const char* spelling : {"ae", "oe", "ue", "Ae", "Oe", "Ue"}) {
    EXPECT_EQ(german.find(spelling), std::string::npos) << spelling;
  }
}

TEST(SecondLanguage, GermanSettingsReachTheConsoleAndTheReportByteForByte) {
  const std::string settings_file = source_file("share/de/quarnby.ini");
  const std::vector<std::string> de = message_texts(settings_file);
  WorkFolder folder;
  folder.write("quarnby.ini", settings_file);
  folder.write("slope.dat", slope_data(data_header(3), kWorkedExample));
  const RunResult result = folder.run(kQuarnby, answers());
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + " " + de[3] +
                                "\r\nOpen file on TELWORN UNIT 13\r\nFile name:  " + de[4] +
                                "\r\nCreate file on TELWORN UNIT 12\r\nFile name: ");
  const std::vector<std::string> german = report_lines(folder.read("results.txt"));
  const std::vector<std::string> english = report_lines(expected_report("worked-example.txt"));
  ASSERT_EQ(german.size(), english.size());
  auto joined = [&](std::size_t first, std::size_t last) {
    std::string line;
    for (std::size_t k = first; k <= last; ++k) line += (k > first ? "\t" : "") + de[k];
    return line;
  };
  EXPECT_EQ(german[2], " " + de[5] + "\t" + de[6] + "\t");
  EXPECT_EQ(german[4], " " + de[7]);
  EXPECT_EQ(german[5], " " + joined(8, 14));
  EXPECT_EQ(german[9], de[15]);
  EXPECT_EQ(german[10], " " + joined(16, 29));
  EXPECT_EQ(german[13],
            " \t\t\t\t\t\t\t\t\t" + de[30] + english[13].substr(english[13].find("\t  ")));
  EXPECT_EQ(german[14], " " + de[31] + english[14].substr(english[14].find('\t')));
  // Every number is where it was in the English report.
  for (const std::size_t line : {0, 1, 3, 6, 7, 8, 11, 12}) EXPECT_EQ(german[line], english[line]);
  EXPECT_NE(german[5].find("H\xC3\xB6he \xC3\xBC"
                           "ber Gleitfl\xC3\xA4"
                           "che"),
            std::string::npos);
}

}  // namespace
}  // namespace end_to_end
