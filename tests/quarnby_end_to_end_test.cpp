// quarnby run end to end: the built program in a temporary folder, its
// console answers piped, whole files compared byte for byte.
#include <gtest/gtest.h>

#include "tests/run_program.h"

namespace end_to_end {
namespace {

constexpr const char* kQuarnby = QUARNBY_PATH;

TEST(QuarnbyRun, WithoutSettingsFileAsksForOneAndCancelEnds) {
  WorkFolder folder;
  const RunResult result = folder.run(kQuarnby, "\n\n");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console,
            " quarnby: factor of safety by the simplified method of slices\r\n"
            " Hollin Suite 1.0, slope stability by the method of slices\r\n"
            " quarnby.ini?\r\n"
            "Open file on TELWORN UNIT 14\r\nFile name: ");
  EXPECT_EQ(result.errors, "");
}

}  // namespace
}  // namespace end_to_end
