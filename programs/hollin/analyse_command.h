// `hollin analyse MODEL --circle|--polyline ...`: the factor of safety of one
// trial surface through a slope model by the simplified and/or the ordinary
// method, as text for people or as JSON for scripts.
#pragma once

#include <string>

#include "programs/hollin/command_context.h"
#include "programs/hollin/load_options.h"
#include "programs/hollin/method_options.h"
#include "programs/hollin/surface_option.h"

namespace hollin {

/// The command line of `hollin analyse`; empty texts take the defaults.
struct AnalyseOptions : MethodOptions, LoadOptions {
  std::string model;
  SurfaceOptions surface;
  std::string method = "both";  ///< simplified, ordinary or both
  bool json = false;
  bool detail = false;  ///< JSON: each slice's forces
};

/// Declares the arguments and options of `hollin analyse` into `options`.
void declare_analyse(CLI::App& app, AnalyseOptions& options);

/// Cuts the surface and runs the chosen methods on the cut, which is what a
/// data file written by `hollin cut` gives the programs. Prints each factor
/// with its method, passes and stop, entry, exit and slice count. Returns
/// kExitUsage for bad options, kExitRefused for a refused model, an
/// inadmissible surface or a method run that ends without a factor, and
/// kExitSuccess otherwise.
[[nodiscard]] int run_analyse(const AnalyseOptions& options, CommandContext& context);

}  // namespace hollin
