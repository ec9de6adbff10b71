#include "programs/common/dialogue.h"

#include <string>

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

bool open_settings_or_choose(record_io::RecordIo& io, std::string_view settings_name) {
  if (io.open(analysis::kSettingsUnit, settings_name, "old", record_io::kErrorBranch) ==
      IoResult::ok) {
    return true;
  }
  io.write_line(kConsoleUnit, std::string(settings_name) + "?");
  io.wait_for_enter();
  return io.open(analysis::kSettingsUnit, kChooseFile, "old", record_io::kErrorBranch) ==
         IoResult::ok;
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
      io.write_line(kConsoleUnit, std::string_view("N >"), analysis::kMaxSections);
      return false;
  }
  return false;
}

void settings_error_exit(record_io::RecordIo& io, std::string_view settings_name, std::int32_t line,
                         int exit_status) {
  io.write_line(kConsoleUnit, std::string(settings_name) + " error at line ", line);
  io.write_raw_console("Press <return>/<enter> to quit");
  io.wait_for_enter();
  io.stop(exit_status);
}

void end_sequence(record_io::RecordIo& io, const analysis::MessageTable& messages,
                  const analysis::RunState& state, std::int32_t second_message, int exit_status) {
  if (state.closing_pause == 1) {
    show_message(io, messages, 32);
    show_message(io, messages, second_message);
    io.wait_for_enter();
  }
  io.stop(exit_status);
}

}  // namespace programs
