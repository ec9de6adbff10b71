#include "slope/ground.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "slope/geometry.h"

namespace slope {
namespace {

Soil layer(Polyline top) {
  Soil soil;
  soil.top = std::move(top);
  return soil;
}

Soil zone(Polyline region) {
  Soil soil;
  soil.region = std::move(region);
  return soil;
}

// Two crossing tops, y = x and y = 6 - 0.4 x on 0 to 10, and a triangular
// region (2, 3), (4, 9), (6, 3) standing above both. Worked by hand: the
// region's left edge y = 3x - 3 meets y = 6 - 0.4 x at x = 9 / 3.4; its
// right edge y = 21 - 3x meets y = x at x = 5.25. The tops' own crossing at
// x = 6 / 1.4 lies under the region and is not on the ground.
TEST(Ground, EnvelopeOfCrossingTopsAndARegion) {
  const GroundDerivation derived = derive_ground(
      {layer({{0, 0}, {10, 10}}), layer({{0, 6}, {10, 2}}), zone({{2, 3}, {4, 9}, {6, 3}})});
  ASSERT_EQ(derived.problem, GroundProblem::none);
  const Polyline expected = {{0, 6}, {2, 5.2}, {9 / 3.4, 6 - 0.4 * 9 / 3.4}, {4, 9}, {5.25, 5.25},
                             {6, 6}, {10, 10}};
  ASSERT_EQ(derived.ground.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_DOUBLE_EQ(derived.ground[i].x, expected[i].x) << i;
    EXPECT_DOUBLE_EQ(derived.ground[i].y, expected[i].y) << i;
  }
}

TEST(Ground, RefusesGapsAndSteps) {
  const GroundDerivation gap = derive_ground({layer({{0, 0}, {10, 0}}), layer({{12, 0}, {20, 0}})});
  EXPECT_EQ(gap.problem, GroundProblem::gap);
  EXPECT_EQ(gap.x, 10.0);
  EXPECT_EQ(gap.x_to, 12.0);
  EXPECT_EQ(gap.soil, 0U);

  // A block whose vertical side stands 3 above the layer beside it.
  const GroundDerivation step =
      derive_ground({zone({{0, 0}, {10, 0}, {10, 5}, {0, 5}}), layer({{10, 2}, {20, 2}})});
  EXPECT_EQ(step.problem, GroundProblem::step);
  EXPECT_EQ(step.x, 10.0);
  EXPECT_EQ(step.soil, 0U);

  // Regions meeting along a vertical edge leave neither gap nor step.
  EXPECT_EQ(derive_ground({zone({{0, 0}, {10, 0}, {10, 5}, {0, 5}}),
                           zone({{10, 0}, {20, 0}, {20, 5}, {10, 5}})})
                .problem,
            GroundProblem::none);
  EXPECT_EQ(derive_ground({}).problem, GroundProblem::no_soil);
}

// Property: for a level top over 0 to 100 and random tops over parts of it,
// the ground is, at every x, the highest of the tops there, and its x
// increases strictly.
TEST(Ground, IsTheHighestTopEverywhere) {
  std::mt19937 random(20240611);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<Soil> soils = {layer({{0, 5}, {100, 5}})};
    const int count = 1 + static_cast<int>(unit(random) * 6);
    for (int k = 0; k < count; ++k) {
      // Ends at or under the level line, so that the ground has no step.
      double x = unit(random) * 80;
      const double end = x + 1 + unit(random) * (100 - x - 1);
      Polyline top = {{x, unit(random) * 5}};
      for (x += 0.5; x < end; x += 0.5 + unit(random) * 20) top.push_back({x, unit(random) * 10});
      top.push_back({end, unit(random) * 5});
      soils.push_back(layer(std::move(top)));
    }
    const GroundDerivation derived = derive_ground(soils);
    ASSERT_EQ(derived.problem, GroundProblem::none);
    const Polyline& ground = derived.ground;
    for (std::size_t i = 1; i < ground.size(); ++i) ASSERT_LT(ground[i - 1].x, ground[i].x);
    for (double x = 0; x <= 100; x += 0.37) {
      double highest = -1;
      for (const Soil& soil : soils) {
        if (x >= soil.top.front().x && x <= soil.top.back().x) {
          highest = std::max(highest, height_at(soil.top, x));
        }
      }
      ASSERT_NEAR(height_at(ground, x), highest, 1e-9) << "trial " << trial << " x " << x;
    }
  }
}

}  // namespace
}  // namespace slope
