// The model prepared for cutting: its lines (ground, soil tops, piezometric
// line) and region edges, the x of every place where slices must break, and
// which soil a point belongs to, with the weight of the soil column above it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "slope/model.h"

namespace slope {

/// A straight edge of a region's polygon, x0 <= x1 (vertical when equal).
struct RegionEdge {
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;
  std::int32_t soil = 0;  ///< index of the region's soil in Model::soils
};

/// Level of the line at x: NaN outside its x range or for fewer than 2
/// points; its vertex levels exactly at its vertices.
[[nodiscard]] double level_at(const Polyline& line, double x);

/// Level of a non-vertical edge at x (x0 <= x <= x1); its end levels exactly
/// at its ends.
[[nodiscard]] double edge_level(const RegionEdge& edge, double x);

/// Which soil each point of the model belongs to. A point inside a region
/// belongs to the region's soil; any other point to the soil whose top is
/// the lowest of those at or above it (the later soil where tops coincide,
/// the top's own soil on a top); below every top to the lowest top's soil;
/// above every top to the highest top's soil; with no top at that x to soil
/// 0. Read-only after construction, so threads may share one.
class SoilMap {
 public:
  explicit SoilMap(const Model& model);

  [[nodiscard]] const Model& model() const { return model_; }
  /// Soil indices of the layers, in the order of Model::soils.
  [[nodiscard]] std::span<const std::int32_t> layers() const { return layers_; }
  /// Every non-vertical region edge, grouped by region in the order of
  /// Model::soils.
  [[nodiscard]] std::span<const RegionEdge> edges() const { return edges_; }
  /// Sorted, distinct x of the vertices of the ground, soil tops, regions
  /// and piezometric line, both ends of every load, and the crossings of the
  /// piezometric line with the ground, soil tops and region edges.
  [[nodiscard]] std::span<const double> breaks() const { return breaks_; }
  /// tan_phi_of(friction_angle) of each soil.
  [[nodiscard]] std::span<const double> tan_phi() const { return tan_phi_; }
  /// The largest number of lines and edges that can span one slice, with
  /// the ground, the piezometric line and the slip surface's chord.
  [[nodiscard]] std::size_t max_lines() const { return layers_.size() + edges_.size() + 3; }

  /// The soil of the point (x, y).
  [[nodiscard]] std::int32_t soil_at(double x, double y) const;

  /// Weight of the soil column from (x, y) up to the ground, with each
  /// soil's unit_weight; 0 at or above the ground. `levels` is working
  /// space (it grows at most to max_lines() entries).
  [[nodiscard]] double column_weight(double x, double y, std::vector<double>& levels) const;

 private:
  const Model& model_;
  std::vector<std::int32_t> layers_;
  std::vector<RegionEdge> edges_;
  std::vector<double> breaks_;
  std::vector<double> tan_phi_;
};

}  // namespace slope
