#include "method/slices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "method/test_support.h"

namespace method {
namespace {

using testing::make_surface;
using testing::mirrored_worked_example;
using testing::worked_example;

// Reference values of the three-section worked example, given to
// six significant digits; 5e-4 covers their rounding.
constexpr double kSixDigits = 5e-4;

TEST(FirstEstimateTest, WorkedExample) {
  SliceTable t;
  compute_first_estimate(worked_example(), t);
  ASSERT_EQ(t.slice_count, 2);

  EXPECT_EQ(t.width[0], 4.0);
  EXPECT_EQ(t.mean_height[0], 6.0);
  EXPECT_EQ(t.base_slope[0], -0.75);
  EXPECT_NEAR(t.base_sin[0], -0.6, 1e-15);
  EXPECT_NEAR(t.base_cos[0], 0.8, 1e-15);
  EXPECT_NEAR(t.weight[0], 440.0, 1e-12);
  EXPECT_NEAR(t.driving_force[0], 264.0, 1e-12);
  EXPECT_NEAR(t.normal_force[0], 312.76, kSixDigits);
  EXPECT_NEAR(t.cohesion_force[0], -50.0, 1e-12);
  EXPECT_NEAR(t.resisting_force[0], -230.572, kSixDigits);
  EXPECT_NEAR(t.net_force[0], 33.4279, kSixDigits);

  EXPECT_EQ(t.width[1], 4.0);
  EXPECT_EQ(t.mean_height[1], 6.0);
  EXPECT_EQ(t.mean_lower_height[1], 0.75);
  EXPECT_EQ(t.base_slope[1], -0.25);
  EXPECT_NEAR(t.weight[1], 438.0, 1e-12);
  EXPECT_NEAR(t.driving_force[1], 106.231, kSixDigits);
  EXPECT_NEAR(t.normal_force[1], 395.492, kSixDigits);
  EXPECT_NEAR(t.cohesion_force[1], -41.2311, kSixDigits);
  EXPECT_NEAR(t.resisting_force[1], -269.569, kSixDigits);

  EXPECT_NEAR(t.sum_resisting, -500.141, kSixDigits);
  EXPECT_NEAR(t.sum_driving, 370.231, kSixDigits);
  EXPECT_NEAR(t.safety_factor, 1.35089, 5e-6);
  EXPECT_EQ(reported_factor(t), t.safety_factor);
  // A load field of 0 is held negated, so the load is a negative zero.
  EXPECT_TRUE(std::signbit(t.load[0]));
}

TEST(FirstEstimateTest, PoreForceAboveWeightClampsNormalForceToZero) {
  // Worked example with pore_head 50 at sections 1 and 2; first estimate
  // 0.246417 in the reference values of the worked example.
  SliceTable t;
  compute_first_estimate(worked_example(50.0), t);
  EXPECT_EQ(t.normal_force[0], 0.0);
  EXPECT_EQ(t.resisting_force[0], t.cohesion_force[0]);
  EXPECT_NEAR(t.safety_factor, 0.246417, 5e-6);
}

TEST(FirstEstimateTest, DegenerateSlopes) {
  SliceTable t;
  // A horizontal base drives nothing; the driving term is a negative zero.
  compute_first_estimate(
      make_surface(9.81, {{0, 5, 0, 0, 0, 20, 18, 10, 30, 0}, {2, 5, 0, 0, 0, 20, 18, 10, 30, 0}}),
      t);
  EXPECT_EQ(t.base_cos[0], 1.0);
  EXPECT_EQ(t.driving_force[0], 0.0);
  EXPECT_TRUE(std::signbit(t.driving_force[0]));
  EXPECT_TRUE(std::isinf(t.safety_factor));

  // One section makes no slice: both sums stay 0 and the factor is 0 / 0.
  compute_first_estimate(make_surface(9.81, {{0, 5, 0, 0, 0, 20, 18, 10, 30, 0}}), t);
  EXPECT_EQ(t.slice_count, 0);
  EXPECT_EQ(t.sum_driving, 0.0);
  EXPECT_TRUE(std::isnan(t.safety_factor));
}

TEST(OrdinaryMethodTest, WorkedExampleBothPoreForceOptions) {
  SliceTable t;
  compute_ordinary(worked_example(), PoreForce::base_width, t);
  EXPECT_NEAR(t.normal_force[0], 312.76, kSixDigits);
  EXPECT_NEAR(t.normal_force[1], 395.492, kSixDigits);
  EXPECT_NEAR(t.resisting_force[0], -230.572, kSixDigits);
  EXPECT_NEAR(t.resisting_force[1], -269.569, kSixDigits);
  EXPECT_NEAR(t.sum_resisting, -500.141, kSixDigits);
  EXPECT_NEAR(t.sum_driving, 370.231, kSixDigits);
  EXPECT_NEAR(reported_factor(t), 1.35089, 5e-6);
  EXPECT_FALSE(t.normal_not_positive[0] || t.normal_not_positive[1]);

  compute_ordinary(worked_example(), PoreForce::base_length, t);
  EXPECT_NEAR(t.normal_force[0], 302.95, kSixDigits);
  EXPECT_NEAR(t.normal_force[1], 394.587, kSixDigits);
  EXPECT_NEAR(t.resisting_force[0], -224.908, kSixDigits);
  EXPECT_NEAR(t.resisting_force[1], -269.046, kSixDigits);
  EXPECT_NEAR(t.net_force[0], 39.0917, kSixDigits);
  EXPECT_NEAR(t.net_force[1], -162.815, kSixDigits);
  EXPECT_NEAR(t.sum_resisting, -493.954, kSixDigits);
  EXPECT_NEAR(reported_factor(t), 1.33418, 5e-6);
}

TEST(OrdinaryMethodTest, NonPositiveNormalForceDropsFriction) {
  // Worked example with pore_head 12 at sections 1 and 2.
  SliceTable t;
  compute_ordinary(worked_example(12.0), PoreForce::base_width, t);
  EXPECT_NEAR(t.normal_force[0], -118.88, kSixDigits);
  EXPECT_TRUE(t.normal_not_positive[0]);
  EXPECT_EQ(t.friction_force[0], 0.0);
  EXPECT_NEAR(t.resisting_force[0], -50.0, 1e-12);
  EXPECT_NEAR(t.net_force[0], 214.0, 1e-12);
  EXPECT_FALSE(t.normal_not_positive[1]);
  EXPECT_EQ(t.mean_pore_head[1], 6.25);
  EXPECT_NEAR(t.normal_force[1], 179.672, kSixDigits);
  EXPECT_NEAR(t.resisting_force[1], -144.965, kSixDigits);
  EXPECT_NEAR(t.sum_resisting, -194.965, kSixDigits);
  EXPECT_NEAR(reported_factor(t), 0.526604, 5e-7);

  compute_ordinary(worked_example(12.0), PoreForce::base_length, t);
  EXPECT_NEAR(t.normal_force[0], -236.6, kSixDigits);
  EXPECT_TRUE(t.normal_not_positive[0]);
  EXPECT_NEAR(reported_factor(t), 0.514834, 5e-7);

  // A normal force that is not a number is not positive either.
  testing::Surface data = worked_example();
  data.water_unit_weight = std::numeric_limits<double>::quiet_NaN();
  compute_ordinary(data, PoreForce::base_width, t);
  EXPECT_TRUE(t.normal_not_positive[0]);
  EXPECT_TRUE(t.normal_not_positive[1]);
  EXPECT_EQ(t.friction_force[0], 0.0);
  EXPECT_NEAR(t.sum_resisting, -91.2311, kSixDigits);
}

TEST(OrdinaryMethodTest, MirroredSlopeKeepsPositiveWidths) {
  // Taking the signed width would make both weights negative and give 0.246417
  // for the mirrored slope; with the unsigned width it is the same slope.
  SliceTable forward;
  SliceTable mirrored;
  compute_ordinary(worked_example(), PoreForce::base_width, forward);
  compute_ordinary(mirrored_worked_example(), PoreForce::base_width, mirrored);
  for (std::size_t s = 0; s < 2; ++s) {
    EXPECT_EQ(mirrored.width[s], 4.0);
    EXPECT_EQ(mirrored.weight[s], forward.weight[s]);
    EXPECT_EQ(mirrored.normal_force[s], forward.normal_force[s]);
    EXPECT_EQ(mirrored.cohesion_force[s], forward.cohesion_force[s]);
    EXPECT_EQ(mirrored.net_force[s], forward.net_force[s]);
    EXPECT_FALSE(mirrored.normal_not_positive[s]);
  }
  EXPECT_EQ(reported_factor(mirrored), reported_factor(forward));
  EXPECT_NEAR(reported_factor(mirrored), 1.35089, 5e-6);

  // The first estimate of the simplified method is direction-free as well.
  compute_first_estimate(mirrored_worked_example(), mirrored);
  EXPECT_NEAR(mirrored.safety_factor, 1.35089, 5e-6);
}

}  // namespace
}  // namespace method
