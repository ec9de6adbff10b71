#include "record_io/record_io.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "record_io/file_choice.h"
#include "record_io/fixed_layout.h"
#include "record_io/number_format.h"
#include "record_io/text_item.h"

namespace record_io {
namespace {

constexpr std::size_t kInputChunk = 64 * 1024;
// Pending output of a file unit is written out once it grows past this, or
// at once when the statement has an error branch that must see the failure.
constexpr std::size_t kOutputChunk = 64 * 1024;

std::string_view failure_text(Failure failure) {
  switch (failure) {
    case Failure::none:
      return "No error";
    case Failure::end_of_file:
      return "Attempt to read past end of file";
    case Failure::illegal_numeric:
      return "Illegal character in numeric input";
    case Failure::numeric_overflow:
      return "Numeric value out of range in input";
    case Failure::past_end_of_record:
      return "Attempt to read past end of record";
    case Failure::record_too_long:
      return "Input record too long";
    case Failure::bad_file_name:
      return "Bad file specification";
    case Failure::unit_not_open:
      return "Unit not connected";
    case Failure::system:
      return "System error";
  }
  return "Unknown error";
}

// A file name or an answer without the blanks around it.
std::string_view without_blanks_around(std::string_view text) {
  return trimmed(text.substr(std::min(text.find_first_not_of(' '), text.size())));
}

bool parse_status(std::string_view status, OpenStatus& parsed) {
  status = trimmed(status);
  auto equals_folded = [status](std::string_view word) {
    return std::equal(status.begin(), status.end(), word.begin(), word.end(), [](char a, char b) {
      return (a >= 'A' && a <= 'Z' ? a + ('a' - 'A') : a) == b;
    });
  };
  if (equals_folded("old")) {
    parsed = OpenStatus::old_file;
    return true;
  }
  if (equals_folded("unknown")) {
    parsed = OpenStatus::unknown_file;
    return true;
  }
  return false;
}

}  // namespace

int tab_size_from(const char* tabsize_value) {
  constexpr int kDefault = 8;
  if (tabsize_value == nullptr) return kDefault;
  const std::string_view text(tabsize_value);
  if (text.empty() || text.size() > 20) return kDefault;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return kDefault;
    value = value * 10 + (c - '0');
    if (value > kMaxTabSize) return kDefault;
  }
  return value;
}

/// One connected unit: its streams, the input read ahead and the output not
/// yet written out.
struct RecordIo::Unit {
  std::unique_ptr<ByteStream> owned;
  ByteStream* input = nullptr;
  ByteStream* output = nullptr;
  OpenStatus status = OpenStatus::old_file;
  bool console = false;
  std::vector<char> in;
  std::size_t in_begin = 0;
  std::size_t in_end = 0;
  bool in_exhausted = false;
  bool skipping_long_record = false;
  std::string record;
  std::string out;
};

/// Hands a free-format read the records of one unit.
class RecordIo::UnitFeed final : public RecordFeed {
 public:
  explicit UnitFeed(RecordIo& io) : io_(io) {}
  Failure next_record(std::string_view& record) override {
    return io_.next_record(*io_.current_, record);
  }

 private:
  RecordIo& io_;
};

RecordIo::RecordIo(const Environment& environment)
    : tab_size_(environment.tab_size), feed_(std::make_unique<UnitFeed>(*this)) {
  if (environment.files != nullptr) {
    files_ = environment.files;
  } else {
    own_files_ = std::make_unique<OsFileSystem>();
    files_ = own_files_.get();
  }
  auto pick = [](ByteStream* given, std::unique_ptr<ByteStream>& own, int descriptor) {
    if (given != nullptr) return given;
    own = make_descriptor_stream(descriptor);
    return own.get();
  };
  console_ = std::make_unique<Unit>();
  console_->console = true;
  console_->input = pick(environment.console_in, own_in_, STDIN_FILENO);
  console_->output = pick(environment.console_out, own_out_, STDOUT_FILENO);
  console_err_ = pick(environment.console_err, own_err_, STDERR_FILENO);
}

RecordIo::~RecordIo() {
  for (auto& unit : units_) {
    if (unit == nullptr) continue;
    static_cast<void>(flush(*unit));
    static_cast<void>(unit->owned->close(unit->status == OpenStatus::unknown_file));
    unit.reset();
  }
}

RecordIo::Unit* RecordIo::unit_for(int unit) {
  if (unit == kConsoleUnit) return console_.get();
  if (unit < 0 || unit > kMaxUnit) return nullptr;
  return units_[static_cast<std::size_t>(unit)].get();
}

