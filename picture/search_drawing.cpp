#include "picture/search_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "picture/colours.h"
#include "picture/model_drawing.h"
#include "picture/page.h"
#include "slope/composite_surface.h"
#include "text/number_text.h"

namespace picture {
namespace {

using search::GridKind;

/// The world extent of cells c along `axis`: from half a step before its
/// first value to half a step after its last (`fallback` half-width for an
/// axis of one value).
std::pair<double, double> cell_extent(const search::CentreMap& map, int axis, std::int32_t c,
                                      double fallback) {
  const search::Axis& a = map.grid().axes[static_cast<std::size_t>(axis)];
  const double half = a.count > 1 ? a.step() / 2.0 : fallback;
  return {a.at(map.first_index(axis, c)) - half, a.at(map.last_index(axis, c)) + half};
}

/// Path data of the lower arc of `trial`'s circle between entry and exit.
std::string arc_path(const Page& page, const search::Trial& trial) {
  const slope::Point& a = trial.entry.x <= trial.exit.x ? trial.entry : trial.exit;
  const slope::Point& b = trial.entry.x <= trial.exit.x ? trial.exit : trial.entry;
  const std::string r = text::coordinate_text(page.length(trial.circle.radius));
  // Left to right with sweep 0 runs below the centre on a page whose y is down.
  return "M" + text::coordinate_text(page.px(a.x)) + " " + text::coordinate_text(page.py(a.y)) +
         " A" + r + " " + r + " 0 0 0 " + text::coordinate_text(page.px(b.x)) + " " +
         text::coordinate_text(page.py(b.y));
}

bool centre_grid(const search::CentreMap& map) { return map.grid().kind != GridKind::entry_exit; }

/// Path data of a circle of the top list: its arc, or the composite surface
/// it became where it follows the floor.
std::string surface_path(const Page& page, const slope::Floor* floor, const search::Trial& trial) {
  slope::Polyline points;
  double from = 0.0;
  double to = 0.0;
  if (floor != nullptr &&
      slope::composite_polyline(trial.circle, *floor, std::min(trial.entry.x, trial.exit.x),
                                std::max(trial.entry.x, trial.exit.x), 200, points, from, to)) {
    return page.path(points);
  }
  return arc_path(page, trial);
}

}  // namespace

SearchPicture search_picture(const slope::Model& model, const search::CentreMap& map,
                             std::span<const search::Ranked> top, std::string_view method,
                             bool composite) {
  SearchPicture out;
  const slope::Floor floor(model);
  Bounds bounds = model_bounds(model);
  const double size = std::max(bounds.x1 - bounds.x0, bounds.y1 - bounds.y0);
  const double fallback = size / 200.0;
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (std::int32_t row = 0; row < map.rows(); ++row) {
    for (std::int32_t column = 0; column < map.columns(); ++column) {
      const search::Trial& t = map.best(column, row);
      if (t.outcome != search::Outcome::factor) continue;
      low = std::min(low, t.factor);
      high = std::max(high, t.factor);
      if (!centre_grid(map)) bounds.add(t.circle.xc, t.circle.yc);
    }
  }
  if (centre_grid(map)) {
    const auto [x0, x1] = cell_extent(map, 0, 0, fallback);
    const auto [x2, x3] = cell_extent(map, 0, map.columns() - 1, fallback);
    const auto [y0, y1] = cell_extent(map, 1, 0, fallback);
    const auto [y2, y3] = cell_extent(map, 1, map.rows() - 1, fallback);
    bounds.add(std::min(x0, x2), std::min(y0, y2));
    bounds.add(std::max(x1, x3), std::max(y1, y3));
  }
  for (const search::Ranked& r : top) bounds.add(r.trial.circle.xc, r.trial.circle.yc);
  if (!top.empty()) low = std::min(low, top.front().trial.factor);
  const double scale_high = std::max(std::min(high, 2.0 * low), low + 0.1);
  const bool clamped = high > scale_high;

  Page page(bounds, model.title, model.subtitle, model.units);
  SvgWriter& svg = page.svg();
  draw_model(page, model);

  svg.open("g", {{"id", "centres"}, {"shape-rendering", "crispEdges"}});
  for (std::int32_t row = 0; row < map.rows(); ++row) {
    for (std::int32_t column = 0; column < map.columns(); ++column) {
      const search::Trial& t = map.best(column, row);
      if (t.outcome != search::Outcome::factor) continue;
      const int index = static_cast<int>(out.cells.size());
      const std::string fill =
          scale_colour(std::isfinite(low) ? (t.factor - low) / (scale_high - low) : 0.0);
      if (centre_grid(map)) {
        const auto [x0, x1] = cell_extent(map, 0, column, fallback);
        const auto [y0, y1] = cell_extent(map, 1, row, fallback);
        svg.element("rect", {{"x", page.px(x0)},
                             {"y", page.py(y1)},
                             {"width", page.length(x1 - x0)},
                             {"height", page.length(y1 - y0)},
                             {"fill", fill},
                             {"data-i", index}});
      } else {
        svg.element("circle", {{"cx", page.px(t.circle.xc)},
                               {"cy", page.py(t.circle.yc)},
                               {"r", 3.5},
                               {"fill", fill},
                               {"data-i", index}});
      }
      out.cells.push_back({t.factor, t.circle, arc_path(page, t)});
    }
  }
  svg.close();

  // The top list: the faint ones first, the critical circle over them.
  svg.open("g", {{"id", "top-list"}, {"fill", "none"}});
  for (std::size_t k = top.size(); k-- > 0;) {
    const std::string d =
        surface_path(page, composite && !floor.empty() ? &floor : nullptr, top[k].trial);
    const int rank = static_cast<int>(k);
    if (k > 0) {
      svg.element("path", {{"d", d},
                           {"stroke", kFaintColour},
                           {"stroke-width", 1.5},
                           {"stroke-dasharray", "5 3"},
                           {"data-top", rank}});
      continue;
    }
    svg.element("path", {{"d", d}, {"stroke", "#ffffff"}, {"stroke-width", 8.0}});
    svg.element("path", {{"id", "critical"},
                         {"d", d},
                         {"stroke", kCriticalColour},
                         {"stroke-width", 4.0},
                         {"data-top", rank}});
    const double cx = page.px(top[k].trial.circle.xc);
    const double cy = page.py(top[k].trial.circle.yc);
    svg.element(
        "path",
        {{"d", "M" + text::coordinate_text(cx - 7.0) + " " + text::coordinate_text(cy) + " h14 M" +
                   text::coordinate_text(cx) + " " + text::coordinate_text(cy - 7.0) + " v14"},
         {"stroke", "#ffffff"},
         {"stroke-width", 5.0}});
    svg.element(
        "path",
        {{"d", "M" + text::coordinate_text(cx - 7.0) + " " + text::coordinate_text(cy) + " h14 M" +
                   text::coordinate_text(cx) + " " + text::coordinate_text(cy - 7.0) + " v14"},
         {"stroke", kCriticalColour},
         {"stroke-width", 2.5}});
  }
  svg.close();
  page.axes();

  if (top.empty()) {
    page.legend_factor("no trial circle has a factor", "no factor", "factor-0");
  } else {
    page.legend_factor("critical circle: least factor of safety",
                       "F = " + text::fixed_text(top.front().trial.factor, 3), "factor-0");
  }
  page.legend_text(std::string("method: ") + std::string(method));
  if (!out.cells.empty()) {
    page.legend_scale(centre_grid(map) ? "least factor at each centre"
                                       : "least factor per entry and exit (at its centre)",
                      low, scale_high, 3, clamped ? " and above" : "");
  }
  if (!top.empty()) {
    page.legend_line(kCriticalColour, 4.0, "", "critical circle");
    if (top.size() > 1) page.legend_line(kFaintColour, 1.5, "5 3", "next best circles");
    page.legend_heading("Top list");
    for (std::size_t k = 0; k < top.size(); ++k) {
      const search::Trial& t = top[k].trial;
      const double y = page.legend_space(16.0);
      if (y < 0.0) break;
      svg.text_element("text",
                       {{"x", kLegendLeft},
                        {"y", y + 12.0},
                        {"font-size", 11.0},
                        {"fill", "#222222"},
                        {"data-top", static_cast<int>(k)}},
                       std::to_string(k + 1) + ". F = " + text::fixed_text(t.factor, 3) + "  (" +
                           text::short_text(t.circle.xc, 2) + ", " +
                           text::short_text(t.circle.yc, 2) + ") R " +
                           text::short_text(t.circle.radius, 2));
    }
  }
  model_legend(page, model);
  out.svg = page.finish();
  return out;
}

}  // namespace picture
