// hollin search as its command runs it: the files and the JSON it writes are
// the same byte for byte on one thread and on two, the critical factor is bit
// for bit the one quarnby reports for the --cut file (quarnby run in memory),
// the methods of --also give on the critical circle what `hollin analyse`
// gives, and hostile limits are refused with a message naming the option.
#include "programs/hollin/search_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/record_units.h"
#include "analysis/slope_data.h"
#include "method/method_run.h"
#include "programs/hollin/analyse_command.h"
#include "programs/hollin/shipped_settings.h"
#include "programs/hollin/trials_table.h"
#include "programs/quarnby/quarnby_run.h"
#include "record_io/memory_run.h"
#include "record_io/number_format.h"
#include "tests/run_program.h"
#include "text/number_text.h"

namespace hollin {
namespace {

/// The number after the first `"key": ` following `after` in `json`.
double json_number(std::string_view json, std::string_view after, std::string_view key) {
  const std::size_t from = json.find(after);
  const std::string quoted = "\"" + std::string(key) + "\": ";
  const std::size_t at = json.find(quoted, from == std::string_view::npos ? 0 : from);
  double value = -1;
  if (from == std::string_view::npos || at == std::string_view::npos) return value;
  const char* begin = json.data() + at + quoted.size();
  std::from_chars(begin, json.data() + json.size(), value);
  return value;
}

/// quarnby's results file for the data file `data`, run in memory.
std::string quarnby_results(const std::string& data) {
  record_io::MemoryRun memory("\nslope.dat\n\nresults.txt\n\n2\n");
  memory.files.files["quarnby.ini"] = std::string(shipped_quarnby_settings());
  memory.files.files["slope.dat"] = data;
  EXPECT_EQ(quarnby::run(memory.io), 0) << memory.console_err.output;
  return memory.files.files["results.txt"];
}

TEST(SearchCommand, SameOutputOnOneAndTwoThreadsAndTheFactorOfTheCutFilesReport) {
  struct Case {
    const char* model;
    const char* centres;
    const char* tangents;
    const char* tension;
    long trials;
  };
  for (const Case& c :
       {Case{"simple-slope.toml", "5,35,12,10,40,12", "-10,9,12", "stop", 1728},
        Case{"layered-slope.toml", "10,40,10,12,40,10", "-8,6,10", "allow", 1000}}) {
    SCOPED_TRACE(c.model);
    end_to_end::WorkFolder folder;
    folder.copy_from_source(std::string("examples/") + c.model, "model.toml");
    std::string outputs[2][3];
    for (const int threads : {1, 2}) {
      SearchOptions options;
      options.model = (folder.path() / "model.toml").string();
      options.centres = c.centres;
      options.tangents = c.tangents;
      options.tension = c.tension;
      options.top = "3";
      options.threads = std::to_string(threads);
      options.json = true;
      options.trials = (folder.path() / "trials.tsv").string();
      options.cut = (folder.path() / "critical.dat").string();
      CommandContext context;
      ASSERT_EQ(run_search(options, context), kExitSuccess) << context.err;
      std::string& json = outputs[threads - 1][0];
      json = context.out;
      json.erase(json.rfind(", \"seconds\": "));  // the time taken may differ
      outputs[threads - 1][1] = folder.read("trials.tsv");
      outputs[threads - 1][2] = folder.read("critical.dat");
    }
    EXPECT_EQ(outputs[0][0], outputs[1][0]);
    EXPECT_EQ(outputs[0][1], outputs[1][1]);
    EXPECT_EQ(outputs[0][2], outputs[1][2]);

    // The table: its header and one line per grid trial.
    const std::string& table = outputs[0][1];
    EXPECT_EQ(table.substr(0, kTrialsHeader.size()), kTrialsHeader);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), c.trials + 1);

