#include "record_io/memory_run.h"

#include <utility>

namespace record_io {

MemoryRun::MemoryRun(std::string console_input, int tab_size)
    : console_in(std::move(console_input)),
      io(Environment{&files, &console_in, &console_out, &console_err, tab_size}) {}

bool MemoryRun::open_input(int unit, std::string text, const std::string& name) {
  files.files[name] = std::move(text);
  return io.open(unit, name, "old", kErrorBranch) == IoResult::ok;
}

bool MemoryRun::open_output(int unit, const std::string& name) {
  return io.open(unit, name, "unknown", kErrorBranch) == IoResult::ok;
}

std::string MemoryRun::written(int unit, const std::string& name) {
  io.close(unit);
  return files.files[name];
}

}  // namespace record_io
