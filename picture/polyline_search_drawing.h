// A search for surfaces that are not circles, drawn over its model: the
// boxes of a block search, the best surfaces of the top list faint, the
// critical one bold with its factor, and its optimisation from the start
// surface (dashed) to the end surface.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "search/optimise.h"
#include "search/polyline_search.h"
#include "slope/model.h"

namespace picture {

/// The picture of `found` through `model` searched with `limits` by
/// `method`; `optimised` is null when the critical surface was not
/// optimised.
[[nodiscard]] std::string polyline_search_picture(const slope::Model& model,
                                                  const search::PolylineLimits& limits,
                                                  const search::PolylineResult& found,
                                                  const search::OptimiseResult* optimised,
                                                  std::string_view method);

}  // namespace picture
