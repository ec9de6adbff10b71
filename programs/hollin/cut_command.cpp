#include "programs/hollin/cut_command.h"

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

}  // namespace hollin
