// wendmoor run end to end: the built program in a temporary folder, its
// console answers piped, console transcripts and whole results files compared
// byte for byte. The expected results files are also read back cell by cell
// and checked against the hand calculation of the worked example, so that a
// golden file cannot quietly record a wrong answer.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/run_program.h"

namespace end_to_end {
namespace {

constexpr const char* kWendmoor = WENDMOOR_PATH;

const std::string kNotice =
    " wendmoor: factor of safety by the ordinary method of slices\r\n"
    " Hollin Suite 1.0, slope stability by the method of slices\r\n";
const std::string kAskData =
    " Press Enter, then choose the slope data file.\r\n"
    "Open file on TELWORN UNIT 13\r\nFile name: ";
const std::string kAskResults =
    " Press Enter, then choose or name the results file.\r\n"
    "Create file on TELWORN UNIT 12\r\nFile name: ";
const std::string kClosingPause = " The analysis has ended.\r\n Press Enter to end.\r\n";

std::string data_file(std::string_view name) {
  return source_file("tests/data/wendmoor/" + std::string(name));
}

std::string expected_file(std::string_view name) {
  return source_file("tests/expected/wendmoor/" + std::string(name));
}

/// The test settings file with its header line replaced by `header`
/// (message_count, pore_force_option, closing_pause, separator_code, spare).
std::string settings(std::string_view header) {
  const std::string text = data_file("wendmoor.ini");
  return std::string(header) + text.substr(text.find('\n'));
}

/// A folder holding the settings and the slope data files of these tests.
struct Slope {
  explicit Slope(std::string_view header = "40, 0, 0, -1, 'none'") {
    folder.write("wendmoor.ini", settings(header));
    for (const char* name :
         {"worked-example.dat", "pore-head-12.dat", "mirrored.dat", "header-only.dat"}) {
      folder.write(name, data_file(name));
    }
  }
  /// Answers the dialogue: Enter, the data file, Enter, the results file.
  RunResult run(std::string_view data, std::string_view results = "out.txt") {
    return folder.run(kWendmoor, "\n" + std::string(data) + "\n\n" + std::string(results) + "\n");
  }
  /// Names of the files in the folder that the test did not put there.
  [[nodiscard]] std::set<std::string> new_files() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      const std::string name = entry.path().filename().string();
      if (name[0] != '.' && name != "wendmoor.ini" && entry.path().extension() != ".dat") {
        names.insert(name);
      }
    }
    return names;
  }
  WorkFolder folder;
};

// --- Reading a results file back as numbers ---------------------------------

/// A results file split into lines (without CR LF) and tab-separated cells.
struct Report {
  explicit Report(std::string_view text) {
    while (!text.empty()) {
      const auto end = text.find("\r\n");
      std::string_view line = text.substr(0, end);
      std::vector<std::string> cells;
      for (std::size_t tab; (tab = line.find('\t')) != line.npos; line.remove_prefix(tab + 1)) {
        cells.emplace_back(line.substr(0, tab));
      }
      cells.emplace_back(line);
      lines.push_back(cells);
      text.remove_prefix(end == text.npos ? text.size() : end + 2);
    }
  }
  /// Cell `cell` (from 0) of the report line `line`, numbered from 1 after
  /// the `warnings` warning lines, as a number.
  [[nodiscard]] double number(std::size_t line, std::size_t cell) const {
    // A number cell has blanks in front and, but for the last, one behind.
    const std::string& text = lines.at(warnings + line - 1).at(cell);
    const char* first = text.data() + text.find_first_not_of(' ');
    const char* last = text.data() + text.find_last_not_of(' ') + 1;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    EXPECT_TRUE(error == std::errc() && end == last) << "not a number: '" << text << "'";
    return value;
  }
  /// A slice row of the three-section reports: slices 1 and 2 are lines 12
  /// and 13; columns as in the slice table headings.
  [[nodiscard]] double slice(std::size_t i, std::size_t column) const {
    return number(11 + i, column);
  }
  /// Effective normal force of slice i, recovered from its resisting force:
  /// resisting = -(c * width * sqrt(1 + slope^2)) - tan(phi) * n.
  [[nodiscard]] double normal_force(std::size_t i) const {
    const double cohesion_force = -(slice(i, kCohesion) * slice(i, kWidth) *
                                    std::sqrt(slice(i, kSlope) * slice(i, kSlope) + 1));
    const double tan_phi = std::tan(slice(i, kFriction) * 0.017453293005625408);
    return (cohesion_force - slice(i, kResisting)) / tan_phi;
  }
  [[nodiscard]] double sum_driving() const { return number(14, 10); }
  [[nodiscard]] double sum_resisting() const { return number(14, 11); }
  [[nodiscard]] double factor() const { return number(15, 1); }

