// The slope data file: two titles, a header with the unit weight of water and
// the section count, and one line of sixteen numbers per section of the trial
// slip surface. Read once per analysis, read-only afterwards.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "analysis/data_file_limits.h"
#include "method/section.h"

namespace record_io {
class RecordIo;
}

namespace analysis {

/// Length of the title texts of the data file.
inline constexpr std::size_t kTitleLength = 255;

/// One section of the slip surface, one line of the data file.
using method::Section;

/// The whole data file after reading.
struct SlopeData {
  std::array<char, kTitleLength> title_1{};  ///< line 1, blank-padded
  std::array<char, kTitleLength> title_2{};  ///< line 2, blank-padded
  double water_unit_weight = 0.0;            ///< turns a head into a pressure
  std::int32_t section_count = 0;            ///< N, at most kMaxDataFileSections
  /// Section k at [k - 1]; entries 0 to N - 1 are filled.
  std::array<Section, kMaxDataFileSections> sections{};

  /// Section k (1-based), 1 <= k <= kMaxDataFileSections.
  [[nodiscard]] const Section& section(std::int32_t k) const {
    return sections[static_cast<std::size_t>(k - 1)];
  }
  [[nodiscard]] Section& section(std::int32_t k) {
    return sections[static_cast<std::size_t>(k - 1)];
  }
  /// What the methods read: sections 1 to N (none when N < 1; never more
  /// than the storage holds) and the unit weight of water.
  [[nodiscard]] method::SurfaceData surface() const {
    const std::int32_t count =
        section_count < 0 ? 0 : std::min(section_count, kMaxDataFileSections);
    return {std::span<const Section>(sections.data(), static_cast<std::size_t>(count)),
            water_unit_weight,
            {},
            {}};
  }
};

/// Outcome of reading a slope data file.
enum class [[nodiscard]] DataResult{
    ok,                ///< every line read; the data are complete
    read_failed,       ///< a read failed or met the end of the file
    too_many_sections  ///< the header asks for more than kMaxDataFileSections
};

/// Reads the data file open on `unit` into `data`: lines 1 and 2 as titles,
/// line 3 dropped, line 4 the header (water_unit_weight, section_count and
/// four unused reals), line 5 dropped, then one free-format line of sixteen
/// values per section. Every value is 0 before its read, so a null value or
/// a slash leaves 0. Derives tan_phi and negates vertical_load per section.
/// `line_counter` is the line each read starts on; after read_failed it
/// names the failing read (the section's first line for a section). The
/// section count is checked before line 5 is read. Writes no message and
/// leaves the unit open: closing and reporting are the caller's.
DataResult read_slope_data(record_io::RecordIo& io, int unit, SlopeData& data,
                           std::int32_t& line_counter);

}  // namespace analysis
