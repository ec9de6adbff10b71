// Optimisation of a slip surface: the surface as a polyline of N vertices,
// its interior vertices moved along the surface's normal and its ends along
// the ground, a move kept when it lowers the factor, the step halved when
// a sweep gains too little (a compass search, in a fixed order, so that the result
// depends on nothing but the inputs). A candidate whose base turns back
// upward, that turns too sharply, that the cutter refuses or that has no
// factor is never kept; the result is never above the start.
#pragma once

#include <cstdint>
#include <vector>

#include "search/evaluation.h"
#include "search/search.h"
#include "slope/model.h"

namespace search {

struct OptimiseSettings {
  std::int32_t vertices = 12;  ///< of the polyline optimised, ends included
  double max_angle = 120.0;    ///< the largest turn at a vertex, degrees
  /// A sweep of every vertex that lowers the factor by less halves the step;
  /// the search ends when the step is below 1e-5 of the surface's length.
  double tolerance = 1e-5;
  std::int64_t max_evaluations = 20000;
};

/// Most vertices accepted.
inline constexpr std::int32_t kMaxOptimiseVertices = 100;

struct OptimiseResult {
  bool started = false;    ///< false: the start has no factor (see start.outcome)
  Trial start;             ///< the start surface as given
  Trial best;              ///< the end: never above the start
  slope::Polyline points;  ///< the end surface (the start's own points when nothing was better)
  /// The start resampled into the polyline moved: a factor, or why it was
  /// refused (its base turns back upward, say), when nothing is moved.
  Outcome resampled = Outcome::factor;
  std::int64_t evaluations = 0;
  Counts counts{};  ///< the candidates by outcome, refusals included
  /// The factor of the polyline moved: resampled from the start, then after
  /// each move kept.
  std::vector<double> path;
};

/// Optimises `start` (a surface the evaluator's model and settings cut): a
/// polyline's given axis is kept for every candidate, any other candidate
/// takes its own default axis, as `hollin analyse` does for its points.
[[nodiscard]] OptimiseResult optimise_surface(Evaluator& evaluator, const slope::Model& model,
                                              const slope::SlipSurface& start,
                                              const OptimiseSettings& settings);

}  // namespace search
