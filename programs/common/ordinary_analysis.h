// One ordinary-method analysis from the slope data in memory to the closed
// results file: the slices, their warning lines and the report. Shared by
// wendmoor and wendmoor-cli, which differ only in how they get their files.
#pragma once

#include "analysis/message_table.h"
#include "analysis/run_state.h"
#include "analysis/slope_data.h"
#include "method/slices.h"
#include "record_io/record_io.h"

namespace programs {

enum class [[nodiscard]] OrdinaryResult{
    written,       ///< the report is complete and the results unit closed
    write_failed,  ///< a write with an error branch failed; the unit is open
};

/// Computes the slices of `data` by the ordinary method into `slices`,
/// writes a warning line (ordinary_messages::kSliceWarning and the slice
/// number) for every slice without positive effective normal force, then the
/// report, to the open results unit, and closes it. A failure in a line
/// without error branch halts the record layer and still gives `written`.
OrdinaryResult write_ordinary_analysis(record_io::RecordIo& io, const analysis::SlopeData& data,
                                       method::SliceTable& slices,
                                       const analysis::MessageTable& messages,
                                       const analysis::RunState& state);

}  // namespace programs
