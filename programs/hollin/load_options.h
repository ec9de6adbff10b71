// The load options that `analyse` and `search` share: --kh and --kv, the
// earthquake coefficients, which override the model's [seismic] table.
#pragma once

#include <string>

#include "slope/model.h"

namespace CLI {
class App;
}

namespace hollin {

/// The options as given; empty keeps the model's value.
struct LoadOptions {
  std::string kh;
  std::string kv;
};

/// Declares --kh and --kv into `options`.
void declare_load_options(CLI::App& app, LoadOptions& options);

/// Puts the coefficients given into `model`; false with `why`, naming the
/// option, for a value outside its range (kh 0 to 1, kv above -1 up to 1).
[[nodiscard]] bool apply_load_options(const LoadOptions& options, slope::Model& model,
                                      std::string& why);

}  // namespace hollin
