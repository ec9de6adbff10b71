// Free-format rendering of numeric items: how an integer or a real looks on a
// line that the record layer writes item by item. Every digit is decided from
// the exact binary value, so the same double always gives the same characters.
#pragma once

#include <cstdint>
#include <string>

namespace record_io {

/// Appends the free-format rendering of an integer item to `record`: a blank,
/// a minus sign for a negative value or a blank otherwise, then the decimal
/// digits without leading zeros. 5 appends "  5", -5 appends " -5", 0 appends
/// "  0", and INT32_MIN appends " -2147483648".
void append_integer_item(std::string& record, std::int32_t value);

/// Appends the free-format rendering of a real item to `record`: a blank, a
/// sign position, then the magnitude. The sign position is '-' whenever the
/// sign bit is set (so -0.0 shows '-'), except for a NaN, which is never
/// negative; else a blank. The magnitude is written as follows:
/// - fixed form, for zero and for magnitudes that round to at least 0.1 and
///   below 1e15 at 15 significant digits: those 15 digits, rounded halves away
///   from zero, with the point in place; below 1 as "0." and 15 digits.
///   1.0 -> "  1.00000000000000", 0.5 -> "  0.500000000000000",
///   100000000000000.5 -> "  100000000000001.", 0.0 -> "  0.000000000000000".
/// - exponent form otherwise: one digit, a point, 15 digits, 'E', the
///   exponent's sign and three exponent digits. The 16 mantissa digits are the
///   first 16 significant digits of the exact value, except that a 16th digit
///   of 5 or more rounds the mantissa up at the 15th digit and shows a 0 in
///   16th place. 0.0025 -> "  2.500000000000000E-003",
///   1.0 / 15 -> "  6.666666666666670E-002", 1e15 -> "  1.000000000000000E+015".
/// - "INF" for an infinity and "NaN" for a not-a-number.
void append_real_item(std::string& record, double value);

}  // namespace record_io
