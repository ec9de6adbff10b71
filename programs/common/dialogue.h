// Steps that the run drivers of all three programs share: the attribution
// notice, message lines, the settings-file exits and the end sequence.
#pragma once

#include <cstdint>
#include <string_view>

#include "analysis/message_table.h"
#include "analysis/run_state.h"
#include "analysis/slope_data.h"
#include "method/slices.h"
#include "record_io/record_io.h"

namespace programs {

/// The name that makes an open ask the user for the file.
inline constexpr std::string_view kChooseFile{"\0", 1};

/// Writes the two lines of the attribution notice; `program_line` names the
/// program and its method.
void show_notice(record_io::RecordIo& io, std::string_view program_line);

/// One console line holding message `k` (trailing blanks removed).
void show_message(record_io::RecordIo& io, const analysis::MessageTable& messages, std::int32_t k);

/// Opens `settings_name` on the settings unit in the working directory; when
/// that fails shows "<settings_name>?", waits for Enter and lets the user
/// choose the file. False when the choice failed too.
bool open_settings_or_choose(record_io::RecordIo& io, std::string_view settings_name);

/// Reads the slope data file open on the data unit into `data` and closes
/// it. On a failed read shows message `read_error_message` and the line
/// counter; on too many sections shows "N >" and 150; both return false and
/// leave the unit to the stop.
bool read_data_file(record_io::RecordIo& io, analysis::SlopeData& data, analysis::RunState& state,
                    const analysis::MessageTable& messages, std::int32_t read_error_message);

/// The settings-error exit: "<settings_name> error at line " and the line,
/// then "Press <return>/<enter> to quit", a wait and the stop.
[[noreturn]] void settings_error_exit(record_io::RecordIo& io, std::string_view settings_name,
                                      std::int32_t line, int exit_status);

/// The end sequence: with closing_pause 1, messages 32 and `second_message`
/// and a wait for Enter; then the stop with `exit_status`.
[[noreturn]] void end_sequence(record_io::RecordIo& io, const analysis::MessageTable& messages,
                               const analysis::RunState& state, std::int32_t second_message,
                               int exit_status);

/// What one run of a program holds; fixed sizes throughout, nothing
/// allocated per analysis.
struct RunContext {
  /// `message_capacity` is the size of the program's message table;
  /// `closing_message` the second line of its end sequence.
  RunContext(record_io::RecordIo& record_io, std::int32_t message_capacity,
             std::int32_t closing_message)
      : io(record_io), messages(message_capacity), closing(closing_message) {}

  record_io::RecordIo& io;
  analysis::RunState state;
  analysis::MessageTable messages;
  analysis::SlopeData data;
  method::SliceTable slices;
  std::int32_t closing;

  /// One console line holding message `k`.
  void show(std::int32_t k) const { show_message(io, messages, k); }
  /// The end sequence, then the stop with `exit_status`.
  [[noreturn]] void end(int exit_status) const {
    end_sequence(io, messages, state, closing, exit_status);
  }
};

}  // namespace programs
