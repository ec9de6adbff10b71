#include "programs/hollin/report_command.h"

#include <CLI/CLI.hpp>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/results_file.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/method_run.h"
#include "method/slices.h"
#include "programs/hollin/data_file_input.h"
#include "programs/hollin/option_words.h"
#include "programs/hollin/shipped_settings.h"
#include "programs/hollin/text_file.h"
#include "record_io/memory_run.h"
#include "record_io/record_io.h"

namespace hollin {
namespace {

using analysis::kResultsUnit;
using analysis::kSettingsUnit;
using record_io::IoResult;

/// The settings of one program: run state and message table.
struct Settings {
  explicit Settings(bool simplified_method)
      : simplified(simplified_method),
        messages(simplified ? analysis::kSimplifiedMessageCount : analysis::kOrdinaryMessageCount) {
  }
  bool simplified;
  analysis::RunState state;
  analysis::MessageTable messages;
};

/// The name of the program's settings file.
std::string_view settings_file_name(const Settings& settings) {
  return settings.simplified ? "quarnby.ini" : "wendmoor.ini";
}

/// Reads the settings open on the settings unit of `io` as the program does.
bool read_settings(record_io::RecordIo& io, Settings& settings, std::int32_t& line) {
  analysis::SettingsResult result = analysis::SettingsResult::error;
  if (settings.simplified) {
    analysis::NumericalControls controls;
    result = analysis::read_simplified_settings(io, kSettingsUnit, settings.state,
                                                settings.messages, controls);
    if (result == analysis::SettingsResult::ok) {
      analysis::apply_numerical_controls(controls, settings.state);
    }
  } else {
    result = analysis::read_ordinary_settings(io, kSettingsUnit, settings.state, settings.messages);
  }
  line = settings.state.line_counter;
  io.close(kSettingsUnit);
  return result == analysis::SettingsResult::ok;
}

/// How reading the bytes of a settings file ended.
enum class SettingsRead { ok, not_opened, failed };

/// Reads the settings from `text`, the bytes of a settings file, through a
/// record layer held in memory, as the program reads its own file. On a
/// failed read `line` is the line it failed at.
SettingsRead read_settings_text(std::string_view text, Settings& settings, int tab_size,
                                std::int32_t& line) {
  record_io::MemoryRun memory({}, tab_size);
  if (!memory.open_input(kSettingsUnit, std::string(text),
                         std::string(settings_file_name(settings)))) {
    return SettingsRead::not_opened;
  }
  return read_settings(memory.io, settings, line) ? SettingsRead::ok : SettingsRead::failed;
}

bool load_settings(const ReportOptions& options, Settings& settings, CommandContext& context) {
  std::int32_t line = 0;
  const std::string_view name = settings_file_name(settings);
  if (options.settings.empty()) {
    const std::string_view shipped =
        settings.simplified ? shipped_quarnby_settings() : shipped_wendmoor_settings();
    if (read_settings_text(shipped, settings, context.tab_size, line) != SettingsRead::ok) {
      context.error("the built-in " + std::string(name) + " cannot be read at line " +
                    std::to_string(line));
      return false;
    }
    return true;
  }
  // The user's file is read once; the record layer reads these bytes.
  std::string text;
  std::string why;
  if (read_text_file(options.settings, text, why) != FileStatus::ok) {
    context.error(options.settings + ": cannot read the settings file: " + why);
    return false;
  }
  switch (read_settings_text(text, settings, context.tab_size, line)) {
    case SettingsRead::ok:
      return true;
    case SettingsRead::not_opened:
      context.error(options.settings + ": cannot open the settings file");
      return false;
    case SettingsRead::failed:
      context.error(options.settings + ":" + std::to_string(line) +
                    ": the settings file cannot be read at this line (" + std::string(name) +
                    " format expected)");
      return false;
  }
  return false;
}

/// The simplified method as quarnby runs it, written to the results unit,
/// with a note on standard error when the iteration did not converge.
bool write_simplified(record_io::RecordIo& io, const analysis::SlopeData& data,
                      const Settings& settings, CommandContext& context) {
  method::SliceTable slices;
  method::MethodResult result;
  const analysis::ResultsWrite written = analysis::write_simplified_analysis(
      io, data, slices, settings.messages, settings.state, result);
  if (result.status == method::RunStatus::stopped) {
    context.err += "hollin: note: the iteration stopped at slice " + std::to_string(result.slice) +
                   (result.stop == method::IterationStop::no_positive_normal
                        ? " (no positive effective normal force)"
                        : " (m-factor below 0.2)") +
                   "; the report begins with that line and its factor covers the slices "
                   "before it\n";
  } else if (result.status == method::RunStatus::no_driving_force) {
    context.err +=
        "hollin: note: the driving forces sum to zero, so there is no factor of "
        "safety; the report shows the last of " +
        std::to_string(settings.state.iteration_limit) + " passes\n";
  } else if (result.status == method::RunStatus::no_convergence) {
    context.err += "hollin: note: the iteration did not converge in " +
                   std::to_string(settings.state.iteration_limit) +
                   " passes; the report shows the last pass\n";
  }
  return written == analysis::ResultsWrite::written;
}

}  // namespace

int run_report(const ReportOptions& options, CommandContext& context) {
  Settings settings(value_of(kReportMethodWords, options.method) == method::Method::simplified);
  if (!load_settings(options, settings, context)) return kExitRefused;

  std::string data_text;
  auto data = std::make_unique<analysis::SlopeData>();
  if (!read_data_file(options.data, data_text, *data, context)) return kExitRefused;

  // The report is written to memory first, so that the results file is
  // replaced only by a complete report.
  constexpr std::string_view kResultsName = "results";
  record_io::MemoryRun memory({}, context.tab_size);
  record_io::RecordIo& io = memory.io;
  bool written =
      io.open(kResultsUnit, kResultsName, "unknown", record_io::kErrorBranch) == IoResult::ok;
  if (written && settings.simplified) {
    written = write_simplified(io, *data, settings, context);
  } else if (written) {
    method::SliceTable slices;
    written = analysis::write_ordinary_analysis(io, *data, slices, settings.messages,
                                                settings.state) == analysis::ResultsWrite::written;
  }
  if (!written || io.halted()) {
    context.error(options.output + ": the report could not be composed");
    return kExitRefused;
  }

  std::array<std::string, 2> inputs{options.data, options.settings};
  std::string why;
  if (write_file_atomically(
          options.output, memory.files.files[std::string(kResultsName)],
          std::span<const std::string>(inputs.data(), options.settings.empty() ? 1 : 2),
          why) != FileStatus::ok) {
    context.error(options.output + ": the results file was not written: " + why);
    return kExitRefused;
  }
  return kExitSuccess;
}

void declare_report(CLI::App& app, ReportOptions& options) {
  app.add_option("DATA", options.data, "the slope data file")->required();
  app.add_option("--method", options.method,
                 "simplified (the report of quarnby) or ordinary (of wendmoor)")
      ->required()
      ->check(CLI::IsMember(word_strings(kReportMethodWords)));
  app.add_option("--settings", options.settings,
                 "a settings file in quarnby.ini or wendmoor.ini format (default: the shipped "
                 "English one)");
  app.add_option("-o,--output", options.output, "the results file to write")->required();
}

}  // namespace hollin
