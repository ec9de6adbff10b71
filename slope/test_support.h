// Models shared by the tests of the slope library: the published simple
// slope and a layered slope with water, built in code as the model reader
// would leave them.
#pragma once

#include "slope/model.h"
#include "slope/slip_surface.h"

namespace slope::testing {

/// The published simple slope, in feet and pounds: ground at 60 for
/// x <= 60, falling 1 in 2 to 20 at x = 140, then level to x = 200; one soil
/// (c' 600, phi' 20 degrees, unit weight 120); water unit weight 62.4.
inline Model published_slope(double ru = 0.0) {
  Model m;
  m.water_unit_weight = 62.4;
  m.ground = {{0, 60}, {60, 60}, {140, 20}, {200, 20}};
  Soil soil;
  soil.name = "clay";
  soil.unit_weight = 120;
  soil.saturated_unit_weight = 120;
  soil.cohesion = 600;
  soil.friction_angle = 20;
  soil.ru = ru;
  soil.top = m.ground;
  m.soils.push_back(soil);
  return m;
}

/// The published circle: centre (120, 90), radius 80.
inline SlipSurface published_circle() {
  return {SlipSurface::Kind::circle, {120, 90, 80}, {}, false, {}};
}

inline SlipSurface circle(double xc, double yc, double radius) {
  return {SlipSurface::Kind::circle, {xc, yc, radius}, {}, false, {}};
}

inline SlipSurface polyline(Polyline points) {
  return {SlipSurface::Kind::polyline, {}, std::move(points), false, {}};
}

/// The model mirrored about x = about: a slope facing the other way.
inline Model mirrored(const Model& model, double about) {
  const auto flip = [about](Polyline line) {
    Polyline out;
    for (auto p = line.rbegin(); p != line.rend(); ++p) out.push_back({about - p->x, p->y});
    return out;
  };
  Model m = model;
  m.ground = flip(model.ground);
  m.piezometric_line = flip(model.piezometric_line);
  m.bedrock = flip(model.bedrock);
  for (Soil& s : m.soils) {
    s.top = flip(s.top);
    s.region = flip(s.region);
  }
  for (Load& load : m.loads)
    load = {about - load.to, about - load.from, load.intensity_to, load.intensity};
  return m;
}

}  // namespace slope::testing
