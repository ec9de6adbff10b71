#include "search/refine.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace search {
namespace {

constexpr std::int32_t kLeastHalvings = 6;
constexpr std::int32_t kMostHalvings = 60;
constexpr std::int32_t kMostStages = 1000;

}  // namespace

Refined refine(EvaluatorPool& pool, const TrialGrid& grid, const Ranked& start) {
  Refined out;
  out.best = start;
  const slope::Polyline& ground = pool.model().ground;
  std::array<double, 3> step{};
  for (std::size_t k = 0; k < 3; ++k) step[k] = grid.axes[k].step();

  std::vector<Params> candidates;
  std::vector<Trial> results;
  candidates.reserve(26);
  results.reserve(26);
  std::vector<double> at_halving{start.trial.factor};
  for (std::int32_t stage = 0; stage < kMostStages; ++stage) {
    candidates.clear();
    for (int i = -1; i <= 1; ++i) {
      for (int j = -1; j <= 1; ++j) {
        for (int l = -1; l <= 1; ++l) {
          const std::array<int, 3> move{i, j, l};
          Params p = out.best.params;
          bool moved = false;
          for (std::size_t k = 0; k < 3; ++k) {
            if (move[k] == 0 || step[k] == 0.0) continue;
            const Axis& axis = grid.axes[k];
            const double value =
                std::clamp(p[k] + static_cast<double>(move[k]) * step[k], axis.from, axis.to);
            moved = moved || value != p[k];
            p[k] = value;
          }
          if (moved) candidates.push_back(p);
        }
      }
    }
    results.resize(candidates.size());
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, candidates.size()),
                      [&](const tbb::blocked_range<std::size_t>& range) {
                        Evaluator& evaluator = pool.local();
                        for (std::size_t c = range.begin(); c != range.end(); ++c) {
                          results[c] = evaluate_params(evaluator, grid, ground, candidates[c]);
                        }
                      });
    out.evaluations += candidates.size();

    std::size_t chosen = candidates.size();
    double least = out.best.trial.factor;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
      if (results[c].outcome == Outcome::factor && results[c].factor < least) {
        chosen = c;
        least = results[c].factor;
      }
    }
    if (chosen < candidates.size()) {
      out.best.trial = results[chosen];
      out.best.params = candidates[chosen];
      continue;
    }
    // No better neighbour: look closer.
    for (double& s : step) s *= 0.5;
    ++out.halvings;
    at_halving.push_back(out.best.trial.factor);
    const std::size_t n = at_halving.size();
    if (out.halvings >= kLeastHalvings && at_halving[n - 3] - at_halving[n - 1] < kRefineChange) {
      break;
    }
    if (out.halvings >= kMostHalvings) break;
    if (candidates.empty()) break;
  }
  return out;
}

}  // namespace search
