#include "programs/hollin/report_command.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/run_program.h"

namespace hollin {
namespace {

using end_to_end::source_file;
using end_to_end::WorkFolder;

// --- the inputs of the programs' own end-to-end tests ------------------------

/// A quarnby settings file with `header` and entries 1 to 42 worded "M01"
/// to "M42".
std::string numbered_settings(std::string_view header) {
  std::string text(header);
  text += '\n';
  for (int k = 1; k <= 42; ++k) {
    const std::string index = std::to_string(k);
    text += std::string(4 - index.size(), ' ') + index + " M" + (k < 10 ? "0" : "") + index + '\n';
  }
  return text;
}

/// A slope data file of the given section lines (ten values each).
std::string slope_data(const std::vector<std::string>& sections) {
  std::string text = "Title one\nTitle two\nnot kept\n9.81 " + std::to_string(sections.size()) +
                     " 0 0 0 0\nnot kept\n";
  for (const auto& section : sections) text += section + " 0 0 0 0 0 0\n";
  return text;
}

const std::vector<std::string> kWorkedExample = {
    "0 10 5 1 1 20 18 10 30 0", "4  9 2 1 1 20 18 10 30 0", "8  6 1 0.5 0.5 20 18 10 30 0"};
const std::vector<std::string> kPoreHead50 = {
    "0 10 5 1 50 20 18 10 30 0", "4  9 2 1 50 20 18 10 30 0", "8  6 1 0.5 0.5 20 18 10 30 0"};
const std::vector<std::string> kSteepToe = {"0 20 20 0 0 20 18 0 30 0", "4 16  8 0 0 20 18 0 30 0",
                                            "8 10  2 0 0 20 18 0 30 0", "9 10  5 0 0 20 18 0 30 0"};

/// The wendmoor test settings with `header` in place of their first line.
std::string wendmoor_settings(std::string_view header) {
  const std::string text = source_file("tests/data/wendmoor/wendmoor.ini");
  return std::string(header) + text.substr(text.find('\n'));
}

struct ReportRun {
  int status = -1;
  std::string report;
  CommandContext context;
};

ReportRun report(const WorkFolder& folder, std::string_view data, std::string_view method,
                 std::string_view settings = "") {
  ReportOptions options;
  options.data = (folder.path() / data).string();
  options.method = method;
  if (!settings.empty()) options.settings = (folder.path() / settings).string();
  options.output = (folder.path() / "results.txt").string();
  ReportRun run;
  run.status = run_report(options, run.context);
  run.report = folder.read("results.txt");
  return run;
}

// --- quarnby's reports -------------------------------------------------------------

TEST(HollinReport, SimplifiedReportsEqualQuarnbysByteForByte) {
  WorkFolder folder;
  folder.write("worked.dat", slope_data(kWorkedExample));
  folder.write("pore-50.dat", slope_data(kPoreHead50));
  folder.write("steep.dat", slope_data(kSteepToe));
  folder.write("plain.ini", numbered_settings("1.0E-5, 50, 42, 0, -1, 'x'"));
  folder.write("comma.ini", numbered_settings("1.0E-5, 50, 42, 0, 44, 'x'"));
  folder.write("pause.ini", numbered_settings("1.0E-5, 50, 42, 1, -1, 'x'"));
  folder.write("one-pass.ini", numbered_settings("0, 1, 42, 1, -1, 'x'"));
  const auto expected = [](std::string_view name) {
    return source_file("tests/expected/quarnby/" + std::string(name));
  };

  // The built-in settings are the shipped English file.
  ReportRun run = report(folder, "worked.dat", "simplified");
  EXPECT_EQ(run.status, kExitSuccess);
  EXPECT_EQ(run.report, expected("worked-example.txt"));
  EXPECT_EQ(run.context.err, "");
  // Another separator from a settings file.
  run = report(folder, "worked.dat", "simplified", "comma.ini");
  EXPECT_EQ(run.report, expected("worked-example-comma.txt"));
  // Stops at a slice: the stopping line comes first, and standard error says so.
  run = report(folder, "steep.dat", "simplified", "plain.ini");
  EXPECT_EQ(run.status, kExitSuccess);
  EXPECT_EQ(run.report, expected("m-factor-stop.txt"));
  EXPECT_NE(run.context.err.find("stopped at slice 3 (m-factor below 0.2)"), std::string::npos);
  run = report(folder, "pore-50.dat", "simplified", "pause.ini");
  EXPECT_EQ(run.report, expected("no-normal-force-stop.txt"));
  // No convergence within the settings' one pass: written, as after an answer of 2.
  run = report(folder, "worked.dat", "simplified", "one-pass.ini");
  EXPECT_EQ(run.status, kExitSuccess);
  EXPECT_EQ(run.report, expected("worked-example-pass-1.txt"));
  EXPECT_NE(run.context.err.find("did not converge in 1 passes"), std::string::npos);
}

// --- wendmoor's reports -------------------------------------------------------------

TEST(HollinReport, OrdinaryReportsEqualWendmoorsByteForByte) {
  WorkFolder folder;
  for (const char* name : {"worked-example.dat", "pore-head-12.dat", "mirrored.dat"}) {
    folder.write(name, source_file("tests/data/wendmoor/" + std::string(name)));
  }
  folder.write("width.ini", wendmoor_settings("40, 0, 0, -1, 'none'"));
  folder.write("length.ini", wendmoor_settings("40, 1, 0, -1, 'none'"));
  const auto expected = [](std::string_view name) {
    return source_file("tests/expected/wendmoor/" + std::string(name));
  };
  struct Case {
    const char* data;
    const char* settings;
    const char* report;
  };
  for (const Case& c :
       {Case{"worked-example.dat", "", "worked-example.txt"},
        Case{"worked-example.dat", "width.ini", "worked-example.txt"},
        Case{"worked-example.dat", "length.ini", "worked-example-pore-option-1.txt"},
        Case{"pore-head-12.dat", "width.ini", "pore-head-12.txt"},
        Case{"pore-head-12.dat", "length.ini", "pore-head-12-pore-option-1.txt"},
        Case{"mirrored.dat", "", "mirrored.txt"}}) {
    const ReportRun run = report(folder, c.data, "ordinary", c.settings);
    EXPECT_EQ(run.status, kExitSuccess) << c.report;
    EXPECT_EQ(run.report, expected(c.report)) << c.report;
  }
}

// --- refusals: nothing written, nothing changed ------------------------------------------

TEST(HollinReport, RefusalsWriteNothingAndChangeNoInput) {
  WorkFolder folder;
  // Ten sections announced, seven given: section 8 would start on line 13.
  std::vector<std::string> seven(7, "0 10 5 1 1 20 18 10 30 0");
  std::string short_file = slope_data(seven);
  short_file.replace(short_file.find("9.81 7"), 6, "9.81 10");
  folder.write("short.dat", short_file);
  ReportRun run = report(folder, "short.dat", "simplified");
  EXPECT_EQ(run.status, kExitRefused);
  EXPECT_EQ(run.context.err, "hollin: " + (folder.path() / "short.dat").string() +
                                 ":13: the programs cannot read this line: a value that is not "
                                 "a number of its kind, or the file ends before the read has "
                                 "all its values\n");
  EXPECT_FALSE(folder.exists("results.txt"));

  // A settings file in the other program's format fails at its header.
  folder.write("worked.dat", slope_data(kWorkedExample));
  folder.write("wendmoor.ini", wendmoor_settings("40, 0, 0, -1, 'none'"));
  run = report(folder, "worked.dat", "simplified", "wendmoor.ini");
  EXPECT_EQ(run.status, kExitRefused);
  EXPECT_NE(run.context.err.find("wendmoor.ini:1: the settings file cannot be read"),
            std::string::npos)
      << run.context.err;

  // The results file may not be the data file, by any name.
  ReportOptions options;
  options.data = (folder.path() / "worked.dat").string();
  options.method = "ordinary";
  options.output = (folder.path() / "." / "worked.dat").string();
  CommandContext context;
  EXPECT_EQ(run_report(options, context), kExitRefused);
  EXPECT_EQ(folder.read("worked.dat"), slope_data(kWorkedExample));
  EXPECT_NE(context.err.find("it is an input of this run"), std::string::npos);

  // A missing data file.
  run = report(folder, "missing.dat", "ordinary");
  EXPECT_EQ(run.status, kExitRefused);
  EXPECT_NE(run.context.err.find("missing.dat: cannot read the slope data file: No such file"),
            std::string::npos)
      << run.context.err;
  EXPECT_FALSE(folder.exists("results.txt"));
}

}  // namespace
}  // namespace hollin
