// The general limit equilibrium method: the formulation with the settings'
// interslice function, solved as Morgenstern-Price's method is, and reported
// with the two curves it crosses: the factor of moment equilibrium alone and
// of force equilibrium alone against lambda.
#pragma once

#include <vector>

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// The runner's second stage (the first is start_general).
[[nodiscard]] MethodResult finish_gle(const SurfaceData& surface, const MethodSettings& settings,
                                      SliceTable& table);

/// One point of the curves; a factor is NaN where it is not found.
struct GleRow {
  double lambda = 0.0;
  double moment = 0.0;
  double force = 0.0;
};

/// Rows at kGleRows equal steps of lambda from 0 to 1, or to 1.25 times
/// `solution` (the lambda of the run) where that lies further, on the side of
/// its sign.
inline constexpr int kGleRows = 21;
[[nodiscard]] std::vector<GleRow> gle_curves(const SurfaceData& surface,
                                             const MethodSettings& settings, double solution);

}  // namespace method
