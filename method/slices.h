// Slice quantities: the N sections of a trial slip surface become N - 1
// slices with their geometry, weight, load and force terms, summed into the
// factor of safety by the ordinary method of slices (also the simplified
// method's start). Pure computation: no files, no messages, no shared state,
// so any number of threads may each fill their own table at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "method/section.h"

namespace method {

/// Where the ordinary method takes the pore-water force on a slice base.
enum class PoreForce {
  base_width,  ///< pressure times the horizontal width
  base_length  ///< pressure times the base length (width / base_cos)
};

/// Per-slice quantities, slice i (1-based) at [i - 1], entries 0 to
/// slice_count - 1 in use, and the run-wide sums. The columns grow to the
/// largest surface seen and are then reused: filling a table again for a
/// surface of no more slices allocates nothing.
///
/// Sign conventions: resisting_force and cohesion_force are negative for
/// positive strength; driving_force is positive where the slip surface falls
/// from section i to section i + 1. base_slope is the rise from section i to
/// section i + 1 over the unsigned width, so it is negative where the sliding
/// mass drives when the sections run from head to toe.
struct SliceTable {
  using Column = std::vector<double>;

  Column width;              ///< |x(i+1) - x(i)|
  Column mean_height;        ///< mean ground height above the slip surface
  Column mean_lower_height;  ///< mean height of the lower zone
  Column mean_pore_head;     ///< mean pore-water head at the base
  Column base_slope;         ///< rise of the base over width
  Column base_sin;           ///< sine of the base inclination
  Column base_cos;           ///< cosine of the base inclination
  Column weight;             ///< weight of the slice
  Column load;               ///< external vertical force, downward positive
  Column driving_force;      ///< -(base_sin * (weight + load))
  Column normal_force;       ///< effective normal force at the base
  Column cohesion_force;     ///< -(cohesion * base length)
  Column resisting_force;    ///< friction and cohesion terms, signed
  Column net_force;          ///< resisting_force + driving_force
  Column friction_force;     ///< ordinary method: friction part, signed
  Column m_factor;           ///< simplified method: m-factor of the last pass
  /// Horizontal force on the slice towards the toe (earthquake, water on its
  /// top); filled only for a surface with loads, which the ordinary method
  /// resolves onto the base.
  Column horizontal_force;
  /// Ordinary method: 1 where the effective normal force of the slice was
  /// not greater than 0 (NaN included), so its friction part was dropped.
  std::vector<unsigned char> normal_not_positive;

  /// Working columns of the methods, kept here so that a reused table
  /// allocates nothing; their contents are no result.
  struct Work {
    Column fixed_normal;    ///< simplified method: the part of the normal term without F
    Column cohesion_slope;  ///< cohesion_force * base_slope
    Column friction_slope;  ///< tan_phi * base_slope
    Column tan_phi;         ///< of each slice's first section
    Column normal;          ///< normal term of a pass, before the m-factor
    Column m_factor;        ///< m-factor of a pass
    Column normal_force;    ///< normal force of a pass
    Column resisting;       ///< resisting force of a pass
    Column net;             ///< net force of a pass
    /// The general formulation: each slice's interslice force on its toe
    /// side is carry_constant + carry_slope times the one on its head side;
    /// its base normal force is normal_base + inv_m times its interslice
    /// shear.
    Column carry_constant;
    Column carry_slope;
    Column inv_m;
    Column normal_base;
  } work;

  std::int32_t slice_count = 0;  ///< N - 1, or 0 when N < 2
  double sum_resisting = 0.0;    ///< sum of resisting_force
  double sum_driving = 0.0;      ///< sum of driving_force
  double safety_factor = 0.0;    ///< current estimate of the factor of safety

  /// Makes room for `slices` slices; allocates only when the table grows.
  void resize(std::size_t slices);
};

/// Fills `table` for the simplified method's start: the ordinary method with
/// the effective normal force clamped at 0 and the pore-water force taken on
/// the horizontal width. safety_factor = |sum_resisting / sum_driving|, which
/// is NaN with fewer than two sections (0 / 0) and INF for a zero driving
/// sum. Nothing is checked: zero widths and odd values go into the arithmetic
/// as given.
void compute_first_estimate(const SurfaceData& surface, SliceTable& table);

/// Fills `table` by the ordinary method: the effective normal force is not
/// clamped; where it is not greater than 0 (NaN included) the friction part
/// is dropped and normal_not_positive is set for the slice. safety_factor is
/// set as by reported_factor.
void compute_ordinary(const SurfaceData& surface, PoreForce pore_force, SliceTable& table);

/// The factor of safety from the sums as they stand:
/// |sum_resisting / sum_driving| (INF or NaN for a zero driving sum).
[[nodiscard]] double reported_factor(const SliceTable& table);

}  // namespace method
