// The one JSON writer of the suite: objects, arrays, strings, numbers and null
// on one line, with every string escaped here, so that titles and names from
// users' files can neither break the document nor change its structure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

/// Builds one JSON document as text, item by item. Items inside an object
/// are a key() followed by one value or container; commas and the ": " after
/// keys are placed by the writer. Misuse (a value without key inside an
/// object, unbalanced ends) is a programming error, checked by assertions.
class JsonWriter {
 public:
  void begin_object();
  void end_object();
  void begin_array();
  void end_array();
  /// The key of the next member of the enclosing object.
  void key(std::string_view name);

  /// A string value. `"` and `\` are escaped, control characters (below 0x20,
  /// and 0x7F) become \u00XX, and bytes that are not valid UTF-8 become
  /// U+FFFD, so the document is valid UTF-8 whatever the input.
  void string(std::string_view text);
  /// A number in the shortest form that reads back to the same double;
  /// null for an infinity or a NaN, which JSON cannot hold.
  void number(double value);
  /// An integer value.
  void integer(std::int64_t value);
  void boolean(bool value);
  void null();

  /// One member of the enclosing object: key() and its value in one call.
  void string_member(std::string_view name, std::string_view text);
  void number_member(std::string_view name, double value);
  void integer_member(std::string_view name, std::int64_t value);
  void boolean_member(std::string_view name, bool value);
  void null_member(std::string_view name);
  /// The value, or null when there is none.
  void number_or_null(std::string_view name, std::optional<double> value);
  void integer_or_null(std::string_view name, std::optional<std::int64_t> value);
  void string_or_null(std::string_view name, std::optional<std::string_view> text);

  /// The document so far (complete once every container is ended).
  [[nodiscard]] const std::string& text() const { return text_; }

 private:
  void before_value();
  void open(char bracket);
  void close(char bracket);

  std::string text_;
  // One entry per open container: true until its first item is written.
  std::vector<bool> empty_;
  bool after_key_ = false;
};

/// Appends `text` to `out` as a quoted JSON string, escaped as
/// JsonWriter::string describes.
void append_json_string(std::string& out, std::string_view text);

}  // namespace text