bool RecordIo::is_open(int unit) const {
  if (unit == kConsoleUnit) return true;
  return unit >= 0 && unit <= kMaxUnit && units_[static_cast<std::size_t>(unit)] != nullptr;
}

IoResult RecordIo::fail(Failure failure, int system_error) {
  statement_failed_ = true;
  failure_ = failure;
  if (failure == Failure::end_of_file && branches_.end) return IoResult::end;
  if (branches_.error) return IoResult::error;
  halt(failure, system_error);
  return IoResult::error;
}

void RecordIo::halt(Failure failure, int system_error) {
  halt_ = Halt{failure, system_error, statement_, statement_unit_};
  // Everything open is closed at once, as the stop does, so that the files
  // are left as they stand now; a failure there can no longer be reported.
  close_all_quietly();
}

std::string RecordIo::error_report() const {
  if (!halted()) return {};
  const Failure failure = halt_.failure;
  std::string report =
      failure == Failure::system ? "? System Error:\r\n? " : "? TELWORN Runtime Error:\r\n? ";
  if (failure == Failure::system) {
    report += std::strerror(halt_.system_error);
  } else {
    report += failure_text(failure);
  }
  report += "\r\n? ";
  switch (halt_.statement) {
    case Statement::none:
    case Statement::read:
      report += "READ";
      break;
    case Statement::write:
      report += "WRITE";
      break;
    case Statement::open:
      report += "OPEN";
      break;
    case Statement::close:
      report += "CLOSE";
      break;
  }
  report += "(UNIT=";
  report += halt_.unit == kConsoleUnit ? std::string("*") : std::to_string(halt_.unit);
  report += ",...\r\n";
  return report;
}

void RecordIo::write_error_report() {
  const std::string report = error_report();
  static_cast<void>(console_err_->write(report.data(), report.size()));
}

void RecordIo::close_all_quietly() {
  static_cast<void>(flush(*console_));
  for (auto& unit : units_) {
    if (unit == nullptr) continue;
    static_cast<void>(flush(*unit));
    static_cast<void>(unit->owned->close(unit->status == OpenStatus::unknown_file));
    unit.reset();
  }
}

int RecordIo::flush(Unit& unit) {
  if (unit.out.empty()) return 0;
  const int error = unit.output->write(unit.out.data(), unit.out.size());
  // Output that could not be written is dropped: it cannot be written later
  // either, and the failure is reported now.
  unit.out.clear();
  return error;
}

// --- open, close, stop ------------------------------------------------------

IoResult RecordIo::open(int unit, std::string_view name, std::string_view status,
                        Branches branches) {
  if (halted()) return IoResult::error;
  start(Statement::open, unit, branches);
  OpenStatus parsed{};
  if (unit < 0 || unit > kMaxUnit || !parse_status(status, parsed)) {
    return fail(Failure::bad_file_name);
  }
  // A unit that is connected already is released first.
  close(unit);
  if (halted()) return IoResult::error;
  start(Statement::open, unit, branches);

  std::string chosen;
  if (!name.empty() && name.front() == '\0') {
    if (!choose_file(unit, parsed, chosen)) {
      // A cancelled choice is a failed open without any message.
      return fail(Failure::bad_file_name);
    }
    name = chosen;
  }
  name = without_blanks_around(name);
  if (name.empty() || name.find('\0') != std::string_view::npos) {
    return fail(Failure::bad_file_name);
  }
  int error = 0;
  std::unique_ptr<ByteStream> stream = files_->open(std::string(name), parsed, error);
  if (stream == nullptr) return fail(Failure::system, error);

  auto opened = std::make_unique<Unit>();
  opened->input = stream.get();
  opened->output = stream.get();
  opened->owned = std::move(stream);
  opened->status = parsed;
  units_[static_cast<std::size_t>(unit)] = std::move(opened);
  return IoResult::ok;
}

void RecordIo::close(int unit) {
  if (halted()) return;
  Unit* connected = unit == kConsoleUnit ? nullptr : unit_for(unit);
  if (connected == nullptr) return;
  start(Statement::close, unit, kNoBranch);
  int error = flush(*connected);
  const int close_error = connected->owned->close(connected->status == OpenStatus::unknown_file);
  if (error == 0) error = close_error;
  units_[static_cast<std::size_t>(unit)].reset();
  if (error != 0) static_cast<void>(fail(Failure::system, error));
}

void RecordIo::stop() {
  if (halted()) return;
  static_cast<void>(flush(*console_));
  for (int unit = 0; unit <= kMaxUnit; ++unit) close(unit);
}

