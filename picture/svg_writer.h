// Writing SVG (and the HTML around it) as text in memory: elements and
// attributes, every text and attribute value escaped by the one function
// here, and numbers as page coordinates (text::append_coordinate).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "text/number_text.h"

namespace picture {

/// Appends `text` escaped for XML and HTML text and attribute values: &, <,
/// >, " and ' become entities, control characters (below 0x20, and 0x7F)
/// become blanks (XML cannot hold them), and bytes that are not valid UTF-8
/// become U+FFFD, so that no text from a user's file can break the markup.
void append_escaped(std::string& out, std::string_view text);

/// `text` escaped as append_escaped does.
[[nodiscard]] std::string escaped(std::string_view text);

/// One attribute: a name and its value, text or a number (see text::append_coordinate).
struct Attr {
  Attr(std::string_view attr_name, std::string_view text) : name(attr_name), value(text) {}
  Attr(std::string_view attr_name, const char* text) : name(attr_name), value(text) {}
  Attr(std::string_view attr_name, double number)
      : name(attr_name), value(text::coordinate_text(number)) {}
  Attr(std::string_view attr_name, int number) : name(attr_name), value(std::to_string(number)) {}
  std::string_view name;  ///< a name of this program, never from a user's file
  std::string value;      ///< escaped when written
};

/// Builds a document element by element. Names are the caller's constants;
/// values and texts are escaped here.
class SvgWriter {
 public:
  /// Opens <name attrs...>.
  void open(std::string_view name, std::initializer_list<Attr> attrs);
  /// Closes the innermost open element.
  void close();
  /// An empty element <name attrs.../>.
  void element(std::string_view name, std::initializer_list<Attr> attrs);
  /// <name attrs...>text</name>, the text escaped.
  void text_element(std::string_view name, std::initializer_list<Attr> attrs,
                    std::string_view text);
  /// Text as it stands, for markup built by this program alone.
  void raw(std::string_view markup) { text_ += markup; }

  /// The document so far; complete once every element is closed.
  [[nodiscard]] const std::string& text() const { return text_; }

 private:
  void start(std::string_view name, std::initializer_list<Attr> attrs);

  std::string text_;
  std::vector<std::string> open_;
};

}  // namespace picture
