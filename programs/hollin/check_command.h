// `hollin check FILE`: validates a slope model (a name ending in .toml) and
// summarises it, or checks a stored slope data file as the programs read it,
// warns about what they take silently, and gives the factors it yields.
#pragma once

#include <string>

#include "programs/hollin/command_context.h"

namespace CLI {
class App;
}

namespace hollin {

/// The command line of `hollin check`.
struct CheckOptions {
  std::string file;  ///< a model (.toml) or a slope data file
};

/// Declares the argument of `hollin check` into `options`.
void declare_check(CLI::App& app, CheckOptions& options);

/// Checks a model or a data file. Returns kExitSuccess when it is readable
/// (warnings do not fail), kExitRefused when it is refused.
[[nodiscard]] int run_check(const CheckOptions& options, CommandContext& context);

}  // namespace hollin