void RecordIo::start(Statement statement, int unit, Branches branches) {
  statement_ = statement;
  statement_unit_ = unit;
  branches_ = branches;
  statement_failed_ = false;
  failure_ = Failure::none;
}

// --- input records ----------------------------------------------------------

Failure RecordIo::refill(Unit& unit) {
  if (unit.in_begin < unit.in_end) return Failure::none;
  if (unit.in_exhausted) return Failure::end_of_file;
  if (unit.in.empty()) unit.in.resize(kInputChunk);
  std::size_t count = 0;
  const int error = unit.input->read(unit.in.data(), unit.in.size(), count);
  if (error != 0) {
    system_error_ = error;
    return Failure::system;
  }
  unit.in_begin = 0;
  unit.in_end = count;
  if (count > 0) return Failure::none;
  unit.in_exhausted = true;
  return Failure::end_of_file;
}

Failure RecordIo::next_record(Unit& unit, std::string_view& record) {
  // The rest of a record refused as too long is passed over first, only
  // when another record is asked for: an endless line (a device without
  // line feeds) then fails at once instead of being read for ever.
  while (unit.skipping_long_record) {
    const Failure failure = refill(unit);
    if (failure == Failure::end_of_file) break;
    if (failure != Failure::none) return failure;
    const char* begin = unit.in.data() + unit.in_begin;
    const auto* line_feed =
        static_cast<const char*>(std::memchr(begin, '\n', unit.in_end - unit.in_begin));
    if (line_feed == nullptr) {
      unit.in_begin = unit.in_end;
      continue;
    }
    unit.in_begin += static_cast<std::size_t>(line_feed - begin) + 1;
    unit.skipping_long_record = false;
  }
  unit.skipping_long_record = false;
  unit.record.clear();
  bool any = false;
  for (;;) {
    const Failure failure = refill(unit);
    if (failure == Failure::end_of_file) break;
    if (failure != Failure::none) return failure;
    any = true;
    const char* data = unit.in.data();
    for (std::size_t i = unit.in_begin; i < unit.in_end; ++i) {
      const char c = data[i];
      if (c == '\n') {
        unit.in_begin = i + 1;
        record = unit.record;
        return Failure::none;
      }
      if (c == '\r') continue;
      if (c == '\t' && tab_size_ > 0) {
        const auto width = static_cast<std::size_t>(tab_size_);
        unit.record.append(width - unit.record.size() % width, ' ');
      } else {
        unit.record.push_back(c);
      }
      if (unit.record.size() > kMaxRecordLength) {
        unit.in_begin = i + 1;
        unit.skipping_long_record = true;
        unit.record.clear();
        return Failure::record_too_long;
      }
    }
    unit.in_begin = unit.in_end;
  }
  // Characters after the last line feed still form a record.
  if (!any) return Failure::end_of_file;
  record = unit.record;
  return Failure::none;
}

// --- free-format read -------------------------------------------------------

IoResult RecordIo::begin_read(int unit, Branches branches) {
  if (halted()) return IoResult::error;
  start(Statement::read, unit, branches);
  current_ = unit_for(unit);
  if (current_ == nullptr) return fail(Failure::unit_not_open);
  return step(reader_.begin(*feed_));
}

IoResult RecordIo::step(Failure failure) {
  if (failure == Failure::none) return IoResult::ok;
  return fail(failure, failure == Failure::system ? system_error_ : 0);
}

IoResult RecordIo::read(std::int32_t& item) {
  if (halted()) return IoResult::error;
  if (statement_failed_) return fail(failure_, system_error_);
  return step(reader_.read_integer(item));
}

IoResult RecordIo::read(double& item) {
  if (halted()) return IoResult::error;
  if (statement_failed_) return fail(failure_, system_error_);
  return step(reader_.read_real(item));
}

IoResult RecordIo::read(std::span<char> item) {
  if (halted()) return IoResult::error;
  if (statement_failed_) return fail(failure_, system_error_);
  return step(reader_.read_text(item));
}

// --- fixed-layout reads -----------------------------------------------------

Failure RecordIo::begin_fixed_read(int unit, Branches branches, std::string_view& record) {
  start(Statement::read, unit, branches);
  Unit* connected = unit_for(unit);
  if (connected == nullptr) return Failure::unit_not_open;
  return next_record(*connected, record);
}

IoResult RecordIo::read_layout_a(int unit, std::span<char> item, Branches branches) {
  if (halted()) return IoResult::error;
  std::string_view record;
  const Failure failure = begin_fixed_read(unit, branches, record);
  if (failure == Failure::none) record_io::read_layout_a(record, item);
  return step(failure);
}

