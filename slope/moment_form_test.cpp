// Moments about one axis with each force's own lever arm, on polylines: the
// published circle with a weak seam on a hard base, a rigorous method's
// independence of the axis, and the mirrored slope.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "method/method_run.h"
#include "slope/slicing.h"
#include "slope/test_support.h"

namespace slope {
namespace {

using method::Method;

method::MethodSettings settings_of(Method m) {
  method::MethodSettings s;
  s.method = m;
  s.tension = method::TensionRule::allow;
  s.tolerance = 1e-10;
  s.iteration_limit = 200;
  s.interslice = method::Interslice::constant;
  return s;
}

// The published circle's slope on a hard base at 15 with a weak seam (c' 0,
// phi' 10) from 15 to 16: the published circle (120, 90) radius 80 follows
// the base where it would pass below it.
Model seam_model() {
  Model m = testing::published_slope();
  m.bedrock = {{0, 15}, {200, 15}};
  Soil seam = m.soils[0];
  seam.name = "seam";
  seam.cohesion = 0;
  seam.friction_angle = 10;
  seam.top = {{0, 16}, {200, 16}};
  m.soils.push_back(seam);
  return m;
}

TEST(MomentFormTest, TheCircleOverASeamOnAHardBase) {
  // Published: ordinary 1.288, simplified 1.377, Spencer 1.373; the slope
  // data file's form gives the simplified method 1.397. Without following
  // the base the circle is refused.
  const Model model = seam_model();
  Cut cut;
  const auto factor = [&](Method m) {
    return method::run_method(cut.surface(), settings_of(m)).result.factor;
  };
  Cutter general(model);
  ASSERT_EQ(general.cut(testing::published_circle(), 200, cut), SurfaceProblem::none);
  ASSERT_FALSE(cut.composite.empty());
  EXPECT_EQ(cut.arms.axis_x, 120.0);
  EXPECT_NEAR(factor(Method::simplified), 1.377, 0.005 * 1.377);
  // Spencer's and the ordinary method's land 0.51 % and 0.78 % above
  // their published figures.
  EXPECT_NEAR(factor(Method::spencer), 1.373, 0.006 * 1.373);
  EXPECT_NEAR(factor(Method::ordinary), 1.288, 0.01 * 1.288);
  Cutter legacy(model, {method::MomentForm::legacy, true});
  ASSERT_EQ(legacy.cut(testing::published_circle(), 200, cut), SurfaceProblem::none);
  EXPECT_NEAR(factor(Method::simplified), 1.397, 0.0005 * 1.397);
  Cutter refusing(model, {method::MomentForm::general, false});
  EXPECT_EQ(refusing.cut(testing::published_circle(), 200, cut), SurfaceProblem::below_bedrock);

  // The same seam as a layer to follow, without bedrock: the base lies on
  // the top of the soil below and takes the seam's strength.
  Model layered = model;
  layered.bedrock.clear();
  layered.soils[1].follow = true;
  Soil hard = model.soils[0];
  hard.name = "hard";
  hard.cohesion = 5000;
  hard.top = {{0, 15}, {200, 15}};
  layered.soils.push_back(hard);
  Cutter following(layered);
  ASSERT_EQ(following.cut(testing::published_circle(), 200, cut), SurfaceProblem::none);
  EXPECT_NEAR(factor(Method::simplified), 1.377, 0.005 * 1.377);
}

TEST(MomentFormTest, FullEquilibriumDoesNotDependOnTheAxisNorOnTheSlopesFacing) {
  // Spencer's method balances every force, so that moments about any point
  // give its factor; so does the slope mirrored, whichever way it faces.
  const Model model = testing::published_slope(0.25);
  const Model mirrored = testing::mirrored(model, 200);
  Cutter cutter(model);
  Cutter mirror_cutter(mirrored);
  Cut cut;
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> entry(40, 60), low(5, 30), exit(140, 170), ax(60, 180),
      ay(70, 200);
  int compared = 0;
  for (int trial = 0; trial < 40; ++trial) {
    const Polyline points{
        {entry(random), 60.5}, {90, low(random)}, {125, low(random)}, {exit(random), 20.5}};
    double first = std::nan("");
    for (int axis = 0; axis < 3; ++axis) {
      SlipSurface surface = testing::polyline(points);
      surface.axis_given = true;
      surface.axis = {ax(random), ay(random)};
      if (cutter.cut(surface, 40, cut) != SurfaceProblem::none) break;
      const method::MethodResult r =
          method::run_method(cut.surface(), settings_of(Method::spencer)).result;
      if (!r.has_factor()) break;
      if (axis == 0) {
        first = r.factor;
        Polyline flipped;
        for (auto p = points.rbegin(); p != points.rend(); ++p)
          flipped.push_back({200 - p->x, p->y});
        SlipSurface back = testing::polyline(flipped);
        back.axis_given = true;
        back.axis = {200 - surface.axis.x, surface.axis.y};
        ASSERT_EQ(mirror_cutter.cut(back, 40, cut), SurfaceProblem::none);
        EXPECT_NEAR(method::run_method(cut.surface(), settings_of(Method::spencer)).result.factor,
                    first, 1e-8 * first);
      } else {
        EXPECT_NEAR(r.factor, first, 1e-7 * first) << trial;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 20);
}

}  // namespace
}  // namespace slope
