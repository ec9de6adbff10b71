#include "programs/hollin/option_values.h"

#include <cmath>

#include "record_io/value_parse.h"

namespace hollin {

bool parse_real_list(std::string_view text, std::vector<double>& values, std::string& why) {
  values.clear();
  for (;;) {
    const std::size_t comma = text.find(',');
    const std::string_view field = text.substr(0, comma);
    double value = 0.0;
    if (field.empty() || record_io::parse_real(field, value) != record_io::Failure::none ||
        !std::isfinite(value)) {
      why = "'" + std::string(field) + "' is not a number";
      return false;
    }
    values.push_back(value);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

bool parse_count(std::string_view text, std::int32_t lowest, std::int32_t highest,
                 std::int32_t& value, std::string& why) {
  std::int32_t parsed = 0;
  if (text.empty() || record_io::parse_integer(text, parsed) != record_io::Failure::none ||
      parsed < lowest || parsed > highest) {
    why = "'" + std::string(text) + "' is not a whole number from " + std::to_string(lowest) +
          " to " + std::to_string(highest);
    return false;
  }
  value = parsed;
  return true;
}

bool parse_positive(std::string_view text, double& value, std::string& why) {
  double parsed = 0.0;
  if (text.empty() || record_io::parse_real(text, parsed) != record_io::Failure::none ||
      !std::isfinite(parsed) || !(parsed > 0.0)) {
    why = "'" + std::string(text) + "' is not a number above 0";
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace hollin
