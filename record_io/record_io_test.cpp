// Statements of the record layer against memory files and a memory console:
// records, opens, output records, failures and the error report.
#include "record_io/record_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>

#include "record_io/memory_run.h"
#include "record_io/text_item.h"

namespace record_io {
namespace {

/// Reads the next record of `unit` through layout (A) into 40 characters.
std::string record(MemoryRun& run, int unit) {
  std::array<char, 40> item{};
  EXPECT_EQ(run.io.read_layout_a(unit, item, kErrorAndEndBranch), IoResult::ok);
  return std::string(text_of(item));
}

std::string padded(std::string text, std::size_t length = 40) {
  text.resize(length, ' ');
  return text;
}

TEST(InputRecords, SplitAtLineFeedsDropCarriageReturnsKeepAnUnterminatedLastLine) {
  MemoryRun run;
  run.files.files["in"] = "first\r\n\nse\rcond\r\nlast without line feed";
  ASSERT_EQ(run.io.open(13, "in", "old", kErrorBranch), IoResult::ok);
  EXPECT_EQ(record(run, 13), padded("first"));
  EXPECT_EQ(record(run, 13), padded(""));
  EXPECT_EQ(record(run, 13), padded("second"));
  EXPECT_EQ(record(run, 13), padded("last without line feed"));
  std::array<char, 4> item{};
  EXPECT_EQ(run.io.read_layout_a(13, item, kErrorAndEndBranch), IoResult::end);
  EXPECT_EQ(run.io.read_layout_a(13, item, kErrorBranch), IoResult::error);
}

TEST(InputRecords, TabsExpandToTheConfiguredStops) {
  // The second tab stands at a tab stop already and so adds a whole distance.
  const std::string line = "a\tbcdefghi\tX\n";
  for (const auto& [tab_size, expected] : {std::pair{8, std::string("a       bcdefghi        X")},
                                           std::pair{4, std::string("a   bcdefghi    X")},
                                           std::pair{0, std::string("a\tbcdefghi\tX")}}) {
    MemoryRun run({}, tab_size);
    run.files.files["in"] = line;
    ASSERT_EQ(run.io.open(13, "in", "old", kErrorBranch), IoResult::ok);
    EXPECT_EQ(record(run, 13), padded(expected)) << "tab size " << tab_size;
  }
}

TEST(InputRecords, AnOverlongRecordIsAnErrorAndReadingGoesOnAfterIt) {
  MemoryRun run;
  run.files.files["in"] = std::string(kMaxRecordLength + 10, 'x') + "\nnext\n";
  ASSERT_EQ(run.io.open(13, "in", "old", kErrorBranch), IoResult::ok);
  std::array<char, 4> item{};
  EXPECT_EQ(run.io.read_layout_a(13, item, kErrorBranch), IoResult::error);
  EXPECT_EQ(record(run, 13), padded("next"));
}

TEST(InputRecords, AnEndlessLineFailsWithoutBeingReadToItsEnd) {
  RecordIo io;
  ASSERT_EQ(io.open(13, "/dev/zero", "old", kErrorBranch), IoResult::ok);
  std::array<char, 4> item{};
  EXPECT_EQ(io.read_layout_a(13, item, kErrorBranch), IoResult::error);
}

TEST(TabSize, OnlyASaneDecimalDistanceIsTaken) {
  EXPECT_EQ(tab_size_from(nullptr), 8);
  EXPECT_EQ(tab_size_from("4"), 4);
  EXPECT_EQ(tab_size_from("0"), 0);
  EXPECT_EQ(tab_size_from("64"), 64);
  EXPECT_EQ(tab_size_from("65"), 8);
  EXPECT_EQ(tab_size_from("99999999999999999999"), 8);
  EXPECT_EQ(tab_size_from("123456789012345678901"), 8);
  EXPECT_EQ(tab_size_from(""), 8);
  EXPECT_EQ(tab_size_from("-1"), 8);
  EXPECT_EQ(tab_size_from("4x"), 8);
}

TEST(Open, StatusAndNameRules) {
  MemoryRun run;
  run.files.files["data.dat"] = "x\n";
  EXPECT_EQ(run.io.open(13, "  data.dat  ", "OLD", kErrorBranch), IoResult::ok);
  EXPECT_EQ(run.io.open(13, "data.dat", "Old   ", kErrorBranch), IoResult::ok);
  EXPECT_EQ(run.io.open(13, "missing", "old", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.io.open(13, "   ", "old", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.io.open(13, std::string_view("data.dat\0x", 10), "old", kErrorBranch),
            IoResult::error);
  EXPECT_EQ(run.io.open(13, "data.dat", "scratch", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.io.open(12, "new.txt", "UNKNOWN", kErrorBranch), IoResult::ok);
  run.io.close(12);
  EXPECT_EQ(run.files.files.at("new.txt"), "");
  // A failed open leaves the unit unconnected.
  EXPECT_FALSE(run.io.is_open(13));
  EXPECT_FALSE(run.io.is_open(12));
}

TEST(Open, UnknownStatusCutsOnlyWhatIsWritten) {
  MemoryRun run;
  run.files.files["long.txt"] = "an old and much longer content\r\n";
  run.files.files["kept.txt"] = "old content\r\n";
  ASSERT_EQ(run.io.open(12, "long.txt", "unknown", kErrorBranch), IoResult::ok);
  run.io.write_line(12, std::string_view("new"));
  run.io.close(12);
  EXPECT_EQ(run.files.files.at("long.txt"), " new\r\n");
  ASSERT_EQ(run.io.open(12, "kept.txt", "unknown", kErrorBranch), IoResult::ok);
  run.io.close(12);
  EXPECT_EQ(run.files.files.at("kept.txt"), "old content\r\n");
}

TEST(Open, AFileTheRunHasReadIsNeverOpenedForWriting) {
  MemoryRun run;
  run.files.files["settings.ini"] = "keep me\n";
  ASSERT_EQ(run.io.open(14, "settings.ini", "old", kErrorBranch), IoResult::ok);
  run.io.close(14);
  EXPECT_EQ(run.io.open(12, "settings.ini", "unknown", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.files.files.at("settings.ini"), "keep me\n");
}

TEST(Open, APipeWithoutWriterReadsAsEmptyInsteadOfHanging) {
  const std::string path = testing::TempDir() + "record_io_pipe";
  ::unlink(path.c_str());
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  RecordIo io;
  ASSERT_EQ(io.open(13, path, "old", kErrorBranch), IoResult::ok);
  std::array<char, 4> item{};
  EXPECT_EQ(io.read_layout_a(13, item, kErrorAndEndBranch), IoResult::end);
  EXPECT_EQ(io.open(12, path, "unknown", kErrorBranch), IoResult::error);
  io.close(13);
  ::unlink(path.c_str());
}

TEST(FreeFormatWrite, WholeLinesFollowTheItemRules) {
  MemoryRun run;
  ASSERT_EQ(run.io.open(12, "out", "unknown", kErrorBranch), IoResult::ok);
  run.io.write_line(12, std::int32_t{1}, std::string_view("\t"), 1.5, std::string_view("\t"), -2.0);
  run.io.write_line(12, std::string_view("Msg"), std::string_view("\t"), std::string_view("Title"));
  run.io.write_line(12, std::int32_t{0}, std::string_view(""), std::string_view(""),
                    std::int32_t{-5});
  run.io.write_line(12);
  ASSERT_EQ(run.io.write_layout_a(12, "Title in column 1", kErrorBranch), IoResult::ok);
  run.io.close(12);
  EXPECT_EQ(run.files.files.at("out"),
            "   1 \t  1.50000000000000 \t -2.00000000000000\r\n"
            " Msg\tTitle\r\n"
            "   0  -5\r\n"
            " \r\n"
            "Title in column 1\r\n");
}

TEST(Console, PromptsLinesAndWaits) {
  MemoryRun run("answer ignored\n7\n");
  run.io.write_line(kConsoleUnit, std::string_view("quarnby.ini?"));
  run.io.write_raw_console("Press <return>/<enter> to quit");
  run.io.wait_for_enter();
  std::int32_t value = 0;
  ASSERT_EQ(run.io.read_values(kConsoleUnit, kNoBranch, value), IoResult::ok);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(run.console_out.output, " quarnby.ini?\r\nPress <return>/<enter> to quit");
}

TEST(WriteFailures, ReachTheErrorBranchAtOnce) {
  MemoryRun run;
  run.files.write_error = ENOSPC;
  ASSERT_EQ(run.io.open(12, "full", "unknown", kErrorBranch), IoResult::ok);
  EXPECT_EQ(run.io.write_layout_a(12, "title", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.io.try_write_line(12, std::string_view("line")), IoResult::error);
}

TEST(Halt, AFailureWithoutBranchReturnsAndLaterStatementsDoNothing) {
  MemoryRun run("typed\n");
  ASSERT_TRUE(run.open_input(13, "12.5\n", "in"));
  ASSERT_TRUE(run.open_output(12, "out"));
  run.io.write_line(12, std::string_view("before"));
  std::int32_t value = 7;
  EXPECT_EQ(run.io.read_values(13, kNoBranch, value), IoResult::error);
  EXPECT_EQ(value, 7);
  ASSERT_TRUE(run.io.halted());
  // Every unit is closed at once, its pending output written out.
  EXPECT_FALSE(run.io.is_open(12));
  EXPECT_FALSE(run.io.is_open(13));
  EXPECT_EQ(run.files.files.at("out"), " before\r\n");

  EXPECT_EQ(run.io.open(14, "in", "old", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.io.open(11, "new", "unknown", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.io.open(11, std::string_view("\0", 1), "unknown", kErrorBranch), IoResult::error);
  EXPECT_EQ(run.io.begin_read(kConsoleUnit, kErrorAndEndBranch), IoResult::error);
  EXPECT_EQ(run.io.read(value), IoResult::error);
  EXPECT_EQ(run.io.try_write_line(kConsoleUnit, std::string_view("after")), IoResult::error);
  run.io.write_line(kConsoleUnit, std::string_view("after"));
  run.io.write_raw_console("prompt");
  run.io.wait_for_enter();
  run.io.close(12);
  run.io.stop();
  EXPECT_FALSE(run.io.is_open(14));
  EXPECT_EQ(run.files.files.count("new"), 0u);
  EXPECT_EQ(run.console_in.read_position, 0u);
  EXPECT_EQ(run.console_out.output, "");
  EXPECT_EQ(value, 7);

  // The report names the first failure; writing it is the driver's.
  EXPECT_EQ(run.console_err.output, "");
  EXPECT_EQ(run.io.error_report(),
            "? TELWORN Runtime Error:\r\n"
            "? Illegal character in numeric input\r\n"
            "? READ(UNIT=13,...\r\n");
  run.io.write_error_report();
  EXPECT_EQ(run.console_err.output, run.io.error_report());
}

/// The error report after `statement` on a layer whose file "in" holds a
/// real and whose console has no input.
std::string report_after(void (*statement)(RecordIo&)) {
  MemoryRun run;
  run.files.files["in"] = "12.5\n";
  statement(run.io);
  EXPECT_TRUE(run.io.halted());
  return run.io.error_report();
}

TEST(ErrorReport, ThreeLinesNameTheFailureAndTheStatement) {
  EXPECT_EQ(report_after([](RecordIo& io) { io.wait_for_enter(); }),
            "? TELWORN Runtime Error:\r\n"
            "? Attempt to read past end of file\r\n"
            "? READ(UNIT=*,...\r\n");
  EXPECT_EQ(report_after(
                [](RecordIo& io) { static_cast<void>(io.open(14, "missing", "old", kNoBranch)); }),
            "? System Error:\r\n"
            "? No such file or directory\r\n"
            "? OPEN(UNIT=14,...\r\n");
  MemoryRun run;
  EXPECT_FALSE(run.io.halted());
  EXPECT_EQ(run.io.error_report(), "");
}

TEST(ErrorReport, AFailureFoundWhenClosingIsNotSilent) {
  MemoryRun run;
  ASSERT_TRUE(run.open_output(12, "out"));
  ASSERT_TRUE(run.open_output(11, "other"));
  run.io.write_line(12, std::string_view("buffered"));
  run.io.write_line(11, std::string_view("pending"));
  run.files.write_error = ENOSPC;
  run.io.stop();
  EXPECT_TRUE(run.io.halted());
  EXPECT_FALSE(run.io.is_open(12));
  EXPECT_EQ(run.io.error_report(),
            "? System Error:\r\n? No space left on device\r\n"
            "? CLOSE(UNIT=11,...\r\n");
}

TEST(Stop, ClosesEveryUnitAndReturns) {
  MemoryRun run;
  ASSERT_TRUE(run.open_output(12, "out"));
  run.io.write_line(12, std::string_view("line"));
  run.io.stop();
  EXPECT_FALSE(run.io.halted());
  EXPECT_FALSE(run.io.is_open(12));
  EXPECT_EQ(run.files.files.at("out"), " line\r\n");
}

}  // namespace
}  // namespace record_io