  static constexpr std::size_t kWidth = 1, kMeanHeight = 2, kSlope = 3, kWeight = 4, kCohesion = 7,
                               kFriction = 8, kDriving = 10, kResisting = 11, kNet = 12,
                               kPoreHead = 13;
  std::vector<std::vector<std::string>> lines;
  std::size_t warnings = 0;
};

/// A value quoted to a few decimals, with half a unit of its last decimal as
/// tolerance.
struct About {
  // Implicit, so that the checks quote the values as they were worked out.
  About(const char* quoted) : value(std::stod(quoted)) {
    const std::string_view text(quoted);
    const auto point = text.find('.');
    const auto decimals = point == text.npos ? 0 : text.size() - point - 1;
    tolerance = 0.5 * std::pow(10.0, -static_cast<double>(decimals)) + 1e-12;
  }
  double value;
  double tolerance;
};

void expect_about(double actual, About quoted, std::string_view what) {
  EXPECT_NEAR(actual, quoted.value, quoted.tolerance) << what;
}

// The worked example by hand (three sections, water 9.81): both slices 4 wide
// and 6 high, base slopes -0.75 and -0.25, weights 440 and 438, driving forces
// 264 and 106.231, sum_driving 370.231, whatever the pore-force option.
void expect_worked_example_geometry(const Report& report) {
  expect_about(report.slice(1, Report::kWidth), "4", "width 1");
  expect_about(report.slice(2, Report::kWidth), "4", "width 2");
  expect_about(report.slice(1, Report::kMeanHeight), "6", "mean height 1");
  expect_about(report.slice(2, Report::kMeanHeight), "6", "mean height 2");
  expect_about(report.slice(1, Report::kSlope), "-0.75", "base slope 1");
  expect_about(report.slice(2, Report::kSlope), "-0.25", "base slope 2");
  expect_about(report.slice(1, Report::kWeight), "440", "weight 1");
  expect_about(report.slice(2, Report::kWeight), "438", "weight 2");
  expect_about(report.slice(1, Report::kDriving), "264", "driving 1");
  expect_about(report.slice(2, Report::kDriving), "106.231", "driving 2");
  expect_about(report.sum_driving(), "370.231", "sum_driving");
}

// --- Tests ------------------------------------------------------------------

TEST(WendmoorRun, WorkedExampleWithEitherPoreForce) {
  {  // Pore force on the width: the ordinary method's hand calculation gives
     // normal forces 312.76 and 395.492 and F 1.35089.
    Slope slope;
    // An older, longer results file is replaced as a whole.
    slope.folder.write("out.txt", std::string(5000, 'x') + "\r\n");
    const RunResult result = slope.run("worked-example.dat");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console, kNotice + kAskData + kAskResults);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(slope.folder.read("out.txt"), expected_file("worked-example.txt"));

    const Report report(expected_file("worked-example.txt"));
    expect_worked_example_geometry(report);
    expect_about(report.normal_force(1), "312.76", "normal 1");
    expect_about(report.normal_force(2), "395.492", "normal 2");
    expect_about(report.slice(1, Report::kResisting), "-230.572", "resisting 1");
    expect_about(report.slice(2, Report::kResisting), "-269.569", "resisting 2");
    expect_about(report.slice(1, Report::kNet), "33.4279", "net 1");
    expect_about(report.sum_resisting(), "-500.141", "sum_resisting");
    expect_about(report.factor(), "1.35089", "factor");
  }
  {  // Pore force on the base length: 302.95 and 394.587, F 1.33418.
    Slope slope("40, 1, 0, -1, 'none'");
    const RunResult result = slope.run("worked-example.dat");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(slope.folder.read("out.txt"), expected_file("worked-example-pore-option-1.txt"));

    const Report report(expected_file("worked-example-pore-option-1.txt"));
    expect_worked_example_geometry(report);
    expect_about(report.normal_force(1), "302.95", "normal 1");
    expect_about(report.normal_force(2), "394.587", "normal 2");
    expect_about(report.slice(1, Report::kResisting), "-224.908", "resisting 1");
    expect_about(report.slice(2, Report::kResisting), "-269.046", "resisting 2");
    expect_about(report.slice(1, Report::kNet), "39.0917", "net 1");
    expect_about(report.slice(2, Report::kNet), "-162.815", "net 2");
    expect_about(report.sum_resisting(), "-493.954", "sum_resisting");
    expect_about(report.factor(), "1.33418", "factor");
  }
}

