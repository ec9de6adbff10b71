// The forces on each slice where a run ended, for people and scripts to
// check: the effective normal force on the base, the shear force it
// mobilises, the pore-water force, and for the methods with interslice
// forces the normal and shear force on each side.
#pragma once

#include <limits>
#include <vector>

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

struct SliceForces {
  double normal = 0.0;       ///< effective normal force on the base, compression positive
  double shear = 0.0;        ///< shear force mobilised on the base: its strength over the factor
  double pore = 0.0;         ///< pore-water force on the base
  bool interslice = false;   ///< the method has interslice forces; the four below hold
  double head_normal = 0.0;  ///< on the side towards the head, pushing towards the toe
  double head_shear = 0.0;
  double toe_normal = 0.0;  ///< on the side towards the toe
  double toe_shear = 0.0;
  /// The height the toe side's normal force acts at (line_of_thrust); NaN at
  /// the toe and where it means nothing.
  double toe_thrust = std::numeric_limits<double>::quiet_NaN();
};

/// The forces of each slice of the run `result` left in `table` (by
/// run_method on `surface`); empty when the run has no factor.
[[nodiscard]] std::vector<SliceForces> slice_forces(const SurfaceData& surface,
                                                    const MethodSettings& settings,
                                                    const SliceTable& table,
                                                    const MethodResult& result);

}  // namespace method
