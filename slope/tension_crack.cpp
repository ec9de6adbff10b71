#include "slope/tension_crack.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "slope/slope_face.h"

namespace slope {

CrackRange crack_range(const Model& model) {
  CrackRange range;
  const TensionCrack& crack = model.tension_crack;
  if (!crack.present || model.ground.size() < 2) return range;
  if (crack.range_given) return {true, crack.from, crack.to};
  const SlopeFace face = higher_face(model.ground);
  if (!(face.height > 0.0)) return range;
  // A left face falls towards -x: its crest is right of the toe.
  range.any = true;
  range.from = face.face == Face::left ? face.crest.x : model.ground.front().x;
  range.to = face.face == Face::left ? model.ground.back().x : face.crest.x;
  return range;
}

double automatic_crack_depth(const Soil& soil) {
  if (!(soil.cohesion > 0.0 && soil.unit_weight > 0.0)) return 0.0;
  const double s = std::sin(soil.friction_angle * std::numbers::pi / 180.0);
  const double ka = (1.0 - s) / (1.0 + s);
  return 2.0 * soil.cohesion / (soil.unit_weight * std::sqrt(ka));
}

double crack_depth_at(const SoilMap& map, double x) {
  const Model& model = map.model();
  const TensionCrack& crack = model.tension_crack;
  if (!crack.automatic_depth) return crack.depth;
  // The soil just below the ground: the ground is every soil's top there.
  const double ground = level_at(model.ground, x);
  const double below = ground - 1e-9 * std::max(1.0, std::fabs(ground));
  return automatic_crack_depth(model.soils[static_cast<std::size_t>(map.soil_at(x, below))]);
}

double crack_water_depth(const TensionCrack& crack, double depth) {
  return crack.full ? depth : std::min(crack.water_depth, depth);
}

}  // namespace slope
