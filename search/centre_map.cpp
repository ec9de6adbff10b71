#include "search/centre_map.h"

#include <algorithm>
#include <cstddef>

namespace search {

CentreMap::CentreMap(const TrialGrid& grid)
    : grid_(grid),
      columns_(std::clamp(grid.axes[0].count, 1, kMaxMapCells)),
      rows_(std::clamp(grid.axes[1].count, 1, kMaxMapCells)),
      best_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

bool CentreMap::take(std::uint64_t first, std::span<const Trial> trials) {
  const std::int64_t na = std::max(grid_.axes[0].count, 1);
  const std::int64_t nb = std::max(grid_.axes[1].count, 1);
  for (std::size_t t = 0; t < trials.size(); ++t) {
    const Trial& trial = trials[t];
    if (trial.outcome != Outcome::factor) continue;
    const Indices i = indices_of(grid_, first + t);
    const auto column = static_cast<std::size_t>(i[0] * std::int64_t{columns_} / na);
    const auto row = static_cast<std::size_t>(i[1] * std::int64_t{rows_} / nb);
    Trial& cell = best_[row * static_cast<std::size_t>(columns_) + column];
    if (cell.outcome != Outcome::factor || trial.factor < cell.factor) cell = trial;
  }
  return true;
}

const Trial& CentreMap::best(std::int32_t column, std::int32_t row) const {
  return best_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column)];
}

std::int32_t CentreMap::first_index(int axis, std::int32_t c) const {
  const std::int64_t n = std::max(grid_.axes[static_cast<std::size_t>(axis)].count, 1);
  const std::int64_t cells = axis == 0 ? columns_ : rows_;
  // The least i with i * cells / n == c.
  return static_cast<std::int32_t>((c * n + cells - 1) / cells);
}

std::int32_t CentreMap::last_index(int axis, std::int32_t c) const {
  return first_index(axis, c + 1) - 1;
}

}  // namespace search
