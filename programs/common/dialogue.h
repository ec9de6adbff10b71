// Steps that the run drivers of all three programs share: the attribution
// notice, message lines, opening and leaving the settings file, the end
// sequence, and the stop that gives the run's exit status.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "analysis/message_table.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "method/slices.h"
#include "record_io/record_io.h"

namespace programs {

/// The name that makes an open ask the user for the file.
inline constexpr std::string_view kChooseFile{"\0", 1};

/// How a stage of a run ends: nothing when the run goes on, otherwise the
/// exit status of the path it took (stop_run still follows).
using Ending = std::optional<int>;

/// Writes the two lines of the attribution notice; `program_line` names the
/// program and its method.
void show_notice(record_io::RecordIo& io, std::string_view program_line);

/// One console line holding message `k` (trailing blanks removed).
void show_message(record_io::RecordIo& io, const analysis::MessageTable& messages, std::int32_t k);

/// Shows message `prompt`, waits for Enter and opens `unit` with `status` on
/// the file the user chooses. False when the choice or the open failed.
bool choose_and_open(record_io::RecordIo& io, const analysis::MessageTable& messages,
                     std::int32_t prompt, int unit, std::string_view status);

/// Opens the settings unit with status "old" on the first of `paths` that
/// opens; shows nothing. False when none does.
bool open_first_settings(record_io::RecordIo& io, std::initializer_list<std::string_view> paths);

/// The line "<settings_name>?": the settings file was not found.
void show_settings_missing(record_io::RecordIo& io, std::string_view settings_name);

/// Opens `settings_name` on the settings unit in the working directory; when
/// that fails shows "<settings_name>?", waits for Enter and lets the user
/// choose the file. False when the choice failed too.
bool open_settings_or_choose(record_io::RecordIo& io, std::string_view settings_name);

/// The prompt "Press <return>/<enter> to quit" and a wait for Enter.
void prompt_to_quit(record_io::RecordIo& io);

/// Reads the slope data file open on the data unit into `data` and closes
/// it. On a failed read shows message `read_error_message` and the line
/// counter; on too many sections shows "N >" and 150; both return false and
/// leave the unit to the stop.
bool read_data_file(record_io::RecordIo& io, analysis::SlopeData& data, analysis::RunState& state,
                    const analysis::MessageTable& messages, std::int32_t read_error_message);

/// Leaves the settings file after reading it with `result`: closes the
/// settings unit and goes on when the file was read; otherwise the
/// settings-error exit ("<settings_name> error at line " and the line
/// counter, then prompt_to_quit) ending with `exit_status`.
[[nodiscard]] Ending leave_settings(record_io::RecordIo& io, analysis::SettingsResult result,
                                    std::string_view settings_name, const analysis::RunState& state,
                                    int exit_status);

/// The end sequence: with closing_pause 1, messages report_messages::kAnalysisEnded and
/// `closing_message` and a wait for Enter. Returns `exit_status`.
[[nodiscard]] int end_sequence(record_io::RecordIo& io, const analysis::MessageTable& messages,
                               const analysis::RunState& state, std::int32_t closing_message,
                               int exit_status);

/// The last step of every run: closes every unit and returns the exit
/// status, `exit_status` unless the record layer halted (before or while
/// closing); then its error report goes to the console's error stream, as
/// the last output of the run, and the status is kErrorReportStatus.
[[nodiscard]] int stop_run(record_io::RecordIo& io, int exit_status);

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
  /// The end sequence; returns `exit_status`.
  [[nodiscard]] int end(int exit_status) const {
    return end_sequence(io, messages, state, closing, exit_status);
  }
};

}  // namespace programs
