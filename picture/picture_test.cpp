// The picture library: the one escaping function against hostile text,
// JSON made safe inside a script, and pictures that are the same bytes for
// the same input.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "picture/cut_drawing.h"
#include "picture/html_page.h"
#include "picture/model_drawing.h"
#include "picture/svg_writer.h"
#include "slope/model_reader.h"
#include "slope/slicing.h"

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

}  // namespace
}  // namespace picture
