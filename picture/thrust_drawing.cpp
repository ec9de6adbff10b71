#include "picture/thrust_drawing.h"

#include <cmath>
#include <string>

#include "picture/colours.h"
#include "text/number_text.h"

namespace picture {
namespace {

constexpr std::string_view kThrustColour = "#009e73";
constexpr std::string_view kWarningColour = "#cc0000";

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
         text::coordinate_text(page.py(p.level));
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
      // A cross on the boundary, halfway up the mass.
      const double cx = page.px(p.x);
      const double cy = page.py(0.5 * (p.ground + p.slip));
      svg.element("path", {{"class", "tension"},
                           {"d", "M" + text::coordinate_text(cx - 4) + " " +
                                     text::coordinate_text(cy - 4) + " l8 8 m0 -8 l-8 8"}});
      drawn.tension = true;
    } else if (p.outside) {
      svg.element("circle", {{"class", "outside"},
                             {"cx", page.px(p.x)},
                             {"cy", page.py(p.level)},
                             {"r", 4.0},
                             {"fill", "none"}});
      drawn.outside = true;
    }
  }
  svg.close();
  return drawn;
}

void thrust_legend(Page& page, const ThrustDrawn& drawn) {
  if (drawn.line) page.legend_line(kThrustColour, 2.0, "6 3", "line of thrust");
  if (drawn.outside) page.legend_line(kWarningColour, 2.0, "", "thrust outside the mass (o)");
  if (drawn.tension) page.legend_line(kWarningColour, 2.0, "", "interslice tension (x)");
}

}  // namespace picture
