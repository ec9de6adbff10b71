#include "method/slices.h"

#include <algorithm>
#include <cmath>

namespace method {

namespace {

// Geometry, weight, load and the inclination and driving terms of slice i,
// between sections i and i + 1; the same for both methods. The order of the
// operations is part of the result: it fixes the last bits of every value.
void compute_geometry(const SurfaceData& surface, std::size_t s, SliceTable& t) {
  const Section& a = surface.sections[s];
  const Section& b = surface.sections[s + 1];

  const double width = std::fabs(b.x - a.x);
  t.width[s] = width;
  t.mean_height[s] = (((a.ground_level - a.slip_level) + b.ground_level) - b.slip_level) / 2.0;
  t.mean_lower_height[s] = (a.lower_height + b.lower_height) / 2.0;
  t.mean_pore_head[s] = (a.pore_head + b.pore_head) / 2.0;
  t.base_slope[s] = (b.slip_level - a.slip_level) / width;
  t.weight[s] = ((t.mean_height[s] - t.mean_lower_height[s]) * a.upper_unit_weight +
                 t.mean_lower_height[s] * a.lower_unit_weight) *
                width;
  t.load[s] = width * a.vertical_load;

  const double r = std::sqrt(t.base_slope[s] * t.base_slope[s] + 1.0);
  t.base_sin[s] = t.base_slope[s] / r;
  t.base_cos[s] = 1.0 / r;
  t.driving_force[s] = -(t.base_sin[s] * (t.weight[s] + t.load[s]));
  t.cohesion_force[s] = -(a.cohesion * width / t.base_cos[s]);
}

void start_table(const SurfaceData& surface, SliceTable& table) {
  const std::size_t sections = surface.sections.size();
  const std::size_t slices = sections >= 2 ? sections - 1 : 0;
  table.resize(slices);
  table.slice_count = static_cast<std::int32_t>(slices);
  table.sum_resisting = 0.0;
  table.sum_driving = 0.0;
  std::fill_n(table.normal_not_positive.begin(), slices, static_cast<unsigned char>(0));
}

}  // namespace

void compute_first_estimate(const SurfaceData& surface, SliceTable& table) {
  start_table(surface, table);
  const auto slices = static_cast<std::size_t>(table.slice_count);
  for (std::size_t s = 0; s < slices; ++s) {
    compute_geometry(surface, s, table);
    double normal = (table.weight[s] + table.load[s]) * table.base_cos[s] -
                    table.mean_pore_head[s] * surface.water_unit_weight * table.width[s];
    if (normal < 0.0) normal = 0.0;
    table.normal_force[s] = normal;
    table.resisting_force[s] = -(normal * surface.sections[s].tan_phi) + table.cohesion_force[s];
    table.net_force[s] = table.resisting_force[s] + table.driving_force[s];
    table.sum_resisting += table.resisting_force[s];
    table.sum_driving += table.driving_force[s];
  }
  table.safety_factor = reported_factor(table);
}

void compute_ordinary(const SurfaceData& surface, PoreForce pore_force_on, SliceTable& table) {
  start_table(surface, table);
  const auto slices = static_cast<std::size_t>(table.slice_count);
  for (std::size_t s = 0; s < slices; ++s) {
    compute_geometry(surface, s, table);
    const double pore_force =
        pore_force_on == PoreForce::base_length
            ? ((table.mean_pore_head[s] * surface.water_unit_weight) * table.width[s]) /
                  table.base_cos[s]
            : (table.mean_pore_head[s] * surface.water_unit_weight) * table.width[s];
    const double normal = (table.weight[s] + table.load[s]) * table.base_cos[s] - pore_force;
    table.normal_force[s] = normal;
    table.friction_force[s] = -(surface.sections[s].tan_phi * normal);
    // Written as a negated test so that a NaN force also drops the friction.
    if (!(normal > 0.0)) {
      table.normal_not_positive[s] = 1;
      table.friction_force[s] = 0.0;
    }
    table.resisting_force[s] = table.cohesion_force[s] + table.friction_force[s];
    table.net_force[s] = table.resisting_force[s] + table.driving_force[s];
    table.sum_resisting += table.resisting_force[s];
    table.sum_driving += table.driving_force[s];
  }
  table.safety_factor = reported_factor(table);
}

void SliceTable::resize(std::size_t slices) {
  if (width.size() >= slices) return;
  for (Column* column :
       {&width, &mean_height, &mean_lower_height, &mean_pore_head, &base_slope, &base_sin,
        &base_cos, &weight, &load, &driving_force, &normal_force, &cohesion_force, &resisting_force,
        &net_force, &friction_force, &m_factor}) {
    column->resize(slices);
  }
  normal_not_positive.resize(slices);
}

double reported_factor(const SliceTable& table) {
  return std::fabs(table.sum_resisting / table.sum_driving);
}

}  // namespace method
