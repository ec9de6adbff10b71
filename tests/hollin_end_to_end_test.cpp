// hollin end to end: the built tool run in a temporary folder, its exit
// statuses and messages, and a few cut surfaces handed to the built quarnby
// and wendmoor, whose results files must equal `hollin report` of the same
// file and show the factor `hollin analyse` gave.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "record_io/number_format.h"
#include "tests/run_program.h"

namespace end_to_end {
namespace {

constexpr const char* kHollin = HOLLIN_PATH;
constexpr const char* kQuarnby = QUARNBY_PATH;
constexpr const char* kWendmoor = WENDMOOR_PATH;

RunResult hollin(const WorkFolder& folder, std::string_view arguments) {
  return folder.run(kHollin, "", ".", "", arguments);
}

/// The number after `"key": ` at its `occurrence`-th place in `json`.
double json_number(std::string_view json, std::string_view key, int occurrence = 1) {
  const std::string quoted = "\"" + std::string(key) + "\": ";
  std::size_t at = 0;
  for (int k = 0; k < occurrence; ++k) {
    at = json.find(quoted, at);
    if (at == std::string_view::npos) return -1;
    at += quoted.size();
  }
  double value = -1;
  std::from_chars(json.data() + at, json.data() + json.size(), value);
  return value;
}

/// The factor line of a report with the shipped wording for `factor`.
std::string factor_line(double factor) {
  std::string line(" Factor of safety\t");
  record_io::append_real_item(line, factor);
  return line + "\r\n";
}

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

TEST(HollinCommandLine, ExitStatusesAndMessages) {
  WorkFolder folder;
  folder.copy_from_source("examples/simple-slope.toml", "slope.toml");

  RunResult result = hollin(folder, "--version");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.console, "hollin 1.0.0\n");
  result = hollin(folder, "report --help");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_NE(result.console.find("--settings"), std::string::npos);

  // Usage errors: no command, a value outside its set, a circle of two
  // numbers, an earthquake beyond its range, a moment point for a circle.
  for (const char* arguments : {"", "analyse slope.toml --circle=1,2,3 --method fast",
                                "cut slope.toml --circle 1,2 -o out.dat",
                                "analyse slope.toml --circle=1,2,3 --polyline=0,1,2,3",
                                "analyse slope.toml --circle=15,23.75,24.27 --kh 1.5",
                                "analyse slope.toml --circle=15,23.75,24.27 --axis 1,2",
                                "analyse slope.toml --circle=15,23.75,24.27 --method spencer "
                                "--interslice points",
                                "analyse slope.toml --circle=15,23.75,24.27 --interslice-points "
                                "0,0 0.5,2",
                                "analyse slope.toml --circle=15,23.75,24.27 --interslice "
                                "half-sine --interslice-ends 0.2,0.2",
                                "analyse slope.toml --circle=15,23.75,24.27 --moments sideways",
                                "optimise slope.toml --circle=15,23.75,24.27 --vertices 0",
                                "optimise slope.toml --circle=15,23.75,24.27 --vertices 1000000",
                                "plot slope.toml --circle=15,23.75,24.27 --method fast -o p.svg"}) {
    result = hollin(folder, arguments);
    EXPECT_EQ(result.exit_status, 2) << arguments;
    EXPECT_EQ(result.errors.rfind("hollin: ", 0), 0U) << arguments << ": " << result.errors;
  }
  EXPECT_FALSE(folder.exists("out.dat"));

