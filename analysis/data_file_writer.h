// Writing a slope data file from sections in memory, in the layout the three
// programs read: two titles, a caption, the header, a caption, then one line
// of sixteen numbers per section, each number in its shortest exact form.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "method/section.h"

namespace analysis {

/// What a data file holds.
struct DataFileContent {
  std::string_view title;     ///< line 1
  std::string_view subtitle;  ///< line 2
  double water_unit_weight = 0.0;
  /// Head to toe; vertical_load downward positive, as the methods hold it.
  std::span<const method::Section> sections;
};

enum class [[nodiscard]] DataFileStatus{
    ok,
    too_many_sections,  ///< more than kMaxDataFileSections sections
    not_finite          ///< a value is an infinity or a NaN, which no reader takes
};

/// Fills `text` with the data file of `content`, lines ended by a line feed:
///   1, 2   the titles, every control character (a line end included)
///          replaced by a blank so that each stays one line;
///   3      a caption of the header; 5 a caption of the section columns;
///   4      water_unit_weight, the section count and four zeros;
///   6..    per section: x, ground_level, slip_level, lower_height,
///          pore_head, lower_unit_weight, upper_unit_weight, cohesion,
///          friction_angle, the load negated (files hold it upward
///          positive), six zeros.
/// Numbers are written in the shortest form that reads back to the same
/// double, so reading the file gives every section bit for bit (tan_phi is
/// derived again by the reader from friction_angle). `text` is left empty
/// unless the status is ok.
DataFileStatus write_data_file_text(const DataFileContent& content, std::string& text);

}  // namespace analysis
