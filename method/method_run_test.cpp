#include "method/method_run.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <set>
#include <string_view>

#include "method/test_support.h"

namespace method {
namespace {

using testing::steep_toe_example;
using testing::worked_example;

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

TEST(MethodRunTest, TableNamesEveryMethodOnce) {
  std::set<std::string_view> names;
  for (const MethodEntry& entry : kMethods) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_FALSE(entry.name.empty());
    EXPECT_EQ(method_name(entry.method), entry.name);
  }
}

// Whatever the surface and settings, the two stages with a look at the table
// between them give the same bits as one run: the search's early exit cannot
// change a factor.
TEST(MethodRunTest, StagesGiveTheBitsOfOneRun) {
  const testing::Surface surfaces[] = {worked_example(), worked_example(12.0), steep_toe_example()};
  for (const MethodEntry& entry : kMethods) {
    for (const TensionRule tension : {TensionRule::stop, TensionRule::allow}) {
      for (const PoreForce pore_force : {PoreForce::base_width, PoreForce::base_length}) {
        MethodSettings settings;
        settings.method = entry.method;
        settings.tension = tension;
        settings.pore_force = pore_force;
        for (const testing::Surface& surface : surfaces) {
          SliceTable staged;
          start_method(surface, settings, staged);
          const MethodResult two = finish_method(surface, settings, staged);
          const MethodRun one = run_method(surface, settings);
          EXPECT_EQ(two.method, entry.method);
          EXPECT_EQ(two.status, one.result.status);
          EXPECT_EQ(two.stop, one.result.stop);
          EXPECT_EQ(two.passes, one.result.passes);
          EXPECT_EQ(two.slice, one.result.slice);
          EXPECT_EQ(bits(two.factor), bits(one.result.factor));
        }
      }
    }
  }
}

TEST(MethodRunTest, ResultsSayHowEachMethodEnded) {
  MethodSettings simplified;
  const MethodRun converged = run_method(worked_example(), simplified);
  EXPECT_EQ(converged.result.status, RunStatus::converged);
  EXPECT_EQ(converged.result.passes, 6);
  EXPECT_NEAR(converged.result.factor, 1.39536, 5e-6);
  EXPECT_TRUE(converged.friction_dropped.empty());

  // A stop leaves no factor, though the table holds the partial sums.
  const MethodRun stopped = run_method(steep_toe_example(), simplified);
  EXPECT_EQ(stopped.result.status, RunStatus::stopped);
  EXPECT_EQ(stopped.result.stop, IterationStop::m_factor_too_small);
  EXPECT_EQ(stopped.result.slice, 3);
  EXPECT_FALSE(stopped.result.has_factor());

  simplified.iteration_limit = 2;
  const MethodRun limited = run_method(worked_example(), simplified);
  EXPECT_EQ(limited.result.status, RunStatus::no_convergence);
  EXPECT_FALSE(limited.result.has_factor());

  // A pore head above the weight of slice 1: the ordinary method drops its
  // friction and says so.
  MethodSettings ordinary;
  ordinary.method = Method::ordinary;
  const MethodRun closed = run_method(worked_example(12.0), ordinary);
  EXPECT_EQ(closed.result.status, RunStatus::closed_form);
  EXPECT_EQ(closed.result.passes, 1);
  EXPECT_EQ(closed.friction_dropped, (std::vector<std::int32_t>{1}));
}

// Pore head 50 at sections 1 and 2 puts both slices of the worked example in
// tension: a run that carries them on names both, a run that stops at the
// first names that one, and the ordinary method drops the friction of the
// very slices it names. The plain worked example has none.
TEST(MethodRunTest, RunsNameTheSlicesInTension) {
  const testing::Surface wet = worked_example(50.0);
  const std::vector<std::int32_t> both{1, 2};
  MethodSettings settings;
  settings.tension = TensionRule::stop;
  EXPECT_EQ(run_method(wet, settings).tension_slices, (std::vector<std::int32_t>{1}));
  EXPECT_TRUE(run_method(worked_example(), settings).tension_slices.empty());
  settings.tension = TensionRule::allow;
  EXPECT_EQ(run_method(wet, settings).tension_slices, both);
  EXPECT_TRUE(run_method(worked_example(), settings).tension_slices.empty());
  settings.method = Method::ordinary;
  const MethodRun ordinary = run_method(wet, settings);
  EXPECT_EQ(ordinary.tension_slices, both);
  EXPECT_EQ(ordinary.friction_dropped, ordinary.tension_slices);
  // No pass made: the table holds the first estimate, which clamps tension.
  settings.method = Method::simplified;
  settings.iteration_limit = 0;
  EXPECT_TRUE(run_method(wet, settings).tension_slices.empty());
}

// A level base drives nothing: every method says so instead of giving an
// infinite factor or, for the iteration, running out of passes.
TEST(MethodRunTest, NoDrivingForceIsSaidByEveryMethod) {
  const testing::Surface level =
      testing::make_surface(9.81, {{0, 10, 5, 1, 1, 20, 18, 10, 30, 0},
                                   {4, 9, 5, 1, 1, 20, 18, 10, 30, 0},
                                   {8, 6, 5, 0.5, 0.5, 20, 18, 10, 30, 0}});
  for (const MethodEntry& entry : kMethods) {
    MethodSettings settings;
    settings.method = entry.method;
    const MethodResult result = run_method(level, settings).result;
    EXPECT_EQ(result.status, RunStatus::no_driving_force) << entry.name;
    EXPECT_FALSE(result.has_factor()) << entry.name;
  }
}

}  // namespace
}  // namespace method