  // A missing file, and a model refused with its line and column.
  result = hollin(folder, "check missing.toml");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.errors,
            "hollin: missing.toml: cannot read the model file: No such file or directory\n");
  folder.write("bad.toml", "title = \"Bad\"\nunits = \n");
  result = hollin(folder, "check bad.toml");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.errors.rfind("hollin: bad.toml:2:", 0), 0U) << result.errors;

  // The summary of a model with a crack, an earthquake, a varying load and
  // water standing at the toe.
  folder.write("full.toml",
               "title = \"Full\"\nwater_unit_weight = 9.81\n[[soil]]\nname = \"clay\"\n"
               "unit_weight = 20\ncohesion = 3\nfriction_angle = 20\n"
               "top = [[0, 0], [10, 0], [30, 10], [50, 10]]\n"
               "[water]\npiezometric_line = [[0, 1], [50, 1]]\n"
               "[[load]]\nfrom = 35\nto = 45\nintensity = [20, 40]\n"
               "[tension_crack]\ndepth = \"auto\"\nwater_depth = 1.2\n[seismic]\nkh = 0.15\n");
  result = hollin(folder, "check full.toml");
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  for (const char* line :
       {"\nwater: piezometric line of 2 points, water stands on the ground, water unit weight "
        "9.81\n",
        "\n  from x 35 to 45: 20 to 40 per length, downward\n",
        "\ntension crack: automatic depth, water 1.2 deep, on the crest behind the slope face, "
        "from x 30 to 50\n",
        "\nearthquake: kh 0.15, kv 0\n"}) {
    EXPECT_NE(result.console.find(line), std::string::npos) << line << result.console;
  }
  // Its surfaces are analysed with their loads, but no data file holds them.
  result = hollin(folder, "analyse full.toml --circle=15,23.75,24.27 --kv 0.1");
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  EXPECT_NE(result.console.find("\nearthquake: kh 0.15, kv 0.1\n"), std::string::npos)
      << result.console;
  result = hollin(folder, "cut full.toml --circle=15,23.75,24.27 -o out.dat");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_NE(result.errors.find("carries crack water, earthquake"), std::string::npos)
      << result.errors;
  EXPECT_FALSE(folder.exists("out.dat"));

  // An inadmissible surface: its reason, and the JSON without factors.
  result = hollin(folder, "analyse slope.toml --circle=1000,1000,1 --json");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.errors.rfind("hollin: the surface is inadmissible: ", 0), 0U) << result.errors;
  EXPECT_NE(result.console.find("\"problem\": \""), std::string::npos) << result.console;
  EXPECT_TRUE(ends_with(result.console, "\"factors\": []}\n")) << result.console;
  result = hollin(folder, "cut slope.toml --circle=1000,1000,1 -o out.dat");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_FALSE(folder.exists("out.dat"));

  // The model file is never overwritten.
  const std::string model = folder.read("slope.toml");
  result = hollin(folder, "cut slope.toml --circle=15,23.75,24.27 -o ./slope.toml");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(folder.read("slope.toml"), model);

  // A data file: readable with its factors, or refused at the line the
  // programs name.
  folder.copy_from_source("examples/worked-example.dat", "worked.dat");
  result = hollin(folder, "check worked.dat");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_NE(result.console.find("worked.dat: readable: 3 sections, 2 slices"), std::string::npos);
  EXPECT_NE(result.console.find("simplified: factor of safety 1.39536059786"), std::string::npos)
      << result.console;
  folder.write("short.dat", "a\nb\nc\n9.81 3 0 0 0 0\nd\n0 10 5 1 1 20 18 10 30 0 0 0 0 0 0 0\n");
  result = hollin(folder, "check short.dat");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.errors.rfind("hollin: short.dat:7: the programs cannot read this line", 0), 0U)
      << result.errors;
}

