// `hollin analyse MODEL --circle|--polyline ...`: the factor of safety of one
// trial surface through a slope model by the simplified and/or the ordinary
// method, as text for people or as JSON for scripts.
#pragma once

#include <string>

#include "programs/hollin/command_context.h"
#include "programs/hollin/surface_option.h"

namespace hollin {

/// The command line of `hollin analyse`; empty texts take the defaults.
struct AnalyseOptions {
  std::string model;
  SurfaceOptions surface;
  std::string method = "both";             ///< simplified, ordinary or both
  std::string pore_force = "base-length";  ///< ordinary method: base-width or base-length
  std::string tolerance;                   ///< empty: method::kDefaultTolerance
  std::string iteration_limit;             ///< empty: method::kDefaultIterationLimit
  std::string tension = "stop";            ///< stop (quarnby's rule) or allow
  bool json = false;
};

/// Largest --iteration-limit accepted.
inline constexpr int kMaxIterationLimit = 100000;

/// Cuts the surface and runs the chosen methods on the cut, which is what a
/// data file written by `hollin cut` gives the programs. Prints each factor
/// with its method, passes and stop, entry, exit and slice count. Returns
/// kExitUsage for bad options, kExitRefused for a refused model, an
/// inadmissible surface or a method run that ends without a factor, and
/// kExitSuccess otherwise.
[[nodiscard]] int run_analyse(const AnalyseOptions& options, CommandContext& context);

}  // namespace hollin
