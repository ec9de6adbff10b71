#include "picture/polyline_search_drawing.h"

#include "picture/colours.h"
#include "picture/model_drawing.h"
#include "picture/page.h"
#include "text/number_text.h"

namespace picture {

std::string polyline_search_picture(const slope::Model& model, const search::PolylineLimits& limits,
                                    const search::PolylineResult& found,
                                    const search::OptimiseResult* optimised,
                                    std::string_view method) {
  Page page(model_bounds(model), model.title, model.subtitle, model.units);
  draw_model(page, model);
  SvgWriter& svg = page.svg();
  svg.open("g", {{"id", "boxes"},
                 {"fill", "none"},
                 {"stroke", kInkColour},
                 {"stroke-width", 1.5},
                 {"stroke-dasharray", "4 2"}});
  for (const search::Box& b : limits.boxes) {
    const slope::Polyline corners{{b.x0, b.y0}, {b.x1, b.y0}, {b.x1, b.y1}, {b.x0, b.y1}};
    svg.element("path", {{"d", page.path(corners) + " Z"}});
  }
  svg.close();
  const bool moved = optimised != nullptr && optimised->started && !optimised->points.empty() &&
                     optimised->best.factor < optimised->start.factor;
  svg.open("g", {{"id", "top-list"}, {"fill", "none"}});
  for (std::size_t k = found.top.size(); k-- > 0;) {
    const std::string d = page.path(found.top[k].points);
    if (k > 0) {
      svg.element("path", {{"d", d},
                           {"stroke", kFaintColour},
                           {"stroke-width", 1.5},
                           {"stroke-dasharray", "5 3"},
                           {"data-top", static_cast<int>(k)}});
      continue;
    }
    svg.element("path", {{"id", moved ? "start" : "critical"},
                         {"d", d},
                         {"stroke", kCriticalColour},
                         {"stroke-width", moved ? 2.0 : 4.0},
                         {"stroke-dasharray", moved ? "6 3" : "none"}});
  }
  if (moved) {
    svg.element(
        "path",
        {{"d", page.path(optimised->points)}, {"stroke", "#ffffff"}, {"stroke-width", 8.0}});
    svg.element("path", {{"id", "critical"},
                         {"d", page.path(optimised->points)},
                         {"stroke", kCriticalColour},
                         {"stroke-width", 4.0}});
  }
  svg.close();
  page.axes();
  if (found.top.empty()) {
    page.legend_factor("no trial surface has a factor", "no factor", "factor-0");
  } else {
    const double factor = moved ? optimised->best.factor : found.top.front().trial.factor;
    page.legend_factor(moved ? "critical surface, optimised" : "critical surface",
                       "F = " + text::fixed_text(factor, 3), "factor-0");
  }
  page.legend_text(std::string("method: ") + std::string(method));
  if (moved) {
    page.legend_line(kCriticalColour, 2.0, "6 3",
                     "best trial, F = " + text::fixed_text(optimised->start.factor, 3));
    page.legend_line(kCriticalColour, 4.0, "", "optimised surface");
  } else if (!found.top.empty()) {
    page.legend_line(kCriticalColour, 4.0, "", "critical surface");
  }
  if (found.top.size() > 1) page.legend_line(kFaintColour, 1.5, "5 3", "next best surfaces");
  if (!limits.boxes.empty()) page.legend_line(kInkColour, 1.5, "4 2", "boxes of the block search");
  model_legend(page, model);
  return page.finish();
}

}  // namespace picture
