#include "slope/slip_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "slope/slicing.h"
#include "slope/test_support.h"

namespace slope {
namespace {

using testing::circle;
using testing::polyline;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Case {
  const char* what;
  SlipSurface surface;
  SurfaceProblem expected;
  double bedrock_level = -1000.0;  ///< a level bedrock line from x = 0 to 200
  std::int32_t slices = 50;
};

/// A parabola through (0, 110), (100, 10) and (200, 110) in `points` points:
/// one sliding mass whose sections would be the points themselves.
Polyline parabola(int points) {
  Polyline p;
  for (int i = 0; i < points; ++i) {
    const double x = 200.0 * i / (points - 1);
    p.push_back({x, 10.0 + (x - 100.0) * (x - 100.0) / 100.0});
  }
  return p;
}

// Surfaces through the published simple slope (crest 60 up to x = 60, toe 20
// from x = 140, model from 0 to 200) and what each one is.
TEST(SurfaceProblemTest, EachSurfaceGetsItsReason) {
  using P = SurfaceProblem;
  const Case cases[] = {
      {"published circle", testing::published_circle(), P::none},
      {"above the whole slope", circle(120, 200, 50), P::misses_slope},
      {"beside the model", circle(500, 50, 10), P::misses_slope},
      {"touches the crest only", circle(30, 80, 20), P::misses_slope},
      {"two masses", polyline({{20, 70}, {40, 50}, {50, 70}, {100, 20}, {180, 30}}),
       P::crosses_ground_more},
      {"polyline ends in the slope", polyline({{30, 70}, {100, 10}}), P::ends_below_ground},
      {"arc ends in the slope", circle(100, 30, 20), P::ends_below_ground},
      {"arc leaves through the left end", circle(100, 150, 150), P::leaves_model},
      {"polyline leaves through the left end", polyline({{-10, 40}, {100, 10}, {200, 30}}),
       P::leaves_model},
      {"below a bedrock at 12", testing::published_circle(), P::below_bedrock, 12.0},
      {"tangent to a bedrock at 10", testing::published_circle(), P::none, 10.0},
      {"polyline below a bedrock at 12", polyline({{20, 80}, {100, 11}, {190, 30}}),
       P::below_bedrock, 12.0},
      {"polyline on a bedrock at 11", polyline({{20, 80}, {100, 11}, {190, 30}}), P::none, 11.0},
      {"touches the crest, then one mass",
       polyline({{0, 70}, {20, 60}, {40, 65}, {80, 40}, {150, 15}, {190, 25}}), P::none},
      {"radius 0", circle(120, 90, 0), P::invalid},
      {"negative radius", circle(120, 90, -80), P::invalid},
      {"NaN centre", circle(kNaN, 90, 80), P::invalid},
      {"infinite radius", circle(120, 90, kInf), P::invalid},
      {"one point", polyline({{100, 10}}), P::invalid},
      {"x not increasing", polyline({{20, 80}, {100, 10}, {100, 5}, {190, 30}}), P::invalid},
      {"NaN level", polyline({{20, 80}, {100, kNaN}, {190, 30}}), P::invalid},
      {"radius 1e300", circle(100, 50, 1e300), P::leaves_model},
      {"centre at 1e300", circle(1e300, 50, 80), P::misses_slope},
      {"points at 1e300", polyline({{-1e300, 1e300}, {1e300, -1e300}}), P::leaves_model},
      {"no slices", testing::published_circle(), P::invalid, -1000.0, 0},
      {"a million slices", testing::published_circle(), P::too_many_sections, -1000.0, 1000000},
      {"a million points", polyline(parabola(1000000)), P::too_many_sections},
      {"ten thousand points", polyline(parabola(10000)), P::none},
  };
  for (const Case& c : cases) {
    Model model = testing::published_slope();
    if (c.bedrock_level > -1000.0) model.bedrock = {{0, c.bedrock_level}, {200, c.bedrock_level}};
    // A circle below the bedrock is refused when it may not follow it.
    Cutter cutter(model, {method::MomentForm::general, false});
    Cut cut;
    EXPECT_EQ(cutter.cut(c.surface, c.slices, cut), c.expected) << c.what;
    EXPECT_EQ(cut.problem, c.expected) << c.what;
    EXPECT_EQ(cut.sections.empty(), c.expected != P::none) << c.what;
  }
}

TEST(SurfaceProblemTest, TouchingTheGroundNeitherStartsNorEndsTheMass) {
  // The polyline touches the crest at (20, 60) and crosses the slope and the
  // toe: the mass runs between the crossings alone.
  const GroundCrossing g =
      meet_ground(polyline({{0, 70}, {20, 60}, {40, 65}, {80, 40}, {150, 15}, {190, 25}}),
                  testing::published_slope().ground);
  ASSERT_EQ(g.problem, SurfaceProblem::none);
  EXPECT_GT(g.left.x, 40.0);
  EXPECT_LT(g.left.x, 80.0);
  EXPECT_GT(g.right.x, 150.0);
  EXPECT_LT(g.right.x, 190.0);
}

TEST(SurfaceProblemTest, PublishedCircleMeetsTheGroundWhereTheQuadraticSays) {
  // Lower arc of (120, 90, 80) at level 60: x = 120 - sqrt(80^2 - 30^2);
  // at level 20: x = 120 + sqrt(80^2 - 70^2).
  const GroundCrossing g =
      meet_ground(testing::published_circle(), testing::published_slope().ground);
  ASSERT_EQ(g.problem, SurfaceProblem::none);
  EXPECT_NEAR(g.left.x, 120.0 - std::sqrt(5500.0), 1e-12);
  EXPECT_DOUBLE_EQ(g.left.y, 60.0);
  EXPECT_NEAR(g.right.x, 120.0 + std::sqrt(1500.0), 1e-12);
  EXPECT_DOUBLE_EQ(g.right.y, 20.0);
}

TEST(SurfaceProblemTest, EveryProblemHasItsOwnTextAndKey) {
  std::set<std::string> texts;
  std::set<std::string> keys;
  for (int p = 0; p <= static_cast<int>(SurfaceProblem::too_many_sections); ++p) {
    texts.emplace(problem_text(static_cast<SurfaceProblem>(p)));
    keys.emplace(problem_key(static_cast<SurfaceProblem>(p)));
  }
  EXPECT_EQ(texts.size(), 9u);
  EXPECT_EQ(keys.size(), 9u);
  EXPECT_EQ(problem_key(SurfaceProblem::crosses_ground_more), "crosses_ground_more_than_twice");
}

}  // namespace
}  // namespace slope
