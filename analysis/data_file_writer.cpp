#include "analysis/data_file_writer.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "analysis/data_file_limits.h"
#include "text/number_text.h"

namespace analysis {
namespace {

constexpr std::string_view kHeaderCaption = "water unit weight, sections, four unused numbers";
constexpr std::string_view kSectionCaption =
    "x ground slip lower pore lower_uw upper_uw c phi load s1 s2 s3 s4 s5 s6";
constexpr std::string_view kSpareValues = " 0 0 0 0 0 0";

void append_title(std::string& text, std::string_view title) {
  for (const char c : title) {
    const auto code = static_cast<unsigned char>(c);
    text += code < 0x20 || code == 0x7F ? ' ' : c;
  }
  text += '\n';
}

std::array<double, 10> file_values(const method::Section& s) {
  return {s.x,
          s.ground_level,
          s.slip_level,
          s.lower_height,
          s.pore_head,
          s.lower_unit_weight,
          s.upper_unit_weight,
          s.cohesion,
          s.friction_angle,
          -s.vertical_load};
}

}  // namespace

DataFileStatus write_data_file_text(const DataFileContent& content, std::string& text) {
  text.clear();
  if (content.sections.size() > static_cast<std::size_t>(analysis::kMaxDataFileSections)) {
    return DataFileStatus::too_many_sections;
  }
  if (!std::isfinite(content.water_unit_weight)) return DataFileStatus::not_finite;
  for (const method::Section& s : content.sections) {
    for (const double value : file_values(s)) {
      if (!std::isfinite(value)) return DataFileStatus::not_finite;
    }
  }

  std::string out;
  append_title(out, content.title);
  append_title(out, content.subtitle);
  out += kHeaderCaption;
  out += '\n';
  text::append_shortest(out, content.water_unit_weight);
  out += ' ' + std::to_string(content.sections.size()) + " 0 0 0 0\n";
  out += kSectionCaption;
  out += '\n';
  for (const method::Section& s : content.sections) {
    bool first = true;
    for (const double value : file_values(s)) {
      if (!first) out += ' ';
      first = false;
      text::append_shortest(out, value);
    }
    out += kSpareValues;
    out += '\n';
  }
  text = std::move(out);
  return DataFileStatus::ok;
}

}  // namespace analysis
