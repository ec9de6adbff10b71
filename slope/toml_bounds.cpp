#include "slope/toml_bounds.h"

#include <vector>

namespace slope {
namespace {

// Where the scan stands on the current line of TOML.
enum class Mode {
  line_start,  // top level, before anything on this line
  key,         // reading a key (of a key/value pair or of a table header)
  value,       // reading a value, or the rest of a header line
};

class Scanner {
 public:
  Scanner(std::string_view text, const TomlLimits& limits) : text_(text), limits_(limits) {}

  TomlBreach run() {
    while (at_ < text_.size() && breach_ == TomlBreach::Kind::none) step();
    return breach_ == TomlBreach::Kind::none ? TomlBreach{} : locate();
  }

 private:
  void step() {
    const char c = text_[at_];
    if (c == '#') return skip_comment();
    if (c == '"' || c == '\'') return skip_string(c);
    if (c == '\n') {
      if (stack_.empty()) mode_ = Mode::line_start;
      ++at_;
      return;
    }
    if (c == ' ' || c == '\t' || c == '\r') {
      ++at_;
      return;
    }
    if (mode_ == Mode::line_start) {
      if (c == '[') {
        // A table header: `[` or `[[`, then a key up to `]`.
        count_node();
        if (breach_ != TomlBreach::Kind::none) return;
        if (at_ + 1 < text_.size() && text_[at_ + 1] == '[') {
          ++at_;
          count_node();
          if (breach_ != TomlBreach::Kind::none) return;
        }
        ++at_;
        start_key();
        return;
      }
      start_key();
      return;
    }
    switch (c) {
      case '=':
        count_node();
        mode_ = Mode::value;
        break;
      case '.':
        if (mode_ == Mode::key) {
          count_node();
          if (++key_parts_ > limits_.max_key_parts) breach(TomlBreach::Kind::key_parts);
        }
        break;
      case '[':
      case '{':
        count_node();
        open(c);
        break;
      case ']':
      case '}':
        if (!stack_.empty()) stack_.pop_back();
        mode_ = Mode::value;
        break;
      case ',':
        count_node();
        // In an inline table a comma is followed by the next key.
        if (!stack_.empty() && stack_.back() == '{') start_key();
        break;
      default:
        break;
    }
    if (breach_ == TomlBreach::Kind::none) ++at_;
  }

  void start_key() {
    mode_ = Mode::key;
    key_parts_ = 1;
  }

  void open(char bracket) {
    if (stack_.size() >= limits_.max_nesting) return breach(TomlBreach::Kind::nesting);
    stack_.push_back(bracket);
    if (bracket == '{') {
      start_key();
    } else {
      mode_ = Mode::value;
    }
  }

  void count_node() {
    if (++nodes_ > limits_.max_nodes) breach(TomlBreach::Kind::nodes);
  }

  void breach(TomlBreach::Kind kind) { breach_ = kind; }

  void skip_comment() {
    while (at_ < text_.size() && text_[at_] != '\n') ++at_;
  }

  // Skips a basic ("...", """...""") or literal ('...', '''...''') string.
  // A one-line string also ends at a line end, so that an unclosed quote
  // cannot hide the rest of the text from the count.
  void skip_string(char quote) {
    const bool basic = quote == '"';
    if (text_.substr(at_, 3) == std::string_view(basic ? "\"\"\"" : "'''")) {
      at_ += 3;
      while (at_ < text_.size()) {
        if (basic && text_[at_] == '\\') {
          at_ += 2;
          continue;
        }
        if (text_.substr(at_, 3) == std::string_view(basic ? "\"\"\"" : "'''")) {
          at_ += 3;
          // Up to two more quotes belong to the string's content.
          for (int more = 0; more < 2 && at_ < text_.size() && text_[at_] == quote; ++more) ++at_;
          return;
        }
        ++at_;
      }
      return;
    }
    ++at_;
    while (at_ < text_.size() && text_[at_] != '\n') {
      if (basic && text_[at_] == '\\') {
        at_ += 2;
        continue;
      }
      if (text_[at_++] == quote) return;
    }
  }

  // Line and column of the byte at_, columns in characters (UTF-8 lead
  // bytes), as a TOML parser reports them.
  TomlBreach locate() const {
    TomlBreach found;
    found.kind = breach_;
    found.line = 1;
    found.column = 1;
    const std::size_t end = at_ < text_.size() ? at_ : text_.size();
    for (std::size_t i = 0; i < end; ++i) {
      const auto byte = static_cast<unsigned char>(text_[i]);
      if (byte == '\n') {
        ++found.line;
        found.column = 1;
      } else if ((byte & 0xC0U) != 0x80U) {
        ++found.column;
      }
    }
    return found;
  }

  std::string_view text_;
  TomlLimits limits_;
  std::size_t at_ = 0;
  Mode mode_ = Mode::line_start;
  std::vector<char> stack_;
  std::size_t nodes_ = 0;
  std::size_t key_parts_ = 1;
  TomlBreach::Kind breach_ = TomlBreach::Kind::none;
};

}  // namespace

TomlBreach check_toml_bounds(std::string_view text, const TomlLimits& limits) {
  return Scanner(text, limits).run();
}

}  // namespace slope
