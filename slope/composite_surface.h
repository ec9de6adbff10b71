// A circle that meets a floor it cannot pass through follows the floor: the
// bedrock, and the bottom of each layer the model marks to be followed
// (a weak layer on a hard one). The composite surface is a polyline, arc
// then floor then arc, with the circle's centre as its axis.
#pragma once

#include <cstdint>
#include <vector>

#include "slope/model.h"
#include "slope/slip_surface.h"

namespace slope {

/// The floor of a model: at each x the highest of the bedrock and the
/// bottoms of the followed layers there. The bottom of a layer is the
/// highest other soil top below its own top, taken at the vertices of the
/// soil tops and the bedrock and where two of them cross, straight between.
class Floor {
 public:
  explicit Floor(const Model& model);

  /// True when the model has no floor at all.
  [[nodiscard]] bool empty() const { return line_.size() < 2; }
  /// The floor as one line, x increasing; NaN levels where there is none.
  [[nodiscard]] const Polyline& line() const { return line_; }
  /// Its level at x; NaN where there is none.
  [[nodiscard]] double level(double x) const;
  /// The followed layer whose bottom the floor is at x, or -1 (the bedrock,
  /// or no floor).
  [[nodiscard]] std::int32_t followed_soil(double x) const;

 private:
  Polyline line_;
  std::vector<std::int32_t> soil_;  ///< per segment of line_
};

/// The composite surface of `circle` over `floor` from x0 to x1 (the
/// circle's crossings of the ground): the arc at `samples` equal steps and
/// the floor's vertices and crossings between, each point at the higher of
/// the two; `from` and `to` the first and last x where it lies on the floor
/// above the arc. False, leaving the outputs alone, when the circle never
/// passes below the floor there.
[[nodiscard]] bool composite_polyline(const Circle& circle, const Floor& floor, double x0,
                                      double x1, std::int32_t samples, Polyline& out, double& from,
                                      double& to);

}  // namespace slope
