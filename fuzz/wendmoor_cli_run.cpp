// Fuzz target: a whole run of wendmoor-cli from memory. The input holds the
// settings file, the job file, the slope data file and the console input,
// separated by kPartSeparator lines. The job file may name the data file,
// missing files and results files as it likes.
#include "programs/wendmoor-cli/wendmoor_cli_run.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"

namespace {

constexpr const char* kInstalledSettings = "/installed/wendmoor.ini";
// The lines of a report that every report has besides its section and
// slice rows.
constexpr std::size_t kFixedReportLines = 9;

std::size_t line_count(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) {
    ++lines;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzzing::split_parts(fuzzing::as_text(data, size), 4);
  record_io::MemoryRun run(parts[3]);
  run.files.files["wendmoor.ini"] = parts[0];
  run.files.files["wendmoor-jobs.txt"] = parts[1];
  run.files.files["slope.dat"] = parts[2];
  const int status = wendmoor_cli::run(run.io, kInstalledSettings);
  fuzzing::check_ending(run, status, {wendmoor_cli::kSuccessStatus, wendmoor_cli::kFailureStatus});
  fuzzing::require(fuzzing::inputs_unchanged(run, {{"wendmoor.ini", parts[0]},
                                                   {"wendmoor-jobs.txt", parts[1]},
                                                   {"slope.dat", parts[2]}}),
                   "a run modified a file that it reads");
  if (status == wendmoor_cli::kSuccessStatus) {
    // Success means every report was written whole: each file the run
    // created ends with a complete line and holds at least the fixed lines.
    for (const auto& [name, text] : run.files.files) {
      if (name == "wendmoor.ini" || name == "wendmoor-jobs.txt" || name == "slope.dat") {
        continue;
      }
      fuzzing::require(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0 &&
                           line_count(text) >= kFixedReportLines,
                       "a run succeeded with an incomplete results file");
    }
  }
  return 0;
}
