// One trial circle of a search evaluated: cut through the model by
// slope::Cutter, then the factor of safety by the method runner, as `hollin
// analyse` and the programs run it, or the reason it has none. One Evaluator per thread; after
// warm-up an evaluation allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "method/method_run.h"
#include "method/slices.h"
#include "slope/model.h"
#include "slope/slicing.h"
#include "slope/slip_surface.h"

namespace search {

/// How each trial is cut and analysed.
struct Settings {
  /// The method whose factor the search minimises, and its settings.
  method::MethodSettings analysis;
  std::int32_t slices = 50;  ///< N: no slice wider than (exit - entry) / N
  /// A surface whose greatest depth below the ground (at its sections) is
  /// below this is too shallow; 0 admits every depth.
  double min_depth = 0.0;
  /// A sliding mass lighter than this (the sum of its slice weights, per
  /// unit length, loads excluded) is too light; 0 admits every weight.
  double min_weight = 0.0;
  /// How circles are cut: whether one meeting the floor follows it.
  slope::CutOptions cut;
};

/// What a trial ended in: a factor, or why it has none. Only `factor`
/// counts as a candidate minimum.
enum class Outcome : std::uint8_t {
  factor,               ///< a finite factor of safety
  invalid,              ///< not a circle: a radius not above 0, a non-finite value
  misses_slope,         ///< never below the ground
  crosses_ground_more,  ///< crosses the ground more than twice
  ends_below_ground,    ///< the arc ends (at centre height) below the ground
  leaves_model,         ///< leaves through an end of the model
  below_bedrock,        ///< passes below the bedrock
  too_thin,             ///< the sliding mass has no width
  too_many_sections,    ///< the cut would need too many sections
  no_circle,            ///< no circle of that radius through the entry and the exit
  too_shallow,          ///< less deep than the least depth asked for
  too_light,            ///< lighter than the least weight asked for
  no_positive_normal,   ///< stopped at a slice without positive effective normal force
  small_m_factor,       ///< stopped at a slice with an m-factor below 0.2
  no_convergence,       ///< the iteration limit was reached
  no_factor,            ///< no finite factor (the driving forces sum to zero)
  no_solution,          ///< the interslice scale of a rigorous method beyond its range
  turns_upward,         ///< a polyline's base turns back upward towards the head
  too_sharp             ///< a polyline turns by more than --max-angle at a vertex
};

/// The number of outcomes, for tables of counts.
inline constexpr std::size_t kOutcomeCount = 19;

/// A machine key ("factor", "misses_slope", "no_positive_normal_force",
/// ...), the same for a surface problem as slope::problem_key.
[[nodiscard]] std::string_view outcome_key(Outcome outcome);
/// A short lower-case phrase for people.
[[nodiscard]] std::string_view outcome_text(Outcome outcome);

/// One evaluated trial.
struct Trial {
  slope::Circle circle;
  slope::Point entry;  ///< meaningful when the cut succeeded (see has_cut)
  slope::Point exit;
  /// The factor of safety (outcome factor), else NaN.
  double factor = std::numeric_limits<double>::quiet_NaN();
  std::int32_t passes = 0;  ///< simplified method: passes begun
  std::int32_t slices = 0;  ///< slices of the cut; 0 without one
  Outcome outcome = Outcome::invalid;

  /// True when the circle cut out one sliding mass (entry and exit hold).
  [[nodiscard]] bool has_cut() const { return slices > 0; }
};

/// Cuts and analyses circles through one model. Holds a Cutter and a slice
/// table; not shared between threads.
class Evaluator {
 public:
  /// `model` must outlive the evaluator.
  Evaluator(const slope::Model& model, const Settings& settings);

  /// Evaluates `circle` as described above.
  [[nodiscard]] Trial evaluate(const slope::Circle& circle);
  /// Evaluates any surface the same way; the trial's circle is left empty.
  [[nodiscard]] Trial evaluate(const slope::SlipSurface& surface);
  /// A polyline checked first as a sliding body (slope/kinematics.h, with
  /// `max_angle`): outcome invalid for x not increasing, turns_upward or
  /// too_sharp without a cut; else evaluated as above.
  [[nodiscard]] Trial evaluate_checked(const slope::SlipSurface& polyline, double max_angle);
  /// A trial whose circle could not be made (grid kind entry_exit).
  [[nodiscard]] static Trial no_circle();

  /// The cut of the last evaluation (empty when it had none): what a data
  /// file of that surface holds.
  [[nodiscard]] const slope::Cut& cut() const { return cut_; }

 private:
  [[nodiscard]] Trial analyse(Trial trial);

  slope::Cutter cutter_;
  Settings settings_;
  slope::SlipSurface surface_;
  slope::Cut cut_;
  method::SliceTable table_;
};

}  // namespace search
