// The trial slip surface of `cut` and `analyse` as the command line gives it:
// --circle XC,YC,R or --polyline X1,Y1,X2,Y2,..., exactly one of them, a
// polyline's --axis X,Y, and --slices N.
#pragma once

#include <cstdint>
#include <string>

#include "slope/slicing.h"
#include "slope/slip_surface.h"

namespace CLI {
class App;
}

namespace hollin {

/// Largest --slices accepted (a bound on the work and memory of one cut).
inline constexpr std::int32_t kMaxSlices = 10000;
/// --slices when none is given.
inline constexpr std::int32_t kDefaultSlices = 50;

/// The surface options as given.
struct SurfaceOptions {
  std::string circle;               ///< "XC,YC,R" or empty
  std::string polyline;             ///< "X1,Y1,X2,Y2,..." or empty
  std::string slices;               ///< empty: kDefaultSlices
  std::string axis;                 ///< "X,Y": a polyline's moment point, or empty
  std::string moments = "general";  ///< a polyline's form of moments: general or legacy
  std::string composite = "on";     ///< a circle meeting the floor follows it: on or off
};

/// The cutter's options of --moments and --composite.
[[nodiscard]] slope::CutOptions cut_options(const SurfaceOptions& options);

/// Declares --circle, --polyline, --axis, --moments, --composite and
/// --slices into `options`.
void declare_surface_options(CLI::App& app, SurfaceOptions& options);

/// Converts the options; false with `why` (a usage error) when neither or
/// both surfaces are given, a circle has other than three numbers, a
/// polyline an odd count or fewer than two points, --axis is not two numbers
/// or comes with a circle, or --slices is not 1 to kMaxSlices. Whether the surface is admissible is
/// the cutter's to say.
[[nodiscard]] bool parse_surface(const SurfaceOptions& options, slope::SlipSurface& surface,
                                 std::int32_t& slices, std::string& why);

/// "(X, Y)", each number in its shortest exact form.
[[nodiscard]] std::string point_text(const slope::Point& point);

/// "circle (XC, YC) radius R" or "polyline of K points".
[[nodiscard]] std::string surface_text(const slope::SlipSurface& surface);

}  // namespace hollin
