// The round trip of the tool: a surface cut through a bundled model, stored
// by the data-file writer and read by quarnby and wendmoor (run in memory,
// their console dialogue answered) must give the factor the analysis gave,
// and `hollin report` of that file must equal their results files.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/data_file_writer.h"
#include "analysis/record_units.h"
#include "analysis/slope_data.h"
#include "method/method_run.h"
#include "method/slices.h"
#include "programs/hollin/report_command.h"
#include "programs/hollin/shipped_settings.h"
#include "programs/quarnby/quarnby_run.h"
#include "programs/wendmoor/wendmoor_run.h"
#include "record_io/memory_run.h"
#include "record_io/number_format.h"
#include "record_io/record_io.h"
#include "slope/model_reader.h"
#include "slope/slicing.h"
#include "tests/run_program.h"

namespace hollin {
namespace {

using end_to_end::source_file;

/// Runs `program` (quarnby::run or wendmoor::run) in memory on the data file
/// `data` with the settings `settings`, and returns the results file.
template <class Program>
std::string results_in_memory(Program program, std::string_view settings_name,
                              std::string_view settings, const std::string& data) {
  // Enter, the data file, Enter, the results file; then an Enter after a
  // stopping slice, or 2 (write the report) after no convergence.
  record_io::MemoryRun memory("\nslope.dat\n\nresults.txt\n\n2\n");
  memory.files.files[std::string(settings_name)] = std::string(settings);
  memory.files.files["slope.dat"] = data;
  EXPECT_EQ(program(memory.io), 0) << memory.console_err.output;
  return memory.files.files["results.txt"];
}

std::string wendmoor_settings(int pore_force_option) {
  const std::string shipped(shipped_wendmoor_settings());
  return "40, " + std::to_string(pore_force_option) + ", 0, -1, 'none'" +
         shipped.substr(shipped.find('\n'));
}

/// The last line of a report (the factor line) without its CR LF.
std::string_view last_line(std::string_view report) {
  report.remove_suffix(2);
  return report.substr(report.rfind('\n') + 1);
}

/// The factor line the report shows for `factor`, with the shipped label.
std::string factor_line(double factor) {
  std::string line(" Factor of safety\t");
  record_io::append_real_item(line, factor);
  return line;
}

double ground_level(const slope::Polyline& ground, double x) {
  for (std::size_t i = 1; i < ground.size(); ++i) {
    if (x <= ground[i].x) {
      const slope::Point& a = ground[i - 1];
      const slope::Point& b = ground[i];
      return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
    }
  }
  return ground.back().y;
}

/// A random trial surface between two points of the ground: a circle through
/// them with its centre above, or a polyline from just above one to just
/// above the other through points below the ground.
slope::SlipSurface random_surface(const slope::Polyline& ground, std::mt19937_64& random) {
  const double left = ground.front().x;
  const double span = ground.back().x - left;
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  double x1 = left + span * unit(random);
  double x2 = left + span * unit(random);
  if (x1 > x2) std::swap(x1, x2);
  const double y1 = ground_level(ground, x1);
  const double y2 = ground_level(ground, x2);
  const double depth = (x2 - x1) * (0.05 + 0.5 * unit(random));
  slope::SlipSurface surface;
  if (unit(random) < 0.5) {
    // The circle through both ends and the point `depth` below their middle.
    const double xm = 0.5 * (x1 + x2);
    const double ym = std::min(y1, y2) - depth;
    const double a = 2 * (x2 - x1), b = 2 * (y2 - y1), c = x2 * x2 + y2 * y2 - x1 * x1 - y1 * y1;
    const double d = 2 * (xm - x1), e = 2 * (ym - y1), f = xm * xm + ym * ym - x1 * x1 - y1 * y1;
    const double det = a * e - b * d;
    const double xc = (c * e - b * f) / det;
    const double yc = (a * f - c * d) / det;
    surface.kind = slope::SlipSurface::Kind::circle;
    surface.circle = {xc, yc, std::hypot(x1 - xc, y1 - yc)};
    return surface;
  }
  surface.kind = slope::SlipSurface::Kind::polyline;
  surface.polyline.push_back({x1, y1 + 0.5});
  const int inner = 1 + static_cast<int>(unit(random) * 3);
  for (int k = 1; k <= inner; ++k) {
    const double x = x1 + (x2 - x1) * k / (inner + 1);
    surface.polyline.push_back({x, ground_level(ground, x) - depth * (0.3 + 0.7 * unit(random))});
  }
  surface.polyline.push_back({x2, y2 + 0.5});
  return surface;
}

/// The example models whose cuts a data file can hold: not those under an
/// earthquake, which no data file carries.
std::vector<std::string> example_models() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".toml") continue;
    const std::string name = entry.path().filename().string();
    const slope::ModelReading reading = slope::read_model(source_file("examples/" + name));
    if (reading.status == slope::ModelStatus::ok && reading.model.seismic.any()) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void expect_same_bits(double a, double b, const char* what) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(a), std::bit_cast<std::uint64_t>(b)) << what;
}

