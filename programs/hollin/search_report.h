// What `hollin search` prints: the limits used and whether they were chosen
// by default, the critical circle and the top list, the counts by outcome and
// the time taken, as text for people or as one JSON object for scripts
// (keys in the README; the time is the last key, "seconds").
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "method/method_run.h"
#include "search/default_limits.h"
#include "search/evaluation.h"
#include "search/find_critical.h"
#include "search/optimise.h"
#include "search/trial_grid.h"
#include "slope/model.h"
#include "slope/slicing.h"

namespace hollin {

/// The limits a search used.
struct SearchLimits {
  search::TrialGrid grid;
  std::array<bool, 3> by_default{};  ///< per axis: chosen from the geometry
  /// The face the defaults came from; empty when no axis was chosen.
  std::optional<search::SlopeFace> face;
  bool bedrock = false;  ///< the bedrock raised the lowest default tangent level
  /// Per axis: how often a default limit was moved beyond the critical
  /// circle that lay on it.
  std::array<std::int32_t, 3> extended{};
};

/// What a circle of the top list shows when cut and analysed again.
struct CircleDetail {
  std::vector<std::int32_t> tension_slices;  ///< effective normal force negative
  slope::Cut::Crack crack;                   ///< the tension crack its head ends at
  double crack_x = 0.0;                      ///< where that crack is
  /// The ranking method's lambda; NaN for a method without one.
  double lambda = std::numeric_limits<double>::quiet_NaN();
  /// The runs of --also on the same cut, in the order named.
  std::vector<method::MethodRun> also;
};

/// A finished search, for printing.
struct SearchSummary {
  const slope::Model& model;
  const search::Settings& settings;
  const SearchLimits& limits;
  const search::CriticalSearch& found;
  double seconds = 0.0;
  int threads = 1;
  int top_asked = 1;  ///< --top
  /// Per circle of the top list, what its cut and run show beyond the
  /// factor.
  std::span<const CircleDetail> details;
  /// The critical circle optimised as a polyline (--optimise on), or null.
  const search::OptimiseResult* optimised = nullptr;
};

/// The text for people.
[[nodiscard]] std::string search_text(const SearchSummary& summary);

/// One JSON object and a line feed: model {title}; method; settings
/// {slices, tension, tolerance, iteration_limit, pore_force, min_depth,
/// min_weight}; limits {kind, face, axes [{name, from, to, count,
/// default, extended}]}; trials {grid, refinement}; outcomes {key: count, for every
/// outcome}; critical (a circle object, or null when no trial has a factor);
/// top [circle objects]; seconds. A circle object: circle {xc, yc, radius},
/// entry {x, y}, exit {x, y}, slices, factor_of_safety, passes, grid_trial,
/// on_limit, tension_slices, tension_crack ({x, depth, water_depth,
/// thrust} or null), lambda (of the ranking method, or null), and with
/// --also, also [run objects as write_run_json writes them]; earthquake
/// {kh, kv}; stopped_in_tension, the grid trials that --tension stop left
/// out.
[[nodiscard]] std::string search_json(const SearchSummary& summary);

/// The names of the grid's axes in JSON ("centre_x", "tangent_level", ...).
[[nodiscard]] std::string_view axis_name(search::GridKind kind, std::size_t axis);

/// True when `params` lies at an end of an axis of more than one value:
/// the least factor may then lie beyond the limits.
[[nodiscard]] bool on_limit(const search::TrialGrid& grid, const search::Params& params);

}  // namespace hollin
