#include "programs/hollin/surface_option.h"

#include <CLI/CLI.hpp>
#include <cstddef>
#include <vector>

#include "programs/hollin/option_values.h"
#include "text/number_text.h"

namespace hollin {

void declare_surface_options(CLI::App& app, SurfaceOptions& options) {
  app.add_option("--circle", options.circle,
                 "trial circle XC,YC,R (its lower arc); write --circle=... when XC is negative");
  app.add_option("--polyline", options.polyline,
                 "trial polyline X1,Y1,X2,Y2,... with x increasing");
  app.add_option("--axis", options.axis,
                 "polyline: the point X,Y horizontal forces take moments about; default the "
                 "centre of the circle through its head, toe and deepest point");
  app.add_option("--moments", options.moments,
                 "polyline: general (default) takes moments about the axis with each force's "
                 "own lever arm; legacy takes the slope data file's form, as the reports of a "
                 "cut data file do")
      ->check(CLI::IsMember({"general", "legacy"}));
  app.add_option("--composite", options.composite,
                 "circle: on (default) follows the bedrock and the bottom of a layer marked "
                 "follow where it meets them; off refuses such a circle")
      ->check(CLI::IsMember({"on", "off"}));
  app.add_option("--slices", options.slices,
                 "no slice is wider than (exit - entry) / N; default 50");
}

slope::CutOptions cut_options(const SurfaceOptions& options) {
  return {options.moments == "legacy" ? method::MomentForm::legacy : method::MomentForm::general,
          options.composite != "off"};
}

bool parse_surface(const SurfaceOptions& options, slope::SlipSurface& surface, std::int32_t& slices,
                   std::string& why) {
  slices = kDefaultSlices;
  if (!options.slices.empty() && !parse_count(options.slices, 1, kMaxSlices, slices, why)) {
    why = "--slices: " + why;
    return false;
  }
  if (options.circle.empty() == options.polyline.empty()) {
    why = "give exactly one of --circle XC,YC,R and --polyline X1,Y1,X2,Y2,...";
    return false;
  }
  std::vector<double> values;
  if (!options.circle.empty()) {
    if (!parse_real_list(options.circle, values, why)) {
      why = "--circle: " + why;
      return false;
    }
    if (values.size() != 3) {
      why = "--circle takes three numbers XC,YC,R, not " + std::to_string(values.size());
      return false;
    }
    if (!options.axis.empty()) {
      why = "--axis goes with --polyline: a circle's moments are about its centre";
      return false;
    }
    surface.kind = slope::SlipSurface::Kind::circle;
    surface.circle = {values[0], values[1], values[2]};
    surface.polyline.clear();
    return true;
  }
  if (!parse_real_list(options.polyline, values, why)) {
    why = "--polyline: " + why;
    return false;
  }
  if (values.size() % 2 != 0 || values.size() < 4) {
    why = "--polyline takes pairs X,Y of at least two points, not " +
          std::to_string(values.size()) + " numbers";
    return false;
  }
  surface.axis_given = !options.axis.empty();
  if (surface.axis_given) {
    std::vector<double> axis;
    if (!parse_real_list(options.axis, axis, why) || axis.size() != 2) {
      why = "--axis takes two numbers X,Y" + (why.empty() ? std::string() : ": " + why);
      return false;
    }
    surface.axis = {axis[0], axis[1]};
  }
  surface.kind = slope::SlipSurface::Kind::polyline;
  surface.polyline.clear();
  for (std::size_t i = 0; i < values.size(); i += 2) {
    surface.polyline.push_back({values[i], values[i + 1]});
  }
  return true;
}

std::string point_text(const slope::Point& point) {
  return "(" + text::shortest(point.x) + ", " + text::shortest(point.y) + ")";
}

std::string surface_text(const slope::SlipSurface& surface) {
  if (surface.kind == slope::SlipSurface::Kind::circle) {
    return "circle (" + text::shortest(surface.circle.xc) + ", " +
           text::shortest(surface.circle.yc) + ") radius " + text::shortest(surface.circle.radius);
  }
  return "polyline of " + std::to_string(surface.polyline.size()) + " points";
}

}  // namespace hollin
