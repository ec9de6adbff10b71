// The search for the critical circle: every trial of a grid evaluated in
// parallel (oneTBB, in the caller's task arena), wave by wave into
// preallocated slots, then taken in trial order: counted by outcome, handed
// to an optional sink (the trials table) and ranked. The result and every
// byte a sink sees are the same whatever the number of threads. The best
// distinct trials are then refined (refine.h). Writes no file, no console.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "search/evaluation.h"
#include "search/trial_grid.h"
#include "slope/model.h"

namespace search {

/// One Evaluator per worker thread, made when a thread first needs one.
class EvaluatorPool {
 public:
  /// `model` must outlive the pool; `settings` are copied.
  EvaluatorPool(const slope::Model& model, const Settings& settings);
  ~EvaluatorPool();
  EvaluatorPool(const EvaluatorPool&) = delete;
  EvaluatorPool& operator=(const EvaluatorPool&) = delete;

  /// The calling thread's evaluator.
  [[nodiscard]] Evaluator& local();
  [[nodiscard]] const slope::Model& model() const { return model_; }

 private:
  struct Impl;
  const slope::Model& model_;
  std::unique_ptr<Impl> impl_;
};

/// Evaluates the grid's trial with parameters `p` (see circle_at).
[[nodiscard]] Trial evaluate_params(Evaluator& evaluator, const TrialGrid& grid,
                                    const slope::Polyline& ground, const Params& p);

/// A trial with a factor and where it came from.
struct Ranked {
  Trial trial;
  Params params{};          ///< its parameters in the grid's space
  std::uint64_t index = 0;  ///< the grid trial (for a refined circle: the one it started from)
};

/// Counts of trials by outcome, indexed by the Outcome's value.
using Counts = std::array<std::uint64_t, kOutcomeCount>;

/// Receives the evaluated trials of a grid in trial order, a run of
/// consecutive trials at a time, on the thread that called search_grid.
class TrialSink {
 public:
  virtual ~TrialSink() = default;
  /// Trials first, first + 1, ...; false stops the search (e.g. a failed write).
  [[nodiscard]] virtual bool take(std::uint64_t first, std::span<const Trial> trials) = 0;
};

/// Told, on the calling thread, how many trials of how many are done.
using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;

/// The best trials of a grid and the counts.
struct GridResult {
  Counts counts{};
  /// Up to `picks` distinct trials with a factor, best first (least factor,
  /// then least index). Distinct: each is at least two grid steps along
  /// some axis from every better pick (not one of its 26 grid neighbours).
  std::vector<Ranked> picks;
  bool completed = true;  ///< false when the sink stopped the search
};

/// Trials evaluated at once between two calls of the sink and the progress.
inline constexpr std::uint64_t kWaveTrials = 1 << 16;

/// Evaluates every trial of `grid` (checked by check_grid) through
/// `pool`'s model. Memory stays flat in the number of trials: a wave of
/// kWaveTrials results and a ranking pool of 27 * picks trials.
[[nodiscard]] GridResult search_grid(EvaluatorPool& pool, const TrialGrid& grid, std::int32_t picks,
                                     TrialSink* sink, const Progress& progress);

}  // namespace search
