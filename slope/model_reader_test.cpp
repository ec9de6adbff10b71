#include "slope/model_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace slope {
namespace {

std::string file_text(const std::string& name) {
  std::ifstream in(std::string(SOURCE_DIR) + "/examples/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines 1 to 7: a title and one valid soil; the cases below add to it or
// replace lines of it.
const std::string kTitle = "title = \"t\"\n";
const std::string kSoilHead = "[[soil]]\nname = \"clay\"\nunit_weight = 20\n";
const std::string kSoilRest = "cohesion = 3\nfriction_angle = 20\n";
const std::string kTop = "top = [[0, 0], [10, 0], [30, 10], [50, 10]]\n";
const std::string kModel = kTitle + kSoilHead + kSoilRest + kTop;

std::string soil(const std::string& name, const std::string& shape) {
  return "[[soil]]\nname = \"" + name + "\"\nunit_weight = 20\n" + kSoilRest + shape;
}

struct Rejected {
  const char* fault;
  std::string text;
  int line;
  int column;
  const char* fragment;
};

TEST(ModelReader, RefusesWithPlaceAndReason) {
  const std::vector<Rejected> cases = {
      {"syntax", "title = \"t\n", 1, 11, "unescaped control characters"},
      {"letter beyond ASCII in a bare key (undefined behaviour in toml++ 3.3)",
       "units\xC4\xBBT = 1\n", 1, 6, "expected '=', saw"},
      {"misspelt table", kModel + "[[soils]]\n", 8, 3, "unknown key \"soils\" at the top level"},
      {"unknown soil key", kModel + "colour = 1\n", 8, 1, "unknown key \"colour\" in soil 1"},
      {"unknown water key", kModel + "[water]\nlevel = 1\n", 9, 1,
       "unknown key \"level\" in [water]"},
      {"soil as one table", kTitle + "[soil]\nname = \"a\"\n", 2, 1,
       "soil must be given as [[soil]]"},
      {"no title", kSoilHead + kSoilRest + kTop, 0, 0, "no title"},
      {"no soil", kTitle, 0, 0, "no soil"},
      {"no name", kTitle + "[[soil]]\nunit_weight = 20\n" + kSoilRest + kTop, 2, 1,
       "soil 1 has no name"},
      {"no friction", kTitle + kSoilHead + "cohesion = 3\n" + kTop, 2, 1,
       "soil 1 (\"clay\") has no friction_angle"},
      {"text as number", kTitle + kSoilHead + "cohesion = \"3\"\nfriction_angle = 20\n" + kTop, 5,
       12, "cohesion of soil 1 (\"clay\") must be a number, not a string"},
      {"boolean as number", kModel + "ru = true\n", 8, 6, "must be a number, not a boolean"},
      {"infinity", kTitle + kSoilHead + "cohesion = inf\nfriction_angle = 20\n" + kTop, 5, 12,
       "must be a finite number, not inf"},
      {"not a number", kModel + "ru = nan\n", 8, 6, "must be a finite number, not nan"},
      {"huge number", kModel + "saturated_unit_weight = 1e10\n", 8, 25,
       "beyond the limit of 1e+09"},
      {"point of one number", kTitle + kSoilHead + kSoilRest + "top = [[0, 0], [10]]\n", 7, 16,
       "point 2 of the top of soil 1 (\"clay\") must be an array of two numbers"},
      {"point of three numbers", kTitle + kSoilHead + kSoilRest + "top = [[0, 0, 1], [10, 0]]\n", 7,
       8, "point 1 of the top"},
      {"coordinate as text", kTitle + kSoilHead + kSoilRest + "top = [[0, 0], [10, \"0\"]]\n", 7,
       21, "y of point 2 of the top of soil 1 (\"clay\") must be a number"},
      {"line of one point", kTitle + kSoilHead + kSoilRest + "top = [[0, 0]]\n", 7, 7,
       "has 1 point; it needs at least 2"},
      {"x not increasing", kTitle + kSoilHead + kSoilRest + "top = [[0, 0], [10, 0], [10, 5]]\n", 7,
       25, "point 3 of the top of soil 1 (\"clay\") (x = 10) is not to the right of point 2"},
      {"top and region", kModel + "region = [[0, 0], [1, 0], [1, 1]]\n", 8, 10,
       "gives both top and region"},
      {"neither top nor region", kTitle + kSoilHead + kSoilRest, 2, 1, "gives neither top"},
      {"negative unit weight",
       kTitle + "[[soil]]\nname = \"clay\"\nunit_weight = -20\n" + kSoilRest + kTop, 4, 15,
       "unit_weight of soil 1 (\"clay\") is -20: it must not be negative"},
      {"negative cohesion", kTitle + kSoilHead + "cohesion = -1\nfriction_angle = 20\n" + kTop, 5,
       12, "cohesion of soil 1 (\"clay\") is -1"},
      {"friction above 90", kTitle + kSoilHead + "cohesion = 3\nfriction_angle = 95\n" + kTop, 6,
       18, "is 95: it must lie from 0 up to (not including) 90 degrees"},
      {"friction of 90", kTitle + kSoilHead + "cohesion = 3\nfriction_angle = 90\n" + kTop, 6, 18,
       "is 90"},
      {"negative ru", kModel + "ru = -0.1\n", 8, 6, "a pore-pressure ratio cannot be negative"},
      {"ru above 1", kModel + "ru = 1.5\n", 8, 6, "a pore-pressure ratio lies from 0 to 1"},
      {"ru without water weight", kModel + "ru = 0.2\n", 8, 6, "ru needs water_unit_weight"},
      {"ru and piezometric line",
       "water_unit_weight = 9.81\n" + kModel +
           "ru = 0.2\n[water]\npiezometric_line = [[0, 0], "
           "[50, 0]]\n",
       9, 6, "use one or the other"},
      {"piezometric line without water weight",
       kModel + "[water]\npiezometric_line = [[0, 0], [50, 0]]\n", 9, 20,
       "the piezometric line needs water_unit_weight"},
      {"water without a line", kModel + "[water]\n", 8, 1, "[water] has no piezometric_line"},
      {"zero water weight", "water_unit_weight = 0\n" + kModel, 1, 21, "must be above 0"},
      {"title of two lines", "title = \"a\\nb\"\n" + kSoilHead + kSoilRest + kTop, 1, 9,
       "title holds a control character (code 10)"},
      {"subtitle with a tab", kModel.substr(0, 12) + "subtitle = \"a\\tb\"\n" + kModel.substr(12),
       2, 12, "subtitle holds a control character (code 9)"},
      {"name with a NUL", kTitle + "[[soil]]\nname = \"a\\u0000\"\n", 3, 8,
       "the name of soil 1 holds a control character (code 0)"},
      {"long title", "title = \"" + std::string(256, 'x') + "\"\n" + kSoilHead + kSoilRest + kTop,
       1, 9, "title is 256 bytes long; at most 255"},
      {"same name twice", kModel + soil("clay", "top = [[0, -5], [50, -5]]\n"), 9, 8,
       "soil 2 has the name \"clay\" of soil 1"},
      {"region of two points", kModel + soil("core", "region = [[0, 0], [1, 1]]\n"), 13, 10,
       "the region of soil 2 (\"core\") has 2 points; it needs at least 3"},
      {"region without area", kModel + soil("core", "region = [[0, 0], [1, 1], [2, 2]]\n"), 13, 10,
       "encloses no area"},
      {"region closed by hand",
       kModel + soil("core", "region = [[0, 0], [1, 0], [1, 1], [0, 0]]\n"), 13, 35,
       "repeats its first"},
      {"self-crossing region", kModel + soil("core", "region = [[0, 0], [6, 0], [0, 4], [4, 4]]\n"),
       13, 35,
       "the edge from point 4 to point 1 crosses or touches the edge from point 2 to point 3"},
      {"overlapping regions",
       kModel + soil("core", "region = [[12, 0], [20, 0], [20, 4]]\n") +
           soil("filter", "region = [[15, 0], [25, 0], [25, 4]]\n"),
       19, 10, "overlaps the region of soil 2 (\"core\")"},
      {"gap between soils", kModel + soil("far", "top = [[60, 10], [70, 10]]\n"), 7, 7,
       "no soil lies between x = 50 (where soil 1 (\"clay\") ends) and x = 60"},
      {"vertical step", kModel + soil("block", "region = [[40, 0], [50, 0], [50, 12], [40, 12]]\n"),
       13, 10, "steps vertically at x = 40 (at the edge of soil 2 (\"block\"))"},
      {"piezometric line short of the ground",
       "water_unit_weight = 9.81\n" + kModel + "[water]\npiezometric_line = [[0, -1], [40, -1]]\n",
       10, 20, "it must span the whole ground, from x = 0 to x = 50"},
      {"bedrock above the ground", "bedrock = [[0, -1], [10, -1], [20, 6], [50, 6]]\n" + kModel, 1,
       31, "the bedrock line rises above the ground at x = 20 (6 over ground at 5)"},
      {"load backwards", kModel + "[[load]]\nfrom = 40\nto = 35\nintensity = 20\n", 10, 6,
       "load 1 runs from x = 40 to x = 35"},
      {"load beyond the ground", kModel + "[[load]]\nfrom = 40\nto = 55\nintensity = 20\n", 10, 6,
       "reaches beyond the ground, which runs from x = 0 to x = 50"},
      {"load without intensity", kModel + "[[load]]\nfrom = 40\nto = 45\n", 8, 1,
       "load 1 has no intensity"},
      {"load of infinite intensity", kModel + "[[load]]\nfrom = 40\nto = 45\nintensity = -inf\n",
       11, 13, "not -inf"},
      {"intensity of three numbers",
       kModel + "[[load]]\nfrom = 40\nto = 45\nintensity = [1, 2, 3]\n", 11, 13,
       "intensity of load 1 is an array of 3 values: give one number, or two"},
      {"intensity at to as text", kModel + "[[load]]\nfrom = 40\nto = 45\nintensity = [1, \"2\"]\n",
       11, 17, "the intensity at to of load 1 must be a number, not a string"},
      {"crack as a number", "tension_crack = 2\n" + kModel, 1, 17,
       "tension_crack must be a [tension_crack] table, not an integer"},
      {"unknown crack key", kModel + "[tension_crack]\ndepth = 2\nwidth = 1\n", 10, 1,
       "unknown key \"width\" in [tension_crack] (it may hold depth, water_depth, from, to)"},
      {"crack without depth", kModel + "[tension_crack]\nfrom = 40\n", 8, 1,
       "[tension_crack] has no depth"},
      {"crack water without its unit weight",
       kModel + "[tension_crack]\ndepth = 2\nwater_depth = \"full\"\n", 10, 15,
       "water in the tension crack needs water_unit_weight (above 0) at the top level"},
      {"crack depth of another word", kModel + "[tension_crack]\ndepth = \"deep\"\n", 9, 9,
       "give a number or the word \"auto\""},
      {"negative crack depth", kModel + "[tension_crack]\ndepth = -1\n", 9, 9,
       "depth of [tension_crack] is -1: it must not be negative"},
      {"crack depth as a boolean", kModel + "[tension_crack]\ndepth = true\n", 9, 9,
       "must be a number or the word \"auto\", not a boolean"},
      {"water deeper than the crack", kModel + "[tension_crack]\ndepth = 2\nwater_depth = 3\n", 10,
       15, "water_depth of [tension_crack] is 3, more than its depth 2"},
      {"crack water of another word",
       kModel + "[tension_crack]\ndepth = \"auto\"\nwater_depth = \"half\"\n", 10, 15,
       "give a number or the word \"full\""},
      {"negative water in an automatic crack",
       kModel + "[tension_crack]\ndepth = \"auto\"\nwater_depth = -1\n", 10, 15,
       "must not be negative"},
      {"crack range without its end", kModel + "[tension_crack]\ndepth = 2\nfrom = 40\n", 10, 8,
       "[tension_crack] gives from without to: give both or neither"},
      {"crack range backwards", kModel + "[tension_crack]\ndepth = 2\nfrom = 40\nto = 30\n", 11, 6,
       "[tension_crack] runs from x = 40 to x = 30"},
      {"crack range beyond the ground", kModel + "[tension_crack]\ndepth = 2\nfrom = -5\nto = 20\n",
       10, 8, "[tension_crack] (x = -5 to 20) reaches beyond the ground, which runs from x = 0"},
      {"unknown seismic key", kModel + "[seismic]\nkx = 0.1\n", 9, 1,
       "unknown key \"kx\" in [seismic] (it may hold kh, kv)"},
      {"kh above 1", kModel + "[seismic]\nkh = 1.5\n", 9, 6, "kh of [seismic] is 1.5"},
      {"negative kh", kModel + "[seismic]\nkh = -0.1\n", 9, 6, "it must lie from 0 to 1"},
      {"kv of -1", kModel + "[seismic]\nkv = -1\n", 9, 6,
       "kv of [seismic] is -1: it must lie above -1"},
      {"follow not a boolean", kModel + "follow = 1\n", 8, 10,
       "follow of soil 1 (\"clay\") must be true or false, not an integer"},
      {"a region followed",
       kTitle + kSoilHead + kSoilRest + kTop + "[[soil]]\nname = \"lens\"\nunit_weight = 20\n" +
           kSoilRest + "region = [[5, -1], [20, -1], [20, -2]]\nfollow = true\n",
       14, 10, "only a layer (top) has a bottom to follow, not a region"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.fault);
    const ModelReading reading = read_model(c.text);
    ASSERT_EQ(reading.status, ModelStatus::refused);
    EXPECT_EQ(reading.error.line, c.line);
    EXPECT_EQ(reading.error.column, c.column);
    EXPECT_NE(reading.error.what.find(c.fragment), std::string::npos) << reading.error.what;
    EXPECT_TRUE(reading.model.soils.empty());
  }
}

TEST(ModelReader, DescribesPlaceAndReason) {
  EXPECT_EQ(describe({3, 7, "cohesion is -1"}, "slope.toml"), "slope.toml:3:7: cohesion is -1");
  EXPECT_EQ(describe({0, 0, "the model has no soil"}, "slope.toml"),
            "slope.toml: the model has no soil");
}

TEST(ModelReader, ReadsTheSimpleSlope) {
  const ModelReading reading = read_model(file_text("simple-slope.toml"));
  ASSERT_EQ(reading.status, ModelStatus::ok) << describe(reading.error, "simple-slope.toml");
  const Model& model = reading.model;
  EXPECT_EQ(model.title, "Simple slope");
  EXPECT_EQ(model.subtitle, "2H:1V, 10 m high, dry");
  EXPECT_EQ(model.units, "kN, m");
  EXPECT_EQ(model.water_unit_weight, 0.0);
  ASSERT_EQ(model.soils.size(), 1U);
  const Soil& clay = model.soils[0];
  EXPECT_EQ(clay.unit_weight, 20.0);
  EXPECT_EQ(clay.saturated_unit_weight, 20.0);  // taken from unit_weight
  EXPECT_EQ(clay.cohesion, 3.0);
  EXPECT_EQ(clay.friction_angle, 19.6);
  EXPECT_EQ(clay.ru, 0.0);
  ASSERT_EQ(model.ground.size(), 4U);
  EXPECT_EQ(model.ground[2].x, 30.0);
  EXPECT_EQ(model.ground[2].y, 10.0);
  EXPECT_TRUE(model.piezometric_line.empty() && model.bedrock.empty() && model.loads.empty());
}

TEST(ModelReader, ReadsTheOtherExamples) {
  const ModelReading layered = read_model(file_text("layered-slope.toml"));
  ASSERT_EQ(layered.status, ModelStatus::ok) << describe(layered.error, "layered-slope.toml");
  EXPECT_EQ(layered.model.soils.size(), 3U);
  EXPECT_EQ(layered.model.soils[1].saturated_unit_weight, 19.5);
  EXPECT_EQ(layered.model.piezometric_line.size(), 4U);
  EXPECT_EQ(layered.model.bedrock.size(), 2U);
  ASSERT_EQ(layered.model.loads.size(), 1U);
  EXPECT_EQ(layered.model.loads[0].intensity, 20.0);

  for (const char* name : {"published-circle.toml", "published-circle-ru.toml"}) {
    const ModelReading circle = read_model(file_text(name));
    ASSERT_EQ(circle.status, ModelStatus::ok) << describe(circle.error, name);
    EXPECT_EQ(circle.model.water_unit_weight, 62.4);
    EXPECT_EQ(circle.model.soils[0].cohesion, 600.0);
    EXPECT_EQ(circle.model.ground.front().x, 0.0);
    EXPECT_EQ(circle.model.ground.back().x, 200.0);
  }
  EXPECT_EQ(read_model(file_text("published-circle-ru.toml")).model.soils[0].ru, 0.25);

  const ModelReading dam = read_model(file_text("zoned-dam.toml"));
  ASSERT_EQ(dam.status, ModelStatus::ok) << describe(dam.error, "zoned-dam.toml");
  EXPECT_EQ(dam.model.soils[0].region.size(), 4U);
  EXPECT_EQ(dam.model.ground.front().x, 0.0);
  EXPECT_EQ(dam.model.ground.back().x, 120.0);
}

TEST(ModelReader, ReadsCrackEarthquakeVaryingLoadsAndPondedWater) {
  const ModelReading all =
      read_model("water_unit_weight = 9.81\n" + kModel +
                 "[water]\npiezometric_line = [[0, 1], [50, 1]]\n"  // 1 above the toe: ponded
                 "[[load]]\nfrom = 35\nto = 45\nintensity = [20, 40.5]\n"
                 "[tension_crack]\ndepth = \"auto\"\nwater_depth = \"full\"\nfrom = 30\nto = 50\n"
                 "[seismic]\nkh = 0.15\n");
  ASSERT_EQ(all.status, ModelStatus::ok) << all.error.what;
  const Model& model = all.model;
  EXPECT_EQ(model.piezometric_line.front().y, 1.0);
  ASSERT_EQ(model.loads.size(), 1U);
  EXPECT_EQ(model.loads[0].intensity, 20.0);
  EXPECT_EQ(model.loads[0].intensity_to, 40.5);
  const TensionCrack& crack = model.tension_crack;
  EXPECT_TRUE(crack.present && crack.automatic_depth && crack.full && crack.range_given);
  EXPECT_EQ(crack.from, 30.0);
  EXPECT_EQ(crack.to, 50.0);
  EXPECT_EQ(model.seismic.kh, 0.15);
  EXPECT_EQ(model.seismic.kv, 0.0);

  const ModelReading numeric =
      read_model("water_unit_weight = 9.81\n" + kModel +
                 "[[load]]\nfrom = 35\nto = 45\nintensity = 20\n"
                 "[tension_crack]\ndepth = 2.5\nwater_depth = 1.25\n[seismic]\nkv = -0.5\n");
  ASSERT_EQ(numeric.status, ModelStatus::ok) << numeric.error.what;
  EXPECT_EQ(numeric.model.loads[0].intensity_to, 20.0);
  const TensionCrack& given = numeric.model.tension_crack;
  EXPECT_TRUE(given.present && !given.automatic_depth && !given.full && !given.range_given);
  EXPECT_EQ(given.depth, 2.5);
  EXPECT_EQ(given.water_depth, 1.25);
  EXPECT_EQ(numeric.model.seismic.kv, -0.5);

  const ModelReading none = read_model(kModel + "[tension_crack]\ndepth = 0\n");
  ASSERT_EQ(none.status, ModelStatus::ok) << none.error.what;
  EXPECT_FALSE(none.model.tension_crack.present);
}

// Text of a model whose single top line has `points` points.
std::string long_top(std::size_t points) {
  std::string text = kTitle + kSoilHead + kSoilRest + "top = [";
  text.reserve(text.size() + 16 * points);
  for (std::size_t i = 0; i < points; ++i) {
    text += "[" + std::to_string(i) + ", " + std::to_string(i % 7) + "], ";
  }
  text += "]\n";
  return text;
}

TEST(ModelReader, BoundsHostileInput) {
  // At the point limit: accepted, and the ground keeps every point.
  const ModelReading longest = read_model(long_top(kMaxModelPoints));
  ASSERT_EQ(longest.status, ModelStatus::ok) << longest.error.what;
  EXPECT_EQ(longest.model.ground.size(), kMaxModelPoints);

  const ModelReading beyond = read_model(long_top(kMaxModelPoints + 1));
  ASSERT_EQ(beyond.status, ModelStatus::refused);
  EXPECT_EQ(beyond.error.what, "the model holds more than 1,000,000 points in all");

  // Refused before parsing: 65 MiB of blanks would otherwise parse.
  const ModelReading huge = read_model(std::string(65 * 1024 * 1024, ' '));
  EXPECT_EQ(huge.error.line, 0);
  EXPECT_NE(huge.error.what.find("at most 67,108,864 (64 MiB)"), std::string::npos);

  const std::vector<Rejected> cases = {
      {"deep arrays", "a = " + std::string(100'000, '[') + std::string(100'000, ']'), 1, 21,
       "nested more than 16 deep"},
      {"deep inline tables",
       [] {
         std::string text = "a = ";
         for (int i = 0; i < 20; ++i) text += "{b = ";
         return text + "1" + std::string(20, '}');
       }(),
       1, 85, "nested more than 16 deep"},
      {"deep dotted header",
       [] {
         std::string text = "[a";
         for (int i = 0; i < 1'000'000; ++i) text += ".a";
         return text + "]\n";
       }(),
       1, 17, "a key of more than 8 dotted parts"},
      {"many tables",
       [] {
         std::string text;
         for (int i = 0; i < 1'600'000; ++i) text += "[[t]]\n";
         return text;
       }(),
       1'550'001, 1, "more than 3,100,000 values, arrays and keys"},
      {"many soils",
       [] {
         std::string text = kTitle;
         for (int i = 0; i < 1001; ++i) text += soil("s" + std::to_string(i), kTop);
         return text;
       }(),
       6002, 1, "more than 1,000 soils"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.fault);
    const ModelReading reading = read_model(c.text);
    ASSERT_EQ(reading.status, ModelStatus::refused);
    EXPECT_EQ(reading.error.line, c.line);
    EXPECT_EQ(reading.error.column, c.column);
    EXPECT_NE(reading.error.what.find(c.fragment), std::string::npos) << reading.error.what;
  }
}

}  // namespace
}  // namespace slope
