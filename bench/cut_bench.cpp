// Cutting the published circle through the published simple slope into 50
// slices, alone and followed by both methods, with the model prepared once
// and the Cutter, the cut and the slice table reused: the inner step of a
// search over trial circles. The iteration lets slices carry tension: under
// the stopping rule it would end in its first pass at the steep head slice.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "method/simplified_method.h"
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

const slope::SlipSurface kCircle{slope::SlipSurface::Kind::circle, {120, 90, 80}, {}};

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
    method::compute_first_estimate(cut.surface(), table);
    const method::IterationOutcome outcome = method::iterate_simplified(
        cut.surface(), table, method::kDefaultTolerance, 50, method::TensionRule::allow);
    passes = outcome.passes;
    factors = table.safety_factor;
    method::compute_ordinary(cut.surface(), method::PoreForce::base_length, table);
    factors += table.safety_factor;
    benchmark::DoNotOptimize(factors);
  }
  state.counters["passes"] = passes;
}
BENCHMARK(BM_CutAndBothMethods50Slices);

void BM_BothMethods50Slices(benchmark::State& state) {
  const slope::Model model = published_slope();
  slope::Cutter cutter(model);
  slope::Cut cut;
  method::SliceTable table;
  if (cutter.cut(kCircle, 50, cut) != slope::SurfaceProblem::none) {
    state.SkipWithError("the circle was refused");
    return;
  }
  for (auto _ : state) {
    method::compute_first_estimate(cut.surface(), table);
    benchmark::DoNotOptimize(method::iterate_simplified(
        cut.surface(), table, method::kDefaultTolerance, 50, method::TensionRule::allow));
    method::compute_ordinary(cut.surface(), method::PoreForce::base_length, table);
    benchmark::DoNotOptimize(table.safety_factor);
  }
}
BENCHMARK(BM_BothMethods50Slices);

}  // namespace
