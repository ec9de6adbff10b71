// One analysis of a slope data file into the results file, as the programs
// and the tool's report write it: the method run by the method runner with
// the settings of the run state, the lines the method adds before the report
// (the slice that stopped the iteration; each slice without positive
// effective normal force), then the results report.
#pragma once

#include <cstdint>

#include "analysis/message_numbers.h"
#include "analysis/message_table.h"
#include "analysis/run_state.h"
#include "analysis/slope_data.h"
#include "method/method_run.h"
#include "method/slices.h"
#include "record_io/record_io.h"

namespace analysis {

enum class [[nodiscard]] ResultsWrite{
    written,       ///< every line written and the results unit closed
    write_failed,  ///< a write with an error branch failed; the unit is open
};

/// The settings a program runs `method` with: the run state's tolerance and
/// pass limit, the stopping rule for a slice in tension, and the pore force
/// of its pore-force option (1: on the base length, else on the base width).
[[nodiscard]] method::MethodSettings program_settings(method::Method method, const RunState& state);

/// The message naming the slice that stopped an iteration; 0 for an
/// iteration that converged or reached its limit, and for a closed form.
[[nodiscard]] constexpr std::int32_t stopping_message(const method::MethodResult& result) {
  if (result.status != method::RunStatus::stopped) return 0;
  return result.stop == method::IterationStop::no_positive_normal
             ? simplified_messages::kNoPositiveNormal
             : simplified_messages::kSmallMFactor;
}

/// Writes the stopping line of `result` (its message and the slice) to the
/// results unit with an error branch; writes nothing for a run that did not
/// stop at a slice. write_failed when the line could not be written.
ResultsWrite write_stopping_line(record_io::RecordIo& io, const MessageTable& messages,
                                 const method::MethodResult& result);

/// The ordinary method on `data` into `slices`, then to the open results
/// unit a warning line (ordinary_messages::kSliceWarning and the slice
/// number) for every slice without positive effective normal force, the
/// report, and the unit closed. A failure in a line without error branch
/// halts the record layer and still gives `written`.
ResultsWrite write_ordinary_analysis(record_io::RecordIo& io, const SlopeData& data,
                                     method::SliceTable& slices, const MessageTable& messages,
                                     const RunState& state);

/// The simplified method on `data` into `slices` (its result in `result`),
/// then to the open results unit the stopping line when the iteration
/// stopped at a slice, the report (a stopped iteration's partial sums and
/// the factor of the pass before), and the unit closed.
ResultsWrite write_simplified_analysis(record_io::RecordIo& io, const SlopeData& data,
                                       method::SliceTable& slices, const MessageTable& messages,
                                       const RunState& state, method::MethodResult& result);

}  // namespace analysis
