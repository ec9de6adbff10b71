// Cutting a slip surface through a slope model into vertical slices and
// mapping each to the sections of a slope data file: sections at entry and
// exit, at every vertex and crossing inside the sliding mass and at load
// ends, each interval split evenly so that no slice is wider than
// (exit - entry) / N. Weights are exact area integrals of the unit weights.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "method/section.h"
#include "slope/model.h"
#include "slope/slip_surface.h"

namespace slope {

/// One cut surface: its sections from head (the higher end) to toe, ready
/// for the methods and for a data file, and where it meets the ground.
struct Cut {
  SurfaceProblem problem = SurfaceProblem::none;
  Point entry;  ///< where the surface meets the ground at its head
  Point exit;   ///< where it meets the ground at its toe
  /// Sections head to toe: the values a data file holds, vertical_load
  /// downward positive and tan_phi derived with method::tan_phi_of, exactly
  /// as a reader of the written file would hold them.
  std::vector<method::Section> sections;
  double water_unit_weight = 0.0;  ///< the model's, 0 for a dry model

  /// What the methods read.
  [[nodiscard]] method::SurfaceData surface() const { return {sections, water_unit_weight}; }
};

/// Cuts surfaces through one model. Holds the model's prepared geometry and
/// working buffers; one Cutter per thread. After the first few surfaces a
/// cut allocates nothing unless a surface needs more sections than before.
class Cutter {
 public:
  explicit Cutter(const Model& model);
  ~Cutter();
  Cutter(const Cutter&) = delete;
  Cutter& operator=(const Cutter&) = delete;

  /// Cuts `surface` with `slices` = N (N >= 1) as above into `out`.
  /// Returns out.problem; on a problem the sections are cleared.
  SurfaceProblem cut(const SlipSurface& surface, std::int32_t slices, Cut& out);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace slope
