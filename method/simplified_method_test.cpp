#include "method/simplified_method.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "method/test_support.h"

namespace method {
namespace {

using testing::steep_toe_example;
using testing::worked_example;

IterationOutcome iterate(const SurfaceData& data, SliceTable& table, double tolerance,
                         std::int32_t limit) {
  compute_first_estimate(data, table);
  return iterate_simplified(data, table, tolerance, limit);
}

TEST(SimplifiedMethodTest, WorkedExampleConvergesAfterSixPasses) {
  // Reference factors of passes 1 to 6 of the three-section worked example.
  constexpr std::array<double, 6> kPassFactors = {1.38781, 1.39411, 1.39515,
                                                  1.39533, 1.39536, 1.39536};
  const testing::Surface data = worked_example();
  SliceTable t;
  for (std::int32_t limit = 1; limit <= 5; ++limit) {
    const IterationOutcome outcome = iterate(data, t, kDefaultTolerance, limit);
    EXPECT_EQ(outcome.stop, IterationStop::limit_reached) << limit;
    EXPECT_EQ(outcome.passes, limit);
    EXPECT_NEAR(t.safety_factor, kPassFactors[static_cast<std::size_t>(limit - 1)], 5e-6);
    if (limit == 1) {
      EXPECT_NEAR(t.m_factor[0], 1.32054, 5e-6);
      EXPECT_NEAR(t.m_factor[1], 1.10685, 5e-6);
    }
  }

  const IterationOutcome outcome = iterate(data, t, kDefaultTolerance, 50);
  EXPECT_EQ(outcome.stop, IterationStop::converged);
  EXPECT_EQ(outcome.passes, 6);
  EXPECT_NEAR(t.safety_factor, 1.39536, 5e-6);
  EXPECT_EQ(reported_factor(t), t.safety_factor);
  // Slice values of the converged report of the worked example.
  EXPECT_NEAR(t.resisting_force[0], -258.885, 5e-4);
  EXPECT_NEAR(t.net_force[0], 5.11474, 5e-5);
  EXPECT_NEAR(t.resisting_force[1], -257.720, 5e-4);
  EXPECT_NEAR(t.net_force[1], -151.489, 5e-4);
  EXPECT_NEAR(t.sum_resisting, -516.605, 5e-4);
  EXPECT_NEAR(t.sum_driving, 370.231, 5e-4);
}

TEST(SimplifiedMethodTest, ConvergenceNeedsAChangeStrictlyBelowTolerance) {
  const testing::Surface data = worked_example();
  SliceTable t;
  compute_first_estimate(data, t);
  const double first_estimate = t.safety_factor;
  ASSERT_EQ(iterate_simplified(data, t, kDefaultTolerance, 1).stop, IterationStop::limit_reached);
  const double change = std::fabs(t.safety_factor - first_estimate);

  EXPECT_EQ(iterate(data, t, change, 1).stop, IterationStop::limit_reached);
  EXPECT_EQ(iterate(data, t, std::nextafter(change, 1.0), 1).stop, IterationStop::converged);
  // A tolerance of 0 never converges; the limit ends the iteration.
  const IterationOutcome zero = iterate(data, t, 0.0, 20);
  EXPECT_EQ(zero.stop, IterationStop::limit_reached);
  EXPECT_EQ(zero.passes, 20);
}

TEST(SimplifiedMethodTest, SteepToeStopsAtSmallMFactor) {
  // Four-section example: first estimate 0.402831, pass 1 stops at slice 3
  // with m-factor -3.2997; the report's factor covers slices 1 and 2.
  const testing::Surface data = steep_toe_example();
  SliceTable t;
  compute_first_estimate(data, t);
  EXPECT_NEAR(t.safety_factor, 0.402831, 5e-7);
  const double slice_3_before = t.resisting_force[2];

  const IterationOutcome outcome = iterate_simplified(data, t, kDefaultTolerance, 50);
  EXPECT_EQ(outcome.stop, IterationStop::m_factor_too_small);
  EXPECT_EQ(outcome.slice, 3);
  EXPECT_EQ(outcome.passes, 1);
  EXPECT_NEAR(t.m_factor[2], -3.2997, 5e-5);
  EXPECT_NEAR(reported_factor(t), 0.451372, 5e-7);
  EXPECT_NEAR(t.safety_factor, 0.402831, 5e-7);
  EXPECT_EQ(t.resisting_force[2], slice_3_before);
}

TEST(SimplifiedMethodTest, StopsAtSliceWithoutPositiveNormalForce) {
  // Worked example with pore_head 50 at sections 1 and 2: pass 1 stops at
  // slice 1, and the factor reported from the empty partial sum is 0.
  SliceTable t;
  IterationOutcome outcome = iterate(worked_example(50.0), t, kDefaultTolerance, 50);
  EXPECT_EQ(outcome.stop, IterationStop::no_positive_normal);
  EXPECT_EQ(outcome.slice, 1);
  EXPECT_EQ(reported_factor(t), 0.0);
  EXPECT_NEAR(t.safety_factor, 0.246417, 5e-7);

  // A normal force that is not a number stops the same way.
  testing::Surface data = worked_example();
  data.water_unit_weight = std::numeric_limits<double>::quiet_NaN();
  outcome = iterate(data, t, kDefaultTolerance, 50);
  EXPECT_EQ(outcome.stop, IterationStop::no_positive_normal);
  EXPECT_EQ(outcome.slice, 1);
}

TEST(SimplifiedMethodTest, AllowingTensionCarriesTheSliceOn) {
  // Pore head 50 puts slice 1 in tension; allowed, it lowers the resistance
  // instead of stopping the pass, and every pass covers both slices.
  SliceTable t;
  compute_first_estimate(worked_example(50.0), t);
  const IterationOutcome outcome =
      iterate_simplified(worked_example(50.0), t, kDefaultTolerance, 50, TensionRule::allow);
  EXPECT_EQ(outcome.stop, IterationStop::converged);
  EXPECT_GT(t.normal_force[0], 0.0);
  EXPECT_EQ(t.sum_resisting, t.resisting_force[0] + t.resisting_force[1]);
  EXPECT_EQ(reported_factor(t), t.safety_factor);

  // Without a slice in tension the rule changes nothing, bit for bit.
  SliceTable stopped;
  SliceTable allowed;
  EXPECT_EQ(iterate(worked_example(), stopped, kDefaultTolerance, 50).passes, 6);
  compute_first_estimate(worked_example(), allowed);
  EXPECT_EQ(iterate_simplified(worked_example(), allowed, kDefaultTolerance, 50, TensionRule::allow)
                .passes,
            6);
  EXPECT_EQ(allowed.safety_factor, stopped.safety_factor);
}

}  // namespace
}  // namespace method
