// The search's grid on the published simple slope, without loads and with
// every load a model can add: 1,000,000 trial circles that each cut the
// slope, 50 slices each, the simplified method to the
// default tolerance (1e-5 in single precision) under the stopping rule, on
// every core and on one. Wall time is what counts (UseRealTime); the
// counters give the time per circle and how the trials ended.
//   build/bench/bench/search_benchmarks --benchmark_repetitions=5
#include <benchmark/benchmark.h>
#include <oneapi/tbb/info.h>
#include <oneapi/tbb/task_arena.h>

#include <cstddef>
#include <cstdint>

#include "bench/slope_models.h"
#include "method/method_run.h"
#include "search/optimise.h"
#include "search/polyline_search.h"
#include "search/search.h"

namespace {

/// 100 x 100 centres above the face, 100 tangent levels around the toe:
/// every circle enters at the crest and leaves at or near the toe.
search::TrialGrid million_circles() {
  search::TrialGrid grid;
  grid.kind = search::GridKind::centres_tangents;
  grid.axes = {search::Axis{12.0, 22.0, 100}, search::Axis{20.0, 30.0, 100},
               search::Axis{-2.0, 2.0, 100}};
  return grid;
}

void BM_SearchMillionCircles(benchmark::State& state) {
  const int threads =
      state.range(0) > 0 ? static_cast<int>(state.range(0)) : tbb::info::default_concurrency();
  const slope::Model model = state.range(1) == 2   ? bench::loaded_slope()
                             : state.range(1) == 1 ? bench::wet_slope()
                                                   : bench::simple_slope();
  const search::TrialGrid grid = million_circles();
  search::Settings settings;
  settings.slices = 50;
  settings.analysis.method = method::kMethods[static_cast<std::size_t>(state.range(2))].method;
  tbb::task_arena arena(threads);
  search::GridResult result;
  for (auto _ : state) {
    arena.execute([&] {
      search::EvaluatorPool pool(model, settings);
      result = search::search_grid(pool, grid, 1, nullptr, {});
    });
    benchmark::DoNotOptimize(result.picks.data());
  }
  const auto trials = static_cast<double>(grid.trial_count());
  state.counters["threads"] = threads;
  state.counters["circles"] = trials;
  state.counters["with_factor"] =
      static_cast<double>(result.counts[static_cast<std::size_t>(search::Outcome::factor)]);
  state.counters["circles_per_s"] =
      benchmark::Counter(trials, benchmark::Counter::kIsIterationInvariantRate);
  if (!result.picks.empty()) state.counters["least_factor"] = result.picks.front().trial.factor;
  for (std::size_t k = 0; k < search::kOutcomeCount; ++k) {
    if (k == 0 || result.counts[k] == 0) continue;
    state.counters[std::string(search::outcome_key(static_cast<search::Outcome>(k)))] =
        static_cast<double>(result.counts[k]);
  }
}
// Threads (0: every core, tbb::info::default_concurrency; 1: one thread),
// the model (0 the simple slope, 1 the same with a water table, 2 with every
// load: water standing over the toe in place of the table) and the method
// by its place in method::kMethods (0 simplified, 2 Spencer).
BENCHMARK(BM_SearchMillionCircles)
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({1, 1, 0})
    ->Args({1, 2, 0})
    ->Args({0, 0, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

/// The thin weak layer: a block search of 20,000 surfaces through two boxes
/// in the layer by Spencer's method, its best surface then optimised, on
/// every core: the whole of `hollin search examples/weak-layer.toml
/// --surface block --box 35,45,26.5,27 --box 55,65,26.5,27 --method spencer
/// --composite off`.
void BM_WeakLayerBlockSearchOptimised(benchmark::State& state) {
  const slope::Model model = bench::weak_layer();
  search::Settings settings;
  settings.analysis.method = method::Method::spencer;
  settings.analysis.tension = method::TensionRule::allow;
  settings.cut.composite = false;
  search::PolylineLimits limits;
  limits.kind = search::SurfaceKind::block;
  limits.boxes = {{35, 45, 26.5, 27}, {55, 65, 26.5, 27}};
  tbb::task_arena arena(tbb::info::default_concurrency());
  search::OptimiseResult optimised;
  search::PolylineResult found;
  for (auto _ : state) {
    arena.execute([&] {
      search::EvaluatorPool pool(model, settings);
      found = search::find_critical_polyline(pool, limits, 1);
    });
    search::Evaluator evaluator(model, settings);
    slope::SlipSurface best;
    best.kind = slope::SlipSurface::Kind::polyline;
    best.polyline = found.top.front().points;
    optimised = search::optimise_surface(evaluator, model, best, {});
    benchmark::DoNotOptimize(optimised.points.data());
  }
  state.counters["surfaces"] = static_cast<double>(limits.trials + optimised.evaluations);
  state.counters["block_factor"] = found.top.front().trial.factor;
  state.counters["optimised_factor"] = optimised.best.factor;
  state.counters["evaluations"] = static_cast<double>(optimised.evaluations);
}
BENCHMARK(BM_WeakLayerBlockSearchOptimised)->Unit(benchmark::kMillisecond)->UseRealTime();

/// One optimisation, by the simplified method, of the simple slope's
/// critical circle as `hollin search examples/simple-slope.toml` prints it:
/// the whole of `hollin optimise` on that circle, on one thread.
void BM_SimpleSlopeCriticalCircleOptimised(benchmark::State& state) {
  const slope::Model model = bench::simple_slope();
  search::Settings settings;
  settings.analysis.tension = method::TensionRule::allow;
  const slope::SlipSurface critical{slope::SlipSurface::Kind::circle,
                                    {9.64205994897959, 28.424744897959172, 28.423389668367335},
                                    {},
                                    false,
                                    {}};
  search::OptimiseResult optimised;
  for (auto _ : state) {
    search::Evaluator evaluator(model, settings);
    optimised = search::optimise_surface(evaluator, model, critical, {});
    benchmark::DoNotOptimize(optimised.points.data());
  }
  state.counters["start_factor"] = optimised.start.factor;
  state.counters["optimised_factor"] = optimised.best.factor;
  state.counters["evaluations"] = static_cast<double>(optimised.evaluations);
}
BENCHMARK(BM_SimpleSlopeCriticalCircleOptimised)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
