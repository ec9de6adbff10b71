#include "method/surface_loads.h"

#include <cmath>

#include "method/moment_arms.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

namespace {

// First moment about y0 of the trapezoid between a bottom line (b0 to b1)
// and a top line (t0 to t1) over a unit width: the integral of
// (t^2 - b^2) / 2 with both lines straight.
double first_moment(double b0, double b1, double t0, double t1, double y0) {
  b0 -= y0;
  b1 -= y0;
  t0 -= y0;
  t1 -= y0;
  return ((t0 * t0 + t0 * t1 + t1 * t1) - (b0 * b0 + b0 * b1 + b1 * b1)) / 6.0;
}

}  // namespace

double centroid_level(const Section& a, const Section& b) {
  const double y0 = 0.5 * (a.slip_level + b.slip_level);
  const double lower_a = a.slip_level + a.lower_height;
  const double lower_b = b.slip_level + b.lower_height;
  const double lower_area = 0.5 * (a.lower_height + b.lower_height);
  const double upper_area = 0.5 * ((a.ground_level - lower_a) + (b.ground_level - lower_b));
  const double weight = lower_area * a.lower_unit_weight + upper_area * a.upper_unit_weight;
  if (!(weight != 0.0)) return y0;
  const double moment =
      a.lower_unit_weight * first_moment(a.slip_level, b.slip_level, lower_a, lower_b, y0) +
      a.upper_unit_weight * first_moment(lower_a, lower_b, a.ground_level, b.ground_level, y0);
  return y0 + moment / weight;
}

namespace {

// slice_lever with the base's cosine and the inverse of its length given.
SliceLever lever(double xa, double ya, double xb, double yb, double axis_x, double axis_y,
                 double cos, double inverse_length) {
  const double arm =
      std::fabs((xb - xa) * (ya - axis_y) - (xa - axis_x) * (yb - ya)) * inverse_length;
  return {0.5 * (ya + yb) + arm * cos, arm};
}

}  // namespace

SliceLever slice_lever(double xa, double ya, double xb, double yb, double axis_x, double axis_y) {
  const double dx = xb - xa;
  const double dy = yb - ya;
  const double length = std::sqrt(dx * dx + dy * dy);
  return lever(xa, ya, xb, yb, axis_x, axis_y, std::fabs(dx) / length, 1.0 / length);
}

void add_vertical_loads(const SurfaceLoads& loads, std::size_t slices, SliceTable& table) {
  if (loads.kv == 0.0) return;
  for (std::size_t s = 0; s < slices; ++s) table.load[s] += loads.kv * table.weight[s];
}

void add_horizontal_loads(const SurfaceLoads& loads, const MomentArms& arms,
                          std::span<const Section> sections, std::size_t slices,
                          SliceTable& table) {
  const bool water = loads.water_force.size() >= slices && loads.water_moment.size() >= slices;
  for (std::size_t s = 0; s < slices; ++s) {
    const Section& a = sections[s];
    const Section& b = sections[s + 1];
    double force = 0.0;
    double moment = 0.0;
    // From the base's cosine the table holds: 1 / length = cos / width.
    const double cos = table.base_cos[s];
    const SliceLever at = lever(a.x, a.slip_level, b.x, b.slip_level, loads.axis_x, loads.axis_y,
                                cos, cos / table.width[s]);
    if (loads.kh != 0.0) {
      const double quake = loads.kh * table.weight[s];
      force += quake;
      moment += quake * (at.level - centroid_level(a, b));
    }
    if (water) {
      force += loads.water_force[s];
      moment += loads.water_moment[s];
    }
    table.horizontal_force[s] = force;
    if (arms.active) {
      // About the axis: each force's moment about the slice's own point,
      // moved up to the axis's level (the crack's water on the first slice
      // included).
      const double pushed = force + (s == 0 ? loads.head_thrust : 0.0);
      moment += pushed * (loads.axis_y - at.level);
      if (moment != 0.0) table.driving_force[s] += moment / arms.reference;
      continue;
    }
    if (moment != 0.0) table.driving_force[s] += moment / at.arm;
  }
}

}  // namespace method
