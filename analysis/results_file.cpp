#include "analysis/results_file.h"

#include "analysis/record_units.h"
#include "analysis/results_report.h"

namespace analysis {
namespace {

ResultsWrite write_report(record_io::RecordIo& io, const SlopeData& data,
                          const method::SliceTable& slices, const MessageTable& messages,
                          const RunState& state) {
  if (write_results_report(io, kResultsUnit, data, slices, messages, state.field_separator) !=
      ReportResult::ok) {
    return ResultsWrite::write_failed;
  }
  io.close(kResultsUnit);
  return ResultsWrite::written;
}

}  // namespace

method::MethodSettings program_settings(method::Method method, const RunState& state) {
  method::MethodSettings settings;
  settings.method = method;
  settings.tolerance = state.tolerance;
  settings.iteration_limit = state.iteration_limit;
  settings.tension = method::TensionRule::stop;
  settings.pore_force =
      state.pore_force_option == 1 ? method::PoreForce::base_length : method::PoreForce::base_width;
  return settings;
}

ResultsWrite write_stopping_line(record_io::RecordIo& io, const MessageTable& messages,
                                 const method::MethodResult& result) {
  const std::int32_t message = stopping_message(result);
  if (message == 0) return ResultsWrite::written;
  return io.try_write_line(kResultsUnit, messages.text(message), result.slice) ==
                 record_io::IoResult::ok
             ? ResultsWrite::written
             : ResultsWrite::write_failed;
}

ResultsWrite write_ordinary_analysis(record_io::RecordIo& io, const SlopeData& data,
                                     method::SliceTable& slices, const MessageTable& messages,
                                     const RunState& state) {
  static_cast<void>(method::run_method(data.surface(),
                                       program_settings(method::Method::ordinary, state), slices));
  for (const std::int32_t slice : method::friction_dropped_slices(slices)) {
    if (io.try_write_line(kResultsUnit, messages.text(ordinary_messages::kSliceWarning), slice) !=
        record_io::IoResult::ok) {
      return ResultsWrite::write_failed;
    }
  }
  return write_report(io, data, slices, messages, state);
}

ResultsWrite write_simplified_analysis(record_io::RecordIo& io, const SlopeData& data,
                                       method::SliceTable& slices, const MessageTable& messages,
                                       const RunState& state, method::MethodResult& result) {
  result = method::run_method(data.surface(), program_settings(method::Method::simplified, state),
                              slices);
  if (write_stopping_line(io, messages, result) != ResultsWrite::written) {
    return ResultsWrite::write_failed;
  }
  return write_report(io, data, slices, messages, state);
}

}  // namespace analysis
