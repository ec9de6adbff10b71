#include "method/morgenstern_price.h"

#include "method/general_limit_equilibrium.h"

namespace method {

MethodResult finish_morgenstern_price(const SurfaceData& surface, const MethodSettings& settings,
                                      SliceTable& table) {
  return formulation::finish_with_shape(surface, settings, table, Method::morgenstern_price,
                                        settings.interslice);
}

}  // namespace method
