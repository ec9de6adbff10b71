// The record layer: units attached to files and the console, record
// statements carried out step by step with result codes, the terminal file
// choice for an open without a name, and the halt, with its error report,
// after a failing statement that has no error branch.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "record_io/byte_stream.h"
#include "record_io/free_format_reader.h"
#include "record_io/io_result.h"

namespace record_io {

/// The console unit, written "*" in the error report.
inline constexpr int kConsoleUnit = -1;
/// Highest unit number the layer accepts (units 0 to this).
inline constexpr int kMaxUnit = 99;
/// Longest input record accepted, after tab expansion. A longer line is an
/// error (Failure::record_too_long) rather than an unbounded allocation.
inline constexpr std::size_t kMaxRecordLength = std::size_t{1} << 20;
/// Largest tab-stop distance taken from TABSIZE; larger values keep 8.
inline constexpr int kMaxTabSize = 64;

/// Exit status of a run that ended with the error report.
inline constexpr int kErrorReportStatus = 255;

/// What the layer is connected to. The defaults are the process's standard
/// streams and the operating system's files.
struct Environment {
  FileSystem* files = nullptr;        ///< null: the operating system
  ByteStream* console_in = nullptr;   ///< null: standard input
  ByteStream* console_out = nullptr;  ///< null: standard output
  ByteStream* console_err = nullptr;  ///< null: standard error
  int tab_size = 8;                   ///< tab-stop distance of input records
};

/// Tab-stop distance from the value of TABSIZE (null when unset): a decimal
/// number of at most 20 characters from 0 to kMaxTabSize, otherwise 8.
int tab_size_from(const char* tabsize_value);

/// The record layer of one run. It owns every unit; programs refer to units
/// by number. It never ends the process. When a statement without an error
/// branch fails (or without an end branch meets the end of a file), the layer
/// halts: it closes every unit at once, keeps what the error report needs,
/// and from then on every statement does nothing and returns
/// IoResult::error. The driver then returns; it writes the error report
/// (write_error_report) and ends with kErrorReportStatus.
class RecordIo {
 public:
  explicit RecordIo(const Environment& environment = {});
  ~RecordIo();
  RecordIo(const RecordIo&) = delete;
  RecordIo& operator=(const RecordIo&) = delete;

  // --- open, close, stop ---------------------------------------------------

  /// Connects `unit` to the file `name` with status "old" or "unknown" (any
  /// case, trailing blanks ignored). Blanks around the name are ignored; an
  /// empty name fails. A name beginning with NUL lets the user choose the
  /// file on the console. Failures give result 1 without a message when
  /// `branches.error`.
  IoResult open(int unit, std::string_view name, std::string_view status, Branches branches);
  /// Writes out pending output and disconnects `unit`; a unit that is not
  /// open is left alone. A failure to write out halts the layer.
  void close(int unit);
  /// Closes every open unit, writing out pending output; a failure halts the
  /// layer. The run's exit status is the driver's to return.
  void stop();

  // --- free-format read, step by step -------------------------------------

  /// Begin step of a free-format read: reads the unit's next record.
  IoResult begin_read(int unit, Branches branches);
  /// Item steps; each continues the statement that begin_read started.
  IoResult read(std::int32_t& item);
  IoResult read(double& item);
  /// A text item of item.size() characters, cut or padded with blanks.
  IoResult read(std::span<char> item);

  // --- fixed-layout reads (one record each) --------------------------------

  /// Layout (A): the record's first item.size() characters, blank-padded.
  IoResult read_layout_a(int unit, std::span<char> item, Branches branches);
  /// Layout (I4,1X,A): an index field of four columns, one column skipped,
  /// then `text`.
  IoResult read_layout_i4_1x_a(int unit, std::int32_t& index, std::span<char> text,
                               Branches branches);

  // --- free-format write, step by step ------------------------------------

  /// Begin step: starts a record with one blank.
  IoResult begin_write(int unit, Branches branches);
  /// Integer item: a blank, a sign position, the digits.
  IoResult write(std::int32_t item);
  /// Real item: a blank, a sign position, fixed or exponent form, INF, NaN.
  IoResult write(double item);
  /// Text item: its characters exactly; after a number one blank comes first.
  IoResult write(std::string_view item);
  /// End step: writes the record and its line end (CR LF).
  IoResult end_write();

