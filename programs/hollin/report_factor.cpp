#include "programs/hollin/report_factor.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "record_io/value_parse.h"

namespace hollin {
namespace {

std::string_view trim_right(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

bool report_factor(std::string_view report, const analysis::SlopeData& data, double& factor,
                   std::string& why) {
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at < report.size();) {
    const std::size_t end = report.find('\n', at);
    const std::size_t stop = end == std::string_view::npos ? report.size() : end;
    lines.push_back(trim_right(report.substr(at, stop - at)));
    at = stop + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  const std::size_t wanted = 2 * static_cast<std::size_t>(data.section_count) + 9;
  if (lines.size() < wanted) {
    why = "has " + std::to_string(lines.size()) + " lines, fewer than the " +
          std::to_string(wanted) + " of a report for " + std::to_string(data.section_count) +
          " sections: not the report of this data file";
    return false;
  }
  const std::string_view title =
      trim_right(std::string_view(data.title_1.data(), data.title_1.size()));
  if (lines[lines.size() - wanted] != title) {
    why = "line " + std::to_string(lines.size() - wanted + 1) +
          " is not the data file's first title: not the report of this data file";
    return false;
  }
  const std::string_view last = lines.back();
  std::size_t begin = last.size();
  constexpr std::string_view kNumberLetters = "0123456789.+-EeDdINFa";
  while (begin > 0 && kNumberLetters.find(last[begin - 1]) != std::string_view::npos) --begin;
  const std::string_view value = last.substr(begin);
  if (value == "INF" || value == "-INF" || value == "NaN") {
    why = "gives no finite factor of safety (" + std::string(value) + ")";
    return false;
  }
  if (value.empty() || record_io::parse_real(value, factor) != record_io::Failure::none ||
      !std::isfinite(factor)) {
    why = "line " + std::to_string(lines.size()) + " does not end in the factor of safety";
    return false;
  }
  return true;
}

}  // namespace hollin
