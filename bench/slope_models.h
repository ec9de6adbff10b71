// Slope models the benchmarks of cutting and searching share, built in code
// as the model reader makes them from the bundled examples.
#pragma once

#include "slope/model.h"

namespace bench {

/// examples/simple-slope.toml as the reader makes it: one soil, dry.
inline slope::Model simple_slope() {
  slope::Model m;
  m.title = "Simple slope";
  m.ground = {{0, 0}, {10, 0}, {30, 10}, {50, 10}};
  slope::Soil soil;
  soil.name = "clay";
  soil.unit_weight = 20.0;
  soil.saturated_unit_weight = 20.0;
  soil.cohesion = 3.0;
  soil.friction_angle = 19.6;
  soil.top = m.ground;
  m.soils.push_back(soil);
  return m;
}

}  // namespace bench
