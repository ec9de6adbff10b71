// Hostile input and failing output, end to end: the built programs in a
// temporary folder fed binary files, endless lines, endless numbers, folders
// in place of files, odd line ends and odd job files, and given results files
// that cannot be written. Each case asserts the whole outcome: the console
// transcript, the exit status and the files left behind. No run may modify a
// file that it reads.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/run_program.h"

namespace end_to_end {
namespace {

constexpr const char* kQuarnby = QUARNBY_PATH;
constexpr const char* kWendmoor = WENDMOOR_PATH;
constexpr const char* kCli = WENDMOOR_CLI_PATH;

constexpr std::string_view kSecondNoticeLine =
    " Hollin Suite 1.0, slope stability by the method of slices\r\n";
const std::string kCliNotice =
    " wendmoor-cli: factor of safety by the ordinary method of slices\r\n" +
    std::string(kSecondNoticeLine);
const std::string kWendmoorNotice =
    " wendmoor: factor of safety by the ordinary method of slices\r\n" +
    std::string(kSecondNoticeLine);
const std::string kQuarnbyNotice =
    " quarnby: factor of safety by the simplified method of slices\r\n" +
    std::string(kSecondNoticeLine);

constexpr std::string_view kQuitPrompt = "Press <return>/<enter> to quit";
constexpr std::size_t kNameLength = 1795;
constexpr int kCliFailure = 1;
constexpr int kErrorReportStatus = 255;

// Wording of the shipped settings files.
constexpr std::string_view kDataError = " Error in the slope data file at line";
constexpr std::string_view kCliWriteFailed = " The results file could not be written.\r\n";
constexpr std::string_view kCannotOpen = " Cannot open the file ";
constexpr std::string_view kDataPrompt =
    " Press Enter, then choose the slope data file.\r\n"
    "Open file on TELWORN UNIT 13\r\nFile name: ";
constexpr std::string_view kResultsPrompt =
    " Press Enter, then choose or name the results file.\r\n"
    "Create file on TELWORN UNIT 12\r\nFile name: ";

/// A job file of one analysis.
std::string one_job(std::string_view data, std::string_view results) {
  return "1\n" + std::string(data) + "\n" + std::string(results) + "\n";
}

/// A name as the batch program holds it: padded with blanks to 1795.
std::string held_name(std::string_view name) {
  std::string held(name);
  held.resize(kNameLength, ' ');
  return held;
}

/// The console line of a data file that fails at `line`.
std::string data_error_line(int line) {
  return std::string(kDataError) + (line < 10 ? "  " : " ") + std::to_string(line) + "\r\n";
}

/// A folder ready for wendmoor-cli: the shipped settings, the bundled
/// examples and the job file `job`.
class CliFolder : public WorkFolder {
 public:
  explicit CliFolder(std::string_view job) {
    copy_from_source("share/wendmoor.ini", "wendmoor.ini");
    for (const char* example : {"worked-example.dat", "embankment.dat", "steep-toe.dat"}) {
      copy_from_source(std::string("examples/") + example, example);
    }
    write("wendmoor-jobs.txt", job);
  }
  RunResult run_cli(std::string_view environment = "") const {
    return run(kCli, "\n", ".", environment);
  }
};

/// The results file that wendmoor-cli writes for the bundled example
/// `example` from a clean run, for comparison with a hostile run.
std::string clean_report(std::string_view example) {
  CliFolder folder(one_job(example, "clean.txt"));
  const RunResult result = folder.run_cli();
  EXPECT_EQ(result.exit_status, 0);
  return folder.read("clean.txt");
}

/// A file's bytes and modification time, to show that a run left it alone.
struct FileState {
  std::string bytes;
  std::filesystem::file_time_type modified;
  bool operator==(const FileState&) const = default;
};

FileState state_of(const WorkFolder& folder, std::string_view name) {
  return {folder.read(name), std::filesystem::last_write_time(folder.path() / name)};
}

/// A slope of `sections` sections, each line ending with `extra` (more
/// numbers, or nothing), descending from head to toe.
std::string long_slope(int sections, std::string_view extra = "") {
  std::string text = "Generated slope\nEvery section line of the file\nheader\n9.81 " +
                     std::to_string(sections) + " 0 0 0 0\ncolumns\n";
  for (int k = 0; k < sections; ++k) {
    const double x = k * 0.5;
    const double ground = 20.0 - k * 0.05;
    const double slip = 15.0 - k * 0.08 + (k / 150.0) * (k / 150.0) * 5.0;
    text += std::to_string(x) + " " + std::to_string(ground) + " " + std::to_string(slip) +
            " 1.5 0.5 20 18 10 30 0 0 0 0 0 0 0" + std::string(extra) + "\n";
  }
  return text;
}

/// Number of CR LF line ends in `text`.
std::size_t line_count(std::string_view text) {
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string_view::npos; at += 2) {
    ++lines;
  }
  return lines;
}

TEST(HostileInput, NulBytesAndBinaryDataInEachInputFile) {
  const std::string worked = source_file("examples/worked-example.dat");
  {  // A NUL inside a header value of the settings file.
    CliFolder folder(one_job("worked-example.dat", "out.txt"));
    folder.write("wendmoor.ini", std::string("40,\0 0, 0, -1, 'none'\n", 22));
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console,
              kCliNotice + " wendmoor.ini error at line   1\r\n" + std::string(kQuitPrompt));
    EXPECT_EQ(result.exit_status, kCliFailure);
  }
  {  // A NUL in the index field of message record 3 (line 4).
    CliFolder folder(one_job("worked-example.dat", "out.txt"));
    std::string settings = source_file("share/wendmoor.ini");
    settings.replace(settings.find("   3 Press"), 4,
                     std::string("  \0"
                                 "3",
                                 4));
    folder.write("wendmoor.ini", settings);
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console,
              kCliNotice + " wendmoor.ini error at line   4\r\n" + std::string(kQuitPrompt));
  }
  {  // NUL and bytes above 127 in a title are kept as they are; a NUL in a
     // number of section 2 (line 7) stops the reading there.
    CliFolder folder(one_job("binary.dat", "out.txt"));
    const std::string title("T\0\x01\xff\xfe title", 11);
    std::string data = worked;
    data.replace(0, data.find('\n'), title);
    folder.write("binary.dat", data);
    ASSERT_EQ(folder.run_cli().exit_status, 0);
    EXPECT_EQ(folder.read("out.txt").substr(0, title.size() + 2), title + "\r\n");

    data.replace(data.find("\n4   9  2") + 1, 1, std::string("4\0", 2));
    folder.write("binary.dat", data);
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + data_error_line(7));
    EXPECT_EQ(result.exit_status, kCliFailure);
  }
  {  // A data file of binary bytes only: no line feed, one record.
    CliFolder folder(one_job("binary.dat", "out.txt"));
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
      const char byte = static_cast<char>((i * 37 + 11) % 256);
      bytes.push_back(byte == '\n' ? '\0' : byte);
    }
    folder.write("binary.dat", bytes);
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + data_error_line(2));
    EXPECT_FALSE(folder.exists("out.txt"));
  }
  {  // The job file: a binary count, then a NUL inside a results file name.
    CliFolder folder(std::string("\x01\x02\xff\n", 4));
    RunResult result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + " Cannot read the job file wendmoor-jobs.txt   1\r\n");
    EXPECT_EQ(result.exit_status, kCliFailure);

    const std::string name("out\0.txt", 8);
    folder.write("wendmoor-jobs.txt", one_job("worked-example.dat", name));
    result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + std::string(kCannotOpen) + held_name(name) + "\r\n");
    EXPECT_EQ(result.exit_status, kCliFailure);
    EXPECT_FALSE(folder.exists("out"));
  }
  {  // quarnby with a data file of binary bytes.
    WorkFolder folder;
    folder.copy_from_source("share/quarnby.ini", "quarnby.ini");
    folder.write("binary.dat", std::string("\0\0\n\xff\n\x80\x81\n\0 1 2\n", 14));
    const RunResult result = folder.run(kQuarnby, "\nbinary.dat\n");
    EXPECT_EQ(result.console, kQuarnbyNotice + std::string(kDataPrompt) +
                                  " Error in the slope data file at line  4\r\n");
    EXPECT_EQ(result.exit_status, 0);
  }
}

