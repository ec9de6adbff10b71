#include "record_io/fixed_layout.h"

#include <algorithm>
#include <cstddef>

#include "record_io/text_item.h"
#include "record_io/value_parse.h"

namespace record_io {

namespace {

constexpr std::size_t kIndexWidth = 4;

}  // namespace

void read_layout_a(std::string_view record, std::span<char> item) { assign_text(item, record); }

Failure read_layout_i4_1x_a(std::string_view record, std::int32_t& index, std::span<char> text) {
  // The field's characters without its blanks; four columns hold at most four.
  char packed[kIndexWidth];
  std::size_t packed_length = 0;
  std::size_t column = 0;
  for (; column < kIndexWidth && column < record.size(); ++column) {
    const char c = record[column];
    if (c == ',') {
      ++column;
      break;
    }
    if (c != ' ') packed[packed_length++] = c;
  }

  std::int32_t value = 0;
  if (packed_length > 0) {
    const Failure failure = parse_integer(std::string_view(packed, packed_length), value);
    if (failure != Failure::none) return Failure::illegal_numeric;
  }

  const std::size_t text_start = std::min(column + 1, record.size());
  read_layout_a(record.substr(text_start), text);
  index = value;
  return Failure::none;
}

}  // namespace record_io
