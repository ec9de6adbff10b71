#include "record_io/free_format_reader.h"

#include "record_io/text_item.h"
#include "record_io/value_parse.h"

namespace record_io {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool ends_plain_value(char c) { return is_blank(c) || c == ',' || c == '/'; }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

Failure FreeFormatReader::begin(RecordFeed& feed) {
  feed_ = &feed;
  record_ = {};
  position_ = 0;
  place_ = Place::start;
  ended_ = false;
  failure_ = Failure::none;
  repeats_left_ = 0;
  repeated_ = Value{};
  quoted_.clear();
  return fail(fetch_record());
}

Failure FreeFormatReader::read_integer(std::int32_t& item) {
  Value value;
  const Failure failure = next_value(false, value);
  if (failure != Failure::none) return failure;
  if (value.kind != ValueKind::plain) return Failure::none;
  return fail(parse_integer(value.text, item));
}

Failure FreeFormatReader::read_real(double& item) {
  Value value;
  const Failure failure = next_value(false, value);
  if (failure != Failure::none) return failure;
  if (value.kind != ValueKind::plain) return Failure::none;
  return fail(parse_real(value.text, item));
}

Failure FreeFormatReader::read_text(std::span<char> item) {
  Value value;
  const Failure failure = next_value(true, value);
  if (failure != Failure::none) return failure;
  if (value.kind == ValueKind::null || value.kind == ValueKind::statement_end) {
    return Failure::none;
  }
  assign_text(item, value.text);
  return Failure::none;
}

Failure FreeFormatReader::fail(Failure failure) {
  if (failure != Failure::none) failure_ = failure;
  return failure;
}

Failure FreeFormatReader::fetch_record() {
  position_ = 0;
  record_ = {};
  if (feed_ == nullptr) return Failure::end_of_file;
  const Failure failure = feed_->next_record(record_);
  if (failure != Failure::none) record_ = {};
  return failure;
}

Failure FreeFormatReader::next_value(bool text_item, Value& value) {
  if (failure_ != Failure::none) return failure_;
  if (ended_) {
    value.kind = ValueKind::statement_end;
    return Failure::none;
  }
  if (repeats_left_ > 0) {
    --repeats_left_;
    if (repeated_.kind == ValueKind::quoted && !text_item) {
      return fail(Failure::illegal_numeric);
    }
    value = repeated_;
    return Failure::none;
  }

  for (;;) {
    while (position_ < record_.size() && is_blank(record_[position_])) ++position_;
    if (position_ == record_.size()) {
      const Failure failure = fetch_record();
      if (failure != Failure::none) return fail(failure);
      continue;
    }
    const char c = record_[position_];
    if (c == '/') {
      ended_ = true;
      value.kind = ValueKind::statement_end;
      return Failure::none;
    }
    if (c != ',') break;
    ++position_;
    const bool separator_only = place_ == Place::after_value;
    place_ = Place::after_comma;
    if (separator_only) continue;
    value.kind = ValueKind::null;
    return Failure::none;
  }
  place_ = Place::after_value;

  std::size_t digits_end = position_;
  while (digits_end < record_.size() && is_digit(record_[digits_end])) ++digits_end;
  const bool repeat =
      digits_end > position_ && digits_end < record_.size() && record_[digits_end] == '*';
  if (!repeat) return scan_value(text_item, value);

  std::int32_t count = 0;
  const Failure count_failure =
      parse_integer(record_.substr(position_, digits_end - position_), count);
  if (count_failure != Failure::none || count < 1) return fail(Failure::illegal_numeric);
  position_ = digits_end + 1;
  const Failure failure = scan_value(text_item, repeated_);
  if (failure != Failure::none) return failure;
  repeats_left_ = count - 1;
  value = repeated_;
  return Failure::none;
}

Failure FreeFormatReader::scan_value(bool text_item, Value& value) {
  // Only reached at a separator or record end right after "r*": r null values.
  if (position_ == record_.size() || ends_plain_value(record_[position_])) {
    value.kind = ValueKind::null;
    return Failure::none;
  }
  const char c = record_[position_];
  if (c == '\'' || c == '"') {
    if (!text_item) return fail(Failure::illegal_numeric);
    return scan_quoted(value);
  }
  std::size_t end = position_;
  while (end < record_.size() && !ends_plain_value(record_[end])) ++end;
  value.kind = ValueKind::plain;
  value.text = record_.substr(position_, end - position_);
  position_ = end;
  return Failure::none;
}

Failure FreeFormatReader::scan_quoted(Value& value) {
  const char quote = record_[position_++];
  quoted_.clear();
  for (;;) {
    if (position_ == record_.size()) {
      // The text goes on in the next record; the record end itself adds nothing.
      const Failure failure = fetch_record();
      if (failure != Failure::none) return fail(failure);
      continue;
    }
    const std::size_t close = record_.find(quote, position_);
    if (close == std::string_view::npos) {
      quoted_.append(record_.substr(position_));
      position_ = record_.size();
      continue;
    }
    quoted_.append(record_.substr(position_, close - position_));
    position_ = close + 1;
    if (position_ < record_.size() && record_[position_] == quote) {
      quoted_.push_back(quote);
      ++position_;
      continue;
    }
    break;
  }
  // A closing quote must be followed by a separator: "'ab'cd" is no value.
  if (position_ < record_.size() && !ends_plain_value(record_[position_])) {
    return fail(Failure::illegal_numeric);
  }
  value.kind = ValueKind::quoted;
  value.text = quoted_;
  return Failure::none;
}

}  // namespace record_io