    // The critical factor is the one of quarnby's report of the cut file.
    const double factor = json_number(outputs[0][0], "\"critical\": {", "factor_of_safety");
    std::string line(" Factor of safety\t");
    record_io::append_real_item(line, factor);
    const std::string results = quarnby_results(outputs[0][2]);
    ASSERT_GE(results.size(), 2U);
    EXPECT_EQ(results.substr(results.rfind('\n', results.size() - 3) + 1), line + "\r\n");
    // And beyond the report's 15 digits: the file read back, analysed as
    // quarnby analyses it, gives the factor bit for bit.
    record_io::MemoryRun read;
    ASSERT_TRUE(read.open_input(analysis::kDataUnit, outputs[0][2]));
    auto stored = std::make_unique<analysis::SlopeData>();
    std::int32_t line_number = 0;
    ASSERT_EQ(analysis::read_slope_data(read.io, analysis::kDataUnit, *stored, line_number),
              analysis::DataResult::ok);
    method::MethodSettings settings;
    settings.tension = c.tension[0] == 's' ? method::TensionRule::stop : method::TensionRule::allow;
    const method::MethodResult run = method::run_method(stored->surface(), settings).result;
    ASSERT_TRUE(run.has_factor());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(run.factor), std::bit_cast<std::uint64_t>(factor));
  }
}

// The published circle problem: every circle near the critical one has its
// head slice in tension. By default they are ranked, and the least factor is
// the published one (about 1.99); under --tension stop none is, and the
// search says what it left out instead of reporting a far higher factor.
TEST(SearchCommand, TensionAtTheHeadIsRankedByDefaultAndStopSaysWhatItLeftOut) {
  end_to_end::WorkFolder folder;
  folder.copy_from_source("examples/published-circle.toml", "model.toml");
  SearchOptions options;
  options.model = (folder.path() / "model.toml").string();
  options.centres = "100,130,8,85,110,8";
  options.tangents = "10,25,8";
  options.threads = "1";
  CommandContext context;
  ASSERT_EQ(run_search(options, context), kExitSuccess) << context.err;
  const std::size_t at = context.out.find("critical circle: factor of safety ");
  ASSERT_NE(at, std::string::npos) << context.out;
  double factor = 0.0;
  std::from_chars(context.out.data() + at + 34, context.out.data() + context.out.size(), factor);
  EXPECT_NEAR(factor, 1.99, 0.01 * 1.99);
  EXPECT_NE(context.out.find("  its slice 1 carries tension"), std::string::npos) << context.out;

  options.tension = "stop";
  options.json = true;
  context = CommandContext();
  EXPECT_EQ(run_search(options, context), kExitRefused);
  EXPECT_NE(context.out.find("\"critical\": null"), std::string::npos);
  EXPECT_NE(context.out.find("\"stopped_in_tension\": 512"), std::string::npos) << context.out;
  options.json = false;
  context = CommandContext();
  EXPECT_EQ(run_search(options, context), kExitRefused);
  EXPECT_NE(context.out.find("--tension stop: 512 grid trials stopped"), std::string::npos)
      << context.out;
}

// A soft clay fails deep: its critical circle lies on the lowest default
// tangent level, so the search moves that limit down and runs again, and
// finds a lower factor; the same limits given by the user are kept and
// only warned about.
TEST(SearchCommand, ADefaultLimitUnderTheCriticalCircleIsExtended) {
  end_to_end::WorkFolder folder;
  folder.write("clay.toml",
               "title = \"Soft clay\"\n[[soil]]\nname = \"clay\"\nunit_weight = 18\n"
               "cohesion = 20\nfriction_angle = 0\n"
               "top = [[-60, 0], [10, 0], [30, 10], [80, 10]]\n");
  SearchOptions options;
  options.model = (folder.path() / "clay.toml").string();
  options.centres = "15,25,5,15,35,5";
  options.threads = "1";
  options.json = true;
  CommandContext extended;
  ASSERT_EQ(run_search(options, extended), kExitSuccess) << extended.err;
  EXPECT_NE(extended.out.find("\"name\": \"tangent_level\", \"from\": -34.04"), std::string::npos)
      << extended.out;
  EXPECT_NE(extended.out.find("\"default\": true, \"extended\": 2}"), std::string::npos);
  EXPECT_NE(extended.out.find("\"on_limit\": false"), std::string::npos);

  options.tangents = "-10,9,50";
  CommandContext given;
  ASSERT_EQ(run_search(options, given), kExitSuccess) << given.err;
  EXPECT_EQ(given.out.find("\"extended\": 1"), std::string::npos);
  EXPECT_NE(given.out.find("\"on_limit\": true"), std::string::npos);
  EXPECT_LT(json_number(extended.out, "\"critical\"", "factor_of_safety"),
            json_number(given.out, "\"critical\"", "factor_of_safety") - 0.03);
}

