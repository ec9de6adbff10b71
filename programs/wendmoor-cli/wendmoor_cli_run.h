// The run of wendmoor-cli: the settings search, the job file and one
// ordinary-method analysis per pair of file names, without dialogue.
#pragma once

#include <string_view>

#include "record_io/record_io.h"

namespace wendmoor_cli {

/// Exit status when every analysis of the job file wrote its report.
inline constexpr int kSuccessStatus = 0;
/// Exit status of every other path that ends by the stop.
inline constexpr int kFailureStatus = 1;

/// Carries out one whole run on `io`, every unit closed at its end, and
/// returns the exit status: kSuccessStatus, kFailureStatus, or
/// record_io::kErrorReportStatus after the record layer's error report. The
/// settings file is searched as "wendmoor.ini" in the working directory,
/// then `installed_settings_path`, then "../Wendmoor/wendmoor.ini".
[[nodiscard]] int run(record_io::RecordIo& io, std::string_view installed_settings_path);

}  // namespace wendmoor_cli
