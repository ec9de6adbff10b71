#include "programs/hollin/model_cut.h"

#include <array>
#include <string_view>
#include <vector>

#include "analysis/data_file_limits.h"
#include "analysis/data_file_writer.h"
#include "programs/hollin/model_input.h"
#include "programs/hollin/text_file.h"

namespace hollin {

CutStep cut_model_surface(const SurfaceOptions& options, const std::string& model_path,
                          ModelCut& out, CommandContext& context, const LoadOptions* loads) {
  std::string why;
  if (!parse_surface(options, out.surface, out.slices, why)) {
    context.error(why);
    return CutStep::usage_error;
  }
  if (!load_model(model_path, out.model, context)) return CutStep::model_refused;
  if (loads != nullptr && !apply_load_options(*loads, out.model, why)) {
    context.error(why);
    return CutStep::usage_error;
  }
  slope::Cutter cutter(out.model, cut_options(options));
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

bool write_cut_file(const std::string& path, const slope::Model& model, const slope::Cut& cut,
                    const std::string& model_path, std::string_view what, std::int32_t slices,
                    CommandContext& context) {
  if (const std::vector<std::string_view> forces = slope::unwritable_forces(cut); !forces.empty()) {
    std::string names;
    for (const std::string_view name : forces) {
      if (!names.empty()) names += ", ";
      names += name;
    }
    context.error(path + ": not written: " + std::string(what) + " carries " + names +
                  ", which a slope data file has no place for; hollin analyse gives its factors");
    return false;
  }
  std::string text;
  switch (analysis::write_data_file_text(
      {model.title, model.subtitle, cut.water_unit_weight, cut.sections}, text)) {
    case analysis::DataFileStatus::ok:
      break;
    case analysis::DataFileStatus::too_many_sections:
      context.error(path + ": not written: " + std::string(what) + " has " +
                    std::to_string(cut.sections.size()) + " sections, more than the " +
                    std::to_string(analysis::kMaxDataFileSections) +
                    " a slope data file holds; give fewer --slices (now " + std::to_string(slices) +
                    "; every vertex, crossing and load end inside the sliding mass adds a "
                    "section too)");
      return false;
    case analysis::DataFileStatus::not_finite:
      context.error(path + ": not written: " + std::string(what) +
                    " gave a value that is not a finite number");
      return false;
  }
  const std::array<std::string, 1> inputs{model_path};
  std::string why;
  if (write_file_atomically(path, text, inputs, why) != FileStatus::ok) {
    context.error(path + ": the data file was not written: " + why);
    return false;
  }
  return true;
}

}  // namespace hollin
