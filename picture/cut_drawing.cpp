#include "picture/cut_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "picture/colours.h"
#include "picture/crack_drawing.h"
#include "picture/model_drawing.h"
#include "picture/page.h"
#include "picture/thrust_drawing.h"
#include "text/number_text.h"

namespace picture {
namespace {

using method::Section;

/// Outline of slice i: base from section i to i + 1, up to the ground.
std::string slice_path(const Page& page, const Section& a, const Section& b) {
  const std::vector<slope::Point> corners{
      {a.x, a.slip_level}, {b.x, b.slip_level}, {b.x, b.ground_level}, {a.x, a.ground_level}};
  return page.path(corners) + " Z";
}

std::vector<slope::Point> line_of(std::span<const Section> sections,
                                  double (*level)(const Section&)) {
  std::vector<slope::Point> points;
  points.reserve(sections.size());
  for (const Section& s : sections) points.push_back({s.x, level(s)});
  return points;
}

double slip_of(const Section& s) { return s.slip_level; }
double ground_of(const Section& s) { return s.ground_level; }
double lower_of(const Section& s) { return s.slip_level + s.lower_height; }
double head_of(const Section& s) { return s.slip_level + s.pore_head; }

void draw_slip_surface(Page& page, std::span<const Section> sections) {
  const std::string d = page.path(line_of(sections, slip_of));
  page.svg().element("path", {{"d", d},
                              {"fill", "none"},
                              {"stroke", "#ffffff"},
                              {"stroke-width", 6.0},
                              {"stroke-linejoin", "round"}});
  page.svg().element("path", {{"id", "slip-surface"},
                              {"d", d},
                              {"fill", "none"},
                              {"stroke", kCriticalColour},
                              {"stroke-width", 3.0},
                              {"stroke-linejoin", "round"}});
}

void mark_end(Page& page, const slope::Point& p, std::string_view label, bool left) {
  SvgWriter& svg = page.svg();
  svg.element("circle", {{"cx", page.px(p.x)},
                         {"cy", page.py(p.y)},
                         {"r", 5.0},
                         {"fill", "#ffffff"},
                         {"stroke", kInkColour},
                         {"stroke-width", 2.0}});
  svg.text_element(
      "text",
      {{"x", page.px(p.x) + (left ? -8.0 : 8.0)},
       {"y", page.py(p.y) - 8.0},
       {"text-anchor", left ? "end" : "start"},
       {"font-size", 12.0},
       {"fill", kInkColour}},
      std::string(label) + " (" + text::short_text(p.x, 2) + ", " + text::short_text(p.y, 2) + ")");
}

void factor_legend(Page& page, std::span<const FactorLabel> factors) {
  int k = 0;
  for (const FactorLabel& f : factors) {
    const std::string id = "factor-" + std::to_string(k++);
    if (f.factor) {
      page.legend_factor(f.label, "F = " + text::fixed_text(*f.factor, 3), id);
    } else {
      page.legend_factor(f.label + ": " + f.why, "no factor", id);
    }
  }
}

}  // namespace

std::string cut_picture(const slope::Model& model, const slope::Cut& cut,
                        std::span<const SliceShade> shades, std::span<const FactorLabel> factors,
                        std::span<const method::ThrustPoint> thrust) {
  Page page(model_bounds(model), model.title, model.subtitle, model.units);
  draw_model(page, model);
  const std::span<const Section> sections(cut.sections);
  const std::size_t slices = sections.size() > 1 ? sections.size() - 1 : 0;
  double high = 0.0;
  for (const SliceShade& s : shades) {
    if (std::isfinite(s.normal_force)) high = std::max(high, s.normal_force);
  }
  SvgWriter& svg = page.svg();
  svg.open("g", {{"id", "slices"}, {"stroke", kInkColour}, {"stroke-width", 0.6}});
  for (std::size_t i = 0; i < slices; ++i) {
    std::string fill = "none";
    if (shades.size() == slices) {
      const SliceShade& s = shades[i];
      fill = s.inadmissible ? "url(#inadmissible)"
                            : scale_colour(high > 0.0 ? s.normal_force / high : 0.0);
    }
    svg.element("path", {{"d", slice_path(page, sections[i], sections[i + 1])}, {"fill", fill}});
  }
  svg.close();
  svg.element("path", {{"d", page.path(model.ground)},
                       {"fill", "none"},
                       {"stroke", kInkColour},
                       {"stroke-width", 2.0}});
  draw_slip_surface(page, sections);
  const bool crack =
      !sections.empty() && draw_open_crack(page, sections.front(), cut.crack.water_depth);
  const bool entry_left = cut.entry.x < cut.exit.x;
  mark_end(page, cut.entry, "entry", entry_left);
  mark_end(page, cut.exit, "exit", !entry_left);
  const ThrustDrawn drawn = draw_thrust(page, thrust);
  page.axes();
  factor_legend(page, factors);
  page.legend_line(kCriticalColour, 3.0, "", "slip surface, " + std::to_string(slices) + " slices");
  thrust_legend(page, drawn);
  if (crack) page.legend_line(kInkColour, 4.0, "", "tension crack at the head");
  if (crack && cut.crack.water_depth > 0.0) {
    page.legend_line(kWaterColour, 4.0, "", "water in the crack");
  }
  if (shades.size() == slices && slices > 0) {
    page.legend_scale("effective normal force on the base", 0.0, high, 1, "");
    if (std::any_of(shades.begin(), shades.end(),
                    [](const SliceShade& s) { return s.inadmissible; })) {
      page.legend_swatch("url(#inadmissible)", "inadmissible slice", "no positive normal force");
    }
  }
  model_legend(page, model);
  return page.finish();
}

std::string data_picture(const DataView& data) {
  const std::span<const Section> sections = data.sections;
  Bounds bounds;
  for (const Section& s : sections) {
    bounds.add(s.x, s.ground_level);
    bounds.add(s.x, s.slip_level);
    bounds.add(s.x, head_of(s));
    bounds.add(s.x, lower_of(s));
  }
  Page page(bounds, data.title, data.subtitle, "");
  SvgWriter& svg = page.svg();
  const std::size_t slices = sections.size() > 1 ? sections.size() - 1 : 0;
  svg.open("g",
           {{"id", "slices"}, {"stroke", kInkColour}, {"stroke-width", 0.6}, {"fill", "#f4f4f4"}});
  for (std::size_t i = 0; i < slices; ++i) {
    svg.element("path", {{"d", slice_path(page, sections[i], sections[i + 1])}});
  }
  svg.close();
  // The lower zone: between the slip surface and its top, head to toe and back.
  std::vector<slope::Point> zone = line_of(sections, lower_of);
  const std::vector<slope::Point> base = line_of(sections, slip_of);
  zone.insert(zone.end(), base.rbegin(), base.rend());
  if (!zone.empty()) {
    svg.element("path", {{"id", "lower-zone"},
                         {"d", page.path(zone) + " Z"},
                         {"fill", "#bbbbbb"},
                         {"fill-opacity", 0.6},
                         {"stroke", "none"}});
  }
  svg.element("path", {{"id", "ground"},
                       {"d", page.path(line_of(sections, ground_of))},
                       {"fill", "none"},
                       {"stroke", kInkColour},
                       {"stroke-width", 2.0}});
  svg.element("path", {{"id", "pore-water-head"},
                       {"d", page.path(line_of(sections, head_of))},
                       {"fill", "none"},
                       {"stroke", kWaterColour},
                       {"stroke-width", 2.0},
                       {"stroke-dasharray", "8 4"}});
  draw_slip_surface(page, sections);
  page.axes();
  if (data.factor) factor_legend(page, std::span<const FactorLabel>(&*data.factor, 1));
  page.legend_heading("Stored slope data");
  page.legend_line(kCriticalColour, 3.0, "", "slip surface, " + std::to_string(slices) + " slices");
  page.legend_line(kInkColour, 2.0, "", "ground");
  page.legend_swatch("#bbbbbb", "lower zone", "");
  page.legend_line(kWaterColour, 2.0, "8 4", "pore-water head line");
  return page.finish();
}

}  // namespace picture
