// Support shared by the fuzz targets: a whole record layer held in memory
// whose process end is turned into an exception, so that one input can run a
// program to its stop or error report and the next input can follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "record_io/record_io.h"

namespace fuzzing {

/// Ends the fuzzing process at once when `condition` fails: a broken
/// property counts as a finding, like a crash.
void require(bool condition, const char* what);

/// Thrown in place of ending the process; carries the exit status.
struct RunEnded {
  int status;
};

/// The exit function of the memory runs: throws RunEnded.
[[noreturn]] void throw_run_ended(int status);

/// A record layer whose files, console and process end live in memory.
struct MemoryRun : record_io::MemoryEnvironment {
  /// `console_input` is what the user types; `tab_size` as TABSIZE gives it.
  explicit MemoryRun(std::string console_input = {}, int tab_size = 8);

  std::unique_ptr<record_io::RecordIo> io;
};

/// Runs `program`, which ends only through the exit function, and returns
/// the status it ended with.
template <class Program>
int run_to_end(Program&& program) {
  try {
    program();
  } catch (const RunEnded& ended) {
    return ended.status;
  }
  require(false, "a run returned instead of ending");
  return -1;
}

/// Checks what every ended run must show: status 255 exactly when the error
/// report, three lines each beginning "? ", went to the error stream, and
/// otherwise one of `statuses`.
void check_ending(const MemoryRun& run, int status, std::initializer_list<int> statuses);

/// The fuzzer's bytes as text.
std::string_view as_text(const std::uint8_t* data, std::size_t size);

/// Line that separates the parts of a whole-run input (settings, data, job
/// file, console input), chosen so that no shipped file contains it.
inline constexpr std::string_view kPartSeparator = "\n%%%%\n";

/// True when every file named in `inputs` still holds the text given there:
/// no run may modify a file that it reads.
bool inputs_unchanged(const MemoryRun& run,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> inputs);

/// Splits `input` at every kPartSeparator into exactly `count` parts: missing
/// parts are empty and the last part keeps any further separators.
std::vector<std::string> split_parts(std::string_view input, std::size_t count);

}  // namespace fuzzing
