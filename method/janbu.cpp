#include "method/janbu.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

#include "method/general_limit_equilibrium.h"

namespace method {

MethodResult finish_janbu(const SurfaceData& surface, const MethodSettings& settings,
                          SliceTable& table) {
  using namespace formulation;
  double factor = starting_factor(surface, settings, table);
  const Slices s = prepare(surface, Interslice::constant, table);
  std::int32_t passes = 0;
  const bool solved = table.sum_driving > 0.0 && std::isfinite(factor) && factor > 0.0 &&
                      solve_force(s, factor, settings, passes);
  MethodResult result =
      finish(s, Method::janbu, settings, table, solved ? Solution::solved : Solution::not_converged,
             factor, 0.0, passes, false);
  if (result.has_factor() && settings.janbu_correction) {
    result.correction = janbu_correction(surface);
    result.factor *= result.correction;
  }
  return result;
}

double janbu_correction(const SurfaceData& surface) {
  const std::span<const Section> sections = surface.sections;
  if (sections.size() < 2) return 1.0;
  const Section& head = sections.front();
  const Section& toe = sections.back();
  const double dx = toe.x - head.x;
  const double dy = toe.slip_level - head.slip_level;
  const double length = std::hypot(dx, dy);
  double depth = 0.0;
  bool cohesion = false;
  bool friction = false;
  for (std::size_t k = 0; k < sections.size(); ++k) {
    const Section& s = sections[k];
    depth = std::max(
        depth, std::fabs(dx * (s.slip_level - head.slip_level) - (s.x - head.x) * dy) / length);
    if (k + 1 < sections.size()) {
      cohesion = cohesion || s.cohesion > 0.0;
      friction = friction || s.tan_phi > 0.0;
    }
  }
  const double b = cohesion && friction ? 0.5 : (cohesion ? 0.69 : 0.31);
  const double ratio = depth / length;
  return 1.0 + b * (ratio - 1.4 * ratio * ratio);
}

}  // namespace method
