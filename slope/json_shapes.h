// The JSON shapes of a slope model's things, one writer for each, shared by
// every document of the tool (analyse, search and the search page): a point
// {"x", "y"}, a circle {"xc", "yc", "radius"}, and a trial surface. Scripts
// read these shapes; they change only with the documentation.
#pragma once

#include "slope/model.h"
#include "slope/slip_surface.h"
#include "text/json_writer.h"

namespace slope {

/// A point as the object {"x": X, "y": Y}.
void write_point_json(text::JsonWriter& json, const Point& point);

/// The members "xc", "yc" and "radius" of `circle`, into the open object.
void write_circle_members(text::JsonWriter& json, const Circle& circle);

/// A circle as the object {"xc": XC, "yc": YC, "radius": R}.
void write_circle_json(text::JsonWriter& json, const Circle& circle);

/// Points as [[x, y], ...].
void write_points_json(text::JsonWriter& json, const Polyline& points);

/// The members of a trial surface, into the open object: "kind" ("circle" or
/// "polyline"), then "circle" as above or "points" as [[x, y], ...].
void write_surface_members(text::JsonWriter& json, const SlipSurface& surface);

}  // namespace slope
