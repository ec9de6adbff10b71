#include "method/moment_arms.h"

#include <cmath>
#include <cstddef>

#include "method/section.h"

namespace method {

void MomentArmColumns::compute(std::span<const Section> sections, double x0, double y0) {
  const std::size_t slices = sections.size() >= 2 ? sections.size() - 1 : 0;
  axis_x = x0;
  axis_y = y0;
  weight.resize(slices);
  shear.resize(slices);
  normal.resize(slices);
  // sigma: +1 where the sections run towards +x, so that the mass slides
  // that way.
  const double sigma = slices > 0 && sections.back().x < sections.front().x ? -1.0 : 1.0;
  double sum = 0.0;
  for (std::size_t s = 0; s < slices; ++s) {
    const Section& a = sections[s];
    const Section& b = sections[s + 1];
    const double dx = b.x - a.x;
    const double dy = b.slip_level - a.slip_level;
    const double length = std::sqrt(dx * dx + dy * dy);
    // The base's direction d, head to toe, and its normal n into the mass.
    const double d_x = dx / length;
    const double d_y = dy / length;
    const double n_x = -sigma * d_y;
    const double n_y = sigma * d_x;
    // From the axis O to the base's middle B.
    const double r_x = 0.5 * (a.x + b.x) - x0;
    const double r_y = 0.5 * (a.slip_level + b.slip_level) - y0;
    // The arms as cross products (B - O) x d and (B - O) x n; on a circle
    // about its centre the first is sigma R and the second 0.
    shear[s] = sigma * (r_x * d_y - r_y * d_x);
    normal[s] = sigma * (r_x * n_y - r_y * n_x);
    weight[s] = sigma * r_x;
    sum += std::fabs(shear[s]);
  }
  reference = slices > 0 && sum > 0.0 ? sum / static_cast<double>(slices) : 1.0;
  for (std::size_t s = 0; s < slices; ++s) {
    weight[s] /= reference;
    shear[s] /= reference;
    normal[s] /= reference;
  }
}

void MomentArmColumns::clear() {
  weight.clear();
  shear.clear();
  normal.clear();
}

MomentArms MomentArmColumns::arms() const {
  MomentArms out;
  out.active = !shear.empty();
  out.weight = weight;
  out.shear = shear;
  out.normal = normal;
  out.axis_x = axis_x;
  out.axis_y = axis_y;
  out.reference = reference;
  return out;
}

}  // namespace method
