// Text items: fixed-length texts padded on the right with blanks, as records
// hold them. Trimming a text and assigning one to a text item happen here
// and nowhere else.
#pragma once

#include <span>
#include <string_view>

namespace record_io {

/// `text` without its trailing blanks; empty when it holds blanks only.
/// Other characters (a tab included) are kept.
[[nodiscard]] std::string_view trimmed(std::string_view text);
/// The same for a text item held in a character array.
[[nodiscard]] std::string_view trimmed(std::span<const char> text);

/// The whole of a text item held in a character array, trailing blanks
/// included.
[[nodiscard]] std::string_view text_of(std::span<const char> item);

/// Text assignment: copies as many characters of `text` as `item` holds and
/// fills the rest of `item` with blanks.
void assign_text(std::span<char> item, std::string_view text);

}  // namespace record_io
