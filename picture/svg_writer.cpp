#include "picture/svg_writer.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "picture/utf8.h"

namespace picture {
namespace {

constexpr double kLargest = 1e7;

}  // namespace

void append_escaped(std::string& out, std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x80) {
      switch (c) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '"':
          out += "&quot;";
          break;
        case '\'':
          out += "&#39;";
          break;
        default:
          out += (code < 0x20 || code == 0x7F) ? ' ' : c;
      }
      ++at;
    } else if (const std::size_t length = utf8_length(text.substr(at)); length > 0) {
      out.append(text.substr(at, length));
      at += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++at;
    }
  }
}

std::string escaped(std::string_view text) {
  std::string out;
  append_escaped(out, text);
  return out;
}

void append_number(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0.0;
  value = std::fmax(-kLargest, std::fmin(kLargest, value));
  char buffer[32];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  assert(error == std::errc());
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  while (text.back() == '0') text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  if (text == "-0") text = "0";
  out += text;
}

std::string number_text(double value) {
  std::string out;
  append_number(out, value);
  return out;
}

std::string fixed_text(double value, int decimals) {
  if (!std::isfinite(value)) return "-";
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return "-";
  std::string text(buffer, static_cast<std::size_t>(end - buffer));
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string short_text(double value, int decimals) {
  std::string text = fixed_text(value, decimals);
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

void SvgWriter::start(std::string_view name, std::initializer_list<Attr> attrs) {
  text_ += '<';
  text_ += name;
  for (const Attr& attr : attrs) {
    text_ += ' ';
    text_ += attr.name;
    text_ += "=\"";
    append_escaped(text_, attr.value);
    text_ += '"';
  }
}

void SvgWriter::open(std::string_view name, std::initializer_list<Attr> attrs) {
  start(name, attrs);
  text_ += ">\n";
  open_.emplace_back(name);
}

void SvgWriter::close() {
  assert(!open_.empty());
  text_ += "</";
  text_ += open_.back();
  text_ += ">\n";
  open_.pop_back();
}

void SvgWriter::element(std::string_view name, std::initializer_list<Attr> attrs) {
  start(name, attrs);
  text_ += "/>\n";
}

void SvgWriter::text_element(std::string_view name, std::initializer_list<Attr> attrs,
                             std::string_view text) {
  start(name, attrs);
  text_ += '>';
  append_escaped(text_, text);
  text_ += "</";
  text_ += name;
  text_ += ">\n";
}

}  // namespace picture
