#include "method/simplified_method.h"

#include <cmath>

namespace method {

IterationOutcome iterate_simplified(const SurfaceData& surface, SliceTable& t, double tolerance,
                                    std::int32_t iteration_limit, TensionRule tension) {
  const bool stop_on_tension = tension == TensionRule::stop;
  IterationOutcome outcome;
  double previous = t.safety_factor;
  for (std::int32_t pass = 1; pass <= iteration_limit; ++pass) {
    outcome.passes = pass;
    t.sum_resisting = 0.0;
    const double f = t.safety_factor;
    for (std::int32_t i = 1; i <= t.slice_count; ++i) {
      const auto s = static_cast<std::size_t>(i - 1);
      const double tan_phi = surface.sections[s].tan_phi;
      const double n =
          -(t.weight[s] + t.load[s]) / t.base_cos[s] +
          t.mean_pore_head[s] * surface.water_unit_weight * t.width[s] / t.base_cos[s] +
          t.cohesion_force[s] * t.base_slope[s] / f;
      t.normal_force[s] = n;
      // A compressed base is negative here; zero and NaN stop as well.
      if (stop_on_tension && !(n < 0.0)) {
        outcome.stop = IterationStop::no_positive_normal;
        outcome.slice = i;
        return outcome;
      }
      t.m_factor[s] = 1.0 - tan_phi * t.base_slope[s] / f;
      if (t.m_factor[s] < kMinimumMFactor) {
        outcome.stop = IterationStop::m_factor_too_small;
        outcome.slice = i;
        return outcome;
      }
      t.normal_force[s] = n / t.m_factor[s];
      t.resisting_force[s] = t.normal_force[s] * tan_phi + t.cohesion_force[s];
      t.sum_resisting += t.resisting_force[s];
      t.net_force[s] = t.resisting_force[s] + t.driving_force[s];
    }
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

}  // namespace method
