// The line of thrust of a run with interslice forces: where the interslice
// normal force acts on each boundary between two slices, from each slice's
// moment equilibrium about the middle of its base, carried from the head
// (where there is no interslice force) towards the toe. Peers check it: it
// should stay inside the sliding mass, and the interslice normal forces
// should push, not pull.
#pragma once

#include <vector>

#include "method/section.h"
#include "method/slice_forces.h"
#include "method/slices.h"

namespace method {

/// The thrust on the boundary at one section between two slices.
struct ThrustPoint {
  double x = 0.0;
  /// The height the interslice normal force acts at; NaN where the force is
  /// too small for a height to mean anything.
  double level = 0.0;
  double ground = 0.0;   ///< the ground's level there
  double slip = 0.0;     ///< the slip surface's level there
  bool outside = false;  ///< the level lies above the ground or below the slip surface
  bool tension = false;  ///< the interslice normal force pulls
};

/// One point per section between two slices, head to toe, for the forces
/// `forces` (slice_forces of a run with interslice forces) on `surface`
/// whose table `table` holds. Each slice's weight and vertical load act
/// through the middle of its base (thin slices), an earthquake's
/// horizontal force at the centroid, water's horizontal thrusts at the
/// height of their resultant. Empty when the forces have no interslice part.
[[nodiscard]] std::vector<ThrustPoint> line_of_thrust(const SurfaceData& surface,
                                                      const SliceTable& table,
                                                      const std::vector<SliceForces>& forces);

}  // namespace method
