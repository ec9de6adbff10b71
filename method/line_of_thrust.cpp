#include "method/line_of_thrust.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "method/surface_loads.h"

namespace method {

std::vector<ThrustPoint> line_of_thrust(const SurfaceData& surface, const SliceTable& table,
                                        const std::vector<SliceForces>& forces) {
  std::vector<ThrustPoint> out;
  const std::size_t count = forces.size();
  if (count < 2 || !forces.front().interslice) return out;
  const std::span<const Section> sections = surface.sections;
  const SurfaceLoads& loads = surface.loads;
  const bool water =
      loads.active && loads.water_force.size() >= count && loads.water_moment.size() >= count;
  double largest = 0.0;
  for (const SliceForces& f : forces) largest = std::max(largest, std::fabs(f.toe_normal));
  // Moments about the middle of each slice's base, horizontal forces taken
  // towards the toe and distances along the slice towards the toe (a
  // reflection for a slope facing the other way changes no balance):
  //   (z_toe - y) E_toe = (z_head - y) E_head + w/2 (X_head - X_toe)
  //                       + sum of (y_H - y) H.
  double z_head = std::numeric_limits<double>::quiet_NaN();
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const Section& a = sections[i];
    const Section& b = sections[i + 1];
    const SliceForces& f = forces[i];
    const double y = 0.5 * (a.slip_level + b.slip_level);
    const double half = 0.5 * table.width[i];
    double moment = half * (f.head_shear - f.toe_shear);
    if (f.head_normal != 0.0 && std::isfinite(z_head)) moment += (z_head - y) * f.head_normal;
    if (loads.active && loads.kh != 0.0) {
      moment += (centroid_level(a, b) - y) * loads.kh * table.weight[i];
    }
    if (water) {
      // The water's thrusts as one force at their resultant's height, from
      // their moment about the slice's own point.
      const double pushed = loads.water_force[i] + (i == 0 ? loads.head_thrust : 0.0);
      const SliceLever at =
          slice_lever(a.x, a.slip_level, b.x, b.slip_level, loads.axis_x, loads.axis_y);
      moment += pushed * (at.level - y) - loads.water_moment[i];
    }
    ThrustPoint p;
    p.x = b.x;
    p.ground = b.ground_level;
    p.slip = b.slip_level;
    p.tension = f.toe_normal < 0.0;
    const bool defined = std::fabs(f.toe_normal) > 1e-9 * largest;
    p.level = defined ? y + moment / f.toe_normal : std::numeric_limits<double>::quiet_NaN();
    p.outside = defined && (p.level > p.ground || p.level < p.slip);
    out.push_back(p);
    z_head = p.level;
  }
  return out;
}

}  // namespace method