// The consistency promise: each --also run on the critical circle, like the
// ranking run, is bit for bit the run of `hollin analyse` on that circle.
TEST(SearchCommand, AlsoGivesOnTheCriticalCircleWhatAnalyseGives) {
  end_to_end::WorkFolder folder;
  folder.copy_from_source("examples/simple-slope.toml", "model.toml");
  SearchOptions options;
  options.model = (folder.path() / "model.toml").string();
  options.centres = "5,35,12,10,40,12";
  options.tangents = "-10,9,12";
  options.threads = "1";
  options.also = "spencer,ordinary";
  CommandContext people;
  ASSERT_EQ(run_search(options, people), kExitSuccess) << people.err;
  EXPECT_NE(people.out.find("  --also on this surface:\n    spencer: factor of safety "),
            std::string::npos)
      << people.out;
  options.json = true;
  CommandContext search;
  ASSERT_EQ(run_search(options, search), kExitSuccess) << search.err;
  std::string circle;  // the critical circle as --circle takes it
  for (const char* key : {"xc", "yc", "radius"}) {
    circle +=
        (circle.empty() ? "" : ",") + text::shortest(json_number(search.out, "\"critical\"", key));
  }
  const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  // Each method and where its run starts in the search's JSON.
  for (const auto& [method, at] : {std::pair{"simplified", "\"critical\""},
                                   {"spencer", "\"also\": [{\"method\": \"spencer\""},
                                   {"ordinary", "{\"method\": \"ordinary\""}}) {
    SCOPED_TRACE(method);
    AnalyseOptions analyse;
    analyse.model = options.model;
    analyse.surface.circle = circle;
    analyse.method = method;
    analyse.json = true;
    CommandContext analysed;
    ASSERT_EQ(run_analyse(analyse, analysed), kExitSuccess) << analysed.err;
    std::vector<const char*> keys{"factor_of_safety"};
    if (std::string_view(method) == "spencer") keys.push_back("lambda");
    for (const char* key : keys) {
      EXPECT_EQ(bits(json_number(search.out, at, key)),
                bits(json_number(analysed.out, "\"factors\"", key)))
          << key;
    }
  }
}

