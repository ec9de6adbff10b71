#include "programs/hollin/optimise_command.h"

#include <CLI/CLI.hpp>

#include "programs/hollin/method_runs.h"
#include "programs/hollin/model_input.h"
#include "programs/hollin/option_values.h"
#include "programs/hollin/option_words.h"
#include "search/optimise.h"
#include "slope/json_shapes.h"
#include "text/json_writer.h"
#include "text/number_text.h"

namespace hollin {

void declare_optimise(CLI::App& app, OptimiseOptions& options) {
  app.add_option("MODEL", options.model, "the slope model (TOML)")->required();
  declare_surface_options(app, options.surface);
  declare_method_options(app, options.method, MethodWords::one, options);
  declare_load_options(app, options);
  app.add_option("--vertices", options.vertices,
                 "vertices of the optimised polyline, ends included, 3 to 100 (default 12)");
  app.add_option("--max-angle", options.max_angle,
                 "the largest turn between two segments, degrees (default 120)");
  app.add_flag("--json", options.json, "write one JSON object instead of text");
}

int run_optimise(const OptimiseOptions& options, CommandContext& context) {
  search::Settings settings;
  search::OptimiseSettings optimise;
  slope::SlipSurface start;
  std::string why;
  if (!parse_surface(options.surface, start, settings.slices, why) ||
      !parse_method_options(options, settings.analysis, why) ||
      !parse_word("--method", kMethodWords, options.method, settings.analysis.method, why)) {
    context.error(why);
    return kExitUsage;
  }
  settings.cut = cut_options(options.surface);
  if (!options.vertices.empty() &&
      !parse_count(options.vertices, 3, search::kMaxOptimiseVertices, optimise.vertices, why)) {
    context.error("--vertices: " + why);
    return kExitUsage;
  }
  if (!options.max_angle.empty()) {
    std::vector<double> v;
    if (!parse_real_list(options.max_angle, v, why) || v.size() != 1 || !(v[0] > 0.0) ||
        !(v[0] <= 180.0)) {
      context.error("--max-angle: '" + options.max_angle + "' is not an angle above 0 up to 180");
      return kExitUsage;
    }
    optimise.max_angle = v[0];
  }
  slope::Model model;
  if (!load_model(options.model, model, context)) return kExitRefused;
  if (!apply_load_options(options, model, why)) {
    context.error(why);
    return kExitUsage;
  }
  search::Evaluator evaluator(model, settings);
  const search::OptimiseResult result = search::optimise_surface(evaluator, model, start, optimise);
  const std::string option =
      start.kind == slope::SlipSurface::Kind::circle ? "--circle" : "--polyline";
  if (!result.started) {
    context.error(option + ": the start surface has no factor: " +
                  std::string(search::outcome_text(result.start.outcome)));
    return kExitRefused;
  }
  if (result.resampled != search::Outcome::factor) {
    context.error(option + ": the start, as a polyline of " + std::to_string(optimise.vertices) +
                  " vertices from entry to exit, cannot be optimised: " +
                  std::string(search::outcome_text(result.resampled)));
    return kExitRefused;
  }
  const bool moved = !result.points.empty() && result.best.factor < result.start.factor;
  if (options.json) {
    text::JsonWriter json;
    json.begin_object();
    json.key("model");
    json.begin_object();
    json.string_member("title", model.title);
    json.end_object();
    json.string_member("method", method_label(settings.analysis));
    json.number_member("start_factor", result.start.factor);
    json.number_member("factor_of_safety", result.best.factor);
    json.key("points");
    if (moved) {
      slope::write_points_json(json, result.points);
    } else {
      json.null();
    }
    json.integer_member("evaluations", result.evaluations);
    json.key("path");
    json.begin_array();
    for (const double f : result.path) json.number(f);
    json.end_array();
    json.key("outcomes");
    json.begin_object();
    for (std::size_t k = 0; k < search::kOutcomeCount; ++k) {
      json.integer_member(search::outcome_key(static_cast<search::Outcome>(k)),
                          static_cast<std::int64_t>(result.counts[k]));
    }
    json.end_object();
    json.end_object();
    context.out += json.text() + "\n";
    return kExitSuccess;
  }
  std::string& out = context.out;
  out += "model: " + printable(model.title) + "\n";
  out += "method: " + method_label(settings.analysis) + "\n";
  out += "start: " + surface_text(start) + ", factor of safety " +
         text::shortest(result.start.factor) + "\n";
  if (moved) {
    out += "optimised: factor of safety " + text::shortest(result.best.factor) + " (" +
           text::short_text(
               100.0 * (result.start.factor - result.best.factor) / result.start.factor, 3) +
           " % lower), " + std::to_string(result.points.size()) + " vertices\n  --polyline ";
    for (std::size_t k = 0; k < result.points.size(); ++k) {
      if (k > 0) out += ",";
      out += text::shortest(result.points[k].x) + "," + text::shortest(result.points[k].y);
    }
    if (start.kind == slope::SlipSurface::Kind::polyline && start.axis_given) {
      out += " --axis " + text::shortest(start.axis.x) + "," + text::shortest(start.axis.y);
    }
    out += "\n";
  } else {
    out += "optimised: no surface lower than the start was found\n";
  }
  out += "evaluations: " + std::to_string(result.evaluations) + "\n";
  return kExitSuccess;
}

}  // namespace hollin
