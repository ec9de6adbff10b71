// The slope model: soils (layers with a top line, or closed regions), the
// ground surface above them, an optional piezometric line (above the ground
// it is water standing on the slope) or pore-pressure ratios, strip loads on
// the ground, a tension crack, earthquake coefficients and an optional
// bedrock line. Any
// consistent units; angles in degrees. Built by read_model, read-only after.
#pragma once

#include <string>
#include <vector>

namespace slope {

/// A point of the model's plane: x horizontal, y up.
struct Point {
  double x = 0.0;
  double y = 0.0;
};

/// Points in order; for a line, x strictly increasing.
using Polyline = std::vector<Point>;

/// One soil. Exactly one of `top` (a layer: its upper boundary) and
/// `region` (a closed polygon, last point joined to the first) is given.
struct Soil {
  std::string name;
  double unit_weight = 0.0;            ///< above the piezometric line
  double saturated_unit_weight = 0.0;  ///< below it (unit_weight when not given)
  double cohesion = 0.0;
  double friction_angle = 0.0;  ///< degrees, 0 to 90
  double ru = 0.0;              ///< pore-pressure ratio; 0 when not given
  Polyline top;                 ///< layer: x strictly increasing; else empty
  Polyline region;              ///< region: closed polygon; else empty
  /// A layer whose bottom a circle follows instead of passing below it, as
  /// it follows the bedrock (a weak layer on a hard one).
  bool follow = false;
};

/// A vertical strip load on the ground surface between x = from and x = to,
/// varying linearly from `intensity` at from to `intensity_to` at to (equal
/// for a uniform load).
struct Load {
  double from = 0.0;
  double to = 0.0;
  double intensity = 0.0;     ///< per horizontal length at from, downward positive
  double intensity_to = 0.0;  ///< at to

  /// The intensity at x (from <= x <= to): exactly `intensity` for a uniform load.
  [[nodiscard]] double at(double x) const {
    return intensity + (intensity_to - intensity) * ((x - from) / (to - from));
  }
};

/// A tension crack at the head of every slip surface that reaches it: the
/// surface ends where it meets the crack line (the ground lowered by the
/// depth) and a vertical crack rises from there to the ground.
struct TensionCrack {
  bool present = false;          ///< false: no crack (also a depth of 0)
  bool automatic_depth = false;  ///< depth 2c'/(gamma sqrt(Ka)) of the soil at the head
  double depth = 0.0;            ///< when not automatic, above 0
  bool full = false;             ///< water up to the crack's top
  double water_depth = 0.0;      ///< when not full: 0 (dry) up to the depth
  bool range_given = false;      ///< false: the crest behind the slope face
  double from = 0.0;             ///< x range where a crack may open, when given
  double to = 0.0;
};

/// Pseudo-static earthquake coefficients: kh W towards the toe and kv W
/// downward at each slice's centroid.
struct Seismic {
  double kh = 0.0;
  double kv = 0.0;

  [[nodiscard]] bool any() const { return kh != 0.0 || kv != 0.0; }
};

/// The model as read. Soils are listed from the ground down.
struct Model {
  std::string title;     ///< title line 1 of reports and data files
  std::string subtitle;  ///< title line 2; may be empty
  std::string units;     ///< free text shown in outputs; may be empty
  /// Unit weight of water; 0 when the model gives none (then it has no
  /// water: no piezometric line and no ru above 0).
  double water_unit_weight = 0.0;
  Polyline bedrock;           ///< empty: no bedrock
  std::vector<Soil> soils;    ///< at least one
  Polyline piezometric_line;  ///< empty: no piezometric line
  std::vector<Load> loads;    ///< in the order given
  TensionCrack tension_crack;
  Seismic seismic;
  /// Derived: the upper boundary of all soils, x strictly increasing, from
  /// the model's left end to its right end.
  Polyline ground;
};

}  // namespace slope
