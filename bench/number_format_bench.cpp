// Writing reals: the record layer's free-format real item against
// snprintf("%.15E") of the same values, appended to a record the same way.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "record_io/number_format.h"

namespace {

// Values like those of a report: both signs, magnitudes from 1e-4 to 1e7,
// so that both the fixed and the exponent form are written.
std::vector<double> report_values() {
  std::mt19937_64 generator(20240611);
  std::uniform_real_distribution<double> exponent(-4.0, 7.0);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::vector<double> values(4096);
  for (double& value : values) {
    value = mantissa(generator) * std::pow(10.0, std::floor(exponent(generator)));
    if (generator() % 3 == 0) value = -value;
  }
  return values;
}

const std::vector<double>& values() {
  static const std::vector<double> kValues = report_values();
  return kValues;
}

/// Time per real written, shown as the counter time_per_real.
void count_reals(benchmark::State& state) {
  state.counters["time_per_real"] = benchmark::Counter(
      static_cast<double>(values().size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_AppendRealItem(benchmark::State& state) {
  std::string record;
  for (auto _ : state) {
    for (const double value : values()) {
      record.clear();
      record_io::append_real_item(record, value);
      benchmark::DoNotOptimize(record.data());
    }
  }
  count_reals(state);
}
BENCHMARK(BM_AppendRealItem);

void BM_SnprintfE15(benchmark::State& state) {
  std::string record;
  char buffer[32];
  for (auto _ : state) {
    for (const double value : values()) {
      record.clear();
      const int length = std::snprintf(buffer, sizeof buffer, "%.15E", value);
      record.append(buffer, static_cast<std::size_t>(length));
      benchmark::DoNotOptimize(record.data());
    }
  }
  count_reals(state);
}
BENCHMARK(BM_SnprintfE15);

}  // namespace
