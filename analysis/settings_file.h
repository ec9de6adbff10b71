// Reading of the settings file: a free-format header of run controls, then
// message records in layout (I4,1X,A) that fill the message table. The two
// programs' headers differ; the message records are the same for both.
#pragma once

#include <cstdint>

#include "analysis/message_table.h"
#include "analysis/run_state.h"

namespace record_io {
class RecordIo;
}

namespace analysis {

/// Outcome of reading a settings file.
enum class [[nodiscard]] SettingsResult{
    ok,    ///< header read; message records read up to the count or the file end
    error  ///< a read failed; RunState::line_counter names its line
};

/// The simplified program's numerical controls as the header gives them.
/// They take effect only through apply_numerical_controls, after the settings
/// file has been closed.
struct NumericalControls {
  double tolerance_value = 0.0;
  std::int32_t iteration_limit_value = 0;
};

/// Reads the simplified program's settings from `unit`: the six-value header
/// (tolerance value, iteration limit value, message_count, closing_pause,
/// separator_code, a 4-character spare text), then message records into
/// `messages`. See read_ordinary_settings for the rules they share.
SettingsResult read_simplified_settings(record_io::RecordIo& io, int unit, RunState& state,
                                        MessageTable& messages, NumericalControls& controls);

/// Reads the ordinary programs' settings from `unit`: the five-value header
/// (message_count, pore_force_option, closing_pause, separator_code, a
/// 4-character spare text), then message records into `messages`.
///
/// Rules for both headers: every header value is 0 before the read, so a null
/// value or a slash leaves 0. A bad value or an end of file before the last
/// value is an error at line 1. On success closing_pause (and
/// pore_force_option) are stored, and a separator_code of 0 or more sets
/// field_separator to the character of code separator_code mod 256.
///
/// Then message records j = 1 to message_count (at most the table's
/// capacity; none when 0 or less), record j counted as line j + 1: an
/// unreadable record, or an index outside 1..capacity (0 from a blank index
/// field included), is an error at that line; the end of the file ends the
/// reading normally. A later record replaces an earlier one of the same index.
SettingsResult read_ordinary_settings(record_io::RecordIo& io, int unit, RunState& state,
                                      MessageTable& messages);

/// Puts the simplified program's controls into force: tolerance becomes
/// |tolerance_value| when tolerance_value < kToleranceThreshold (the test is
/// on the signed value), and iteration_limit becomes iteration_limit_value
/// when that is 1 or more. Other values leave the state unchanged.
void apply_numerical_controls(const NumericalControls& controls, RunState& state);

}  // namespace analysis
