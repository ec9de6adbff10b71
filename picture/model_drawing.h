// A slope model drawn on a page: soils filled with their colours, the
// bedrock, water standing on the slope, the piezometric line, the ground
// line, the tension crack's line and loads as arrows, and the legend that
// names each soil with its strength and unit weights.
#pragma once

#include <string>

#include "picture/page.h"
#include "slope/model.h"

namespace picture {

/// The extent of everything the model holds, with room below the lowest
/// point (layers reach down without limit) and above the ground for loads.
[[nodiscard]] Bounds model_bounds(const slope::Model& model);

/// Level of `ground` (x strictly increasing) at x, clamped at its ends.
[[nodiscard]] double level_at(const slope::Polyline& ground, double x);

/// Draws the soils (layers down to the bottom of the page's world, regions
/// over them), the bedrock, the water standing on the slope, the
/// piezometric line, the ground, the tension crack's line and the loads (a
/// varying load with arrows as long as its intensity).
void draw_model(Page& page, const slope::Model& model);

/// Legend entries of the model: one swatch per soil (name; c', phi', unit
/// weights) as far as the column holds them, then the lines drawn and any
/// earthquake coefficients.
void model_legend(Page& page, const slope::Model& model);

/// The whole picture of a model: `hollin plot MODEL`.
[[nodiscard]] std::string model_picture(const slope::Model& model);

}  // namespace picture
