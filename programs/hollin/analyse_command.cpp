#include "programs/hollin/analyse_command.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <vector>

#include "method/method_run.h"
#include "programs/hollin/loads_report.h"
#include "programs/hollin/method_runs.h"
#include "programs/hollin/model_cut.h"
#include "programs/hollin/option_values.h"
#include "programs/hollin/option_words.h"
#include "slope/json_shapes.h"
#include "slope/slicing.h"
#include "text/json_writer.h"
#include "text/number_text.h"

namespace hollin {
namespace {

/// The options converted.
struct Choices {
  std::optional<method::Method> method;  ///< empty: every method
  method::MethodSettings settings;       ///< all but the method
};

bool parse_choices(const AnalyseOptions& options, Choices& choices, std::string& why) {
  return parse_word("--method", kAnalyseMethodWords, options.method, choices.method, why) &&
         parse_method_options(options, choices.settings, why);
}

std::int32_t slice_count(const slope::Cut& cut) {
  return cut.sections.size() > 1 ? static_cast<std::int32_t>(cut.sections.size() - 1) : 0;
}

std::string json_document(const slope::Model& model, const slope::SlipSurface& surface,
                          const slope::Cut& cut, const std::vector<method::MethodRun>& runs,
                          const std::vector<std::vector<method::SliceForces>>& forces = {}) {
  text::JsonWriter json;
  json.begin_object();
  json.key("model");
  json.begin_object();
  json.string_member("title", model.title);
  json.end_object();
  json.key("surface");
  json.begin_object();
  slope::write_surface_members(json, surface);
  if (cut.problem != slope::SurfaceProblem::none) {
    json.string_member("problem", slope::problem_key(cut.problem));
  } else {
    json.key("entry");
    slope::write_point_json(json, cut.entry);
    json.key("exit");
    slope::write_point_json(json, cut.exit);
    json.integer_member("slices", slice_count(cut));
  }
  if (surface.kind == slope::SlipSurface::Kind::circle) {
    // A circle that follows the floor: the polyline it became.
    json.key("composite");
    if (cut.composite.empty()) {
      json.null();
    } else {
      slope::write_points_json(json, cut.composite);
    }
  }
  json.end_object();
  if (cut.problem == slope::SurfaceProblem::none) write_loads_json(json, cut);
  json.key("factors");
  json.begin_array();
  for (std::size_t i = 0; i < runs.size(); ++i) {
    write_run_json(json, runs[i], i < forces.size() ? &forces[i] : nullptr);
  }
  json.end_array();
  json.end_object();
  return json.text() + "\n";
}

}  // namespace

int run_analyse(const AnalyseOptions& options, CommandContext& context) {
  Choices choices;
  std::string why;
  if (!parse_choices(options, choices, why)) {
    context.error(why);
    return kExitUsage;
  }
  ModelCut request;
  const CutStep step =
      cut_model_surface(options.surface, options.model, request, context, &options);
  const slope::Model& model = request.model;
  const slope::SlipSurface& surface = request.surface;
  const slope::Cut& cut = request.cut;
  std::vector<method::MethodRun> runs;
  std::vector<std::vector<method::SliceForces>> forces;
  if (step == CutStep::inadmissible && options.json) {
    context.out += json_document(model, surface, cut, runs);
  }
  if (step != CutStep::admissible) return exit_status(step);

  for (const method::MethodEntry& entry : method::kMethods) {
    const bool both =
        entry.method == method::Method::simplified || entry.method == method::Method::ordinary;
    if (choices.method ? *choices.method != entry.method : !both) continue;
    method::MethodSettings settings = choices.settings;
    settings.method = entry.method;
    runs.push_back(method::run_method(cut.surface(), settings));
    if (options.detail) {
      method::SliceTable table;
      const method::MethodResult result = method::run_method(cut.surface(), settings, table);
      forces.push_back(method::slice_forces(cut.surface(), settings, table, result));
    }
  }

  bool every_factor = true;
  for (const method::MethodRun& run : runs) every_factor = every_factor && run.result.has_factor();

  if (options.json) {
    context.out += json_document(model, surface, cut, runs, forces);
  } else {
    context.out += "model: " + printable(model.title) + "\n";
    context.out += "surface: " + surface_text(surface) + ", entry " + point_text(cut.entry) +
                   ", exit " + point_text(cut.exit) + ", " + std::to_string(slice_count(cut)) +
                   " slices\n";
    append_composite_text(context.out, cut);
    append_loads_text(context.out, cut,
                      surface.kind == slope::SlipSurface::Kind::polyline || !cut.composite.empty());
    for (const method::MethodRun& run : runs) append_run_text(context.out, run);
  }
  return every_factor ? kExitSuccess : kExitRefused;
}

void declare_analyse(CLI::App& app, AnalyseOptions& options) {
  app.add_option("MODEL", options.model, "the slope model (.toml)")->required();
  declare_surface_options(app, options.surface);
  declare_method_options(app, options.method, MethodWords::one_or_both, options);
  declare_load_options(app, options);
  app.add_flag("--json", options.json, "write the result as JSON");
  app.add_flag("--detail", options.detail,
               "with --json: each slice's base forces and, for the methods with interslice "
               "forces, the forces on its sides");
}

}  // namespace hollin
