// wendmoor-cli run end to end: the built program in a temporary folder with a
// job file, its console input piped, console transcripts, exit statuses and
// whole results files compared byte for byte. The expected results files are
// those of wendmoor's tests (checked there against the hand calculation): the
// batch program must write the very same files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "tests/run_program.h"

namespace end_to_end {
namespace {

constexpr const char* kCli = WENDMOOR_CLI_PATH;
constexpr const char* kCliRelocated = WENDMOOR_CLI_RELOCATED_PATH;

const std::string kNotice =
    " wendmoor-cli: factor of safety by the ordinary method of slices\r\n"
    " Hollin Suite 1.0, slope stability by the method of slices\r\n";
const std::string kClosingPause = " The analysis has ended.\r\n Press Enter to end.\r\n";
const std::string kJobPrompt =
    " jobs.txt?  Type the name of the job file (in quotes if it holds "
    "blanks):\r\n";
constexpr std::size_t kNameLength = 1795;

std::string data_file(std::string_view name) {
  return source_file("tests/data/wendmoor/" + std::string(name));
}

std::string expected_file(std::string_view name) {
  return source_file("tests/expected/wendmoor/" + std::string(name));
}

/// The test settings file (message 1 "jobs.txt") with its header line
/// replaced and the texts of some messages changed.
std::string settings(std::string_view header,
                     std::initializer_list<std::pair<int, std::string_view>> messages = {}) {
  std::string text = data_file("wendmoor.ini");
  text = std::string(header) + text.substr(text.find('\n'));
  for (const auto& [k, message] : messages) {
    char index[8];
    std::snprintf(index, sizeof index, "\n%4d ", k);
    const auto start = text.find(index) + 6;
    text.replace(start, text.find('\n', start) - start, message);
  }
  return text;
}

/// A job file: the count, then a data and a results name per analysis.
std::string jobs(std::string_view count,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> pairs) {
  std::string text = std::string(count) + "\n";
  for (const auto& [data, results] : pairs) {
    text += std::string(data) + "\n" + std::string(results) + "\n";
  }
  return text;
}

/// A name as the program holds it: padded with blanks to 1795 characters.
std::string padded(std::string_view name) {
  return std::string(name) + std::string(kNameLength - name.size(), ' ');
}

/// A folder with the settings and the slope data files of the tests.
struct Batch {
  explicit Batch(std::string_view header = "40, 0, 0, -1, 'none'") {
    folder.write("wendmoor.ini", settings(header));
    for (const char* name : {"worked-example.dat", "pore-head-12.dat", "mirrored.dat",
                             "header-only.dat", "bad-header.dat"}) {
      folder.write(name, data_file(name));
    }
  }
  RunResult run(std::string_view job_file, std::string_view console = "") {
    folder.write("jobs.txt", job_file);
    return folder.run(kCli, console);
  }
  WorkFolder folder;
};

/// The settings file in the relocated program's fixed installation folder,
/// removed again with the object. Only one test may use that folder.
class InstalledSettings {
 public:
  InstalledSettings() { std::filesystem::create_directories(path_.parent_path()); }
  ~InstalledSettings() { remove(); }
  InstalledSettings(const InstalledSettings&) = delete;
  InstalledSettings& operator=(const InstalledSettings&) = delete;
  void write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
  void remove() const {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }

