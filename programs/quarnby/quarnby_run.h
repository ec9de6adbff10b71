// The run of quarnby: settings, slope data, slices, the simplified-method
// iteration and the results report, as one console dialogue.
#pragma once

#include "record_io/record_io.h"

namespace quarnby {

/// Carries out one whole run on `io`, every unit closed at its end, and
/// returns the exit status: 0, or record_io::kErrorReportStatus after the
/// record layer's error report.
[[nodiscard]] int run(record_io::RecordIo& io);

}  // namespace quarnby
