// UTF-8 validity, byte by byte: the one check that every writer of text
// from users' files (SVG, HTML, JSON) uses before it copies a letter.
#pragma once

#include <cstddef>
#include <string_view>

namespace text {

/// Length of the valid UTF-8 sequence at the start of `text` (1 to 4), or 0
/// when it does not start with one: a lone continuation byte, a truncated
/// sequence, overlong forms, surrogates and values beyond U+10FFFF are not
/// valid. An ASCII byte counts as a sequence of 1; an empty text gives 0.
[[nodiscard]] std::size_t utf8_length(std::string_view text);

}  // namespace text
