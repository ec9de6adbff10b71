#include "programs/hollin/cut_command.h"

#include <CLI/CLI.hpp>

#include "programs/hollin/model_cut.h"

namespace hollin {

int run_cut(const CutOptions& options, CommandContext& context) {
  ModelCut request;
  if (const CutStep step = cut_model_surface(options.surface, options.model, request, context);
      step != CutStep::admissible) {
    return exit_status(step);
  }
  if (!write_cut_file(options.output, request.model, request.cut, options.model, "the cut",
                      request.slices, context)) {
    return kExitRefused;
  }
  return kExitSuccess;
}

void declare_cut(CLI::App& app, CutOptions& options) {
  app.add_option("MODEL", options.model, "the slope model (.toml)")->required();
  declare_surface_options(app, options.surface);
  app.add_option("-o,--output", options.output, "the slope data file to write")->required();
}

}  // namespace hollin