TEST(HostileInput, RecordsOfHundredMegabytesAreRefusedAndAMebibyteIsRead) {
  constexpr std::size_t kHundredMegabytes = 100'000'000;
  constexpr std::size_t kLongestRecord = std::size_t{1} << 20;
  const std::string worked = source_file("examples/worked-example.dat");
  const std::string after_title = worked.substr(worked.find('\n'));
  {  // A title of 100 MB.
    CliFolder folder(one_job("long.dat", "out.txt"));
    folder.write("long.dat", std::string(kHundredMegabytes, 'x') + after_title);
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + data_error_line(1));
    EXPECT_EQ(result.exit_status, kCliFailure);
  }
  {  // Titles of exactly 1 MiB are read (the report keeps 255 characters);
     // one character more is an error.
    CliFolder folder(one_job("long.dat", "out.txt"));
    folder.write("long.dat", std::string(kLongestRecord, 'y') + after_title);
    ASSERT_EQ(folder.run_cli().exit_status, 0);
    std::string expected = clean_report("worked-example.dat");
    expected.replace(0, expected.find('\r'), std::string(255, 'y'));
    EXPECT_EQ(folder.read("out.txt"), expected);

    folder.write("long.dat", std::string(kLongestRecord + 1, 'y') + after_title);
    EXPECT_EQ(folder.run_cli().console, kCliNotice + data_error_line(1));
  }
  {  // 100 MB typed at the job-file prompt: a read without error branch.
    CliFolder folder("");
    folder.write("wendmoor.ini", "40, 0, 0, -1, 'none'\n   1 no-jobs.txt\n");
    const RunResult result = folder.run(kCli, std::string(kHundredMegabytes, 'j') + "\n");
    EXPECT_EQ(result.console, kCliNotice + " no-jobs.txt?  \r\n");
    EXPECT_EQ(result.errors,
              "? TELWORN Runtime Error:\r\n? Input record too long\r\n? READ(UNIT=*,...\r\n");
    EXPECT_EQ(result.exit_status, kErrorReportStatus);
  }
}

