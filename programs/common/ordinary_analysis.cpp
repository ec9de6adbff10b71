#include "programs/common/ordinary_analysis.h"

#include <cstddef>

#include "analysis/record_units.h"
#include "analysis/results_report.h"
#include "programs/common/ordinary_messages.h"

namespace programs {

OrdinaryResult write_ordinary_analysis(record_io::RecordIo& io, const analysis::SlopeData& data,
                                       method::SliceTable& slices,
                                       const analysis::MessageTable& messages,
                                       const analysis::RunState& state) {
  method::compute_ordinary(
      data.surface(),
      state.pore_force_option == 1 ? method::PoreForce::base_length : method::PoreForce::base_width,
      slices);
  for (std::int32_t i = 1; i <= slices.slice_count; ++i) {
    if (slices.normal_not_positive[static_cast<std::size_t>(i - 1)] == 0) continue;
    if (io.try_write_line(analysis::kResultsUnit, messages.text(ordinary_messages::kSliceWarning),
                          i) != record_io::IoResult::ok) {
      return OrdinaryResult::write_failed;
    }
  }
  if (analysis::write_results_report(io, analysis::kResultsUnit, data, slices, messages,
                                     state.field_separator) != analysis::ReportResult::ok) {
    return OrdinaryResult::write_failed;
  }
  io.close(analysis::kResultsUnit);
  return OrdinaryResult::written;
}

}  // namespace programs
