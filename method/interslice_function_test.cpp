#include "method/interslice_function.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace method {
namespace {

TEST(IntersliceFunctionTest, ShapesTakeTheirEndsAndCrest) {
  IntersliceFunction clipped(Interslice::clipped_sine);
  clipped.head = 0.3;
  clipped.toe = 0.7;
  IntersliceFunction trapezoid(Interslice::trapezoidal);
  trapezoid.head = 0.2;
  IntersliceFunction points(Interslice::points);
  points.nodes[0] = {0.2, 0.5};
  points.nodes[1] = {0.6, 1.0};
  points.node_count = 2;
  EXPECT_NEAR(clipped.at(0.0), 0.3, 1e-15);
  EXPECT_NEAR(clipped.at(1.0), 0.7, 1e-15);
  EXPECT_DOUBLE_EQ(trapezoid.at(0.0), 0.2);
  EXPECT_DOUBLE_EQ(trapezoid.at(0.5), 1.0);
  EXPECT_DOUBLE_EQ(trapezoid.at(1.0), 0.0);
  EXPECT_DOUBLE_EQ(points.at(0.0), 0.5);  // level beyond the end points
  EXPECT_DOUBLE_EQ(points.at(0.4), 0.75);
  EXPECT_DOUBLE_EQ(points.at(1.0), 1.0);
  // A sine clipped at 0 at both ends is the half sine; its default ends are
  // 1/2 and its crest stays 1.
  IntersliceFunction unclipped(Interslice::clipped_sine);
  const IntersliceFunction half(Interslice::half_sine);
  double crest = 0.0;
  for (int k = 0; k <= 100; ++k) crest = std::max(crest, unclipped.at(k / 100.0));
  EXPECT_NEAR(unclipped.at(0.0), 0.5, 1e-15);
  EXPECT_NEAR(crest, 1.0, 1e-3);
  unclipped.head = unclipped.toe = 0.0;
  for (const double x : {0.1, 0.37, 0.5, 0.9}) EXPECT_DOUBLE_EQ(unclipped.at(x), half.at(x));
}

TEST(IntersliceFunctionTest, FaultsNameWhatIsWrong) {
  EXPECT_TRUE(interslice_fault(IntersliceFunction(Interslice::clipped_sine)).empty());
  IntersliceFunction f(Interslice::clipped_sine);
  f.toe = 1.0;
  EXPECT_EQ(interslice_fault(f), "the ends of a clipped sine lie in [0, 1)");
  f = IntersliceFunction(Interslice::trapezoidal);
  f.head = std::nan("");
  EXPECT_EQ(interslice_fault(f), "the ends lie in [0, 1]");
  f = IntersliceFunction(Interslice::points);
  EXPECT_EQ(interslice_fault(f), "at least one point is needed");
  f.node_count = 2;
  f.nodes[0] = {0.5, 0.5};
  f.nodes[1] = {0.5, 1.0};
  EXPECT_EQ(interslice_fault(f), "the points' x increase strictly");
  f.nodes[1] = {0.7, 1.5};
  EXPECT_EQ(interslice_fault(f), "each point's f lies in [0, 1]");
}

}  // namespace
}  // namespace method
