#include "picture/crack_drawing.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "picture/colours.h"
#include "slope/soil_map.h"
#include "slope/tension_crack.h"
#include "text/number_text.h"

namespace picture {

CrackLine crack_line(const slope::Model& model) {
  CrackLine line;
  const slope::CrackRange range = slope::crack_range(model);
  if (!range.any || model.soils.empty()) return line;
  const double from = std::max(range.from, model.ground.front().x);
  const double to = std::min(range.to, model.ground.back().x);
  if (!(from < to)) return line;
  const slope::SoilMap map(model);
  // Between two breaks the ground is straight and one soil lies under it,
  // so the depth at the middle holds for the whole interval.
  std::vector<double> xs{from};
  for (const double x : map.breaks()) {
    if (x > from && x < to) xs.push_back(x);
  }
  xs.push_back(to);
  for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
    const double depth = slope::crack_depth_at(map, (xs[k] + xs[k + 1]) / 2.0);
    line.deepest = std::max(line.deepest, depth);
    for (const double x : {xs[k], xs[k + 1]}) {
      const slope::Point p{x, slope::level_at(model.ground, x) - depth};
      if (line.points.empty() || line.points.back().x != p.x || line.points.back().y != p.y) {
        line.points.push_back(p);
      }
    }
  }
  if (!(line.deepest > 0.0)) line.points.clear();
  return line;
}

std::string crack_label(const slope::TensionCrack& crack, double deepest) {
  std::string label = crack.automatic_depth
                          ? std::string("tension crack (automatic depth)")
                          : "tension crack " + text::short_text(crack.depth, 3) + " deep";
  if (crack.full) {
    label += ", full of water";
  } else if (const double water = slope::crack_water_depth(crack, deepest); water > 0.0) {
    label += ", with water " + text::short_text(water, 3);
  }
  return label;
}

bool draw_crack_line(Page& page, const slope::Model& model) {
  const CrackLine line = crack_line(model);
  if (line.points.empty()) return false;
  SvgWriter& svg = page.svg();
  svg.element("path", {{"id", "tension-crack"},
                       {"d", page.path(line.points)},
                       {"fill", "none"},
                       {"stroke", kInkColour},
                       {"stroke-width", 1.5},
                       {"stroke-dasharray", "6 3"}});
  const auto lowest =
      std::min_element(line.points.begin(), line.points.end(),
                       [](const slope::Point& a, const slope::Point& b) { return a.y < b.y; });
  svg.text_element("text",
                   {{"x", page.px((line.points.front().x + line.points.back().x) / 2.0)},
                    {"y", page.py(lowest->y) + 14.0},
                    {"text-anchor", "middle"},
                    {"font-size", 11.0},
                    {"fill", kInkColour}},
                   crack_label(model.tension_crack, line.deepest));
  return true;
}

bool draw_open_crack(Page& page, const method::Section& head, double water_depth) {
  // Shorter than half a page unit it would not show; the surface of a cut
  // without a crack meets the ground at its head up to rounding.
  if (!(page.length(head.ground_level - head.slip_level) >= 0.5)) return false;
  const std::vector<slope::Point> crack{{head.x, head.slip_level}, {head.x, head.ground_level}};
  page.svg().element("path", {{"id", "open-crack"},
                              {"d", page.path(crack)},
                              {"fill", "none"},
                              {"stroke", kInkColour},
                              {"stroke-width", 4.0},
                              {"stroke-linecap", "square"}});
  if (water_depth > 0.0) {
    const std::vector<slope::Point> water{{head.x, head.slip_level},
                                          {head.x, head.slip_level + water_depth}};
    page.svg().element("path", {{"id", "crack-water"},
                                {"d", page.path(water)},
                                {"fill", "none"},
                                {"stroke", kWaterColour},
                                {"stroke-width", 4.0},
                                {"transform", "translate(4 0)"}});
  }
  return true;
}

}  // namespace picture
