// The message table: every wording the programs show, read from the settings
// file. Entries are fixed texts of 255 characters, indexed from 1; an entry
// that the settings file never supplied reads as an empty text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace analysis {

/// Capacity of the table of the simplified-method program.
inline constexpr std::int32_t kSimplifiedMessageCount = 42;
/// Capacity of the table of the ordinary-method programs.
inline constexpr std::int32_t kOrdinaryMessageCount = 40;

/// Length of one entry, and of the text field of a message record.
inline constexpr std::size_t kMessageLength = 255;

/// Fixed-size table of message texts. Storage never grows: 42 entries of 255
/// characters, of which the first `capacity()` are in use.
class MessageTable {
 public:
  /// Greatest capacity of any program's table.
  static constexpr std::int32_t kStorageCount = kSimplifiedMessageCount;

  /// A table of `capacity` entries (taken into 0..42), all blank.
  explicit MessageTable(std::int32_t capacity);

  /// Number of usable entries: indices 1 to capacity().
  [[nodiscard]] std::int32_t capacity() const { return capacity_; }

  /// True when `k` names an entry of this table (1 to capacity()).
  [[nodiscard]] bool has_entry(std::int32_t k) const { return k >= 1 && k <= capacity_; }

  /// Entry `k` with its trailing blanks removed. Empty for an entry never
  /// supplied, an entry of blanks only, and any index outside 1..capacity().
  [[nodiscard]] std::string_view text(std::int32_t k) const;

  /// Replaces entry `k` by `text`, cut to 255 characters or padded with
  /// blanks. Returns false, and changes nothing, when `k` is outside
  /// 1..capacity().
  bool store(std::int32_t k, std::string_view text);

 private:
  using Entry = std::array<char, kMessageLength>;
  std::array<Entry, kStorageCount> entries_;
  std::int32_t capacity_;
};

}  // namespace analysis