  /// Layout (A): the text exactly, no leading blank, then the line end.
  IoResult write_layout_a(int unit, std::string_view text, Branches branches);

  // --- console dialogue ----------------------------------------------------

  /// The text's characters exactly, no blank in front, no line end.
  void write_raw_console(std::string_view text);
  /// Reads one console line and discards it.
  void wait_for_enter();

  // --- whole statements -----------------------------------------------------

  /// One free-format line without error branch: begin, every item in order
  /// (std::int32_t, double or std::string_view), end.
  template <class... Items>
  void write_line(int unit, const Items&... items) {
    static_cast<void>(write_statement(unit, kNoBranch, items...));
  }
  /// One free-format line with an error branch; result 1 when it failed.
  template <class... Items>
  IoResult try_write_line(int unit, const Items&... items) {
    return write_statement(unit, kErrorBranch, items...);
  }
  /// One free-format read of `items` (std::int32_t&, double& or
  /// std::span<char>), stopping at the first step that does not succeed.
  template <class... Items>
  IoResult read_values(int unit, Branches branches, Items&&... items) {
    IoResult result = begin_read(unit, branches);
    ((result = result == IoResult::ok ? read(items) : result), ...);
    return result;
  }

  /// True while `unit` is connected.
  [[nodiscard]] bool is_open(int unit) const;

  // --- the halt ----------------------------------------------------------------

  /// True once a statement without the branch its failure needed has failed.
  /// Every unit is closed by then, and every later statement does nothing.
  [[nodiscard]] bool halted() const { return halt_.failure != Failure::none; }
  /// The error report of the halt, three lines each beginning "? " and ending
  /// with CR LF: "TELWORN Runtime Error:" (or "System Error:" for a failure
  /// the operating system reported), the failure's text, and the statement
  /// with its unit, such as "READ(UNIT=*,..." for the console. Empty while
  /// the layer has not halted.
  [[nodiscard]] std::string error_report() const;
  /// Writes error_report() to the console's error stream: the only output
  /// made after the halt. A failure to write it is not reported: nothing is
  /// left to report it with.
  void write_error_report();

 private:
  template <class... Items>
  IoResult write_statement(int unit, Branches branches, const Items&... items) {
    IoResult result = begin_write(unit, branches);
    ((result = result == IoResult::ok ? write(items) : result), ...);
    return result == IoResult::ok ? end_write() : result;
  }

  struct Unit;
  class UnitFeed;
  enum class Statement : unsigned char { none, read, write, open, close };

  /// What the error report of a halt needs.
  struct Halt {
    Failure failure = Failure::none;
    int system_error = 0;
    Statement statement = Statement::none;
    int unit = 0;
  };

  Unit* unit_for(int unit);
  void start(Statement statement, int unit, Branches branches);
  IoResult step(Failure failure);
  IoResult fail(Failure failure, int system_error = 0);
  void halt(Failure failure, int system_error);
  void close_all_quietly();
  int flush(Unit& unit);
  IoResult put_record(Unit& unit, std::string_view record);
  Failure refill(Unit& unit);
  Failure next_record(Unit& unit, std::string_view& record);
  Failure begin_fixed_read(int unit, Branches branches, std::string_view& record);
  bool choose_file(int unit, OpenStatus status, std::string& name);

  std::unique_ptr<FileSystem> own_files_;
  std::unique_ptr<ByteStream> own_in_, own_out_, own_err_;
  FileSystem* files_ = nullptr;
  ByteStream* console_err_ = nullptr;
  int tab_size_;
  Halt halt_;
  std::unique_ptr<Unit> console_;
  std::array<std::unique_ptr<Unit>, kMaxUnit + 1> units_;

  // The statement under way.
  Statement statement_ = Statement::none;
  int statement_unit_ = 0;
  Branches branches_{};
  Unit* current_ = nullptr;
  bool statement_failed_ = false;
  Failure failure_ = Failure::none;
  int system_error_ = 0;
  bool last_item_number_ = false;
  std::string record_out_;
  FreeFormatReader reader_;
  std::unique_ptr<UnitFeed> feed_;
};

}  // namespace record_io
