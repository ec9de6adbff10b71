// The entries of the two message tables by name: quarnby.ini's (the
// simplified-method program) and wendmoor.ini's (the two ordinary-method
// programs). Entries 5 to 32 are the same in both: the results report's
// headings and labels and the first line of the end sequence. Every number a
// program, the report or the tool shows is named here and nowhere else.
#pragma once

#include <cstdint>

namespace analysis {

/// Entries both tables hold at the same number.
namespace report_messages {
/// The headings of the values line: the unit weight of water, the number of
/// sections.
inline constexpr std::int32_t kFirstValueHeading = 5;
/// The title of the section table and its headings.
inline constexpr std::int32_t kSectionTableTitle = 7;
inline constexpr std::int32_t kFirstSectionHeading = 8;
inline constexpr std::int32_t kLastSectionHeading = 14;
/// The title of the slice table and its headings.
inline constexpr std::int32_t kSliceTableTitle = 15;
inline constexpr std::int32_t kFirstSliceHeading = 16;
inline constexpr std::int32_t kLastSliceHeading = 29;
/// The label of the two force sums.
inline constexpr std::int32_t kSumsLabel = 30;
/// The label of the factor of safety.
inline constexpr std::int32_t kFactorLabel = 31;
/// The first line of every end sequence.
inline constexpr std::int32_t kAnalysisEnded = 32;
}  // namespace report_messages

/// quarnby.ini: the simplified-method program.
namespace simplified_messages {
/// Shown before the user chooses the slope data file.
inline constexpr std::int32_t kChooseDataFile = 3;
/// Shown before the user chooses the results file.
inline constexpr std::int32_t kChooseResultsFile = 4;
/// The iteration did not converge.
inline constexpr std::int32_t kNotConverged = 33;
/// Asks whether the report is written all the same.
inline constexpr std::int32_t kAskForReport = 34;
/// A slice without positive effective normal force stopped the iteration,
/// followed by the slice number (console and results file).
inline constexpr std::int32_t kNoPositiveNormal = 35;
/// The prompt after a stopping slice and the second line of the end
/// sequence.
inline constexpr std::int32_t kPressEnter = 36;
/// A slice whose m-factor fell below the threshold stopped the iteration,
/// followed by the slice number.
inline constexpr std::int32_t kSmallMFactor = 37;
/// A read of the slope data file failed, followed by the line counter.
inline constexpr std::int32_t kDataReadFailed = 39;
/// A write to the results file with an error branch failed.
inline constexpr std::int32_t kResultsWriteFailed = 40;
}  // namespace simplified_messages

/// wendmoor.ini: the ordinary-method programs, wendmoor and wendmoor-cli.
namespace ordinary_messages {
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
}  // namespace ordinary_messages

}  // namespace analysis
