#include "search/search.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/enumerable_thread_specific.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/partitioner.h>

#include <algorithm>
#include <cstddef>
#include <functional>

namespace search {
namespace {

/// Trials one task evaluates: large enough that scheduling costs nothing
/// beside a few milliseconds of cutting, small enough to balance the cores.
constexpr std::uint64_t kBlockTrials = 512;

/// Orders ranked trials: least factor first, then least index.
bool better(const Ranked& a, const Ranked& b) {
  if (a.trial.factor != b.trial.factor) return a.trial.factor < b.trial.factor;
  return a.index < b.index;
}

/// Not one of the 26 grid neighbours of each other (nor the same trial).
bool distinct(const TrialGrid& grid, std::uint64_t a, std::uint64_t b) {
  const Indices i = indices_of(grid, a);
  const Indices j = indices_of(grid, b);
  for (std::size_t k = 0; k < 3; ++k) {
    if (i[k] - j[k] > 1 || j[k] - i[k] > 1) return true;
  }
  return false;
}

}  // namespace

struct EvaluatorPool::Impl {
  Impl(const slope::Model& model, const Settings& given)
      : settings(given), evaluators(std::cref(model), std::cref(settings)) {}
  const Settings settings;  // a copy: the evaluators are made later, on their threads
  tbb::enumerable_thread_specific<Evaluator> evaluators;
};

EvaluatorPool::EvaluatorPool(const slope::Model& model, const Settings& settings)
    : model_(model), impl_(std::make_unique<Impl>(model, settings)) {}

EvaluatorPool::~EvaluatorPool() = default;

Evaluator& EvaluatorPool::local() { return impl_->evaluators.local(); }

Trial evaluate_params(Evaluator& evaluator, const TrialGrid& grid, const slope::Polyline& ground,
                      const Params& p) {
  slope::Circle circle;
  if (!circle_at(grid, ground, p, circle)) return Evaluator::no_circle();
  return evaluator.evaluate(circle);
}

GridResult search_grid(EvaluatorPool& pool, const TrialGrid& grid, std::int32_t picks,
                       TrialSink* sink, const Progress& progress) {
  GridResult result;
  const std::uint64_t total = grid.trial_count();
  const slope::Polyline& ground = pool.model().ground;
  std::vector<Trial> wave(static_cast<std::size_t>(std::min(total, kWaveTrials)));
  // The best 27 * picks trials hold every greedy pick: picking one excludes
  // at most its 27 grid places, so the best trial not yet excluded always
  // ranks among them. Kept as a heap with the worst on top.
  const std::size_t keep = 27 * static_cast<std::size_t>(std::max(picks, 0));
  std::vector<Ranked> pool_best;
  pool_best.reserve(keep + 1);

  for (std::uint64_t first = 0; first < total; first += kWaveTrials) {
    const std::uint64_t count = std::min(kWaveTrials, total - first);
    const std::uint64_t blocks = (count + kBlockTrials - 1) / kBlockTrials;
    tbb::parallel_for(
        tbb::blocked_range<std::uint64_t>(0, blocks, 1),
        [&](const tbb::blocked_range<std::uint64_t>& range) {
          Evaluator& evaluator = pool.local();
          for (std::uint64_t block = range.begin(); block != range.end(); ++block) {
            const std::uint64_t end = std::min(count, (block + 1) * kBlockTrials);
            for (std::uint64_t t = block * kBlockTrials; t < end; ++t) {
              const Params p = params_at(grid, indices_of(grid, first + t));
              wave[static_cast<std::size_t>(t)] = evaluate_params(evaluator, grid, ground, p);
            }
          }
        },
        tbb::simple_partitioner());

    // In trial order, on this thread: the same result for any thread count.
    for (std::uint64_t t = 0; t < count; ++t) {
      const Trial& trial = wave[static_cast<std::size_t>(t)];
      ++result.counts[static_cast<std::size_t>(trial.outcome)];
      if (trial.outcome != Outcome::factor || keep == 0) continue;
      const Ranked ranked{trial, {}, first + t};
      if (pool_best.size() == keep) {
        if (!better(ranked, pool_best.front())) continue;
        std::pop_heap(pool_best.begin(), pool_best.end(), better);
        pool_best.pop_back();
      }
      pool_best.push_back(ranked);
      std::push_heap(pool_best.begin(), pool_best.end(), better);
    }
    if (sink != nullptr &&
        !sink->take(first, std::span<const Trial>(wave.data(), static_cast<std::size_t>(count)))) {
      result.completed = false;
      return result;
    }
    if (progress) progress(first + count, total);
  }

  std::sort(pool_best.begin(), pool_best.end(), better);
  for (const Ranked& candidate : pool_best) {
    if (result.picks.size() >= static_cast<std::size_t>(picks)) break;
    const bool apart = std::all_of(result.picks.begin(), result.picks.end(), [&](const Ranked& p) {
      return distinct(grid, p.index, candidate.index);
    });
    if (!apart) continue;
    result.picks.push_back(candidate);
    result.picks.back().params = params_at(grid, indices_of(grid, candidate.index));
  }
  return result;
}

}  // namespace search
