#include "programs/hollin/search_command.h"

#include <oneapi/tbb/info.h>
#include <oneapi/tbb/task_arena.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <system_error>
#include <utility>
#include <vector>

#include "analysis/data_file_writer.h"
#include "picture/html_page.h"
#include "programs/hollin/method_list.h"
#include "programs/hollin/method_runs.h"
#include "programs/hollin/model_cut.h"
#include "programs/hollin/model_input.h"
#include "programs/hollin/option_values.h"
#include "programs/hollin/option_words.h"
#include "programs/hollin/progress_line.h"
#include "programs/hollin/search_report.h"
#include "programs/hollin/surface_option.h"
#include "programs/hollin/text_file.h"
#include "programs/hollin/trials_table.h"
#include "search/centre_map.h"
#include "search/default_limits.h"
#include "search/find_critical.h"
#include "text/number_text.h"

namespace hollin {
namespace {

using search::Axis;
using search::GridKind;

/// How often a search with default limits moves them beyond its critical
/// circle and runs again.
constexpr std::int32_t kMaxExtensions = 3;

/// The options converted, apart from the limits.
struct Choices {
  search::Settings settings;
  std::optional<search::Face> face;
  std::int32_t top = 1;
  std::int32_t threads = 1;
  std::vector<method::Method> also;  ///< run on each circle of the top list
};

bool parse_non_negative(std::string_view text, double& value, std::string& why) {
  std::vector<double> values;
  if (!parse_real_list(text, values, why)) return false;
  if (values.size() != 1 || !(values[0] >= 0.0)) {
    why = "'" + std::string(text) + "' is not a number from 0 up";
    return false;
  }
  value = values[0];
  return true;
}

bool parse_choices(const SearchOptions& options, Choices& choices, std::string& why) {
  search::Settings& s = choices.settings;
  if (!parse_word("--method", kMethodWords, options.method, s.analysis.method, why) ||
      !parse_method_options(options, s.analysis, why)) {
    return false;
  }
  if (!options.face.empty()) {
    search::Face face = search::Face::left;
    if (!parse_word("--face", kFaceWords, options.face, face, why)) return false;
    choices.face = face;
  }
  if (options.also && !parse_method_list("--also", *options.also, choices.also, why)) {
    return false;
  }
  const auto fail = [&why](const char* option) {
    why = std::string(option) + ": " + why;
    return false;
  };
  s.slices = kDefaultSlices;
  if (!options.slices.empty() && !parse_count(options.slices, 1, kMaxSlices, s.slices, why)) {
    return fail("--slices");
  }
  s.cut.composite = options.composite != "off";
  if (!options.min_depth.empty() && !parse_non_negative(options.min_depth, s.min_depth, why)) {
    return fail("--min-depth");
  }
  if (!options.min_weight.empty() && !parse_non_negative(options.min_weight, s.min_weight, why)) {
    return fail("--min-weight");
  }
  if (!options.top.empty() && !parse_count(options.top, 1, kMaxTop, choices.top, why)) {
    return fail("--top");
  }
  choices.threads = tbb::info::default_concurrency();
  if (!options.threads.empty() &&
      !parse_count(options.threads, 1, kMaxThreads, choices.threads, why)) {
    return fail("--threads");
  }
  return true;
}

/// Parses "FROM,TO,N" groups of a limits option into `axes`.
bool parse_axes(std::string_view option, std::string_view text, std::span<Axis> axes,
                std::string& why) {
  std::vector<double> values;
  const std::size_t wanted = 3 * axes.size();
  if (!parse_real_list(text, values, why)) {
    why = std::string(option) + ": " + why;
    return false;
  }
  if (values.size() != wanted) {
    why = std::string(option) + " takes " + std::to_string(wanted) + " numbers (" +
          (wanted == 6 ? "XMIN,XMAX,NX,YMIN,YMAX,NY" : "FROM,TO,COUNT") + "), not " +
          std::to_string(values.size());
    return false;
  }
  for (std::size_t k = 0; k < axes.size(); ++k) {
    const double count = values[3 * k + 2];
    if (!(count >= 1.0 && count <= static_cast<double>(search::kMaxTrials)) ||
        count != std::floor(count)) {
      why = std::string(option) + ": the count '" + text::shortest(count) +
            "' is not a whole number from 1 to " + std::to_string(search::kMaxTrials);
      return false;
    }
    axes[k] = {values[3 * k], values[3 * k + 1], static_cast<std::int32_t>(count)};
  }
  return true;
}

/// The option that set an axis of the grid, for messages.
std::string axis_option(const SearchLimits& limits, int axis) {
  const GridKind kind = limits.grid.kind;
  if (axis < 0) return "the grid";
  if (limits.by_default[static_cast<std::size_t>(axis)]) {
    return "the default " + std::string(axis_name(kind, static_cast<std::size_t>(axis)));
  }
  if (kind == GridKind::entry_exit) return axis == 0 ? "--entry" : axis == 1 ? "--exit" : "--radii";
  if (axis == 2) return kind == GridKind::centres_radii ? "--radii" : "--tangents";
  return axis == 0 ? "--centres (x)" : "--centres (y)";
}

/// Builds the grid from the options and the defaults. Returns kExitSuccess,
/// or the status with the message in `context`.
int make_limits(const SearchOptions& options, const Choices& choices, const slope::Model& model,
                SearchLimits& limits, CommandContext& context) {
  std::string why;
  const bool centres = !options.centres.empty();
  const bool radii = !options.radii.empty();
  const bool tangents = !options.tangents.empty();
  const bool entry_exit = !options.entry.empty() || !options.exit.empty();
  const auto usage = [&context](const std::string& what) {
    context.error(what);
    return kExitUsage;
  };
  if (radii && tangents) return usage("give --radii or --tangents, not both");
  if (entry_exit) {
    if (options.entry.empty() || options.exit.empty() || !radii || centres || tangents) {
      return usage(
          "an entry and exit search takes --entry X1,X2,N, --exit X3,X4,N and --radii "
          "RMIN,RMAX,NR, and neither --centres nor --tangents");
    }
    limits.grid.kind = GridKind::entry_exit;
    if (!parse_axes("--entry", options.entry, std::span(limits.grid.axes).subspan(0, 1), why) ||
        !parse_axes("--exit", options.exit, std::span(limits.grid.axes).subspan(1, 1), why) ||
        !parse_axes("--radii", options.radii, std::span(limits.grid.axes).subspan(2, 1), why)) {
      return usage(why);
    }
  } else {
    limits.grid.kind = radii ? GridKind::centres_radii : GridKind::centres_tangents;
    if (centres &&
        !parse_axes("--centres", options.centres, std::span(limits.grid.axes).subspan(0, 2), why)) {
      return usage(why);
    }
    if ((radii || tangents) &&
        !parse_axes(radii ? "--radii" : "--tangents", radii ? options.radii : options.tangents,
                    std::span(limits.grid.axes).subspan(2, 1), why)) {
      return usage(why);
    }
    limits.by_default = {!centres, !centres, !radii && !tangents};
    if (!centres || (!radii && !tangents)) {
      const search::DefaultLimits defaults = search::default_limits(
          model, choices.face, choices.settings.slices, choices.settings.cut.composite);
      if (!defaults.found) {
        context.error(choices.face
                          ? "the ground does not fall towards " +
                                std::string(*choices.face == search::Face::left ? "-x" : "+x") +
                                ": no face there to choose limits for; give --centres and "
                                "--radii or --tangents, or the other --face"
                          : "the ground is level: there is no slope face to choose limits "
                            "for; give --centres and --radii or --tangents");
        return kExitRefused;
      }
      limits.face = defaults.face;
      limits.bedrock = defaults.bedrock && limits.by_default[2];
      for (std::size_t k = 0; k < 3; ++k) {
        if (limits.by_default[k]) limits.grid.axes[k] = defaults.grid.axes[k];
      }
    }
  }

  const search::GridCheck check =
      search::check_grid(limits.grid, model.ground, choices.settings.slices);
  const std::string option = axis_option(limits, check.axis);
  const search::Axis axis =
      check.axis >= 0 ? limits.grid.axes[static_cast<std::size_t>(check.axis)] : search::Axis{};
  switch (check.problem) {
    case search::GridProblem::none:
      return kExitSuccess;
    case search::GridProblem::count_below_one:
      return usage(option + ": a count must be 1 or more");
    case search::GridProblem::not_finite:
      return usage(option + ": a limit is not a finite number");
    case search::GridProblem::too_large:
      return usage(option + ": a limit is beyond 10^9 in size");
    case search::GridProblem::reversed:
      return usage(option + ": the range runs from " + text::shortest(axis.from) + " down to " +
                   text::shortest(axis.to) + "; give the smaller value first");
    case search::GridProblem::repeated_value:
      return usage(option + ": the range from " + text::shortest(axis.from) + " to " +
                   text::shortest(axis.to) + " holds one value; give a count of 1");
    case search::GridProblem::radius_not_positive:
      return usage(option + ": a radius must be above 0, not " + text::shortest(axis.from));
    case search::GridProblem::off_ground:
      return usage(option + ": " + text::shortest(axis.from) + " to " + text::shortest(axis.to) +
                   " is not within the ground's x-range " + text::shortest(model.ground.front().x) +
                   " to " + text::shortest(model.ground.back().x));
    case search::GridProblem::too_many_trials:
      return usage("the grid has " +
                   text::shortest(static_cast<double>(limits.grid.trial_count())) +
                   " trials, more than the " + std::to_string(search::kMaxTrials) +
                   " a search takes; give smaller counts");
    case search::GridProblem::too_much_work:
      return usage("the grid's " + std::to_string(limits.grid.trial_count()) +
                   " trials over a ground of " + std::to_string(model.ground.size()) +
                   " points with " + std::to_string(choices.settings.slices) +
                   " slices each are more than a search takes (trials x (ground points + "
                   "slices) above 10^10); give smaller counts or fewer --slices");
  }
  return kExitUsage;
}

bool same_path(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  const auto x = std::filesystem::weakly_canonical(a, error);
  if (error) return false;
  const auto y = std::filesystem::weakly_canonical(b, error);
  return !error && x == y;
}

/// Writes the critical circle's cut as a data file. False with the message
/// in `context`.
bool write_cut(const SearchOptions& options, const slope::Model& model,
               const search::Settings& settings, const search::Trial& best,
               CommandContext& context) {
  search::Evaluator evaluator(model, settings);
  const search::Trial again = evaluator.evaluate(best.circle);
  if (again.outcome != search::Outcome::factor ||
      std::bit_cast<std::uint64_t>(again.factor) != std::bit_cast<std::uint64_t>(best.factor)) {
    context.error(options.cut +
                  ": the critical circle cut again gave another factor; no file "
                  "written (a fault of hollin: please report it)");
    return false;
  }
  return write_cut_file(options.cut, model, evaluator.cut(), options.model, "the critical surface",
                        settings.slices, context);
}

/// The slices in tension, the lambda and the crack of each circle of the top
/// list, its cut analysed again by the search's method, and the runs of the
/// methods `also` on that cut with the search's settings otherwise.
std::vector<CircleDetail> details_of(const slope::Model& model, const search::Settings& settings,
                                     std::span<const method::Method> also,
                                     const search::CriticalSearch& found) {
  std::vector<CircleDetail> details;
  search::Evaluator evaluator(model, settings);
  for (const search::Ranked& ranked : found.top) {
    static_cast<void>(evaluator.evaluate(ranked.trial.circle));
    const slope::Cut& cut = evaluator.cut();
    method::MethodRun run = method::run_method(cut.surface(), settings.analysis);
    CircleDetail& detail = details.emplace_back();
    detail.tension_slices = std::move(run.tension_slices);
    detail.crack = cut.crack;
    detail.crack_x = cut.entry.x;
    detail.lambda = run.result.lambda;
    for (const method::Method other : also) {
      method::MethodSettings analysis = settings.analysis;
      analysis.method = other;
      detail.also.push_back(method::run_method(cut.surface(), analysis));
    }
  }
  return details;
}

/// Moves each default limit on which `params` (the critical circle) lies
/// beyond it by half the axis's range, at the axis's step, keeping centres
/// above the ground's x range and tangent levels above the bottom of the
/// model (the bedrock, or four face heights below the lowest ground). False
/// when no limit moved: the circle lies on no default limit, the model leaves
/// no room, or the wider grid would be too much work.
bool extend_default_limits(const slope::Model& model, std::int32_t slices,
                           const search::Params& params, SearchLimits& limits) {
  if (limits.grid.kind == GridKind::entry_exit || !limits.face) return false;
  double lowest = model.ground.front().y;
  for (const slope::Point& p : model.ground) lowest = std::min(lowest, p.y);
  // The bottom of the model: the bedrock's lowest point, or without bedrock
  // four face heights below the lowest ground point.
  double bottom = lowest - 4.0 * limits.face->height;
  if (!model.bedrock.empty()) {
    bottom = model.bedrock.front().y;
    for (const slope::Point& p : model.bedrock) bottom = std::min(bottom, p.y);
  }
  // The room each axis has: centre x over the ground, centre y up from the
  // lowest ground point, tangent levels down to the bottom.
  const std::array<std::pair<double, double>, 3> room{
      {{model.ground.front().x, model.ground.back().x},
       {lowest, std::numeric_limits<double>::infinity()},
       {bottom, std::numeric_limits<double>::infinity()}}};
  SearchLimits wider = limits;
  bool moved = false;
  for (std::size_t k = 0; k < 3; ++k) {
    search::Axis& axis = wider.grid.axes[k];
    if (!limits.by_default[k] || axis.count < 2) continue;
    const double step = axis.step();
    const std::int32_t more = std::max(axis.count / 2, 1);
    const auto fit = [&](double from_end, int direction) {
      std::int32_t n = more;
      while (n > 0 && !(from_end + direction * step * n >= room[k].first &&
                        from_end + direction * step * n <= room[k].second)) {
        --n;
      }
      return n;
    };
    std::int32_t n = 0;
    if (params[k] == axis.from) {
      n = fit(axis.from, -1);
      axis.from -= step * n;
    } else if (params[k] == axis.to) {
      n = fit(axis.to, 1);
      axis.to += step * n;
    }
    if (n == 0) continue;
    axis.count += n;
    ++wider.extended[k];
    moved = true;
  }
  if (!moved ||
      search::check_grid(wider.grid, model.ground, slices).problem != search::GridProblem::none) {
    return false;
  }
  limits = wider;
  return true;
}

/// Hands the grid's trials to two sinks, either of which may be absent.
class BothSinks final : public search::TrialSink {
 public:
  BothSinks(search::TrialSink* first, search::TrialSink* second) : first_(first), second_(second) {}
  [[nodiscard]] bool take(std::uint64_t first, std::span<const search::Trial> trials) override {
    return (first_ == nullptr || first_->take(first, trials)) &&
           (second_ == nullptr || second_->take(first, trials));
  }

