#include <memory>

#include "analysis/slope_data.h"
#include "method/simplified_method.h"
#include "method/slices.h"
#include "programs/hollin/check_parts.h"
#include "programs/hollin/data_file_input.h"
#include "programs/hollin/data_file_lint.h"
#include "programs/hollin/method_runs.h"
#include "programs/hollin/number_text.h"

namespace hollin {

int check_data_file(const std::string& path, CommandContext& context) {
  std::string text;
  auto data = std::make_unique<analysis::SlopeData>();
  const bool readable = read_data_file(path, text, *data, context);
  // The warnings, from the very bytes the record layer read, also explain
  // many a refusal (a short line shifts the rest).
  for (const LintWarning& warning : lint_data_file(text)) {
    context.out += path + ":" + std::to_string(warning.line) + ": warning: " + warning.what + "\n";
  }
  if (!readable) return kExitRefused;

  const method::SurfaceData surface = data->surface();
  const std::size_t sections = surface.sections.size();
  context.out += path + ": readable: " + std::to_string(sections) + " sections, " +
                 std::to_string(sections > 1 ? sections - 1 : 0) + " slices, water unit weight " +
                 shortest(data->water_unit_weight) + "\n";
  append_run_text(context.out,
                  run_simplified(surface, method::kDefaultTolerance, method::kDefaultIterationLimit,
                                 method::TensionRule::stop));
  append_run_text(context.out, run_ordinary(surface, method::PoreForce::base_width));
  append_run_text(context.out, run_ordinary(surface, method::PoreForce::base_length));
  return kExitSuccess;
}

}  // namespace hollin
