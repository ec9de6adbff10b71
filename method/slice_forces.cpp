#include "method/slice_forces.h"

#include <cmath>
#include <cstddef>

#include "method/line_of_thrust.h"

namespace method {

std::vector<SliceForces> slice_forces(const SurfaceData& surface, const MethodSettings& settings,
                                      const SliceTable& table, const MethodResult& result) {
  std::vector<SliceForces> out;
  if (!result.has_factor()) return out;
  const auto count = static_cast<std::size_t>(table.slice_count);
  out.resize(count);
  const double water = surface.water_unit_weight;
  for (std::size_t i = 0; i < count; ++i) {
    SliceForces& f = out[i];
    const double on_width = table.mean_pore_head[i] * water * table.width[i];
    switch (result.method) {
      case Method::simplified:
        // The iteration carries the normal force negated and the resisting
        // force with the sign of the driving sum's opposite.
        f.normal = -table.normal_force[i];
        f.pore = on_width / table.base_cos[i];
        f.shear = -table.resisting_force[i] / result.factor;
        break;
      case Method::ordinary:
        f.normal = table.normal_force[i];
        f.pore =
            settings.pore_force == PoreForce::base_width ? on_width : on_width / table.base_cos[i];
        f.shear = -table.resisting_force[i] / result.factor;
        break;
      default: {
        // The general formulation: the interslice normal force on each
        // slice's toe side, and the shear lambda f E with the inclination
        // scale of the method (0 for Janbu's, 1 with the prescribed
        // inclinations of the force methods), which for lambda above 0 pulls
        // a slice down on its head side and holds it up on its toe side.
        const double factor = result.force_factor;
        f.normal = table.normal_force[i];
        f.pore = on_width / table.base_cos[i];
        f.shear = table.resisting_force[i] / factor;
        f.interslice = true;
        double scale = 0.0;
        if (result.method == Method::spencer || result.method == Method::morgenstern_price ||
            result.method == Method::gle) {
          scale = result.lambda;
        } else if (result.method != Method::janbu) {
          scale = 1.0;
        }
        f.head_normal = i == 0 ? 0.0 : table.net_force[i - 1];
        f.toe_normal = table.net_force[i];
        f.head_shear = -scale * table.work.friction_slope[i] * f.head_normal;
        f.toe_shear = i + 1 < count ? scale * table.work.friction_slope[i + 1] * f.toe_normal : 0.0;
        break;
      }
    }
  }
  if (!out.empty() && out.front().interslice) {
    const std::vector<ThrustPoint> thrust = line_of_thrust(surface, table, out);
    for (std::size_t i = 0; i < thrust.size(); ++i) out[i].toe_thrust = thrust[i].level;
  }
  return out;
}

}  // namespace method
