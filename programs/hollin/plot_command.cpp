#include "programs/hollin/plot_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "method/line_of_thrust.h"
#include "method/method_run.h"
#include "method/slice_forces.h"
#include "picture/cut_drawing.h"
#include "picture/model_drawing.h"
#include "programs/hollin/data_file_input.h"
#include "programs/hollin/method_runs.h"
#include "programs/hollin/model_cut.h"
#include "programs/hollin/model_input.h"
#include "programs/hollin/option_words.h"
#include "programs/hollin/report_factor.h"
#include "programs/hollin/text_file.h"

namespace hollin {
namespace {

bool is_model(const std::string& path) {
  constexpr std::string_view kSuffix = ".toml";
  return path.size() >= kSuffix.size() &&
         std::string_view(path).substr(path.size() - kSuffix.size()) == kSuffix;
}

// The first method option given that only --method uses, or empty: without
// --method a surface is drawn by the simplified and ordinary methods at the
// defaults of `hollin analyse`.
std::string_view method_option_given(const MethodOptions& given) {
  const MethodOptions unset;
  if (given.pore_force != unset.pore_force) return "--pore-force";
  if (given.tolerance != unset.tolerance) return "--tolerance";
  if (given.iteration_limit != unset.iteration_limit) return "--iteration-limit";
  if (given.tension != unset.tension) return "--tension";
  if (given.interslice != unset.interslice) return "--interslice";
  if (given.interslice_ends != unset.interslice_ends) return "--interslice-ends";
  if (given.interslice_points != unset.interslice_points) return "--interslice-points";
  if (given.janbu_correction != unset.janbu_correction) return "--janbu-correction";
  return {};
}

picture::FactorLabel factor_label(const method::MethodResult& run) {
  picture::FactorLabel label;
  label.label = std::string(method::method_name(run.method)) + " method";
  if (run.has_factor()) {
    label.factor = run.factor;
  } else {
    label.why = run.status == method::RunStatus::stopped
                    ? "stopped at slice " + std::to_string(run.slice)
                : run.status == method::RunStatus::no_driving_force ? "no driving force"
                : run.status == method::RunStatus::no_solution      ? "no solution"
                                                                    : "no convergence";
  }
  return label;
}

/// The picture of a model, with the cut surface when one is given.
int plot_model(const PlotOptions& options, std::string& svg, CommandContext& context) {
  const bool surface = !options.surface.circle.empty() || !options.surface.polyline.empty();
  if (!surface) {
    if (!options.surface.slices.empty()) {
      context.error("--slices needs --circle or --polyline");
      return kExitUsage;
    }
    if (const std::string_view option =
            options.method.empty() ? method_option_given(options) : "--method";
        !option.empty()) {
      context.error(std::string(option) +
                    " needs --circle or --polyline: a model alone is drawn without a method");
      return kExitUsage;
    }
    slope::Model model;
    if (!load_model(options.file, model, context)) return kExitRefused;
    svg = picture::model_picture(model);
    return kExitSuccess;
  }
  if (const std::string_view option = method_option_given(options);
      options.method.empty() && !option.empty()) {
    context.error(std::string(option) +
                  " needs --method: without it the simplified and ordinary methods are drawn "
                  "at the defaults of analyse");
    return kExitUsage;
  }
  ModelCut request;
  if (const CutStep step = cut_model_surface(options.surface, options.file, request, context);
      step != CutStep::admissible) {
    return exit_status(step);
  }
  const method::SurfaceData data = request.cut.surface();
  if (!options.method.empty()) {
    method::MethodSettings settings;
    std::string why;
    if (!parse_method_options(options, settings, why) ||
        !parse_word("--method", kMethodWords, options.method, settings.method, why)) {
      context.error(why);
      return kExitUsage;
    }
    method::SliceTable table;
    const method::MethodResult result = method::run_method(data, settings, table);
    const std::vector<method::SliceForces> forces =
        method::slice_forces(data, settings, table, result);
    std::vector<picture::SliceShade> shades(forces.size());
    for (std::size_t i = 0; i < forces.size(); ++i) {
      shades[i].normal_force = forces[i].normal;
      shades[i].inadmissible = !(forces[i].normal > 0.0);
    }
    const std::vector<method::ThrustPoint> thrust = method::line_of_thrust(data, table, forces);
    std::array<picture::FactorLabel, 1> factors{factor_label(result)};
    // "janbu method, uncorrected": the method named first, then its settings.
    const std::string_view name = method::method_name(settings.method);
    factors[0].label = std::string(name) + " method" + method_label(settings).substr(name.size());
    svg = picture::cut_picture(request.model, request.cut, shades, factors, thrust);
    return kExitSuccess;
  }
  // Both methods with the defaults of `hollin analyse`; the ordinary
  // method's table shades the slices.
  method::MethodSettings simplified_settings;
  simplified_settings.tension = method::TensionRule::allow;
  const method::MethodRun simplified_run = method::run_method(data, simplified_settings);
  const method::MethodResult& simplified = simplified_run.result;
  method::MethodSettings ordinary_settings;
  ordinary_settings.method = method::Method::ordinary;
  method::SliceTable table;
  const method::MethodResult ordinary = method::run_method(data, ordinary_settings, table);
  std::vector<picture::SliceShade> shades(static_cast<std::size_t>(table.slice_count));
  for (std::size_t i = 0; i < shades.size(); ++i) {
    shades[i].normal_force = table.normal_force[i];
    shades[i].inadmissible =
        table.normal_not_positive[i] != 0 ||
        (simplified.status == method::RunStatus::stopped &&
         static_cast<std::size_t>(simplified.slice) == i + 1) ||
        std::find(simplified_run.tension_slices.begin(), simplified_run.tension_slices.end(),
                  static_cast<std::int32_t>(i + 1)) != simplified_run.tension_slices.end();
  }
  const std::array<picture::FactorLabel, 2> factors{factor_label(simplified),
                                                    factor_label(ordinary)};
  svg = picture::cut_picture(request.model, request.cut, shades, factors);
  return kExitSuccess;
}

/// The picture of a stored data file, with the factor of its report.
int plot_data(const PlotOptions& options, std::string& svg, CommandContext& context) {
  if (!options.surface.circle.empty() || !options.surface.polyline.empty() ||
      !options.surface.slices.empty()) {
    context.error(
        "--circle, --polyline and --slices apply to a model (.toml), not to the data "
        "file " +
        options.file);
    return kExitUsage;
  }
  if (const std::string_view option =
          options.method.empty() ? method_option_given(options) : "--method";
      !option.empty()) {
    context.error(std::string(option) +
                  " applies to a model (.toml) with a surface, not to the data file " +
                  options.file);
    return kExitUsage;
  }
  std::string text;
  auto data = std::make_unique<analysis::SlopeData>();
  if (!read_data_file(options.file, text, *data, context)) return kExitRefused;
  std::optional<picture::FactorLabel> factor;
  if (!options.report.empty()) {
    std::string report;
    std::string why;
    double value = 0.0;
    if (read_text_file(options.report, report, why) != FileStatus::ok ||
        !report_factor(report, *data, value, why)) {
      context.error(options.report + ": " + why);
      return kExitRefused;
    }
    factor = picture::FactorLabel{"factor of safety from " + options.report, value, ""};
  }
  const auto title = [](const std::array<char, analysis::kTitleLength>& t) {
    std::string_view line(t.data(), t.size());
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
  };
  svg = picture::data_picture(
      {title(data->title_1), title(data->title_2), data->surface().sections, factor});
  return kExitSuccess;
}

}  // namespace

int run_plot(const PlotOptions& options, CommandContext& context) {
  std::string svg;
  int status = kExitUsage;
  if (is_model(options.file)) {
    if (!options.report.empty()) {
      context.error("--report applies to a slope data file, not to the model " + options.file);
      return kExitUsage;
    }
    status = plot_model(options, svg, context);
  } else {
    status = plot_data(options, svg, context);
  }
  if (status != kExitSuccess) return status;
  std::vector<std::string> inputs{options.file};
  if (!options.report.empty()) inputs.push_back(options.report);
  std::string why;
  if (write_file_atomically(options.output, svg, inputs, why) != FileStatus::ok) {
    context.error(options.output + ": the picture was not written: " + why);
    return kExitRefused;
  }
  return kExitSuccess;
}

void declare_plot(CLI::App& app, PlotOptions& options) {
  app.add_option("FILE", options.file, "a slope model (name ending in .toml) or a slope data file")
      ->required();
  declare_surface_options(app, options.surface);
  declare_method_options(app, options.method, MethodWords::one, options);
  app.add_option("--report", options.report,
                 "data files: the results report whose factor of safety to show");
  app.add_option("-o,--output", options.output, "the SVG file to write")->required();
}

}  // namespace hollin
