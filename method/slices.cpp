#include "method/slices.h"

#include <algorithm>
#include <cmath>

#include "method/surface_loads.h"

namespace method {

namespace {

// Geometry, weight, load and the inclination and driving terms of every
// slice, slice s between sections s and s + 1; the same for both methods.
// The order of the operations is part of the result: it fixes the last bits
// of every value. First what reads the sections, then the divisions and
// square roots, in a loop of columns only, where each slice stands alone: it
// runs two slices at a time where the processor can. The sums follow in
// slice order elsewhere.
void compute_geometry(const SurfaceData& surface, std::size_t slices, SliceTable& t) {
  const Section* const sections = surface.sections.data();
  double* const width = t.width.data();
  double* const mean_height = t.mean_height.data();
  double* const mean_lower_height = t.mean_lower_height.data();
  double* const mean_pore_head = t.mean_pore_head.data();
  double* const base_slope = t.base_slope.data();
  double* const base_sin = t.base_sin.data();
  double* const base_cos = t.base_cos.data();
  double* const weight = t.weight.data();
  double* const load = t.load.data();
  double* const driving_force = t.driving_force.data();
  double* const cohesion_force = t.cohesion_force.data();
  double* const tan_phi = t.work.tan_phi.data();
  for (std::size_t s = 0; s < slices; ++s) {
    const Section& a = sections[s];
    const Section& b = sections[s + 1];
    const double w = std::fabs(b.x - a.x);
    const double height = (((a.ground_level - a.slip_level) + b.ground_level) - b.slip_level) / 2.0;
    const double lower_height = (a.lower_height + b.lower_height) / 2.0;
    width[s] = w;
    mean_height[s] = height;
    mean_lower_height[s] = lower_height;
    mean_pore_head[s] = (a.pore_head + b.pore_head) / 2.0;
    weight[s] =
        ((height - lower_height) * a.upper_unit_weight + lower_height * a.lower_unit_weight) * w;
    load[s] = w * a.vertical_load;
    tan_phi[s] = a.tan_phi;
    // Held until the loop below divides them.
    base_slope[s] = b.slip_level - a.slip_level;
    cohesion_force[s] = a.cohesion * w;
  }
  if (surface.loads.active) add_vertical_loads(surface.loads, slices, t);
#pragma omp simd
  for (std::size_t s = 0; s < slices; ++s) {
    const double slope = base_slope[s] / width[s];
    const double r = std::sqrt(slope * slope + 1.0);
    const double sin = slope / r;
    const double cos = 1.0 / r;
    base_slope[s] = slope;
    base_sin[s] = sin;
    base_cos[s] = cos;
    driving_force[s] = -(sin * (weight[s] + load[s]));
    cohesion_force[s] = -(cohesion_force[s] / cos);
  }
  if (surface.arms.active) {
    for (std::size_t s = 0; s < slices; ++s) {
      driving_force[s] = -((weight[s] + load[s]) * surface.arms.weight[s]);
    }
  }
  if (surface.loads.active) {
    add_horizontal_loads(surface.loads, surface.arms, surface.sections, slices, t);
  }
}

// sum_resisting and sum_driving, added in slice order; in the general form
// of moments each weighted by its arm, the driving sum with each slice's
// total normal force, normal_force + `pore`, times its arm.
void add_up(const MomentArms& arms, std::size_t slices, const double* pore, SliceTable& t) {
  double resisting = 0.0;
  double driving = 0.0;
  if (arms.active) {
    for (std::size_t s = 0; s < slices; ++s) {
      resisting += arms.shear[s] * t.resisting_force[s];
      driving += t.driving_force[s] + arms.normal[s] * (t.normal_force[s] + pore[s]);
    }
  } else {
    for (std::size_t s = 0; s < slices; ++s) {
      resisting += t.resisting_force[s];
      driving += t.driving_force[s];
    }
  }
  t.sum_resisting = resisting;
  t.sum_driving = driving;
}

std::size_t start_table(const SurfaceData& surface, SliceTable& table) {
  const std::size_t sections = surface.sections.size();
  const std::size_t slices = sections >= 2 ? sections - 1 : 0;
  table.resize(slices);
  table.slice_count = static_cast<std::int32_t>(slices);
  std::fill_n(table.normal_not_positive.begin(), slices, static_cast<unsigned char>(0));
  compute_geometry(surface, slices, table);
  return slices;
}

}  // namespace

void compute_first_estimate(const SurfaceData& surface, SliceTable& table) {
  const std::size_t slices = start_table(surface, table);
  const double water = surface.water_unit_weight;
  const double* const width = table.width.data();
  const double* const mean_pore_head = table.mean_pore_head.data();
  const double* const base_cos = table.base_cos.data();
  const double* const weight = table.weight.data();
  const double* const load = table.load.data();
  const double* const driving_force = table.driving_force.data();
  const double* const cohesion_force = table.cohesion_force.data();
  const double* const tan_phi = table.work.tan_phi.data();
  double* const normal_force = table.normal_force.data();
  double* const resisting_force = table.resisting_force.data();
  double* const net_force = table.net_force.data();
#pragma omp simd
  for (std::size_t s = 0; s < slices; ++s) {
    double normal = (weight[s] + load[s]) * base_cos[s] - mean_pore_head[s] * water * width[s];
    // Not std::max: a NaN force stays NaN.
    normal = normal < 0.0 ? 0.0 : normal;
    normal_force[s] = normal;
    const double resisting = -(normal * tan_phi[s]) + cohesion_force[s];
    resisting_force[s] = resisting;
    net_force[s] = resisting + driving_force[s];
  }
  if (surface.arms.active) {
    for (std::size_t s = 0; s < slices; ++s) {
      table.work.normal[s] = mean_pore_head[s] * water * width[s];
    }
  }
  add_up(surface.arms, slices, table.work.normal.data(), table);
  table.safety_factor = reported_factor(table);
}

void compute_ordinary(const SurfaceData& surface, PoreForce pore_force_on, SliceTable& table) {
  const std::size_t slices = start_table(surface, table);
  const double water = surface.water_unit_weight;
  const bool on_length = pore_force_on == PoreForce::base_length;
  const double* const width = table.width.data();
  const double* const mean_pore_head = table.mean_pore_head.data();
  const double* const base_cos = table.base_cos.data();
  const double* const weight = table.weight.data();
  const double* const load = table.load.data();
  const double* const driving_force = table.driving_force.data();
  const double* const cohesion_force = table.cohesion_force.data();
  const double* const tan_phi = table.work.tan_phi.data();
  double* const normal_force = table.normal_force.data();
  double* const friction_force = table.friction_force.data();
  double* const resisting_force = table.resisting_force.data();
  double* const net_force = table.net_force.data();
  unsigned char* const not_positive = table.normal_not_positive.data();
  double* const pore = table.work.normal.data();
#pragma omp simd
  for (std::size_t s = 0; s < slices; ++s) {
    const double on_width = (mean_pore_head[s] * water) * width[s];
    // Both worked out, so that the loop has no branch.
    const double on_base_length = on_width / base_cos[s];
    const double pore_force = on_length ? on_base_length : on_width;
    pore[s] = pore_force;
    const double normal = (weight[s] + load[s]) * base_cos[s] - pore_force;
    normal_force[s] = normal;
    friction_force[s] = -(tan_phi[s] * normal);
  }
  if (surface.loads.active) {
    // A horizontal force towards the toe pulls the base apart where it falls
    // that way: base_sin is negative there.
    for (std::size_t s = 0; s < slices; ++s) {
      normal_force[s] += table.horizontal_force[s] * table.base_sin[s];
      friction_force[s] = -(tan_phi[s] * normal_force[s]);
    }
  }
  // Written as a negated test so that a NaN force also drops the friction.
  for (std::size_t s = 0; s < slices; ++s) {
    if (!(normal_force[s] > 0.0)) {
      not_positive[s] = 1;
      friction_force[s] = 0.0;
    }
  }
#pragma omp simd
  for (std::size_t s = 0; s < slices; ++s) {
    const double resisting = cohesion_force[s] + friction_force[s];
    resisting_force[s] = resisting;
    net_force[s] = resisting + driving_force[s];
  }
  add_up(surface.arms, slices, table.work.normal.data(), table);
  table.safety_factor = reported_factor(table);
}

void SliceTable::resize(std::size_t slices) {
  if (width.size() >= slices) return;
  for (Column* column : {&width,
                         &mean_height,
                         &mean_lower_height,
                         &mean_pore_head,
                         &base_slope,
                         &base_sin,
                         &base_cos,
                         &weight,
                         &load,
                         &driving_force,
                         &normal_force,
                         &cohesion_force,
                         &resisting_force,
                         &net_force,
                         &friction_force,
                         &m_factor,
                         &horizontal_force,
                         &work.fixed_normal,
                         &work.cohesion_slope,
                         &work.friction_slope,
                         &work.tan_phi,
                         &work.normal,
                         &work.m_factor,
                         &work.normal_force,
                         &work.resisting,
                         &work.net,
                         &work.carry_constant,
                         &work.carry_slope,
                         &work.inv_m,
                         &work.normal_base}) {
    column->resize(slices);
  }
  normal_not_positive.resize(slices);
}

double reported_factor(const SliceTable& table) {
  return std::fabs(table.sum_resisting / table.sum_driving);
}

}  // namespace method
