#include "programs/quarnby/quarnby_run.h"

#include <cstdint>
#include <string_view>

#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/results_report.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/simplified_method.h"
#include "method/slices.h"
#include "programs/common/dialogue.h"
#include "programs/common/simplified_stop.h"

namespace quarnby {
namespace {

using analysis::kDataUnit;
using analysis::kResultsUnit;
using analysis::kSettingsUnit;
using programs::Ending;
using record_io::IoResult;
using record_io::kConsoleUnit;
using record_io::RecordIo;

constexpr std::string_view kSettingsName = "quarnby.ini";
// quarnby, whose user is a person at the console, ends with status 0 on
// every path but the record layer's error report.
constexpr int kExitStatus = 0;

// Entries of quarnby.ini that the driver shows.
constexpr std::int32_t kChooseDataFile = 3;
constexpr std::int32_t kChooseResultsFile = 4;
constexpr std::int32_t kNotConverged = 33;
constexpr std::int32_t kAskForReport = 34;
// The prompt after a stopping slice and the second line of the end sequence.
constexpr std::int32_t kPressEnter = 36;
constexpr std::int32_t kDataReadFailed = 39;
constexpr std::int32_t kResultsWriteFailed = 40;

// The answer after kAskForReport from which the report is written.
constexpr std::int32_t kWriteReportAnswer = 2;

struct Run : programs::RunContext {
  explicit Run(RecordIo& record_io)
      : RunContext(record_io, analysis::kSimplifiedMessageCount, kPressEnter) {}

  [[nodiscard]] int end() const { return RunContext::end(kExitStatus); }
  /// A failed write to the results file with an error branch.
  [[nodiscard]] int results_write_failed() const {
    show(kResultsWriteFailed);
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
AfterIteration report_stopping_slice(Run& run, std::int32_t message, std::int32_t slice) {
  run.io.write_line(kConsoleUnit, run.messages.text(message), slice);
  if (run.io.try_write_line(kResultsUnit, run.messages.text(message), slice) != IoResult::ok) {
    return AfterIteration::results_write_failed;
  }
  run.io.write_raw_console(run.messages.text(kPressEnter));
  run.io.wait_for_enter();
  return AfterIteration::report;
}

AfterIteration iterate(Run& run) {
  const method::IterationOutcome outcome = method::iterate_simplified(
      run.data.surface(), run.slices, run.state.tolerance, run.state.iteration_limit);
  if (outcome.stop == method::IterationStop::converged) return AfterIteration::report;
  if (const std::int32_t message = programs::stopping_message(outcome.stop); message != 0) {
    return report_stopping_slice(run, message, outcome.slice);
  }
  run.show(kNotConverged);
  run.show(kAskForReport);
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
  if (!programs::choose_and_open(run.io, run.messages, kChooseDataFile, kDataUnit, "OLD") ||
      !programs::read_data_file(run.io, run.data, run.state, run.messages, kDataReadFailed)) {
    return run.end();
  }
  method::compute_first_estimate(run.data.surface(), run.slices);

  if (!programs::choose_and_open(run.io, run.messages, kChooseResultsFile, kResultsUnit,
                                 "unknown")) {
    return run.end();
  }
  switch (iterate(run)) {
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
