#include "search/find_critical.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "search/refine.h"

namespace search {

bool distinct_circles(const TrialGrid& grid, const Params& a, const Params& b) {
  for (std::size_t k = 0; k < 3; ++k) {
    const double step = std::fabs(grid.axes[k].step());
    if (step > 0.0 && std::fabs(a[k] - b[k]) > step) return true;
  }
  return false;
}

CriticalSearch find_critical(EvaluatorPool& pool, const TrialGrid& grid, std::int32_t top,
                             TrialSink* sink, const Progress& progress) {
  CriticalSearch out;
  top = std::max(top, 1);
  const GridResult found = search_grid(pool, grid, kStartsPerPlace * top, sink, progress);
  out.counts = found.counts;
  out.grid_trials = grid.trial_count();
  out.completed = found.completed;
  if (!found.completed) return out;

  std::vector<Ranked> refined;
  refined.reserve(found.picks.size());
  for (const Ranked& start : found.picks) {
    const Refined r = refine(pool, grid, start);
    out.refinement_trials += r.evaluations;
    refined.push_back(r.best);
  }
  std::stable_sort(refined.begin(), refined.end(), [](const Ranked& a, const Ranked& b) {
    if (a.trial.factor != b.trial.factor) return a.trial.factor < b.trial.factor;
    return a.index < b.index;
  });
  for (const Ranked& candidate : refined) {
    if (out.top.size() >= static_cast<std::size_t>(top)) break;
    if (std::all_of(out.top.begin(), out.top.end(), [&](const Ranked& kept) {
          return distinct_circles(grid, kept.params, candidate.params);
        })) {
      out.top.push_back(candidate);
    }
  }
  return out;
}

}  // namespace search
