#include "programs/quarnby/quarnby_run.h"

#include <cstdint>
#include <string_view>

#include "analysis/message_numbers.h"
#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/results_file.h"
#include "analysis/results_report.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/method_run.h"
#include "method/slices.h"
#include "programs/common/dialogue.h"

namespace quarnby {
namespace {

using analysis::kDataUnit;
using analysis::kResultsUnit;
using analysis::kSettingsUnit;
namespace message = analysis::simplified_messages;
using programs::Ending;
using record_io::IoResult;
using record_io::kConsoleUnit;
using record_io::RecordIo;

constexpr std::string_view kSettingsName = "quarnby.ini";
// quarnby, whose user is a person at the console, ends with status 0 on
// every path but the record layer's error report.
constexpr int kExitStatus = 0;

// The answer after message::kAskForReport from which the report is written.
constexpr std::int32_t kWriteReportAnswer = 2;

struct Run : programs::RunContext {
  explicit Run(RecordIo& record_io)
      : RunContext(record_io, analysis::kSimplifiedMessageCount, message::kPressEnter) {}

  [[nodiscard]] int end() const { return RunContext::end(kExitStatus); }
  /// A failed write to the results file with an error branch.
  [[nodiscard]] int results_write_failed() const {
    show(message::kResultsWriteFailed);
    return end();
  }
};

/// What follows the iteration.
enum class AfterIteration { report, results_write_failed, stop };

Ending read_settings(Run& run) {
  if (!programs::open_settings_or_choose(run.io, kSettingsName)) return kExitStatus;
  analysis::NumericalControls controls;
  const analysis::SettingsResult result =
      analysis::read_simplified_settings(run.io, kSettingsUnit, run.state, run.messages, controls);
  if (const Ending ending =
          programs::leave_settings(run.io, result, kSettingsName, run.state, kExitStatus)) {
    return ending;
  }
  analysis::apply_numerical_controls(controls, run.state);
  return std::nullopt;
}

/// Records a slice that stopped the iteration, on the console and in the
/// results file, then asks for Enter.
AfterIteration report_stopping_slice(Run& run, const method::MethodResult& result) {
  run.io.write_line(kConsoleUnit, run.messages.text(analysis::stopping_message(result)),
                    result.slice);
  if (analysis::write_stopping_line(run.io, run.messages, result) !=
      analysis::ResultsWrite::written) {
    return AfterIteration::results_write_failed;
  }
  run.io.write_raw_console(run.messages.text(message::kPressEnter));
  run.io.wait_for_enter();
  return AfterIteration::report;
}

AfterIteration iterate(Run& run, const method::MethodSettings& settings) {
  const method::MethodResult result =
      method::finish_method(run.data.surface(), settings, run.slices);
  if (result.status == method::RunStatus::converged) return AfterIteration::report;
  if (result.status == method::RunStatus::stopped) return report_stopping_slice(run, result);
  run.show(message::kNotConverged);
  run.show(message::kAskForReport);
  // An answer that leaves the value unread (a slash) counts as "do not
  // report"; so does a failed read, which halts the record layer.
  std::int32_t answer = 0;
  static_cast<void>(run.io.read_values(kConsoleUnit, record_io::kNoBranch, answer));
  return answer < kWriteReportAnswer ? AfterIteration::stop : AfterIteration::report;
}

/// The run up to the stop; returns the exit status of the path taken.
int run_steps(Run& run) {
  programs::show_notice(run.io, "quarnby: factor of safety by the simplified method of slices");
  if (const Ending ending = read_settings(run)) return *ending;
  if (!programs::choose_and_open(run.io, run.messages, message::kChooseDataFile, kDataUnit,
                                 "OLD") ||
      !programs::read_data_file(run.io, run.data, run.state, run.messages,
                                message::kDataReadFailed)) {
    return run.end();
  }
  // The first estimate now, the iteration once the results file is open.
  const method::MethodSettings settings =
      analysis::program_settings(method::Method::simplified, run.state);
  method::start_method(run.data.surface(), settings, run.slices);

  if (!programs::choose_and_open(run.io, run.messages, message::kChooseResultsFile, kResultsUnit,
                                 "unknown")) {
    return run.end();
  }
  switch (iterate(run, settings)) {
    case AfterIteration::report:
      break;
    case AfterIteration::results_write_failed:
      return run.results_write_failed();
    case AfterIteration::stop:
      return kExitStatus;
  }
  if (analysis::write_results_report(run.io, kResultsUnit, run.data, run.slices, run.messages,
                                     run.state.field_separator) != analysis::ReportResult::ok) {
    return run.results_write_failed();
  }
  run.io.close(kResultsUnit);
  return run.end();
}

}  // namespace

int run(RecordIo& io) {
  Run run(io);
  return programs::stop_run(io, run_steps(run));
}

}  // namespace quarnby
