#include "analysis/message_table.h"

#include <algorithm>

namespace analysis {

std::string_view trimmed(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::string_view trimmed(std::span<const char> text) {
  return trimmed(std::string_view(text.data(), text.size()));
}

MessageTable::MessageTable(std::int32_t capacity)
    : capacity_(std::clamp(capacity, std::int32_t{0}, kStorageCount)) {
  for (Entry& entry : entries_) entry.fill(' ');
}

std::string_view MessageTable::text(std::int32_t k) const {
  if (!has_entry(k)) return {};
  return trimmed(std::span<const char>(entries_[static_cast<std::size_t>(k - 1)]));
}

bool MessageTable::store(std::int32_t k, std::string_view text) {
  if (!has_entry(k)) return false;
  Entry& entry = entries_[static_cast<std::size_t>(k - 1)];
  const std::size_t count = std::min(text.size(), entry.size());
  std::copy_n(text.begin(), count, entry.begin());
  std::fill(entry.begin() + static_cast<std::ptrdiff_t>(count), entry.end(), ' ');
  return true;
}

}  // namespace analysis
