// Reading values: free-format reads of section lines through the record
// layer from a memory file, against a plain strtod loop over the same text.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <string>

#include "bench/bench_support.h"
#include "record_io/memory_run.h"

namespace {

// 3000 section lines of 16 values: enough that opening the file does not
// count.
constexpr int kLines = 3000;
constexpr int kValuesPerLine = 16;

const std::string& lines() {
  static const std::string kLinesText = bench::section_lines(kLines);
  return kLinesText;
}

/// Time per value read, shown as the counter time_per_value.
void count_values(benchmark::State& state) {
  state.counters["time_per_value"] = benchmark::Counter(
      static_cast<double>(kLines) * kValuesPerLine,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FreeFormatReadSections(benchmark::State& state) {
  record_io::MemoryRun run;
  run.files.files["sections"] = lines();
  std::array<double, kValuesPerLine> values{};
  for (auto _ : state) {
    if (run.io.open(13, "sections", "old", record_io::kErrorBranch) != record_io::IoResult::ok) {
      state.SkipWithError("the memory file did not open");
      break;
    }
    for (int line = 0; line < kLines; ++line) {
      const record_io::IoResult result = run.io.read_values(
          13, record_io::kErrorBranch, values[0], values[1], values[2], values[3], values[4],
          values[5], values[6], values[7], values[8], values[9], values[10], values[11], values[12],
          values[13], values[14], values[15]);
      if (result != record_io::IoResult::ok) state.SkipWithError("a read failed");
    }
    benchmark::DoNotOptimize(values.data());
    run.io.close(13);
  }
  count_values(state);
}
BENCHMARK(BM_FreeFormatReadSections);

void BM_StrtodSections(benchmark::State& state) {
  const std::string& text = lines();
  for (auto _ : state) {
    const char* at = text.c_str();
    int count = 0;
    double sum = 0.0;
    for (;;) {
      char* end = nullptr;
      const double value = std::strtod(at, &end);
      if (end == at) break;
      sum += value;
      ++count;
      at = end;
    }
    if (count != kLines * kValuesPerLine) state.SkipWithError("strtod missed values");
    benchmark::DoNotOptimize(sum);
  }
  count_values(state);
}
BENCHMARK(BM_StrtodSections);

}  // namespace
