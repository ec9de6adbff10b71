#include <algorithm>
#include <cstddef>
#include <limits>

#include "programs/hollin/check_parts.h"
#include "programs/hollin/model_input.h"
#include "slope/geometry.h"
#include "slope/model.h"
#include "slope/tension_crack.h"
#include "text/number_text.h"

namespace hollin {
namespace {

/// The smallest box holding every point of the model's lines.
struct Extent {
  double x_min = std::numeric_limits<double>::infinity();
  double x_max = -std::numeric_limits<double>::infinity();
  double y_min = std::numeric_limits<double>::infinity();
  double y_max = -std::numeric_limits<double>::infinity();

  void add(const slope::Polyline& line) {
    for (const slope::Point& p : line) {
      x_min = std::min(x_min, p.x);
      x_max = std::max(x_max, p.x);
      y_min = std::min(y_min, p.y);
      y_max = std::max(y_max, p.y);
    }
  }
};

std::string count_text(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

void append_soil(std::string& out, const slope::Soil& soil) {
  out += "  " + printable(soil.name) + ": c' " + text::shortest(soil.cohesion) + ", phi' " +
         text::shortest(soil.friction_angle) + " deg, unit weight " +
         text::shortest(soil.unit_weight) + ", saturated " +
         text::shortest(soil.saturated_unit_weight);
  if (soil.ru != 0.0) out += ", ru " + text::shortest(soil.ru);
  if (!soil.top.empty()) {
    out += ", layer under a top of " + count_text(soil.top.size(), "point", "points");
    if (soil.follow) out += ", its bottom followed by circles that meet it";
  } else {
    out += ", region of " + count_text(soil.region.size(), "point", "points");
  }
  out += '\n';
}

// "depth 2.5, water 1.2 deep, from x 40 to 50", or "none".
std::string crack_text(const slope::Model& model) {
  const slope::TensionCrack& crack = model.tension_crack;
  if (!crack.present) return "none";
  std::string out =
      crack.automatic_depth ? "automatic depth" : "depth " + text::shortest(crack.depth);
  if (crack.full) {
    out += ", full of water";
  } else if (crack.water_depth > 0.0) {
    out += ", water " + text::shortest(crack.water_depth) + " deep";
  } else {
    out += ", dry";
  }
  if (!crack.range_given) out += ", on the crest behind the slope face";
  // A range given is always there; the default one needs a face.
  const slope::CrackRange range = slope::crack_range(model);
  if (!range.any) return out + ", but the ground has no face: no crack opens";
  return out + ", from x " + text::shortest(range.from) + " to " + text::shortest(range.to);
}

}  // namespace

int check_model_file(const std::string& path, CommandContext& context) {
  slope::Model model;
  if (!load_model(path, model, context)) return kExitRefused;

  std::string& out = context.out;
  out += path + ": a valid model\n";
  out += "title: " + printable(model.title) + "\n";
  if (!model.subtitle.empty()) out += "subtitle: " + printable(model.subtitle) + "\n";
  out += "units: " + (model.units.empty() ? std::string("(not given)") : printable(model.units)) +
         "\n";
  out += "soils (from the ground down):\n";
  Extent extent;
  extent.add(model.ground);
  extent.add(model.bedrock);
  extent.add(model.piezometric_line);
  for (const slope::Soil& soil : model.soils) {
    append_soil(out, soil);
    extent.add(soil.top);
    extent.add(soil.region);
  }
  out += "extent: x from " + text::shortest(extent.x_min) + " to " + text::shortest(extent.x_max) +
         ", y from " + text::shortest(extent.y_min) + " to " + text::shortest(extent.y_max) + "\n";
  out += "ground: " + count_text(model.ground.size(), "vertex", "vertices") + "\n";

  const bool any_ru = std::any_of(model.soils.begin(), model.soils.end(),
                                  [](const slope::Soil& soil) { return soil.ru > 0.0; });
  out += "water: ";
  if (!model.piezometric_line.empty()) {
    out += "piezometric line of " + count_text(model.piezometric_line.size(), "point", "points");
    const double tolerance = slope::kRelativeTolerance *
                             std::max(extent.x_max - extent.x_min, extent.y_max - extent.y_min);
    if (slope::find_rise_above(model.piezometric_line, model.ground, tolerance).found) {
      out += ", water stands on the ground";
    }
  } else if (any_ru) {
    out += "pore-pressure ratios (ru)";
  } else {
    out += "dry";
  }
  if (model.water_unit_weight != 0.0) {
    out += ", water unit weight " + text::shortest(model.water_unit_weight);
  }
  out += '\n';
  out +=
      "loads: " + (model.loads.empty() ? std::string("none") : std::to_string(model.loads.size()));
  out += '\n';
  for (const slope::Load& load : model.loads) {
    out += "  from x " + text::shortest(load.from) + " to " + text::shortest(load.to) + ": " +
           text::shortest(load.intensity);
    if (load.intensity_to != load.intensity) out += " to " + text::shortest(load.intensity_to);
    out += " per length, downward\n";
  }
  out += "bedrock: " +
         (model.bedrock.empty() ? std::string("none")
                                : count_text(model.bedrock.size(), "point", "points")) +
         "\n";
  out += "tension crack: " + crack_text(model) + "\n";
  out += "earthquake: ";
  out += model.seismic.any()
             ? "kh " + text::shortest(model.seismic.kh) + ", kv " + text::shortest(model.seismic.kv)
             : std::string("none");
  out += '\n';
  return kExitSuccess;
}

}  // namespace hollin
