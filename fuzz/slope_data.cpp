// Fuzz target: the slope data file read, and, when it reads, both methods
// and the results report written to a memory file.
#include "analysis/slope_data.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/data_file_limits.h"
#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/results_report.h"
#include "fuzz/fuzz_support.h"
#include "method/method_run.h"
#include "method/slices.h"

namespace {

using analysis::DataResult;

constexpr std::int32_t kIterationLimit = 50;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  record_io::MemoryRun run;
  fuzzing::require(
      run.open_input(analysis::kDataUnit, std::string(fuzzing::as_text(data, size)), "slope.dat"),
      "a memory file did not open");
  analysis::SlopeData slope;
  std::int32_t line_counter = 0;
  const DataResult result =
      analysis::read_slope_data(run.io, analysis::kDataUnit, slope, line_counter);
  fuzzing::require(!run.io.halted(), "a halt while reading a data file");
  fuzzing::require(line_counter >= 1 && line_counter <= analysis::kMaxDataFileSections + 5,
                   "line counter outside the lines of the data file");
  if (result != DataResult::ok) return 0;
  fuzzing::require(slope.section_count <= analysis::kMaxDataFileSections,
                   "more sections than the data can hold");
  run.io.close(analysis::kDataUnit);

  analysis::MessageTable messages(analysis::kSimplifiedMessageCount);
  method::SliceTable slices;
  method::MethodSettings simplified;
  simplified.tolerance = 1e-5;
  simplified.iteration_limit = kIterationLimit;
  static_cast<void>(method::run_method(slope.surface(), simplified, slices));
  method::SliceTable ordinary;
  method::MethodSettings closed_form;
  closed_form.method = method::Method::ordinary;
  static_cast<void>(method::run_method(slope.surface(), closed_form, ordinary));
  fuzzing::require(run.open_output(analysis::kResultsUnit, "results.txt"),
                   "a memory file did not open");
  fuzzing::require(analysis::write_results_report(run.io, analysis::kResultsUnit, slope, ordinary,
                                                  messages, '\t') == analysis::ReportResult::ok,
                   "a report to memory failed");
  const std::string report = run.written(analysis::kResultsUnit, "results.txt");
  fuzzing::require(!run.io.halted(), "a halt while writing a report to memory");
  if (slope.section_count >= 1) {
    // 2N + 9 lines, each ended by CR LF.
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = report.find("\r\n", at)) != std::string::npos; at += 2) {
      ++lines;
    }
    fuzzing::require(lines == 2 * static_cast<std::size_t>(slope.section_count) + 9,
                     "a report without 2N + 9 lines");
  }
  return 0;
}
