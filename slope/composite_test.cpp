// The pieces of surfaces that are not circles: the arms of moments about an
// axis (which must give a circle traced as a polyline its circle's factor),
// the floor a circle follows, and the kinematic checks.
#include <gtest/gtest.h>

#include <cmath>

#include "method/method_run.h"
#include "slope/composite_surface.h"
#include "slope/kinematics.h"
#include "slope/slicing.h"
#include "slope/test_support.h"

namespace slope {
namespace {

Polyline traced(const Circle& c, double x0, double x1, int n) {
  Polyline points;
  for (int k = 0; k <= n; ++k) {
    const double x = x0 + (x1 - x0) * k / n;
    points.push_back({x, arc_level(c, x)});
  }
  return points;
}

TEST(MomentArms, ACircleTracedAsAPolylineKeepsItsFactorWhicheverWayTheSlopeFaces) {
  // About its centre each base's shear arm is the radius and its normal
  // force passes through the centre; every method then gives what the
  // circle gives, up to the chords' difference from the arc.
  const Model model = testing::published_slope(0.25);
  const Circle c{120, 90, 80};
  const Polyline points = traced(c, 45.5, 159.0, 600);
  SlipSurface polyline = testing::polyline(points);
  polyline.axis_given = true;
  polyline.axis = {120, 90};
  Cutter cutter(model);
  Cut circle_cut;
  Cut polyline_cut;
  ASSERT_EQ(cutter.cut(testing::circle(120, 90, 80), 600, circle_cut), SurfaceProblem::none);
  ASSERT_EQ(cutter.cut(polyline, 600, polyline_cut), SurfaceProblem::none);
  ASSERT_FALSE(polyline_cut.arms.shear.empty());
  for (std::size_t i = 0; i < polyline_cut.arms.shear.size(); ++i) {
    // Slices that share a chord have their bases' middles off its middle.
    EXPECT_NEAR(polyline_cut.arms.shear[i] * polyline_cut.arms.reference, 80.0, 1e-3);
    EXPECT_NEAR(polyline_cut.arms.normal[i], 0.0, 5e-3);
  }
  const Model mirrored = testing::mirrored(model, 200);
  Cutter mirror_cutter(mirrored);
  SlipSurface back = polyline;
  back.polyline.clear();
  for (auto p = points.rbegin(); p != points.rend(); ++p)
    back.polyline.push_back({200 - p->x, p->y});
  back.axis = {80, 90};
  Cut mirror_cut;
  ASSERT_EQ(mirror_cutter.cut(back, 600, mirror_cut), SurfaceProblem::none);
  for (const method::Method m :
       {method::Method::simplified, method::Method::ordinary, method::Method::spencer}) {
    method::MethodSettings settings;
    settings.method = m;
    settings.tension = method::TensionRule::allow;
    settings.tolerance = 1e-10;
    const double expected = method::run_method(circle_cut.surface(), settings).result.factor;
    EXPECT_NEAR(method::run_method(polyline_cut.surface(), settings).result.factor, expected,
                2e-3 * expected)
        << method::method_name(m);
    EXPECT_NEAR(method::run_method(mirror_cut.surface(), settings).result.factor, expected,
                2e-3 * expected)
        << method::method_name(m);
  }
}

TEST(Floor, TheHigherOfBedrockAndAFollowedBottomAndWhereTheArcMeetsIt) {
  Model model = testing::published_slope();
  Soil weak = model.soils[0];
  weak.name = "weak";
  weak.top = {{0, 20}, {200, 20}};
  weak.follow = true;
  Soil hard = model.soils[0];
  hard.name = "hard";
  hard.top = {{0, 18}, {100, 18}, {200, 10}};
  model.soils.push_back(weak);
  model.soils.push_back(hard);
  model.bedrock = {{0, 12}, {200, 12}};
  const Floor floor(model);
  EXPECT_DOUBLE_EQ(floor.level(50), 18.0);       // the weak layer's bottom
  EXPECT_NEAR(floor.level(187.5), 12.0, 1e-12);  // the bedrock, above the hard top there
  EXPECT_EQ(floor.followed_soil(50), 1);
  EXPECT_EQ(floor.followed_soil(190), -1);

  const Circle c{100, 80, 70};  // its lowest point 10: below the floor
  Polyline points;
  double from = 0.0;
  double to = 0.0;
  ASSERT_TRUE(composite_polyline(c, floor, 50, 150, 20, points, from, to));
  // Where the arc meets the floor: level 18 left of x = 100.
  EXPECT_NEAR(arc_level(c, from), floor.level(from), 1e-9);
  EXPECT_NEAR(from, 100 - std::sqrt(70.0 * 70 - 62.0 * 62), 1e-9);
  EXPECT_NEAR(arc_level(c, to), floor.level(to), 1e-9);
  for (const Point& p : points) EXPECT_GE(p.y, floor.level(p.x) - 1e-12);
  EXPECT_FALSE(composite_polyline({100, 80, 50}, floor, 60, 140, 20, points, from, to));
}

TEST(Kinematics, ABaseBendsUpwardOnlyAndNoMoreThanTheLimit) {
  const Polyline bowl{{0, 10}, {10, 0}, {20, 0}, {30, 10}};
  EXPECT_EQ(check_kinematics(bowl, 120), Kinematics::admissible);
  EXPECT_EQ(check_kinematics(bowl, 40), Kinematics::too_sharp);  // 45 degrees at each corner
  const Polyline locked{{0, 10}, {10, 0}, {15, 2}, {20, 0}, {30, 10}};
  EXPECT_EQ(check_kinematics(locked, 120), Kinematics::turns_upward);
  EXPECT_EQ(check_kinematics({{0, 10}, {30, 10}}, 120), Kinematics::admissible);
}

}  // namespace
}  // namespace slope
