// Janbu's simplified method: force equilibrium without interslice shear,
// and, when the settings ask for it, his empirical correction f0.
#pragma once

#include "method/method_settings.h"
#include "method/section.h"
#include "method/slices.h"

namespace method {

/// The runner's second stage (the first is start_general).
[[nodiscard]] MethodResult finish_janbu(const SurfaceData& surface, const MethodSettings& settings,
                                        SliceTable& table);

/// Janbu's empirical correction f0 = 1 + b (d/L - 1.4 (d/L)^2) for a sliding
/// mass of chord length L from head to toe and greatest depth d below that
/// chord, b 0.69 for soils with cohesion only, 0.31 for friction only and
/// 0.5 for both.
[[nodiscard]] double janbu_correction(const SurfaceData& surface);

}  // namespace method
