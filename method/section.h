// One section of a trial slip surface: the ten values of a line of the slope
// data file that the methods use, six spare values, and the derived tangent
// of the friction angle. Sections are given from the head of the slip surface
// to its toe; sections k and k + 1 bound slice k.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "method/moment_arms.h"
#include "method/surface_loads.h"

namespace method {

/// Degrees to radians: pi rounded to single precision, divided by 180 in
/// double precision (not the double-precision pi / 180).
inline constexpr double kDegreeFactor = 0.017453293005625408;

/// The iteration stops at a slice whose m-factor is below this value (0.2
/// held in single precision, widened to double).
inline constexpr double kMinimumMFactor = 0.20000000298023224;

/// Convergence tolerance used when none is given (1e-5 held in single
/// precision, widened to double).
inline constexpr double kDefaultTolerance = 9.999999747378752e-06;

/// Largest number of passes used when no limit is given.
inline constexpr std::int32_t kDefaultIterationLimit = 50;

/// One section of the slip surface. Fields 6 to 10 belong to the slice that
/// begins here.
struct Section {
  double x = 0.0;                  ///< horizontal coordinate
  double ground_level = 0.0;       ///< elevation of the ground surface
  double slip_level = 0.0;         ///< elevation of the slip surface
  double lower_height = 0.0;       ///< height of the lower zone above the slip surface
  double pore_head = 0.0;          ///< pore-water pressure head at the slip surface
  double lower_unit_weight = 0.0;  ///< unit weight of the lower zone
  double upper_unit_weight = 0.0;  ///< unit weight above the lower zone
  double cohesion = 0.0;           ///< cohesion along the base
  double friction_angle = 0.0;     ///< friction angle, degrees, as given
  /// External vertical load per horizontal length, downward positive (a data
  /// file gives it upward positive; reading negates it).
  double vertical_load = 0.0;
  std::array<double, 6> spare{};  ///< six further numbers, unused
  double tan_phi = 0.0;           ///< tangent of friction_angle, see tan_phi_of
};

/// The tangent of a friction angle in degrees, with kDegreeFactor: the value
/// every reader of sections must store in Section::tan_phi.
[[nodiscard]] double tan_phi_of(double friction_angle_degrees);

/// What the methods read of one trial slip surface: its sections, head to
/// toe, the unit weight of water that turns a head into a pressure, the
/// loads a data file cannot hold, and the arms of the general form of
/// moments (neither for a surface read from one).
struct SurfaceData {
  std::span<const Section> sections;
  double water_unit_weight = 0.0;
  SurfaceLoads loads;
  MomentArms arms;
};

}  // namespace method
