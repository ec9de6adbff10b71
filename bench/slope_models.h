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

/// The simple slope with a water table from the toe's level up to 4 below
/// the crest: the same soil work as loaded_slope without its loads.
inline slope::Model wet_slope() {
  slope::Model m = simple_slope();
  m.title = "Simple slope, water table";
  m.water_unit_weight = 9.81;
  m.soils[0].saturated_unit_weight = 21.0;
  m.piezometric_line = {{0, 0}, {10, 0}, {30, 6}, {50, 6}};
  return m;
}

/// The simple slope with every load a model can add: a tension crack of
/// automatic depth full of water, an earthquake (kh 0.15, kv 0.05), water
/// standing 3 deep over the toe and up the face, and a surcharge rising
/// from 10 to 30 across the crest.
inline slope::Model loaded_slope() {
  slope::Model m = simple_slope();
  m.title = "Simple slope, every load";
  m.water_unit_weight = 9.81;
  m.soils[0].saturated_unit_weight = 21.0;
  m.piezometric_line = {{0, 3}, {10, 3}, {16, 3}, {30, 6}, {50, 6}};
  m.loads = {{32.0, 46.0, 10.0, 30.0}};
  m.tension_crack.present = true;
  m.tension_crack.automatic_depth = true;
  m.tension_crack.full = true;
  m.seismic = {0.15, 0.05};
  return m;
}

/// examples/weak-layer.toml as the reader makes it: a slope 12.25 high with
/// a layer 0.5 thick of c' 0, phi' 10 below its toe, marked to be followed.
inline slope::Model weak_layer() {
  slope::Model m;
  m.title = "Thin weak layer";
  m.ground = {{20, 27.75}, {43, 27.75}, {67.5, 40}, {84, 40}};
  slope::Soil soil;
  soil.name = "soil";
  soil.unit_weight = 18.84;
  soil.saturated_unit_weight = 18.84;
  soil.cohesion = 28.5;
  soil.friction_angle = 20.0;
  soil.top = m.ground;
  m.soils.push_back(soil);
  slope::Soil weak = soil;
  weak.name = "weak layer";
  weak.cohesion = 0.0;
  weak.friction_angle = 10.0;
  weak.top = {{20, 27.0}, {84, 27.0}};
  weak.follow = true;
  m.soils.push_back(weak);
  slope::Soil below = soil;
  below.name = "soil below";
  below.top = {{20, 26.5}, {84, 26.5}};
  m.soils.push_back(below);
  return m;
}

}  // namespace bench
