#include "picture/svg_writer.h"

#include <cassert>
#include <cstddef>

#include "text/utf8.h"

namespace picture {

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
    } else if (const std::size_t length = text::utf8_length(text.substr(at)); length > 0) {
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
