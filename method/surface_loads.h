// Forces a slope model puts on a surface beyond what a slope data file
// holds: earthquake coefficients and horizontal water thrusts, with the
// axis of the surface. The methods take a slice's weight as weight times the
// sine of its base, which is its moment about any point on the normal of the
// base through the base's middle, over that point's distance from the base.
// A horizontal force enters the same way: its moment about the point at the
// axis's distance on that normal, over the distance. For a circle that point
// is the centre for every slice; for a polyline the forces keep their share
// along each base as the weights do.
#pragma once

#include <cstddef>
#include <span>

namespace method {

struct Section;
struct SliceTable;
struct MomentArms;

struct SurfaceLoads {
  bool active = false;  ///< false: none of the below; the methods skip them
  double kh = 0.0;      ///< kh W towards the toe at each slice's centroid
  double kv = 0.0;      ///< kv W downward at the same point
  double axis_x = 0.0;  ///< a circle's centre, or a polyline's axis
  double axis_y = 0.0;
  /// Per slice, head to toe; empty when there is no water on the surface:
  /// the horizontal force of the water on the slice's top, towards the toe,
  /// and the driving moment of all the water's horizontal thrusts on the
  /// slice (its top, and on the first slice the water in a crack at the
  /// head) about the slice's moment point (slice_lever).
  std::span<const double> water_force;
  std::span<const double> water_moment;
  /// The water in a crack at the head: its horizontal force on the first
  /// slice towards the toe (its moment is in water_moment). The methods that
  /// balance forces take it with water_force.
  double head_thrust = 0.0;
};

/// A slice's moment point for horizontal forces: the point on the upward
/// normal through the middle of its base (from (xa, ya) to (xb, yb)), as far
/// from the base line as the axis is. `level` is its height, `arm` that
/// distance.
struct SliceLever {
  double level = 0.0;
  double arm = 0.0;
};
[[nodiscard]] SliceLever slice_lever(double xa, double ya, double xb, double yb, double axis_x,
                                     double axis_y);

/// The height of the centroid of the weight of the slice between sections a
/// and b: its lower zone and the part above, each with its unit weight, as
/// the weight is taken.
[[nodiscard]] double centroid_level(const Section& a, const Section& b);

/// Adds kv W to each slice's load, before the driving terms are formed.
void add_vertical_loads(const SurfaceLoads& loads, std::size_t slices, SliceTable& table);

/// Fills horizontal_force and adds each slice's horizontal driving moment,
/// divided by the distance of its base line from the axis, to its driving
/// force; after the driving terms are formed. With active `arms` (the
/// general form of moments) the moment is taken about the axis itself and
/// divided by the arms' reference radius.
void add_horizontal_loads(const SurfaceLoads& loads, const MomentArms& arms,
                          std::span<const Section> sections, std::size_t slices, SliceTable& table);

}  // namespace method
