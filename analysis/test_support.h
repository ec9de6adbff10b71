// Support shared by the analysis tests: a record layer over memory files and
// a memory console.
#pragma once

#include <memory>
#include <string>

#include "record_io/record_io.h"

namespace analysis::testing {

/// A record layer whose files and console live in memory. Tests put file
/// texts into `files.files` and read written files back from it.
struct MemoryRun : record_io::MemoryEnvironment {
  MemoryRun() : io(std::make_unique<record_io::RecordIo>(environment())) {}
  /// Opens `unit` with status "old" on a memory file holding `text`.
  bool open_input(int unit, std::string text) {
    files.files["input"] = std::move(text);
    return io->open(unit, "input", "old", record_io::kErrorBranch) == record_io::IoResult::ok;
  }
  /// Opens `unit` on a new memory file for writing.
  bool open_output(int unit) {
    return io->open(unit, "output", "unknown", record_io::kErrorBranch) == record_io::IoResult::ok;
  }
  /// Closes `unit` and returns what was written to the output file.
  std::string written(int unit) {
    io->close(unit);
    return files.files["output"];
  }

  std::unique_ptr<record_io::RecordIo> io;
};

}  // namespace analysis::testing
