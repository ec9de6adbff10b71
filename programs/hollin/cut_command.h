// `hollin cut MODEL --circle|--polyline ... [--slices N] -o FILE`: cuts a trial
// slip surface through a slope model and stores it as a slope data file that
// quarnby, wendmoor and wendmoor-cli read.
#pragma once

#include <string>

#include "programs/hollin/command_context.h"
#include "programs/hollin/surface_option.h"

namespace CLI {
class App;
}

namespace hollin {

/// The command line of `hollin cut`.
struct CutOptions {
  std::string model;       ///< the model file
  SurfaceOptions surface;  ///< the trial surface and the slice count
  std::string output;      ///< the data file to write
};

/// Declares the arguments and options of `hollin cut` into `options`.
void declare_cut(CLI::App& app, CutOptions& options);

/// Cuts the surface and writes the data file (see write_data_file_text),
/// whole or not at all and never over the model file. Returns kExitUsage
/// for bad surface options, kExitRefused for a refused model, an
/// inadmissible surface, more than 150 sections or a failed write, and
/// kExitSuccess when the file was written.
[[nodiscard]] int run_cut(const CutOptions& options, CommandContext& context);

}  // namespace hollin
