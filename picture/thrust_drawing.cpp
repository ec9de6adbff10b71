#include "picture/thrust_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "picture/colours.h"
#include "text/number_text.h"

namespace picture {
namespace {

constexpr std::string_view kThrustColour = "#009e73";
constexpr std::string_view kWarningColour = "#cc0000";

// The mark of an interslice force that pulls: a cross centred on (x, y).
void cross(SvgWriter& svg, double x, double y) {
  svg.element("path", {{"class", "tension"},
                       {"d", "M" + text::coordinate_text(x - 4) + " " +
                                 text::coordinate_text(y - 4) + " l8 8 m0 -8 l-8 8"}});
}

// The mark of a thrust outside the mass: a ring centred on (x, y).
void ring(SvgWriter& svg, double x, double y) {
  svg.element("circle", {{"class", "outside"}, {"cx", x}, {"cy", y}, {"r", 4.0}, {"fill", "none"}});
}

// A legend entry with its mark drawn as on the picture.
void legend_mark(Page& page, void (*mark)(SvgWriter&, double, double), std::string_view label) {
  const double y = page.legend_space(22.0);
  if (y < 0.0) return;
  SvgWriter& svg = page.svg();
  svg.open("g", {{"stroke", kWarningColour}, {"stroke-width", 2.0}});
  mark(svg, kLegendLeft + 13.0, y + 10.0);
  svg.close();
  svg.text_element(
      "text",
      {{"x", kLegendLeft + 34.0}, {"y", y + 14.0}, {"font-size", 12.0}, {"fill", "#222222"}},
      label);
}

// Where a point is drawn: a thrust outside the sliding mass at the edge it
// passed (its mark says so), since near the toe, where the force fades, its
// level may lie far off the picture.
double drawn_level(const method::ThrustPoint& p) {
  return std::clamp(p.level, std::min(p.slip, p.ground), std::max(p.slip, p.ground));
}

}  // namespace

ThrustDrawn draw_thrust(Page& page, std::span<const method::ThrustPoint> thrust) {
  ThrustDrawn drawn;
  SvgWriter& svg = page.svg();
  // The line, broken where a level means nothing or the force pulls.
  std::string d;
  bool open = false;
  for (const method::ThrustPoint& p : thrust) {
    if (!std::isfinite(p.level) || p.tension) {
      open = false;
      continue;
    }
    d += (open ? " L" : (d.empty() ? "M" : " M")) + text::coordinate_text(page.px(p.x)) + " " +
         text::coordinate_text(page.py(drawn_level(p)));
    open = true;
  }
  if (!d.empty()) {
    svg.element("path", {{"id", "line-of-thrust"},
                         {"d", d},
                         {"fill", "none"},
                         {"stroke", kThrustColour},
                         {"stroke-width", 2.0},
                         {"stroke-dasharray", "6 3"}});
    drawn.line = true;
  }
  svg.open("g", {{"id", "thrust-marks"}, {"stroke", kWarningColour}, {"stroke-width", 2.0}});
  for (const method::ThrustPoint& p : thrust) {
    if (p.tension) {
      // On the boundary, halfway up the mass.
      cross(svg, page.px(p.x), page.py(0.5 * (p.ground + p.slip)));
      drawn.tension = true;
    } else if (p.outside) {
      ring(svg, page.px(p.x), page.py(drawn_level(p)));
      drawn.outside = true;
    }
  }
  svg.close();
  return drawn;
}

void thrust_legend(Page& page, const ThrustDrawn& drawn) {
  if (drawn.line) page.legend_line(kThrustColour, 2.0, "6 3", "line of thrust");
  if (drawn.outside) legend_mark(page, ring, "thrust outside the sliding mass");
  if (drawn.tension) legend_mark(page, cross, "interslice tension");
}

}  // namespace picture
