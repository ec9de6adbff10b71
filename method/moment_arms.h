// Moment equilibrium about one axis point with each force's own lever arm,
// the form for a slip surface that is not a circle. The slope data file's
// form takes every slice's weight as its weight times the sine of its base
// and its shear resistance as a force, which is exact for a circle (every
// base at one radius from the centre) and for other shapes treats each base
// as if it had a centre of its own. In the general form the weight acts at
// the slice's middle, the shear along the base at the base line's distance
// from the axis, and the normal force through the base's middle with the
// offset it has from the axis. Every arm is divided by one reference radius,
// so that the driving terms stay forces and, on a circle about its centre,
// the two forms agree.
#pragma once

#include <span>
#include <vector>

namespace method {

struct Section;

/// Which form the moment methods take on a surface that is not a circle.
enum class MomentForm : unsigned char {
  general,  ///< about the axis, each force with its own lever arm
  legacy    ///< the slope data file's form
};

/// The arms of a surface, per slice head to toe. Inactive (the data file's
/// form) for a surface read from a data file and for a circle.
struct MomentArms {
  bool active = false;
  /// The driving term of a slice is -(weight + load) times this: the
  /// horizontal distance of its middle from the axis over the reference
  /// radius, positive on the side the mass slides towards (the sine of the
  /// base on a circle).
  std::span<const double> weight;
  /// The resisting shear's arm, the base line's distance from the axis, over
  /// the reference radius (1 on a circle).
  std::span<const double> shear;
  /// The driving term of a slice gains its total normal force on the base
  /// (pore force included) times this: the normal force's offset from the
  /// axis over the reference radius, signed as the weight's (0 on a circle).
  std::span<const double> normal;
  double axis_x = 0.0;
  double axis_y = 0.0;
  double reference = 1.0;  ///< the mean of the base lines' distances from the axis
};

/// Storage for the arms of one surface; arms() points a MomentArms at it.
struct MomentArmColumns {
  std::vector<double> weight;
  std::vector<double> shear;
  std::vector<double> normal;
  double axis_x = 0.0;
  double axis_y = 0.0;
  double reference = 1.0;

  /// Fills the columns for `sections` (head to toe) about (axis_x, axis_y).
  void compute(std::span<const Section> sections, double axis_x, double axis_y);
  void clear();
  [[nodiscard]] MomentArms arms() const;
};

}  // namespace method
