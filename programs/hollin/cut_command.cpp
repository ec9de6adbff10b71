#include "programs/hollin/cut_command.h"

#include <array>
#include <cstdint>
#include <span>

#include "analysis/run_state.h"
#include "programs/hollin/data_file_writer.h"
#include "programs/hollin/model_input.h"
#include "programs/hollin/text_file.h"
#include "slope/slicing.h"

namespace hollin {

int run_cut(const CutOptions& options, CommandContext& context) {
  slope::SlipSurface surface;
  std::int32_t slices = 0;
  std::string why;
  if (!parse_surface(options.surface, surface, slices, why)) {
    context.error(why);
    return kExitUsage;
  }
  slope::Model model;
  if (!load_model(options.model, model, context)) return kExitRefused;

  slope::Cutter cutter(model);
  slope::Cut cut;
  if (const slope::SurfaceProblem problem = cutter.cut(surface, slices, cut);
      problem != slope::SurfaceProblem::none) {
    context.error("the surface is inadmissible: " + std::string(slope::problem_text(problem)));
    return kExitRefused;
  }
  std::string text;
  switch (write_data_file_text({model.title, model.subtitle, cut.water_unit_weight, cut.sections},
                               text)) {
    case DataFileStatus::ok:
      break;
    case DataFileStatus::too_many_sections:
      context.error("the cut has " + std::to_string(cut.sections.size()) +
                    " sections, more than the " + std::to_string(analysis::kMaxSections) +
                    " a slope data file holds; give fewer --slices (now " + std::to_string(slices) +
                    "; every vertex, crossing and load end inside the sliding mass adds a "
                    "section too)");
      return kExitRefused;
    case DataFileStatus::not_finite:
      context.error("the cut gave a value that is not a finite number; no data file written");
      return kExitRefused;
  }
  const std::array<std::string, 1> inputs{options.model};
  if (write_file_atomically(options.output, text, inputs, why) != FileStatus::ok) {
    context.error(options.output + ": the data file was not written: " + why);
    return kExitRefused;
  }
  return kExitSuccess;
}

}  // namespace hollin
