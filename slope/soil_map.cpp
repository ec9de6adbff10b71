#include "slope/soil_map.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "method/section.h"

namespace slope {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Appends the x where two lines (x strictly increasing) cross, found
/// segment by segment over their common range.
void add_crossings(const Polyline& a, const Polyline& b, std::vector<double>& out) {
  if (a.size() < 2 || b.size() < 2) return;
  const double lo = std::max(a.front().x, b.front().x);
  const double hi = std::min(a.back().x, b.back().x);
  if (!(lo < hi)) return;
  double x = lo;
  double d = level_at(a, x) - level_at(b, x);
  std::size_t i = 0;
  std::size_t k = 0;
  while (x < hi) {
    while (i + 1 < a.size() && a[i].x <= x) ++i;
    while (k + 1 < b.size() && b[k].x <= x) ++k;
    const double next = std::min({a[i].x, b[k].x, hi});
    const double d_next = level_at(a, next) - level_at(b, next);
    if ((d > 0.0 && d_next < 0.0) || (d < 0.0 && d_next > 0.0)) {
      out.push_back(x + (next - x) * (d / (d - d_next)));
    }
    x = next;
    d = d_next;
  }
}

}  // namespace

double level_at(const Polyline& line, double x) {
  if (line.size() < 2 || !(x >= line.front().x && x <= line.back().x)) return kNaN;
  const auto above = std::upper_bound(line.begin(), line.end(), x,
                                      [](double v, const Point& p) { return v < p.x; });
  const auto i = static_cast<std::size_t>(above - line.begin());
  if (i == line.size()) return line.back().y;
  const Point p = line[i - 1];
  const Point q = line[i];
  if (x == p.x) return p.y;
  return p.y + (q.y - p.y) * ((x - p.x) / (q.x - p.x));
}

double edge_level(const RegionEdge& edge, double x) {
  if (x <= edge.x0) return edge.y0;
  if (x >= edge.x1) return edge.y1;
  return edge.y0 + (edge.y1 - edge.y0) * ((x - edge.x0) / (edge.x1 - edge.x0));
}

SoilMap::SoilMap(const Model& model) : model_(model) {
  const auto add_vertices = [this](const Polyline& line) {
    for (const Point& p : line) breaks_.push_back(p.x);
  };
  add_vertices(model.ground);
  add_vertices(model.piezometric_line);
  for (std::size_t s = 0; s < model.soils.size(); ++s) {
    const Soil& soil = model.soils[s];
    const auto index = static_cast<std::int32_t>(s);
    tan_phi_.push_back(method::tan_phi_of(soil.friction_angle));
    if (!soil.top.empty()) {
      layers_.push_back(index);
      add_vertices(soil.top);
      add_crossings(model.piezometric_line, soil.top, breaks_);
    }
    const Polyline& r = soil.region;
    add_vertices(r);
    for (std::size_t k = 0; k < r.size() && r.size() >= 2; ++k) {
      Point p = r[k];
      Point q = r[(k + 1) % r.size()];
      if (q.x < p.x) std::swap(p, q);
      const RegionEdge edge{p.x, p.y, q.x, q.y, index};
      // A vertical edge spans no slice and holds no ray: its vertices
      // carry all it does.
      if (p.x == q.x) continue;
      edges_.push_back(edge);
      add_crossings(model.piezometric_line, Polyline{p, q}, breaks_);
    }
  }
  add_crossings(model.piezometric_line, model.ground, breaks_);
  for (const Load& load : model.loads) {
    breaks_.push_back(load.from);
    breaks_.push_back(load.to);
  }
  std::erase_if(breaks_, [](double x) { return !std::isfinite(x); });
  std::sort(breaks_.begin(), breaks_.end());
  breaks_.erase(std::unique(breaks_.begin(), breaks_.end()), breaks_.end());
}

std::int32_t SoilMap::soil_at(double x, double y) const {
  // Regions: an upward ray from the point crosses an odd number of edges.
  // Edges are half-open in x so that a ray through a vertex counts once.
  std::int32_t region = -1;
  bool inside = false;
  for (const RegionEdge& e : edges_) {
    if (e.soil != region) {
      if (inside) return region;
      region = e.soil;
      inside = false;
    }
    if (x >= e.x0 && x < e.x1 && edge_level(e, x) > y) inside = !inside;
  }
  if (inside) return region;

  std::int32_t best = -1;
  double best_level = 0.0;
  std::int32_t highest = -1;
  double highest_level = 0.0;
  for (const std::int32_t s : layers_) {
    const double level = level_at(model_.soils[static_cast<std::size_t>(s)].top, x);
    if (std::isnan(level)) continue;
    if (level >= y && (best < 0 || level <= best_level)) {
      best = s;
      best_level = level;
    }
    if (highest < 0 || level >= highest_level) {
      highest = s;
      highest_level = level;
    }
  }
  if (best >= 0) return best;
  return highest >= 0 ? highest : 0;
}

double SoilMap::column_weight(double x, double y, std::vector<double>& levels) const {
  const double ground = level_at(model_.ground, x);
  if (!(ground > y)) return 0.0;
  levels.clear();
  levels.push_back(y);
  levels.push_back(ground);
  const auto add = [&](double level) {
    if (level > y && level < ground) levels.push_back(level);
  };
  for (const std::int32_t s : layers_)
    add(level_at(model_.soils[static_cast<std::size_t>(s)].top, x));
  for (const RegionEdge& e : edges_) {
    if (x >= e.x0 && x <= e.x1) add(edge_level(e, x));
  }
  std::sort(levels.begin(), levels.end());
  double weight = 0.0;
  for (std::size_t k = 0; k + 1 < levels.size(); ++k) {
    const double thickness = levels[k + 1] - levels[k];
    if (!(thickness > 0.0)) continue;
    const std::int32_t s = soil_at(x, 0.5 * (levels[k] + levels[k + 1]));
    weight += thickness * model_.soils[static_cast<std::size_t>(s)].unit_weight;
  }
  return weight;
}

}  // namespace slope