 private:
  std::filesystem::path path_ = std::filesystem::path(RELOCATED_SETTINGS_DIR) / "wendmoor.ini";
};

// --- Tests ------------------------------------------------------------------

TEST(WendmoorCliSettings, SearchOrderWorkingFolderInstalledSibling) {
  // Each place names itself in message 32, shown by the closing pause. The
  // program runs in the subfolder "run", so the sibling place is
  // "../Wendmoor/wendmoor.ini" from there.
  const auto from = [](std::string_view place) {
    return settings("40, 0, 1, -1, 'none'", {{32, place}});
  };
  WorkFolder folder;
  folder.write("run/worked-example.dat", data_file("worked-example.dat"));
  folder.write("run/jobs.txt", jobs("1", {{"worked-example.dat", "out.txt"}}));
  InstalledSettings installed;
  installed.remove();
  const auto ends_with = [&](std::string_view place) {
    const RunResult result = folder.run(kCliRelocated, "\n", "run");
    EXPECT_EQ(result.exit_status, 0) << place;
    EXPECT_EQ(result.console,
              kNotice + " " + std::string(place) + "\r\n" + " Press Enter to end.\r\n");
  };

  const RunResult nowhere = folder.run(kCliRelocated, "\n", "run");
  EXPECT_EQ(nowhere.exit_status, 1);
  EXPECT_EQ(nowhere.console, kNotice + " wendmoor.ini?\r\nPress <return>/<enter> to quit");
  EXPECT_FALSE(folder.exists("run/out.txt"));

  folder.write("Wendmoor/wendmoor.ini", from("sibling"));
  ends_with("sibling");
  installed.write(from("installed"));
  ends_with("installed");
  folder.write("run/wendmoor.ini", from("working folder"));
  ends_with("working folder");
  EXPECT_EQ(folder.read("run/out.txt"), expected_file("worked-example.txt"));

  // The installed place alone, and the working folder without the sibling.
  std::filesystem::remove(folder.path() / "Wendmoor/wendmoor.ini");
  std::filesystem::remove(folder.path() / "run/wendmoor.ini");
  ends_with("installed");
  folder.write("run/wendmoor.ini", from("working folder"));
  ends_with("working folder");
}

TEST(WendmoorCliRun, SlopeFilesOfWendmoorGiveTheSameResultsFiles) {
  const auto job_file = jobs("3", {{"worked-example.dat", "worked.txt"},
                                   {"pore-head-12.dat", "pore.txt"},
                                   {"mirrored.dat", "mirrored.txt"}});
  {
    Batch batch;
    const RunResult result = batch.run(job_file);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console, kNotice);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(batch.folder.read("worked.txt"), expected_file("worked-example.txt"));
    EXPECT_EQ(batch.folder.read("pore.txt"), expected_file("pore-head-12.txt"));
    EXPECT_EQ(batch.folder.read("mirrored.txt"), expected_file("mirrored.txt"));
  }
  {
    Batch batch("40, 1, 1, -1, 'none'");
    const RunResult result = batch.run(job_file, "\n");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.console, kNotice + kClosingPause);
    EXPECT_EQ(batch.folder.read("worked.txt"), expected_file("worked-example-pore-option-1.txt"));
    EXPECT_EQ(batch.folder.read("pore.txt"), expected_file("pore-head-12-pore-option-1.txt"));
  }
}

TEST(WendmoorCliRun, JobCountBelowOneRunsOneAnalysis) {
  for (const char* count : {"0", "-3"}) {
    Batch batch;
    const RunResult result = batch.run(
        jobs(count, {{"worked-example.dat", "first.txt"}, {"worked-example.dat", "second.txt"}}));
    EXPECT_EQ(result.exit_status, 0) << count;
    EXPECT_EQ(result.console, kNotice) << count;
    EXPECT_EQ(batch.folder.read("first.txt"), expected_file("worked-example.txt"));
    EXPECT_FALSE(batch.folder.exists("second.txt")) << count;
  }
}

TEST(WendmoorCliRun, FileThatDoesNotOpenIsNamedPaddedAndStopsTheBatch) {
  {  // A missing data file: no results file, analysis 2 not run.
    Batch batch("40, 0, 1, -1, 'none'");
    const RunResult result = batch.run(
        jobs("2", {{"missing.dat", "first.txt"}, {"worked-example.dat", "second.txt"}}), "\n");
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.console,
              kNotice + " Cannot open the file " + padded("missing.dat") + "\r\n" + kClosingPause);
    EXPECT_FALSE(batch.folder.exists("first.txt"));
    EXPECT_FALSE(batch.folder.exists("second.txt"));
  }
  {  // A blank line for the results file name: the data file is read first.
    Batch batch;
    const RunResult result = batch.run("1\nworked-example.dat\n\n");
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.console, kNotice + " Cannot open the file " + padded("") + "\r\n");
  }
  {  // A results file in a folder that does not exist.
    Batch batch;
    const RunResult result = batch.run(jobs("1", {{"worked-example.dat", "no-folder/out.txt"}}));
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.console,
              kNotice + " Cannot open the file " + padded("no-folder/out.txt") + "\r\n");
  }
}

TEST(WendmoorCliRun, JobFileTooShortForItsCount) {
  Batch batch;
  const RunResult result = batch.run("2\nworked-example.dat\nfirst.txt\nworked-example.dat\n");
  EXPECT_EQ(result.exit_status, 1);
  // Message 34, message 1 and the line that could not be read.
  EXPECT_EQ(result.console, kNotice + " Cannot read the job file jobs.txt   5\r\n");
  EXPECT_EQ(batch.folder.read("first.txt"), expected_file("worked-example.txt"));

  const RunResult no_count = batch.run("two\n");
  EXPECT_EQ(no_count.exit_status, 1);
  EXPECT_EQ(no_count.console, kNotice + " Cannot read the job file jobs.txt   1\r\n");
}

