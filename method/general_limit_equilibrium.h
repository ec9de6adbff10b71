// The general limit equilibrium formulation: slices with interslice normal
// forces E and shear forces X = lambda f(x) E, each slice in vertical and
// horizontal equilibrium, solved for the factor of safety F and the scale
// lambda so that the whole sliding mass is in moment equilibrium (in the
// simplified method's form: each slice's resisting force against its
// driving force) and in force equilibrium (no interslice force left beyond
// the toe). The methods built on it each have a file of their own:
// Spencer's (f = 1), Morgenstern-Price's and the general formulation's
// (f given), Janbu's (lambda = 0, force equilibrium alone) and the force
// methods of the Corps of Engineers and of Lowe and Karafiath (force
// equilibrium alone, inclinations from the surface's geometry).
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// Largest |lambda| the methods accept.
inline constexpr double kMaxLambda = 10.0;

/// The runner's first stage of these methods: compute_first_estimate.
void start_general(const SurfaceData& surface, const MethodSettings& settings, SliceTable& table);

/// The slices (from 1) whose effective normal force in the table the finish
/// left is negative.
[[nodiscard]] std::vector<std::int32_t> general_tension_slices(const SliceTable& table,
                                                               const MethodResult& result);

/// The factors of moment equilibrium alone and of force equilibrium alone at
/// a fixed lambda with the shape `interslice`, each solved from the
/// simplified method's factor: the curves the general formulation crosses.
/// NaN where a solution is not found.
struct GeneralFactors {
  double moment = std::numeric_limits<double>::quiet_NaN();
  double force = std::numeric_limits<double>::quiet_NaN();
};
[[nodiscard]] GeneralFactors factors_at(const SurfaceData& surface, const MethodSettings& settings,
                                        const IntersliceFunction& interslice, double lambda);

/// The two residuals at (factor, lambda): the moment residual over the sum
/// of the driving forces and the interslice force left beyond the toe over
/// the sum of the slices' vertical forces. Both 0 at a solution.
struct GeneralResiduals {
  double moment = 0.0;
  double force = 0.0;
};
[[nodiscard]] GeneralResiduals residuals_at(const SurfaceData& surface,
                                            const IntersliceFunction& interslice, double factor,
                                            double lambda);

/// What the methods' own files build on.
namespace formulation {

/// What the formulation reads of each slice (see prepare).
struct Slices {
  std::size_t count = 0;
  const double* v = nullptr;  ///< the vertical force: weight, load, kv W
  const double* k = nullptr;  ///< c l - U tan phi
  const double* u = nullptr;  ///< the pore-water force on the base
  const double* h = nullptr;  ///< the horizontal force towards the toe
  const double* f = nullptr;  ///< f on the slice's head side
  double f_toe = 0.0;         ///< f at the toe
  const double* sin = nullptr;
  const double* cos = nullptr;
  const double* cl = nullptr;  ///< -c l
  const double* tan_phi = nullptr;
  double driving = 0.0;  ///< sum of the driving forces
  double scale = 0.0;    ///< sum of |V|, the scale of force residuals
  /// Scratch columns of evaluate (the table's work.carry_constant,
  /// carry_slope, inv_m, normal_base).
  double* carry_constant = nullptr;
  double* carry_slope = nullptr;
  double* inv_m = nullptr;
  double* normal_base = nullptr;
  /// The general form of moments: the arms of each slice's shear and total
  /// normal force (see MomentArms); null in the data file's form.
  const double* shear_arm = nullptr;
  const double* normal_arm = nullptr;
};

/// Fills the table's working columns for the formulation with the shape
/// `interslice` and points `Slices` at them.
[[nodiscard]] Slices prepare(const SurfaceData& surface, const IntersliceFunction& interslice,
                             SliceTable& table);

/// Sets the f of each section to `tangent(k)`, k from 0 at the head to the
/// toe: the force methods' prescribed inclinations.
template <typename Tangent>
void set_inclinations(Slices& s, SliceTable& table, std::size_t sections, Tangent tangent) {
  for (std::size_t k = 0; k < sections; ++k) {
    if (k + 1 < sections) {
      table.work.friction_slope[k] = tangent(k);
    } else {
      s.f_toe = tangent(k);
    }
  }
}

struct Residuals {
  double moment = 0.0;  ///< (sum of resisting forces - F sum of driving) / sum of driving
  double force = 0.0;   ///< the interslice force left beyond the toe / sum of |V|
  double resisting = 0.0;
  double driving = 0.0;  ///< with the normal forces' part in the general form of moments
};

/// Each slice in equilibrium at (factor, lambda) from the head to the toe;
/// `keep` receives each slice's effective normal force, m-factor, resisting
/// force and the interslice normal force on its toe side.
[[nodiscard]] Residuals evaluate(const Slices& s, double factor, double lambda, SliceTable* keep);

/// The factor of force equilibrium alone at lambda = 0 by fixed-point
/// iteration from `factor`.
[[nodiscard]] bool solve_force(const Slices& s, double& factor, const MethodSettings& settings,
                               std::int32_t& passes);

/// Which equation a one-equation solve satisfies.
enum class Equation : std::uint8_t { moment, force };

/// The factor satisfying `equation` at a fixed lambda by the secant rule
/// from `factor`.
[[nodiscard]] bool solve_at(const Slices& s, Equation equation, double& factor, double lambda,
                            const MethodSettings& settings, std::int32_t& passes);

/// Factor and lambda together: Newton's method, falling back on bracketing
/// lambda (with the secant rule for each equation's factor) when Newton's
/// steps fail or leave the admissible range of lambda.
enum class Solution : std::uint8_t {
  solved,        ///< both residuals within the tolerance
  no_crossing,   ///< the two factors do not cross for |lambda| up to kMaxLambda
  not_converged  ///< neither Newton's method nor bracketing got there
};
[[nodiscard]] Solution solve_both(const Slices& s, double& factor, double& lambda,
                                  const MethodSettings& settings, std::int32_t& passes);

/// The fallback alone: lambda walked out from 0 on both sides at once, as
/// far as `reach`, for a change of sign of the difference of the two
/// equations' factors (each by the secant rule from `start`), and the
/// bracket halved: the solution nearest lambda 0.
[[nodiscard]] Solution solve_by_bracketing(const Slices& s, double start, double& factor,
                                           double& lambda, const MethodSettings& settings,
                                           std::int32_t& passes, double reach = kMaxLambda);

/// The simplified method's factor where it converges, else the first
/// estimate the start left in the table.
[[nodiscard]] double starting_factor(const SurfaceData& surface, const MethodSettings& settings,
                                     SliceTable& table);

/// The end of a run at (factor, lambda): the table filled, and the checks
/// every method shares (no driving force, tension, m-factor, lambda's
/// range when `moments`).
[[nodiscard]] MethodResult finish(const Slices& s, Method method, const MethodSettings& settings,
                                  SliceTable& table, Solution solution, double factor,
                                  double lambda, std::int32_t passes, bool moments);

/// Spencer's, Morgenstern-Price's and the general formulation's run: both
/// equations with the shape `interslice`.
[[nodiscard]] MethodResult finish_with_shape(const SurfaceData& surface,
                                             const MethodSettings& settings, SliceTable& table,
                                             Method method, const IntersliceFunction& interslice);

}  // namespace formulation
}  // namespace method
