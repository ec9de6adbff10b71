#include "programs/hollin/model_cut.h"

#include "programs/hollin/model_input.h"

namespace hollin {

CutStep cut_model_surface(const SurfaceOptions& options, const std::string& model_path,
                          ModelCut& out, CommandContext& context) {
  std::string why;
  if (!parse_surface(options, out.surface, out.slices, why)) {
    context.error(why);
    return CutStep::usage_error;
  }
  if (!load_model(model_path, out.model, context)) return CutStep::model_refused;
  slope::Cutter cutter(out.model);
  if (cutter.cut(out.surface, out.slices, out.cut) != slope::SurfaceProblem::none) {
    context.error("the surface is inadmissible: " +
                  std::string(slope::problem_text(out.cut.problem)));
    return CutStep::inadmissible;
  }
  return CutStep::admissible;
}

int exit_status(CutStep step) {
  switch (step) {
    case CutStep::admissible:
      return kExitSuccess;
    case CutStep::usage_error:
      return kExitUsage;
    case CutStep::model_refused:
    case CutStep::inadmissible:
      break;
  }
  return kExitRefused;
}

}  // namespace hollin
