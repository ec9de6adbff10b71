#include "analysis/slope_data.h"

#include <cmath>
#include <span>

#include "record_io/record_io.h"

namespace analysis {

namespace {

using record_io::IoResult;
using record_io::kErrorBranch;

// A free-text line read through layout (A); a failure of any kind, the end
// of the file included, counts as a failed read.
bool read_text_line(record_io::RecordIo& io, int unit, std::span<char> text) {
  return io.read_layout_a(unit, text, kErrorBranch) == IoResult::ok;
}

bool read_section(record_io::RecordIo& io, int unit, Section& s) {
  s = Section{};
  const IoResult result = io.read_values(
      unit, kErrorBranch, s.x, s.ground_level, s.slip_level, s.lower_height, s.pore_head,
      s.lower_unit_weight, s.upper_unit_weight, s.cohesion, s.friction_angle, s.vertical_load,
      s.spare[0], s.spare[1], s.spare[2], s.spare[3], s.spare[4], s.spare[5]);
  if (result != IoResult::ok) return false;
  s.tan_phi = method::tan_phi_of(s.friction_angle);
  s.vertical_load = -s.vertical_load;
  return true;
}

}  // namespace

DataResult read_slope_data(record_io::RecordIo& io, int unit, SlopeData& data,
                           std::int32_t& line_counter) {
  std::array<char, kTitleLength> scratch{};

  line_counter = 1;
  if (!read_text_line(io, unit, data.title_1)) return DataResult::read_failed;
  line_counter = 2;
  if (!read_text_line(io, unit, data.title_2)) return DataResult::read_failed;
  line_counter = 3;
  if (!read_text_line(io, unit, scratch)) return DataResult::read_failed;

  line_counter = 4;
  data.water_unit_weight = 0.0;
  data.section_count = 0;
  std::array<double, 4> unused{};
  if (io.read_values(unit, kErrorBranch, data.water_unit_weight, data.section_count, unused[0],
                     unused[1], unused[2], unused[3]) != IoResult::ok) {
    return DataResult::read_failed;
  }
  if (data.section_count > kMaxDataFileSections) return DataResult::too_many_sections;

  line_counter = 5;
  if (!read_text_line(io, unit, scratch)) return DataResult::read_failed;

  for (std::int32_t k = 1; k <= data.section_count; ++k) {
    line_counter = k + 5;
    if (!read_section(io, unit, data.section(k))) return DataResult::read_failed;
  }
  return DataResult::ok;
}

}  // namespace analysis
