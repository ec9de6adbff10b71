// The ordinary method of slices behind the runner: the closed form of
// compute_ordinary (friction dropped where a slice's effective normal force
// is not positive) and the factor it gives.
#pragma once

#include <cstdint>
#include <vector>

#include "method/method_settings.h"

namespace method {

/// Fills `table` by compute_ordinary with the settings' pore force.
void start_ordinary(const SurfaceData& surface, const MethodSettings& settings, SliceTable& table);

/// The closed-form result of the table start_ordinary filled: one pass, the
/// factor as reported_factor gives it.
[[nodiscard]] MethodResult finish_ordinary(const SurfaceData& surface,
                                           const MethodSettings& settings, SliceTable& table);

/// The slices (from 1) whose effective normal force in the table
/// start_ordinary filled is negative (tension).
[[nodiscard]] std::vector<std::int32_t> ordinary_tension_slices(const SliceTable& table,
                                                                const MethodResult& result);

/// The slices (from 1) of `table` marked normal_not_positive: those whose
/// friction the ordinary method dropped. Empty after any other method.
[[nodiscard]] std::vector<std::int32_t> friction_dropped_slices(const SliceTable& table);

}  // namespace method
