// The search for a critical surface that is not a circle. Each trial is a
// polyline made from its index alone (a low-discrepancy sequence), so that
// the result does not depend on the number of threads:
// - a path: from a point of the head range on the ground to a point of the
//   toe range, bending upward only, through `vertices` interior vertices;
// - a block: a base through a point or two of each box, an active wedge up
//   to the ground at the head at 45 + phi/2 and a passive wedge up to the
//   ground at the toe at 45 - phi/2, phi of the soil at each end of the base.
// Trials whose base turns back upward or that turn too sharply are left
// out, counted by reason as every other outcome.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "search/search.h"
#include "slope/model.h"
#include "slope/slope_face.h"
#include "slope/soil_map.h"

namespace search {

enum class SurfaceKind : std::uint8_t { path, block };

/// A box a block's base passes through.
struct Box {
  double x0 = 0.0;
  double x1 = 0.0;
  double y0 = 0.0;
  double y1 = 0.0;
};

struct PolylineLimits {
  SurfaceKind kind = SurfaceKind::path;
  /// Path: the x ranges of its two ends on the ground.
  double head_from = 0.0;
  double head_to = 0.0;
  double toe_from = 0.0;
  double toe_to = 0.0;
  std::int32_t vertices = 2;  ///< path: interior vertices
  /// Path: no vertex lies below this level (default H below the toe, or
  /// the bedrock's lowest point there when higher).
  double bottom = -std::numeric_limits<double>::infinity();
  std::vector<Box> boxes;  ///< block
  /// Block: the ranges of the wedges' angles from the horizontal, degrees;
  /// NaN takes 45 + phi/2 (active, at the head) and 45 - phi/2 (passive, at
  /// the toe) of the soil at the base's end.
  double active_from = std::numeric_limits<double>::quiet_NaN();
  double active_to = std::numeric_limits<double>::quiet_NaN();
  double passive_from = std::numeric_limits<double>::quiet_NaN();
  double passive_to = std::numeric_limits<double>::quiet_NaN();
  double max_angle = 120.0;  ///< the largest turn at a vertex, degrees
  std::uint64_t trials = 20000;
};

/// Largest number of trials and of interior vertices accepted.
inline constexpr std::uint64_t kMaxPolylineTrials = 100'000'000;
inline constexpr std::int32_t kMaxPathVertices = 20;
inline constexpr std::size_t kMaxBoxes = 10;

/// Path limits from the slope's face: the head range from the crest back
/// 1.5 H, the toe range from H/2 beyond the toe up to the face's middle,
/// no vertex lower than H below the toe.
/// Nothing when the ground has no face that way.
[[nodiscard]] std::optional<PolylineLimits> default_path_limits(const slope::Model& model,
                                                                std::optional<slope::Face> face);

/// Why `limits` cannot be searched on `model`'s ground, naming the value;
/// empty when they can: ranges outside the ground, a box outside the
/// model or empty, counts out of range.
[[nodiscard]] std::string limits_fault(const slope::Model& model, const PolylineLimits& limits);

/// Makes the trial polylines of one model and limits; read-only after
/// construction, so threads may share one.
class PolylineTrials {
 public:
  /// `model` and `limits` must outlive it.
  PolylineTrials(const slope::Model& model, const PolylineLimits& limits);

  /// The trial polyline of `index`; false when it cannot be made (a wedge
  /// that never meets the ground, an end off the ground).
  [[nodiscard]] bool make(std::uint64_t index, slope::Polyline& out) const;

 private:
  [[nodiscard]] bool path(std::uint64_t index, slope::Polyline& out) const;
  [[nodiscard]] bool block(std::uint64_t index, slope::Polyline& out) const;

  const slope::Model& model_;
  const PolylineLimits& limits_;
  slope::SoilMap map_;
};

/// One trial of the search with its polyline.
struct PolylineRanked {
  Trial trial;
  slope::Polyline points;
  std::uint64_t index = 0;
};

struct PolylineResult {
  Counts counts{};
  std::vector<PolylineRanked> top;  ///< up to `top` trials with a factor, best first
};

/// Evaluates trials 0 to limits.trials - 1 in parallel in the caller's task
/// arena and keeps the `top` best (least factor, then least index).
[[nodiscard]] PolylineResult find_critical_polyline(EvaluatorPool& pool,
                                                    const PolylineLimits& limits, std::int32_t top);

}  // namespace search
