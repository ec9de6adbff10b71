#include "analysis/slices.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

// Geometry, weight, load and the inclination and driving terms of slice i,
// between sections i and i + 1; the same for both methods. The order of the
// operations is part of the result: it fixes the last bits of every value.
void compute_geometry(const SlopeData& data, std::int32_t i, SliceTable& t) {
  const Section& a = data.section(i);
  const Section& b = data.section(i + 1);
  const auto s = static_cast<std::size_t>(i - 1);

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

void start_table(const SlopeData& data, SliceTable& table) {
  // Never more slices than the fixed columns hold, whatever the count says.
  const std::int32_t sections = std::min(data.section_count, kMaxSections);
  table.slice_count = sections >= 2 ? sections - 1 : 0;
  table.sum_resisting = 0.0;
  table.sum_driving = 0.0;
  table.normal_not_positive.fill(false);
}

}  // namespace

void compute_first_estimate(const SlopeData& data, SliceTable& table) {
  start_table(data, table);
  for (std::int32_t i = 1; i <= table.slice_count; ++i) {
    compute_geometry(data, i, table);
    const auto s = static_cast<std::size_t>(i - 1);
    double normal = (table.weight[s] + table.load[s]) * table.base_cos[s] -
                    table.mean_pore_head[s] * data.water_unit_weight * table.width[s];
    if (normal < 0.0) normal = 0.0;
    table.normal_force[s] = normal;
    table.resisting_force[s] = -(normal * data.section(i).tan_phi) + table.cohesion_force[s];
    table.net_force[s] = table.resisting_force[s] + table.driving_force[s];
    table.sum_resisting += table.resisting_force[s];
    table.sum_driving += table.driving_force[s];
  }
  table.safety_factor = reported_factor(table);
}

void compute_ordinary(const SlopeData& data, std::int32_t pore_force_option, SliceTable& table) {
  start_table(data, table);
  for (std::int32_t i = 1; i <= table.slice_count; ++i) {
    compute_geometry(data, i, table);
    const auto s = static_cast<std::size_t>(i - 1);
    const double pore_force =
        pore_force_option == 1
            ? ((table.mean_pore_head[s] * data.water_unit_weight) * table.width[s]) /
                  table.base_cos[s]
            : (table.mean_pore_head[s] * data.water_unit_weight) * table.width[s];
    const double normal = (table.weight[s] + table.load[s]) * table.base_cos[s] - pore_force;
    table.normal_force[s] = normal;
    table.friction_force[s] = -(data.section(i).tan_phi * normal);
    // Written as a negated test so that a NaN force also drops the friction.
    if (!(normal > 0.0)) {
      table.normal_not_positive[s] = true;
      table.friction_force[s] = 0.0;
    }
    table.resisting_force[s] = table.cohesion_force[s] + table.friction_force[s];
    table.net_force[s] = table.resisting_force[s] + table.driving_force[s];
    table.sum_resisting += table.resisting_force[s];
    table.sum_driving += table.driving_force[s];
  }
  table.safety_factor = reported_factor(table);
}

double reported_factor(const SliceTable& table) {
  return std::fabs(table.sum_resisting / table.sum_driving);
}

}  // namespace analysis
