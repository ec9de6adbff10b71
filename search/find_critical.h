// The whole search for the critical circle: the grid evaluated (search.h),
// the best distinct trials refined (refine.h), and the refined circles that
// stay distinct ranked. What `hollin search` reports.
#pragma once

#include <cstdint>
#include <vector>

#include "search/search.h"

namespace search {

/// Grid trials refined per circle of the top list asked for: more starts
/// than places, since several starts may refine to the same circle.
inline constexpr std::int32_t kStartsPerPlace = 4;

/// What a search found.
struct CriticalSearch {
  Counts counts{};                      ///< grid trials by outcome
  std::uint64_t grid_trials = 0;        ///< trials of the grid
  std::uint64_t refinement_trials = 0;  ///< circles evaluated in refinement
  /// Up to `top` refined circles, least factor first (then least start
  /// index), each distinct from every better one; empty when no grid trial
  /// had a factor. The first is the critical circle.
  std::vector<Ranked> top;
  bool completed = true;  ///< false when the sink stopped the search
};

/// Two circles of `grid`'s space are distinct when their parameters differ
/// by more than one grid step along some axis of more than one value.
[[nodiscard]] bool distinct_circles(const TrialGrid& grid, const Params& a, const Params& b);

/// Searches `grid` (checked by check_grid): every trial evaluated, the best
/// kStartsPerPlace * top distinct grid trials refined, then the refined
/// circles taken by factor, each kept when distinct from those kept, up to
/// `top` (at least 1).
[[nodiscard]] CriticalSearch find_critical(EvaluatorPool& pool, const TrialGrid& grid,
                                           std::int32_t top, TrialSink* sink,
                                           const Progress& progress);

}  // namespace search
