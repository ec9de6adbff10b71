// The loads a model adds to its surfaces, checked against physical
// identities: loads of no size change nothing, still water over a slope
// acts as buoyancy, and an earthquake on an infinite slope.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "method/method_run.h"
#include "slope/slicing.h"
#include "slope/test_support.h"

namespace slope {
namespace {

using testing::circle;
using testing::published_circle;
using testing::published_slope;

// The simplified method's factor, converged far below its usual tolerance:
// the identities hold for its equations, not for where an iteration stops.
method::MethodResult simplified(const Model& model, const SlipSurface& surface, int slices = 60) {
  Cutter cutter(model);
  Cut cut;
  EXPECT_EQ(cutter.cut(surface, slices, cut), SurfaceProblem::none);
  method::MethodSettings settings;
  settings.tension = method::TensionRule::allow;
  settings.tolerance = 1e-13;
  settings.iteration_limit = 500;
  return method::run_method(cut.surface(), settings).result;
}

TEST(LoadsTest, LoadsOfNoSizeChangeNoBit) {
  Model plain = published_slope();
  plain.loads = {{60, 100, 40, 40}};
  Model with = plain;
  with.seismic = {0.0, 0.0};
  with.tension_crack = {};
  with.tension_crack.depth = 0.0;  // a crack of depth 0 is none
  const std::vector<SlipSurface> surfaces{published_circle(), circle(110, 100, 85),
                                          circle(100, 80, 50)};
  for (const SlipSurface& surface : surfaces) {
    for (const method::Method m : {method::Method::simplified, method::Method::ordinary}) {
      Cutter a(plain), b(with);
      Cut ca, cb;
      ASSERT_EQ(a.cut(surface, 40, ca), SurfaceProblem::none);
      ASSERT_EQ(b.cut(surface, 40, cb), SurfaceProblem::none);
      method::MethodSettings settings;
      settings.method = m;
      const double fa = method::run_method(ca.surface(), settings).result.factor;
      const double fb = method::run_method(cb.surface(), settings).result.factor;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(fa), std::bit_cast<std::uint64_t>(fb));
      EXPECT_FALSE(cb.loads.active);
    }
  }
}

TEST(LoadsTest, StillWaterOverTheSlopeIsBuoyancy) {
  // Submerged under water standing above the crest, the slope stands as the
  // same slope dry with the buoyant unit weight, for any circle.
  Model wet = published_slope();
  wet.soils[0].saturated_unit_weight = 125;
  wet.piezometric_line = {{0, 75}, {200, 75}};
  Model buoyant = published_slope();
  buoyant.soils[0].unit_weight = 125 - 62.4;
  buoyant.soils[0].saturated_unit_weight = 125 - 62.4;
  for (const SlipSurface& surface :
       {published_circle(), circle(110, 100, 85), circle(100, 80, 50), circle(95, 60, 40)}) {
    const method::MethodResult w = simplified(wet, surface);
    const method::MethodResult d = simplified(buoyant, surface);
    ASSERT_TRUE(w.has_factor() && d.has_factor());
    EXPECT_NEAR(w.factor, d.factor, 1e-9 * d.factor);
  }
}

TEST(LoadsTest, EarthquakeOnAnInfiniteSlope) {
  // A dry cohesionless slope at beta, cut by a long shallow surface parallel
  // to it: F = (cos b - kh sin b) tan phi / (sin b + kh cos b) by every
  // method, with (1 + kv) on each weight when the earthquake also pushes down.
  const double beta = 20.0;
  const double phi = 35.0;
  const double t = std::tan(beta * std::numbers::pi / 180.0);
  Model m;
  m.ground = {{-20, 0}, {0, 0}, {1000, 1000 * t}, {1020, 1000 * t}};
  Soil soil;
  soil.unit_weight = 19;
  soil.saturated_unit_weight = 19;
  soil.friction_angle = phi;
  soil.top = m.ground;
  m.soils.push_back(soil);
  const double depth = 2.0;
  const SlipSurface surface = testing::polyline(
      {{1, 1 * t + 1}, {11, 11 * t - depth}, {989, 989 * t - depth}, {999, 999 * t + 1}});
  const double b = beta * std::numbers::pi / 180.0;
  for (const Seismic quake : {Seismic{0.15, 0.0}, Seismic{0.1, 0.1}}) {
    m.seismic = quake;
    const double down = 1.0 + quake.kv;
    const double expected = (down * std::cos(b) - quake.kh * std::sin(b)) *
                            std::tan(phi * std::numbers::pi / 180.0) /
                            (down * std::sin(b) + quake.kh * std::cos(b));
    // Interslice forces on an infinite slope balance one another, whatever
    // their inclination: every method gives the same factor (with moments
    // about one axis, each force with its own arm).
    Cutter cutter(m);
    Cut cut;
    ASSERT_EQ(cutter.cut(surface, 1000, cut), SurfaceProblem::none);
    for (const method::MethodEntry& entry : method::kMethods) {
      method::MethodSettings settings;
      settings.method = entry.method;
      settings.tension = method::TensionRule::allow;
      const method::MethodResult result = method::run_method(cut.surface(), settings).result;
      EXPECT_NEAR(result.factor, expected, 0.005 * expected)
          << entry.name << " kh " << quake.kh << " kv " << quake.kv;
    }
  }
}

TEST(LoadsTest, ACrackEndsTheHeadAndItsWaterPushesAtAThirdOfItsDepth) {
  // The published slope (c' 600, phi' 20, gamma 120): 2c'/(gamma sqrt(Ka))
  // = 10 tan(55 degrees) deep.
  Model model = published_slope();
  model.tension_crack.present = true;
  model.tension_crack.automatic_depth = true;
  const double depth = 10.0 * std::tan(55.0 * std::numbers::pi / 180.0);
  Cutter dry_cutter(model);
  Cut dry;
  ASSERT_EQ(dry_cutter.cut(published_circle(), 50, dry), SurfaceProblem::none);
  ASSERT_TRUE(dry.crack.present);
  const method::Section& head = dry.sections.front();
  EXPECT_NEAR(head.ground_level - head.slip_level, depth, 1e-9);
  EXPECT_NEAR(dry.crack.depth, depth, 1e-9);
  EXPECT_LE(head.x, 60.0);  // on the crest, behind the face
  EXPECT_TRUE(unwritable_forces(dry).empty());
  EXPECT_FALSE(dry.loads.active);

  // Full of water: the thrust gamma_w d^2 / 2 at d / 3 above the bottom
  // adds its moment about the centre, over the first base's lever, to the
  // driving forces, and nothing else changes.
  model.tension_crack.full = true;
  Cutter wet_cutter(model);
  Cut wet;
  ASSERT_EQ(wet_cutter.cut(published_circle(), 50, wet), SurfaceProblem::none);
  const double thrust = 62.4 * depth * depth / 2.0;
  EXPECT_NEAR(wet.crack.thrust, thrust, 1e-9 * thrust);
  method::SliceTable a, b;
  method::compute_ordinary(dry.surface(), method::PoreForce::base_length, a);
  method::compute_ordinary(wet.surface(), method::PoreForce::base_length, b);
  const method::Section& next = wet.sections[1];
  const double arm = method::slice_lever(head.x, head.slip_level, next.x, next.slip_level,
                                         wet.loads.axis_x, wet.loads.axis_y)
                         .arm;
  const double moment = thrust * (90.0 - (head.slip_level + depth / 3.0));
  EXPECT_NEAR(b.sum_driving - a.sum_driving, moment / arm, 1e-9 * moment / arm);
  EXPECT_EQ(a.sum_resisting, b.sum_resisting);
  EXPECT_EQ(unwritable_forces(wet), std::vector<std::string_view>{"crack water"});

  // A shallow circle never reaches the crack line and keeps its own head;
  // a range elsewhere leaves the crack out.
  Cut shallow;
  ASSERT_EQ(wet_cutter.cut(circle(100, 80, 42), 50, shallow), SurfaceProblem::none);
  EXPECT_FALSE(shallow.crack.present);
  model.tension_crack.range_given = true;
  model.tension_crack.from = 150;
  model.tension_crack.to = 190;
  Cutter elsewhere(model);
  ASSERT_EQ(elsewhere.cut(published_circle(), 50, wet), SurfaceProblem::none);
  EXPECT_FALSE(wet.crack.present);
}

}  // namespace
}  // namespace slope
