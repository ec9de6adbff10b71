// The line of thrust over a cut picture: where the interslice normal forces
// act, joined from head to toe, and a mark where one acts outside the
// sliding mass or pulls: the acceptability checks of a rigorous method.
#pragma once

#include <span>

#include "method/line_of_thrust.h"
#include "picture/page.h"

namespace picture {

/// What draw_thrust drew, for the legend.
struct ThrustDrawn {
  bool line = false;
  bool outside = false;
  bool tension = false;
};

/// Draws `thrust` on `page` (after the slices, before the legend); a level
/// outside the sliding mass at the edge of the mass it passed, marked.
ThrustDrawn draw_thrust(Page& page, std::span<const method::ThrustPoint> thrust);

/// The legend entries of what was drawn.
void thrust_legend(Page& page, const ThrustDrawn& drawn);

}  // namespace picture
