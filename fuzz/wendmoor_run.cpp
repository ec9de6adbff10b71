// Fuzz target: a whole run of wendmoor from memory. The input holds the
// settings file, the slope data file and the console input, separated by
// kPartSeparator lines; the console input chooses the files.
#include "programs/wendmoor/wendmoor_run.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzzing::split_parts(fuzzing::as_text(data, size), 3);
  record_io::MemoryRun run(parts[2]);
  run.files.files["wendmoor.ini"] = parts[0];
  run.files.files["slope.dat"] = parts[1];
  const int status = wendmoor::run(run.io);
  fuzzing::check_ending(run, status, {0});
  fuzzing::require(
      fuzzing::inputs_unchanged(run, {{"wendmoor.ini", parts[0]}, {"slope.dat", parts[1]}}),
      "a run modified its settings or data file");
  return 0;
}
