// The least factor of a search's grid at each centre (or, for a grid of
// entry and exit points, at each pair of them), taken from the grid's trials
// in trial order: what a picture of the search colours its centres by. A
// grid of more centres than a picture can show is mapped onto blocks of
// neighbouring centres, so that memory stays bounded.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "search/search.h"
#include "search/trial_grid.h"

namespace search {

/// The most cells along each of the grid's first two axes.
inline constexpr std::int32_t kMaxMapCells = 128;

/// A sink of a grid's trials keeping, per cell, the trial of least factor.
class CentreMap final : public TrialSink {
 public:
  /// Cells for `grid`: min(count, kMaxMapCells) along axes a and b; a cell
  /// holds the grid indices i (axis a) with i * columns / count equal to its
  /// column, and likewise for rows.
  explicit CentreMap(const TrialGrid& grid);

  /// Takes trials first, first + 1, ... of the grid; a trial with a factor
  /// replaces its cell's best only when its factor is smaller, so ties keep
  /// the first in trial order. Always true.
  [[nodiscard]] bool take(std::uint64_t first, std::span<const Trial> trials) override;

  [[nodiscard]] std::int32_t columns() const { return columns_; }
  [[nodiscard]] std::int32_t rows() const { return rows_; }
  /// The best trial of cell (column, row); its outcome is not `factor` when
  /// no trial of the cell had one.
  [[nodiscard]] const Trial& best(std::int32_t column, std::int32_t row) const;
  /// The first and last grid index (along axis 0 for a column, axis 1 for a
  /// row) that cell `c` holds.
  [[nodiscard]] std::int32_t first_index(int axis, std::int32_t c) const;
  [[nodiscard]] std::int32_t last_index(int axis, std::int32_t c) const;
  [[nodiscard]] const TrialGrid& grid() const { return grid_; }

 private:
  TrialGrid grid_;
  std::int32_t columns_ = 1;
  std::int32_t rows_ = 1;
  std::vector<Trial> best_;
};

}  // namespace search
