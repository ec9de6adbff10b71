// Plane geometry for the checks of a slope model: heights of a line, the
// area and self-crossing of a polygon, the overlap of two polygons and where
// one line rises above another. Lengths within a tolerance count as zero.
#pragma once

#include <cstddef>

#include "slope/model.h"

namespace slope {

/// Lengths below this fraction of a model's size count as zero in the
/// checks (a line at ground level, a region touching another).
inline constexpr double kRelativeTolerance = 1e-9;

/// Height of `line` (x strictly increasing, at least one point) at `x`,
/// interpolated linearly; the end height beyond either end. Exact at the
/// line's own points.
[[nodiscard]] double height_at(const Polyline& line, double x);

/// Area of a closed polygon (last point joined to the first), positive when
/// its points run anticlockwise.
[[nodiscard]] double signed_area(const Polyline& polygon);

/// Two edges of a polygon; edge k joins point k to point k + 1 (the last
/// edge joins the last point to point 0).
struct EdgePair {
  bool found = false;
  std::size_t first = 0;
  std::size_t second = 0;  ///< greater than first
};

/// The first pair (in order of `first`, then `second`) of edges of `polygon`
/// (at least 3 points, finite) that cross or touch, other than neighbours
/// meeting at their shared point; neighbours that fold back along each
/// other count. Found none: the polygon is simple. `tolerance`: distances at
/// most this count as touching.
[[nodiscard]] EdgePair find_self_crossing(const Polyline& polygon, double tolerance);

/// True when the insides of two simple polygons share some area: their
/// edges cross, one holds a part of the other's boundary inside it, or they
/// are the same. Polygons that only touch, along edges or at points, do not
/// overlap.
[[nodiscard]] bool polygons_overlap(const Polyline& a, const Polyline& b, double tolerance);

/// Where `line` is higher than `below` by more than `tolerance`.
struct Rise {
  bool found = false;
  double x = 0.0;
  double height = 0.0;        ///< of `line` at x
  double height_below = 0.0;  ///< of `below` at x
};

/// The leftmost point of the common x-range of two lines (x strictly
/// increasing) at which `line` rises above `below`, checked at every point of
/// both lines and at the ends of the common range: between those both lines
/// are straight, so this finds any rise.
[[nodiscard]] Rise find_rise_above(const Polyline& line, const Polyline& below, double tolerance);

}  // namespace slope
