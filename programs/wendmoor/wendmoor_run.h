// The run of wendmoor: settings, slope data, results file, the ordinary
// method of slices and its report, as one console dialogue.
#pragma once

#include "record_io/record_io.h"

namespace wendmoor {

/// Carries out one whole run on `io` and ends the process through the
/// record layer's stop (exit status 0) or its error report (255).
[[noreturn]] void run(record_io::RecordIo& io);

}  // namespace wendmoor
