#include "programs/hollin/init_command.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/run_program.h"

namespace hollin {
namespace {

using end_to_end::source_file;
using end_to_end::WorkFolder;

struct InitRun {
  int status = -1;
  CommandContext context;
};

InitRun init(const std::string& folder, std::string_view language = "en", bool force = false) {
  InitOptions options;
  options.folder = folder;
  options.language = std::string(language);
  options.force = force;
  InitRun run;
  run.status = run_init(options, run.context);
  return run;
}

// The source of each file a working folder gets, English and German.
constexpr std::string_view kSources[][3] = {
    {"quarnby.ini", "share/quarnby.ini", "share/de/quarnby.ini"},
    {"wendmoor.ini", "share/wendmoor.ini", "share/de/wendmoor.ini"},
    {"wendmoor-jobs.txt", "examples/wendmoor-jobs.txt", "examples/wendmoor-jobs.txt"},
    {"worked-example.dat", "examples/worked-example.dat", "examples/worked-example.dat"},
    {"embankment.dat", "examples/embankment.dat", "examples/embankment.dat"},
    {"steep-toe.dat", "examples/steep-toe.dat", "examples/steep-toe.dat"},
    {"simple-slope.toml", "examples/simple-slope.toml", "examples/simple-slope.toml"},
};

TEST(InitCommand, WritesEveryFileByteForByteInTheChosenLanguageIntoANewFolder) {
  const WorkFolder work;
  ASSERT_EQ(init_file_names().size(), std::size(kSources));
  for (const int column : {1, 2}) {
    const std::string folder = column == 1 ? "en/nested" : "de";
    const InitRun run = init((work.path() / folder).string(), column == 1 ? "en" : "de");
    ASSERT_EQ(run.status, kExitSuccess) << run.context.err;
    EXPECT_EQ(run.context.err, "");
    for (const auto& source : kSources) {
      const std::string name = folder + "/" + std::string(source[0]);
      EXPECT_EQ(work.read(name), source_file(source[column])) << name;
      EXPECT_NE(run.context.out.find("  " + std::string(source[0]) + "\n"), std::string::npos);
    }
  }
  // The German files are the translated ones, letters as UTF-8.
  EXPECT_NE(work.read("de/quarnby.ini").find("Gel\xC3\xA4ndeh\xC3\xB6he"), std::string::npos);
}

TEST(InitCommand, NamesTheFilesThatExistAndWritesNoneWithoutForce) {
  const WorkFolder work;
  work.write("w/quarnby.ini", "my own settings\n");
  work.write("w/steep-toe.dat", "my own data\n");
  const std::string folder = (work.path() / "w").string();
  const InitRun refused = init(folder);
  EXPECT_EQ(refused.status, kExitRefused);
  EXPECT_NE(refused.context.err.find("w/quarnby.ini exists\n"), std::string::npos);
  EXPECT_NE(refused.context.err.find("w/steep-toe.dat exists\n"), std::string::npos);
  EXPECT_NE(refused.context.err.find("nothing written"), std::string::npos);
  EXPECT_EQ(refused.context.out, "");
  EXPECT_EQ(work.read("w/quarnby.ini"), "my own settings\n");
  EXPECT_FALSE(work.exists("w/wendmoor.ini"));

  const InitRun forced = init(folder, "de", true);
  ASSERT_EQ(forced.status, kExitSuccess) << forced.context.err;
  EXPECT_EQ(work.read("w/quarnby.ini"), source_file("share/de/quarnby.ini"));
  EXPECT_EQ(work.read("w/steep-toe.dat"), source_file("examples/steep-toe.dat"));
}

TEST(InitCommand, RefusesAFileAsTheFolderAndAFolderInPlaceOfAFileEvenWithForce) {
  const WorkFolder work;
  work.write("plain", "not a folder\n");
  const InitRun on_file = init((work.path() / "plain").string());
  EXPECT_EQ(on_file.status, kExitRefused);
  EXPECT_NE(on_file.context.err.find("not a folder"), std::string::npos);
  EXPECT_EQ(work.read("plain"), "not a folder\n");

  work.write("w/wendmoor.ini/inside", "x");
  const InitRun over_folder = init((work.path() / "w").string(), "en", true);
  EXPECT_EQ(over_folder.status, kExitRefused);
  EXPECT_NE(over_folder.context.err.find("w/wendmoor.ini exists and is not a regular file"),
            std::string::npos);
  EXPECT_FALSE(work.exists("w/quarnby.ini"));
}

}  // namespace
}  // namespace hollin
