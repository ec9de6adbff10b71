#include "picture/model_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "picture/colours.h"
#include "picture/crack_drawing.h"
#include "picture/ponded_water.h"
#include "text/number_text.h"

namespace picture {

Bounds model_bounds(const slope::Model& model) {
  Bounds b;
  b.add(model.ground);
  b.add(model.piezometric_line);
  b.add(model.bedrock);
  for (const slope::Soil& soil : model.soils) {
    b.add(soil.top);
    b.add(soil.region);
  }
  const double size = std::max({b.x1 - b.x0, b.y1 - b.y0, 1e-6});
  const bool layers = std::any_of(model.soils.begin(), model.soils.end(),
                                  [](const slope::Soil& s) { return !s.top.empty(); });
  if (layers && model.bedrock.empty()) b.add(b.x0, b.y0 - 0.15 * size);
  if (!model.loads.empty()) b.add(b.x0, b.y1 + 0.08 * size);
  return b;
}

double level_at(const slope::Polyline& ground, double x) {
  if (ground.empty()) return 0.0;
  if (x <= ground.front().x) return ground.front().y;
  if (x >= ground.back().x) return ground.back().y;
  const auto after = std::upper_bound(ground.begin(), ground.end(), x,
                                      [](double v, const slope::Point& p) { return v < p.x; });
  const slope::Point& q = *after;
  const slope::Point& p = *(after - 1);
  return p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x);
}

namespace {

void draw_soils(Page& page, const slope::Model& model) {
  SvgWriter& svg = page.svg();
  const double bottom = page.world_bottom();
  svg.open("g", {{"id", "soils"}, {"stroke", "#555555"}, {"stroke-width", 0.5}});
  // Layers in the listed order (from the ground down) so that the soil
  // listed later covers where tops coincide, then regions over them.
  for (std::size_t k = 0; k < model.soils.size(); ++k) {
    const slope::Soil& soil = model.soils[k];
    if (soil.top.empty()) continue;
    std::string d = page.path(soil.top);
    d += " L" + text::coordinate_text(page.px(soil.top.back().x)) + " " +
         text::coordinate_text(page.py(bottom));
    d += " L" + text::coordinate_text(page.px(soil.top.front().x)) + " " +
         text::coordinate_text(page.py(bottom)) + " Z";
    svg.element("path", {{"d", d}, {"fill", soil_colour(k)}, {"data-soil", static_cast<int>(k)}});
  }
  for (std::size_t k = 0; k < model.soils.size(); ++k) {
    const slope::Soil& soil = model.soils[k];
    if (soil.region.empty()) continue;
    svg.element("path", {{"d", page.path(soil.region) + " Z"},
                         {"fill", soil_colour(k)},
                         {"data-soil", static_cast<int>(k)}});
  }
  svg.close();
}

void draw_loads(Page& page, const slope::Model& model) {
  if (model.loads.empty()) return;
  SvgWriter& svg = page.svg();
  svg.open("g",
           {{"id", "loads"}, {"stroke", "#222222"}, {"stroke-width", 1.5}, {"fill", "#222222"}});
  constexpr double kArrow = 30.0;
  for (const slope::Load& load : model.loads) {
    const double width = page.length(load.to - load.from);
    const int arrows = static_cast<int>(std::clamp(std::floor(width / 25.0) + 1.0, 2.0, 24.0));
    // A varying load: each arrow as long as its intensity against the
    // largest, pointing down where the load presses down.
    const bool uniform = load.intensity_to == load.intensity;
    const double largest = std::max(std::fabs(load.intensity), std::fabs(load.intensity_to));
    std::string shafts;
    std::string heads;
    std::vector<slope::Point> tails;
    for (int a = 0; a < arrows; ++a) {
      const double x = load.from + (load.to - load.from) * a / (arrows - 1);
      const double q = uniform ? load.intensity : load.at(x);
      const double length = uniform ? kArrow : kArrow * std::fabs(q) / largest;
      const bool down = q >= 0.0;
      const double gx = page.px(x);
      const double gy = page.py(level_at(model.ground, x));
      const double tail = gy - length;
      tails.push_back({gx, tail});
      if (!(length > 0.0)) continue;
      shafts += "M" + text::coordinate_text(gx) + " " + text::coordinate_text(tail) + " V" +
                text::coordinate_text(gy);
      const double head = std::min(8.0, length);
      const double tip = down ? gy : tail;
      const double base = down ? gy - head : tail + head;
      heads += "M" + text::coordinate_text(gx) + " " + text::coordinate_text(tip) + " L" +
               text::coordinate_text(gx - 4.0) + " " + text::coordinate_text(base) + " L" +
               text::coordinate_text(gx + 4.0) + " " + text::coordinate_text(base) + " Z";
    }
    // The line over the tails, from the load's ends: straight over a
    // uniform load, through every tail over a varying one.
    tails.front().x = page.px(load.from);
    tails.back().x = page.px(load.to);
    for (std::size_t k = 0; k < tails.size(); ++k) {
      if (uniform && k > 0 && k + 1 < tails.size()) continue;
      shafts += k == 0 ? "M" : " L";
      shafts += text::coordinate_text(tails[k].x) + " " + text::coordinate_text(tails[k].y);
    }
    double top = std::min(tails.front().y, tails.back().y);
    if (!uniform) {
      for (const slope::Point& t : tails) top = std::min(top, t.y);
    }
    svg.element("path", {{"d", shafts}, {"fill", "none"}});
    svg.element("path", {{"d", heads}, {"stroke", "none"}});
    std::string label = "q = " + text::short_text(load.intensity, 3);
    if (!uniform) label += " to " + text::short_text(load.intensity_to, 3);
    svg.text_element("text",
                     {{"x", page.px((load.from + load.to) / 2.0)},
                      {"y", top - 6.0},
                      {"text-anchor", "middle"},
                      {"font-size", 11.0},
                      {"stroke", "none"}},
                     label);
  }
  svg.close();
}

}  // namespace

