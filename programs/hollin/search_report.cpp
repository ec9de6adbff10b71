#include "programs/hollin/search_report.h"

#include <cmath>
#include <cstddef>

#include "programs/hollin/command_context.h"
#include "programs/hollin/loads_report.h"
#include "programs/hollin/method_runs.h"
#include "programs/hollin/option_words.h"
#include "programs/hollin/polyline_search_command.h"
#include "programs/hollin/surface_option.h"
#include "slope/json_shapes.h"
#include "text/json_writer.h"
#include "text/number_text.h"

namespace hollin {
namespace {

using search::GridKind;

std::string_view kind_key(GridKind kind) {
  switch (kind) {
    case GridKind::centres_radii:
      return "centres_radii";
    case GridKind::centres_tangents:
      return "centres_tangents";
    case GridKind::entry_exit:
      break;
  }
  return "entry_exit";
}

std::string_view axis_phrase(GridKind kind, std::size_t axis) {
  if (kind == GridKind::entry_exit) {
    return axis == 0 ? "entry x" : axis == 1 ? "exit x" : "radius";
  }
  if (axis == 2) return kind == GridKind::centres_radii ? "radius" : "tangent level";
  return axis == 0 ? "centre x" : "centre y";
}

std::string_view face_phrase(search::Face face) {
  return face == search::Face::left ? "left face (the ground falls towards -x)"
                                    : "right face (the ground falls towards +x)";
}

std::string circle_line(const search::Ranked& r) {
  const search::Trial& t = r.trial;
  return "circle (" + text::shortest(t.circle.xc) + ", " + text::shortest(t.circle.yc) +
         ") radius " + text::shortest(t.circle.radius) + ", entry " + point_text(t.entry) +
         ", exit " + point_text(t.exit) + ", " + std::to_string(t.slices) + " slices";
}

std::string passes_text(const search::Settings& settings, const search::Trial& t) {
  if (settings.analysis.method == method::Method::ordinary) return "";
  return " (converged in " + std::to_string(t.passes) + " passes)";
}

/// LEAD and "lambda L" for a ranking method with a lambda; nothing else.
std::string lambda_text(const CircleDetail& detail, std::string_view lead) {
  return std::isfinite(detail.lambda)
             ? std::string(lead) + "lambda " + text::shortest(detail.lambda)
             : std::string();
}

/// The runs of --also, a line each (the general method with its table),
/// every line after `indent`.
void append_also(std::string& out, const CircleDetail& detail, std::string_view indent) {
  for (const method::MethodRun& run : detail.also) {
    std::string lines;
    append_run_text(lines, run);
    for (std::size_t begin = 0; begin < lines.size();) {
      const std::size_t feed = lines.find('\n', begin);
      const std::size_t end = feed == std::string::npos ? lines.size() : feed + 1;
      out += indent;
      out.append(lines, begin, end - begin);
      begin = end;
    }
  }
}

void circle_json(text::JsonWriter& json, const search::TrialGrid& grid, const search::Ranked& r,
                 const CircleDetail& detail) {
  const search::Trial& t = r.trial;
  json.begin_object();
  json.key("circle");
  slope::write_circle_json(json, t.circle);
  json.key("entry");
  slope::write_point_json(json, t.entry);
  json.key("exit");
  slope::write_point_json(json, t.exit);
  json.integer_member("slices", t.slices);
  json.number_member("factor_of_safety", t.factor);
  json.integer_member("passes", t.passes);
  json.integer_member("grid_trial", static_cast<std::int64_t>(r.index));
  json.boolean_member("on_limit", on_limit(grid, r.params));
  write_slices_json(json, "tension_slices", detail.tension_slices);
  json.key("tension_crack");
  write_crack_json(json, detail.crack, detail.crack_x);
  json.number_or_null(
      "lambda", std::isfinite(detail.lambda) ? std::optional<double>(detail.lambda) : std::nullopt);
  if (!detail.also.empty()) {
    json.key("also");
    json.begin_array();
    for (const method::MethodRun& run : detail.also) write_run_json(json, run);
    json.end_array();
  }
  json.end_object();
}

/// The grid trials that stopped at a slice in tension.
std::uint64_t stopped_in_tension(const SearchSummary& s) {
  return s.found.counts[static_cast<std::size_t>(search::Outcome::no_positive_normal)];
}

}  // namespace

std::string_view axis_name(GridKind kind, std::size_t axis) {
  if (kind == GridKind::entry_exit) {
    return axis == 0 ? "entry_x" : axis == 1 ? "exit_x" : "radius";
  }
  if (axis == 2) return kind == GridKind::centres_radii ? "radius" : "tangent_level";
  return axis == 0 ? "centre_x" : "centre_y";
}

bool on_limit(const search::TrialGrid& grid, const search::Params& params) {
  for (std::size_t k = 0; k < 3; ++k) {
    const search::Axis& axis = grid.axes[k];
    if (axis.count > 1 && (params[k] == axis.from || params[k] == axis.to)) return true;
  }
  return false;
}

std::string search_text(const SearchSummary& s) {
  const search::Settings& settings = s.settings;
  const search::TrialGrid& grid = s.limits.grid;
  std::string out = "model: " + printable(s.model.title) + "\n";
  out += "method: ";
  if (settings.analysis.method == method::Method::ordinary) {
    out += "ordinary (pore force on the ";
    out += settings.analysis.pore_force == method::PoreForce::base_width ? "base width)"
                                                                         : "base length)";
  } else {
    out += std::string(method::method_name(settings.analysis.method)) + " (";
    if (settings.analysis.method == method::Method::morgenstern_price ||
        settings.analysis.method == method::Method::gle) {
      out += "f(x) " + interslice_text(settings.analysis.interslice) + ", ";
    }
    if (settings.analysis.method == method::Method::janbu) {
      out += settings.analysis.janbu_correction ? "corrected by f0, " : "uncorrected, ";
    }
    out += "tension " + std::string(word_of(kTensionWords, settings.analysis.tension)) +
           ", tolerance " + text::shortest(settings.analysis.tolerance) + ", iteration limit " +
           std::to_string(settings.analysis.iteration_limit) + ")";
  }
  out += ", " + std::to_string(settings.slices) + " slices";
  if (settings.min_depth > 0.0) out += ", least depth " + text::shortest(settings.min_depth);
  if (settings.min_weight > 0.0) out += ", least weight " + text::shortest(settings.min_weight);
  if (s.model.seismic.any()) {
    out += "\nearthquake: kh " + text::shortest(s.model.seismic.kh) + ", kv " +
           text::shortest(s.model.seismic.kv);
  }
  out += "\nlimits:";
  if (s.limits.face) {
    const search::SlopeFace& f = *s.limits.face;
    out += " defaults from the " + std::string(face_phrase(f.face)) + ": crest " +
           point_text(f.crest) + ", toe " + point_text(f.toe) + ", height " +
           text::shortest(f.height);
    if (s.limits.bedrock) out += "; lowest tangent level on the bedrock";
  }
  out += '\n';
  for (std::size_t k = 0; k < 3; ++k) {
    const search::Axis& axis = grid.axes[k];
    out += "  " + std::string(axis_phrase(grid.kind, k)) + ": ";
    if (axis.count == 1) {
      out += text::shortest(axis.at(0)) + ", 1 value";
    } else {
      out += text::shortest(axis.from) + " to " + text::shortest(axis.to) + ", " +
             std::to_string(axis.count) + " values";
    }
    if (const std::int32_t n = s.limits.extended[k]; n > 0) {
      out += " (default, extended " + std::to_string(n) + (n == 1 ? " time" : " times") +
             " beyond the critical circle that lay on it)\n";
    } else {
      out += s.limits.by_default[k] ? " (default)\n" : " (given)\n";
    }
  }
  out += "trials: " + std::to_string(s.found.grid_trials) + " on the grid, " +
         std::to_string(s.found.refinement_trials) + " in refinement\n";
  if (s.found.top.empty()) {
    out += "critical circle: none: no trial circle has a factor of safety\n";
  } else {
    const search::Ranked& best = s.found.top.front();
    const CircleDetail& detail = s.details[0];
    out += "critical circle: factor of safety " + text::shortest(best.trial.factor) +
           passes_text(settings, best.trial) + lambda_text(detail, "; ") + "\n  " +
           circle_line(best) + "\n";
    if (!detail.also.empty()) {
      out += "  --also on this surface:\n";
      append_also(out, detail, "    ");
    }
    if (on_limit(grid, best.params)) {
      out += "  it lies on the limits: a circle beyond them may have a lower factor\n";
    }
    if (detail.crack.present) {
      out += "  it ends at the tension crack: " + crack_text(detail.crack, detail.crack_x) + "\n";
    }
    if (!detail.tension_slices.empty()) {
      append_slices(out, "  its slice", detail.tension_slices,
                    detail.tension_slices.size() > 1 ? " carry" : " carries");
      out +=
          " tension (effective normal force negative), whose friction the factor counts as "
          "negative";
      out += s.model.tension_crack.present
                 ? "\n"
                 : "; a [tension_crack] in the model ends surfaces where the soil would stand in "
                   "tension (see hollin-model(5))\n";
    }
  }
  if (const std::uint64_t stopped = stopped_in_tension(s); stopped > 0) {
    out += "--tension stop: " + std::to_string(stopped) +
           " grid trials stopped at a slice without positive effective normal force and are "
           "not ranked; the least factor ignores them (--tension allow ranks them)\n";
  }
  if (s.found.top.size() > 1) {
    out += "top " + std::to_string(s.found.top.size()) + " distinct circles:\n";
    for (std::size_t i = 0; i < s.found.top.size(); ++i) {
      const search::Ranked& r = s.found.top[i];
      out += "  " + std::to_string(i + 1) + ". factor of safety " + text::shortest(r.trial.factor) +
             lambda_text(s.details[i], ", ") + ", " + circle_line(r) + "\n";
      // The critical circle's runs stand under it above.
      if (i > 0) append_also(out, s.details[i], "     ");
    }
  }
  if (!s.found.top.empty() && s.found.top.size() < static_cast<std::size_t>(s.top_asked)) {
    out += "top: " + std::to_string(s.top_asked) + " distinct circles asked, " +
           std::to_string(s.found.top.size()) +
           " found (the other starts refined to circles within a grid step of these)\n";
  }
  if (s.optimised != nullptr) append_optimised_text(out, *s.optimised);
  out += "grid trials by outcome:\n";
  for (std::size_t k = 0; k < search::kOutcomeCount; ++k) {
    if (s.found.counts[k] == 0) continue;
    out += "  " + std::to_string(s.found.counts[k]) + " " +
           std::string(search::outcome_text(static_cast<search::Outcome>(k))) + "\n";
  }
  out += "time: " + text::fixed_decimals(s.seconds, 3) + " s on " + std::to_string(s.threads) +
         (s.threads == 1 ? " thread\n" : " threads\n");
  return out;
}

std::string search_json(const SearchSummary& s) {
  const search::Settings& settings = s.settings;
  const search::TrialGrid& grid = s.limits.grid;
  text::JsonWriter json;
  json.begin_object();
  json.key("model");
  json.begin_object();
  json.string_member("title", s.model.title);
  json.end_object();
  json.string_member("method", method::method_name(settings.analysis.method));
  json.key("earthquake");
  json.begin_object();
  json.number_member("kh", s.model.seismic.kh);
  json.number_member("kv", s.model.seismic.kv);
  json.end_object();
  json.key("settings");
  json.begin_object();
  json.integer_member("slices", settings.slices);
  json.string_member("tension", word_of(kTensionWords, settings.analysis.tension));
  json.number_member("tolerance", settings.analysis.tolerance);
  json.integer_member("iteration_limit", settings.analysis.iteration_limit);
  json.string_member("pore_force", word_of(kPoreForceWords, settings.analysis.pore_force));
  write_interslice_json(json, settings.analysis.interslice);
  json.boolean_member("janbu_correction", settings.analysis.janbu_correction);
  json.number_member("min_depth", settings.min_depth);
  json.number_member("min_weight", settings.min_weight);
  json.end_object();

  json.key("limits");
  json.begin_object();
  json.string_member("kind", kind_key(grid.kind));
  json.key("face");
  if (s.limits.face) {
    const search::SlopeFace& f = *s.limits.face;
    json.begin_object();
    json.string_member("side", word_of(kFaceWords, f.face));
    json.key("crest");
    slope::write_point_json(json, f.crest);
    json.key("toe");
    slope::write_point_json(json, f.toe);
    json.number_member("height", f.height);
    json.boolean_member("bedrock", s.limits.bedrock);
    json.end_object();
  } else {
    json.null();
  }
  json.key("axes");
  json.begin_array();
  for (std::size_t k = 0; k < 3; ++k) {
    const search::Axis& axis = grid.axes[k];
    json.begin_object();
    json.string_member("name", axis_name(grid.kind, k));
    json.number_member("from", axis.from);
    json.number_member("to", axis.to);
    json.integer_member("count", axis.count);
    json.boolean_member("default", s.limits.by_default[k]);
    json.integer_member("extended", s.limits.extended[k]);
    json.end_object();
  }
  json.end_array();
  json.end_object();

  json.key("trials");
  json.begin_object();
  json.integer_member("grid", static_cast<std::int64_t>(s.found.grid_trials));
  json.integer_member("refinement", static_cast<std::int64_t>(s.found.refinement_trials));
  json.end_object();
  json.key("outcomes");
  json.begin_object();
  for (std::size_t k = 0; k < search::kOutcomeCount; ++k) {
    json.integer_member(search::outcome_key(static_cast<search::Outcome>(k)),
                        static_cast<std::int64_t>(s.found.counts[k]));
  }
  json.end_object();
  json.key("critical");
  if (s.found.top.empty()) {
    json.null();
  } else {
    circle_json(json, grid, s.found.top.front(), s.details[0]);
  }
  json.key("top");
  json.begin_array();
  for (std::size_t i = 0; i < s.found.top.size(); ++i) {
    circle_json(json, grid, s.found.top[i], s.details[i]);
  }
  json.end_array();
  json.integer_member("stopped_in_tension", static_cast<std::int64_t>(stopped_in_tension(s)));
  write_optimised_json(json, s.optimised);
  json.number_member("seconds", s.seconds);
  json.end_object();
  return json.text() + "\n";
}

}  // namespace hollin
