// `hollin search MODEL [limits] [method options]`: the circle of least factor
// of safety through a slope model, found over a grid of trial circles (by
// default one chosen from the slope's geometry) and refined, with its
// counts, the top list, and on request the trials table, the critical
// surface as a slope data file, and the search as a picture and a page.
#pragma once

#include <optional>
#include <string>

#include "programs/hollin/command_context.h"
#include "programs/hollin/load_options.h"
#include "programs/hollin/method_options.h"
#include "programs/hollin/polyline_search_command.h"

namespace CLI {
class App;
}

namespace hollin {

/// The command line of `hollin search`; empty texts take the defaults.
struct SearchOptions : MethodOptions, LoadOptions {
  std::string model;
  std::string method = "simplified";  ///< simplified or ordinary
  std::string slices;                 ///< empty: 50
  std::string centres;                ///< XMIN,XMAX,NX,YMIN,YMAX,NY
  std::string radii;                  ///< RMIN,RMAX,NR
  std::string tangents;               ///< YMIN,YMAX,NT
  std::string entry;                  ///< X1,X2,N
  std::string exit;                   ///< X3,X4,N
  std::string min_depth;              ///< empty: 0
  std::string min_weight;             ///< empty: 0
  std::string face;                   ///< left, right or empty (the higher face)
  std::string composite = "on";       ///< a circle meeting the floor follows it: on or off
  PolylineSearchOptions polyline;     ///< --surface path or block and theirs
  std::string top;                    ///< empty: 1
  std::string threads;                ///< empty: every core
  std::string trials;                 ///< the trials table to write, or empty
  std::string cut;                    ///< the data file of the critical surface, or empty
  std::string svg;                    ///< the picture of the search to write, or empty
  std::string html;                   ///< the page of the search to write, or empty
  /// Further methods run on each circle of the top list after the search:
  /// method words separated by commas, or "all"; empty when not given.
  std::optional<std::string> also;
  bool json = false;
  /// Show a progress line on standard error (main sets it when that is a
  /// terminal); it appears only after a second and is cleared at the end.
  bool progress = false;
};

/// Declares the arguments and options of `hollin search` into `options`.
void declare_search(CLI::App& app, SearchOptions& options);

/// Largest --top accepted.
inline constexpr int kMaxTop = 100;
/// Largest --threads accepted.
inline constexpr int kMaxThreads = 1024;

/// Runs the search and writes its result (text or JSON) and the files asked
/// for. Returns kExitUsage for bad options or limits, kExitRefused for a
/// refused model, a search in which no trial has a factor, or a file not
/// written, and kExitSuccess otherwise.
[[nodiscard]] int run_search(const SearchOptions& options, CommandContext& context);

}  // namespace hollin
