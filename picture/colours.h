// Colours of the pictures, chosen to stay distinguishable for colour-blind
// readers: a sampled viridis scale for values, a light qualitative palette
// (Paul Tol's) for soils, and Okabe-Ito colours for lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace picture {

/// "#rrggbb" of the viridis scale at `t` (0 dark purple to 1 yellow),
/// linear between nine samples; `t` is clamped to [0, 1], a NaN taken as 0.
[[nodiscard]] std::string scale_colour(double t);

/// "#rrggbb" of soil `index` (from 0): a light palette of eight colours,
/// repeated beyond them.
[[nodiscard]] std::string_view soil_colour(std::size_t index);

/// The critical surface (Okabe-Ito vermillion).
inline constexpr std::string_view kCriticalColour = "#d55e00";
/// The piezometric and pore-water head lines (Okabe-Ito blue).
inline constexpr std::string_view kWaterColour = "#0072b2";
/// Water standing on the slope: the water colour at 30 % on white.
inline constexpr std::string_view kPondColour = "#b3d5e8";
/// The ground line, text and outlines.
inline constexpr std::string_view kInkColour = "#222222";
/// Faint circles of the top list and cells without a factor.
inline constexpr std::string_view kFaintColour = "#7f7f7f";

}  // namespace picture
