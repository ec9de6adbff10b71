#include "method/spencer.h"

#include "method/general_limit_equilibrium.h"

namespace method {

MethodResult finish_spencer(const SurfaceData& surface, const MethodSettings& settings,
                            SliceTable& table) {
  return formulation::finish_with_shape(surface, settings, table, Method::spencer,
                                        Interslice::constant);
}

}  // namespace method
