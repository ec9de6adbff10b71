// Choosing a file on the terminal: an open whose name begins with NUL asks
// the user for the name on the console, in place of a file dialog. These are
// the texts and name rules of that dialogue; the record layer runs it.
#pragma once

#include <string>
#include <string_view>

#include "record_io/byte_stream.h"

namespace record_io {

/// Prompt written, without line end, before the user types a file name.
inline constexpr std::string_view kFileChoicePrompt = "File name: ";

/// Title line of the choice: "Open file on TELWORN UNIT 13" for a file that
/// must exist, "Create file on TELWORN UNIT 12" for one that may be created.
std::string file_choice_title(OpenStatus status, int unit);

/// The line shown when a file that must exist is not there.
std::string file_not_found_line(std::string_view name);

/// The line shown when a file to create is a folder or a file the run reads.
std::string not_writable_line(std::string_view name);

/// The line shown when the folder of a file to create is not there.
std::string folder_not_found_line(std::string_view folder);

/// The folder part of `name` ("" when it has none; "/" for the root).
std::string folder_of(std::string_view name);

/// `name` with ".dat" appended when its last path component has no
/// extension (no full stop after its first character).
std::string with_default_extension(std::string_view name);

}  // namespace record_io
