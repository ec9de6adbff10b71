// Run state of one analysis run and the constants the three programs share.
// The driver owns one RunState for the whole run; the settings reader fills
// it and the readers, the methods and the report read from it.
#pragma once

#include <cstdint>

namespace analysis {

/// Greatest number of sections of a slope data file (and so of slices + 1).
inline constexpr std::int32_t kMaxSections = 150;

/// A tolerance value in the settings header takes effect only below this
/// value (0.1 held in single precision, widened to double).
inline constexpr double kToleranceThreshold = 0.10000000149011612;

/// The iteration stops at a slice whose m-factor is below this value (0.2
/// held in single precision, widened to double).
inline constexpr double kMinimumMFactor = 0.20000000298023224;

/// Degrees to radians: pi rounded to single precision, divided by 180 in
/// double precision (not the double-precision pi / 180).
inline constexpr double kDegreeFactor = 0.017453293005625408;

/// Units of the record layer; the file choice shows these numbers.
inline constexpr int kJobUnit = 11;       ///< job file of the batch program
inline constexpr int kResultsUnit = 12;   ///< results file (written)
inline constexpr int kDataUnit = 13;      ///< slope data file (read)
inline constexpr int kSettingsUnit = 14;  ///< settings file (read)

/// Scalar state of one run. The defaults are the values in force before the
/// settings file is read.
struct RunState {
  /// Convergence tolerance of the simplified method (1e-5 held in single
  /// precision).
  double tolerance = 9.999999747378752e-06;
  /// Largest number of passes of the simplified method.
  std::int32_t iteration_limit = 50;
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
