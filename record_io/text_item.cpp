#include "record_io/text_item.h"

#include <algorithm>
#include <cstddef>

namespace record_io {

std::string_view trimmed(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::string_view trimmed(std::span<const char> text) { return trimmed(text_of(text)); }

std::string_view text_of(std::span<const char> item) {
  return std::string_view(item.data(), item.size());
}

void assign_text(std::span<char> item, std::string_view text) {
  const std::size_t copied = std::min(item.size(), text.size());
  std::copy_n(text.begin(), copied, item.begin());
  std::fill(item.begin() + static_cast<std::ptrdiff_t>(copied), item.end(), ' ');
}

}  // namespace record_io
