// `hollin optimise MODEL --polyline ...|--circle ...`: one surface
// optimised (search/optimise.h) by one method, told in text or JSON.
#pragma once

#include <string>

#include "programs/hollin/command_context.h"
#include "programs/hollin/load_options.h"
#include "programs/hollin/method_options.h"
#include "programs/hollin/surface_option.h"

namespace CLI {
class App;
}

namespace hollin {

/// The command line of `hollin optimise`.
struct OptimiseOptions : MethodOptions, LoadOptions {
  std::string model;
  SurfaceOptions surface;
  std::string method = "simplified";
  std::string vertices;   ///< empty: 12
  std::string max_angle;  ///< empty: 120
  bool json = false;
};

void declare_optimise(CLI::App& app, OptimiseOptions& options);

/// Exit status 0 with a factor, 1 for a refused model or a start without
/// one, 2 for a usage error.
[[nodiscard]] int run_optimise(const OptimiseOptions& options, CommandContext& context);

}  // namespace hollin
