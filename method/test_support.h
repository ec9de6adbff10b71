// Surfaces shared by the tests of the methods and of the report: the
// three-section worked example and builders for variants, derived the way
// the data-file reader derives them.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "method/section.h"

namespace method::testing {

/// Fields 1 to 10 of a section line, as written in a data file.
struct SectionRow {
  double x, ground_level, slip_level, lower_height, pore_head;
  double lower_unit_weight, upper_unit_weight, cohesion, friction_angle;
  double vertical_load;
};

/// A surface that owns its sections.
struct Surface {
  double water_unit_weight = 0.0;
  std::vector<Section> sections;

  [[nodiscard]] SurfaceData data() const { return {sections, water_unit_weight, {}, {}}; }
  operator SurfaceData() const { return data(); }  // NOLINT: tests pass surfaces as data
};

inline Surface make_surface(double water_unit_weight, std::initializer_list<SectionRow> rows) {
  Surface surface{water_unit_weight, {}};
  for (const SectionRow& row : rows) {
    Section s;
    s.x = row.x;
    s.ground_level = row.ground_level;
    s.slip_level = row.slip_level;
    s.lower_height = row.lower_height;
    s.pore_head = row.pore_head;
    s.lower_unit_weight = row.lower_unit_weight;
    s.upper_unit_weight = row.upper_unit_weight;
    s.cohesion = row.cohesion;
    s.friction_angle = row.friction_angle;
    s.vertical_load = -row.vertical_load;
    s.tan_phi = tan_phi_of(row.friction_angle);
    surface.sections.push_back(s);
  }
  return surface;
}

/// The three-section worked example (water 9.81), sections from head to toe
/// at increasing x; `pore_head_12` replaces the heads of sections 1 and 2.
inline Surface worked_example(double pore_head_12 = 1.0) {
  return make_surface(9.81, {{0, 10, 5, 1, pore_head_12, 20, 18, 10, 30, 0},
                             {4, 9, 2, 1, pore_head_12, 20, 18, 10, 30, 0},
                             {8, 6, 1, 0.5, 0.5, 20, 18, 10, 30, 0}});
}

/// The worked example mirrored: the same order head to toe, x decreasing.
inline Surface mirrored_worked_example() {
  return make_surface(9.81, {{8, 10, 5, 1, 1, 20, 18, 10, 30, 0},
                             {4, 9, 2, 1, 1, 20, 18, 10, 30, 0},
                             {0, 6, 1, 0.5, 0.5, 20, 18, 10, 30, 0}});
}

/// Four sections whose last slice rises steeply (base_slope 3) towards the toe.
inline Surface steep_toe_example() {
  return make_surface(9.81, {{0, 20, 20, 0, 0, 20, 18, 0, 30, 0},
                             {4, 16, 8, 0, 0, 20, 18, 0, 30, 0},
                             {8, 10, 2, 0, 0, 20, 18, 0, 30, 0},
                             {9, 10, 5, 0, 0, 20, 18, 0, 30, 0}});
}

}  // namespace method::testing
