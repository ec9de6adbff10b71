// A search as one self-contained HTML page: its picture inline, a small
// script and style inline, the script's data embedded as JSON (built here),
// and a content security policy that lets the page fetch nothing.
#pragma once

#include <string>
#include <string_view>

#include "search/centre_map.h"
#include "search/find_critical.h"
#include "slope/model.h"

namespace picture {

/// `json` made safe inside a script element: every '<' becomes \u003c,
/// which JSON reads back as '<' (a '<' can only stand inside a JSON
/// string), so that no text can close the element.
[[nodiscard]] std::string script_safe_json(std::string_view json);

/// The page: `title` (escaped) as its title, `svg` (a search_picture) inline
/// and `data_json` (one JSON object with "cells": [{"xc", "yc", "radius",
/// "factor", "arc"}, ...] in the order of the picture's data-i, and "top":
/// [{"factor"}, ...]) embedded for the script. Pointing at a cell shows its
/// least factor and draws its circle; pointing at a circle of the top list
/// or its line in the legend highlights it. Opened with the fragment
/// #selftest, the page points at the first cell it can hit by itself and
/// writes what it showed, what it expected, the resources it loaded and any
/// script errors into a <pre id="selftest"> element.
[[nodiscard]] std::string search_page(std::string_view title, std::string_view svg,
                                      std::string_view data_json);

/// The two texts of a finished search.
struct SearchPictureTexts {
  std::string svg;
  std::string html;
};

/// Draws the search of `model` (its grid's trials in `map`, the top list in
/// `found`, ranked by `method`, circles following the floor with
/// `composite`) as SVG, and as the HTML page when `page` is true, its data
/// the cells of the picture and the factors of the top list.
[[nodiscard]] SearchPictureTexts search_picture_texts(const slope::Model& model,
                                                      const search::CentreMap& map,
                                                      const search::CriticalSearch& found,
                                                      std::string_view method, bool composite,
                                                      bool page);

}  // namespace picture
