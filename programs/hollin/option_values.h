// Numbers given on the tool's command line, converted by the record layer's
// value rules (never atof), with the reason when a value is not acceptable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hollin {

/// Parses comma-separated reals ("1.5,-2,3e2") into `values`; false with
/// `why` for an empty field or a value that is not a finite number.
[[nodiscard]] bool parse_real_list(std::string_view text, std::vector<double>& values,
                                   std::string& why);

/// Parses an integer from `lowest` to `highest`; false with `why` otherwise.
[[nodiscard]] bool parse_count(std::string_view text, std::int32_t lowest, std::int32_t highest,
                               std::int32_t& value, std::string& why);

/// Parses a finite real above 0; false with `why` otherwise.
[[nodiscard]] bool parse_positive(std::string_view text, double& value, std::string& why);

}  // namespace hollin
