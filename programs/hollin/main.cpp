// hollin: the command-line tool of the suite, for scripts and people. main
// holds the one table of commands, parses the command line (one CLI11
// subcommand per command, each declaring its own options in its own file)
// and dispatches.
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
#include "programs/hollin/optimise_command.h"
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
  hollin::OptimiseOptions optimise;
};

/// One command: its name and one-line description, the declaration of its
/// options, and its entry function.
struct Command {
  const char* name;
  const char* description;
  void (*declare)(CLI::App& app, Options& options);
  int (*run)(const Options& options, CommandContext& context);
};

/// The command whose options are the member `Member` of Options, declared by
/// `Declare` and run by `Run`.
template <auto Member, auto Declare, auto Run>
constexpr Command command(const char* name, const char* description) {
  return {name, description, [](CLI::App& app, Options& o) { Declare(app, o.*Member); },
          [](const Options& o, CommandContext& c) { return Run(o.*Member, c); }};
}

constexpr std::array<Command, 8> kCommands{{
    command<&Options::check, hollin::declare_check, hollin::run_check>(
        "check", "check a slope model or a slope data file"),
    command<&Options::cut, hollin::declare_cut, hollin::run_cut>(
        "cut", "cut a trial surface through a model into a slope data file"),
    command<&Options::analyse, hollin::declare_analyse, hollin::run_analyse>(
        "analyse", "factor of safety of a trial surface through a model"),
    command<&Options::report, hollin::declare_report, hollin::run_report>(
        "report", "the results report of quarnby or wendmoor for a slope data file"),
    command<&Options::search, hollin::declare_search, hollin::run_search>(
        "search", "the critical circle through a model: least factor over trial circles"),
    command<&Options::init, hollin::declare_init, hollin::run_init>(
        "init", "set up a working folder: settings files and examples"),
    command<&Options::plot, hollin::declare_plot, hollin::run_plot>(
        "plot", "draw a model, a trial surface through it, or a slope data file as SVG"),
    command<&Options::optimise, hollin::declare_optimise, hollin::run_optimise>(
        "optimise", "lower the factor of one surface by moving the vertices of a polyline"),
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