TEST(HollinRoundTrip, CutFilesGiveTheProgramsTheAnalysisFactorsAndReports) {
  const std::vector<std::string> models = example_models();
  ASSERT_FALSE(models.empty());
  constexpr int kSurfacesPerModel = 1000;  // admissible ones, at least 1,000 in all
  constexpr int kReportEvery = 25;         // through files: hollin report, every 25th
  std::mt19937_64 random(7);
  end_to_end::WorkFolder folder;
  int admissible = 0;
  int stopped = 0;
  int dropped = 0;

  for (const std::string& name : models) {
    const slope::ModelReading reading = slope::read_model(source_file("examples/" + name));
    ASSERT_EQ(reading.status, slope::ModelStatus::ok) << slope::describe(reading.error, name);
    const slope::Model& model = reading.model;
    // The data file's form of moments, which its programs take.
    slope::Cutter cutter(model, {method::MomentForm::legacy, true});
    slope::Cut cut;
    int found = 0;
    for (int attempt = 0; found < kSurfacesPerModel / static_cast<int>(models.size()) + 1 &&
                          attempt < 50 * kSurfacesPerModel;
         ++attempt) {
      const slope::SlipSurface surface = random_surface(model.ground, random);
      const auto slices = static_cast<std::int32_t>(3 + random() % 40);
      if (cutter.cut(surface, slices, cut) != slope::SurfaceProblem::none) continue;
      if (!slope::unwritable_forces(cut).empty()) continue;  // hollin cut refuses it
      std::string data;
      if (analysis::write_data_file_text(
              {model.title, model.subtitle, cut.water_unit_weight, cut.sections}, data) !=
          analysis::DataFileStatus::ok) {
        continue;  // more than 150 sections
      }
      ++found;
      ++admissible;
      SCOPED_TRACE(name + ", surface " + std::to_string(found) + ":\n" + data);

      // The file holds the cut's sections bit for bit.
      record_io::MemoryRun read;
      ASSERT_TRUE(read.open_input(analysis::kDataUnit, data));
      auto stored = std::make_unique<analysis::SlopeData>();
      std::int32_t line = 0;
      ASSERT_EQ(analysis::read_slope_data(read.io, analysis::kDataUnit, *stored, line),
                analysis::DataResult::ok);
      ASSERT_EQ(static_cast<std::size_t>(stored->section_count), cut.sections.size());
      expect_same_bits(stored->water_unit_weight, cut.water_unit_weight, "water");
      for (std::size_t k = 0; k < cut.sections.size(); ++k) {
        const method::Section& a = cut.sections[k];
        const method::Section& b = stored->sections[k];
        for (const auto& [x, y] : {std::pair{a.x, b.x},
                                   {a.ground_level, b.ground_level},
                                   {a.slip_level, b.slip_level},
                                   {a.lower_height, b.lower_height},
                                   {a.pore_head, b.pore_head},
                                   {a.lower_unit_weight, b.lower_unit_weight},
                                   {a.upper_unit_weight, b.upper_unit_weight},
                                   {a.cohesion, b.cohesion},
                                   {a.friction_angle, b.friction_angle},
                                   {a.vertical_load, b.vertical_load},
                                   {a.tan_phi, b.tan_phi}}) {
          expect_same_bits(x, y, "section field");
        }
      }

      // quarnby: the converged factor, or the stopping line of the slice.
      const method::MethodResult simplified = method::run_method(cut.surface(), {}).result;
      const std::string quarnby_results =
          results_in_memory(quarnby::run, "quarnby.ini", shipped_quarnby_settings(), data);
      if (simplified.status == method::RunStatus::converged) {
        ASSERT_TRUE(simplified.has_factor());
        EXPECT_EQ(last_line(quarnby_results), factor_line(simplified.factor));
      } else if (simplified.status == method::RunStatus::stopped) {
        ++stopped;
        EXPECT_EQ(quarnby_results.substr(0, quarnby_results.find('\r')),
                  std::string(" ") +
                      (simplified.stop == method::IterationStop::no_positive_normal
                           ? "No positive effective normal force: the iteration stops at slice"
                           : "M-factor below 0.2: the iteration stops at slice") +
                      "  " + std::to_string(simplified.slice))
            << "stopping line";
      }

      // wendmoor with either pore force.
      std::string wendmoor_results[2];
      for (const int option : {0, 1}) {
        method::MethodSettings settings;
        settings.method = method::Method::ordinary;
        settings.pore_force =
            option == 1 ? method::PoreForce::base_length : method::PoreForce::base_width;
        const method::MethodRun ordinary = method::run_method(cut.surface(), settings);
        wendmoor_results[option] =
            results_in_memory(wendmoor::run, "wendmoor.ini", wendmoor_settings(option), data);
        // A surface whose driving forces cancel has no finite factor: the
        // analysis gives none and the report shows what the sums give.
        method::SliceTable table;
        method::compute_ordinary(cut.surface(), settings.pore_force, table);
        const double sums = method::reported_factor(table);
        EXPECT_EQ(last_line(wendmoor_results[option]), factor_line(sums));
        if (ordinary.result.has_factor()) {
          expect_same_bits(ordinary.result.factor, sums, "ordinary factor");
        }
        EXPECT_EQ(ordinary.result.has_factor(), std::isfinite(sums));
        if (!ordinary.friction_dropped.empty()) ++dropped;
      }

      if (admissible % kReportEvery != 0) continue;
      folder.write("slope.dat", data);
      folder.write("length.ini", wendmoor_settings(1));
      const auto hollin_report = [&](const char* method, const char* settings) {
        ReportOptions options;
        options.data = (folder.path() / "slope.dat").string();
        options.method = method;
        if (settings != nullptr) options.settings = (folder.path() / settings).string();
        options.output = (folder.path() / "results.txt").string();
        CommandContext context;
        EXPECT_EQ(run_report(options, context), kExitSuccess) << context.err;
        return folder.read("results.txt");
      };
      EXPECT_EQ(hollin_report("simplified", nullptr), quarnby_results);
      EXPECT_EQ(hollin_report("ordinary", nullptr), wendmoor_results[0]);
      EXPECT_EQ(hollin_report("ordinary", "length.ini"), wendmoor_results[1]);
      if (HasFailure()) return;
    }
  }
  EXPECT_GE(admissible, kSurfacesPerModel);
  // The random surfaces reach the unusual paths too.
  EXPECT_GT(stopped, 0);
  EXPECT_GT(dropped, 0);
  std::printf("round trip: %d surfaces, %d stopped iterations, %d with friction dropped\n",
              admissible, stopped, dropped);
}

}  // namespace
}  // namespace hollin
