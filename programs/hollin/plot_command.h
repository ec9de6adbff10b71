// `hollin plot FILE -o PICTURE.svg`: a picture of a slope model (with a
// trial surface cut through it and its factors when one is given) or of a
// stored slope data file (with the factor of its results report).
#pragma once

#include <string>

#include "programs/hollin/command_context.h"
#include "programs/hollin/method_options.h"
#include "programs/hollin/surface_option.h"

namespace CLI {
class App;
}

namespace hollin {

/// The command line of `hollin plot`.
struct PlotOptions : MethodOptions {
  std::string file;  ///< a model (name ending in .toml) or a slope data file
  /// Models with a surface: one method to draw instead of the simplified and
  /// ordinary ones; empty for those two.
  std::string method;
  SurfaceOptions surface;  ///< models only; no surface: the model alone
  std::string report;      ///< data files only: a results report to take the factor from
  std::string output;      ///< the SVG file to write
};

/// Declares the arguments and options of `hollin plot` into `options`.
void declare_plot(CLI::App& app, PlotOptions& options);

/// Draws the file and writes the SVG whole or not at all, never over an
/// input. A model with a surface: the slices shaded by their effective
/// normal force by the ordinary method (pore force on the base length),
/// hatched where it is not positive or where the simplified method finds
/// tension or stops, and both factors (the defaults of `hollin analyse`)
/// written large. With --method, that method's run instead: its factor, the
/// slices shaded by its effective normal forces, and for a method with
/// interslice forces its line of thrust with the boundaries where the
/// thrust leaves the sliding mass or the interslice force pulls marked.
/// Returns kExitUsage for
/// options that do not fit the file, kExitRefused for a refused input, an
/// inadmissible surface or a file not written, kExitSuccess otherwise.
[[nodiscard]] int run_plot(const PlotOptions& options, CommandContext& context);

}  // namespace hollin
