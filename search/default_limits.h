// Default limits of a search from the ground's geometry: the slope face
// (crest, toe, height), and a grid of centres above the face with circles
// tangent to levels from below the toe (not below the bedrock there) up the
// face, which holds the critical circle of ordinary slopes.
#pragma once

#include <cstdint>
#include <optional>

#include "search/trial_grid.h"
#include "slope/model.h"
#include "slope/slope_face.h"

namespace search {

using slope::Face;
using slope::find_face;
using slope::higher_face;
using slope::SlopeFace;

/// Default counts per axis and the least they shrink to on a ground of very
/// many points (so that the work of the default grid stays bounded).
inline constexpr std::int32_t kDefaultCount = 50;
inline constexpr std::int32_t kLeastDefaultCount = 5;
/// The work (see grid_work) the default grid is held below.
inline constexpr double kDefaultWork = 2e8;

/// The limits chosen.
struct DefaultLimits {
  bool found = false;    ///< false: the ground does not fall towards the face asked for (or any)
  SlopeFace face;        ///< the face used
  TrialGrid grid;        ///< centres and tangent levels
  bool bedrock = false;  ///< true when the bedrock raised the lowest tangent level
};

/// Limits for `model`: the face asked for, or the higher one (left on a
/// tie). With H the face's height and L its horizontal length: centre x from
/// the toe's x - H/2 to the crest's x + H/2 (mirrored for a right face),
/// centre y from the crest's level up 1.5 max(H, L); tangent levels from H
/// below the toe (or the lowest bedrock level under the centres, when
/// higher and circles may not follow the bedrock: `composite` false) up to
/// 0.1 H below the crest. kDefaultCount values per axis, fewer when the
/// grid's work would exceed kDefaultWork.
[[nodiscard]] DefaultLimits default_limits(const slope::Model& model, std::optional<Face> face,
                                           std::int32_t slices, bool composite = false);

}  // namespace search