// A handful of surfaces through the built programs; the bulk of the round
// trip runs in memory (programs/hollin/round_trip_test.cpp).
TEST(HollinCommandLine, CutFilesGiveTheBuiltProgramsTheAnalysedFactors) {
  struct Case {
    const char* model;
    const char* surface;
  };
  for (const Case& c :
       {Case{"simple-slope.toml", "--circle=15,23.75,24.27"},
        Case{"simple-slope.toml", "--polyline=8,0.5,20,-1,34,10.5 --slices 12 --moments legacy"},
        Case{"zoned-dam.toml", "--circle=70,45,45.5 --slices 40"}}) {
    SCOPED_TRACE(std::string(c.model) + " " + c.surface);
    WorkFolder folder;
    folder.copy_from_source("examples/" + std::string(c.model), "model.toml");
    folder.copy_from_source("share/quarnby.ini", "quarnby.ini");
    folder.copy_from_source("share/wendmoor.ini", "wendmoor.ini");
    const std::string surface(c.surface);
    ASSERT_EQ(hollin(folder, "cut model.toml " + surface + " -o slope.dat").exit_status, 0);
    const RunResult analysed =
        hollin(folder, "analyse model.toml " + surface + " --pore-force base-width --json");
    ASSERT_EQ(analysed.exit_status, 0) << analysed.console << analysed.errors;

    // Enter, the data file, Enter, the results file.
    EXPECT_EQ(folder.run(kQuarnby, "\nslope.dat\n\nquarnby.txt\n").exit_status, 0);
    EXPECT_TRUE(ends_with(folder.read("quarnby.txt"),
                          factor_line(json_number(analysed.console, "factor_of_safety", 1))));
    EXPECT_EQ(folder.run(kWendmoor, "\nslope.dat\n\nwendmoor.txt\n").exit_status, 0);
    EXPECT_TRUE(ends_with(folder.read("wendmoor.txt"),
                          factor_line(json_number(analysed.console, "factor_of_safety", 2))));

    EXPECT_EQ(hollin(folder, "report slope.dat --method simplified -o hollin-q.txt").exit_status,
              0);
    EXPECT_EQ(folder.read("hollin-q.txt"), folder.read("quarnby.txt"));
    EXPECT_EQ(hollin(folder, "report slope.dat --method ordinary -o hollin-w.txt").exit_status, 0);
    EXPECT_EQ(folder.read("hollin-w.txt"), folder.read("wendmoor.txt"));
  }
}

// The general method's document: its interslice function as given and its
// two curves, the factor between them where they cross.
TEST(HollinJson, TheGeneralMethodNamesItsFunctionAndGivesItsCurves) {
  WorkFolder folder;
  folder.copy_from_source("examples/published-circle.toml", "circle.toml");
  const RunResult run =
      hollin(folder,
             "analyse circle.toml --circle 120,90,80 --method gle --interslice-points 0,0 0.5,1 "
             "1,0 --json");
  ASSERT_EQ(run.exit_status, 0) << run.errors;
  for (const char* wanted :
       {"\"method\": \"gle\"", "\"interslice\": \"points\"",
        "\"interslice_points\": [[0, 0], [0.5, 1], [1, 0]]", "\"curves\": [{\"lambda\": 0, "}) {
    EXPECT_NE(run.console.find(wanted), std::string::npos) << wanted << "\n" << run.console;
  }
  EXPECT_EQ(std::count(run.console.begin(), run.console.end(), '{') -
                std::count(run.console.begin(), run.console.end(), '}'),
            0);
}

