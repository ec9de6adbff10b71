// Trial slip surfaces and how they meet the ground: a circle (the arc below
// its centre) or a polyline. Entry and exit are found exactly (segment-circle
// and segment-segment intersection); a surface that does not cut out one
// sliding mass gets its reason.
#pragma once

#include <string_view>

#include "slope/model.h"

namespace slope {

/// A circle by its centre and radius; the slip surface is its lower arc.
struct Circle {
  double xc = 0.0;
  double yc = 0.0;
  double radius = 0.0;
};

/// Either a circle or a polyline (x strictly increasing, at least 2 points).
struct SlipSurface {
  enum class Kind { circle, polyline };
  Kind kind = Kind::circle;
  Circle circle;
  Polyline polyline;
};

/// Why a surface does not cut out one sliding mass.
enum class SurfaceProblem {
  none,                 ///< admissible: one sliding mass between entry and exit
  invalid,              ///< not a surface: non-finite numbers, radius <= 0, x not increasing
  misses_slope,         ///< never below the ground
  crosses_ground_more,  ///< crosses the ground more than twice
  ends_below_ground,    ///< a polyline end lies below the ground
  leaves_model,         ///< leaves through an end of the model
  below_bedrock,        ///< passes below the bedrock
  too_thin              ///< the mass has no width to slice
};

/// A short lower-case phrase for a problem ("crosses the ground more than
/// twice"), for messages and JSON.
[[nodiscard]] std::string_view problem_text(SurfaceProblem problem);

/// A machine key for a problem ("crosses_ground_more_than_twice").
[[nodiscard]] std::string_view problem_key(SurfaceProblem problem);

}  // namespace slope
