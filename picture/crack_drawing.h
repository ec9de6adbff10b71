// The tension crack drawn: over a model, the line a crack reaches down to
// (the ground lowered by the crack's depth) with words for the crack; over a
// cut surface, the open crack at the surface's head.
#pragma once

#include <string>

#include "method/section.h"
#include "picture/page.h"
#include "slope/model.h"

namespace picture {

/// The crack line of a model and its greatest depth.
struct CrackLine {
  /// Over the crack's range, the ground lowered by the crack's depth, with a
  /// vertical step where the depth changes (the automatic depth of another
  /// soil); empty without a crack or where the crack has no depth.
  slope::Polyline points;
  double deepest = 0.0;
};

/// The crack line of `model`.
[[nodiscard]] CrackLine crack_line(const slope::Model& model);

/// Words for the crack: "tension crack 2.5 deep" or "tension crack
/// (automatic depth)", then ", full of water" or ", with water 1.2" (the
/// water in a crack `deepest` deep) when it holds water.
[[nodiscard]] std::string crack_label(const slope::TensionCrack& crack, double deepest);

/// Draws the crack line of `model` as a dashed line with its words under
/// it; returns whether there was one.
bool draw_crack_line(Page& page, const slope::Model& model);

/// Draws the open crack at the head of a cut surface (its first section):
/// a heavy vertical line from the slip surface up to the ground, when the
/// surface ends visibly below the ground there, and the water standing in
/// it, `water_depth` from its bottom, as a line of the water colour beside
/// it; returns whether it did.
bool draw_open_crack(Page& page, const method::Section& head, double water_depth);

}  // namespace picture
