#include "analysis/results_report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analysis/message_numbers.h"
#include "record_io/record_io.h"
#include "record_io/text_item.h"

namespace analysis {

namespace {

using record_io::IoResult;

using namespace report_messages;

// Separators in front of the sums label, which puts it under the load
// heading and the sums under the driving and resisting headings.
constexpr int kSumsIndent = 9;

// One free-format line without error branch: a failing step halts the
// record layer, and the steps after it do nothing.
void write_headings(record_io::RecordIo& io, int unit, const MessageTable& messages,
                    std::int32_t first, std::int32_t last, std::string_view sep) {
  static_cast<void>(io.begin_write(unit, record_io::kNoBranch));
  for (std::int32_t k = first; k <= last; ++k) {
    if (k > first) static_cast<void>(io.write(sep));
    static_cast<void>(io.write(messages.text(k)));
  }
  static_cast<void>(io.end_write());
}

}  // namespace

ReportResult write_results_report(record_io::RecordIo& io, int unit, const SlopeData& data,
                                  const method::SliceTable& table, const MessageTable& messages,
                                  char field_separator) {
  if (io.write_layout_a(unit, record_io::trimmed(data.title_1), record_io::kErrorBranch) !=
      IoResult::ok) {
    return ReportResult::title_write_failed;
  }
  static_cast<void>(
      io.write_layout_a(unit, record_io::trimmed(data.title_2), record_io::kNoBranch));

  const std::string_view sep(&field_separator, 1);
  io.write_line(unit, messages.text(kFirstValueHeading), sep, messages.text(kFirstValueHeading + 1),
                sep);
  io.write_line(unit, data.water_unit_weight, sep, data.section_count);
  io.write_line(unit, messages.text(kSectionTableTitle));
  write_headings(io, unit, messages, kFirstSectionHeading, kLastSectionHeading, sep);
  const std::int32_t rows = std::min(data.section_count, kMaxDataFileSections);
  for (std::int32_t k = 1; k <= rows; ++k) {
    const Section& s = data.section(k);
    const double section_height = s.ground_level - s.slip_level;
    io.write_line(unit, k, sep, s.x, sep, s.ground_level, sep, s.slip_level, sep, section_height,
                  sep, s.lower_height, sep, s.pore_head);
  }

  static_cast<void>(io.write_layout_a(unit, messages.text(kSliceTableTitle), record_io::kNoBranch));
  write_headings(io, unit, messages, kFirstSliceHeading, kLastSliceHeading, sep);
  for (std::int32_t i = 1; i <= table.slice_count; ++i) {
    const auto s = static_cast<std::size_t>(i - 1);
    const Section& first = data.section(i);
    io.write_line(unit, i, sep, table.width[s], sep, table.mean_height[s], sep, table.base_slope[s],
                  sep, table.weight[s], sep, first.lower_unit_weight, sep, first.upper_unit_weight,
                  sep, first.cohesion, sep, first.friction_angle, sep, table.load[s], sep,
                  table.driving_force[s], sep, table.resisting_force[s], sep, table.net_force[s],
                  sep, table.mean_pore_head[s]);
  }

  static_cast<void>(io.begin_write(unit, record_io::kNoBranch));
  for (int n = 0; n < kSumsIndent; ++n) static_cast<void>(io.write(sep));
  static_cast<void>(io.write(messages.text(kSumsLabel)));
  static_cast<void>(io.write(sep));
  static_cast<void>(io.write(table.sum_driving));
  static_cast<void>(io.write(sep));
  static_cast<void>(io.write(table.sum_resisting));
  static_cast<void>(io.end_write());

  io.write_line(unit, messages.text(kFactorLabel), sep, method::reported_factor(table));
  return ReportResult::ok;
}

}  // namespace analysis
