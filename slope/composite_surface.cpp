#include "slope/composite_surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "slope/slip_surface.h"
#include "slope/soil_map.h"

namespace slope {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The higher of two levels, a NaN counting as none.
double higher(double a, double b) {
  if (std::isnan(a)) return b;
  if (std::isnan(b)) return a;
  return std::max(a, b);
}

}  // namespace

Floor::Floor(const Model& model) {
  std::vector<double> xs;
  for (const Point& p : model.bedrock) xs.push_back(p.x);
  bool following = false;
  for (const Soil& soil : model.soils) following = following || (soil.follow && !soil.top.empty());
  if (following) {
    for (const Soil& soil : model.soils) {
      for (const Point& p : soil.top) xs.push_back(p.x);
    }
  }
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  if (following) {
    // Where two of the lines cross, the floor may change from one to the
    // other: those places too.
    std::vector<const Polyline*> lines{&model.bedrock};
    for (const Soil& soil : model.soils) lines.push_back(&soil.top);
    const std::size_t vertices = xs.size();
    for (std::size_t a = 0; a < lines.size(); ++a) {
      for (std::size_t b = a + 1; b < lines.size(); ++b) {
        double before = kNaN;
        for (std::size_t k = 0; k < vertices; ++k) {
          const double gap = level_at(*lines[a], xs[k]) - level_at(*lines[b], xs[k]);
          if (k > 0 && (before < 0.0) != (gap < 0.0) && std::isfinite(before) &&
              std::isfinite(gap) && before != 0.0 && gap != 0.0) {
            xs.push_back(xs[k - 1] + (xs[k] - xs[k - 1]) * (before / (before - gap)));
          }
          before = gap;
        }
      }
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  }
  for (const double x : xs) {
    double y = level_at(model.bedrock, x);
    std::int32_t owner = -1;
    for (std::size_t k = 0; following && k < model.soils.size(); ++k) {
      const Soil& soil = model.soils[k];
      if (!soil.follow || soil.top.empty()) continue;
      const double top = level_at(soil.top, x);
      if (std::isnan(top)) continue;
      double bottom = kNaN;
      for (std::size_t j = 0; j < model.soils.size(); ++j) {
        const double other = j == k ? kNaN : level_at(model.soils[j].top, x);
        if (other < top) bottom = higher(bottom, other);
      }
      if (!std::isnan(bottom) && !(bottom <= y)) {
        y = bottom;
        owner = static_cast<std::int32_t>(k);
      }
    }
    line_.push_back({x, y});
    soil_.push_back(owner);
  }
}

double Floor::level(double x) const {
  if (line_.size() < 2 || !(x >= line_.front().x) || !(x <= line_.back().x)) return kNaN;
  const auto next = std::upper_bound(line_.begin(), line_.end(), x,
                                     [](double v, const Point& p) { return v < p.x; });
  if (next == line_.end()) return line_.back().y;
  const Point& b = *next;
  const Point& a = *(next - 1);
  if (x == a.x) return a.y;
  return a.y + (b.y - a.y) * ((x - a.x) / (b.x - a.x));
}

std::int32_t Floor::followed_soil(double x) const {
  if (line_.size() < 2 || !(x >= line_.front().x) || !(x <= line_.back().x)) return -1;
  const auto next = std::upper_bound(line_.begin(), line_.end(), x,
                                     [](double v, const Point& p) { return v < p.x; });
  const std::size_t k = static_cast<std::size_t>(next - line_.begin());
  // The segment's owner where both its ends have one.
  const std::int32_t a = soil_[k == 0 ? 0 : k - 1];
  const std::int32_t b = soil_[std::min(k, soil_.size() - 1)];
  return a == b ? a : -1;
}

bool composite_polyline(const Circle& circle, const Floor& floor, double x0, double x1,
                        std::int32_t samples, Polyline& out, double& from, double& to) {
  if (floor.empty() || !(x1 > x0) || samples < 1) return false;
  std::vector<double> xs;
  for (std::int32_t k = 0; k <= samples; ++k) {
    xs.push_back(k == samples ? x1 : x0 + (x1 - x0) * (static_cast<double>(k) / samples));
  }
  const Polyline& line = floor.line();
  for (std::size_t k = 0; k < line.size(); ++k) {
    if (line[k].x > x0 && line[k].x < x1) xs.push_back(line[k].x);
    if (k + 1 < line.size() && !std::isnan(line[k].y) && !std::isnan(line[k + 1].y)) {
      double t[2];
      const int found = arc_crossings(circle, line[k], line[k + 1], t);
      for (int i = 0; i < found; ++i) {
        const double x = line[k].x + t[i] * (line[k + 1].x - line[k].x);
        if (x > x0 && x < x1) xs.push_back(x);
      }
    }
  }
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  Polyline points;
  double first = kNaN;
  double last = kNaN;
  for (std::size_t k = 0; k < xs.size(); ++k) {
    const double x = xs[k];
    const double arc = arc_level(circle, x);
    const double base = floor.level(x);
    // Rounding where the arc touches the floor does not make a composite.
    if (base > arc + 1e-12 * (std::fabs(circle.yc) + circle.radius)) {
      // From the point before, where the arc meets the floor, to the one
      // after.
      if (std::isnan(first)) first = xs[k == 0 ? 0 : k - 1];
      last = xs[std::min(k + 1, xs.size() - 1)];
    }
    points.push_back({x, higher(arc, base)});
  }
  if (std::isnan(first)) return false;
  out = std::move(points);
  from = first;
  to = last;
  return true;
}

}  // namespace slope
