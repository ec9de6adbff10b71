// The results report: the data file's titles and header, the section table,
// the slice table, the two force sums and the factor of safety, as delimited
// text lines in the results file. Every heading comes from the message table.
#pragma once

#include "analysis/message_table.h"
#include "analysis/slope_data.h"
#include "method/slices.h"

namespace record_io {
class RecordIo;
}

namespace analysis {

/// Outcome of writing a report.
enum class [[nodiscard]] ReportResult{
    ok,                 ///< every line written
    title_write_failed  ///< line 1 failed; nothing of the report was written
};

/// Writes the report of `data` and `table` to `unit`, 2N + 9 lines for N
/// sections (N >= 1), with `field_separator` between the values:
///   1, 2        title_1, title_2 in layout (A), trailing blanks removed;
///   3, 4        messages 5 and 6 each followed by a separator; then
///               water_unit_weight and N;
///   5, 6        message 7; messages 8 to 14 (section-table headings);
///   7..N+6      per section k: k, x, ground_level, slip_level,
///               ground_level - slip_level, lower_height, pore_head;
///   N+7, N+8    message 15 in layout (A); messages 16 to 29 (slice headings);
///   N+9..2N+7   per slice i: i, width, mean_height, base_slope, weight, the
///               unit weights, cohesion and friction_angle (degrees) of
///               section i, load, driving_force, resisting_force, net_force,
///               mean_pore_head;
///   2N+8        nine separators, message 30, sum_driving, sum_resisting;
///   2N+9        message 31 and |sum_resisting / sum_driving|.
/// Only line 1 carries an error branch: its failure returns
/// title_write_failed. A failure of any later line halts the record layer:
/// the lines after it do nothing, the report returns ok all the same, and the
/// run ends with the layer's error report. The values are printed as they stand, so a
/// stopped iteration shows its partial sum. The unit is left open.
ReportResult write_results_report(record_io::RecordIo& io, int unit, const SlopeData& data,
                                  const method::SliceTable& table, const MessageTable& messages,
                                  char field_separator);

}  // namespace analysis
