// Free-format reading: a read statement takes its items' values from one or more
// records, split at commas, blanks and tabs, with null values, r*value repeats,
// quoted texts and a slash that ends the statement early.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "record_io/io_result.h"

namespace record_io {

/// Source of records for a free-format read: the unit's next record on demand.
class RecordFeed {
 public:
  /// Fetches the next record into `record` (valid until the next call). Returns
  /// Failure::none, end_of_file when the unit has no more records, or another
  /// failure of the unit.
  virtual Failure next_record(std::string_view& record) = 0;

 protected:
  ~RecordFeed() = default;
};

/// One free-format read statement over a feed: begin() then one call per item, in
/// order. Values are separated by a comma, by blanks or tabs, or by blanks and tabs
/// around one comma; the end of a record counts as a blank, and empty or blank
/// records are skipped while values are still needed. An item whose value is null
/// (two commas in a row, a comma before the first value, r* without a value), and
/// every item after a slash, keeps its value and its call returns none. The first
/// failure ends the statement: every later call returns the same failure.
/// The object is meant to be reused for every statement; it keeps one buffer for
/// quoted texts whose capacity survives between statements.
class FreeFormatReader {
 public:
  /// Begin step: forgets the previous statement and reads this statement's first
  /// record from `feed`, which must outlive the statement. Returns end_of_file when
  /// the feed has no record, or the feed's own failure.
  [[nodiscard]] Failure begin(RecordFeed& feed);

  /// Integer item: an optional sign and decimal digits ("+" alone gives 0).
  /// A point, exponent, quote or other character gives illegal_numeric; a value
  /// outside the 32-bit range gives numeric_overflow. End of file while the value
  /// is still needed gives end_of_file. `item` changes only on success.
  [[nodiscard]] Failure read_integer(std::int32_t& item);

  /// Real item, under the rules of parse_real (D exponents, missing parts read as
  /// zero, overflow is numeric_overflow). A quoted value gives illegal_numeric.
  /// End of file while the value is still needed gives end_of_file.
  [[nodiscard]] Failure read_real(double& item);

  /// Text item of fixed length item.size(): the value is cut to that length or
  /// padded with blanks. A value is either unquoted, ending at a blank, tab, comma,
  /// slash or record end, or quoted with ' or " (a doubled quote stands for one; a
  /// record end inside adds nothing and reading goes on in the next record; end of
  /// file inside gives end_of_file). A closing quote followed by anything but a
  /// separator gives illegal_numeric.
  [[nodiscard]] Failure read_text(std::span<char> item);

 private:
  enum class ValueKind : std::uint8_t { null, plain, quoted, statement_end };
  struct Value {
    ValueKind kind = ValueKind::null;
    std::string_view text;
  };
  // Where the scan stands relative to the separators: a comma right at the
  // start, or right after another comma, is a null value; after a value it is
  // only that value's separator.
  enum class Place : std::uint8_t { start, after_value, after_comma };

  Failure next_value(bool text_item, Value& value);
  Failure scan_value(bool text_item, Value& value);
  Failure scan_quoted(Value& value);
  Failure fetch_record();
  Failure fail(Failure failure);

  RecordFeed* feed_ = nullptr;
  std::string_view record_;
  std::size_t position_ = 0;
  Place place_ = Place::start;
  bool ended_ = false;
  Failure failure_ = Failure::none;
  // An r*value repeat: the value stays in the current record (no record is
  // fetched while repeats remain) or, when quoted, in quoted_.
  std::int32_t repeats_left_ = 0;
  Value repeated_;
  std::string quoted_;
};

}  // namespace record_io
