// Whole analyses of 150 sections, from settings and data files in memory to
// the report in memory: the ordinary method (as wendmoor and wendmoor-cli
// run it) and the simplified method (as quarnby runs it).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/results_file.h"
#include "analysis/results_report.h"
#include "analysis/run_state.h"
#include "analysis/settings_file.h"
#include "analysis/slope_data.h"
#include "bench/bench_support.h"
#include "method/method_run.h"
#include "method/slices.h"
#include "record_io/memory_run.h"

namespace {

using analysis::kDataUnit;
using analysis::kResultsUnit;
using analysis::kSettingsUnit;
using record_io::IoResult;
using record_io::kErrorBranch;

/// Opens `unit` on the memory file `name`; false when it does not open.
bool open(record_io::MemoryRun& run, int unit, const char* name, const char* status) {
  return run.io.open(unit, name, status, kErrorBranch) == IoResult::ok;
}

void BM_OrdinaryAnalysis150Sections(benchmark::State& state) {
  record_io::MemoryRun run;
  run.files.files["wendmoor.ini"] = bench::wendmoor_settings();
  run.files.files["slope.dat"] = bench::slope_file();
  for (auto _ : state) {
    analysis::RunState run_state;
    analysis::MessageTable messages(analysis::kOrdinaryMessageCount);
    analysis::SlopeData data;
    method::SliceTable slices;
    bool ok = open(run, kSettingsUnit, "wendmoor.ini", "old") &&
              analysis::read_ordinary_settings(run.io, kSettingsUnit, run_state, messages) ==
                  analysis::SettingsResult::ok;
    run.io.close(kSettingsUnit);
    ok = ok && open(run, kDataUnit, "slope.dat", "old") &&
         analysis::read_slope_data(run.io, kDataUnit, data, run_state.line_counter) ==
             analysis::DataResult::ok;
    run.io.close(kDataUnit);
    ok = ok && open(run, kResultsUnit, "results.txt", "unknown");
    if (!ok) {
      state.SkipWithError("the analysis did not read its files");
      break;
    }
    if (analysis::write_ordinary_analysis(run.io, data, slices, messages, run_state) !=
            analysis::ResultsWrite::written ||
        run.io.halted()) {
      state.SkipWithError("the report failed");
    }
  }
  state.counters["report_bytes"] = static_cast<double>(run.files.files["results.txt"].size());
}
BENCHMARK(BM_OrdinaryAnalysis150Sections)->Unit(benchmark::kMicrosecond);

void BM_SimplifiedAnalysis150Sections(benchmark::State& state) {
  record_io::MemoryRun run;
  run.files.files["quarnby.ini"] = bench::quarnby_settings();
  run.files.files["slope.dat"] = bench::slope_file();
  std::int32_t passes = 0;
  for (auto _ : state) {
    analysis::RunState run_state;
    analysis::MessageTable messages(analysis::kSimplifiedMessageCount);
    analysis::NumericalControls controls;
    analysis::SlopeData data;
    method::SliceTable slices;
    bool ok = open(run, kSettingsUnit, "quarnby.ini", "old") &&
              analysis::read_simplified_settings(run.io, kSettingsUnit, run_state, messages,
                                                 controls) == analysis::SettingsResult::ok;
    run.io.close(kSettingsUnit);
    analysis::apply_numerical_controls(controls, run_state);
    ok = ok && open(run, kDataUnit, "slope.dat", "old") &&
         analysis::read_slope_data(run.io, kDataUnit, data, run_state.line_counter) ==
             analysis::DataResult::ok;
    run.io.close(kDataUnit);
    const method::MethodSettings settings =
        analysis::program_settings(method::Method::simplified, run_state);
    method::start_method(data.surface(), settings, slices);
    ok = ok && open(run, kResultsUnit, "results.txt", "unknown");
    if (!ok) {
      state.SkipWithError("the analysis did not read its files");
      break;
    }
    const method::MethodResult outcome = method::finish_method(data.surface(), settings, slices);
    if (outcome.status != method::RunStatus::converged) {
      state.SkipWithError("the iteration did not converge");
    }
    passes = outcome.passes;
    if (analysis::write_results_report(run.io, kResultsUnit, data, slices, messages,
                                       run_state.field_separator) != analysis::ReportResult::ok ||
        run.io.halted()) {
      state.SkipWithError("the report failed");
    }
    run.io.close(kResultsUnit);
  }
  state.counters["passes"] = passes;
}
BENCHMARK(BM_SimplifiedAnalysis150Sections)->Unit(benchmark::kMicrosecond);

}  // namespace
