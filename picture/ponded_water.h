// Water standing on the slope: the pools between the ground and a
// piezometric line that rises above it.
#pragma once

#include <vector>

#include "slope/model.h"

namespace picture {

/// One closed polygon (the last point joined to the first) for each stretch
/// where `water` lies above `ground` (both with x strictly increasing): the
/// water line from left to right, then the ground back. A pool ends where
/// the lines cross, or with a vertical edge where the water line ends. Empty
/// when the water line never rises above the ground.
[[nodiscard]] std::vector<slope::Polyline> ponded_water(const slope::Polyline& ground,
                                                        const slope::Polyline& water);

}  // namespace picture
