#include "slope/json_shapes.h"

namespace slope {

void write_point_json(text::JsonWriter& json, const Point& point) {
  json.begin_object();
  json.number_member("x", point.x);
  json.number_member("y", point.y);
  json.end_object();
}

void write_circle_members(text::JsonWriter& json, const Circle& circle) {
  json.number_member("xc", circle.xc);
  json.number_member("yc", circle.yc);
  json.number_member("radius", circle.radius);
}

void write_circle_json(text::JsonWriter& json, const Circle& circle) {
  json.begin_object();
  write_circle_members(json, circle);
  json.end_object();
}

void write_surface_members(text::JsonWriter& json, const SlipSurface& surface) {
  if (surface.kind == SlipSurface::Kind::circle) {
    json.string_member("kind", "circle");
    json.key("circle");
    write_circle_json(json, surface.circle);
    return;
  }
  json.string_member("kind", "polyline");
  json.key("points");
  write_points_json(json, surface.polyline);
}

void write_points_json(text::JsonWriter& json, const Polyline& points) {
  json.begin_array();
  for (const Point& point : points) {
    json.begin_array();
    json.number(point.x);
    json.number(point.y);
    json.end_array();
  }
  json.end_array();
}

}  // namespace slope
