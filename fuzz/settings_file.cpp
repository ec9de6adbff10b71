// Fuzz target: the settings file read with both headers, the simplified
// program's six values and the ordinary programs' five, each followed by the
// message records.
#include "analysis/settings_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/run_state.h"
#include "fuzz/fuzz_support.h"

namespace {

using analysis::SettingsResult;

// What every reading leaves, whatever the file holds: a record layer that
// has not halted, a line counter within the lines read and entries no longer
// than an entry.
void check(const record_io::MemoryRun& run, const analysis::RunState& state,
           const analysis::MessageTable& table, SettingsResult result) {
  fuzzing::require(!run.io.halted(), "a halt while reading a settings file");
  fuzzing::require(state.line_counter >= 1 && state.line_counter <= table.capacity() + 1,
                   "line counter outside the lines of the settings file");
  if (result == SettingsResult::error) return;
  for (std::int32_t k = 0; k <= table.capacity() + 1; ++k) {
    fuzzing::require(table.text(k).size() <= analysis::kMessageLength,
                     "an entry longer than 255 characters");
    if (!table.has_entry(k)) {
      fuzzing::require(table.text(k).empty(), "text outside the table");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(fuzzing::as_text(data, size));
  {
    record_io::MemoryRun run;
    fuzzing::require(run.open_input(analysis::kSettingsUnit, file, "quarnby.ini"),
                     "a memory file did not open");
    analysis::RunState state;
    analysis::MessageTable table(analysis::kSimplifiedMessageCount);
    analysis::NumericalControls controls;
    const SettingsResult result =
        analysis::read_simplified_settings(run.io, analysis::kSettingsUnit, state, table, controls);
    check(run, state, table, result);
    if (result == SettingsResult::ok) {
      analysis::apply_numerical_controls(controls, state);
      fuzzing::require(state.iteration_limit >= 1, "iteration limit below 1");
      fuzzing::require(!(state.tolerance < 0.0), "negative tolerance");
    }
  }
  {
    record_io::MemoryRun run;
    fuzzing::require(run.open_input(analysis::kSettingsUnit, file, "wendmoor.ini"),
                     "a memory file did not open");
    analysis::RunState state;
    analysis::MessageTable table(analysis::kOrdinaryMessageCount);
    const SettingsResult result =
        analysis::read_ordinary_settings(run.io, analysis::kSettingsUnit, state, table);
    check(run, state, table, result);
  }
  return 0;
}
