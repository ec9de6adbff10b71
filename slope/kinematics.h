// Whether a polyline slip surface can slide as one body: its base may not
// turn back upward towards the head (a vertex above the line joining its
// neighbours, which would lock the mass), and the direction of the surface
// may not change too sharply at a vertex.
#pragma once

#include <cstdint>
#include <string_view>

#include "slope/model.h"

namespace slope {

enum class Kinematics : std::uint8_t {
  admissible,
  turns_upward,  ///< a vertex lies above the line joining its neighbours
  too_sharp      ///< the surface turns by more than the limit at a vertex
};

/// The default limit of the turn at a vertex, in degrees.
inline constexpr double kDefaultMaxAngle = 120.0;

/// Checks `points` (x strictly increasing): every slope of a segment at
/// least the slope before it (rounding aside), and the angle between the
/// directions of two successive segments at most `max_angle` degrees.
[[nodiscard]] Kinematics check_kinematics(const Polyline& points, double max_angle);

/// "turns_upward", "too_sharp"; empty for admissible.
[[nodiscard]] std::string_view kinematics_key(Kinematics kinematics);

}  // namespace slope
