// Numbers as text, every format the suite writes outside the fixed record
// layouts: the shortest exact form for scripts and data files, printf's
// fixed decimals for reports, and the short forms of pictures and labels.
#pragma once

#include <string>

namespace text {

/// Appends the shortest text that reads back to exactly `value`
/// (std::to_chars without a precision): 0.1 -> "0.1", 1e-05 -> "1e-05",
/// -0.0 -> "-0", 1.5e300 -> "1.5e+300". An infinity gives "inf" or "-inf"
/// and a NaN "nan"; callers that need finite numbers check first.
void append_shortest(std::string& text, double value);

/// The same as a new string.
[[nodiscard]] std::string shortest(double value);

/// `value` with exactly `decimals` decimals (0 to 6), the text printf's
/// "%.*f" writes: 1.23456 -> "1.235" (3), 2.5 -> "2" (0, ties to even on the
/// exact binary value), -0.0001 -> "-0.000" (3), infinities "inf" and
/// "-inf", a NaN "nan" or "-nan".
[[nodiscard]] std::string fixed_decimals(double value, int decimals);

/// `value` with exactly `decimals` decimals (0 to 6) for labels, never a
/// negative zero: 0.9851988 -> "0.985" (3), -0.0001 -> "0.000" (3); "-" for
/// a value that is not finite.
[[nodiscard]] std::string fixed_text(double value, int decimals);

/// `value` with at most `decimals` decimals (0 to 6), trailing zeros and a
/// trailing point dropped, for labels: 19.6 -> "19.6" (3), 20.0 -> "20" (3),
/// -0.001 -> "0" (2); "-" for a value that is not finite.
[[nodiscard]] std::string short_text(double value, int decimals);

/// Appends a coordinate or size of a picture's page: at most two decimals,
/// trailing zeros and a trailing point dropped, never "-0": 12.5 -> "12.5",
/// 3.0 -> "3", -0.25 -> "-0.25", -0.001 -> "0". A value that is not finite
/// is written as 0, one beyond 10^7 in size as +-10000000, so that a
/// picture stays well formed.
void append_coordinate(std::string& text, double value);

/// The same as a new string.
[[nodiscard]] std::string coordinate_text(double value);

}  // namespace text
