// The terminal file choice behind an open whose name begins with NUL.
#include "record_io/file_choice.h"

#include <gtest/gtest.h>

#include "record_io/memory_run.h"
#include "record_io/record_io.h"

namespace record_io {
namespace {

constexpr std::string_view kChoose("\0", 1);

TEST(FileChoice, NamesAndTitles) {
  EXPECT_EQ(file_choice_title(OpenStatus::old_file, 13), "Open file on TELWORN UNIT 13");
  EXPECT_EQ(file_choice_title(OpenStatus::unknown_file, 12), "Create file on TELWORN UNIT 12");
  EXPECT_EQ(with_default_extension("slope"), "slope.dat");
  EXPECT_EQ(with_default_extension("dir.d/slope"), "dir.d/slope.dat");
  EXPECT_EQ(with_default_extension("slope.txt"), "slope.txt");
  EXPECT_EQ(with_default_extension(".profile"), ".profile.dat");
}

TEST(FileChoice, EmptyLineOrEndOfInputCancelsWithoutMessage) {
  for (const std::string answers : {"\n", "   \n", ""}) {
    MemoryRun run(answers);
    EXPECT_EQ(run.io.open(13, kChoose, "OLD", kErrorBranch), IoResult::error);
    EXPECT_EQ(run.console_out.output, "Open file on TELWORN UNIT 13\r\nFile name: ");
  }
}

TEST(FileChoice, MissingFileIsAskedAgainAndDefaultExtensionApplies) {
  MemoryRun run("nothing.txt\n  slope  \n");
  run.files.files["slope.dat"] = "title\n";
  ASSERT_EQ(run.io.open(13, kChoose, "OLD", kErrorBranch), IoResult::ok);
  EXPECT_EQ(run.console_out.output,
            "Open file on TELWORN UNIT 13\r\nFile name: "
            "File not found: nothing.txt\r\nFile name: ");
  std::array<char, 5> title{};
  ASSERT_EQ(run.io.read_layout_a(13, title, kErrorBranch), IoResult::ok);
  EXPECT_EQ(std::string(title.begin(), title.end()), "title");
}

TEST(FileChoice, AFileInAMissingFolderIsAskedAgain) {
  MemoryRun run("no/such/folder/results.txt\nresults.txt\n");
  ASSERT_EQ(run.io.open(12, kChoose, "unknown", kErrorBranch), IoResult::ok);
  EXPECT_EQ(run.console_out.output,
            "Create file on TELWORN UNIT 12\r\nFile name: "
            "Folder not found: no/such/folder\r\nFile name: ");
  EXPECT_EQ(folder_of("/top.dat"), "/");
  EXPECT_EQ(folder_of("plain.dat"), "");
}

TEST(FileChoice, AFileTheRunReadsIsNotOfferedForWriting) {
  MemoryRun run("input.dat\nresults.txt\n");
  run.files.files["input.dat"] = "keep\n";
  ASSERT_EQ(run.io.open(13, "input.dat", "old", kErrorBranch), IoResult::ok);
  ASSERT_EQ(run.io.open(12, kChoose, "unknown", kErrorBranch), IoResult::ok);
  EXPECT_EQ(run.console_out.output,
            "Create file on TELWORN UNIT 12\r\nFile name: "
            "Cannot write this file: input.dat\r\nFile name: ");
  EXPECT_EQ(run.files.files.at("input.dat"), "keep\n");
}

TEST(FileChoice, ANewFileMayBeCreated) {
  MemoryRun run("results\n");
  ASSERT_EQ(run.io.open(12, kChoose, "unknown", kErrorBranch), IoResult::ok);
  run.io.write_line(12, std::string_view("x"));
  run.io.close(12);
  EXPECT_EQ(run.files.files.at("results.dat"), " x\r\n");
}

}  // namespace
}  // namespace record_io
