#include "method/simplified_method.h"

#include <algorithm>
#include <cmath>

namespace method {

namespace {

// What a pass of slice s computes, written as one expression of the factor F
// of the pass before:
//   n = -(weight + load) / base_cos + mean_pore_head * water * width / base_cos
//       + cohesion_force * base_slope / F
//   m = 1 - tan_phi * base_slope / F
// Everything but the divisions by F is the same in every pass and is worked
// out once, each part with the operands and in the order the expression
// takes them, so that every pass gives the same bits as the whole expression.
void prepare(const SurfaceData& surface, std::size_t slices, SliceTable& t) {
  const Section* const sections = surface.sections.data();
  const double water = surface.water_unit_weight;
  const double* const width = t.width.data();
  const double* const mean_pore_head = t.mean_pore_head.data();
  const double* const base_slope = t.base_slope.data();
  const double* const base_cos = t.base_cos.data();
  const double* const weight = t.weight.data();
  const double* const load = t.load.data();
  const double* const cohesion_force = t.cohesion_force.data();
  double* const tan_phi = t.work.tan_phi.data();
  double* const fixed_normal = t.work.fixed_normal.data();
  double* const cohesion_slope = t.work.cohesion_slope.data();
  double* const friction_slope = t.work.friction_slope.data();
#pragma omp simd
  for (std::size_t s = 0; s < slices; ++s) {
    fixed_normal[s] =
        -(weight[s] + load[s]) / base_cos[s] + mean_pore_head[s] * water * width[s] / base_cos[s];
    cohesion_slope[s] = cohesion_force[s] * base_slope[s];
    tan_phi[s] = sections[s].tan_phi;
    friction_slope[s] = sections[s].tan_phi * base_slope[s];
  }
}

// One pass at factor f for every slice, into the working columns: no slice
// depends on another, so the loop runs two slices at a time where the
// processor can.
void pass_at(double f, std::size_t slices, SliceTable& t) {
  const double* const fixed_normal = t.work.fixed_normal.data();
  const double* const cohesion_slope = t.work.cohesion_slope.data();
  const double* const friction_slope = t.work.friction_slope.data();
  const double* const tan_phi = t.work.tan_phi.data();
  const double* const cohesion_force = t.cohesion_force.data();
  const double* const driving_force = t.driving_force.data();
  double* const normal = t.work.normal.data();
  double* const m_factor = t.work.m_factor.data();
  double* const normal_force = t.work.normal_force.data();
  double* const resisting = t.work.resisting.data();
  double* const net = t.work.net.data();
#pragma omp simd
  for (std::size_t s = 0; s < slices; ++s) {
    const double n = fixed_normal[s] + cohesion_slope[s] / f;
    const double m = 1.0 - friction_slope[s] / f;
    const double force = n / m;
    const double r = force * tan_phi[s] + cohesion_force[s];
    normal[s] = n;
    m_factor[s] = m;
    normal_force[s] = force;
    resisting[s] = r;
    net[s] = r + driving_force[s];
  }
}

// The general form of moments: the pass's resisting forces each times its
// arm, and the driving sum with each slice's total normal force (the pass's
// effective force, carried negated, and the pore force on the base length)
// times its arm.
void general_sums(const SurfaceData& surface, std::size_t slices, SliceTable& t) {
  const MomentArms& arms = surface.arms;
  const double water = surface.water_unit_weight;
  double resisting = 0.0;
  double driving = 0.0;
  for (std::size_t s = 0; s < slices; ++s) {
    const double pore = t.mean_pore_head[s] * water * t.width[s] / t.base_cos[s];
    resisting += arms.shear[s] * t.work.resisting[s];
    driving += t.driving_force[s] + arms.normal[s] * (pore - t.work.normal_force[s]);
  }
  t.sum_resisting = resisting;
  t.sum_driving = driving;
}

// Moves the pass's values of slices [0, count) into the table.
void keep_pass(std::size_t count, SliceTable& t) {
  std::copy_n(t.work.normal_force.begin(), count, t.normal_force.begin());
  std::copy_n(t.work.m_factor.begin(), count, t.m_factor.begin());
  std::copy_n(t.work.resisting.begin(), count, t.resisting_force.begin());
  std::copy_n(t.work.net.begin(), count, t.net_force.begin());
}

}  // namespace

IterationOutcome iterate_simplified(const SurfaceData& surface, SliceTable& t, double tolerance,
                                    std::int32_t iteration_limit, TensionRule tension) {
  const bool stop_on_tension = tension == TensionRule::stop;
  const auto slices = static_cast<std::size_t>(std::max(t.slice_count, 0));
  IterationOutcome outcome;
  if (iteration_limit >= 1) prepare(surface, slices, t);
  double previous = t.safety_factor;
  for (std::int32_t pass = 1; pass <= iteration_limit; ++pass) {
    outcome.passes = pass;
    pass_at(t.safety_factor, slices, t);
    // The stops and the sum, slice by slice in order.
    const double* const normal = t.work.normal.data();
    const double* const m_factor = t.work.m_factor.data();
    const double* const resisting = t.work.resisting.data();
    double sum = 0.0;
    for (std::size_t s = 0; s < slices; ++s) {
      // A compressed base is negative here; zero and NaN stop as well.
      const bool tension_stop = stop_on_tension && !(normal[s] < 0.0);
      if (tension_stop || m_factor[s] < kMinimumMFactor) {
        keep_pass(s, t);
        t.normal_force[s] = normal[s];
        if (!tension_stop) t.m_factor[s] = m_factor[s];
        t.sum_resisting = sum;
        outcome.stop =
            tension_stop ? IterationStop::no_positive_normal : IterationStop::m_factor_too_small;
        outcome.slice = static_cast<std::int32_t>(s + 1);
        return outcome;
      }
      sum += resisting[s];
    }
    keep_pass(slices, t);
    t.sum_resisting = sum;
    if (surface.arms.active) general_sums(surface, slices, t);
    t.safety_factor = std::fabs(t.sum_resisting / t.sum_driving);
    const double change = std::fabs(t.safety_factor - previous);
    previous = t.safety_factor;
    if (change < tolerance) {
      outcome.stop = IterationStop::converged;
      return outcome;
    }
  }
  outcome.stop = IterationStop::limit_reached;
  return outcome;
}

void start_simplified(const SurfaceData& surface, const MethodSettings& /*settings*/,
                      SliceTable& table) {
  compute_first_estimate(surface, table);
}

MethodResult finish_simplified(const SurfaceData& surface, const MethodSettings& settings,
                               SliceTable& table) {
  const IterationOutcome outcome = iterate_simplified(surface, table, settings.tolerance,
                                                      settings.iteration_limit, settings.tension);
  MethodResult result;
  result.method = Method::simplified;
  result.stop = outcome.stop;
  result.passes = outcome.passes;
  switch (outcome.stop) {
    case IterationStop::converged:
      result.status = RunStatus::converged;
      result.factor = reported_factor(table);
      break;
    case IterationStop::no_positive_normal:
    case IterationStop::m_factor_too_small:
      result.status = RunStatus::stopped;
      result.slice = outcome.slice;
      break;
    case IterationStop::lambda_out_of_range:  // not a stop of this method
    case IterationStop::limit_reached:
      // With no driving force every pass gives an infinite factor, which
      // cannot converge; the iteration and the table stay as they are.
      result.status =
          table.sum_driving == 0.0 ? RunStatus::no_driving_force : RunStatus::no_convergence;
      break;
  }
  return result;
}

std::vector<std::int32_t> simplified_tension_slices(const SliceTable& table,
                                                    const MethodResult& result) {
  std::vector<std::int32_t> slices;
  // Before the first pass the table holds the first estimate, which has none.
  if (result.passes < 1) return slices;
  const std::int32_t last = result.status == RunStatus::stopped ? result.slice : table.slice_count;
  for (std::int32_t i = 1; i <= last; ++i) {
    // The iteration carries the normal force negated: tension is above 0.
    if (table.normal_force[static_cast<std::size_t>(i - 1)] > 0.0) slices.push_back(i);
  }
  return slices;
}

}  // namespace method
