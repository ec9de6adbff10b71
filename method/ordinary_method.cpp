#include "method/ordinary_method.h"

#include <cstddef>

namespace method {

void start_ordinary(const SurfaceData& surface, const MethodSettings& settings, SliceTable& table) {
  compute_ordinary(surface, settings.pore_force, table);
}

MethodResult finish_ordinary(const SurfaceData& /*surface*/, const MethodSettings& /*settings*/,
                             SliceTable& table) {
  MethodResult result;
  result.method = Method::ordinary;
  result.status = table.sum_driving == 0.0 ? RunStatus::no_driving_force : RunStatus::closed_form;
  result.passes = 1;
  result.factor = reported_factor(table);
  return result;
}

std::vector<std::int32_t> ordinary_tension_slices(const SliceTable& table,
                                                  const MethodResult& /*result*/) {
  std::vector<std::int32_t> slices;
  for (std::int32_t i = 1; i <= table.slice_count; ++i) {
    if (table.normal_force[static_cast<std::size_t>(i - 1)] < 0.0) slices.push_back(i);
  }
  return slices;
}

std::vector<std::int32_t> friction_dropped_slices(const SliceTable& table) {
  std::vector<std::int32_t> slices;
  for (std::int32_t i = 1; i <= table.slice_count; ++i) {
    if (table.normal_not_positive[static_cast<std::size_t>(i - 1)] != 0) slices.push_back(i);
  }
  return slices;
}

}  // namespace method
