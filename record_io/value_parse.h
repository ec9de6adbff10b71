// Conversion of one input value to an integer or a real item.
// Every number that a read statement takes from a record passes through here, so
// that the item rules (sign, D exponents, missing parts, range) live in one place.
#pragma once

#include <cstdint>
#include <string_view>

#include "record_io/io_result.h"

namespace record_io {

/// Converts the characters of one integer value (already cut out of its record,
/// without separators or blanks): an optional sign followed by decimal digits only.
/// A lone sign gives 0; leading zeros are allowed. An empty text, a point, an
/// exponent or any other character gives illegal_numeric; a value outside
/// -2147483648..2147483647 gives numeric_overflow. `value` is set only on success.
[[nodiscard]] Failure parse_integer(std::string_view text, std::int32_t& value);

/// Converts the characters of one real value: an optional sign, digits with an
/// optional point (which may come first), then an optional exponent introduced by
/// E, e, D or d with an optional sign. Missing parts read as zero: "+", ".", "e5"
/// give 0.0 and "-" gives -0.0; an exponent letter without digits is ignored
/// ("1.5e" and "1.5d+" give 1.5). The result is the correctly rounded double for
/// any number of digits. A magnitude that rounds beyond the largest double gives
/// numeric_overflow; one below the smallest denormal rounds to zero of the same
/// sign. An empty text or any other character gives illegal_numeric. `value` is
/// set only on success.
[[nodiscard]] Failure parse_real(std::string_view text, double& value);

}  // namespace record_io