void draw_model(Page& page, const slope::Model& model) {
  SvgWriter& svg = page.svg();
  draw_soils(page, model);
  if (!model.bedrock.empty()) {
    svg.element("path", {{"id", "bedrock"},
                         {"d", page.path(model.bedrock)},
                         {"fill", "none"},
                         {"stroke", "#555555"},
                         {"stroke-width", 4.0},
                         {"stroke-dasharray", "10 4"}});
  }
  const std::vector<slope::Polyline> pools = ponded_water(model.ground, model.piezometric_line);
  if (!pools.empty()) {
    svg.open("g", {{"id", "ponded-water"}, {"fill", kPondColour}, {"stroke", "none"}});
    for (const slope::Polyline& pool : pools) svg.element("path", {{"d", page.path(pool) + " Z"}});
    svg.close();
  }
  if (!model.piezometric_line.empty()) {
    svg.element("path", {{"id", "piezometric-line"},
                         {"d", page.path(model.piezometric_line)},
                         {"fill", "none"},
                         {"stroke", kWaterColour},
                         {"stroke-width", 2.0},
                         {"stroke-dasharray", "8 4"}});
  }
  svg.element("path", {{"id", "ground"},
                       {"d", page.path(model.ground)},
                       {"fill", "none"},
                       {"stroke", kInkColour},
                       {"stroke-width", 2.0}});
  draw_crack_line(page, model);
  draw_loads(page, model);
}

void model_legend(Page& page, const slope::Model& model) {
  page.legend_heading("Soils");
  for (std::size_t k = 0; k < model.soils.size(); ++k) {
    const slope::Soil& s = model.soils[k];
    std::string detail = "c\xE2\x80\xB2 " + text::short_text(s.cohesion, 3) +
                         "  \xCF\x86\xE2\x80\xB2 " + text::short_text(s.friction_angle, 2) +
                         "\xC2\xB0  \xCE\xB3 " + text::short_text(s.unit_weight, 3);
    if (s.saturated_unit_weight != s.unit_weight) {
      detail += "  \xCE\xB3sat " + text::short_text(s.saturated_unit_weight, 3);
    }
    if (s.ru > 0.0) detail += "  ru " + text::short_text(s.ru, 3);
    if (!page.legend_swatch(soil_colour(k), s.name, detail)) {
      return;
    }
    if (k + 1 < model.soils.size() && model.soils.size() - k - 1 > 0 && k >= 11) {
      page.legend_text("and " + std::to_string(model.soils.size() - k - 1) + " more soils");
      break;
    }
  }
  page.legend_line(kInkColour, 2.0, "", "ground");
  if (!model.piezometric_line.empty()) {
    page.legend_line(kWaterColour, 2.0, "8 4", "piezometric line");
  }
  if (!ponded_water(model.ground, model.piezometric_line).empty()) {
    page.legend_swatch(kPondColour, "water standing on the slope", "");
  }
  if (!model.bedrock.empty()) page.legend_line("#555555", 4.0, "10 4", "bedrock");
  if (!crack_line(model).points.empty()) {
    page.legend_line(kInkColour, 1.5, "6 3", "tension crack line");
  }
  if (!model.loads.empty()) page.legend_text("arrows: loads q per horizontal length");
  if (model.seismic.any()) {
    page.legend_text("earthquake: kh = " + text::short_text(model.seismic.kh, 3) +
                     ", kv = " + text::short_text(model.seismic.kv, 3));
  }
}

std::string model_picture(const slope::Model& model) {
  Page page(model_bounds(model), model.title, model.subtitle, model.units);
  draw_model(page, model);
  page.axes();
  model_legend(page, model);
  return page.finish();
}

}  // namespace picture
