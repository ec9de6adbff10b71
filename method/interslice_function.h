// The shape f(x) of the inclination of the interslice forces of the
// Morgenstern-Price method and the general formulation: the interslice shear
// is lambda f(x) times the normal force, x running from 0 at the surface's
// head to 1 at its toe.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace method {

enum class Interslice : std::uint8_t {
  constant,      ///< f = 1 (Spencer's method)
  half_sine,     ///< f = sin(pi x)
  clipped_sine,  ///< a stretch of the sine with the values `head` and `toe` at the ends
  trapezoidal,   ///< `head` at x = 0 rising to 1 at 1/4, 1 to 3/4, falling to `toe` at 1
  points         ///< straight lines through the given points, level beyond the end ones
};

/// One point of a function given by points.
struct IntersliceNode {
  double x = 0.0;
  double f = 0.0;
};

/// Most points a function given by points may have.
inline constexpr std::size_t kMaxIntersliceNodes = 32;

struct IntersliceFunction {
  Interslice shape = Interslice::half_sine;
  double head = 0.0;  ///< clipped-sine and trapezoidal: f at the head
  double toe = 0.0;   ///< clipped-sine and trapezoidal: f at the toe
  std::array<IntersliceNode, kMaxIntersliceNodes> nodes{};
  std::size_t node_count = 0;

  constexpr IntersliceFunction() = default;
  /// The shape with its usual ends: 1/2 at both ends for the clipped sine,
  /// 0 for the trapezoid.
  constexpr IntersliceFunction(Interslice s)  // NOLINT(google-explicit-constructor)
      : shape(s), head(s == Interslice::clipped_sine ? 0.5 : 0.0), toe(head) {}

  /// f(x) for x in [0, 1].
  [[nodiscard]] double at(double x) const;
};

/// Why `function` cannot be used, naming the value; empty when it can. The
/// ends lie in [0, 1] (below 1 for the clipped sine, whose ends are values of
/// a sine below its crest); points have x in [0, 1], strictly increasing,
/// and f in [0, 1]; a function of points has at least one.
[[nodiscard]] std::string_view interslice_fault(const IntersliceFunction& function);

}  // namespace method
