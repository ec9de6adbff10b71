#include "slope/kinematics.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace slope {

Kinematics check_kinematics(const Polyline& points, double max_angle) {
  const double limit = max_angle * std::numbers::pi / 180.0;
  for (std::size_t k = 1; k + 1 < points.size(); ++k) {
    const Point& a = points[k - 1];
    const Point& b = points[k];
    const Point& c = points[k + 1];
    const double before = std::atan2(b.y - a.y, b.x - a.x);
    const double after = std::atan2(c.y - b.y, c.x - b.x);
    // Left to right a sliding body's base bends upward only.
    const double turn = after - before;
    if (turn < -1e-12) return Kinematics::turns_upward;
    if (turn > limit) return Kinematics::too_sharp;
  }
  return Kinematics::admissible;
}

std::string_view kinematics_key(Kinematics kinematics) {
  switch (kinematics) {
    case Kinematics::admissible:
      return "";
    case Kinematics::turns_upward:
      return "turns_upward";
    case Kinematics::too_sharp:
      return "too_sharp";
  }
  return "";
}

}  // namespace slope
