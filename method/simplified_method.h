// The simplified method of slices: the effective normal force of each slice
// follows from its vertical equilibrium at the current factor of safety, and
// the factor is found by fixed-point iteration from the first estimate.
#pragma once

#include <cstdint>
#include <vector>

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// Outcome of iterate_simplified.
struct IterationOutcome {
  IterationStop stop = IterationStop::limit_reached;
  std::int32_t slice = 0;   ///< the stopping slice (the two slice stops only)
  std::int32_t passes = 0;  ///< passes begun, the stopped one included
};

/// Iterates the factor of safety of `table`, which compute_first_estimate
/// has filled, for at most `iteration_limit` passes. Each pass uses the
/// factor F of the pass before for every slice, recomputes normal_force
/// (carried negated: negative for a slice in compression), m_factor,
/// resisting_force and net_force, restarts sum_resisting and sets
/// safety_factor = |sum_resisting / sum_driving|. sum_driving is not touched,
/// but in the general form of moments (surface.arms), where the normal
/// forces drive too, a finished pass sets both sums with the arms.
///
/// A slice whose normal force is not negative (0 and NaN included) stops
/// with no_positive_normal; otherwise an m-factor below kMinimumMFactor stops
/// with m_factor_too_small. After such a stop at slice i, slices before i
/// hold the stopped pass, later ones the pass before, sum_resisting covers
/// slices 1 to i - 1 only and safety_factor is the previous pass's. A change
/// that is NaN never converges; a tolerance of 0 never converges.
/// With TensionRule::allow the first test is skipped and the slice carries
/// its force as computed. Writes nothing but `table`; allocates nothing.
[[nodiscard]] IterationOutcome iterate_simplified(const SurfaceData& surface, SliceTable& table,
                                                  double tolerance, std::int32_t iteration_limit,
                                                  TensionRule tension = TensionRule::stop);

/// The runner's first stage: compute_first_estimate.
void start_simplified(const SurfaceData& surface, const MethodSettings& settings,
                      SliceTable& table);

/// The runner's second stage: iterate_simplified with the settings'
/// tolerance, pass limit and tension rule on the table start_simplified
/// filled. A converged run's factor is reported_factor of the last pass.
[[nodiscard]] MethodResult finish_simplified(const SurfaceData& surface,
                                             const MethodSettings& settings, SliceTable& table);

/// The slices (from 1) whose effective normal force in the table
/// finish_simplified left is negative (tension). After a stop at slice i,
/// slices 1 to i, which hold the stopped pass.
[[nodiscard]] std::vector<std::int32_t> simplified_tension_slices(const SliceTable& table,
                                                                  const MethodResult& result);

}  // namespace method
