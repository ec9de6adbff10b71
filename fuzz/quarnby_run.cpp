// Fuzz target: a whole run of quarnby from memory. The input holds the
// settings file, the slope data file and the console input, separated by
// kPartSeparator lines; the console input chooses the files.
#include "programs/quarnby/quarnby_run.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "fuzz/fuzz_support.h"

namespace {

// The iteration makes up to iteration_limit passes by design; an input that
// asks for more than this many is slow, not faulty, and is passed over.
constexpr std::int32_t kLargestIterationLimit = 1000;

bool asks_for_long_iteration(const std::string& file) {
  record_io::MemoryRun run;
  if (!run.open_input(analysis::kSettingsUnit, file, "settings")) return false;
  analysis::RunState state;
  analysis::MessageTable table(analysis::kSimplifiedMessageCount);
  analysis::NumericalControls controls;
  static_cast<void>(
      analysis::read_simplified_settings(run.io, analysis::kSettingsUnit, state, table, controls));
  return controls.iteration_limit_value > kLargestIterationLimit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzzing::split_parts(fuzzing::as_text(data, size), 3);
  const std::string& settings = parts[0];
  const std::string& slope = parts[1];
  // Either file may be chosen as the settings file.
  if (asks_for_long_iteration(settings) || asks_for_long_iteration(slope)) return 0;

  record_io::MemoryRun run(parts[2]);
  run.files.files["quarnby.ini"] = settings;
  run.files.files["slope.dat"] = slope;
  const int status = quarnby::run(run.io);
  fuzzing::check_ending(run, status, {0});
  fuzzing::require(
      fuzzing::inputs_unchanged(run, {{"quarnby.ini", settings}, {"slope.dat", slope}}),
      "a run modified its settings or data file");
  return 0;
}
