// Fixed-layout reading: the two column layouts that records are read with,
// (A) for whole-line texts and (I4,1X,A) for an indexed text. Columns count from
// the start of the record after tab expansion; a short record is never an error.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "record_io/io_result.h"

namespace record_io {

/// Layout (A): `item` receives the record's first item.size() characters, padded
/// with blanks when the record is shorter. Blanks and commas are ordinary characters.
void read_layout_a(std::string_view record, std::span<char> item);

/// Layout (I4,1X,A): columns 1-4 are an integer field in which blanks are ignored
/// and an optional sign may precede the digits; a field of blanks only (or a sign
/// alone) gives 0. A comma ends the field early and the following columns count
/// from just after it; a record ending inside the field gives the field only what
/// is there. Column 5 is skipped whatever it holds, then `text` receives the next
/// text.size() characters, padded with blanks. Returns none, or illegal_numeric for
/// any other character in the field, in which case neither output is changed.
[[nodiscard]] Failure read_layout_i4_1x_a(std::string_view record, std::int32_t& index,
                                          std::span<char> text);

}  // namespace record_io