IoResult RecordIo::read_layout_i4_1x_a(int unit, std::int32_t& index, std::span<char> text,
                                       Branches branches) {
  if (halted()) return IoResult::error;
  std::string_view record;
  const Failure failure = begin_fixed_read(unit, branches, record);
  if (failure != Failure::none) return step(failure);
  return step(record_io::read_layout_i4_1x_a(record, index, text));
}

// --- free-format write ------------------------------------------------------

IoResult RecordIo::begin_write(int unit, Branches branches) {
  if (halted()) return IoResult::error;
  start(Statement::write, unit, branches);
  current_ = unit_for(unit);
  if (current_ == nullptr) return fail(Failure::unit_not_open);
  record_out_.assign(1, ' ');
  last_item_number_ = false;
  return IoResult::ok;
}

IoResult RecordIo::write(std::int32_t item) {
  if (halted()) return IoResult::error;
  if (statement_failed_) return fail(failure_, system_error_);
  append_integer_item(record_out_, item);
  last_item_number_ = true;
  return IoResult::ok;
}

IoResult RecordIo::write(double item) {
  if (halted()) return IoResult::error;
  if (statement_failed_) return fail(failure_, system_error_);
  append_real_item(record_out_, item);
  last_item_number_ = true;
  return IoResult::ok;
}

IoResult RecordIo::write(std::string_view item) {
  if (halted()) return IoResult::error;
  if (statement_failed_) return fail(failure_, system_error_);
  if (last_item_number_) record_out_.push_back(' ');
  record_out_.append(item);
  last_item_number_ = false;
  return IoResult::ok;
}

IoResult RecordIo::end_write() {
  if (halted()) return IoResult::error;
  if (statement_failed_) return fail(failure_, system_error_);
  record_out_.append("\r\n");
  return put_record(*current_, record_out_);
}

IoResult RecordIo::put_record(Unit& unit, std::string_view record) {
  unit.out.append(record);
  if (unit.console || branches_.error || unit.out.size() >= kOutputChunk) {
    const int error = flush(unit);
    if (error != 0) return fail(Failure::system, error);
  }
  return IoResult::ok;
}

IoResult RecordIo::write_layout_a(int unit, std::string_view text, Branches branches) {
  if (halted()) return IoResult::error;
  start(Statement::write, unit, branches);
  current_ = unit_for(unit);
  if (current_ == nullptr) return fail(Failure::unit_not_open);
  record_out_.assign(text);
  record_out_.append("\r\n");
  return put_record(*current_, record_out_);
}

// --- console dialogue -------------------------------------------------------

void RecordIo::write_raw_console(std::string_view text) {
  if (halted()) return;
  start(Statement::write, kConsoleUnit, kNoBranch);
  static_cast<void>(put_record(*console_, text));
}

void RecordIo::wait_for_enter() {
  if (halted()) return;
  start(Statement::read, kConsoleUnit, kNoBranch);
  std::string_view ignored;
  static_cast<void>(step(next_record(*console_, ignored)));
}

bool RecordIo::choose_file(int unit, OpenStatus status, std::string& name) {
  Unit& console = *console_;
  const std::string line = file_choice_title(status, unit) + "\r\n";
  static_cast<void>(console.output->write(line.data(), line.size()));
  for (;;) {
    const std::string_view prompt = kFileChoicePrompt;
    static_cast<void>(console.output->write(prompt.data(), prompt.size()));
    std::string_view answer;
    if (next_record(console, answer) != Failure::none) return false;
    answer = without_blanks_around(answer);
    if (answer.empty()) return false;
    name = with_default_extension(answer);
    // As a file dialog would, refuse a file to read that is not there, a
    // file to create in a folder that is not there, and a file to create
    // that cannot be written (a folder, or a file this run reads), and ask
    // again.
    std::string refusal;
    if (status == OpenStatus::old_file && !files_->exists(name)) {
      refusal = file_not_found_line(name);
    } else if (const std::string folder = folder_of(name);
               !folder.empty() && !files_->exists(folder)) {
      refusal = folder_not_found_line(folder);
    } else if (status == OpenStatus::unknown_file && files_->refuses_writing(name)) {
      refusal = not_writable_line(name);
    }
    if (!refusal.empty()) {
      refusal += "\r\n";
      static_cast<void>(console.output->write(refusal.data(), refusal.size()));
      continue;
    }
    name = files_->full_path(name);
    return true;
  }
}

}  // namespace record_io
