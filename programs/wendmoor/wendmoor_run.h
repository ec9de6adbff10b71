// The run of wendmoor: settings, slope data, results file, the ordinary
// method of slices and its report, as one console dialogue.
#pragma once

#include "record_io/record_io.h"

namespace wendmoor {

/// Carries out one whole run on `io`, every unit closed at its end, and
/// returns the exit status: 0, or record_io::kErrorReportStatus after the
/// record layer's error report.
[[nodiscard]] int run(record_io::RecordIo& io);

}  // namespace wendmoor
