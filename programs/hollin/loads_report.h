// The loads on a cut surface told for the tool's commands: the tension crack
// its head ends at, the earthquake coefficients, the water's horizontal
// thrust and the point horizontal forces take moments about; in text for
// people and in JSON for scripts.
#pragma once

#include <string>

#include "slope/slicing.h"
#include "text/json_writer.h"

namespace hollin {

/// "3.81 deep at x = 52.3, dry" or "..., water 2 deep pushing 19.62 towards
/// the toe".
[[nodiscard]] std::string crack_text(const slope::Cut::Crack& crack, double x);

/// Lines for people, each ending in a line feed, for what the cut carries:
/// "tension crack at the head: ...", "earthquake: kh 0.15, kv 0", "water
/// standing on the slope: horizontal thrust 45.6 towards the head", and for a
/// polyline carrying horizontal forces the point they take moments about.
/// Nothing for a cut without any.
void append_loads_text(std::string& out, const slope::Cut& cut, bool polyline);

/// For a circle that follows the floor, a line for people: "follows the
/// bedrock or a followed layer's bottom from x 92.2 to 147.8 (a polyline of
/// 58 points)". Nothing for any other cut.
void append_composite_text(std::string& out, const slope::Cut& cut);

/// The crack as a JSON value: {x, depth, water_depth, thrust}, or null.
void write_crack_json(text::JsonWriter& json, const slope::Cut::Crack& crack, double x);

/// The member "loads": {tension_crack, earthquake {kh, kv}, water_thrust,
/// axis {x, y, rule}}; water_thrust is the sum towards the toe (0 without
/// water standing on the slope), rule "centre", "three_points" or "given".
void write_loads_json(text::JsonWriter& json, const slope::Cut& cut);

}  // namespace hollin
