// The methods with interslice forces on surfaces cut through models: the
// published circle, the identities that tie them to the simplified and
// Janbu's methods, and random surfaces for what a solution must satisfy.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "method/general_limit_equilibrium.h"
#include "method/line_of_thrust.h"
#include "method/method_run.h"
#include "method/slice_forces.h"
#include "slope/slicing.h"
#include "slope/test_support.h"

namespace slope {
namespace {

using method::Method;
using method::MethodSettings;

MethodSettings settings_of(Method m, double tolerance = method::kDefaultTolerance) {
  MethodSettings s;
  s.method = m;
  s.tension = method::TensionRule::allow;
  s.tolerance = tolerance;
  s.iteration_limit = 200;
  s.interslice = method::Interslice::constant;
  return s;
}

TEST(GeneralMethodsTest, ThePublishedCircle) {
  // Centre (120, 90), radius 80: Spencer 2.073 and Morgenstern-Price
  // (constant) 2.076 dry, 1.761 and 1.765 with ru 0.25, each within 0.5 %.
  for (const auto& [ru, spencer, price] : {std::tuple{0.0, 2.073, 2.076}, {0.25, 1.761, 1.765}}) {
    const Model model = testing::published_slope(ru);
    Cutter cutter(model);
    Cut cut;
    ASSERT_EQ(cutter.cut(testing::published_circle(), 50, cut), SurfaceProblem::none);
    const auto run = [&](Method m) { return method::run_method(cut.surface(), settings_of(m)); };
    EXPECT_NEAR(run(Method::spencer).result.factor, spencer, 0.005 * spencer) << ru;
    EXPECT_NEAR(run(Method::morgenstern_price).result.factor, price, 0.005 * price) << ru;
  }
}

TEST(GeneralMethodsTest, TheFormulationHoldsTheSimplerMethods) {
  // Spencer's method is Morgenstern-Price's with a constant function; at
  // lambda 0 the moments give the simplified method's factor and the forces
  // Janbu's.
  const Model model = testing::published_slope(0.25);
  Cutter cutter(model);
  Cut cut;
  for (const SlipSurface& surface :
       {testing::published_circle(), testing::circle(110, 100, 85), testing::circle(100, 80, 50)}) {
    ASSERT_EQ(cutter.cut(surface, 40, cut), SurfaceProblem::none);
    const method::SurfaceData data = cut.surface();
    const method::MethodResult spencer =
        method::run_method(data, settings_of(Method::spencer)).result;
    const method::MethodResult price =
        method::run_method(data, settings_of(Method::morgenstern_price)).result;
    EXPECT_EQ(spencer.factor, price.factor);
    EXPECT_EQ(spencer.lambda, price.lambda);

    const MethodSettings tight = settings_of(Method::simplified, 1e-13);
    const method::GeneralFactors at_zero =
        method::factors_at(data, tight, method::Interslice::constant, 0.0);
    const double simplified = method::run_method(data, tight).result.factor;
    MethodSettings janbu = tight;
    janbu.method = Method::janbu;
    const double force = method::run_method(data, janbu).result.factor;
    EXPECT_NEAR(at_zero.moment, simplified, 1e-9 * simplified);
    EXPECT_NEAR(at_zero.force, force, 1e-9 * force);
  }
}

TEST(GeneralMethodsTest, OnACircleTheInterslicefunctionHardlyMatters) {
  // On a circle the factor of full equilibrium hardly depends on the shape
  // of f(x): each shape lands within 0.5 % of Spencer's, with a larger
  // lambda the smaller the shape's mean.
  const Model model = testing::published_slope(0.25);
  Cutter cutter(model);
  Cut cut;
  ASSERT_EQ(cutter.cut(testing::published_circle(), 50, cut), SurfaceProblem::none);
  const method::MethodResult spencer =
      method::run_method(cut.surface(), settings_of(Method::spencer)).result;
  ASSERT_TRUE(spencer.has_factor());
  method::IntersliceFunction points(method::Interslice::points);
  points.nodes[0] = {0.0, 0.0};
  points.nodes[1] = {0.5, 1.0};
  points.nodes[2] = {1.0, 0.0};
  points.node_count = 3;
  for (const method::IntersliceFunction& shape :
       {method::IntersliceFunction(method::Interslice::half_sine),
        method::IntersliceFunction(method::Interslice::clipped_sine),
        method::IntersliceFunction(method::Interslice::trapezoidal), points}) {
    MethodSettings settings = settings_of(Method::morgenstern_price);
    settings.interslice = shape;
    const method::MethodResult r = method::run_method(cut.surface(), settings).result;
    ASSERT_TRUE(r.has_factor()) << static_cast<int>(shape.shape);
    EXPECT_NEAR(r.factor, spencer.factor, 0.005 * spencer.factor) << static_cast<int>(shape.shape);
    EXPECT_GT(r.lambda, spencer.lambda) << static_cast<int>(shape.shape);
  }
}

TEST(GeneralMethodsTest, EachSliceIsInEquilibriumUnderTheForcesReported) {
  // The forces a run reports, with the slice's weight and the water's thrust
  // on its top, balance in both directions (the base's normal force is the
  // effective force and the pore force; the shear acts up the base).
  Model model = testing::published_slope(0.0);
  model.soils[0].saturated_unit_weight = 125;
  model.piezometric_line = {{0, 40}, {60, 40}, {140, 30}, {200, 30}};  // water over the toe
  model.seismic = {0.1, 0.0};
  Cutter cutter(model);
  Cut cut;
  ASSERT_EQ(cutter.cut(testing::published_circle(), 30, cut), SurfaceProblem::none);
  const method::SurfaceData data = cut.surface();
  for (const Method m : {Method::spencer, Method::morgenstern_price, Method::corps_2}) {
    MethodSettings settings = settings_of(m, 1e-12);
    settings.interslice = method::Interslice::half_sine;
    method::SliceTable table;
    const method::MethodResult result = method::run_method(data, settings, table);
    ASSERT_TRUE(result.has_factor()) << method::method_name(m);
    const std::vector<method::SliceForces> forces =
        method::slice_forces(data, settings, table, result);
    ASSERT_EQ(forces.size(), static_cast<std::size_t>(table.slice_count));
    for (std::size_t i = 0; i < forces.size(); ++i) {
      const method::SliceForces& f = forces[i];
      const double sin = -table.base_sin[i];
      const double cos = table.base_cos[i];
      const double n = f.normal + f.pore;
      const double v = table.weight[i] + table.load[i];
      const double across =
          f.head_normal - f.toe_normal + table.horizontal_force[i] + n * sin - f.shear * cos;
      const double up = f.head_shear + f.toe_shear - v + n * cos + f.shear * sin;
      EXPECT_NEAR(across, 0.0, 1e-7 * v) << method::method_name(m) << " slice " << i + 1;
      EXPECT_NEAR(up, 0.0, 1e-7 * v) << method::method_name(m) << " slice " << i + 1;
    }
  }
}

TEST(GeneralMethodsTest, TheLineOfThrustStaysInTheMassNearItsLowerThird) {
  // Spencer's interslice forces on the published circle: the crest's slices
  // pull; from there the thrust rises smoothly through the mass, near a third
  // of its height in the middle half of the surface.
  const Model model = testing::published_slope(0.0);
  Cutter cutter(model);
  Cut cut;
  ASSERT_EQ(cutter.cut(testing::published_circle(), 50, cut), SurfaceProblem::none);
  const method::SurfaceData data = cut.surface();
  const MethodSettings settings = settings_of(Method::spencer, 1e-12);
  method::SliceTable table;
  const method::MethodResult result = method::run_method(data, settings, table);
  ASSERT_TRUE(result.has_factor());
  const std::vector<method::ThrustPoint> thrust =
      method::line_of_thrust(data, table, method::slice_forces(data, settings, table, result));
  ASSERT_EQ(thrust.size(), static_cast<std::size_t>(table.slice_count - 1));
  EXPECT_TRUE(thrust.front().tension);
  const std::size_t n = thrust.size();
  for (std::size_t k = n / 4; k < 3 * n / 4; ++k) {
    const method::ThrustPoint& p = thrust[k];
    ASSERT_FALSE(p.tension || p.outside) << p.x;
    const double part = (p.level - p.slip) / (p.ground - p.slip);
    EXPECT_GT(part, 0.2) << p.x;
    EXPECT_LT(part, 0.5) << p.x;
  }
}

TEST(GeneralMethodsTest, WithItsLineOfThrustEverySliceBalancesItsMoments) {
  // Every force on each slice written out as a vector at its point, the
  // interslice normal forces at their thrust heights, and moments taken about
  // the circle's centre rather than the base the thrust is found from: each
  // slice balances, the toe's too, which closes only when the whole mass is in
  // moment equilibrium. With an earthquake, water in the mass and over the
  // toe, and the slope facing either way.
  Model wet = testing::published_slope(0.0);
  wet.soils[0].saturated_unit_weight = 125;
  wet.piezometric_line = {{0, 40}, {60, 40}, {140, 30}, {200, 30}};
  wet.seismic = {0.1, 0.0};
  for (const double about : {0.0, 200.0}) {
    const Model model = about == 0.0 ? wet : testing::mirrored(wet, about);
    const double xc = about == 0.0 ? 120.0 : about - 120.0;
    const double yc = 90.0;
    Cutter cutter(model);
    Cut cut;
    ASSERT_EQ(cutter.cut(testing::circle(xc, yc, 80), 50, cut), SurfaceProblem::none);
    const method::SurfaceData data = cut.surface();
    const method::SurfaceLoads& loads = data.loads;
    for (const Method m : {Method::spencer, Method::morgenstern_price}) {
      MethodSettings settings = settings_of(m, 1e-12);
      settings.interslice = method::Interslice::half_sine;
      method::SliceTable table;
      const method::MethodResult result = method::run_method(data, settings, table);
      ASSERT_TRUE(result.has_factor()) << method::method_name(m);
      const std::vector<method::SliceForces> forces =
          method::slice_forces(data, settings, table, result);
      double weight = 0.0;
      for (std::size_t i = 0; i < forces.size(); ++i) weight += table.weight[i];
      for (std::size_t i = 0; i < forces.size(); ++i) {
        const method::Section& a = data.sections[i];
        const method::Section& b = data.sections[i + 1];
        const method::SliceForces& f = forces[i];
        const double toe = b.x > a.x ? 1.0 : -1.0;  // towards the toe
        double moment = 0.0;
        const auto add = [&](double x, double y, double fx, double fy) {
          moment += (x - xc) * fy - (y - yc) * fx;
        };
        const double xm = 0.5 * (a.x + b.x);
        const double ym = 0.5 * (a.slip_level + b.slip_level);
        const double length = std::hypot(b.x - a.x, b.slip_level - a.slip_level);
        const double tx = (b.x - a.x) / length;  // along the base, head to toe
        const double ty = (b.slip_level - a.slip_level) / length;
        const double normal = toe * (f.normal + f.pore);
        add(xm, ym, -ty * normal - tx * f.shear, tx * normal - ty * f.shear);
        add(xm, ym, 0.0, -(table.weight[i] + table.load[i]));
        add(xm, method::centroid_level(a, b), toe * loads.kh * table.weight[i], 0.0);
        if (!loads.water_force.empty()) {
          // The water's thrusts: their force, and their driving moment about
          // the slice's moment point, as the loads give them.
          const double water = loads.water_force[i] + (i == 0 ? loads.head_thrust : 0.0);
          const double level =
              method::slice_lever(a.x, a.slip_level, b.x, b.slip_level, xc, yc).level;
          add(xm, level, toe * water, 0.0);
          moment += toe * loads.water_moment[i];
        }
        if (i > 0 && std::isfinite(forces[i - 1].toe_thrust)) {
          add(a.x, forces[i - 1].toe_thrust, toe * f.head_normal, 0.0);
        }
        if (std::isfinite(f.toe_thrust)) add(b.x, f.toe_thrust, -toe * f.toe_normal, 0.0);
        add(a.x, 0.0, 0.0, f.head_shear);
        add(b.x, 0.0, 0.0, f.toe_shear);
        // The toe carries the whole mass's imbalance: the run takes the
        // moments of the weight and the base's shear at the radius, not at
        // the chord's distance, a part in 1e5 at 50 slices that falls with
        // the square of their width.
        const double within = i + 1 < forces.size() ? 1e-10 : 2e-5;
        EXPECT_NEAR(moment / (weight * 80.0), 0.0, within)
            << method::method_name(m) << " about " << about << " slice " << i + 1;
      }
    }
  }
}

TEST(GeneralMethodsTest, RandomSurfacesConvergeToSolutionsOrSayWhy) {
  // Circles and three-point polylines through the published slope with
  // water, every method in turn and the interslice shapes in turn: a run
  // that converged satisfies its equations to the tolerance (both, for the
  // methods with lambda); a run without a factor says why; no run reports a
  // factor that is not a finite positive number.
  Model model = testing::published_slope(0.0);
  model.piezometric_line = {{0, 50}, {60, 50}, {140, 20}, {200, 20}};
  model.soils[0].saturated_unit_weight = 125;
  method::IntersliceFunction points(method::Interslice::points);
  points.nodes[0] = {0.0, 0.2};
  points.nodes[1] = {0.4, 1.0};
  points.nodes[2] = {1.0, 0.0};
  points.node_count = 3;
  const std::array<method::IntersliceFunction, 4> shapes{method::Interslice::half_sine,
                                                         method::Interslice::clipped_sine,
                                                         method::Interslice::trapezoidal, points};
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> x(60, 170), y(30, 200), r(10, 200);
  std::uniform_real_distribution<double> entry(20, 70), exit(130, 190), low(-10, 40);
  Cutter cutter(model);
  Cut cut;
  int converged = 0;
  for (int trial = 0; trial < 100000; ++trial) {
    const SlipSurface surface =
        trial % 3 == 0 ? testing::polyline({{entry(random), 70.0},
                                            {0.5 * (entry(random) + exit(random)), low(random)},
                                            {exit(random), 70.0}})
                       : testing::circle(x(random), y(random), r(random));
    if (cutter.cut(surface, 20, cut) != SurfaceProblem::none) continue;
    const Method m =
        method::kMethods[static_cast<std::size_t>(trial) % method::kMethods.size()].method;
    MethodSettings settings = settings_of(m);
    settings.interslice = shapes[static_cast<std::size_t>(trial / 9) % shapes.size()];
    const method::MethodResult result = method::run_method(cut.surface(), settings).result;
    if (!result.has_factor()) {
      EXPECT_NE(result.status, method::RunStatus::converged) << trial;
      EXPECT_NE(result.status, method::RunStatus::closed_form) << trial;
      continue;
    }
    ASSERT_GT(result.factor, 0.0) << trial;
    if (result.status != method::RunStatus::converged || !std::isfinite(result.lambda)) continue;
    ++converged;
    const method::IntersliceFunction shape =
        m == Method::spencer ? method::Interslice::constant : settings.interslice;
    const method::GeneralResiduals left =
        method::residuals_at(cut.surface(), shape, result.factor, result.lambda);
    ASSERT_LT(std::hypot(left.moment, left.force), settings.tolerance) << trial;
  }
  EXPECT_GT(converged, 1000);
}

TEST(GeneralMethodsTest, BracketingFindsNewtonsSolutionAndTheCurvesCrossThere) {
  // The fallback solver, on its own, finds the solution Newton's method
  // finds; the general method's two curves change places at its lambda.
  const Model model = testing::published_slope(0.25);
  Cutter cutter(model);
  Cut cut;
  ASSERT_EQ(cutter.cut(testing::published_circle(), 50, cut), SurfaceProblem::none);
  const method::SurfaceData data = cut.surface();
  MethodSettings settings = settings_of(Method::gle, 1e-10);
  settings.interslice = method::Interslice::half_sine;
  const method::MethodRun run = method::run_method(data, settings);
  ASSERT_TRUE(run.result.has_factor());

  method::SliceTable table;
  method::start_general(data, settings, table);
  const double start = method::formulation::starting_factor(data, settings, table);
  const method::formulation::Slices s =
      method::formulation::prepare(data, settings.interslice, table);
  double factor = start;
  double lambda = 0.0;
  std::int32_t passes = 0;
  ASSERT_EQ(method::formulation::solve_by_bracketing(s, start, factor, lambda, settings, passes),
            method::formulation::Solution::solved);
  EXPECT_NEAR(factor, run.result.factor, 1e-8);
  EXPECT_NEAR(lambda, run.result.lambda, 1e-6);

  ASSERT_EQ(run.curves.size(), static_cast<std::size_t>(method::kGleRows));
  for (std::size_t k = 1; k < run.curves.size(); ++k) {
    const method::GleRow& a = run.curves[k - 1];
    const method::GleRow& b = run.curves[k];
    const bool crossing = (a.moment - a.force) * (b.moment - b.force) <= 0.0;
    EXPECT_EQ(crossing, a.lambda <= run.result.lambda && run.result.lambda <= b.lambda) << k;
  }
}

}  // namespace
}  // namespace slope