TEST(WendmoorCliRun, DataFileFailureInAnalysisTwoStopsTheBatch) {
  // The line is that of the data file (a bad header is line 4), not the
  // job-file line 5 that was read last.
  const std::pair<const char*, std::string> cases[] = {
      {"bad-header.dat", " Error in the slope data file at line  4\r\n"},
      {"header-only.dat", " Error in the slope data file at line  5\r\n"},
      {"many.dat", " N >  150\r\n"}};
  for (const auto& [name, line] : cases) {
    Batch batch;
    batch.folder.write("many.dat", "Header only, with too many sections\n\n\n9.81 151 0 0 0 0\n");
    const RunResult result = batch.run(jobs("3", {{"worked-example.dat", "first.txt"},
                                                  {name, "second.txt"},
                                                  {"worked-example.dat", "third.txt"}}));
    EXPECT_EQ(result.exit_status, 1) << name;
    EXPECT_EQ(result.console, kNotice + line);
    EXPECT_EQ(batch.folder.read("first.txt"), expected_file("worked-example.txt"));
    EXPECT_FALSE(batch.folder.exists("second.txt")) << name;
    EXPECT_FALSE(batch.folder.exists("third.txt")) << name;
  }
}

TEST(WendmoorCliRun, FailedResultsWriteStopsWithStatusOne) {
  Batch batch;
  const RunResult result = batch.run(
      jobs("2", {{"worked-example.dat", "/dev/full"}, {"worked-example.dat", "second.txt"}}));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.console, kNotice + " The results file could not be written.\r\n");
  EXPECT_FALSE(batch.folder.exists("second.txt"));
}

TEST(WendmoorCliRun, JobFilePromptRepeatsUntilANameOpens) {
  Batch batch;
  batch.folder.write("my jobs.txt", jobs("1", {{"worked-example.dat", "out.txt"}}));
  // Unquoted, the name ends at its blank; quoted, the blank belongs to it.
  const RunResult result = batch.folder.run(kCli, "nothere.txt\nmy jobs.txt\n'my jobs.txt'\n");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice + kJobPrompt + kJobPrompt + kJobPrompt);
  EXPECT_EQ(batch.folder.read("out.txt"), expected_file("worked-example.txt"));

  // The console ends before a name opens: the record layer's error report.
  const RunResult ended = batch.folder.run(kCli, "nothere.txt\n");
  EXPECT_EQ(ended.exit_status, 255);
  EXPECT_EQ(ended.console, kNotice + kJobPrompt + kJobPrompt);
  EXPECT_EQ(ended.errors,
            "? TELWORN Runtime Error:\r\n? Attempt to read past end of file\r\n"
            "? READ(UNIT=*,...\r\n");
}

TEST(WendmoorCliRun, SettingsErrorStopsWithStatusOne) {
  Batch batch("40, 0, zero, -1, 'none'");
  const RunResult result = batch.run(jobs("1", {{"worked-example.dat", "out.txt"}}), "\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.console, kNotice +
                                " wendmoor.ini error at line   1\r\n"
                                "Press <return>/<enter> to quit");
  EXPECT_FALSE(batch.folder.exists("out.txt"));
}

TEST(WendmoorCliRun, ShippedSettingsRunTheExampleJobFile) {
  WorkFolder folder;
  folder.copy_from_source("share/wendmoor.ini", "wendmoor.ini");
  for (const char* name :
       {"wendmoor-jobs.txt", "worked-example.dat", "embankment.dat", "steep-toe.dat"}) {
    folder.copy_from_source("examples/" + std::string(name), name);
  }
  const RunResult result = folder.run(kCli, "");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice);
  // The example's titles differ from the test file's; the rest is the same.
  const auto without_titles = [](const std::string& text) {
    return text.substr(text.find("\r\n", text.find("\r\n") + 2));
  };
  EXPECT_EQ(without_titles(folder.read("worked-example-results.txt")),
            without_titles(expected_file("worked-example.txt")));
  for (const char* name : {"embankment-results.txt", "steep-toe-results.txt"}) {
    EXPECT_NE(folder.read(name).find("\r\n Factor of safety\t"), std::string::npos) << name;
  }
}

TEST(WendmoorCliRun, ThousandAnalysesEachWriteACompleteReport) {
  const std::pair<const char*, const char*> slopes[] = {
      {"worked-example.dat", "worked-example.txt"},
      {"pore-head-12.dat", "pore-head-12.txt"},
      {"mirrored.dat", "mirrored.txt"}};
  constexpr int kAnalyses = 1000;
  std::string job_file = std::to_string(kAnalyses) + "\n";
  for (int k = 1; k <= kAnalyses; ++k) {
    job_file += std::string(slopes[k % 3].first) + "\nresults/" + std::to_string(k) + ".txt\n";
  }
  Batch batch;
  batch.folder.write("results/.keep", "");
  const RunResult result = batch.run(job_file);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, kNotice);
  EXPECT_EQ(result.errors, "");  // where the sanitizer build reports leaks
  for (int k = 1; k <= kAnalyses; ++k) {
    const std::string name = "results/" + std::to_string(k) + ".txt";
    ASSERT_EQ(batch.folder.read(name), expected_file(slopes[k % 3].second)) << name;
  }
}

}  // namespace
}  // namespace end_to_end
