// Numbers as the tool writes them for scripts and people: the shortest
// decimal text that reads back to the same double, so that a value written
// by hollin and read again is the value it computed, bit for bit.
#pragma once

#include <string>
#include <string_view>

namespace hollin {

/// Appends the shortest text that reads back to exactly `value`
/// (std::to_chars without a precision): 0.1 -> "0.1", 1e-05 -> "1e-05",
/// -0.0 -> "-0", 1.5e300 -> "1.5e+300". An infinity gives "inf" or "-inf"
/// and a NaN "nan"; callers that need finite numbers check first.
void append_shortest(std::string& text, double value);

/// The same as a new string.
[[nodiscard]] std::string shortest(double value);

}  // namespace hollin
