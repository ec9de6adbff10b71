#include "picture/ponded_water.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "slope/soil_map.h"

namespace picture {
namespace {

/// Both lines at one x.
struct Levels {
  double x = 0.0;
  double water = 0.0;
  double ground = 0.0;
};

/// Both lines at every vertex of either over their common x range, and
/// where they cross. A level within `tolerance` of the other is taken as
/// touching it, so that a water line that follows the ground makes no pool.
std::vector<Levels> levels_along(const slope::Polyline& ground, const slope::Polyline& water,
                                 double tolerance) {
  const double from = std::max(ground.front().x, water.front().x);
  const double to = std::min(ground.back().x, water.back().x);
  std::vector<Levels> levels;
  if (!(from < to)) return levels;
  std::vector<double> xs{from, to};
  for (const slope::Polyline* line : {&ground, &water}) {
    for (const slope::Point& p : *line) {
      if (p.x > from && p.x < to) xs.push_back(p.x);
    }
  }
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  for (const double x : xs) {
    const Levels here{x, slope::level_at(water, x), slope::level_at(ground, x)};
    if (!levels.empty()) {
      const Levels& before = levels.back();
      const double a = before.water - before.ground;
      const double b = here.water - here.ground;
      if ((a > tolerance && b < -tolerance) || (a < -tolerance && b > tolerance)) {
        const double t = a / (a - b);
        const double y = before.ground + (here.ground - before.ground) * t;
        levels.push_back({before.x + (here.x - before.x) * t, y, y});
      }
    }
    levels.push_back(here);
  }
  return levels;
}

}  // namespace

std::vector<slope::Polyline> ponded_water(const slope::Polyline& ground,
                                          const slope::Polyline& water) {
  std::vector<slope::Polyline> pools;
  if (ground.size() < 2 || water.size() < 2) return pools;
  double size = 1.0;
  for (const slope::Polyline* line : {&ground, &water}) {
    for (const slope::Point& p : *line) size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
  }
  const double tolerance = 1e-9 * size;
  const std::vector<Levels> levels = levels_along(ground, water, tolerance);
  const auto above = [&](std::size_t k) { return levels[k].water - levels[k].ground > tolerance; };
  for (std::size_t k = 0; k < levels.size();) {
    if (!above(k)) {
      ++k;
      continue;
    }
    // The run above the ground, with the touching or crossing point on each
    // side where there is one.
    const std::size_t first = k > 0 ? k - 1 : k;
    std::size_t last = k;
    while (last + 1 < levels.size() && above(last + 1)) ++last;
    k = last + 1;
    if (last + 1 < levels.size()) ++last;
    slope::Polyline pool;
    for (std::size_t j = first; j <= last; ++j) pool.push_back({levels[j].x, levels[j].water});
    for (std::size_t j = last + 1; j-- > first;) {
      if (above(j)) pool.push_back({levels[j].x, levels[j].ground});
    }
    pools.push_back(std::move(pool));
  }
  return pools;
}

}  // namespace picture