TEST(WendmoorRun, SliceWithoutPositiveNormalForceGetsWarningLineFirst) {
  const std::string warning =
      " Warning: no positive effective normal force at the base of slice  "
      "1\r\n";
  {  // Pore head 12 at sections 1 and 2 by hand: slice 1 keeps only its
     // cohesion (-50, net 214); slice 2 has mean head 6.25, n 179.672,
     // resisting -144.965; sum_resisting -194.965, F 0.526604.
    Slope slope;
    const RunResult result = slope.run("pore-head-12.dat");
    EXPECT_EQ(result.console, kNotice + kAskData + kAskResults);
    const std::string written = slope.folder.read("out.txt");
    EXPECT_EQ(written, expected_file("pore-head-12.txt"));
    EXPECT_EQ(written.substr(0, warning.size()), warning);

    Report report(expected_file("pore-head-12.txt"));
    report.warnings = 1;
    expect_worked_example_geometry(report);
    expect_about(report.slice(1, Report::kResisting), "-50", "resisting 1");
    expect_about(report.slice(1, Report::kNet), "214", "net 1");
    expect_about(report.slice(2, Report::kPoreHead), "6.25", "pore head 2");
    expect_about(report.normal_force(2), "179.672", "normal 2");
    expect_about(report.slice(2, Report::kResisting), "-144.965", "resisting 2");
    expect_about(report.sum_resisting(), "-194.965", "sum_resisting");
    expect_about(report.factor(), "0.526604", "factor");
  }
  {  // The same with the pore force on the base length: F 0.514834.
    Slope slope("40, 1, 0, -1, 'none'");
    slope.run("pore-head-12.dat");
    const std::string written = slope.folder.read("out.txt");
    EXPECT_EQ(written, expected_file("pore-head-12-pore-option-1.txt"));
    EXPECT_EQ(written.substr(0, warning.size()), warning);

    Report report(expected_file("pore-head-12-pore-option-1.txt"));
    report.warnings = 1;
    expect_about(report.slice(1, Report::kResisting), "-50", "resisting 1");
    expect_about(report.factor(), "0.514834", "factor");
  }
}

// Regression: a signed width made every weight of a slope given at decreasing
// x negative and reported F 0.246417 for the worked example's 1.35089.
TEST(WendmoorRun, MirroredSlopeGivesTheSameSlicesAsIncreasingX) {
  Slope slope;
  const RunResult result = slope.run("mirrored.dat");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(slope.folder.read("out.txt"), expected_file("mirrored.txt"));

  const Report mirrored(expected_file("mirrored.txt"));
  const Report increasing(expected_file("worked-example.txt"));
  ASSERT_EQ(mirrored.lines.size(), increasing.lines.size());
  expect_worked_example_geometry(mirrored);
  expect_about(mirrored.factor(), "1.35089", "factor");
  // Lines 1 and 2 are the titles; the x column (cell 1) of the section rows
  // 7 to 9 is mirrored; everything else is the same text.
  for (std::size_t line = 3; line <= mirrored.lines.size(); ++line) {
    for (std::size_t cell = 0; cell < mirrored.lines[line - 1].size(); ++cell) {
      if (line >= 7 && line <= 9 && cell == 1) {
        EXPECT_EQ(mirrored.number(line, 1), 8.0 - increasing.number(line, 1));
      } else {
        EXPECT_EQ(mirrored.lines[line - 1][cell], increasing.lines[line - 1][cell])
            << "line " << line << " cell " << cell;
      }
    }
  }
}

