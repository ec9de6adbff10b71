// The run of quarnby: settings, slope data, slices, the simplified-method
// iteration and the results report, as one console dialogue.
#pragma once

#include "record_io/record_io.h"

namespace quarnby {

/// Carries out one whole run on `io` and ends the process through the
/// record layer's stop (exit status 0) or its error report (255).
[[noreturn]] void run(record_io::RecordIo& io);

}  // namespace quarnby
