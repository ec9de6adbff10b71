#include "method/gle.h"

#include <algorithm>
#include <cmath>

#include "method/general_limit_equilibrium.h"

namespace method {

MethodResult finish_gle(const SurfaceData& surface, const MethodSettings& settings,
                        SliceTable& table) {
  return formulation::finish_with_shape(surface, settings, table, Method::gle, settings.interslice);
}

std::vector<GleRow> gle_curves(const SurfaceData& surface, const MethodSettings& settings,
                               double solution) {
  double end = 1.0;
  if (std::isfinite(solution)) {
    end = std::copysign(std::max(1.0, 1.25 * std::fabs(solution)), solution);
  }
  std::vector<GleRow> rows;
  rows.reserve(kGleRows);
  for (int k = 0; k < kGleRows; ++k) {
    const double lambda = end * k / (kGleRows - 1);
    const GeneralFactors factors = factors_at(surface, settings, settings.interslice, lambda);
    rows.push_back({lambda, factors.moment, factors.force});
  }
  return rows;
}

}  // namespace method
