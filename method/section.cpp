#include "method/section.h"

#include <cmath>

namespace method {

double tan_phi_of(double friction_angle_degrees) {
  return std::tan(friction_angle_degrees * kDegreeFactor);
}

}  // namespace method