 private:
  search::TrialSink* first_;
  search::TrialSink* second_;
};

/// Writes the picture and the page asked for. False with the message in
/// `context`.
bool write_pictures(const SearchOptions& options, const slope::Model& model,
                    const method::MethodSettings& analysis, const search::CentreMap& map,
                    const search::CriticalSearch& found, CommandContext& context) {
  const picture::SearchPictureTexts texts = picture::search_picture_texts(
      model, map, found, method_label(analysis), options.composite != "off", !options.html.empty());
  const std::array<std::string, 1> inputs{options.model};
  std::string why;
  if (!options.svg.empty() &&
      write_file_atomically(options.svg, texts.svg, inputs, why) != FileStatus::ok) {
    context.error(options.svg + ": the picture was not written: " + why);
    return false;
  }
  if (!options.html.empty() &&
      write_file_atomically(options.html, texts.html, inputs, why) != FileStatus::ok) {
    context.error(options.html + ": the page was not written: " + why);
    return false;
  }
  return true;
}

}  // namespace

int run_search(const SearchOptions& options, CommandContext& context) {
  const auto started = std::chrono::steady_clock::now();
  Choices choices;
  std::string why;
  bool optimise = false;
  search::OptimiseSettings optimising;
  if (!parse_choices(options, choices, why) ||
      !parse_optimise(options.polyline, optimise, optimising.vertices, why)) {
    context.error(why);
    return kExitUsage;
  }
  const std::array<std::pair<const char*, const std::string*>, 4> outputs{
      {{"--trials", &options.trials},
       {"--cut", &options.cut},
       {"--svg", &options.svg},
       {"--html", &options.html}}};
  for (std::size_t a = 0; a < outputs.size(); ++a) {
    for (std::size_t b = a + 1; b < outputs.size(); ++b) {
      if (!outputs[a].second->empty() && !outputs[b].second->empty() &&
          same_path(*outputs[a].second, *outputs[b].second)) {
        context.error(std::string(outputs[a].first) + " and " + outputs[b].first +
                      " name the same file");
        return kExitUsage;
      }
    }
  }
  slope::Model model;
  if (!load_model(options.model, model, context)) return kExitRefused;
  if (!apply_load_options(options, model, why)) {
    context.error(why);
    return kExitUsage;
  }
  if (options.polyline.surface != "circle") {
    for (const auto& [name, given] : {std::pair{"--centres", &options.centres},
                                      {"--radii", &options.radii},
                                      {"--tangents", &options.tangents},
                                      {"--entry", &options.entry},
                                      {"--exit", &options.exit},
                                      {"--trials", &options.trials},
                                      {"--cut", &options.cut},
                                      {"--html", &options.html}}) {
      if (!given->empty()) {
        context.error(std::string(name) + " goes with circles, not --surface " +
                      options.polyline.surface);
        return kExitUsage;
      }
    }
    PolylineSearchOptions polyline = options.polyline;
    polyline.svg = options.svg;
    return run_polyline_search(polyline,
                               {&model, options.model, choices.settings, choices.face, choices.top,
                                choices.threads, options.json, started},
                               context);
  }
  SearchLimits limits;
  if (const int status = make_limits(options, choices, model, limits, context);
      status != kExitSuccess) {
    return status;
  }

  // A critical circle on a default limit moves that limit beyond it, and
  // the search runs again on the wider grid; the files and pictures show the
  // last grid.
  const std::array<std::string, 1> inputs{options.model};
  std::unique_ptr<search::CentreMap> map;
  search::CriticalSearch found;
  for (std::int32_t round = 0;; ++round) {
    AtomicOutput trials_file;
    if (!options.trials.empty() &&
        trials_file.open(options.trials, inputs, why) != FileStatus::ok) {
      context.error(options.trials + ": the trials table was not written: " + why);
      return kExitRefused;
    }
    TrialsTable table(trials_file);
    map.reset();
    if (!options.svg.empty() || !options.html.empty()) {
      map = std::make_unique<search::CentreMap>(limits.grid);
    }
    BothSinks sinks(options.trials.empty() ? nullptr : &table, map.get());
    {
      ProgressLine progress(options.progress);
      tbb::task_arena arena(choices.threads);
      arena.execute([&] {
        search::EvaluatorPool pool(model, choices.settings);
        found = search::find_critical(
            pool, limits.grid, choices.top, options.trials.empty() && !map ? nullptr : &sinks,
            [&progress](std::uint64_t done, std::uint64_t total) { progress.update(done, total); });
      });
    }
    if (!found.completed) {
      context.error(options.trials + ": the trials table was not written: " + table.why());
      return kExitRefused;
    }
    if (round < kMaxExtensions && !found.top.empty() &&
        extend_default_limits(model, choices.settings.slices, found.top.front().params, limits)) {
      continue;
    }
    if (!options.trials.empty() && trials_file.commit(why) != FileStatus::ok) {
      context.error(options.trials + ": the trials table was not written: " + why);
      return kExitRefused;
    }
    break;
  }

  bool written = true;
  if (!options.cut.empty() && !found.top.empty()) {
    written = write_cut(options, model, choices.settings, found.top.front().trial, context);
  }
  if (map)
    written =
        write_pictures(options, model, choices.settings.analysis, *map, found, context) && written;
  std::optional<search::OptimiseResult> optimised;
  if (optimise && !found.top.empty()) {
    search::Evaluator evaluator(model, choices.settings);
    const slope::SlipSurface critical{
        slope::SlipSurface::Kind::circle, found.top.front().trial.circle, {}, false, {}};
    optimised = search::optimise_surface(evaluator, model, critical, optimising);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const std::vector<CircleDetail> details =
      details_of(model, choices.settings, choices.also, found);
  const SearchSummary summary{model,       choices.settings, limits,
                              found,       seconds,          choices.threads,
                              choices.top, details,          optimised ? &*optimised : nullptr};
  context.out += options.json ? search_json(summary) : search_text(summary);
  if (found.top.empty()) {
    context.error("no trial circle has a factor of safety; see the counts by outcome");
    return kExitRefused;
  }
  return written ? kExitSuccess : kExitRefused;
}

void declare_search(CLI::App& app, SearchOptions& options) {
  app.add_option("MODEL", options.model, "the slope model (.toml)")->required();
  app.add_option("--centres", options.centres,
                 "grid of circle centres XMIN,XMAX,NX,YMIN,YMAX,NY (default: from the slope)");
  app.add_option("--radii", options.radii, "radii RMIN,RMAX,NR for each centre, or entry and exit");
  app.add_option("--tangents", options.tangents,
                 "levels YMIN,YMAX,NT of the circles' lowest points (default: from the slope)");
  app.add_option("--entry", options.entry,
                 "entry points X1,X2,N on the ground (with --exit, --radii)");
  app.add_option("--exit", options.exit,
                 "exit points X3,X4,N on the ground (with --entry, --radii)");
  app.add_option("--face", options.face,
                 "the face whose ground falls towards -x (left) or +x (right); default the higher")
      ->check(CLI::IsMember(word_strings(kFaceWords)));
  app.add_option("--surface", options.polyline.surface,
                 "circle (default); path: polylines between ranges of the ground; block: a base "
                 "through --box boxes with wedges to the ground")
      ->check(CLI::IsMember({"circle", "path", "block"}));
  app.add_option("--count", options.polyline.count,
                 "path and block: the number of trial surfaces (default 20000)");
  app.add_option("--vertices", options.polyline.vertices,
                 "path: interior vertices of each trial (default 2)");
  app.add_option("--head-range", options.polyline.head,
                 "path: X1,X2, where the head meets the ground (default from the face's crest)");
  app.add_option("--toe-range", options.polyline.toe,
                 "path: X1,X2, where the toe meets the ground (default about the face's toe)");
  app.add_option("--box", options.polyline.boxes,
                 "block: X1,X2,Y1,Y2, a box the base passes through (repeat for more)");
  app.add_option("--active-angle", options.polyline.active_angle,
                 "block: A1,A2, the range of the active wedge's angle at the head, degrees "
                 "(default 45 + phi'/2)");
  app.add_option("--passive-angle", options.polyline.passive_angle,
                 "block: P1,P2, the range of the passive wedge's angle at the toe, degrees "
                 "(default 45 - phi'/2)");
  app.add_option("--max-angle", options.polyline.max_angle,
                 "path and block: the largest turn between two segments, degrees (default 120)");
  app.add_option("--optimise", options.polyline.optimise,
                 "on: the critical surface is optimised as a polyline (default for path and "
                 "block); off (default for circles)")
      ->check(CLI::IsMember({"on", "off"}));
  app.add_option("--optimise-vertices", options.polyline.vertices_optimised,
                 "vertices of the optimised polyline, 3 to 100 (default 12)");
  app.add_option("--composite", options.composite,
                 "on (default): a circle meeting the bedrock or the bottom of a layer marked "
                 "follow follows it; off leaves such circles out")
      ->check(CLI::IsMember({"on", "off"}));
  app.add_option("--min-depth", options.min_depth,
                 "leave out surfaces less deep below the ground than this (default 0)");
  app.add_option("--min-weight", options.min_weight,
                 "leave out sliding masses lighter than this (default 0)");
  declare_method_options(app, options.method, MethodWords::one, options);
  declare_load_options(app, options);
  app.add_option("--slices", options.slices,
                 "no slice is wider than (exit - entry) / N; default 50");
  app.add_option("--top", options.top, "list the K best distinct circles (default 1)");
  app.add_option_function<std::string>(
      "--also", [&options](const std::string& words) { options.also = words; },
      "also run these methods (comma-separated, or all) on each circle of the top list");
  app.add_option("--threads", options.threads, "threads to use (default: every core)");
  app.add_option("--trials", options.trials, "write every grid trial to this tab-separated file");
  app.add_option("--cut", options.cut, "write the critical surface to this slope data file");
  app.add_option("--svg", options.svg, "draw the search into this SVG file");
  app.add_option("--html", options.html,
                 "write the search as a self-contained HTML page to explore");
  app.add_flag("--json", options.json, "write the result as JSON");
}

}  // namespace hollin
