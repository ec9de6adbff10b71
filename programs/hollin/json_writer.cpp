#include "programs/hollin/json_writer.h"

#include <cassert>
#include <cmath>
#include <cstddef>

#include "programs/hollin/number_text.h"

namespace hollin {
namespace {

constexpr std::string_view kReplacement = "\\ufffd";

// Length of the valid UTF-8 sequence at the start of `text`, or 0 when it
// does not start with one (overlong forms, surrogates and values beyond
// U+10FFFF are not valid).
std::size_t utf8_sequence_length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong below U+10000
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

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
    } else if (const std::size_t length = utf8_sequence_length(text.substr(at)); length > 0) {
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

}  // namespace hollin
