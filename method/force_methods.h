// The force methods of the Corps of Engineers (1 and 2) and of Lowe and
// Karafiath: force equilibrium alone, with interslice forces inclined as the
// chord from head to toe, as the ground, or as the mean of the ground and
// the slip surface.
#pragma once

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// The runner's second stage for the settings' method (the first is
/// start_general).
[[nodiscard]] MethodResult finish_force_method(const SurfaceData& surface,
                                               const MethodSettings& settings, SliceTable& table);

}  // namespace method
