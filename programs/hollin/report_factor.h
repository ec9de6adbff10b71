// The factor of safety read back from a stored results report (the file of
// quarnby, wendmoor or `hollin report`) for the data file it was written
// for: the report must end with that file's 2N + 9 lines.
#pragma once

#include <string>
#include <string_view>

#include "analysis/slope_data.h"

namespace hollin {

/// Reads the factor from `report` (the whole file): lines end at LF, a CR
/// before it is dropped, empty lines at the end are ignored. The last 2N + 9
/// lines (N = data.section_count) are the report; lines before them (a
/// stopping-slice or warning line) are allowed. Its first line must be the
/// data file's first title (trailing blanks ignored), and its last line must
/// end in a number, whatever the field separator. False with `why` when the
/// text is no report of `data`, or its factor is INF or NaN.
[[nodiscard]] bool report_factor(std::string_view report, const analysis::SlopeData& data,
                                 double& factor, std::string& why);

}  // namespace hollin
