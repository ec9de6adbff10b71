#include "programs/hollin/data_file_input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/run_program.h"

namespace hollin {
namespace {

/// A slope data file whose `count` sections step along x from `first_x`.
std::string data_text(double water_unit_weight, int count, int first_x) {
  std::string text = "Title one\nTitle two\nnot kept\n" + std::to_string(water_unit_weight) + " " +
                     std::to_string(count) + " 0 0 0 0\nnot kept\n";
  for (int k = 0; k < count; ++k) {
    text += std::to_string(first_x + 4 * k) + " 10 5 1 1 20 18 10 30 0 0 0 0 0 0 0\n";
  }
  return text;
}

// The record layer reads the bytes it is given, never the file by its name:
// what a caller scans is what the data come from, and a refusal names the
// file with the line of those bytes.
TEST(DataFileInput, TheRecordLayerReadsTheBytesGivenAndNotTheFileNamed) {
  const end_to_end::WorkFolder folder;
  folder.write("slope.dat", data_text(9.81, 3, 0));
  const std::string path = (folder.path() / "slope.dat").string();

  CommandContext context;
  std::string text;
  auto from_file = std::make_unique<analysis::SlopeData>();
  ASSERT_TRUE(read_data_file(path, text, *from_file, context)) << context.err;
  EXPECT_EQ(text, folder.read("slope.dat"));

  auto from_bytes = std::make_unique<analysis::SlopeData>();
  ASSERT_TRUE(read_data_text(path, data_text(10.0, 4, 2), *from_bytes, context)) << context.err;
  EXPECT_EQ(from_file->section_count, 3);
  EXPECT_EQ(from_bytes->section_count, 4);
  EXPECT_EQ(from_bytes->water_unit_weight, 10.0);
  EXPECT_EQ(from_bytes->section(1).x, 2.0);

  std::string cut_short = data_text(9.81, 3, 0);
  cut_short.resize(cut_short.rfind("8 10"));
  EXPECT_FALSE(read_data_text(path, cut_short, *from_bytes, context));
  EXPECT_EQ(context.err.substr(0, context.err.find(": the programs")), "hollin: " + path + ":8");
}

}  // namespace
}  // namespace hollin
