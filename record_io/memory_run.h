// A whole record layer held in memory: its files, the console's input, output
// and error stream. hollin reads its built-in settings and the bytes of the
// files it has read once through it and composes reports on it; tests,
// fuzzers and benchmarks run statements and whole programs on it.
#pragma once

#include <string>

#include "record_io/byte_stream.h"
#include "record_io/record_io.h"

namespace record_io {

/// A record layer whose files and console live in memory. Put file texts
/// into `files.files` before opening them, and read written files back from
/// it; the console's output and error stream collect in `console_out` and
/// `console_err`.
struct MemoryRun {
  /// `console_input` is what the user types; `tab_size` as TABSIZE gives it.
  explicit MemoryRun(std::string console_input = {}, int tab_size = 8);
  MemoryRun(const MemoryRun&) = delete;
  MemoryRun& operator=(const MemoryRun&) = delete;

  /// Stores `text` as the memory file `name` and opens it on `unit` with
  /// status "old". False when the open failed.
  bool open_input(int unit, std::string text, const std::string& name = "input");
  /// Opens `unit` on the memory file `name` with status "unknown". False
  /// when the open failed.
  bool open_output(int unit, const std::string& name = "output");
  /// Closes `unit` and returns the text of the memory file `name`.
  std::string written(int unit, const std::string& name = "output");

  MemoryFileSystem files;
  MemoryStream console_in;
  MemoryStream console_out;
  MemoryStream console_err;
  /// Declared last: it refers to the files and streams above.
  RecordIo io;
};

}  // namespace record_io
