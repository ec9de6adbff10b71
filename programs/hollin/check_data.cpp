#include <memory>

#include "analysis/data_file_lint.h"
#include "analysis/slope_data.h"
#include "method/method_run.h"
#include "programs/hollin/check_parts.h"
#include "programs/hollin/data_file_input.h"
#include "programs/hollin/method_runs.h"
#include "text/number_text.h"

namespace hollin {

int check_data_file(const std::string& path, CommandContext& context) {
  std::string text;
  auto data = std::make_unique<analysis::SlopeData>();
  const bool readable = read_data_file(path, text, *data, context);
  // The warnings, from the very bytes the record layer read, also explain
  // many a refusal (a short line shifts the rest).
  for (const analysis::LintWarning& warning : analysis::lint_data_file(text)) {
    context.out += path + ":" + std::to_string(warning.line) + ": warning: " + warning.what + "\n";
  }
  if (!readable) return kExitRefused;

  const method::SurfaceData surface = data->surface();
  const std::size_t sections = surface.sections.size();
  context.out += path + ": readable: " + std::to_string(sections) + " sections, " +
                 std::to_string(sections > 1 ? sections - 1 : 0) + " slices, water unit weight " +
                 text::shortest(data->water_unit_weight) + "\n";
  // The simplified method as quarnby runs it, the ordinary method both ways.
  append_run_text(context.out, method::run_method(surface, {}));
  for (const method::PoreForce pore_force :
       {method::PoreForce::base_width, method::PoreForce::base_length}) {
    method::MethodSettings ordinary;
    ordinary.method = method::Method::ordinary;
    ordinary.pore_force = pore_force;
    append_run_text(context.out, method::run_method(surface, ordinary));
  }
  return kExitSuccess;
}

}  // namespace hollin