TEST(SearchCommand, HostileLimitsAreRefusedWithAMessage) {
  end_to_end::WorkFolder folder;
  folder.copy_from_source("examples/simple-slope.toml", "model.toml");
  folder.write("level.toml",
               "title = \"Level\"\n[[soil]]\nname = \"clay\"\nunit_weight = 20\ncohesion = 5\n"
               "friction_angle = 20\ntop = [[0, 0], [50, 0]]\n");
  struct Case {
    std::function<void(SearchOptions&)> set;
    int status;
    std::string_view message;  // the start of the error text after "hollin: "
  };
  const std::string trials = (folder.path() / "t.tsv").string();
  const Case cases[] = {
      {[](SearchOptions& o) { o.centres = "5,35,1000,10,40,1000", o.radii = "1,30,1000"; },
       kExitUsage, "the grid has 1e+09 trials, more than the 100000000 a search takes"},
      {[](SearchOptions& o) { o.centres = "5,35,10,10,40,10", o.radii = "0,30,10"; }, kExitUsage,
       "--radii: a radius must be above 0, not 0"},
      {[](SearchOptions& o) { o.centres = "35,5,10,10,40,10", o.radii = "1,30,10"; }, kExitUsage,
       "--centres (x): the range runs from 35 down to 5; give the smaller value first"},
      {[](SearchOptions& o) { o.centres = "5,35,10,10,40,10", o.tangents = "3,3,10"; }, kExitUsage,
       "--tangents: the range from 3 to 3 holds one value; give a count of 1"},
      {[](SearchOptions& o) { o.centres = "5,35,0,10,40,10"; }, kExitUsage,
       "--centres: the count '0' is not a whole number from 1 to 100000000"},
      {[](SearchOptions& o) { o.centres = "5,35,2.5,10,40,10"; }, kExitUsage,
       "--centres: the count '2.5' is not"},
      {[](SearchOptions& o) { o.centres = "nan,35,10,10,40,10"; }, kExitUsage,
       "--centres: 'nan' is not a number"},
      {[](SearchOptions& o) { o.centres = "5,35,10,10,1e10,10"; }, kExitUsage,
       "--centres (y): a limit is beyond 10^9 in size"},
      {[](SearchOptions& o) { o.centres = "5,35,10"; }, kExitUsage,
       "--centres takes 6 numbers (XMIN,XMAX,NX,YMIN,YMAX,NY), not 3"},
      {[](SearchOptions& o) { o.entry = "0,20,5", o.exit = "30,60,5", o.radii = "10,40,5"; },
       kExitUsage, "--exit: 30 to 60 is not within the ground's x-range 0 to 50"},
      {[](SearchOptions& o) { o.entry = "0,20,5"; }, kExitUsage,
       "an entry and exit search takes --entry"},
      {[](SearchOptions& o) { o.radii = "1,2,3", o.tangents = "1,2,3"; }, kExitUsage,
       "give --radii or --tangents, not both"},
      {[](SearchOptions& o) { o.threads = "0"; }, kExitUsage, "--threads: '0' is not"},
      {[](SearchOptions& o) { o.top = "101"; }, kExitUsage, "--top: '101' is not"},
      {[](SearchOptions& o) { o.min_depth = "-1"; }, kExitUsage, "--min-depth: '-1' is not"},
      {[](SearchOptions& o) { o.also = "spencer,fast"; }, kExitUsage,
       "--also: 'fast' is not a method: give simplified, ordinary, spencer,"},
      {[](SearchOptions& o) { o.also = "gle,"; }, kExitUsage,
       "--also: 'gle,' has an empty method word"},
      {[&trials](SearchOptions& o) { o.trials = trials, o.cut = trials; }, kExitUsage,
       "--trials and --cut name the same file"},
      {[](SearchOptions& o) { o.face = "right"; }, kExitRefused,
       "the ground does not fall towards +x"},
      {[&folder](SearchOptions& o) { o.model = (folder.path() / "level.toml").string(); },
       kExitRefused, "the ground is level"},
      {[](SearchOptions& o) { o.trials.clear(), o.polyline.surface = "block"; }, kExitUsage,
       "--surface block needs at least one --box"},
      {[](SearchOptions& o) {
         o.trials.clear(), o.polyline.surface = "block", o.polyline.boxes = {"20,30,1,2"},
                           o.polyline.active_angle = "60,95";
       },
       kExitUsage, "--surface block: a wedge's angle lies above 0 and below 90 degrees"},
      {[](SearchOptions& o) {
         o.trials.clear(), o.polyline.surface = "block", o.polyline.boxes = {"-80,-60,0,1"};
       },
       kExitUsage, "--surface block: a box's x range lies on the ground"},
      {[](SearchOptions& o) {
         o.trials.clear(), o.polyline.surface = "path", o.polyline.vertices = "1000000";
       },
       kExitUsage, "--vertices: '1000000' is not"},
      {[](SearchOptions& o) { o.polyline.surface = "path"; }, kExitUsage,
       "--trials goes with circles, not --surface path"},
      {[](SearchOptions& o) {
         o.trials.clear(), o.polyline.optimise = "on", o.polyline.vertices_optimised = "0";
       },
       kExitUsage, "--optimise-vertices: '0' is not"},
  };
  for (const Case& c : cases) {
    SearchOptions options;
    options.model = (folder.path() / "model.toml").string();
    options.trials = trials;
    c.set(options);
    CommandContext context;
    EXPECT_EQ(run_search(options, context), c.status) << c.message;
    EXPECT_EQ(context.err.substr(0, 8 + c.message.size()), "hollin: " + std::string(c.message));
    EXPECT_TRUE(context.out.empty()) << context.out;
    EXPECT_FALSE(folder.exists("t.tsv")) << c.message;
  }
}

}  // namespace
}  // namespace hollin
