#include "programs/hollin/polyline_search_command.h"

#include <oneapi/tbb/task_arena.h>

#include "picture/polyline_search_drawing.h"
#include "programs/hollin/method_runs.h"
#include "programs/hollin/option_values.h"
#include "programs/hollin/surface_option.h"
#include "programs/hollin/text_file.h"
#include "search/optimise.h"
#include "search/polyline_search.h"
#include "slope/json_shapes.h"
#include "text/json_writer.h"
#include "text/number_text.h"

namespace hollin {
namespace {

bool parse_range(std::string_view option, const std::string& text, double& a, double& b,
                 std::string& why) {
  std::vector<double> values;
  if (!parse_real_list(text, values, why) || values.size() != 2 || !(values[0] <= values[1])) {
    why = std::string(option) + ": '" + text + "' is not a range X1,X2 with X1 <= X2";
    return false;
  }
  a = values[0];
  b = values[1];
  return true;
}

bool parse_limits(const PolylineSearchOptions& options, const PolylineSearchRun& run,
                  search::PolylineLimits& limits, std::string& why) {
  const slope::Model& model = *run.model;
  if (options.surface == "path") {
    const std::optional<search::PolylineLimits> defaults =
        search::default_path_limits(model, run.face);
    if (defaults) limits = *defaults;
    if ((!defaults && (options.head.empty() || options.toe.empty()))) {
      why =
          "--surface path: the ground has no slope face to take the ends' ranges from; give "
          "--head-range and --toe-range";
      return false;
    }
    if (!options.head.empty() &&
        !parse_range("--head-range", options.head, limits.head_from, limits.head_to, why)) {
      return false;
    }
    if (!options.toe.empty() &&
        !parse_range("--toe-range", options.toe, limits.toe_from, limits.toe_to, why)) {
      return false;
    }
    if (!options.vertices.empty() &&
        !parse_count(options.vertices, 0, search::kMaxPathVertices, limits.vertices, why)) {
      why = "--vertices: " + why;
      return false;
    }
  } else {
    limits.kind = search::SurfaceKind::block;
    if (options.boxes.empty()) {
      why = "--surface block needs at least one --box X1,X2,Y1,Y2";
      return false;
    }
    if (options.boxes.size() > search::kMaxBoxes) {
      why = "--box: at most " + std::to_string(search::kMaxBoxes) + " boxes";
      return false;
    }
    if (!options.active_angle.empty() && !parse_range("--active-angle", options.active_angle,
                                                      limits.active_from, limits.active_to, why)) {
      return false;
    }
    if (!options.passive_angle.empty() &&
        !parse_range("--passive-angle", options.passive_angle, limits.passive_from,
                     limits.passive_to, why)) {
      return false;
    }
    for (const std::string& text : options.boxes) {
      std::vector<double> v;
      if (!parse_real_list(text, v, why) || v.size() != 4) {
        why = "--box: '" + text + "' is not X1,X2,Y1,Y2";
        return false;
      }
      limits.boxes.push_back({v[0], v[1], v[2], v[3]});
    }
  }
  if (!options.count.empty()) {
    std::int32_t count = 0;
    if (!parse_count(options.count, 1, 100'000'000, count, why)) {
      why = "--count: " + why;
      return false;
    }
    limits.trials = static_cast<std::uint64_t>(count);
  }
  if (!options.max_angle.empty()) {
    std::vector<double> v;
    if (!parse_real_list(options.max_angle, v, why) || v.size() != 1) {
      why = "--max-angle: '" + options.max_angle + "' is not a number";
      return false;
    }
    limits.max_angle = v[0];
  }
  if (const std::string fault = search::limits_fault(model, limits); !fault.empty()) {
    why = "--surface " + options.surface + ": " + fault;
    return false;
  }
  return true;
}

std::string limits_text(const search::PolylineLimits& l) {
  std::string out;
  if (l.kind == search::SurfaceKind::path) {
    out = "path with " + std::to_string(l.vertices) + " interior vertices, head x " +
          text::shortest(l.head_from) + " to " + text::shortest(l.head_to) + ", toe x " +
          text::shortest(l.toe_from) + " to " + text::shortest(l.toe_to);
  } else {
    out = "block through";
    for (const search::Box& b : l.boxes) {
      out += " [x " + text::shortest(b.x0) + " to " + text::shortest(b.x1) + ", y " +
             text::shortest(b.y0) + " to " + text::shortest(b.y1) + "]";
    }
    out += std::isnan(l.active_from) ? ", active wedge at 45 + phi/2"
                                     : ", active wedge at " + text::shortest(l.active_from) +
                                           " to " + text::shortest(l.active_to) + " degrees";
    out += std::isnan(l.passive_from) ? ", passive wedge at 45 - phi/2"
                                      : ", passive wedge at " + text::shortest(l.passive_from) +
                                            " to " + text::shortest(l.passive_to) + " degrees";
  }
  return out + "; at most " + text::shortest(l.max_angle) + " degrees of turn at a vertex, " +
         std::to_string(l.trials) + " trials";
}

std::string points_text(const slope::Polyline& points) {
  std::string out;
  for (const slope::Point& p : points) {
    if (!out.empty()) out += ",";
    out += text::shortest(p.x) + "," + text::shortest(p.y);
  }
  return out;
}

}  // namespace

bool parse_optimise(const PolylineSearchOptions& options, bool& on, std::int32_t& vertices,
                    std::string& why) {
  on = options.optimise.empty() ? options.surface != "circle" : options.optimise == "on";
  vertices = 12;
  if (!options.vertices_optimised.empty() &&
      !parse_count(options.vertices_optimised, 3, search::kMaxOptimiseVertices, vertices, why)) {
    why = "--optimise-vertices: " + why;
    return false;
  }
  return true;
}

void append_optimised_text(std::string& out, const search::OptimiseResult& r) {
  if (!r.started) return;
  if (!(r.best.factor < r.start.factor) || r.points.empty()) {
    out += "optimised: no surface lower than the critical one was found (" +
           std::to_string(r.evaluations) + " evaluations)\n";
    return;
  }
  out += "optimised: factor of safety " + text::shortest(r.best.factor) + " (" +
         text::short_text(100.0 * (r.start.factor - r.best.factor) / r.start.factor, 3) +
         " % lower, " + std::to_string(r.evaluations) + " evaluations)\n  --polyline " +
         points_text(r.points) + "\n";
}

void write_optimised_json(text::JsonWriter& json, const search::OptimiseResult* r) {
  json.key("optimised");
  if (r == nullptr || !r->started) {
    json.null();
    return;
  }
  const bool moved = r->best.factor < r->start.factor && !r->points.empty();
  json.begin_object();
  json.number_member("start_factor", r->start.factor);
  json.number_member("factor_of_safety", moved ? r->best.factor : r->start.factor);
  json.key("points");
  if (moved) {
    slope::write_points_json(json, r->points);
  } else {
    json.null();
  }
  json.integer_member("evaluations", r->evaluations);
  json.end_object();
}

int run_polyline_search(const PolylineSearchOptions& options, const PolylineSearchRun& run,
                        CommandContext& context) {
  search::PolylineLimits limits;
  std::string why;
  if (!parse_limits(options, run, limits, why)) {
    context.error(why);
    return kExitUsage;
  }
  search::PolylineResult found;
  tbb::task_arena arena(run.threads);
  arena.execute([&] {
    search::EvaluatorPool pool(*run.model, run.settings);
    found = search::find_critical_polyline(pool, limits, run.top);
  });
  bool optimise = true;
  search::OptimiseSettings optimising;
  if (!parse_optimise(options, optimise, optimising.vertices, why)) {
    context.error(why);
    return kExitUsage;
  }
  optimising.max_angle = limits.max_angle;
  std::optional<search::OptimiseResult> optimised;
  if (optimise && !found.top.empty()) {
    search::Evaluator evaluator(*run.model, run.settings);
    slope::SlipSurface best;
    best.kind = slope::SlipSurface::Kind::polyline;
    best.polyline = found.top.front().points;
    optimised = search::optimise_surface(evaluator, *run.model, best, optimising);
  }
  bool written = true;
  if (!options.svg.empty()) {
    const std::string svg = picture::polyline_search_picture(*run.model, limits, found,
                                                             optimised ? &*optimised : nullptr,
                                                             method_label(run.settings.analysis));
    const std::array<std::string, 1> inputs{run.model_path};
    if (write_file_atomically(options.svg, svg, inputs, why) != FileStatus::ok) {
      context.error(options.svg + ": the picture was not written: " + why);
      written = false;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - run.started).count();
  if (run.json) {
    text::JsonWriter json;
    json.begin_object();
    json.key("model");
    json.begin_object();
    json.string_member("title", run.model->title);
    json.end_object();
    json.string_member("method", method_label(run.settings.analysis));
    json.string_member("surfaces", options.surface);
    json.integer_member("trials", static_cast<std::int64_t>(limits.trials));
    json.key("top");
    json.begin_array();
    for (const search::PolylineRanked& r : found.top) {
      json.begin_object();
      json.number_member("factor_of_safety", r.trial.factor);
      json.integer_member("trial", static_cast<std::int64_t>(r.index));
      json.key("points");
      slope::write_points_json(json, r.points);
      json.key("entry");
      slope::write_point_json(json, r.trial.entry);
      json.key("exit");
      slope::write_point_json(json, r.trial.exit);
      json.end_object();
    }
    json.end_array();
    json.key("outcomes");
    json.begin_object();
    for (std::size_t k = 0; k < search::kOutcomeCount; ++k) {
      json.integer_member(search::outcome_key(static_cast<search::Outcome>(k)),
                          static_cast<std::int64_t>(found.counts[k]));
    }
    json.end_object();
    write_optimised_json(json, optimised ? &*optimised : nullptr);
    json.number_member("seconds", seconds);
    json.end_object();
    context.out += json.text() + "\n";
  } else {
    std::string& out = context.out;
    out += "model: " + printable(run.model->title) + "\n";
    out += "method: " + method_label(run.settings.analysis) + ", " +
           std::to_string(run.settings.slices) + " slices\n";
    out += "surfaces: " + limits_text(limits) + "\n";
    if (found.top.empty()) {
      out += "no trial surface has a factor of safety\n";
    }
    for (std::size_t k = 0; k < found.top.size(); ++k) {
      const search::PolylineRanked& r = found.top[k];
      out += (k == 0 ? "critical surface: factor of safety "
                     : std::to_string(k + 1) + ". factor of safety ") +
             text::shortest(r.trial.factor) + ", trial " + std::to_string(r.index) + "\n";
      out += "  --polyline " + points_text(r.points) + "\n";
    }
    if (optimised) append_optimised_text(out, *optimised);
    out += "trials by outcome:\n";
    for (std::size_t k = 0; k < search::kOutcomeCount; ++k) {
      if (found.counts[k] == 0) continue;
      out += "  " + std::to_string(found.counts[k]) + " " +
             std::string(search::outcome_text(static_cast<search::Outcome>(k))) + "\n";
    }
    out += "time: " + text::fixed_decimals(seconds, 3) + " s on " + std::to_string(run.threads) +
           " threads\n";
  }
  return found.top.empty() || !written ? kExitRefused : kExitSuccess;
}

}  // namespace hollin
