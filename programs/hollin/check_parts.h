// The two halves of `hollin check`, one per kind of file; only
// check_command.cpp calls them.
#pragma once

#include <string>

#include "programs/hollin/command_context.h"

namespace hollin {

/// Checks a slope data file; returns an exit status.
[[nodiscard]] int check_data_file(const std::string& path, CommandContext& context);

/// Checks a slope model file; returns an exit status.
[[nodiscard]] int check_model_file(const std::string& path, CommandContext& context);

}  // namespace hollin
