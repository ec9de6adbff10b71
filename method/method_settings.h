// What every method of slices is run with and what it gives back: the name
// of the method, its numerical settings (tolerance, pass limit, the rule for
// a slice in tension, where the pore-water force acts) and how the run ended.
// The runner (method_run.h) and each method's own file share these types.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "method/interslice_function.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// The methods of slices, in the order of the runner's table (kMethods).
enum class Method : std::uint8_t {
  simplified,         ///< moment equilibrium, fixed-point iteration from the first estimate
  ordinary,           ///< closed form, no interslice forces
  spencer,            ///< all equilibrium, interslice forces of one inclination
  morgenstern_price,  ///< all equilibrium, interslice inclination lambda f(x)
  janbu,              ///< force equilibrium without interslice shear
  corps_1,            ///< force equilibrium, interslice forces parallel to the chord
  corps_2,            ///< force equilibrium, interslice forces parallel to the ground
  lowe_karafiath,     ///< force equilibrium, inclined as the mean of ground and surface
  gle                 ///< Morgenstern-Price's, reported with both factors against lambda
};

/// What a slice without positive effective normal force does to an
/// iterative method.
enum class TensionRule : std::uint8_t {
  stop,  ///< it stops the iteration (the rule of the simplified-method program)
  allow  ///< the iteration carries on with the negative force; the m-factor stop stays
};

/// How an iteration ended.
enum class IterationStop : std::uint8_t {
  converged,           ///< two successive factors differ by less than the tolerance
  no_positive_normal,  ///< a slice's effective normal force was not positive
  m_factor_too_small,  ///< a slice's m-factor was below kMinimumMFactor
  limit_reached,       ///< iteration_limit passes made without convergence
  lambda_out_of_range  ///< the interslice scale left -kMaxLambda to kMaxLambda
};

/// How one method is run on a surface.
struct MethodSettings {
  Method method = Method::simplified;
  double tolerance = kDefaultTolerance;                   ///< iterative methods
  std::int32_t iteration_limit = kDefaultIterationLimit;  ///< iterative methods
  TensionRule tension = TensionRule::stop;                ///< iterative methods
  PoreForce pore_force = PoreForce::base_length;          ///< ordinary method
  IntersliceFunction interslice{Interslice::half_sine};   ///< Morgenstern-Price and GLE
  /// Janbu's method: multiply by the empirical correction f0 (which raises
  /// the factor; off, the factor is the one force equilibrium gives).
  bool janbu_correction = false;
};

/// How a run ended, for people and scripts.
enum class RunStatus : std::uint8_t {
  converged,         ///< an iterative method converged
  stopped,           ///< an iterative method stopped at a slice (see MethodResult::stop)
  no_convergence,    ///< the pass limit was reached
  closed_form,       ///< a method without iteration
  no_driving_force,  ///< the driving forces sum to zero: there is no factor of safety
  no_solution        ///< the equations have no admissible solution (see MethodResult::stop)
};

/// One run of a method on one surface. The slice table it ran on holds the
/// per-slice values and the sums the results report prints.
struct MethodResult {
  Method method = Method::simplified;
  RunStatus status = RunStatus::converged;
  /// Iterative methods: how the iteration ended; converged otherwise.
  IterationStop stop = IterationStop::converged;
  std::int32_t passes = 0;  ///< passes begun, the stopped one included; 1 for a closed form
  std::int32_t slice = 0;   ///< the stopping slice (status stopped), from 1
  /// |sum_resisting / sum_driving| of the table when the run converged or is
  /// closed-form (an infinity or a NaN for a zero driving sum); NaN after a
  /// stop or without convergence.
  double factor = std::numeric_limits<double>::quiet_NaN();
  /// Methods with interslice shear: the scale lambda of its inclination
  /// (tan theta for Spencer's method); NaN for the others.
  double lambda = std::numeric_limits<double>::quiet_NaN();
  /// The factors of moment and of force equilibrium where the run ended
  /// (equal when it converged); NaN where a method has none.
  double moment_factor = std::numeric_limits<double>::quiet_NaN();
  double force_factor = std::numeric_limits<double>::quiet_NaN();
  /// Janbu's method: the correction f0 applied (1 when none).
  double correction = 1.0;

  /// True when the run gave a finite factor of safety.
  [[nodiscard]] bool has_factor() const { return std::isfinite(factor); }
};

}  // namespace method
