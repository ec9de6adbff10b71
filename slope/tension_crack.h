// The tension crack of a model: where it may open, how deep it is at a
// place, and how much water stands in it.
#pragma once

#include "slope/model.h"
#include "slope/soil_map.h"

namespace slope {

/// An x range of the ground.
struct CrackRange {
  bool any = false;  ///< false: the model has no crack, or no face to put it behind
  double from = 0.0;
  double to = 0.0;
};

/// Where the crack of `model` may open: its given range, or else the crest
/// behind the higher slope face, from the crest to the ground's end.
[[nodiscard]] CrackRange crack_range(const Model& model);

/// 2c'/(gamma sqrt(Ka)) with Ka = (1 - sin phi')/(1 + sin phi'): the depth
/// to which the soil stands in tension; 0 for a soil without cohesion or
/// weight.
[[nodiscard]] double automatic_crack_depth(const Soil& soil);

/// The crack's depth at x: the depth given, or the automatic depth of the
/// soil at the ground there.
[[nodiscard]] double crack_depth_at(const SoilMap& map, double x);

/// Depth of the water in a crack `depth` deep: all of it when full, else the
/// water depth given, but never more than the crack holds.
[[nodiscard]] double crack_water_depth(const TensionCrack& crack, double depth);

}  // namespace slope
