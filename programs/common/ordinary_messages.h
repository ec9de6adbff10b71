// The entries of the ordinary programs' message table (wendmoor.ini) that
// wendmoor and wendmoor-cli show or write, by name. Both programs read the
// same settings file, so the numbers are declared once, here.
#pragma once

#include <cstdint>

namespace programs::ordinary_messages {

/// wendmoor-cli: the default job file name, the start of the job-file prompt.
inline constexpr std::int32_t kJobFileName = 1;
/// wendmoor-cli: the end of the job-file prompt.
inline constexpr std::int32_t kJobFilePrompt = 2;
/// wendmoor: shown before the user chooses the slope data file.
inline constexpr std::int32_t kChooseDataFile = 3;
/// wendmoor: shown before the user chooses the results file.
inline constexpr std::int32_t kChooseResultsFile = 4;
/// Results file: a slice without positive effective normal force, followed
/// by the slice number.
inline constexpr std::int32_t kSliceWarning = 33;
/// wendmoor-cli: a job-file line cannot be read.
inline constexpr std::int32_t kJobFileUnreadable = 34;
/// A read of the slope data file failed, followed by the line counter.
inline constexpr std::int32_t kDataReadFailed = 35;
/// A write to the results file with an error branch failed.
inline constexpr std::int32_t kResultsWriteFailed = 36;
/// wendmoor-cli: a file named in the job file does not open, followed by its
/// name.
inline constexpr std::int32_t kCannotOpen = 37;
/// The second line of the end sequence.
inline constexpr std::int32_t kClosingPrompt = 38;

}  // namespace programs::ordinary_messages
