#include "programs/common/dialogue.h"

#include <string>

#include "analysis/data_file_limits.h"
#include "analysis/message_numbers.h"
#include "analysis/record_units.h"

namespace programs {

using record_io::IoResult;
using record_io::kConsoleUnit;

void show_notice(record_io::RecordIo& io, std::string_view program_line) {
  io.write_line(kConsoleUnit, program_line);
  io.write_line(kConsoleUnit, std::string_view("Hollin Suite 1.0, slope stability by the "
                                               "method of slices"));
}

void show_message(record_io::RecordIo& io, const analysis::MessageTable& messages, std::int32_t k) {
  io.write_line(kConsoleUnit, messages.text(k));
}

bool choose_and_open(record_io::RecordIo& io, const analysis::MessageTable& messages,
                     std::int32_t prompt, int unit, std::string_view status) {
  show_message(io, messages, prompt);
  io.wait_for_enter();
  return io.open(unit, kChooseFile, status, record_io::kErrorBranch) == IoResult::ok;
}

bool open_first_settings(record_io::RecordIo& io, std::initializer_list<std::string_view> paths) {
  for (const std::string_view path : paths) {
    if (io.open(analysis::kSettingsUnit, path, "old", record_io::kErrorBranch) == IoResult::ok) {
      return true;
    }
  }
  return false;
}

void show_settings_missing(record_io::RecordIo& io, std::string_view settings_name) {
  io.write_line(kConsoleUnit, std::string(settings_name) + "?");
}

bool open_settings_or_choose(record_io::RecordIo& io, std::string_view settings_name) {
  if (open_first_settings(io, {settings_name})) return true;
  show_settings_missing(io, settings_name);
  io.wait_for_enter();
  return io.open(analysis::kSettingsUnit, kChooseFile, "old", record_io::kErrorBranch) ==
         IoResult::ok;
}

void prompt_to_quit(record_io::RecordIo& io) {
  io.write_raw_console("Press <return>/<enter> to quit");
  io.wait_for_enter();
}

bool read_data_file(record_io::RecordIo& io, analysis::SlopeData& data, analysis::RunState& state,
                    const analysis::MessageTable& messages, std::int32_t read_error_message) {
  switch (analysis::read_slope_data(io, analysis::kDataUnit, data, state.line_counter)) {
    case analysis::DataResult::ok:
      io.close(analysis::kDataUnit);
      return true;
    case analysis::DataResult::read_failed:
      io.write_line(kConsoleUnit, messages.text(read_error_message), state.line_counter);
      return false;
    case analysis::DataResult::too_many_sections:
      io.write_line(kConsoleUnit, std::string_view("N >"), analysis::kMaxDataFileSections);
      return false;
  }
  return false;
}

Ending leave_settings(record_io::RecordIo& io, analysis::SettingsResult result,
                      std::string_view settings_name, const analysis::RunState& state,
                      int exit_status) {
  if (result == analysis::SettingsResult::ok) {
    io.close(analysis::kSettingsUnit);
    return std::nullopt;
  }
  io.write_line(kConsoleUnit, std::string(settings_name) + " error at line ", state.line_counter);
  prompt_to_quit(io);
  return exit_status;
}

int end_sequence(record_io::RecordIo& io, const analysis::MessageTable& messages,
                 const analysis::RunState& state, std::int32_t closing_message, int exit_status) {
  if (state.closing_pause == 1) {
    show_message(io, messages, analysis::report_messages::kAnalysisEnded);
    show_message(io, messages, closing_message);
    io.wait_for_enter();
  }
  return exit_status;
}

int stop_run(record_io::RecordIo& io, int exit_status) {
  io.stop();
  if (!io.halted()) return exit_status;
  io.write_error_report();
  return record_io::kErrorReportStatus;
}

}  // namespace programs
