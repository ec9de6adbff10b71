#include "programs/wendmoor/wendmoor_run.h"

#include <string_view>

#include "analysis/message_table.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/slices.h"
#include "programs/common/dialogue.h"
#include "programs/common/ordinary_analysis.h"

namespace wendmoor {
namespace {

using analysis::kDataUnit;
using analysis::kResultsUnit;
using analysis::kSettingsUnit;
using record_io::IoResult;
using record_io::kConsoleUnit;
using record_io::RecordIo;

constexpr std::string_view kSettingsName = "wendmoor.ini";
// wendmoor, whose user is a person at the console, ends with status 0 on
// every path but the record layer's error report.
constexpr int kExitStatus = 0;

struct Run : programs::RunContext {
  explicit Run(RecordIo& record_io) : RunContext(record_io, analysis::kOrdinaryMessageCount, 38) {}

  [[noreturn]] void end() const { RunContext::end(kExitStatus); }
};

}  // namespace

void run(RecordIo& io) {
  Run run(io);
  programs::show_notice(io, "wendmoor: factor of safety by the ordinary method of slices");

  if (!programs::open_settings_or_choose(io, kSettingsName)) {
    io.stop(kExitStatus);
  }
  if (analysis::read_ordinary_settings(io, kSettingsUnit, run.state, run.messages) !=
      analysis::SettingsResult::ok) {
    programs::settings_error_exit(io, kSettingsName, run.state.line_counter, kExitStatus);
  }
  io.close(kSettingsUnit);

  run.show(3);
  io.wait_for_enter();
  if (io.open(kDataUnit, programs::kChooseFile, "OLD", record_io::kErrorBranch) != IoResult::ok) {
    run.end();
  }
  if (!programs::read_data_file(io, run.data, run.state, run.messages, 35)) {
    run.end();
  }

  // The results file is chosen before the slices are computed.
  run.show(4);
  io.wait_for_enter();
  if (io.open(kResultsUnit, programs::kChooseFile, "UNKNOWN", record_io::kErrorBranch) !=
      IoResult::ok) {
    run.end();
  }
  if (programs::write_ordinary_analysis(io, run.data, run.slices, run.messages, run.state) !=
      programs::OrdinaryResult::written) {
    run.show(36);
  }
  run.end();
}

}  // namespace wendmoor
