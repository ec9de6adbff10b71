#include "programs/wendmoor/wendmoor_run.h"

#include <string_view>

#include "analysis/message_numbers.h"
#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/results_file.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/slices.h"
#include "programs/common/dialogue.h"

namespace wendmoor {
namespace {

using analysis::kDataUnit;
using analysis::kResultsUnit;
using analysis::kSettingsUnit;
using programs::Ending;
using record_io::RecordIo;
namespace message = analysis::ordinary_messages;

constexpr std::string_view kSettingsName = "wendmoor.ini";
// wendmoor, whose user is a person at the console, ends with status 0 on
// every path but the record layer's error report.
constexpr int kExitStatus = 0;

struct Run : programs::RunContext {
  explicit Run(RecordIo& record_io)
      : RunContext(record_io, analysis::kOrdinaryMessageCount, message::kClosingPrompt) {}

  [[nodiscard]] int end() const { return RunContext::end(kExitStatus); }
};

/// The run up to the stop; returns the exit status of the path taken.
int run_steps(Run& run) {
  programs::show_notice(run.io, "wendmoor: factor of safety by the ordinary method of slices");
  if (!programs::open_settings_or_choose(run.io, kSettingsName)) return kExitStatus;
  if (const Ending ending = programs::leave_settings(
          run.io, analysis::read_ordinary_settings(run.io, kSettingsUnit, run.state, run.messages),
          kSettingsName, run.state, kExitStatus)) {
    return *ending;
  }
  if (!programs::choose_and_open(run.io, run.messages, message::kChooseDataFile, kDataUnit,
                                 "OLD") ||
      !programs::read_data_file(run.io, run.data, run.state, run.messages,
                                message::kDataReadFailed)) {
    return run.end();
  }
  // The results file is chosen before the slices are computed.
  if (!programs::choose_and_open(run.io, run.messages, message::kChooseResultsFile, kResultsUnit,
                                 "UNKNOWN")) {
    return run.end();
  }
  if (analysis::write_ordinary_analysis(run.io, run.data, run.slices, run.messages, run.state) !=
      analysis::ResultsWrite::written) {
    run.show(message::kResultsWriteFailed);
  }
  return run.end();
}

}  // namespace

int run(RecordIo& io) {
  Run run(io);
  return programs::stop_run(io, run_steps(run));
}

}  // namespace wendmoor
