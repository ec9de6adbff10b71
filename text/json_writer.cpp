#include "text/json_writer.h"

#include <cassert>
#include <cmath>
#include <cstddef>

#include "text/number_text.h"
#include "text/utf8.h"

namespace text {
namespace {

constexpr std::string_view kReplacement = "\\ufffd";

}  // namespace

void append_json_string(std::string& out, std::string_view text) {
  constexpr std::string_view kHex = "0123456789abcdef";
  out += '"';
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
      ++at;
    } else if (code < 0x20 || code == 0x7F) {
      out += "\\u00";
      out += kHex[code >> 4];
      out += kHex[code & 0xF];
      ++at;
    } else if (code < 0x80) {
      out += c;
      ++at;
    } else if (const std::size_t length = utf8_length(text.substr(at)); length > 0) {
      out.append(text.substr(at, length));
      at += length;
    } else {
      out += kReplacement;
      ++at;
    }
  }
  out += '"';
}

void JsonWriter::before_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!empty_.empty()) {
    if (!empty_.back()) text_ += ", ";
    empty_.back() = false;
  }
}

void JsonWriter::open(char bracket) {
  before_value();
  text_ += bracket;
  empty_.push_back(true);
}

void JsonWriter::close(char bracket) {
  assert(!empty_.empty() && !after_key_);
  empty_.pop_back();
  text_ += bracket;
}

void JsonWriter::begin_object() { open('{'); }
void JsonWriter::end_object() { close('}'); }
void JsonWriter::begin_array() { open('['); }
void JsonWriter::end_array() { close(']'); }

void JsonWriter::key(std::string_view name) {
  assert(!empty_.empty() && !after_key_);
  before_value();
  append_json_string(text_, name);
  text_ += ": ";
  after_key_ = true;
}

void JsonWriter::string(std::string_view text) {
  before_value();
  append_json_string(text_, text);
}

void JsonWriter::number(double value) {
  if (!std::isfinite(value)) {
    null();
    return;
  }
  before_value();
  append_shortest(text_, value);
}

void JsonWriter::integer(std::int64_t value) {
  before_value();
  text_ += std::to_string(value);
}

void JsonWriter::boolean(bool value) {
  before_value();
  text_ += value ? "true" : "false";
}

void JsonWriter::null() {
  before_value();
  text_ += "null";
}

void JsonWriter::string_member(std::string_view name, std::string_view text) {
  key(name);
  string(text);
}

void JsonWriter::number_member(std::string_view name, double value) {
  key(name);
  number(value);
}

void JsonWriter::integer_member(std::string_view name, std::int64_t value) {
  key(name);
  integer(value);
}

void JsonWriter::boolean_member(std::string_view name, bool value) {
  key(name);
  boolean(value);
}

void JsonWriter::null_member(std::string_view name) {
  key(name);
  null();
}

void JsonWriter::number_or_null(std::string_view name, std::optional<double> value) {
  key(name);
  if (value) {
    number(*value);
  } else {
    null();
  }
}

void JsonWriter::integer_or_null(std::string_view name, std::optional<std::int64_t> value) {
  key(name);
  if (value) {
    integer(*value);
  } else {
    null();
  }
}

void JsonWriter::string_or_null(std::string_view name, std::optional<std::string_view> text) {
  key(name);
  if (text) {
    string(*text);
  } else {
    null();
  }
}

}  // namespace text
