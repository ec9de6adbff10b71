// Loading a slope model file for the commands: the file read whole with the
// tool's size limit, then read and validated by slope::read_model, with every
// refusal as "hollin: FILE:LINE:COLUMN: what".
#pragma once

#include <string>

#include "programs/hollin/command_context.h"
#include "slope/model.h"

namespace hollin {

/// Reads the model file `path` into `model`. False, with the refusal in
/// `context`, when the file cannot be read or the model is refused.
[[nodiscard]] bool load_model(const std::string& path, slope::Model& model,
                              CommandContext& context);

}  // namespace hollin
