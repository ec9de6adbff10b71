#include "programs/quarnby/quarnby_run.h"

#include <string_view>

#include "analysis/message_table.h"
#include "analysis/results_report.h"
#include "analysis/run_state.h"
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
using record_io::IoResult;
using record_io::kConsoleUnit;
using record_io::RecordIo;

constexpr std::string_view kSettingsName = "quarnby.ini";
// quarnby, whose user is a person at the console, ends with status 0 on
// every path but the record layer's error report.
constexpr int kExitStatus = 0;

struct Run : programs::RunContext {
  explicit Run(RecordIo& record_io)
      : RunContext(record_io, analysis::kSimplifiedMessageCount, 36) {}

  [[noreturn]] void end() const { RunContext::end(kExitStatus); }
  /// A failed write to the results file with an error branch.
  [[noreturn]] void results_write_failed() const {
    show(40);
    end();
  }
};

void read_settings(Run& run) {
  if (!programs::open_settings_or_choose(run.io, kSettingsName)) {
    run.io.stop(kExitStatus);
  }
  analysis::NumericalControls controls;
  if (analysis::read_simplified_settings(run.io, kSettingsUnit, run.state, run.messages,
                                         controls) != analysis::SettingsResult::ok) {
    programs::settings_error_exit(run.io, kSettingsName, run.state.line_counter, kExitStatus);
  }
  run.io.close(kSettingsUnit);
  analysis::apply_numerical_controls(controls, run.state);
}

void read_data(Run& run) {
  run.show(3);
  run.io.wait_for_enter();
  if (run.io.open(kDataUnit, programs::kChooseFile, "OLD", record_io::kErrorBranch) !=
      IoResult::ok) {
    run.end();
  }
  if (!programs::read_data_file(run.io, run.data, run.state, run.messages, 39)) {
    run.end();
  }
}

/// Records a slice that stopped the iteration, on the console and in the
/// results file, then asks for Enter.
void report_stopping_slice(Run& run, std::int32_t message, std::int32_t slice) {
  run.io.write_line(kConsoleUnit, run.messages.text(message), slice);
  if (run.io.try_write_line(kResultsUnit, run.messages.text(message), slice) != IoResult::ok) {
    run.results_write_failed();
  }
  run.io.write_raw_console(run.messages.text(36));
  run.io.wait_for_enter();
}

void iterate(Run& run) {
  const method::IterationOutcome outcome = method::iterate_simplified(
      run.data.surface(), run.slices, run.state.tolerance, run.state.iteration_limit);
  if (outcome.stop == method::IterationStop::converged) return;
  if (const std::int32_t message = programs::stopping_message(outcome.stop); message != 0) {
    report_stopping_slice(run, message, outcome.slice);
    return;
  }
  run.show(33);
  run.show(34);
  // An answer that leaves the value unread (a slash) counts as "do not
  // report".
  std::int32_t answer = 0;
  static_cast<void>(run.io.read_values(kConsoleUnit, record_io::kNoBranch, answer));
  if (answer < 2) run.io.stop(kExitStatus);
}

}  // namespace

void run(RecordIo& io) {
  Run run(io);
  programs::show_notice(io, "quarnby: factor of safety by the simplified method of slices");
  read_settings(run);
  read_data(run);
  method::compute_first_estimate(run.data.surface(), run.slices);

  run.show(4);
  io.wait_for_enter();
  if (io.open(kResultsUnit, programs::kChooseFile, "unknown", record_io::kErrorBranch) !=
      IoResult::ok) {
    run.end();
  }
  iterate(run);
  if (analysis::write_results_report(io, kResultsUnit, run.data, run.slices, run.messages,
                                     run.state.field_separator) != analysis::ReportResult::ok) {
    run.results_write_failed();
  }
  io.close(kResultsUnit);
  run.end();
}

}  // namespace quarnby
