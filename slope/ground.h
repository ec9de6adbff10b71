// The ground surface of a slope model: the upper envelope of every soil's
// top line and every region's boundary, as one line from the leftmost to the
// rightmost x of all soils.
#pragma once

#include <cstddef>
#include <vector>

#include "slope/model.h"

namespace slope {

/// Why soils give no ground line.
enum class GroundProblem {
  none,
  no_soil,  ///< no soil with a top line or a region of some width
  invalid,  ///< a coordinate is not finite
  gap,      ///< no soil between x = x and x = x_to
  step,     ///< the envelope jumps at x (a vertical region edge at the surface)
};

/// The ground line, or why there is none.
struct GroundDerivation {
  GroundProblem problem = GroundProblem::none;
  /// With no problem: x strictly increasing, with a point at every x where
  /// a top or a region has a point and at every crossing of two boundary
  /// segments on the envelope; straight between. Empty otherwise.
  Polyline ground;
  double x = 0.0;        ///< gap: its left end; step: where it is
  double x_to = 0.0;     ///< gap: its right end
  std::size_t soil = 0;  ///< gap: the soil ending at its left; step: the soil on its high side
};

/// Derives the ground from soils as read (finite points; tops with x
/// strictly increasing; regions closed polygons). Vertical region edges
/// bound the envelope but add no width. A jump of the envelope by more than
/// kRelativeTolerance of the model's size is a step; less is joined at the
/// higher value. Each region's upper side is found first, so that at most
/// one segment per soil spans any x. About O(n log n) for n points, plus
/// O(K) for each interval between neighbouring point x-values that K
/// segments span, O(K^2) where many of them cross inside it.
[[nodiscard]] GroundDerivation derive_ground(const std::vector<Soil>& soils);

}  // namespace slope
