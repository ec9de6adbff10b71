// Limits of a stored slope data file that the three programs read and the
// tool writes: how many sections one file (and so one results report) holds.
#pragma once

#include <cstdint>

namespace analysis {

/// Greatest number of sections of a slope data file (and so of slices + 1);
/// the results report has a row for each.
inline constexpr std::int32_t kMaxDataFileSections = 150;

}  // namespace analysis
