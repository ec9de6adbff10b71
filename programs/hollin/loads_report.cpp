#include "programs/hollin/loads_report.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>

#include "programs/hollin/surface_option.h"
#include "text/number_text.h"

namespace hollin {
namespace {

double water_thrust(const slope::Cut& cut) {
  return std::accumulate(cut.water_force.begin(), cut.water_force.end(), 0.0);
}

std::string_view rule_key(slope::Cut::AxisRule rule) {
  switch (rule) {
    case slope::Cut::AxisRule::centre:
      return "centre";
    case slope::Cut::AxisRule::three_points:
      return "three_points";
    case slope::Cut::AxisRule::given:
      return "given";
  }
  return "";
}

}  // namespace

std::string crack_text(const slope::Cut::Crack& crack, double x) {
  std::string text = text::short_text(crack.depth, 3) + " deep at x = " + text::short_text(x, 3);
  if (crack.water_depth > 0.0) {
    text += ", water " + text::short_text(crack.water_depth, 3) + " deep pushing " +
            text::short_text(crack.thrust, 3) + " towards the toe";
  } else {
    text += ", dry";
  }
  return text;
}

void append_loads_text(std::string& out, const slope::Cut& cut, bool polyline) {
  if (cut.crack.present) {
    out += "tension crack at the head: " + crack_text(cut.crack, cut.entry.x) + "\n";
  }
  if (cut.loads.kh != 0.0 || cut.loads.kv != 0.0) {
    out += "earthquake: kh " + text::shortest(cut.loads.kh) + ", kv " +
           text::shortest(cut.loads.kv) + "\n";
  }
  const double thrust = water_thrust(cut);
  if (std::any_of(cut.water_force.begin(), cut.water_force.end(),
                  [](double f) { return f != 0.0; })) {
    out += "water standing on the slope: horizontal thrust " +
           text::short_text(std::fabs(thrust), 3) +
           (thrust >= 0.0 ? " towards the toe\n" : " towards the head\n");
  }
  const bool horizontal = cut.loads.kh != 0.0 || !cut.water_moment.empty();
  const slope::Point axis{cut.loads.axis_x, cut.loads.axis_y};
  const std::string about =
      point_text(axis) + (cut.axis_rule == slope::Cut::AxisRule::given ? ", as --axis gives"
                          : cut.axis_rule == slope::Cut::AxisRule::centre
                              ? ", the circle's centre"
                              : ", the centre of the circle through the "
                                "head, the toe and the deepest point "
                                "(--axis gives another)");
  if (polyline && !cut.arms.shear.empty()) {
    out += "moments about " + about + ", each force with its own lever arm\n";
  } else if (polyline) {
    out +=
        "moments in the slope data file's form, each base as if at one radius from a centre "
        "(--moments general takes them about one axis)\n";
    if (horizontal) out += "horizontal forces take moments about " + about + "\n";
  }
}

void append_composite_text(std::string& out, const slope::Cut& cut) {
  if (cut.composite.empty()) return;
  out += "composite surface: the circle follows the bedrock or a followed layer's bottom from x " +
         text::short_text(cut.followed_from, 3) + " to " + text::short_text(cut.followed_to, 3) +
         " (a polyline of " + std::to_string(cut.composite.size()) + " points)\n";
}

void write_crack_json(text::JsonWriter& json, const slope::Cut::Crack& crack, double x) {
  if (!crack.present) {
    json.null();
    return;
  }
  json.begin_object();
  json.number_member("x", x);
  json.number_member("depth", crack.depth);
  json.number_member("water_depth", crack.water_depth);
  json.number_member("thrust", crack.thrust);
  json.end_object();
}

void write_loads_json(text::JsonWriter& json, const slope::Cut& cut) {
  json.key("loads");
  json.begin_object();
  json.key("tension_crack");
  write_crack_json(json, cut.crack, cut.entry.x);
  json.key("earthquake");
  json.begin_object();
  json.number_member("kh", cut.loads.kh);
  json.number_member("kv", cut.loads.kv);
  json.end_object();
  json.number_member("water_thrust", water_thrust(cut));
  json.key("axis");
  json.begin_object();
  json.number_member("x", cut.loads.axis_x);
  json.number_member("y", cut.loads.axis_y);
  json.string_member("rule", rule_key(cut.axis_rule));
  // A circle's moments are the general form's in either.
  json.string_member("moments",
                     cut.axis_rule == slope::Cut::AxisRule::centre || !cut.arms.shear.empty()
                         ? "general"
                         : "legacy");
  json.end_object();
  json.end_object();
}

}  // namespace hollin