TEST(HostileInput, NumbersOfTenThousandDigits) {
  const std::string worked = source_file("examples/worked-example.dat");
  const std::string expected = clean_report("worked-example.dat");
  CliFolder folder(one_job("digits.dat", "out.txt"));
  const auto run_with = [&folder](const std::string& text) {
    folder.write("digits.dat", text);
    return folder.run_cli();
  };
  std::string data = worked;
  {  // Leading zeros and trailing decimals change nothing.
    data.replace(data.find("9.81 3"), 6, "9.81 " + std::string(9'999, '0') + "3");
    data.replace(data.find("\n4   9") + 1, 1, "4." + std::string(9'999, '0'));
    ASSERT_EQ(run_with(data).exit_status, 0);
    EXPECT_EQ(folder.read("out.txt"), expected);
  }
  {  // Beyond the range of the section count (an integer) and of x (a real).
    std::string too_many = worked;
    too_many.replace(too_many.find("9.81 3"), 6, "9.81 1" + std::string(9'999, '0'));
    EXPECT_EQ(run_with(too_many).console, kCliNotice + data_error_line(4));
    std::string too_far = worked;
    too_far.replace(too_far.find("\n0  10") + 1, 1, "1" + std::string(9'999, '0'));
    EXPECT_EQ(run_with(too_far).console, kCliNotice + data_error_line(6));
    std::string too_small = worked;
    too_small.replace(too_small.find("\n0  10") + 1, 1, "0." + std::string(9'998, '0') + "1");
    ASSERT_EQ(run_with(too_small).exit_status, 0);
    EXPECT_EQ(folder.read("out.txt"), expected);
  }
  {  // A message count of 10,000 digits in the settings header.
    folder.write("wendmoor.ini", "4" + std::string(9'999, '0') + ", 0, 0, -1, 'none'\n");
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console,
              kCliNotice + " wendmoor.ini error at line   1\r\n" + std::string(kQuitPrompt));
  }
}

TEST(HostileInput, FoldersWhereFilesShouldBe) {
  const std::string expected = clean_report("worked-example.dat");
  {  // wendmoor-cli passes over a settings folder to the next place.
    CliFolder folder("");
    std::filesystem::create_directories(folder.path() / "run" / "wendmoor.ini");
    folder.copy_from_source("share/wendmoor.ini", "Wendmoor/wendmoor.ini");
    folder.write("run/wendmoor-jobs.txt", one_job("worked-example.dat", "out.txt"));
    folder.copy_from_source("examples/worked-example.dat", "run/worked-example.dat");
    const RunResult result = folder.run(kCli, "", "run");
    EXPECT_EQ(result.console, kCliNotice);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(folder.read("run/out.txt"), expected);

    std::filesystem::remove(folder.path() / "Wendmoor" / "wendmoor.ini");
    std::filesystem::create_directories(folder.path() / "Wendmoor" / "wendmoor.ini");
    const RunResult none = folder.run(kCli, "\n", "run");
    EXPECT_EQ(none.console, kCliNotice + " wendmoor.ini?\r\n" + std::string(kQuitPrompt));
    EXPECT_EQ(none.exit_status, kCliFailure);
  }
  {  // A data file and a results file that are folders.
    CliFolder folder(one_job("slopes", "out.txt"));
    std::filesystem::create_directories(folder.path() / "slopes");
    RunResult result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + std::string(kCannotOpen) + held_name("slopes") + "\r\n");
    EXPECT_EQ(result.exit_status, kCliFailure);

    folder.write("wendmoor-jobs.txt", one_job("worked-example.dat", "slopes"));
    result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + std::string(kCannotOpen) + held_name("slopes") + "\r\n");
  }
  {  // quarnby: the settings file chosen is a folder; the run stops.
    WorkFolder folder;
    std::filesystem::create_directories(folder.path() / "quarnby.ini");
    const RunResult result = folder.run(kQuarnby, "\nquarnby.ini\n");
    EXPECT_EQ(result.console, kQuarnbyNotice +
                                  " quarnby.ini?\r\nOpen file on TELWORN UNIT 14\r\n"
                                  "File name: ");
    EXPECT_EQ(result.exit_status, 0);
  }
  {  // wendmoor: the data file chosen is a folder; the end sequence follows.
    WorkFolder folder;
    folder.copy_from_source("share/wendmoor.ini", "wendmoor.ini");
    std::filesystem::create_directories(folder.path() / "slopes.dat");
    const RunResult result = folder.run(kWendmoor, "\nslopes\n");
    EXPECT_EQ(result.console, kWendmoorNotice + std::string(kDataPrompt));
    EXPECT_EQ(result.exit_status, 0);
  }
}

TEST(HostileInput, FilesWithoutReadPermission) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  CliFolder folder(one_job("worked-example.dat", "out.txt"));
  std::filesystem::permissions(folder.path() / "worked-example.dat", std::filesystem::perms::none);
  RunResult result = folder.run_cli();
  EXPECT_EQ(result.console,
            kCliNotice + std::string(kCannotOpen) + held_name("worked-example.dat") + "\r\n");
  EXPECT_EQ(result.exit_status, kCliFailure);

  // An unreadable settings file counts as missing.
  std::filesystem::permissions(folder.path() / "wendmoor.ini", std::filesystem::perms::none);
  result = folder.run_cli();
  EXPECT_EQ(result.console, kCliNotice + " wendmoor.ini?\r\n" + std::string(kQuitPrompt));
  EXPECT_EQ(result.exit_status, kCliFailure);
}

TEST(HostileInput, FilesEndingInsideQuotedText) {
  {  // The open quote of the header's text swallows every message record.
    CliFolder folder(one_job("worked-example.dat", "out.txt"));
    std::string settings = source_file("share/wendmoor.ini");
    settings.replace(settings.find("'none'"), 6, "'none");
    folder.write("wendmoor.ini", settings);
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console,
              kCliNotice + " wendmoor.ini error at line   1\r\n" + std::string(kQuitPrompt));
    EXPECT_FALSE(folder.exists("out.txt"));
  }
  {  // A job-file name typed with an open quote before the input ends.
    CliFolder folder("");
    folder.write("wendmoor.ini", "40, 0, 0, -1, 'none'\n   1 no-jobs.txt\n");
    const RunResult result = folder.run(kCli, "'wendmoor-jobs\n.txt\n");
    EXPECT_EQ(result.console, kCliNotice + " no-jobs.txt?  \r\n");
    EXPECT_EQ(result.errors,
              "? TELWORN Runtime Error:\r\n? Attempt to read past end of file\r\n"
              "? READ(UNIT=*,...\r\n");
    EXPECT_EQ(result.exit_status, kErrorReportStatus);
  }
}

TEST(HostileInput, CarriageReturnLineEnds) {
  const std::string worked = source_file("examples/worked-example.dat");
  std::string crlf, cr_only;
  for (const char c : worked) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr_only += c == '\n' ? '\r' : c;
  }
  CliFolder folder(one_job("lines.dat", "out.txt"));
  folder.write("lines.dat", crlf);
  ASSERT_EQ(folder.run_cli().exit_status, 0);
  EXPECT_EQ(folder.read("out.txt"), clean_report("worked-example.dat"));

  // Without a line feed the whole file is one record: the first title.
  folder.write("lines.dat", cr_only);
  RunResult result = folder.run_cli();
  EXPECT_EQ(result.console, kCliNotice + data_error_line(2));
  EXPECT_EQ(result.exit_status, kCliFailure);

  // A settings file with CR line ends is its header and no message: message
  // 1 is empty, so the batch program asks for the job file at once, and the
  // report is that of a settings file holding the header line alone.
  std::string settings = source_file("share/wendmoor.ini");
  for (char& c : settings) c = c == '\n' ? '\r' : c;
  folder.write("wendmoor.ini", settings);
  folder.write("lines.dat", worked);
  result = folder.run(kCli, "wendmoor-jobs.txt\n");
  EXPECT_EQ(result.console, kCliNotice + " ?  \r\n");
  EXPECT_EQ(result.exit_status, 0);
  const std::string report = folder.read("out.txt");
  folder.write("wendmoor.ini", "40, 0, 0, -1, 'none'\n");
  ASSERT_EQ(folder.run(kCli, "wendmoor-jobs.txt\n").exit_status, 0);
  EXPECT_EQ(report, folder.read("out.txt"));

  // quarnby reads a CR-only data file the same way.
  WorkFolder interactive;
  interactive.copy_from_source("share/quarnby.ini", "quarnby.ini");
  interactive.write("lines.dat", cr_only);
  result = interactive.run(kQuarnby, "\nlines.dat\n");
  EXPECT_EQ(result.console, kQuarnbyNotice + std::string(kDataPrompt) +
                                " Error in the slope data file at line  2\r\n");
}

TEST(HostileInput, JobFileNamingTheSameResultsFileTwice) {
  // The longer report comes first: nothing of it may remain behind the
  // shorter one that replaces it.
  CliFolder folder("2\nembankment.dat\nsame.txt\nworked-example.dat\nsame.txt\n");
  const RunResult result = folder.run_cli();
  EXPECT_EQ(result.console, kCliNotice);
  EXPECT_EQ(result.exit_status, 0);
  const std::string expected = clean_report("worked-example.dat");
  ASSERT_LT(expected.size(), clean_report("embankment.dat").size());
  EXPECT_EQ(folder.read("same.txt"), expected);
}

TEST(HostileInput, HundredFiftySectionsOfSeventeenNumbers) {
  CliFolder folder("2\nseventeen.dat\nseventeen.txt\nsixteen.dat\nsixteen.txt\n");
  folder.write("seventeen.dat", long_slope(150, " 99.5"));
  folder.write("sixteen.dat", long_slope(150));
  const RunResult result = folder.run_cli();
  EXPECT_EQ(result.console, kCliNotice);
  EXPECT_EQ(result.exit_status, 0);
  const std::string report = folder.read("seventeen.txt");
  EXPECT_EQ(line_count(report), 2u * 150 + 9);
  EXPECT_EQ(report, folder.read("sixteen.txt"));

  // quarnby takes the same sections.
  WorkFolder interactive;
  interactive.copy_from_source("share/quarnby.ini", "quarnby.ini");
  interactive.write("seventeen.dat", long_slope(150, " 99.5"));
  interactive.write("sixteen.dat", long_slope(150));
  for (const char* name : {"seventeen", "sixteen"}) {
    const RunResult run =
        interactive.run(kQuarnby, "\n" + std::string(name) + ".dat\n\n" + name + ".txt\n");
    EXPECT_EQ(run.exit_status, 0);
  }
  EXPECT_EQ(line_count(interactive.read("seventeen.txt")), 2u * 150 + 9);
  EXPECT_EQ(interactive.read("seventeen.txt"), interactive.read("sixteen.txt"));

  // One section more is refused before anything is written.
  folder.write("wendmoor-jobs.txt", one_job("too-many.dat", "too-many.txt"));
  folder.write("too-many.dat", long_slope(151));
  EXPECT_EQ(folder.run_cli().console, kCliNotice + " N >  150\r\n");
  EXPECT_FALSE(folder.exists("too-many.txt"));
}

TEST(HostileInput, TabsizeOfTwentyDigits) {
  std::string data = source_file("examples/worked-example.dat");
  data.replace(0, data.find('\n'), "a\tb");
  CliFolder folder(one_job("tabs.dat", "out.txt"));
  folder.write("tabs.dat", data);
  const auto first_line = [&folder](std::string_view tabsize) {
    const RunResult result = folder.run_cli("TABSIZE=" + std::string(tabsize));
    EXPECT_EQ(result.exit_status, 0) << tabsize;
    const std::string report = folder.read("out.txt");
    return report.substr(0, report.find("\r\n"));
  };
  EXPECT_EQ(first_line("00000000000000000004"), "a   b");
  EXPECT_EQ(first_line("000000000000000000004"), "a       b");  // 21 digits
  EXPECT_EQ(first_line("99999999999999999999"), "a       b");
  EXPECT_EQ(first_line("4x"), "a       b");
  EXPECT_EQ(first_line("0"), "a\tb");
}

TEST(FailingOutput, ResultsFileOnAFullDevice) {
  {  // wendmoor-cli: the first report line is written at once, and fails.
    CliFolder folder(one_job("worked-example.dat", "/dev/full"));
    const FileState data_before = state_of(folder, "worked-example.dat");
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + std::string(kCliWriteFailed));
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(result.exit_status, kCliFailure);
    EXPECT_EQ(state_of(folder, "worked-example.dat"), data_before);
  }
  {  // The interactive programs write to a link to the full device.
    WorkFolder folder;
    folder.copy_from_source("share/quarnby.ini", "quarnby.ini");
    folder.copy_from_source("share/wendmoor.ini", "wendmoor.ini");
    folder.copy_from_source("examples/worked-example.dat", "worked-example.dat");
    std::filesystem::create_symlink("/dev/full", folder.path() / "full.txt");
    const std::string answers = "\nworked-example.dat\n\nfull.txt\n";
    RunResult result = folder.run(kQuarnby, answers);
    EXPECT_EQ(result.console, kQuarnbyNotice + std::string(kDataPrompt) +
                                  std::string(kResultsPrompt) +
                                  " The results file could not be written.\r\n");
    EXPECT_EQ(result.exit_status, 0);
    result = folder.run(kWendmoor, answers);
    EXPECT_EQ(result.console, kWendmoorNotice + std::string(kDataPrompt) +
                                  std::string(kResultsPrompt) +
                                  " The results file could not be written.\r\n");
  }
  {  // Console output to the full device has no error branch: the error
     // report goes to the error stream. The program is started through a
     // shell that sends its standard output to /dev/full.
    CliFolder folder(one_job("worked-example.dat", "out.txt"));
    const RunResult result = folder.run_cli("sh -c 'exec \"$0\" >/dev/full'");
    EXPECT_EQ(result.errors,
              "? System Error:\r\n? No space left on device\r\n? WRITE(UNIT=*,...\r\n");
    EXPECT_EQ(result.exit_status, kErrorReportStatus);
    EXPECT_FALSE(folder.exists("out.txt"));
  }
}

TEST(FailingOutput, WriteFailuresFoundWhenBufferedOutputIsWrittenOut) {
  // A file size limit of 2048 bytes (4 blocks of 512) lets the first report
  // line through and fails later. The shell ignores SIGXFSZ so that the
  // write fails with EFBIG instead of ending the process.
  const std::string limit = "trap '' XFSZ; ulimit -f 4;";
  {  // A report of 4675 bytes: the rest of it is written out at the close.
    CliFolder folder(one_job("embankment.dat", "out.txt"));
    const RunResult result = folder.run_cli(limit);
    EXPECT_EQ(result.console, kCliNotice);
    EXPECT_EQ(result.errors, "? System Error:\r\n? File too large\r\n? CLOSE(UNIT=12,...\r\n");
    EXPECT_EQ(result.exit_status, kErrorReportStatus);
    EXPECT_EQ(folder.read("out.txt").size(), 2048u);
  }
  {  // Labels of 255 characters make a report of 150 sections pass the
     // 64 KiB that the record layer holds back, so a line fails to write.
    CliFolder folder(one_job("long.dat", "out.txt"));
    std::string settings = "40, 0, 0, -1, 'none'\n";
    settings += "   1 wendmoor-jobs.txt\n";
    for (int k = 2; k <= 40; ++k) {
      const std::string index = std::to_string(k);
      settings += std::string(4 - index.size(), ' ') + index + " " +
                  std::string(250, static_cast<char>('A' + k % 26)) + "\n";
    }
    folder.write("wendmoor.ini", settings);
    folder.write("long.dat", long_slope(150));
    const RunResult result = folder.run_cli(limit);
    EXPECT_EQ(result.errors, "? System Error:\r\n? File too large\r\n? WRITE(UNIT=12,...\r\n");
    EXPECT_EQ(result.exit_status, kErrorReportStatus);
  }
}

TEST(FailingOutput, ResultsFileInAFolderThatDoesNotExist) {
  {
    CliFolder folder(one_job("worked-example.dat", "no/such/folder/out.txt"));
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console,
              kCliNotice + std::string(kCannotOpen) + held_name("no/such/folder/out.txt") + "\r\n");
    EXPECT_EQ(result.exit_status, kCliFailure);
  }
  {  // The interactive programs ask again, as a file dialog would.
    WorkFolder folder;
    folder.copy_from_source("share/quarnby.ini", "quarnby.ini");
    folder.copy_from_source("share/wendmoor.ini", "wendmoor.ini");
    folder.copy_from_source("examples/worked-example.dat", "worked-example.dat");
    const std::string answers = "\nworked-example.dat\n\nno/such/out.txt\nout.txt\n";
    const std::string asked_again = "Folder not found: no/such\r\nFile name: ";
    RunResult result = folder.run(kWendmoor, answers);
    EXPECT_EQ(result.console, kWendmoorNotice + std::string(kDataPrompt) +
                                  std::string(kResultsPrompt) + asked_again);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(folder.read("out.txt"), clean_report("worked-example.dat"));
    result = folder.run(kQuarnby, answers);
    EXPECT_EQ(result.console, kQuarnbyNotice + std::string(kDataPrompt) +
                                  std::string(kResultsPrompt) + asked_again);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_FALSE(folder.exists("no"));
  }
}

TEST(FailingOutput, ResultsFileNamedLikeAFileTheRunReadsOverwroteIt) {
  // Regression: a results file named like the data, settings or job file
  // was opened and written over it. Now the open fails and the file stays.
  for (const char* name : {"worked-example.dat", "wendmoor.ini", "wendmoor-jobs.txt"}) {
    CliFolder folder(one_job("worked-example.dat", name));
    const FileState settings = state_of(folder, "wendmoor.ini");
    const FileState data = state_of(folder, "worked-example.dat");
    const FileState job = state_of(folder, "wendmoor-jobs.txt");
    const RunResult result = folder.run_cli();
    EXPECT_EQ(result.console, kCliNotice + std::string(kCannotOpen) + held_name(name) + "\r\n");
    EXPECT_EQ(result.exit_status, kCliFailure);
    EXPECT_EQ(state_of(folder, "wendmoor.ini"), settings) << name;
    EXPECT_EQ(state_of(folder, "worked-example.dat"), data) << name;
    EXPECT_EQ(state_of(folder, "wendmoor-jobs.txt"), job) << name;
  }
  // Also through another name of the same file.
  CliFolder folder(one_job("worked-example.dat", "link.dat"));
  std::filesystem::create_symlink("worked-example.dat", folder.path() / "link.dat");
  const FileState data = state_of(folder, "worked-example.dat");
  EXPECT_EQ(folder.run_cli().exit_status, kCliFailure);
  EXPECT_EQ(state_of(folder, "worked-example.dat"), data);

  // quarnby, choosing its settings file as the results file: the choice
  // says so and asks again; here the console then ends, which cancels.
  WorkFolder interactive;
  interactive.copy_from_source("share/quarnby.ini", "quarnby.ini");
  interactive.copy_from_source("examples/worked-example.dat", "worked-example.dat");
  const FileState settings = state_of(interactive, "quarnby.ini");
  const RunResult result = interactive.run(kQuarnby, "\nworked-example.dat\n\nquarnby.ini\n");
  EXPECT_EQ(result.console, kQuarnbyNotice + std::string(kDataPrompt) +
                                std::string(kResultsPrompt) +
                                "Cannot write this file: quarnby.ini\r\nFile name: ");
  EXPECT_EQ(state_of(interactive, "quarnby.ini"), settings);
}

TEST(FailingOutput, SettingsAndDataFilesAreLeftAsTheyWere) {
  // Successful runs of all three programs, and runs that fail on the way.
  CliFolder folder("2\nworked-example.dat\nout-1.txt\nembankment.dat\nout-2.txt\n");
  folder.copy_from_source("share/quarnby.ini", "quarnby.ini");
  const char* inputs[] = {"wendmoor.ini", "quarnby.ini", "worked-example.dat", "embankment.dat"};
  std::vector<FileState> before;
  for (const char* name : inputs) before.push_back(state_of(folder, name));

  EXPECT_EQ(folder.run_cli().exit_status, 0);
  EXPECT_EQ(folder.run(kQuarnby, "\nworked-example.dat\n\nout-3.txt\n").exit_status, 0);
  EXPECT_EQ(folder.run(kWendmoor, "\nembankment.dat\n\nout-4.txt\n").exit_status, 0);
  folder.write("wendmoor-jobs.txt", "2\nworked-example.dat\n/dev/full\n");
  EXPECT_EQ(folder.run_cli().exit_status, kCliFailure);
  folder.write("wendmoor-jobs.txt", "3\nembankment.dat\nout-5.txt\n");
  EXPECT_EQ(folder.run_cli().exit_status, kCliFailure);
  for (const char* name : {"out-1.txt", "out-2.txt", "out-3.txt", "out-4.txt", "out-5.txt"}) {
    EXPECT_TRUE(folder.exists(name)) << name;
  }
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(state_of(folder, inputs[i]), before[i]) << inputs[i];
  }
}

}  // namespace
}  // namespace end_to_end
