// The picture library: the one escaping function against hostile text,
// JSON made safe inside a script, and pictures that are the same bytes for
// the same input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "picture/crack_drawing.h"
#include "picture/cut_drawing.h"
#include "picture/html_page.h"
#include "picture/model_drawing.h"
#include "picture/polyline_search_drawing.h"
#include "picture/ponded_water.h"
#include "picture/svg_writer.h"
#include "slope/model_reader.h"
#include "slope/slicing.h"
#include "slope/test_support.h"

namespace picture {
namespace {

TEST(SvgWriter, EscapingLeavesNoMarkupAndOnlyValidUtf8) {
  EXPECT_EQ(escaped("a & b < c > d \" e ' f"), "a &amp; b &lt; c &gt; d &quot; e &#39; f");
  EXPECT_EQ(escaped("tab\there\nnul"), "tab here nul");
  EXPECT_EQ(escaped("caf\xC3\xA9 \xCF\x86\xE2\x80\xB2"), "caf\xC3\xA9 \xCF\x86\xE2\x80\xB2");
  // A lone continuation byte, an overlong form and a cut sequence.
  EXPECT_EQ(escaped("\x80|\xC0\xAF|\xE2\x80"),
            "\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD");

  SvgWriter svg;
  svg.open("svg", {{"data-name", "</svg><script>alert(1)</script>"}});
  svg.text_element("text", {}, "]]><!-- &amp; --><b>");
  svg.close();
  EXPECT_EQ(svg.text(),
            "<svg data-name=\"&lt;/svg&gt;&lt;script&gt;alert(1)&lt;/script&gt;\">\n"
            "<text>]]&gt;&lt;!-- &amp;amp; --&gt;&lt;b&gt;</text>\n</svg>\n");
}

TEST(HtmlPage, NoTextClosesTheScript) {
  const std::string json = R"({"title": "</script><script>alert(1)</script> &<>\"'"})";
  const std::string safe = script_safe_json(json);
  EXPECT_EQ(safe.find('<'), std::string::npos);
  EXPECT_EQ(safe, R"({"title": "\u003c/script>\u003cscript>alert(1)\u003c/script> &\u003c>\"'"})");
  const std::string page = search_page("</title><b>", "<svg/>", json);
  EXPECT_NE(page.find("<title>&lt;/title&gt;&lt;b&gt;</title>"), std::string::npos);
  // The page's own script elements and nothing else.
  std::size_t scripts = 0;
  for (std::size_t at = page.find("<script"); at != std::string::npos;
       at = page.find("<script", at + 1)) {
    ++scripts;
  }
  EXPECT_EQ(scripts, 2U);
}

TEST(Pictures, SameInputSameBytesAndHostileNamesEscaped) {
  std::ifstream file(SOURCE_DIR "/examples/zoned-dam.toml");
  std::stringstream text;
  text << file.rdbuf();
  slope::ModelReading reading = slope::read_model(text.str());
  ASSERT_EQ(reading.status, slope::ModelStatus::ok);
  slope::Model model = reading.model;
  model.title = "<dam> & \"core\"";
  model.soils[0].name = "</text><script>x</script>";
  const std::string first = model_picture(model);
  EXPECT_EQ(first, model_picture(model));
  EXPECT_EQ(first.find("<dam>"), std::string::npos);
  EXPECT_EQ(first.find("<script"), std::string::npos);
  EXPECT_NE(first.find("&lt;dam&gt; &amp; &quot;core&quot;"), std::string::npos);

  slope::Cutter cutter(model);
  slope::Cut cut;
  slope::SlipSurface surface;
  surface.circle = {85.0, 40.0, 42.0};
  ASSERT_EQ(cutter.cut(surface, 50, cut), slope::SurfaceProblem::none);
  const std::vector<SliceShade> shades(cut.sections.size() - 1, SliceShade{1.0, false});
  const std::vector<FactorLabel> factors{{"simplified method", 1.25, ""}};
  const std::string drawn = cut_picture(model, cut, shades, factors);
  EXPECT_EQ(drawn, cut_picture(model, cut, shades, factors));
  EXPECT_NE(drawn.find(">F = 1.250</text>"), std::string::npos);
  // Short numbers only: no coordinate with more than two decimals.
  for (std::size_t at = drawn.find('.'); at != std::string::npos; at = drawn.find('.', at + 1)) {
    std::size_t digits = 0;
    while (at + 1 + digits < drawn.size() && std::isdigit(drawn[at + 1 + digits])) ++digits;
    if (std::isdigit(drawn[at - 1]) && digits > 3) {
      ADD_FAILURE() << drawn.substr(at - 10, 30);
      break;
    }
  }
}

TEST(Pictures, ABlockSearchShowsItsBoxesAndTheOptimisationFromStartToEnd) {
  const slope::Model model = slope::testing::published_slope();
  search::PolylineLimits limits;
  limits.kind = search::SurfaceKind::block;
  limits.boxes = {{80, 100, 15, 20}, {110, 130, 15, 20}};
  search::PolylineResult found;
  found.top.push_back({{}, {{50, 60}, {90, 18}, {120, 18}, {150, 20}}, 7});
  found.top.front().trial.factor = 1.5;
  search::OptimiseResult optimised;
  optimised.started = true;
  optimised.start.factor = 1.5;
  optimised.best.factor = 1.25;
  optimised.points = {{52, 60}, {90, 16}, {120, 16}, {148, 20}};
  const std::string svg = polyline_search_picture(model, limits, found, &optimised, "spencer");
  const std::size_t boxes = svg.find("id=\"boxes\"");
  ASSERT_NE(boxes, std::string::npos);
  const std::string group = svg.substr(boxes, svg.find("</g>", boxes) - boxes);
  std::size_t paths = 0;
  for (std::size_t at = group.find("<path"); at != std::string::npos;
       at = group.find("<path", at + 1)) {
    ++paths;
  }
  EXPECT_EQ(paths, 2U);
  for (const char* wanted : {"id=\"start\"", "id=\"critical\"", ">F = 1.250</text>",
                             ">best trial, F = 1.500</text>", ">method: spencer</text>"}) {
    EXPECT_NE(svg.find(wanted), std::string::npos) << wanted;
  }
}

