#include "method/force_methods.h"

#include <cmath>
#include <cstddef>
#include <span>

#include "method/general_limit_equilibrium.h"

namespace method {

MethodResult finish_force_method(const SurfaceData& surface, const MethodSettings& settings,
                                 SliceTable& table) {
  using namespace formulation;
  double factor = starting_factor(surface, settings, table);
  Slices s = prepare(surface, Interslice::constant, table);
  // The inclinations as tangents dipping towards the toe, at a section the
  // mean of the segments either side of it.
  const std::span<const Section> sections = surface.sections;
  const std::size_t n = sections.size();
  const auto fall = [&](std::size_t k, bool ground) {
    const Section& a = sections[k];
    const Section& b = sections[k + 1];
    const double dx = std::fabs(b.x - a.x);
    return ground ? (a.ground_level - b.ground_level) / dx : (a.slip_level - b.slip_level) / dx;
  };
  const auto at = [&](std::size_t k, bool ground) {
    if (k == 0) return fall(0, ground);
    if (k + 1 == n) return fall(n - 2, ground);
    return 0.5 * (fall(k - 1, ground) + fall(k, ground));
  };
  const double chord = (sections.front().slip_level - sections.back().slip_level) /
                       std::fabs(sections.back().x - sections.front().x);
  set_inclinations(s, table, n, [&](std::size_t k) {
    if (settings.method == Method::corps_2) return at(k, true);
    if (settings.method == Method::lowe_karafiath) return 0.5 * (at(k, true) + at(k, false));
    return chord;
  });
  std::int32_t passes = 0;
  const bool solved = table.sum_driving > 0.0 && std::isfinite(factor) && factor > 0.0 &&
                      solve_at(s, Equation::force, factor, 1.0, settings, passes);
  return finish(s, settings.method, settings, table,
                solved ? Solution::solved : Solution::not_converged, factor, 1.0, passes, false);
}

}  // namespace method
