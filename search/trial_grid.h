// Trial circles of a search as a pure function of their index: a grid of
// three axes (centre x, centre y and radius or tangent level; or entry x,
// exit x and radius), trial k at fixed grid indices, so that any thread may
// evaluate any trial and every run sees the same circles in the same order.
#pragma once

#include <array>
#include <cstdint>

#include "slope/model.h"
#include "slope/slip_surface.h"

namespace search {

/// `count` evenly spaced values from `from` to `to` (both included); a
/// count of 1 gives the middle of the range.
struct Axis {
  double from = 0.0;
  double to = 0.0;
  std::int32_t count = 1;

  /// Value i (0 to count - 1).
  [[nodiscard]] double at(std::int32_t i) const;
  /// Distance between neighbouring values; 0 for a count of 1.
  [[nodiscard]] double step() const;
};

/// What the three axes of a grid are.
enum class GridKind {
  centres_radii,     ///< centre x, centre y, radius
  centres_tangents,  ///< centre x, centre y, level of the circle's lowest point
  entry_exit         ///< entry x and exit x on the ground, radius
};

/// A grid of trial circles. Trial k has the indices (i, j, l) with
/// k = (i * b.count + j) * c.count + l.
struct TrialGrid {
  GridKind kind = GridKind::centres_tangents;
  std::array<Axis, 3> axes;  ///< a, b, c in the order of GridKind

  /// The number of trials, the product of the counts (counts of at least 1).
  [[nodiscard]] std::uint64_t trial_count() const;
};

/// A point of the grid's parameter space: values of the axes a, b, c.
using Params = std::array<double, 3>;
/// Grid indices of one trial.
using Indices = std::array<std::int32_t, 3>;

/// The grid indices of trial k (k below trial_count()).
[[nodiscard]] Indices indices_of(const TrialGrid& grid, std::uint64_t trial);
/// The parameters at grid indices.
[[nodiscard]] Params params_at(const TrialGrid& grid, const Indices& indices);

/// The circle of parameters `p`, in `out`. Centre grids: centre (a, b) and
/// radius c, or radius b - c for a tangent level c (not above 0 when the
/// level is not below the centre: check_surface then calls it invalid). Entry
/// and exit: the circle of radius c through the ground points at x = a and
/// x = b whose centre is the higher of the two; false when there is none
/// (the points coincide or c is below half their distance).
[[nodiscard]] bool circle_at(const TrialGrid& grid, const slope::Polyline& ground, const Params& p,
                             slope::Circle& out);

/// Level of `ground` (x strictly increasing, at least 2 points) at x,
/// clamped to its end levels outside its range.
[[nodiscard]] double ground_level(const slope::Polyline& ground, double x);

/// The largest number of trials of one grid.
inline constexpr std::uint64_t kMaxTrials = 100'000'000;
/// The largest amount of work of one grid: trials times (ground points +
/// slices), a bound on the points and slices every cut may walk.
inline constexpr double kMaxWork = 1e10;
/// The largest size of a limit, as for the numbers of a model file.
inline constexpr double kMaxLimit = 1e9;

/// Why a grid is refused.
enum class GridProblem {
  none,
  count_below_one,      ///< an axis has a count below 1
  not_finite,           ///< a limit is an infinity or a NaN
  too_large,            ///< a limit is beyond kMaxLimit in size
  reversed,             ///< from is above to
  repeated_value,       ///< from equals to with a count above 1
  radius_not_positive,  ///< a radius limit is not above 0
  off_ground,           ///< an entry or exit limit outside the ground's x-range
  too_many_trials,      ///< more than kMaxTrials trials
  too_much_work         ///< more than kMaxWork
};

/// A refusal and the axis (0, 1, 2) it concerns, -1 for the whole grid.
struct GridCheck {
  GridProblem problem = GridProblem::none;
  int axis = -1;
};

/// Checks `grid` for a search through a model with `ground` and `slices`
/// slices per cut, axis by axis (a, b, c), then the whole.
[[nodiscard]] GridCheck check_grid(const TrialGrid& grid, const slope::Polyline& ground,
                                   std::int32_t slices);

/// The work check_grid bounds: trials times (ground points + slices).
[[nodiscard]] double grid_work(const TrialGrid& grid, const slope::Polyline& ground,
                               std::int32_t slices);

}  // namespace search
