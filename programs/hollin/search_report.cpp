#include "programs/hollin/search_report.h"

#include <cstddef>

#include "programs/hollin/command_context.h"
#include "programs/hollin/option_words.h"
#include "text/json_writer.h"
#include "text/number_text.h"

namespace hollin {
namespace {

using search::GridKind;

std::string point_text(const slope::Point& p) {
  return "(" + text::shortest(p.x) + ", " + text::shortest(p.y) + ")";
}

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

void point_json(text::JsonWriter& json, const slope::Point& p) {
  json.begin_object();
  json.key("x");
  json.number(p.x);
  json.key("y");
  json.number(p.y);
  json.end_object();
}

void circle_json(text::JsonWriter& json, const search::TrialGrid& grid, const search::Ranked& r) {
  const search::Trial& t = r.trial;
  json.begin_object();
  json.key("circle");
  json.begin_object();
  json.key("xc");
  json.number(t.circle.xc);
  json.key("yc");
  json.number(t.circle.yc);
  json.key("radius");
  json.number(t.circle.radius);
  json.end_object();
  json.key("entry");
  point_json(json, t.entry);
  json.key("exit");
  point_json(json, t.exit);
  json.key("slices");
  json.integer(t.slices);
  json.key("factor_of_safety");
  json.number(t.factor);
  json.key("passes");
  json.integer(t.passes);
  json.key("grid_trial");
  json.integer(static_cast<std::int64_t>(r.index));
  json.key("on_limit");
  json.boolean(on_limit(grid, r.params));
  json.end_object();
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
    out += "simplified (tension " + std::string(word_of(kTensionWords, settings.analysis.tension)) +
           ", tolerance " + text::shortest(settings.analysis.tolerance) + ", iteration limit " +
           std::to_string(settings.analysis.iteration_limit) + ")";
  }
  out += ", " + std::to_string(settings.slices) + " slices";
  if (settings.min_depth > 0.0) out += ", least depth " + text::shortest(settings.min_depth);
  if (settings.min_weight > 0.0) out += ", least weight " + text::shortest(settings.min_weight);
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
    out += s.limits.by_default[k] ? " (default)\n" : " (given)\n";
  }
  out += "trials: " + std::to_string(s.found.grid_trials) + " on the grid, " +
         std::to_string(s.found.refinement_trials) + " in refinement\n";
  if (s.found.top.empty()) {
    out += "critical circle: none: no trial circle has a factor of safety\n";
  } else {
    const search::Ranked& best = s.found.top.front();
    out += "critical circle: factor of safety " + text::shortest(best.trial.factor) +
           passes_text(settings, best.trial) + "\n  " + circle_line(best) + "\n";
    if (on_limit(grid, best.params)) {
      out += "  it lies on the limits: a circle beyond them may have a lower factor\n";
    }
  }
  if (s.found.top.size() > 1) {
    out += "top " + std::to_string(s.found.top.size()) + " distinct circles:\n";
    for (std::size_t i = 0; i < s.found.top.size(); ++i) {
      const search::Ranked& r = s.found.top[i];
      out += "  " + std::to_string(i + 1) + ". factor of safety " + text::shortest(r.trial.factor) +
             ", " + circle_line(r) + "\n";
    }
  }
  if (!s.found.top.empty() && s.found.top.size() < static_cast<std::size_t>(s.top_asked)) {
    out += "top: " + std::to_string(s.top_asked) + " distinct circles asked, " +
           std::to_string(s.found.top.size()) +
           " found (the other starts refined to circles within a grid step of these)\n";
  }
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
  json.key("title");
  json.string(s.model.title);
  json.end_object();
  json.key("method");
  json.string(method::method_name(settings.analysis.method));
  json.key("settings");
  json.begin_object();
  json.key("slices");
  json.integer(settings.slices);
  json.key("tension");
  json.string(word_of(kTensionWords, settings.analysis.tension));
  json.key("tolerance");
  json.number(settings.analysis.tolerance);
  json.key("iteration_limit");
  json.integer(settings.analysis.iteration_limit);
  json.key("pore_force");
  json.string(word_of(kPoreForceWords, settings.analysis.pore_force));
  json.key("min_depth");
  json.number(settings.min_depth);
  json.key("min_weight");
  json.number(settings.min_weight);
  json.end_object();

  json.key("limits");
  json.begin_object();
  json.key("kind");
  json.string(kind_key(grid.kind));
  json.key("face");
  if (s.limits.face) {
    const search::SlopeFace& f = *s.limits.face;
    json.begin_object();
    json.key("side");
    json.string(word_of(kFaceWords, f.face));
    json.key("crest");
    point_json(json, f.crest);
    json.key("toe");
    point_json(json, f.toe);
    json.key("height");
    json.number(f.height);
    json.key("bedrock");
    json.boolean(s.limits.bedrock);
    json.end_object();
  } else {
    json.null();
  }
  json.key("axes");
  json.begin_array();
  for (std::size_t k = 0; k < 3; ++k) {
    const search::Axis& axis = grid.axes[k];
    json.begin_object();
    json.key("name");
    json.string(axis_name(grid.kind, k));
    json.key("from");
    json.number(axis.from);
    json.key("to");
    json.number(axis.to);
    json.key("count");
    json.integer(axis.count);
    json.key("default");
    json.boolean(s.limits.by_default[k]);
    json.end_object();
  }
  json.end_array();
  json.end_object();

  json.key("trials");
  json.begin_object();
  json.key("grid");
  json.integer(static_cast<std::int64_t>(s.found.grid_trials));
  json.key("refinement");
  json.integer(static_cast<std::int64_t>(s.found.refinement_trials));
  json.end_object();
  json.key("outcomes");
  json.begin_object();
  for (std::size_t k = 0; k < search::kOutcomeCount; ++k) {
    json.key(search::outcome_key(static_cast<search::Outcome>(k)));
    json.integer(static_cast<std::int64_t>(s.found.counts[k]));
  }
  json.end_object();
  json.key("critical");
  if (s.found.top.empty()) {
    json.null();
  } else {
    circle_json(json, grid, s.found.top.front());
  }
  json.key("top");
  json.begin_array();
  for (const search::Ranked& r : s.found.top) circle_json(json, grid, r);
  json.end_array();
  json.key("seconds");
  json.number(s.seconds);
  json.end_object();
  return json.text() + "\n";
}

}  // namespace hollin
