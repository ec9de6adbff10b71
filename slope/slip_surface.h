// Trial slip surfaces and how they meet the ground: a circle (the arc below
// its centre) or a polyline. Entry and exit are found exactly (segment-circle
// and segment-segment intersection); a surface that does not cut out one
// sliding mass gets its reason.
#pragma once

#include <cstdint>
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
  /// A polyline's moment point for horizontal forces, when given; otherwise
  /// the centre of the circle through its head, its toe and its deepest point.
  bool axis_given = false;
  Point axis;
};

/// Why a surface does not cut out one sliding mass.
enum class SurfaceProblem {
  none,                 ///< admissible: one sliding mass between entry and exit
  invalid,              ///< not a surface: non-finite numbers, radius <= 0, x not increasing
  misses_slope,         ///< never below the ground
  crosses_ground_more,  ///< crosses the ground more than twice
  ends_below_ground,    ///< an end (a polyline end, the arc's end) lies below the ground
  leaves_model,         ///< leaves through an end of the model
  below_bedrock,        ///< passes below the bedrock
  too_thin,             ///< the mass has no width to slice
  too_many_sections     ///< would need more than kMaxCutSections sections
};

/// The most sections a cut may have; a surface that needs more (a polyline
/// of very many points, a huge number of slices) is refused.
inline constexpr std::int32_t kMaxCutSections = 100000;

/// A short lower-case phrase for a problem ("crosses the ground more than
/// twice"), for messages and JSON.
[[nodiscard]] std::string_view problem_text(SurfaceProblem problem);

/// A machine key for a problem ("crosses_ground_more_than_twice").
[[nodiscard]] std::string_view problem_key(SurfaceProblem problem);

/// invalid when `surface` is not a surface: a non-finite number, a radius
/// not above 0, a polyline of fewer than 2 points or with x not strictly
/// increasing; otherwise none.
[[nodiscard]] SurfaceProblem check_surface(const SlipSurface& surface);

/// Level of the lower arc of `circle` at x: yc - sqrt(R^2 - (x - xc)^2),
/// taken as yc at and beyond the arc's ends.
[[nodiscard]] double arc_level(const Circle& circle, double x);

/// The parameters t in [0, 1], ascending, where the segment p + t (q - p)
/// meets the lower arc of `circle` (points at or below the centre). A segment
/// that only touches the circle (a double root) gives none. Returns how many
/// (0 to 2) were written to t.
int arc_crossings(const Circle& circle, Point p, Point q, double t[2]);

/// Where a valid surface meets the ground: the two ends of its sliding mass,
/// left (smaller x) and right.
struct GroundCrossing {
  SurfaceProblem problem = SurfaceProblem::none;
  Point left;   ///< on the ground; meaningful only without a problem
  Point right;  ///< on the ground; meaningful only without a problem
};

/// Finds where `surface` (checked by check_surface) meets `ground` (x
/// strictly increasing, at least 2 points). The mass is where the surface
/// lies strictly below the ground; touching the ground without crossing it
/// does not end or start a mass. Problems: misses_slope (no mass),
/// crosses_ground_more (two or more masses), ends_below_ground (the mass
/// reaches the surface's own end, the arc's end at centre height or a
/// polyline end, lying below the ground), leaves_model (it reaches an end of
/// the ground line).
[[nodiscard]] GroundCrossing meet_ground(const SlipSurface& surface, const Polyline& ground);

/// True when `surface` passes strictly below `bedrock` (x strictly
/// increasing) anywhere between from_x and to_x. Exact up to rounding: the
/// least height of the surface above each bedrock segment lies at a segment
/// end, a surface vertex or where the arc runs parallel to the segment.
/// Touching the bedrock is allowed. An empty bedrock is never crossed.
[[nodiscard]] bool passes_below(const SlipSurface& surface, const Polyline& bedrock, double from_x,
                                double to_x);

}  // namespace slope
