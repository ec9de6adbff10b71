#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

std::string_view as_text(const std::uint8_t* data, std::size_t size) {
  // Both are byte types; the reinterpretation is the standard way to view
  // fuzzer bytes as characters.
  return size == 0 ? std::string_view{}
                   : std::string_view(reinterpret_cast<const char*>(data), size);
}

void check_ending(const record_io::MemoryRun& run, int status,
                  std::initializer_list<int> statuses) {
  for (int unit = 0; unit <= record_io::kMaxUnit; ++unit) {
    require(!run.io.is_open(unit), "a run ended with a unit still open");
  }
  const std::string& errors = run.console_err.output;
  require((status == record_io::kErrorReportStatus) == run.io.halted(),
          "the error report's status without a halt, or a halt without it");
  if (status == record_io::kErrorReportStatus) {
    std::size_t lines = 0;
    for (std::size_t at = 0; at < errors.size(); ++lines) {
      require(errors.compare(at, 2, "? ") == 0, "an error report line without \"? \"");
      const auto end = errors.find("\r\n", at);
      require(end != std::string::npos, "an error report line without line end");
      at = end + 2;
    }
    require(lines == 3, "an error report of other than three lines");
    require(errors == run.io.error_report(), "error output other than the layer's report");
    return;
  }
  require(errors.empty(), "error output without the error report's status");
  bool expected = false;
  for (const int allowed : statuses) expected = expected || status == allowed;
  require(expected, "a run ended with an unexpected status");
}

bool inputs_unchanged(const record_io::MemoryRun& run,
                      std::initializer_list<std::pair<std::string_view, std::string_view>> inputs) {
  for (const auto& [name, text] : inputs) {
    const auto found = run.files.files.find(name);
    if (found == run.files.files.end() || found->second != text) return false;
  }
  return true;
}

std::vector<std::string> split_parts(std::string_view input, std::size_t count) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < count) {
    const auto at = input.find(kPartSeparator);
    if (at == std::string_view::npos) break;
    parts.emplace_back(input.substr(0, at));
    input.remove_prefix(at + kPartSeparator.size());
  }
  parts.emplace_back(input);
  parts.resize(count);
  return parts;
}

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace fuzzing
