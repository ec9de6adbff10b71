// The pictures `hollin search` writes on request: the search drawn as SVG
// (--svg) and as a self-contained HTML page to explore (--html), whose
// script data the tool's one JSON writer builds.
#pragma once

#include <string>

#include "search/centre_map.h"
#include "search/find_critical.h"
#include "slope/model.h"

namespace hollin {

/// The two texts of a finished search.
struct SearchPictureTexts {
  std::string svg;
  std::string html;
};

/// Draws the search of `model` (its grid's trials in `map`, the top list in
/// `found`) as SVG, and as the HTML page when `page` is true.
[[nodiscard]] SearchPictureTexts search_picture_texts(const slope::Model& model,
                                                      const search::CentreMap& map,
                                                      const search::CriticalSearch& found,
                                                      bool page);

}  // namespace hollin
