// `hollin init [--language en|de] [--force] [DIR]`: sets up a working folder
// for the three console programs and the tool: their settings files in one
// language, the bundled slope data files with the job file that runs them,
// and a slope model. The files are built into the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "programs/hollin/command_context.h"

namespace CLI {
class App;
}

namespace hollin {

/// The command line of `hollin init`.
struct InitOptions {
  std::string folder = ".";     ///< the working folder; made when missing
  std::string language = "en";  ///< "en" or "de": the language of the settings files
  bool force = false;           ///< replace files that exist
};

/// Declares the argument and options of `hollin init` into `options`.
void declare_init(CLI::App& app, InitOptions& options);

/// The names of the files `hollin init` writes, in the order it writes them.
[[nodiscard]] std::vector<std::string_view> init_file_names();

/// Makes the folder (and its parents) when missing, then writes every file.
/// Without `force`, when any of the files exists already, names each of them
/// and writes none. A name that exists as anything but a regular file is
/// refused even with `force`. Each file is written whole or not at all.
/// Returns kExitSuccess when every file was written, kExitRefused otherwise.
[[nodiscard]] int run_init(const InitOptions& options, CommandContext& context);

}  // namespace hollin
