// Forces a slope model puts on a surface beyond what a slope data file
// holds: earthquake coefficients and horizontal water thrusts, with the
// point the methods take their moments about. Each slice's driving term is
// the moment of its forces about that point divided by the distance of its
// base line from it, which for a circle's chord is exactly how its weight
// enters (weight times the sine of the base).
#pragma once

#include <cstddef>
#include <span>

namespace method {

struct Section;
struct SliceTable;

struct SurfaceLoads {
  bool active = false;  ///< false: none of the below; the methods skip them
  double kh = 0.0;      ///< kh W towards the toe at each slice's centroid
  double kv = 0.0;      ///< kv W downward at the same point
  double axis_x = 0.0;  ///< the moment point: a circle's centre
  double axis_y = 0.0;
  /// Per slice, head to toe; empty when there is no water on the surface:
  /// the horizontal force of the water on the slice's top, towards the toe,
  /// and the driving moment about the axis of all the water's horizontal
  /// thrusts on the slice (its top, and on the first slice the water in a
  /// crack at the head).
  std::span<const double> water_force;
  std::span<const double> water_moment;
};

/// Adds kv W to each slice's load, before the driving terms are formed.
void add_vertical_loads(const SurfaceLoads& loads, std::size_t slices, SliceTable& table);

/// Fills horizontal_force and adds each slice's horizontal driving moment,
/// divided by the distance of its base line from the axis, to its driving
/// force; after the driving terms are formed.
void add_horizontal_loads(const SurfaceLoads& loads, std::span<const Section> sections,
                          std::size_t slices, SliceTable& table);

}  // namespace method
