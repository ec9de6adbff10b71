// `hollin search --surface path|block`: the search for a critical surface
// that is not a circle, its options checked, run in a task arena of the
// threads asked for, and told in text or JSON.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "programs/hollin/command_context.h"
#include "search/evaluation.h"
#include "search/optimise.h"
#include "slope/model.h"
#include "slope/slope_face.h"
#include "text/json_writer.h"

namespace hollin {

/// The options of a search for polylines, as given.
struct PolylineSearchOptions {
  std::string surface = "circle";  ///< circle, path or block
  std::string count;               ///< trial surfaces; empty: 20000
  std::string vertices;            ///< a path's interior vertices; empty: 2
  std::string head;                ///< a path's head range X1,X2; empty: from the face
  std::string toe;                 ///< a path's toe range X1,X2; empty: from the face
  std::vector<std::string> boxes;  ///< a block's boxes X1,X2,Y1,Y2
  std::string max_angle;           ///< the largest turn at a vertex; empty: 120
  std::string optimise;            ///< on or off; empty: on for paths and blocks, off for circles
  std::string vertices_optimised;  ///< vertices of the optimised polyline; empty: 12
  std::string svg;                 ///< the picture to write, or empty
  std::string active_angle;        ///< block: A1,A2 degrees; empty: 45 + phi/2
  std::string passive_angle;       ///< block: P1,P2 degrees; empty: 45 - phi/2
};

/// Parses --optimise and --optimise-vertices for `surface`; false with `why`.
[[nodiscard]] bool parse_optimise(const PolylineSearchOptions& options, bool& on,
                                  std::int32_t& vertices, std::string& why);

/// What the circle search settled before the surfaces part ways.
struct PolylineSearchRun {
  const slope::Model* model = nullptr;
  std::string model_path;
  search::Settings settings;
  std::optional<slope::Face> face;
  std::int32_t top = 1;
  std::int32_t threads = 1;
  bool json = false;
  std::chrono::steady_clock::time_point started;
};

/// The optimised surface for people ("optimised: factor of safety ...") and
/// as the JSON member "optimised" (null without one).
void append_optimised_text(std::string& out, const search::OptimiseResult& result);
void write_optimised_json(text::JsonWriter& json, const search::OptimiseResult* result);

/// Runs the search and puts its report into `context`; the exit status.
[[nodiscard]] int run_polyline_search(const PolylineSearchOptions& options,
                                      const PolylineSearchRun& run, CommandContext& context);

}  // namespace hollin
