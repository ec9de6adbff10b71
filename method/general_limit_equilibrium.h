// The general limit equilibrium formulation: slices with interslice normal
// forces E and shear forces X = lambda f(x) E, each slice in vertical and
// horizontal equilibrium, solved for the factor of safety F and the scale
// lambda so that the whole sliding mass is in moment equilibrium (in the
// simplified method's form: each slice's resisting force against its
// driving force) and in force equilibrium (no interslice force left beyond
// the toe). Spencer's method takes f = 1, Morgenstern-Price's the settings'
// shape, Janbu's lambda = 0 with force equilibrium alone, and the force
// methods of the Corps of Engineers and of Lowe and Karafiath force
// equilibrium alone with inclinations from the surface's geometry.
#pragma once

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

/// The runner's second stages.
[[nodiscard]] MethodResult finish_spencer(const SurfaceData& surface,
                                          const MethodSettings& settings, SliceTable& table);
[[nodiscard]] MethodResult finish_morgenstern_price(const SurfaceData& surface,
                                                    const MethodSettings& settings,
                                                    SliceTable& table);
/// Corps 1, Corps 2 and Lowe-Karafiath (the settings' method): force
/// equilibrium with interslice forces of prescribed inclinations.
[[nodiscard]] MethodResult finish_force_method(const SurfaceData& surface,
                                               const MethodSettings& settings, SliceTable& table);
[[nodiscard]] MethodResult finish_janbu(const SurfaceData& surface, const MethodSettings& settings,
                                        SliceTable& table);

/// The slices (from 1) whose effective normal force in the table the finish
/// left is negative.
[[nodiscard]] std::vector<std::int32_t> general_tension_slices(const SliceTable& table,
                                                               const MethodResult& result);

/// The factors of moment equilibrium alone and of force equilibrium alone at
/// a fixed lambda with the shape `interslice`, each by fixed-point iteration
/// from the simplified method's factor: the curves the general formulation
/// crosses. NaN where an iteration does not converge.
struct GeneralFactors {
  double moment = std::numeric_limits<double>::quiet_NaN();
  double force = std::numeric_limits<double>::quiet_NaN();
};
[[nodiscard]] GeneralFactors factors_at(const SurfaceData& surface, const MethodSettings& settings,
                                        Interslice interslice, double lambda);

/// The two residuals at (factor, lambda): the moment residual over the sum
/// of the driving forces and the interslice force left beyond the toe over
/// the sum of the slices' vertical forces. Both 0 at a solution.
struct GeneralResiduals {
  double moment = 0.0;
  double force = 0.0;
};
[[nodiscard]] GeneralResiduals residuals_at(const SurfaceData& surface, Interslice interslice,
                                            double factor, double lambda);

/// Janbu's empirical correction f0 = 1 + b (d/L - 1.4 (d/L)^2) for a sliding
/// mass of chord length L from head to toe and greatest depth d below that
/// chord, b 0.69 for soils with cohesion only, 0.31 for friction only and
/// 0.5 for both.
[[nodiscard]] double janbu_correction(const SurfaceData& surface);

}  // namespace method
