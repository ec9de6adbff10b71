// Local refinement of a good trial: a deterministic pattern search in the
// grid's parameter space (centre and radius or tangent level; or entry, exit
// and radius), inside the grid's limits, every circle evaluated by the same
// Evaluator code as the grid, so that the refined factor is a report's factor.
#pragma once

#include <cstdint>

#include "search/search.h"

namespace search {

/// The refinement stops once the factor has changed by less than this over
/// the last two halvings of the step.
inline constexpr double kRefineChange = 1e-4;

/// A refined trial and the work it took.
struct Refined {
  Ranked best;                    ///< the best circle found, its index the start's
  std::uint64_t evaluations = 0;  ///< circles evaluated
  std::int32_t halvings = 0;      ///< times the step was halved
};

/// Refines `start` (a trial with a factor): each stage evaluates, in
/// parallel, the up to 26 neighbours of the current parameters at the
/// current step (one grid step per axis at first; an axis of count 1 stays
/// fixed), each clamped to its axis's range. The best neighbour with a
/// smaller factor (ties: the first in a fixed order) becomes current;
/// without one the step is halved. Stops after at least 6 halvings when
/// the factor changed by less than kRefineChange over the last two, and
/// after 60 halvings or 1000 stages in any case.
[[nodiscard]] Refined refine(EvaluatorPool& pool, const TrialGrid& grid, const Ranked& start);

}  // namespace search
