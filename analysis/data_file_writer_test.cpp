#include "analysis/data_file_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "analysis/data_file_limits.h"
#include "analysis/message_table.h"
#include "analysis/record_units.h"
#include "analysis/slope_data.h"
#include "record_io/memory_run.h"

namespace analysis {
namespace {

using Limits = std::numeric_limits<double>;

/// Reads `text` as the programs do.
analysis::DataResult read_back(const std::string& text, analysis::SlopeData& data) {
  record_io::MemoryRun run;
  EXPECT_TRUE(run.open_input(analysis::kDataUnit, text));
  std::int32_t line = 0;
  return analysis::read_slope_data(run.io, analysis::kDataUnit, data, line);
}

/// A finite double from random bits: every exponent and sign, denormals and
/// both zeros included.
double random_double(std::mt19937_64& random) {
  for (;;) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) return value;
  }
}

void expect_same_bits(double written, double read, const char* field) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(written), std::bit_cast<std::uint64_t>(read))
      << field << ": wrote " << written << ", read " << read;
}

// The shortest form of std::to_chars ("1e-05", "1.5e+300", "-0",
// "4.9e-324", "1.7976931348623157e+308") must read back through the record
// layer to the same bits, for every value a cut can produce.
TEST(DataFileWriter, EveryShortestNumberReadsBackBitForBit) {
  std::mt19937_64 random(20240611);
  const std::vector<double> special = {0.0,
                                       -0.0,
                                       1e-05,
                                       1.5e300,
                                       -1.5e300,
                                       Limits::max(),
                                       -Limits::max(),
                                       Limits::min(),
                                       Limits::denorm_min(),
                                       -Limits::denorm_min(),
                                       0.1,
                                       1e15,
                                       1e16,
                                       123456789012345680.0,
                                       9.81};
  constexpr int kFiles = 200;
  std::size_t special_at = 0;
  for (int file = 0; file < kFiles; ++file) {
    const auto next = [&] {
      return special_at < special.size() ? special[special_at++] : random_double(random);
    };
    std::vector<method::Section> sections(analysis::kMaxDataFileSections);
    for (method::Section& s : sections) {
      for (double* field : {&s.x, &s.ground_level, &s.slip_level, &s.lower_height, &s.pore_head,
                            &s.lower_unit_weight, &s.upper_unit_weight, &s.cohesion,
                            &s.friction_angle, &s.vertical_load}) {
        *field = next();
      }
      s.tan_phi = method::tan_phi_of(s.friction_angle);
    }
    const double water = next();
    std::string text;
    ASSERT_EQ(write_data_file_text({"Title", "Subtitle", water, sections}, text),
              DataFileStatus::ok);
    auto data = std::make_unique<analysis::SlopeData>();
    ASSERT_EQ(read_back(text, *data), analysis::DataResult::ok);
    ASSERT_EQ(data->section_count, analysis::kMaxDataFileSections);
    expect_same_bits(water, data->water_unit_weight, "water_unit_weight");
    for (std::size_t k = 0; k < sections.size(); ++k) {
      const method::Section& w = sections[k];
      const method::Section& r = data->sections[k];
      expect_same_bits(w.x, r.x, "x");
      expect_same_bits(w.ground_level, r.ground_level, "ground_level");
      expect_same_bits(w.slip_level, r.slip_level, "slip_level");
      expect_same_bits(w.lower_height, r.lower_height, "lower_height");
      expect_same_bits(w.pore_head, r.pore_head, "pore_head");
      expect_same_bits(w.lower_unit_weight, r.lower_unit_weight, "lower_unit_weight");
      expect_same_bits(w.upper_unit_weight, r.upper_unit_weight, "upper_unit_weight");
      expect_same_bits(w.cohesion, r.cohesion, "cohesion");
      expect_same_bits(w.friction_angle, r.friction_angle, "friction_angle");
      expect_same_bits(w.vertical_load, r.vertical_load, "vertical_load");
      expect_same_bits(w.tan_phi, r.tan_phi, "tan_phi");
      if (HasFailure()) return;
    }
  }
}

TEST(DataFileWriter, LayoutTitlesAndRefusals) {
  std::vector<method::Section> sections(2);
  sections[0].x = 0.5;
  sections[0].vertical_load = 10;  // downward: the file holds -10
  sections[1].x = 4;
  std::string text;
  ASSERT_EQ(write_data_file_text({"Bank\nwith a line end", "", 0.0, sections}, text),
            DataFileStatus::ok);
  EXPECT_EQ(text,
            "Bank with a line end\n"
            "\n"
            "water unit weight, sections, four unused numbers\n"
            "0 2 0 0 0 0\n"
            "x ground slip lower pore lower_uw upper_uw c phi load s1 s2 s3 s4 s5 s6\n"
            "0.5 0 0 0 0 0 0 0 0 -10 0 0 0 0 0 0\n"
            "4 0 0 0 0 0 0 0 0 -0 0 0 0 0 0 0\n");

  std::vector<method::Section> too_many(analysis::kMaxDataFileSections + 1);
  EXPECT_EQ(write_data_file_text({"t", "s", 9.81, too_many}, text),
            DataFileStatus::too_many_sections);
  EXPECT_TRUE(text.empty());
  sections[1].cohesion = Limits::quiet_NaN();
  EXPECT_EQ(write_data_file_text({"t", "s", 9.81, sections}, text), DataFileStatus::not_finite);
  sections[1].cohesion = 0;
  EXPECT_EQ(write_data_file_text({"t", "s", Limits::infinity(), sections}, text),
            DataFileStatus::not_finite);
}

}  // namespace
}  // namespace analysis
