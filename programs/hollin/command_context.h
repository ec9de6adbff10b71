// What every command of the tool gets and gives back: its standard output and
// error text, collected in memory and written by main, the tab-stop distance
// of the record layer, and the exit statuses the commands return.
#pragma once

#include <string>
#include <string_view>

namespace hollin {

/// The command did what was asked.
inline constexpr int kExitSuccess = 0;
/// An input was refused, a surface was inadmissible, or no factor resulted.
inline constexpr int kExitRefused = 1;
/// The command line itself was wrong.
inline constexpr int kExitUsage = 2;

/// `text` for a terminal: every control character (line ends, escapes)
/// becomes a blank, so that a title from a user's file stays one harmless
/// line of output.
[[nodiscard]] inline std::string printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F) c = ' ';
  }
  return out;
}

/// The streams of one command run.
struct CommandContext {
  std::string out;   ///< standard output
  std::string err;   ///< standard error
  int tab_size = 8;  ///< tab-stop distance for files read through the record layer

  /// Adds the line "hollin: WHAT" to the error text.
  void error(std::string_view what) {
    err += "hollin: ";
    err += what;
    err += '\n';
  }
};

}  // namespace hollin
