// The unit numbers through which the programs reach their files in the
// record layer; the file choice of an open without a name shows these numbers.
#pragma once

namespace analysis {

inline constexpr int kJobUnit = 11;       ///< job file of the batch program
inline constexpr int kResultsUnit = 12;   ///< results file (written)
inline constexpr int kDataUnit = 13;      ///< slope data file (read)
inline constexpr int kSettingsUnit = 14;  ///< settings file (read)

}  // namespace analysis
