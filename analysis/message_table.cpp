#include "analysis/message_table.h"

#include <algorithm>

#include "record_io/text_item.h"

namespace analysis {

MessageTable::MessageTable(std::int32_t capacity)
    : capacity_(std::clamp(capacity, std::int32_t{0}, kStorageCount)) {
  for (Entry& entry : entries_) entry.fill(' ');
}

std::string_view MessageTable::text(std::int32_t k) const {
  if (!has_entry(k)) return {};
  return record_io::trimmed(entries_[static_cast<std::size_t>(k - 1)]);
}

bool MessageTable::store(std::int32_t k, std::string_view text) {
  if (!has_entry(k)) return false;
  record_io::assign_text(entries_[static_cast<std::size_t>(k - 1)], text);
  return true;
}

}  // namespace analysis