TEST(WendmoorSettings, MessageRecordsBeyondFortyAreNotRead) {
  // A 41st message record that could not be read as one.
  const std::string bad_record = "   x not a record\n";
  Slope slope;
  slope.folder.write("wendmoor.ini", settings("45, 0, 0, -1, 'none'") + bad_record);
  const RunResult result = slope.run("worked-example.dat");
  EXPECT_EQ(result.console, kNotice + kAskData + kAskResults);
  EXPECT_EQ(slope.folder.read("out.txt"), expected_file("worked-example.txt"));

  // The same bad record as the 40th is read, and reported by its line.
  std::string fortieth = settings("40, 0, 0, -1, 'none'");
  fortieth = fortieth.substr(0, fortieth.rfind("  40 ")) + bad_record;
  slope.folder.write("wendmoor.ini", fortieth);
  const RunResult refused = slope.run("worked-example.dat", "refused.txt");
  EXPECT_EQ(refused.exit_status, 0);
  EXPECT_EQ(refused.console, kNotice +
                                 " wendmoor.ini error at line   41\r\n"
                                 "Press <return>/<enter> to quit");
  EXPECT_FALSE(slope.folder.exists("refused.txt"));
}

TEST(WendmoorRun, DataFileFailuresEndBeforeTheResultsFileIsAsked) {
  {  // Line 5 is read like every other line: its absence is reported.
    Slope slope;
    const RunResult result = slope.run("header-only.dat");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console, kNotice + kAskData + " Error in the slope data file at line  5\r\n");
    EXPECT_EQ(slope.new_files(), std::set<std::string>{});
  }
  {  // 151 complete sections: refused at the header.
    Slope slope;
    std::string data = "Too many sections\n\n\n9.81 151 0 0 0 0\n\n";
    for (int k = 0; k < 151; ++k) {
      data += std::to_string(k) + " 10 5 1 1 20 18 10 30 0 0 0 0 0 0 0\n";
    }
    slope.folder.write("many.dat", data);
    const RunResult result = slope.run("many.dat");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console, kNotice + kAskData + " N >  150\r\n");
    EXPECT_EQ(slope.new_files(), std::set<std::string>{});
  }
}

TEST(WendmoorRun, ClosingPauseEndsEveryRunPastTheSettings) {
  Slope slope("40, 0, 1, -1, 'none'");
  // Cancelling the data file choice (an empty name), then Enter at the end.
  const RunResult cancelled = slope.folder.run(kWendmoor, "\n\n\n");
  EXPECT_EQ(cancelled.exit_status, 0);
  EXPECT_EQ(cancelled.console, kNotice + kAskData + kClosingPause);
  EXPECT_EQ(cancelled.errors, "");

  const RunResult done = slope.folder.run(kWendmoor, "\nworked-example.dat\n\nout.txt\n\n");
  EXPECT_EQ(done.exit_status, 0);
  EXPECT_EQ(done.console, kNotice + kAskData + kAskResults + kClosingPause);
  EXPECT_EQ(slope.folder.read("out.txt"), expected_file("worked-example.txt"));
}

TEST(WendmoorRun, AnswersAtTheFileNamePrompts) {
  {  // A missing data file is asked for again; names without extension
     // get ".dat".
    Slope slope;
    const RunResult result = slope.folder.run(kWendmoor, "\nmissing.dat\nworked-example\n\nout\n");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console,
              kNotice + kAskData + "File not found: missing.dat\r\nFile name: " + kAskResults);
    EXPECT_EQ(slope.folder.read("out.dat"), expected_file("worked-example.txt"));
  }
  {  // Cancelling the results file choice: nothing is written anywhere.
    Slope slope;
    const RunResult result = slope.run("worked-example.dat", "");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console, kNotice + kAskData + kAskResults);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(slope.new_files(), std::set<std::string>{});
  }
}

}  // namespace
}  // namespace end_to_end
