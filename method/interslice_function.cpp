#include "method/interslice_function.h"

#include <cmath>
#include <numbers>

namespace method {

double IntersliceFunction::at(double x) const {
  switch (shape) {
    case Interslice::constant:
      return 1.0;
    case Interslice::half_sine:
      return std::sin(std::numbers::pi * x);
    case Interslice::clipped_sine: {
      // The sine between the two points where it takes the end values.
      const double from = std::asin(head) / std::numbers::pi;
      const double to = 1.0 - std::asin(toe) / std::numbers::pi;
      return std::sin(std::numbers::pi * (from + x * (to - from)));
    }
    case Interslice::trapezoidal:
      if (x < 0.25) return head + (1.0 - head) * x / 0.25;
      if (x > 0.75) return toe + (1.0 - toe) * (1.0 - x) / 0.25;
      return 1.0;
    case Interslice::points: {
      if (node_count == 0) return 0.0;
      if (x <= nodes[0].x) return nodes[0].f;
      for (std::size_t k = 1; k < node_count; ++k) {
        const IntersliceNode& a = nodes[k - 1];
        const IntersliceNode& b = nodes[k];
        if (x <= b.x) return a.f + (b.f - a.f) * (x - a.x) / (b.x - a.x);
      }
      return nodes[node_count - 1].f;
    }
  }
  return 1.0;
}

std::string_view interslice_fault(const IntersliceFunction& function) {
  const auto unit = [](double v) { return v >= 0.0 && v <= 1.0; };
  switch (function.shape) {
    case Interslice::constant:
    case Interslice::half_sine:
      return {};
    case Interslice::clipped_sine:
      if (!(unit(function.head) && function.head < 1.0 && unit(function.toe) &&
            function.toe < 1.0)) {
        return "the ends of a clipped sine lie in [0, 1)";
      }
      return {};
    case Interslice::trapezoidal:
      if (!(unit(function.head) && unit(function.toe))) return "the ends lie in [0, 1]";
      return {};
    case Interslice::points:
      if (function.node_count == 0) return "at least one point is needed";
      if (function.node_count > kMaxIntersliceNodes) return "at most 32 points";
      for (std::size_t k = 0; k < function.node_count; ++k) {
        const IntersliceNode& n = function.nodes[k];
        if (!unit(n.x)) return "each point's x lies in [0, 1]";
        if (!unit(n.f)) return "each point's f lies in [0, 1]";
        if (k > 0 && !(n.x > function.nodes[k - 1].x)) return "the points' x increase strictly";
      }
      return {};
  }
  return {};
}

}  // namespace method
