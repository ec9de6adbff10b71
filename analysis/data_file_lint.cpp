#include "analysis/data_file_lint.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "analysis/data_file_limits.h"
#include "record_io/value_parse.h"
#include "text/number_text.h"

namespace analysis {
namespace {

constexpr std::size_t kHeaderValues = 6;
constexpr std::size_t kSectionValues = 16;
constexpr double kLargestFrictionAngle = 90.0;

/// One value of a line: its text, empty for a null value between commas.
struct Item {
  std::string_view text;
  bool null = false;
};

struct Line {
  std::string_view text;
  std::vector<Item> items;
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::vector<Item> split_items(std::string_view line) {
  std::vector<Item> items;
  bool after_comma = true;  // a comma at the start of a line is a null value
  for (std::size_t at = 0; at < line.size();) {
    const char c = line[at];
    if (is_blank(c)) {
      ++at;
    } else if (c == ',') {
      if (after_comma) items.push_back({{}, true});
      after_comma = true;
      ++at;
    } else {
      const std::size_t begin = at;
      while (at < line.size() && !is_blank(line[at]) && line[at] != ',') ++at;
      items.push_back({line.substr(begin, at - begin), false});
      after_comma = false;
    }
  }
  return items;
}

std::vector<Line> split_lines(std::string_view text) {
  std::vector<Line> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    lines.push_back({line, split_items(line)});
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

bool has_decimal_comma(std::string_view line) {
  for (std::size_t at = 1; at + 1 < line.size(); ++at) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (line[at] == ',' && digit(line[at - 1]) && digit(line[at + 1])) return true;
  }
  return false;
}

std::string count_text(std::size_t count) { return std::to_string(count); }

/// The free-format reading of the file, step by step, collecting warnings.
class Scan {
 public:
  explicit Scan(std::string_view text) : lines_(split_lines(text)) {}

  std::vector<LintWarning> run() {
    // Lines 1 to 3 are text lines, line 4 the header.
    next_ = 3;
    std::vector<double> header;
    const int header_line = next_ + 1;
    if (!read_values(kHeaderValues, header, "the header")) return warnings_;
    std::int32_t section_count = 0;
    // A null count (two commas) leaves 0, as in the programs.
    if (!texts_[1].empty() &&
        record_io::parse_integer(texts_[1], section_count) != record_io::Failure::none) {
      return warnings_;
    }
    if (section_count < 2) {
      warn(header_line, "the header gives " + std::to_string(section_count) +
                            " sections: at least two are needed to make a slice");
    }
    if (section_count > analysis::kMaxDataFileSections) return warnings_;
    ++next_;  // the free-text line after the header

    std::optional<double> previous_x;
    double direction = 0.0;
    std::int32_t read = 0;
    for (std::int32_t k = 1; k <= section_count; ++k) {
      std::vector<double> v;
      const int line = next_ + 1;
      if (!read_values(kSectionValues, v, "section " + std::to_string(k))) {
        if (!ended_) return warnings_;  // an unreadable value: the reader's business
        break;
      }
      ++read;
      check_section(line, k, section_count, v, previous_x, direction);
    }
    count_section_lines(header_line, section_count, read);
    return warnings_;
  }

 private:
  void warn(int line, std::string what) { warnings_.push_back({line, std::move(what)}); }

