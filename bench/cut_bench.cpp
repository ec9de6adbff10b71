// Cutting the published circle through the published simple slope into 50
// slices, alone and followed by both methods, with the model prepared once
// and the Cutter, the cut and the slice table reused: the inner step of a
// search over trial circles. The iteration lets slices carry tension: under
// the stopping rule it would end in its first pass at the steep head slice.
//
// The SimpleSlope cases are the search's own step on examples/simple-slope.toml
// (circle (25, 25) radius 22, 50 slices, converged in 4 passes): cut, first
// estimate and the simplified iteration with the stopping rule, and cut and
// the ordinary method. Each also runs a fixed 10,000 circles
// (/iterations:10000), for counting instructions under callgrind, with
// --toggle-collect='*BM_SimpleSlope*' --benchmark_filter=iterations.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "bench/slope_models.h"
#include "method/method_run.h"
#include "method/slices.h"
#include "slope/slicing.h"

namespace {

slope::Model published_slope() {
  slope::Model m;
  m.water_unit_weight = 62.4;
  m.ground = {{0, 60}, {60, 60}, {140, 20}, {200, 20}};
  slope::Soil soil;
  soil.unit_weight = 120;
  soil.saturated_unit_weight = 120;
  soil.cohesion = 600;
  soil.friction_angle = 20;
  soil.top = m.ground;
  m.soils.push_back(soil);
  return m;
}

/// The least of the repetitions' times: on a shared machine the figure least
/// disturbed by other work.
double least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

const slope::SlipSurface kSimpleCircle{
    slope::SlipSurface::Kind::circle, {25, 25, 22}, {}, false, {}};

const slope::SlipSurface kCircle{slope::SlipSurface::Kind::circle, {120, 90, 80}, {}, false, {}};

/// The simplified method letting slices carry tension, and the ordinary
/// method with the pore force on the base length.
constexpr method::MethodSettings kAllow{method::Method::simplified, method::kDefaultTolerance, 50,
                                        method::TensionRule::allow, method::PoreForce::base_length};
constexpr method::MethodSettings kOrdinary{method::Method::ordinary};

void BM_Cut50Slices(benchmark::State& state) {
  const slope::Model model = published_slope();
  slope::Cutter cutter(model);
  slope::Cut cut;
  for (auto _ : state) {
    if (cutter.cut(kCircle, 50, cut) != slope::SurfaceProblem::none) {
      state.SkipWithError("the circle was refused");
      break;
    }
    benchmark::DoNotOptimize(cut.sections.data());
  }
}
BENCHMARK(BM_Cut50Slices);

void BM_CutAndBothMethods50Slices(benchmark::State& state) {
  const slope::Model model = published_slope();
  slope::Cutter cutter(model);
  slope::Cut cut;
  method::SliceTable table;
  std::int32_t passes = 0;
  double factors = 0.0;
  for (auto _ : state) {
    if (cutter.cut(kCircle, 50, cut) != slope::SurfaceProblem::none) {
      state.SkipWithError("the circle was refused");
      break;
    }
    const method::MethodResult simplified = method::run_method(cut.surface(), kAllow, table);
    passes = simplified.passes;
    factors = table.safety_factor;
    static_cast<void>(method::run_method(cut.surface(), kOrdinary, table));
    factors += table.safety_factor;
    benchmark::DoNotOptimize(factors);
  }
  state.counters["passes"] = passes;
}
BENCHMARK(BM_CutAndBothMethods50Slices);

/// The published circle cut into 50 slices, or false with the benchmark
/// marked as failed.
bool published_cut(benchmark::State& state, slope::Cut& cut) {
  const slope::Model model = published_slope();
  slope::Cutter cutter(model);
  if (cutter.cut(kCircle, 50, cut) == slope::SurfaceProblem::none) return true;
  state.SkipWithError("the circle was refused");
  return false;
}

void BM_BothMethods50Slices(benchmark::State& state) {
  slope::Cut cut;
  method::SliceTable table;
  if (!published_cut(state, cut)) return;
  for (auto _ : state) {
    benchmark::DoNotOptimize(method::run_method(cut.surface(), kAllow, table));
    benchmark::DoNotOptimize(method::run_method(cut.surface(), kOrdinary, table));
    benchmark::DoNotOptimize(table.safety_factor);
  }
}
BENCHMARK(BM_BothMethods50Slices);

// One method on the published circle's cut, by its place in method::kMethods
// (0 simplified, 2 Spencer, 3 Morgenstern-Price, 4 Janbu): what a method
// costs against the simplified one.
void BM_EachMethod50Slices(benchmark::State& state) {
  slope::Cut cut;
  method::SliceTable table;
  if (!published_cut(state, cut)) return;
  method::MethodSettings settings = kAllow;
  settings.method = method::kMethods[static_cast<std::size_t>(state.range(0))].method;
  state.SetLabel(std::string(method::method_name(settings.method)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(method::run_method(cut.surface(), settings, table));
    benchmark::DoNotOptimize(table.safety_factor);
  }
}
BENCHMARK(BM_EachMethod50Slices)->Arg(0)->Arg(2)->Arg(3)->Arg(4);

void BM_SimpleSlopeCutAndSimplified(benchmark::State& state) {
  const slope::Model model = bench::simple_slope();
  slope::Cutter cutter(model);
  slope::Cut cut;
  method::SliceTable table;
  method::MethodResult outcome;
  for (auto _ : state) {
    if (cutter.cut(kSimpleCircle, 50, cut) != slope::SurfaceProblem::none) {
      state.SkipWithError("the circle was refused");
      break;
    }
    outcome = method::run_method(cut.surface(), {}, table);
    benchmark::DoNotOptimize(table.safety_factor);
  }
  if (outcome.status != method::RunStatus::converged) state.SkipWithError("no convergence");
  state.counters["passes"] = outcome.passes;
}
BENCHMARK(BM_SimpleSlopeCutAndSimplified)->ComputeStatistics("min", least);
BENCHMARK(BM_SimpleSlopeCutAndSimplified)->Iterations(10000);

void BM_SimpleSlopeCutAndOrdinary(benchmark::State& state) {
  const slope::Model model = bench::simple_slope();
  slope::Cutter cutter(model);
  slope::Cut cut;
  method::SliceTable table;
  for (auto _ : state) {
    if (cutter.cut(kSimpleCircle, 50, cut) != slope::SurfaceProblem::none) {
      state.SkipWithError("the circle was refused");
      break;
    }
    benchmark::DoNotOptimize(method::run_method(cut.surface(), kOrdinary, table));
    benchmark::DoNotOptimize(table.safety_factor);
  }
}
BENCHMARK(BM_SimpleSlopeCutAndOrdinary)->ComputeStatistics("min", least);
BENCHMARK(BM_SimpleSlopeCutAndOrdinary)->Iterations(10000);

/// The parts of BM_SimpleSlopeCutAndSimplified on their own.
void BM_SimpleSlopeCut(benchmark::State& state) {
  const slope::Model model = bench::simple_slope();
  slope::Cutter cutter(model);
  slope::Cut cut;
  for (auto _ : state) {
    if (cutter.cut(kSimpleCircle, 50, cut) != slope::SurfaceProblem::none) {
      state.SkipWithError("the circle was refused");
      break;
    }
    benchmark::DoNotOptimize(cut.sections.data());
  }
}
BENCHMARK(BM_SimpleSlopeCut)->ComputeStatistics("min", least);

void BM_SimpleSlopeSimplified(benchmark::State& state) {
  const slope::Model model = bench::simple_slope();
  slope::Cutter cutter(model);
  slope::Cut cut;
  method::SliceTable table;
  if (cutter.cut(kSimpleCircle, 50, cut) != slope::SurfaceProblem::none) {
    state.SkipWithError("the circle was refused");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(method::run_method(cut.surface(), {}, table));
    benchmark::DoNotOptimize(table.safety_factor);
  }
}
BENCHMARK(BM_SimpleSlopeSimplified)->ComputeStatistics("min", least);

}  // namespace
