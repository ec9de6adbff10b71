#include "programs/wendmoor-cli/wendmoor_cli_run.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "analysis/message_numbers.h"
#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/results_file.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/slices.h"
#include "programs/common/dialogue.h"
#include "record_io/text_item.h"

namespace wendmoor_cli {
namespace {

using analysis::kDataUnit;
using analysis::kJobUnit;
using analysis::kResultsUnit;
using analysis::kSettingsUnit;
using programs::Ending;
using record_io::IoResult;
using record_io::kConsoleUnit;
using record_io::RecordIo;
using record_io::text_of;
namespace message = analysis::ordinary_messages;

constexpr std::string_view kSettingsName = "wendmoor.ini";
constexpr std::string_view kSiblingSettingsPath = "../Wendmoor/wendmoor.ini";
constexpr std::size_t kFileNameLength = 1795;

using FileName = std::array<char, kFileNameLength>;

struct Run : programs::RunContext {
  explicit Run(RecordIo& record_io)
      : RunContext(record_io, analysis::kOrdinaryMessageCount, message::kClosingPrompt) {}

  FileName job_file_name{};
  FileName data_file_name{};
  FileName results_file_name{};

  /// A job-file line that cannot be read: the message, the job file's name
  /// from the table and the line; then the end sequence.
  [[nodiscard]] int job_file_error() const {
    io.write_line(kConsoleUnit, messages.text(message::kJobFileUnreadable), std::string_view(" "),
                  messages.text(message::kJobFileName), std::string_view(" "), state.line_counter);
    return end(kFailureStatus);
  }
  /// A file named in the job file that does not open: the message and the
  /// name as held, trailing blanks included; then the end sequence.
  [[nodiscard]] int open_failed(const FileName& name) const {
    io.write_line(kConsoleUnit, messages.text(message::kCannotOpen), std::string_view(" "),
                  text_of(name));
    return end(kFailureStatus);
  }
};

Ending read_settings(Run& run, std::string_view installed_settings_path) {
  if (!programs::open_first_settings(
          run.io, {kSettingsName, installed_settings_path, kSiblingSettingsPath})) {
    programs::show_settings_missing(run.io, kSettingsName);
    programs::prompt_to_quit(run.io);
    return kFailureStatus;
  }
  return programs::leave_settings(
      run.io, analysis::read_ordinary_settings(run.io, kSettingsUnit, run.state, run.messages),
      kSettingsName, run.state, kFailureStatus);
}

/// Opens the job file that message kJobFileName names, asking for another
/// name for as long as it does not open. False only when the record layer
/// has halted (a console read failed): no name can open any more.
bool open_job_file(Run& run) {
  record_io::assign_text(run.job_file_name, run.messages.text(message::kJobFileName));
  while (run.io.open(kJobUnit, text_of(run.job_file_name), "old", record_io::kErrorBranch) !=
         IoResult::ok) {
    if (run.io.halted()) return false;
    run.io.write_line(kConsoleUnit, run.messages.text(message::kJobFileName),
                      std::string_view("?  "), run.messages.text(message::kJobFilePrompt));
    static_cast<void>(
        run.io.read_values(kConsoleUnit, record_io::kNoBranch, std::span<char>(run.job_file_name)));
  }
  return true;
}

/// Analysis `k`: the data file, the results file, the report. Nothing when
/// it was written (or the record layer halted in a line without error
/// branch); otherwise the exit status of the exit taken.
Ending analyse(Run& run, std::int32_t k) {
  run.state.line_counter = 2 * k;
  if (run.io.read_layout_a(kJobUnit, run.data_file_name, record_io::kErrorBranch) != IoResult::ok) {
    return run.job_file_error();
  }
  run.state.line_counter = 2 * k + 1;
  if (run.io.read_layout_a(kJobUnit, run.results_file_name, record_io::kErrorBranch) !=
      IoResult::ok) {
    return run.job_file_error();
  }
  if (run.io.open(kDataUnit, text_of(run.data_file_name), "OLD", record_io::kErrorBranch) !=
      IoResult::ok) {
    return run.open_failed(run.data_file_name);
  }
  if (!programs::read_data_file(run.io, run.data, run.state, run.messages,
                                message::kDataReadFailed)) {
    return run.end(kFailureStatus);
  }
  if (run.io.open(kResultsUnit, text_of(run.results_file_name), "UNKNOWN",
                  record_io::kErrorBranch) != IoResult::ok) {
    return run.open_failed(run.results_file_name);
  }
  if (analysis::write_ordinary_analysis(run.io, run.data, run.slices, run.messages, run.state) !=
      analysis::ResultsWrite::written) {
    run.show(message::kResultsWriteFailed);
    return run.end(kFailureStatus);
  }
  return std::nullopt;
}

/// The run up to the stop; returns the exit status of the path taken.
int run_steps(Run& run, std::string_view installed_settings_path) {
  programs::show_notice(run.io, "wendmoor-cli: factor of safety by the ordinary method of slices");
  if (const Ending ending = read_settings(run, installed_settings_path)) return *ending;
  if (!open_job_file(run)) return kFailureStatus;

  run.state.line_counter = 1;
  std::int32_t job_count = 0;
  if (run.io.read_values(kJobUnit, record_io::kErrorBranch, job_count) != IoResult::ok) {
    return run.job_file_error();
  }
  if (job_count < 1) job_count = 1;
  for (std::int32_t k = 1; k <= job_count; ++k) {
    if (const Ending ending = analyse(run, k)) return *ending;
    // A halt leaves every later analysis undone; the stop reports it.
    if (run.io.halted()) return kFailureStatus;
  }
  return run.end(kSuccessStatus);
}

}  // namespace

int run(RecordIo& io, std::string_view installed_settings_path) {
  Run run(io);
  return programs::stop_run(io, run_steps(run, installed_settings_path));
}

}  // namespace wendmoor_cli
