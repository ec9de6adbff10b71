#include "programs/wendmoor-cli/wendmoor_cli_run.h"

#include <array>
#include <cstddef>
#include <span>

#include "analysis/message_table.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/slices.h"
#include "programs/common/dialogue.h"
#include "programs/common/ordinary_analysis.h"

namespace wendmoor_cli {
namespace {

using analysis::kDataUnit;
using analysis::kJobUnit;
using analysis::kResultsUnit;
using analysis::kSettingsUnit;
using record_io::IoResult;
using record_io::kConsoleUnit;
using record_io::RecordIo;

constexpr std::string_view kSettingsName = "wendmoor.ini";
constexpr std::string_view kSiblingSettingsPath = "../Wendmoor/wendmoor.ini";
constexpr std::size_t kFileNameLength = 1795;

using FileName = std::array<char, kFileNameLength>;

struct Run : programs::RunContext {
  explicit Run(RecordIo& record_io) : RunContext(record_io, analysis::kOrdinaryMessageCount, 38) {}

  FileName job_file_name{};
  FileName data_file_name{};
  FileName results_file_name{};

  /// A job-file line that cannot be read: message 34, message 1 and the line.
  [[noreturn]] void job_file_error() {
    io.write_line(kConsoleUnit, messages.text(34), std::string_view(" "), messages.text(1),
                  std::string_view(" "), state.line_counter);
    end(kFailureStatus);
  }
  /// A file named in the job file that does not open: message 37 and the
  /// name as held, trailing blanks included.
  [[noreturn]] void open_failed(const FileName& name) {
    io.write_line(kConsoleUnit, messages.text(37), std::string_view(" "),
                  std::string_view(name.data(), name.size()));
    end(kFailureStatus);
  }
};

void read_settings(Run& run, std::string_view installed_settings_path) {
  bool found = false;
  for (const std::string_view path :
       {kSettingsName, installed_settings_path, kSiblingSettingsPath}) {
    if (run.io.open(kSettingsUnit, path, "old", record_io::kErrorBranch) == IoResult::ok) {
      found = true;
      break;
    }
  }
  if (!found) {
    run.io.write_line(kConsoleUnit, std::string_view("wendmoor.ini?"));
    run.io.write_raw_console("Press <return>/<enter> to quit");
    run.io.wait_for_enter();
    run.io.stop(kFailureStatus);
  }
  if (analysis::read_ordinary_settings(run.io, kSettingsUnit, run.state, run.messages) !=
      analysis::SettingsResult::ok) {
    programs::settings_error_exit(run.io, kSettingsName, run.state.line_counter, kFailureStatus);
  }
  run.io.close(kSettingsUnit);
}

void fill(FileName& name, std::string_view text) {
  name.fill(' ');
  text = text.substr(0, name.size());
  std::copy(text.begin(), text.end(), name.begin());
}

void open_job_file(Run& run) {
  fill(run.job_file_name, run.messages.text(1));
  const auto name = [&run] {
    return std::string_view(run.job_file_name.data(), run.job_file_name.size());
  };
  while (run.io.open(kJobUnit, name(), "old", record_io::kErrorBranch) != IoResult::ok) {
    run.io.write_line(kConsoleUnit, run.messages.text(1), std::string_view("?  "),
                      run.messages.text(2));
    static_cast<void>(
        run.io.read_values(kConsoleUnit, record_io::kNoBranch, std::span<char>(run.job_file_name)));
  }
}

/// One analysis: the data file, the results file, the report.
void analyse(Run& run, std::int32_t k) {
  run.state.line_counter = 2 * k;
  if (run.io.read_layout_a(kJobUnit, run.data_file_name, record_io::kErrorBranch) != IoResult::ok) {
    run.job_file_error();
  }
  run.state.line_counter = 2 * k + 1;
  if (run.io.read_layout_a(kJobUnit, run.results_file_name, record_io::kErrorBranch) !=
      IoResult::ok) {
    run.job_file_error();
  }
  if (run.io.open(kDataUnit, std::string_view(run.data_file_name.data(), run.data_file_name.size()),
                  "OLD", record_io::kErrorBranch) != IoResult::ok) {
    run.open_failed(run.data_file_name);
  }
  if (!programs::read_data_file(run.io, run.data, run.state, run.messages, 35)) {
    run.end(kFailureStatus);
  }
  if (run.io.open(kResultsUnit,
                  std::string_view(run.results_file_name.data(), run.results_file_name.size()),
                  "UNKNOWN", record_io::kErrorBranch) != IoResult::ok) {
    run.open_failed(run.results_file_name);
  }
  if (programs::write_ordinary_analysis(run.io, run.data, run.slices, run.messages, run.state) !=
      programs::OrdinaryResult::written) {
    run.show(36);
    run.end(kFailureStatus);
  }
}

}  // namespace

void run(RecordIo& io, std::string_view installed_settings_path) {
  Run run(io);
  programs::show_notice(io, "wendmoor-cli: factor of safety by the ordinary method of slices");
  read_settings(run, installed_settings_path);
  open_job_file(run);

  run.state.line_counter = 1;
  std::int32_t job_count = 0;
  if (io.read_values(kJobUnit, record_io::kErrorBranch, job_count) != IoResult::ok) {
    run.job_file_error();
  }
  if (job_count < 1) job_count = 1;
  for (std::int32_t k = 1; k <= job_count; ++k) analyse(run, k);
  run.end(kSuccessStatus);
}

}  // namespace wendmoor_cli