TEST(Pictures, PondedWaterCrackVaryingLoadAndEarthquakeShown) {
  // Ground 60 to x = 60, down 1 in 2 to 20 at x = 140: the water line meets
  // the face at x = 112.5 and stands 5 deep at the right end.
  slope::Model model = slope::testing::published_slope();
  model.title = "Pond & crack";
  model.piezometric_line = {{0, 50}, {100, 35}, {200, 25}};
  model.tension_crack.present = true;
  model.tension_crack.depth = 2.5;
  model.tension_crack.water_depth = 1.0;
  model.loads.push_back({10, 40, 0, 20});
  model.seismic.kh = 0.15;

  const std::vector<slope::Polyline> pools = ponded_water(model.ground, model.piezometric_line);
  ASSERT_EQ(pools.size(), 1U);
  EXPECT_DOUBLE_EQ(pools[0].front().x, 112.5);
  EXPECT_DOUBLE_EQ(pools[0].back().x, 140.0);  // the ground back to the toe
  EXPECT_TRUE(ponded_water(model.ground, model.ground).empty());

  const std::string svg = model_picture(model);
  // The crack behind the crest, 2.5 below the ground, dashed.
  const CrackLine crack = crack_line(model);
  ASSERT_FALSE(crack.points.empty());
  EXPECT_DOUBLE_EQ(crack.points.back().x, 60.0);
  EXPECT_DOUBLE_EQ(crack.points.back().y, 57.5);
  const std::size_t line = svg.find("id=\"tension-crack\"");
  ASSERT_NE(line, std::string::npos);
  EXPECT_NE(svg.substr(line, svg.find('\n', line) - line).find("stroke-dasharray"),
            std::string::npos);
  for (const char* wanted :
       {"id=\"ponded-water\"", ">tension crack 2.5 deep, with water 1</text>",
        ">q = 0 to 20</text>", ">earthquake: kh = 0.15, kv = 0</text>", "Pond &amp; crack"}) {
    EXPECT_NE(svg.find(wanted), std::string::npos) << wanted;
  }
  model.tension_crack.full = true;
  EXPECT_NE(model_picture(model).find(">tension crack 2.5 deep, full of water</text>"),
            std::string::npos);

  // A cut whose head ends below the ground ends at an open crack.
  const slope::Model uncracked = slope::testing::published_slope();
  slope::Cutter cutter(uncracked);
  slope::Cut cut;
  ASSERT_EQ(cutter.cut(slope::testing::published_circle(), 30, cut), slope::SurfaceProblem::none);
  EXPECT_EQ(cut_picture(model, cut, {}, {}).find("open-crack"), std::string::npos);
  cut.sections.front().slip_level -= 2.5;
  const std::string drawn = cut_picture(model, cut, {}, {});
  EXPECT_NE(drawn.find("id=\"open-crack\""), std::string::npos);

  // A line of thrust: broken where its force pulls, marked where it pulls
  // or leaves the mass, each in the legend, and kept in the drawing area
  // where a fading force puts its level far off.
  const std::vector<method::ThrustPoint> thrust{{60, 55, 60, 50, false, true},
                                                {80, 40, 50, 30, false, false},
                                                {100, 1e6, 40, 25, true, false},
                                                {120, 20, 30, 15, false, false}};
  const std::string with_thrust = cut_picture(model, cut, {}, {}, thrust);
  const std::size_t thrust_at = with_thrust.find("id=\"line-of-thrust\"");
  ASSERT_NE(thrust_at, std::string::npos);
  const std::string line_d =
      with_thrust.substr(thrust_at, with_thrust.find('\n', thrust_at) - thrust_at);
  EXPECT_EQ(std::count(line_d.begin(), line_d.end(), 'M'), 1) << line_d;
  EXPECT_EQ(std::count(line_d.begin(), line_d.end(), 'L'), 2) << line_d;
  std::string d = line_d.substr(line_d.find(" d=\"") + 4);
  d.resize(d.find('"'));
  std::replace_if(
      d.begin(), d.end(), [](char c) { return c == 'M' || c == 'L'; }, ' ');
  std::istringstream coordinates(d);
  int count = 0;
  for (double v = 0; coordinates >> v; ++count) {
    EXPECT_TRUE(v >= kAreaLeft && v <= kAreaRight) << line_d;  // x and y alike
  }
  EXPECT_EQ(count, 6) << line_d;
  for (const char* wanted :
       {"class=\"tension\"", "class=\"outside\"", ">line of thrust</text>",
        ">interslice tension</text>", ">thrust outside the sliding mass</text>"}) {
    EXPECT_NE(with_thrust.find(wanted), std::string::npos) << wanted;
  }

  if (std::system("command -v xmllint > /dev/null 2>&1") != 0) return;
  for (const std::string* picture : {&svg, &drawn}) {
    const std::string path = ::testing::TempDir() + "ponded_crack.svg";
    std::ofstream(path) << *picture;
    EXPECT_EQ(std::system(("xmllint --noout " + path).c_str()), 0);
  }
}

}  // namespace
}  // namespace picture
