#include "search/trial_grid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace search {

double Axis::at(std::int32_t i) const {
  if (count <= 1) return 0.5 * (from + to);
  if (i == count - 1) return to;
  return from + (to - from) * (static_cast<double>(i) / static_cast<double>(count - 1));
}

double Axis::step() const { return count > 1 ? (to - from) / static_cast<double>(count - 1) : 0.0; }

std::uint64_t TrialGrid::trial_count() const {
  std::uint64_t count = 1;
  for (const Axis& axis : axes) count *= static_cast<std::uint64_t>(std::max(axis.count, 1));
  return count;
}

Indices indices_of(const TrialGrid& grid, std::uint64_t trial) {
  const auto nb = static_cast<std::uint64_t>(grid.axes[1].count);
  const auto nc = static_cast<std::uint64_t>(grid.axes[2].count);
  const std::uint64_t l = trial % nc;
  const std::uint64_t rest = trial / nc;
  return {static_cast<std::int32_t>(rest / nb), static_cast<std::int32_t>(rest % nb),
          static_cast<std::int32_t>(l)};
}

Params params_at(const TrialGrid& grid, const Indices& indices) {
  return {grid.axes[0].at(indices[0]), grid.axes[1].at(indices[1]), grid.axes[2].at(indices[2])};
}

double ground_level(const slope::Polyline& ground, double x) {
  if (x <= ground.front().x) return ground.front().y;
  if (x >= ground.back().x) return ground.back().y;
  const auto above = std::upper_bound(ground.begin(), ground.end(), x,
                                      [](double v, const slope::Point& p) { return v < p.x; });
  const slope::Point q = *above;
  const slope::Point p = *(above - 1);
  if (x == p.x) return p.y;
  return p.y + (q.y - p.y) * ((x - p.x) / (q.x - p.x));
}

bool circle_at(const TrialGrid& grid, const slope::Polyline& ground, const Params& p,
               slope::Circle& out) {
  switch (grid.kind) {
    case GridKind::centres_radii:
      out = {p[0], p[1], p[2]};
      return true;
    case GridKind::centres_tangents:
      out = {p[0], p[1], p[1] - p[2]};
      return true;
    case GridKind::entry_exit:
      break;
  }
  const slope::Point a{p[0], ground_level(ground, p[0])};
  const slope::Point b{p[1], ground_level(ground, p[1])};
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double chord = std::hypot(dx, dy);
  const double radius = p[2];
  if (!(chord > 0.0) || !(radius >= 0.5 * chord)) return false;
  // The centre lies on the chord's perpendicular bisector; of its two places
  // the higher one puts both points on the lower arc where possible.
  const double offset = std::sqrt(std::max(radius * radius - 0.25 * chord * chord, 0.0)) / chord;
  const double side = dx > 0.0 ? 1.0 : -1.0;
  out = {0.5 * (a.x + b.x) - side * offset * dy, 0.5 * (a.y + b.y) + side * offset * dx, radius};
  return true;
}

double grid_work(const TrialGrid& grid, const slope::Polyline& ground, std::int32_t slices) {
  double trials = 1.0;
  for (const Axis& axis : grid.axes) trials *= static_cast<double>(axis.count);
  return trials * (static_cast<double>(ground.size()) + static_cast<double>(slices));
}

GridCheck check_grid(const TrialGrid& grid, const slope::Polyline& ground, std::int32_t slices) {
  for (int k = 0; k < 3; ++k) {
    const Axis& axis = grid.axes[static_cast<std::size_t>(k)];
    const auto refuse = [k](GridProblem problem) { return GridCheck{problem, k}; };
    if (axis.count < 1) return refuse(GridProblem::count_below_one);
    if (!std::isfinite(axis.from) || !std::isfinite(axis.to)) {
      return refuse(GridProblem::not_finite);
    }
    if (std::fabs(axis.from) > kMaxLimit || std::fabs(axis.to) > kMaxLimit) {
      return refuse(GridProblem::too_large);
    }
    if (axis.from > axis.to) return refuse(GridProblem::reversed);
    if (axis.from == axis.to && axis.count > 1) return refuse(GridProblem::repeated_value);
    const bool radius = k == 2 && grid.kind != GridKind::centres_tangents;
    if (radius && !(axis.from > 0.0)) return refuse(GridProblem::radius_not_positive);
    const bool on_ground = k < 2 && grid.kind == GridKind::entry_exit;
    if (on_ground && (axis.from < ground.front().x || axis.to > ground.back().x)) {
      return refuse(GridProblem::off_ground);
    }
  }
  double trials = 1.0;
  for (const Axis& axis : grid.axes) trials *= static_cast<double>(axis.count);
  if (trials > static_cast<double>(kMaxTrials)) return {GridProblem::too_many_trials, -1};
  if (grid_work(grid, ground, slices) > kMaxWork) return {GridProblem::too_much_work, -1};
  return {};
}

}  // namespace search
