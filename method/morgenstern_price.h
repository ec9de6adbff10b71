// The Morgenstern-Price method: moment and force equilibrium with the
// interslice shear lambda f(x) times the normal force, f the settings'
// interslice function.
#pragma once

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// The runner's second stage (the first is start_general).
[[nodiscard]] MethodResult finish_morgenstern_price(const SurfaceData& surface,
                                                    const MethodSettings& settings,
                                                    SliceTable& table);

}  // namespace method
