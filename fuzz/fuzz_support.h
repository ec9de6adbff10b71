// Support shared by the fuzz targets: the checks that every whole run must
// pass, and the splitting of one fuzzer input into the files of a run. The
// runs themselves go on record_io::MemoryRun and return their exit status.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "record_io/memory_run.h"

namespace fuzzing {

/// Ends the fuzzing process at once when `condition` fails: a broken
/// property counts as a finding, like a crash.
void require(bool condition, const char* what);

/// Checks what every run must show at its end: every unit closed; status 255
/// exactly when the
/// record layer halted and its error report, three lines each beginning
/// "? ", went to the error stream; otherwise an empty error stream and one
/// of `statuses`.
void check_ending(const record_io::MemoryRun& run, int status, std::initializer_list<int> statuses);

/// The fuzzer's bytes as text.
std::string_view as_text(const std::uint8_t* data, std::size_t size);

/// Line that separates the parts of a whole-run input (settings, data, job
/// file, console input), chosen so that no shipped file contains it.
inline constexpr std::string_view kPartSeparator = "\n%%%%\n";

/// True when every file named in `inputs` still holds the text given there:
/// no run may modify a file that it reads.
bool inputs_unchanged(const record_io::MemoryRun& run,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> inputs);

/// Splits `input` at every kPartSeparator into exactly `count` parts: missing
/// parts are empty and the last part keeps any further separators.
std::vector<std::string> split_parts(std::string_view input, std::size_t count);

}  // namespace fuzzing
