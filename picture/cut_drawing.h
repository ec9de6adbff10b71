// A cut slip surface drawn: over a model (its slices shaded by their
// effective normal force, or hatched where a slice is inadmissible, the
// entry and exit marked, an open tension crack at the head drawn heavy, the
// factors written large), or from a stored slope data file alone (ground,
// slip surface, lower zone, pore-water head line).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "method/line_of_thrust.h"
#include "method/section.h"
#include "slope/model.h"
#include "slope/slicing.h"

namespace picture {

/// What a picture shows of one slice (slice i between sections i and i+1).
struct SliceShade {
  /// Effective normal force on the base, positive in compression; NaN when
  /// the method gave none.
  double normal_force = 0.0;
  bool inadmissible = false;  ///< no positive normal force, or the method stopped here
};

/// A factor of safety written large, with what it comes from.
struct FactorLabel {
  std::string label;             ///< e.g. "simplified method"
  std::optional<double> factor;  ///< empty: the method gave no factor
  std::string why;               ///< shown instead when there is no factor
};

/// The picture of `cut` (admissible) through `model`: `hollin plot MODEL
/// --circle ...`. `shades` has one entry per slice (or is empty: slices
/// outlined only); `thrust`, when not empty, the line of thrust of a method
/// with interslice forces.
[[nodiscard]] std::string cut_picture(const slope::Model& model, const slope::Cut& cut,
                                      std::span<const SliceShade> shades,
                                      std::span<const FactorLabel> factors,
                                      std::span<const method::ThrustPoint> thrust = {});

/// A stored slope data file as the picture needs it.
struct DataView {
  std::string_view title;
  std::string_view subtitle;
  std::span<const method::Section> sections;  ///< head to toe, as read
  std::optional<FactorLabel> factor;          ///< from a results report
};

/// The picture of a stored data file: `hollin plot DATA.dat`.
[[nodiscard]] std::string data_picture(const DataView& data);

}  // namespace picture
