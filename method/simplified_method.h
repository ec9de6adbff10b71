// The simplified method of slices: the effective normal force of each slice
// follows from its vertical equilibrium at the current factor of safety, and
// the factor is found by fixed-point iteration from the first estimate.
#pragma once

#include <cstdint>

#include "method/section.h"
#include "method/slices.h"

namespace method {

/// What a slice without positive effective normal force does to the
/// iteration.
enum class TensionRule {
  stop,  ///< it stops the iteration (the rule of the simplified-method program)
  allow  ///< the iteration carries on with the negative force; the m-factor stop stays
};

/// How the iteration ended.
enum class IterationStop {
  converged,           ///< two successive factors differ by less than the tolerance
  no_positive_normal,  ///< a slice's effective normal force was not positive
  m_factor_too_small,  ///< a slice's m-factor was below kMinimumMFactor
  limit_reached        ///< iteration_limit passes made without convergence
};

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
/// safety_factor = |sum_resisting / sum_driving|. sum_driving is not touched.
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

}  // namespace method
