// Spencer's method: moment and force equilibrium with interslice forces all
// of one inclination theta (lambda = tan theta, f = 1).
#pragma once

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// The runner's second stage (the first is start_general).
[[nodiscard]] MethodResult finish_spencer(const SurfaceData& surface,
                                          const MethodSettings& settings, SliceTable& table);

}  // namespace method
