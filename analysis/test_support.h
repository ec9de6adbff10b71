// Support shared by the analysis tests: slopes (the three-section worked
// example and builders for variants, derived the way the data reader derives
// them) and a record layer over memory files and a memory console.
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "analysis/run_state.h"
#include "analysis/slope_data.h"
#include "record_io/record_io.h"

namespace analysis::testing {

/// Fields 1 to 10 of a section line, as written in a data file.
struct SectionRow {
  double x, ground_level, slip_level, lower_height, pore_head;
  double lower_unit_weight, upper_unit_weight, cohesion, friction_angle;
  double vertical_load;
};

inline SlopeData make_slope(double water_unit_weight, std::initializer_list<SectionRow> rows) {
  SlopeData data;
  data.water_unit_weight = water_unit_weight;
  std::int32_t k = 0;
  for (const SectionRow& row : rows) {
    Section& s = data.section(++k);
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
    s.tan_phi = std::tan(row.friction_angle * kDegreeFactor);
  }
  data.section_count = k;
  return data;
}

/// The three-section worked example (water 9.81), sections from head to toe
/// at increasing x; `pore_head_12` replaces the heads of sections 1 and 2.
inline SlopeData worked_example(double pore_head_12 = 1.0) {
  return make_slope(9.81, {{0, 10, 5, 1, pore_head_12, 20, 18, 10, 30, 0},
                           {4, 9, 2, 1, pore_head_12, 20, 18, 10, 30, 0},
                           {8, 6, 1, 0.5, 0.5, 20, 18, 10, 30, 0}});
}

/// The worked example mirrored: the same order head to toe, x decreasing.
inline SlopeData mirrored_worked_example() {
  return make_slope(9.81, {{8, 10, 5, 1, 1, 20, 18, 10, 30, 0},
                           {4, 9, 2, 1, 1, 20, 18, 10, 30, 0},
                           {0, 6, 1, 0.5, 0.5, 20, 18, 10, 30, 0}});
}

/// Four sections whose last slice rises steeply (base_slope 3) towards the toe.
inline SlopeData steep_toe_example() {
  return make_slope(9.81, {{0, 20, 20, 0, 0, 20, 18, 0, 30, 0},
                           {4, 16, 8, 0, 0, 20, 18, 0, 30, 0},
                           {8, 10, 2, 0, 0, 20, 18, 0, 30, 0},
                           {9, 10, 5, 0, 0, 20, 18, 0, 30, 0}});
}

/// A record layer whose files and console live in memory. Tests put file
/// texts into `files.files` and read written files back from it.
struct MemoryRun : record_io::MemoryEnvironment {
  MemoryRun() : io(std::make_unique<record_io::RecordIo>(environment())) {}
  /// Opens `unit` with status "old" on a memory file holding `text`.
  bool open_input(int unit, std::string text) {
    files.files["input"] = std::move(text);
    return io->open(unit, "input", "old", record_io::kErrorBranch) == record_io::IoResult::ok;
  }
  /// Opens `unit` on a new memory file for writing.
  bool open_output(int unit) {
    return io->open(unit, "output", "unknown", record_io::kErrorBranch) == record_io::IoResult::ok;
  }
  /// Closes `unit` and returns what was written to the output file.
  std::string written(int unit) {
    io->close(unit);
    return files.files["output"];
  }

  std::unique_ptr<record_io::RecordIo> io;
};

}  // namespace analysis::testing
