#include "programs/hollin/cut_command.h"

#include <array>
#include <cstdint>
#include <span>

#include "analysis/run_state.h"
#include "programs/hollin/data_file_writer.h"
#include "programs/hollin/model_cut.h"
#include "programs/hollin/text_file.h"
#include "slope/slicing.h"

namespace hollin {

int run_cut(const CutOptions& options, CommandContext& context) {
  ModelCut request;
  if (const CutStep step = cut_model_surface(options.surface, options.model, request, context);
      step != CutStep::admissible) {
    return exit_status(step);
  }
  const slope::Model& model = request.model;
  const slope::Cut& cut = request.cut;
  std::string text;
  switch (write_data_file_text({model.title, model.subtitle, cut.water_unit_weight, cut.sections},
                               text)) {
    case DataFileStatus::ok:
      break;
    case DataFileStatus::too_many_sections:
      context.error("the cut has " + std::to_string(cut.sections.size()) +
                    " sections, more than the " + std::to_string(analysis::kMaxSections) +
                    " a slope data file holds; give fewer --slices (now " +
                    std::to_string(request.slices) +
                    "; every vertex, crossing and load end inside the sliding mass adds a "
                    "section too)");
      return kExitRefused;
    case DataFileStatus::not_finite:
      context.error("the cut gave a value that is not a finite number; no data file written");
      return kExitRefused;
  }
  const std::array<std::string, 1> inputs{options.model};
  std::string why;
  if (write_file_atomically(options.output, text, inputs, why) != FileStatus::ok) {
    context.error(options.output + ": the data file was not written: " + why);
    return kExitRefused;
  }
  return kExitSuccess;
}

}  // namespace hollin
