// A search drawn over its model: the grid of centres coloured by the least
// factor found at each (with the colour scale), the critical circle bold
// with its factor written large, the rest of the top list faint; and what a
// page needs to show each centre's circle when pointed at.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "search/centre_map.h"
#include "search/search.h"
#include "slope/model.h"

namespace picture {

/// One coloured cell of the picture, as a page's script shows it.
struct PageCell {
  double factor = 0.0;   ///< the least factor of the cell
  slope::Circle circle;  ///< the circle that gave it (model units)
  std::string arc;       ///< SVG path data of its slip surface on the page
};

/// The picture and the cells it draws, in the order of their data-i attribute.
struct SearchPicture {
  std::string svg;
  std::vector<PageCell> cells;
};

/// Draws the search of `model`: `map` (the grid's trials taken in order)
/// and `top` (the critical circle first; may be empty), ranked by `method`
/// (its name and parameters, written under the factor); with `composite`,
/// a circle of the top list that follows the floor is drawn as the
/// composite surface it became. Cells are drawn as
/// tiles at their centres on a centre grid, as dots at the centre of their
/// best circle on an entry and exit grid; cells without a factor are not
/// drawn. The elements a page's script uses carry data-i (a cell) and
/// data-top (a circle of the top list, 0 the critical one).
[[nodiscard]] SearchPicture search_picture(const slope::Model& model, const search::CentreMap& map,
                                           std::span<const search::Ranked> top,
                                           std::string_view method, bool composite);

}  // namespace picture
