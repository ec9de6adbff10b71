// Cutting a slip surface through a slope model into vertical slices and
// mapping each to the sections of a slope data file: sections at entry and
// exit, at every vertex and crossing inside the sliding mass and at load
// ends, each interval split evenly so that no slice is wider than
// (exit - entry) / N. Weights are exact area integrals of the unit weights.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "method/section.h"
#include "slope/model.h"
#include "slope/slip_surface.h"

namespace slope {

/// One cut surface: its sections from head (the higher end) to toe, ready
/// for the methods and for a data file, and where it meets the ground.
struct Cut {
  SurfaceProblem problem = SurfaceProblem::none;
  Point entry;  ///< where the surface meets the ground at its head
  Point exit;   ///< where it meets the ground at its toe
  /// Sections head to toe: the values a data file holds, vertical_load
  /// downward positive and tan_phi derived with method::tan_phi_of, exactly
  /// as a reader of the written file would hold them.
  std::vector<method::Section> sections;
  double water_unit_weight = 0.0;  ///< the model's, 0 for a dry model

  /// The tension crack the head ends at, when the surface reached the
  /// model's crack line: the first section's ground then stands `depth`
  /// above its slip level.
  struct Crack {
    bool present = false;
    double depth = 0.0;        ///< from the ground down to the surface
    double water_depth = 0.0;  ///< water standing in it
    double thrust = 0.0;       ///< the water's horizontal force towards the toe
  } crack;

  /// Where the moments of horizontal forces are taken about.
  enum class AxisRule : unsigned char {
    centre,        ///< the circle's centre
    three_points,  ///< the circle through the head, the toe and the deepest point
    given          ///< the point the surface came with
  };
  AxisRule axis_rule = AxisRule::centre;
  /// Loads beyond the sections: earthquake coefficients, the axis, and
  /// (through surface()) the water's horizontal thrusts below.
  method::SurfaceLoads loads;
  /// Per slice, head to toe, when water pushes on the surface sideways
  /// (water standing on it, water in the crack); empty otherwise. See
  /// method::SurfaceLoads.
  std::vector<double> water_force;
  std::vector<double> water_moment;
  bool water_standing = false;  ///< water stands over some slice's top
  /// The arms of the general form of moments about the axis: for a
  /// polyline cut in that form; empty (the data file's form) otherwise.
  method::MomentArmColumns arms;
  /// A circle that met the floor (the bedrock, the bottom of a followed
  /// layer) and follows it: the polyline cut, arc, floor and arc, with the
  /// circle's centre as its axis. Empty for any other surface.
  Polyline composite;
  double followed_from = 0.0;  ///< where a composite surface lies on the floor
  double followed_to = 0.0;

  /// What the methods read.
  [[nodiscard]] method::SurfaceData surface() const {
    method::SurfaceLoads with_water = loads;
    with_water.water_force = water_force;
    with_water.water_moment = water_moment;
    with_water.head_thrust = crack.thrust;
    return {sections, water_unit_weight, with_water, arms.arms()};
  }
};

/// How a Cutter cuts.
struct CutOptions {
  method::MomentForm moments = method::MomentForm::general;
  bool composite = true;
};

/// The forces of a cut that a slope data file has no place for, named for a
/// message ("crack water", "earthquake", "horizontal water thrust", which
/// water standing over any part of the sliding mass exerts on its slices);
/// none when the sections say everything.
[[nodiscard]] std::vector<std::string_view> unwritable_forces(const Cut& cut);

/// Cuts surfaces through one model: a surface that reaches the model's
/// crack line at its head ends there (see Cut::crack); water standing on the
/// ground weighs on the slices' tops (in their loads) and pushes sideways,
/// and the model's earthquake coefficients go with every cut. Holds the model's prepared geometry
/// and working buffers; one Cutter per thread. After the first few surfaces a cut allocates nothing
/// unless a surface needs more sections than before.
class Cutter {
 public:
  /// `options.moments`: the form of moment equilibrium of a polyline's cut
  /// (a circle's is the data file's, which is exact for it);
  /// `options.composite`: a circle meeting the floor follows it (else it is
  /// refused as passing below the bedrock).
  explicit Cutter(const Model& model, CutOptions options = {});
  ~Cutter();
  Cutter(const Cutter&) = delete;
  Cutter& operator=(const Cutter&) = delete;

  /// Cuts `surface` with `slices` = N (N >= 1) as above into `out`.
  /// Returns out.problem; on a problem the sections are cleared.
  SurfaceProblem cut(const SlipSurface& surface, std::int32_t slices, Cut& out);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  CutOptions options_;
};

}  // namespace slope