  /// One free-format read of `count` values from the line after the last
  /// one used; false when the file ends or a value is unreadable.
  bool read_values(std::size_t count, std::vector<double>& values, const std::string& what) {
    values.clear();
    texts_.clear();
    bool first = true;
    while (values.size() < count) {
      if (next_ >= static_cast<int>(lines_.size())) {
        ended_ = true;
        return false;
      }
      const Line& line = lines_[static_cast<std::size_t>(next_)];
      const int number = ++next_;
      if (line.items.empty()) continue;  // blank lines are skipped
      if (first && line.items.size() != count) {
        std::string message = "line holds " + count_text(line.items.size()) + " values, " +
                              count_text(count) + " expected for " + what;
        if (line.items.size() < count) {
          message += " (the read goes on into the next line, so what follows is shifted)";
        } else {
          message += " (values after the " + count_text(count) + "th are ignored)";
        }
        if (has_decimal_comma(line.text)) {
          message += "; a decimal comma such as '25,5' splits a value in two";
        }
        warn(number, message);
      } else if (!first) {
        warn(number, "line is taken as the rest of " + what + ", whose line was short");
      }
      first = false;
      for (const Item& item : line.items) {
        if (values.size() == count) break;
        double value = 0.0;
        if (item.null) {
          warn(number, "an empty value between commas reads as 0");
        } else if (record_io::parse_real(item.text, value) != record_io::Failure::none) {
          warn(number, "'" + std::string(item.text) + "' is not a plain number");
          return false;
        }
        values.push_back(value);
        texts_.push_back(item.text);
      }
    }
    return true;
  }

  /// Compares the section lines with the header's count once the sections
  /// have been read (`read` of them; the file ended early when that is less).
  void count_section_lines(int header_line, std::int32_t section_count, std::int32_t read) {
    const auto non_blank = [&](int from, int to) {  // 1-based lines, inclusive
      std::int32_t count = 0;
      for (int line = from; line <= to; ++line) {
        if (!lines_[static_cast<std::size_t>(line - 1)].items.empty()) ++count;
      }
      return count;
    };
    const std::string says = "the header says " + std::to_string(section_count) + " sections";
    if (read < section_count) {
      warn(header_line, says + " but the file ends after " + std::to_string(read));
      return;
    }
    const std::int32_t unread = non_blank(next_ + 1, static_cast<int>(lines_.size()));
    if (unread > 0) {
      warn(header_line, says + "; the " + std::to_string(unread) + " non-blank lines after line " +
                            std::to_string(next_) + " are not read");
    }
  }

  void check_section(int line, std::int32_t k, std::int32_t count, const std::vector<double>& v,
                     std::optional<double>& previous_x, double& direction) {
    const double x = v[0], ground = v[1], slip = v[2], lower = v[3], phi = v[8];
    if (previous_x) {
      const double step = x - *previous_x;
      if (step == 0.0) {
        warn(line, "x repeats the previous section's " + text::shortest(x) +
                       ": the slice between them has no width");
      } else if (direction != 0.0 && (step > 0.0) != (direction > 0.0)) {
        warn(line,
             "x turns back (" + text::shortest(*previous_x) + " then " + text::shortest(x) + ")");
      } else if (direction == 0.0) {
        direction = step;
      }
    }
    previous_x = x;
    if (slip > ground) {
      warn(line, "the slip surface (" + text::shortest(slip) + ") lies above the ground (" +
                     text::shortest(ground) + ")");
    } else if (lower > ground - slip) {
      warn(line, "the lower zone (" + text::shortest(lower) + ") is higher than the slice (" +
                     text::shortest(ground - slip) + ")");
    }
    if (k < count && !(phi >= 0.0 && phi <= kLargestFrictionAngle)) {
      warn(line, "the friction angle " + text::shortest(phi) + " lies outside 0 to 90 degrees");
    }
  }

  std::vector<Line> lines_;
  int next_ = 0;                         // index of the next line a read starts from
  bool ended_ = false;                   // a read met the end of the file
  std::vector<std::string_view> texts_;  // the values of the last read as written
  std::vector<LintWarning> warnings_;
};

}  // namespace

std::vector<LintWarning> lint_data_file(std::string_view text) {
  std::vector<LintWarning> warnings = Scan(text).run();
  std::stable_sort(warnings.begin(), warnings.end(),
                   [](const LintWarning& a, const LintWarning& b) { return a.line < b.line; });
  return warnings;
}

}  // namespace analysis
