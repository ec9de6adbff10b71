#include "analysis/results_report.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>
#include <string>
#include <vector>

#include "analysis/record_units.h"
#include "method/simplified_method.h"
#include "record_io/memory_run.h"

namespace analysis {
namespace {

using record_io::MemoryRun;

const char* const kWorkedExampleFile =
    "Worked example\n"
    "Three sections\n"
    "ignored\n"
    "9.81 3 0 0 0 0\n"
    "ignored\n"
    "0 10 5 1 1 20 18 10 30 0 0 0 0 0 0 0\n"
    "4 9 2 1 1 20 18 10 30 0 0 0 0 0 0 0\n"
    "8 6 1 0.5 0.5 20 18 10 30 0 0 0 0 0 0 0\n";

/// Messages 5 to 31 hold "M5" to "M31"; the rest are never supplied.
MessageTable report_messages() {
  MessageTable messages(kSimplifiedMessageCount);
  for (std::int32_t k = 5; k <= 31; ++k) {
    static_cast<void>(messages.store(k, "M" + std::to_string(k)));
  }
  return messages;
}

SlopeData read_data(const std::string& text) {
  MemoryRun run;
  SlopeData data;
  std::int32_t line = 0;
  EXPECT_TRUE(run.open_input(kDataUnit, text));
  EXPECT_EQ(read_slope_data(run.io, kDataUnit, data, line), DataResult::ok);
  return data;
}

std::string report(const SlopeData& data, const method::SliceTable& table,
                   const MessageTable& messages, char separator) {
  MemoryRun run;
  EXPECT_TRUE(run.open_output(kResultsUnit));
  EXPECT_EQ(write_results_report(run.io, kResultsUnit, data, table, messages, separator),
            ReportResult::ok);
  return run.written(kResultsUnit);
}

std::vector<std::string> split(const std::string& text, const std::string& at) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(at, start)) != std::string::npos;
       start = end + at.size()) {
    parts.push_back(text.substr(start, end - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

/// The value of a real cell: a blank, the sign position and 15 significant
/// digits in fixed form, then one trailing blank unless it ends the line.
double real_cell(const std::string& cell) {
  static const std::regex fixed(R"( [ -](\d+)\.(\d+) ?)");
  std::smatch m;
  EXPECT_TRUE(std::regex_match(cell, m, fixed)) << '"' << cell << '"';
  if (m.size() == 3) {
    const std::size_t digits = m[1].length() + m[2].length();
    EXPECT_EQ(m[1].str() == "0" ? digits - 1 : digits, 15u) << cell;
  }
  return std::stod(cell);
}

TEST(ResultsReportTest, WorkedExampleAfterConvergence) {
  const SlopeData data = read_data(kWorkedExampleFile);
  method::SliceTable table;
  method::compute_first_estimate(data.surface(), table);
  ASSERT_EQ(method::iterate_simplified(data.surface(), table, 9.999999747378752e-06, 50).stop,
            method::IterationStop::converged);
  const std::string text = report(data, table, report_messages(), '\t');

  const std::vector<std::string> lines = split(text, "\r\n");
  ASSERT_EQ(lines.size(), 16u);  // 2N + 9 lines, each ended by CR LF
  EXPECT_EQ(lines[15], "");

  // Every line whose cells the worked example fixes, exactly.
  const std::string exact =
      "Worked example\r\n"
      "Three sections\r\n"
      " M5\tM6\t\r\n"
      "   9.81000000000000 \t  3\r\n"
      " M7\r\n"
      " M8\tM9\tM10\tM11\tM12\tM13\tM14\r\n"
      "   1 \t  0.000000000000000 \t  10.0000000000000 \t  5.00000000000000 \t"
      "  5.00000000000000 \t  1.00000000000000 \t  1.00000000000000\r\n"
      "   2 \t  4.00000000000000 \t  9.00000000000000 \t  2.00000000000000 \t"
      "  7.00000000000000 \t  1.00000000000000 \t  1.00000000000000\r\n"
      "   3 \t  8.00000000000000 \t  6.00000000000000 \t  1.00000000000000 \t"
      "  5.00000000000000 \t  0.500000000000000 \t  0.500000000000000\r\n"
      "M15\r\n"
      " M16\tM17\tM18\tM19\tM20\tM21\tM22\tM23\tM24\tM25\tM26\tM27\tM28\tM29\r\n";
  EXPECT_EQ(text.substr(0, exact.size()), exact);

  // Slice rows: the exact cells, then the computed ones checked against the
  // reference values of the worked example (six significant digits).
  const std::vector<std::string> row1 = split(lines[11], "\t");
  ASSERT_EQ(row1.size(), 14u);
  const std::string row1_fixed =
      "   1 \t  4.00000000000000 \t  6.00000000000000 \t -0.750000000000000 \t"
      "  440.000000000000 \t  20.0000000000000 \t  18.0000000000000 \t"
      "  10.0000000000000 \t  30.0000000000000 \t -0.000000000000000 \t"
      "  264.000000000000 \t";
  EXPECT_EQ(lines[11].substr(0, row1_fixed.size()), row1_fixed);
  EXPECT_NEAR(real_cell(row1[11]), -258.885, 5e-4);
  EXPECT_NEAR(real_cell(row1[12]), 5.11474, 5e-5);
  EXPECT_EQ(row1[13], "  1.00000000000000");

  const std::vector<std::string> row2 = split(lines[12], "\t");
  ASSERT_EQ(row2.size(), 14u);
  const std::string row2_fixed =
      "   2 \t  4.00000000000000 \t  6.00000000000000 \t -0.250000000000000 \t"
      "  438.000000000000 \t  20.0000000000000 \t  18.0000000000000 \t"
      "  10.0000000000000 \t  30.0000000000000 \t -0.000000000000000 \t";
  EXPECT_EQ(lines[12].substr(0, row2_fixed.size()), row2_fixed);
  EXPECT_NEAR(real_cell(row2[10]), 106.231, 5e-4);
  EXPECT_NEAR(real_cell(row2[11]), -257.720, 5e-4);
  EXPECT_NEAR(real_cell(row2[12]), -151.489, 5e-4);
  EXPECT_EQ(row2[13], "  0.750000000000000");

  const std::vector<std::string> sums = split(lines[13], "\t");
  ASSERT_EQ(sums.size(), 12u);
  EXPECT_EQ(lines[13].substr(0, 14), " \t\t\t\t\t\t\t\t\tM30\t");
  EXPECT_NEAR(real_cell(sums[10]), 370.231, 5e-4);
  EXPECT_NEAR(real_cell(sums[11]), -516.605, 5e-4);

  const std::vector<std::string> last = split(lines[14], "\t");
  ASSERT_EQ(last.size(), 2u);
  EXPECT_EQ(last[0], " M31");
  EXPECT_NEAR(real_cell(last[1]), 1.39536, 5e-6);
}

TEST(ResultsReportTest, SeparatorBlankMessagesAndDegenerateData) {
  // One section, a comma separator and no messages at all: the separators
  // stand alone, there is no slice row, and the factor is 0 / 0.
  SlopeData data = read_data(
      "\n"
      "Single\n"
      "x\n"
      "9.81 1 0 0 0 0\n"
      "x\n"
      "0 1 5 0 0 20 18 10 30 0 0 0 0 0 0 0\n");
  method::SliceTable table;
  method::compute_first_estimate(data.surface(), table);
  EXPECT_EQ(report(data, table, MessageTable(kOrdinaryMessageCount), ','),
            "\r\n"
            "Single\r\n"
            " ,,\r\n"
            "   9.81000000000000 ,  1\r\n"
            " \r\n"
            " ,,,,,,\r\n"
            "   1 ,  0.000000000000000 ,  1.00000000000000 ,"
            "  5.00000000000000 , -4.00000000000000 ,  0.000000000000000 ,"
            "  0.000000000000000\r\n"
            "\r\n"
            " ,,,,,,,,,,,,,\r\n"
            " ,,,,,,,,,,  0.000000000000000 ,  0.000000000000000\r\n"
            " ,  NaN\r\n");

  // A title of 255 characters is written in full.
  std::fill(data.title_1.begin(), data.title_1.end(), 'T');
  const std::string text = report(data, table, MessageTable(kOrdinaryMessageCount), ',');
  EXPECT_EQ(text.substr(0, 257), std::string(255, 'T') + "\r\n");
}

TEST(ResultsReportTest, FailedTitleWriteIsReported) {
  const SlopeData data = read_data(kWorkedExampleFile);
  method::SliceTable table;
  method::compute_first_estimate(data.surface(), table);
  MemoryRun run;
  ASSERT_TRUE(run.open_output(kResultsUnit));
  run.files.write_error = ENOSPC;
  EXPECT_EQ(write_results_report(run.io, kResultsUnit, data, table, report_messages(), '\t'),
            ReportResult::title_write_failed);
}

}  // namespace
}  // namespace analysis