// A path search's document counts every trial once, the surface `hollin
// optimise` prints, given back to `hollin analyse`, gives the factor it
// printed, and a start it cannot move is refused.
TEST(HollinCommandLine, PathSearchCountsEveryTrialAndOptimisedSurfacesReadBack) {
  WorkFolder folder;
  folder.copy_from_source("examples/simple-slope.toml", "slope.toml");
  const RunResult search =
      hollin(folder, "search slope.toml --surface path --count 3000 --threads 2 --json");
  ASSERT_EQ(search.exit_status, 0) << search.errors;
  const std::size_t outcomes = search.console.find("\"outcomes\": {");
  ASSERT_NE(outcomes, std::string::npos);
  std::uint64_t counted = 0;
  for (std::size_t at = search.console.find(": ", outcomes + 13);
       at < search.console.find('}', outcomes); at = search.console.find(": ", at + 1)) {
    counted += std::stoull(search.console.substr(at + 2));
  }
  EXPECT_EQ(counted, 3000U);
  EXPECT_NE(search.console.find("\"optimised\": {\"start_factor\": "), std::string::npos);

  const RunResult optimised = hollin(folder, "optimise slope.toml --circle 15,23.75,24.27");
  ASSERT_EQ(optimised.exit_status, 0) << optimised.errors;
  const std::size_t factor_at = optimised.console.find("optimised: factor of safety ");
  const std::size_t polyline_at = optimised.console.find("--polyline ");
  ASSERT_NE(factor_at, std::string::npos);
  ASSERT_NE(polyline_at, std::string::npos);
  const std::string factor = optimised.console.substr(
      factor_at + 28, optimised.console.find(' ', factor_at + 28) - factor_at - 28);
  const std::string points = optimised.console.substr(
      polyline_at + 11, optimised.console.find('\n', polyline_at) - polyline_at - 11);
  const RunResult analysed =
      hollin(folder, "analyse slope.toml --method simplified --polyline " + points);
  ASSERT_EQ(analysed.exit_status, 0) << analysed.errors;
  EXPECT_NE(analysed.console.find("factor of safety " + factor + " "), std::string::npos)
      << factor << "\n"
      << analysed.console;

  // A start whose base turns back upward has a factor but is not moved.
  const RunResult locked =
      hollin(folder, "optimise slope.toml --polyline 8,0.5,15,-0.5,25,-3,34,10.5");
  EXPECT_EQ(locked.exit_status, 1);
  EXPECT_EQ(locked.errors.rfind("hollin: --polyline: the start", 0), 0U) << locked.errors;
  EXPECT_TRUE(locked.console.empty()) << locked.console;
}

// The JSON documents are a contract with scripts: each command's whole
// document on the simple slope, key for key and number for number (the
// search's time aside). A change here is a change of hollin(1).
TEST(HollinJson, DocumentsKeepTheirShape) {
  WorkFolder folder;
  folder.copy_from_source("examples/simple-slope.toml", "slope.toml");
  // A circle with a slice in tension, carried on and stopped at, and a
  // polyline.
  const RunResult circle = hollin(folder, "analyse slope.toml --circle 18,12,10 --json");
  const RunResult stopped =
      hollin(folder, "analyse slope.toml --circle 18,12,10 --tension stop --json");
  const RunResult polyline =
      hollin(folder,
             "analyse slope.toml --polyline 12,1,20,-1,32,10 --method ordinary "
             "--pore-force base-width --json");
  EXPECT_EQ(polyline.exit_status, 0);
  EXPECT_EQ(circle.console + stopped.console + polyline.console,
            source_file("tests/expected/hollin/analyse.json"));

  // The default limits (with the face) and a top list of two.
  const RunResult search = hollin(folder, "search slope.toml --threads 1 --top 2 --json");
  EXPECT_EQ(search.exit_status, 0);
  const std::size_t seconds = search.console.rfind("\"seconds\": ");
  ASSERT_NE(seconds, std::string::npos);
  EXPECT_EQ(search.console.substr(0, seconds) + "\"seconds\": SECONDS}\n",
            source_file("tests/expected/hollin/search.json"));

  // The data of the search page: its cells and its top list.
  EXPECT_EQ(hollin(folder,
                   "search slope.toml --centres 15,25,2,20,30,2 --tangents -1,1,2 --top 2 "
                   "--threads 1 --html page.html")
                .exit_status,
            0);
  const std::string page = folder.read("page.html");
  constexpr std::string_view kData = "<script type=\"application/json\" id=\"search-data\">";
  const std::size_t begin = page.find(kData);
  ASSERT_NE(begin, std::string::npos);
  const std::size_t end = page.find("</script>", begin);
  EXPECT_EQ(page.substr(begin + kData.size(), end - begin - kData.size()) + "\n",
            source_file("tests/expected/hollin/search-page-data.json"));
}

}  // namespace
}  // namespace end_to_end
