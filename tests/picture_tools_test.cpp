// hollin's pictures checked by real tools: every SVG is well-formed for
// libxml2's xmllint and renders with rsvg-convert without a word on standard
// error; the rendered pixels (PNG decoded with libpng) show the soils in
// their colours and the critical circle's colour on its arc. The search page
// is opened in headless Chromium, which points at a centre by the page's own
// self-test (#selftest) and shows the DOM afterwards. A tool that is not
// installed skips its test with the reason.
#include <gtest/gtest.h>
#include <png.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "picture/svg_writer.h"
#include "tests/run_program.h"
#include "text/number_text.h"

namespace {

using end_to_end::RunResult;
using end_to_end::WorkFolder;

const std::string kHollin = HOLLIN_PATH;

bool installed(std::string_view tool) {
  const std::string command = "command -v " + std::string(tool) + " > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

#define NEEDS(tool)                                                            \
  if (!installed(tool)) {                                                      \
    GTEST_SKIP() << tool << " is not installed (tools/install-build-deps.sh)"; \
  }

RunResult hollin(const WorkFolder& folder, std::string_view arguments) {
  return folder.run(kHollin, "", ".", "", arguments);
}

/// An RGB image, row by row.
struct Image {
  std::uint32_t width = 0, height = 0;
  std::vector<unsigned char> rgb;

  [[nodiscard]] std::array<int, 3> at(long x, long y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

Image read_png(const std::string& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  Image image;
  if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return image;
  png.format = PNG_FORMAT_RGB;
  image.rgb.resize(std::size_t{png.width} * png.height * 3);
  if (png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) == 0) return image;
  image.width = png.width;
  image.height = png.height;
  return image;
}

std::array<int, 3> colour_of(std::string_view hex) {
  std::array<int, 3> c{};
  for (std::size_t k = 0; k < 3; ++k) {
    std::from_chars(hex.data() + 1 + 2 * k, hex.data() + 3 + 2 * k, c[k], 16);
  }
  return c;
}

/// Checks `name` with xmllint and renders it at 1123 pixels wide (one pixel
/// per page unit) into `name`.png.
Image checked_render(const WorkFolder& folder, const std::string& name) {
  const RunResult lint = folder.run("xmllint", "", ".", "", "--noout " + name);
  EXPECT_EQ(lint.exit_status, 0) << name << ": " << lint.errors;
  EXPECT_EQ(lint.errors, "") << name;
  const RunResult render =
      folder.run("rsvg-convert", "", ".", "", "-f png -w 1123 -h 794 -o " + name + ".png " + name);
  EXPECT_EQ(render.exit_status, 0) << name;
  EXPECT_EQ(render.errors, "") << name;
  Image image = read_png((folder.path() / (name + ".png")).string());
  EXPECT_EQ(image.width, 1123U) << name;
  return image;
}

/// Every soil's fill colour (from its data-soil element) covers more of the
/// image than its legend swatch could.
void expect_soils_filled(const std::string& svg, const Image& image, const std::string& name) {
  const std::regex soil(R"re(fill="(#[0-9a-f]{6})" data-soil="(\d+)")re");
  int soils = 0;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), soil); it != std::sregex_iterator();
       ++it) {
    const std::array<int, 3> want = colour_of((*it)[1].str());
    long count = 0;
    for (long y = 0; y < image.height; ++y) {
      for (long x = 0; x < image.width; ++x) count += image.at(x, y) == want ? 1 : 0;
    }
    EXPECT_GT(count, 2000) << name << ": soil " << (*it)[2] << " in " << (*it)[1];
    ++soils;
  }
  EXPECT_GT(soils, 0) << name;
}

TEST(Pictures, WellFormedRenderedCleanlyWithSoilsInTheirColours) {
  NEEDS("xmllint");
  NEEDS("rsvg-convert");
  WorkFolder folder;
  for (const char* model : {"zoned-dam.toml", "layered-slope.toml", "published-circle-ru.toml"}) {
    folder.copy_from_source(std::string("examples/") + model, model);
    const std::string svg = std::string(model) + ".svg";
    ASSERT_EQ(hollin(folder, std::string("plot ") + model + " -o " + svg).exit_status, 0);
    expect_soils_filled(folder.read(svg), checked_render(folder, svg), svg);
  }
  // A cut surface, and the stored data file of it with its report.
  RunResult run = hollin(folder, "plot layered-slope.toml --circle=28,30,24 -o cut.svg");
  ASSERT_EQ(run.exit_status, 0) << run.errors;
  const std::string cut = folder.read("cut.svg");
  expect_soils_filled(cut, checked_render(folder, "cut.svg"), "cut.svg");
  const auto factor_of = [&folder](const std::string& method) {
    const RunResult analysed =
        hollin(folder, "analyse layered-slope.toml --circle=28,30,24 --json --method " + method);
    const std::size_t at = analysed.console.find("\"factor_of_safety\": ");
    double factor = 0;
    if (at != std::string::npos) {
      std::from_chars(analysed.console.data() + at + 20,
                      analysed.console.data() + analysed.console.size(), factor);
    }
    return ">F = " + text::fixed_text(factor, 3) + "</text>";
  };
  const std::string factor = factor_of("simplified");
  EXPECT_NE(cut.find(factor), std::string::npos) << factor;

  ASSERT_EQ(hollin(folder, "cut layered-slope.toml --circle=28,30,24 -o slope.dat").exit_status, 0);
  ASSERT_EQ(hollin(folder, "report slope.dat --method simplified -o results.txt").exit_status, 0);
  ASSERT_EQ(hollin(folder, "plot slope.dat --report results.txt -o data.svg").exit_status, 0);
  checked_render(folder, "data.svg");
  EXPECT_NE(folder.read("data.svg").find(factor), std::string::npos) << factor;
  // A report of another data file is refused, and nothing is written.
  folder.copy_from_source("examples/worked-example.dat", "worked.dat");
  run = hollin(folder, "plot worked.dat --report results.txt -o other.svg");
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_NE(run.errors.find("results.txt: "), std::string::npos) << run.errors;
  EXPECT_FALSE(folder.exists("other.svg"));
  // One method's run, with its factor and line of thrust; a data file has no
  // run to draw.
  run = hollin(folder, "plot layered-slope.toml --circle=28,30,24 --method spencer -o one.svg");
  ASSERT_EQ(run.exit_status, 0) << run.errors;
  checked_render(folder, "one.svg");
  for (const std::string& wanted : {factor_of("spencer"), std::string("id=\"line-of-thrust\"")}) {
    EXPECT_NE(folder.read("one.svg").find(wanted), std::string::npos) << wanted;
  }
  run = hollin(folder, "plot worked.dat --method spencer -o other.svg");
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.errors.find("--method applies to a model"), std::string::npos) << run.errors;
  EXPECT_FALSE(folder.exists("other.svg"));
}

TEST(Pictures, SearchShowsTheCriticalCircleOnItsArcAndStaysSmallAndDeterministic) {
  NEEDS("xmllint");
  NEEDS("rsvg-convert");
  WorkFolder folder;
  folder.copy_from_source("examples/simple-slope.toml", "slope.toml");
  // 10,000 trials, each its own centre: the most cells of one picture.
  const std::string search =
      "search slope.toml --centres 5,35,100,10,40,100 --tangents=-10,9,1 --top 4 --json ";
  RunResult run = hollin(folder, search + "--threads 1 --svg one.svg --html one.html");
  ASSERT_EQ(run.exit_status, 0) << run.errors;
  ASSERT_EQ(hollin(folder, search + "--threads 2 --svg two.svg --html two.html").exit_status, 0);
  const std::string svg = folder.read("one.svg");
  EXPECT_EQ(svg, folder.read("two.svg"));
  EXPECT_EQ(folder.read("one.html"), folder.read("two.html"));
  EXPECT_LT(svg.size(), 2'000'000U);
  EXPECT_GT(svg.size(), 100'000U);  // the cells are there

  const std::size_t at = run.console.find("\"factor_of_safety\": ");
  ASSERT_NE(at, std::string::npos);
  double factor = 0;
  std::from_chars(run.console.data() + at + 20, run.console.data() + run.console.size(), factor);
  EXPECT_NE(svg.find(">F = " + text::fixed_text(factor, 3) + "</text>"), std::string::npos);
  EXPECT_NE(svg.find(">method: simplified</text>"), std::string::npos);

  const Image image = checked_render(folder, "one.svg");
  std::smatch arc;
  const std::regex critical(
      R"re(id="critical" d="M([-\d.]+) ([-\d.]+) A([\d.]+) [\d.]+ 0 0 0 ([-\d.]+) ([-\d.]+)")re");
  ASSERT_TRUE(std::regex_search(svg, arc, critical));
  const double x1 = std::stod(arc[1]), y1 = std::stod(arc[2]), r = std::stod(arc[3]);
  const double x2 = std::stod(arc[4]), y2 = std::stod(arc[5]);
  // The arc's middle: from the chord's middle away from the centre (which
  // lies above the chord on the page) by r - h.
  const double mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
  const double half = std::hypot(x2 - x1, y2 - y1) / 2;
  const double h = std::sqrt(std::max(r * r - half * half, 0.0));
  double nx = -(y2 - y1) / (2 * half), ny = (x2 - x1) / (2 * half);  // a unit normal
  if (ny < 0) nx = -nx, ny = -ny;                                    // pointing down the page
  const long px = std::lround(mx + nx * (r - h)), py = std::lround(my + ny * (r - h));
  const std::array<int, 3> want = colour_of("#d55e00");
  bool found = false;
  for (long y = py - 1; y <= py + 1; ++y) {
    for (long x = px - 1; x <= px + 1; ++x) found = found || image.at(x, y) == want;
  }
  EXPECT_TRUE(found) << "no critical colour at (" << px << ", " << py << ")";
}

TEST(SearchPage, LoadsInHeadlessChromiumAndShowsThePointedCentresFactor) {
  NEEDS("chromium");
  WorkFolder folder;
  std::string model = end_to_end::source_file("examples/simple-slope.toml");
  const std::string hostile = R"(</script><script>alert(1)</script> &<>\"')";
  model.replace(model.find("\"Simple slope\""), 14, "\"" + hostile + "\"");
  folder.write("slope.toml", model);
  ASSERT_EQ(hollin(folder, "search slope.toml --centres 5,35,20,10,40,20 --top 3 --html page.html")
                .exit_status,
            0);
  const std::string url = "file://" + (folder.path() / "page.html").string() + "#selftest";
  folder.write("profile/.keep", "");
  const RunResult browser = folder.run(
      "timeout", "", ".", "",
      "-k 5 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
      "--disable-background-networking --disable-component-update --disable-sync "
      "--user-data-dir=profile --virtual-time-budget=3000 --dump-dom '" +
          url + "'");
  ASSERT_EQ(browser.exit_status, 0) << browser.errors;
  const std::string& dom = browser.console;
  EXPECT_EQ(browser.errors.find("Uncaught"), std::string::npos) << browser.errors;
  const std::size_t begin = dom.find("<pre id=\"selftest\">");
  ASSERT_NE(begin, std::string::npos) << dom.substr(0, 2000);
  const std::string result = dom.substr(begin, dom.find("</pre>", begin) - begin);
  EXPECT_NE(result.find(R"("errors":[])"), std::string::npos) << result;
  EXPECT_NE(result.find(R"("resources":0)"), std::string::npos) << result;
  std::smatch shown;
  ASSERT_TRUE(std::regex_search(
      result, shown,
      std::regex(
          R"re("shown":"[^"]*least factor (\d+\.\d{3})","expected":"least factor (\d+\.\d{3})")re")))
      << result;
  EXPECT_EQ(shown[1], shown[2]);
  // The title stayed text: two scripts of the page's own, no injected one.
  std::size_t scripts = 0;
  for (std::size_t at = dom.find("<script"); at != std::string::npos;
       at = dom.find("<script", at + 1)) {
    ++scripts;
  }
  EXPECT_EQ(scripts, 2U);
  EXPECT_NE(
      dom.find("<title>&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt; &amp;&lt;&gt;\"'"),
      std::string::npos);
}

}  // namespace
