// hollin: the command-line tool of the suite, for scripts and people. main
// parses the command line (one CLI11 subcommand per command) and dispatches
// from the one table of commands; each command lives in its own file.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "programs/hollin/analyse_command.h"
#include "programs/hollin/check_command.h"
#include "programs/hollin/command_context.h"
#include "programs/hollin/cut_command.h"
#include "programs/hollin/init_command.h"
#include "programs/hollin/plot_command.h"
#include "programs/hollin/report_command.h"
#include "programs/hollin/search_command.h"
#include "record_io/record_io.h"

namespace {

using hollin::CommandContext;

/// Every command's options; CLI11 fills the one chosen.
struct Options {
  hollin::CheckOptions check;
  hollin::CutOptions cut;
  hollin::AnalyseOptions analyse;
  hollin::ReportOptions report;
  hollin::SearchOptions search;
  hollin::InitOptions init;
  hollin::PlotOptions plot;
};

/// One command: its name and one-line description, the options it declares,
/// and its entry function.
struct Command {
  const char* name;
  const char* description;
  void (*declare)(CLI::App& app, Options& options);
  int (*run)(const Options& options, CommandContext& context);
};

void declare_surface(CLI::App& app, hollin::SurfaceOptions& surface) {
  app.add_option("--circle", surface.circle,
                 "trial circle XC,YC,R (its lower arc); write --circle=... when XC is negative");
  app.add_option("--polyline", surface.polyline,
                 "trial polyline X1,Y1,X2,Y2,... with x increasing");
  app.add_option("--slices", surface.slices,
                 "no slice is wider than (exit - entry) / N; default 50");
}

void declare_check(CLI::App& app, Options& options) {
  app.add_option("FILE", options.check.file,
                 "a slope model (name ending in .toml) or a slope data file")
      ->required();
}

void declare_cut(CLI::App& app, Options& options) {
  app.add_option("MODEL", options.cut.model, "the slope model (.toml)")->required();
  declare_surface(app, options.cut.surface);
  app.add_option("-o,--output", options.cut.output, "the slope data file to write")->required();
}

void declare_analyse(CLI::App& app, Options& options) {
  hollin::AnalyseOptions& analyse = options.analyse;
  app.add_option("MODEL", analyse.model, "the slope model (.toml)")->required();
  declare_surface(app, analyse.surface);
  app.add_option("--method", analyse.method, "simplified, ordinary or both (default)")
      ->check(CLI::IsMember({"simplified", "ordinary", "both"}));
  app.add_option("--pore-force", analyse.pore_force,
                 "ordinary method: pore-water force on base-width or base-length (default)")
      ->check(CLI::IsMember({"base-width", "base-length"}));
  app.add_option("--tolerance", analyse.tolerance,
                 "simplified method: convergence tolerance (default 1e-5 in single precision)");
  app.add_option("--iteration-limit", analyse.iteration_limit,
                 "simplified method: largest number of passes (default 50)");
  app.add_option("--tension", analyse.tension,
                 "simplified method: stop (default) at a slice without positive normal force, "
                 "or allow it")
      ->check(CLI::IsMember({"stop", "allow"}));
  app.add_flag("--json", analyse.json, "write the result as JSON");
}

void declare_report(CLI::App& app, Options& options) {
  hollin::ReportOptions& report = options.report;
  app.add_option("DATA", report.data, "the slope data file")->required();
  app.add_option("--method", report.method,
                 "simplified (the report of quarnby) or ordinary (of wendmoor)")
      ->required()
      ->check(CLI::IsMember({"simplified", "ordinary"}));
  app.add_option("--settings", report.settings,
                 "a settings file in quarnby.ini or wendmoor.ini format (default: the shipped "
                 "English one)");
  app.add_option("-o,--output", report.output, "the results file to write")->required();
}

void declare_search(CLI::App& app, Options& options) {
  hollin::SearchOptions& search = options.search;
  app.add_option("MODEL", search.model, "the slope model (.toml)")->required();
  app.add_option("--centres", search.centres,
                 "grid of circle centres XMIN,XMAX,NX,YMIN,YMAX,NY (default: from the slope)");
  app.add_option("--radii", search.radii, "radii RMIN,RMAX,NR for each centre, or entry and exit");
  app.add_option("--tangents", search.tangents,
                 "levels YMIN,YMAX,NT of the circles' lowest points (default: from the slope)");
  app.add_option("--entry", search.entry,
                 "entry points X1,X2,N on the ground (with --exit, --radii)");
  app.add_option("--exit", search.exit,
                 "exit points X3,X4,N on the ground (with --entry, --radii)");
  app.add_option("--face", search.face,
                 "the face whose ground falls towards -x (left) or +x (right); default the higher")
      ->check(CLI::IsMember({"left", "right"}));
  app.add_option("--min-depth", search.min_depth,
                 "leave out surfaces less deep below the ground than this (default 0)");
  app.add_option("--min-weight", search.min_weight,
                 "leave out sliding masses lighter than this (default 0)");
  app.add_option("--method", search.method, "simplified (default) or ordinary")
      ->check(CLI::IsMember({"simplified", "ordinary"}));
  app.add_option("--pore-force", search.pore_force,
                 "ordinary method: pore-water force on base-width or base-length (default)")
      ->check(CLI::IsMember({"base-width", "base-length"}));
  app.add_option("--tolerance", search.tolerance,
                 "simplified method: convergence tolerance (default 1e-5 in single precision)");
  app.add_option("--iteration-limit", search.iteration_limit,
                 "simplified method: largest number of passes (default 50)");
  app.add_option("--tension", search.tension,
                 "simplified method: stop (default) at a slice without positive normal force, "
                 "or allow it")
      ->check(CLI::IsMember({"stop", "allow"}));
  app.add_option("--slices", search.slices,
                 "no slice is wider than (exit - entry) / N; default 50");
  app.add_option("--top", search.top, "list the K best distinct circles (default 1)");
  app.add_option("--threads", search.threads, "threads to use (default: every core)");
  app.add_option("--trials", search.trials, "write every grid trial to this tab-separated file");
  app.add_option("--cut", search.cut, "write the critical surface to this slope data file");
  app.add_option("--svg", search.svg, "draw the search into this SVG file");
  app.add_option("--html", search.html,
                 "write the search as a self-contained HTML page to explore");
  app.add_flag("--json", search.json, "write the result as JSON");
}

void declare_init(CLI::App& app, Options& options) {
  hollin::InitOptions& init = options.init;
  app.add_option("DIR", init.folder, "the working folder (default: the current one)");
  app.add_option("--language", init.language,
                 "settings files in English (en, default) or German (de)")
      ->check(CLI::IsMember({"en", "de"}));
  app.add_flag("--force", init.force, "replace files that exist");
}

void declare_plot(CLI::App& app, Options& options) {
  hollin::PlotOptions& plot = options.plot;
  app.add_option("FILE", plot.file, "a slope model (name ending in .toml) or a slope data file")
      ->required();
  declare_surface(app, plot.surface);
  app.add_option("--report", plot.report,
                 "data files: the results report whose factor of safety to show");
  app.add_option("-o,--output", plot.output, "the SVG file to write")->required();
}

constexpr std::array<Command, 7> kCommands{{
    {"check", "check a slope model or a slope data file", declare_check,
     [](const Options& o, CommandContext& c) { return hollin::run_check(o.check, c); }},
    {"cut", "cut a trial surface through a model into a slope data file", declare_cut,
     [](const Options& o, CommandContext& c) { return hollin::run_cut(o.cut, c); }},
    {"analyse", "factor of safety of a trial surface through a model", declare_analyse,
     [](const Options& o, CommandContext& c) { return hollin::run_analyse(o.analyse, c); }},
    {"report", "the results report of quarnby or wendmoor for a slope data file", declare_report,
     [](const Options& o, CommandContext& c) { return hollin::run_report(o.report, c); }},
    {"search", "the critical circle through a model: least factor over trial circles",
     declare_search,
     [](const Options& o, CommandContext& c) { return hollin::run_search(o.search, c); }},
    {"init", "set up a working folder: settings files and examples", declare_init,
     [](const Options& o, CommandContext& c) { return hollin::run_init(o.init, c); }},
    {"plot", "draw a model, a trial surface through it, or a slope data file as SVG", declare_plot,
     [](const Options& o, CommandContext& c) { return hollin::run_plot(o.plot, c); }},
}};

/// Writes `text` to `stream`; false when it could not be written whole.
bool put(std::FILE* stream, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
         std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("hollin: slope stability by the method of slices, for scripts and people", "hollin");
  app.set_version_flag("--version", "hollin " HOLLIN_VERSION);
  app.require_subcommand(1);
  Options options;
  std::array<CLI::App*, kCommands.size()> subcommands{};
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    subcommands[i] = app.add_subcommand(kCommands[i].name, kCommands[i].description);
    kCommands[i].declare(*subcommands[i], options);
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
      return app.exit(error);  // --help or --version
    }
    std::fprintf(stderr, "hollin: %s\nRun 'hollin --help' or 'hollin COMMAND --help'.\n",
                 error.what());
    return hollin::kExitUsage;
  }

  options.search.progress = ::isatty(STDERR_FILENO) == 1;
  CommandContext context;
  context.tab_size = record_io::tab_size_from(std::getenv("TABSIZE"));
  int status = hollin::kExitUsage;
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    if (subcommands[i]->parsed()) status = kCommands[i].run(options, context);
  }
  if (!put(stdout, context.out)) {
    std::fputs("hollin: standard output could not be written\n", stderr);
    status = hollin::kExitRefused;
  }
  static_cast<void>(put(stderr, context.err));
  return status;
}
