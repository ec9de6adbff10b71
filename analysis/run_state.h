// Run state of one analysis run. The driver owns one RunState for the whole
// run; the settings reader fills it and the readers, the methods and the
// report read from it.
#pragma once

#include <cstdint>

#include "method/section.h"

namespace analysis {

/// A tolerance value in the settings header takes effect only below this
/// value (0.1 held in single precision, widened to double).
inline constexpr double kToleranceThreshold = 0.10000000149011612;

/// Scalar state of one run. The defaults are the values in force before the
/// settings file is read.
struct RunState {
  /// Convergence tolerance of the simplified method (1e-5 held in single
  /// precision).
  double tolerance = method::kDefaultTolerance;
  /// Largest number of passes of the simplified method.
  std::int32_t iteration_limit = method::kDefaultIterationLimit;
  /// 1: the end sequence pauses for Enter; any other value: no pause.
  std::int32_t closing_pause = 0;
  /// Character between the values of a report line.
  char field_separator = '\t';
  /// Line of the file being read; the read-error exits show it.
  std::int32_t line_counter = 1;
  /// Ordinary method only. 1: pore-water force on the base length
  /// (width / base_cos); any other value: on the horizontal width.
  std::int32_t pore_force_option = 0;
};

}  // namespace analysis
