#include "slope/slicing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <vector>

#include "method/simplified_method.h"
#include "method/slices.h"
#include "slope/test_support.h"

// Allocations counted for the test that a warmed-up cut allocates nothing.
static std::size_t allocations = 0;  // NOLINT: this test binary's own counter

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// Not inlined: g++ would then see free() take what operator new returned
// and warn of a mismatch (-Wmismatched-new-delete) that is none.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace slope {
namespace {

using testing::circle;

// ---- An independent reckoning of the model, straight from its polylines ----

double level(const Polyline& line, double x) {
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    if (x >= line[i].x && x <= line[i + 1].x) {
      const double t = (x - line[i].x) / (line[i + 1].x - line[i].x);
      return line[i].y + t * (line[i + 1].y - line[i].y);
    }
  }
  return std::nan("");
}

bool inside(const Polyline& polygon, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point a = polygon[i];
    const Point b = polygon[j];
    if ((a.x > x) != (b.x > x) && y < a.y + (x - a.x) * (b.y - a.y) / (b.x - a.x)) in = !in;
  }
  return in;
}

const Soil& soil_at(const Model& m, double x, double y) {
  for (const Soil& s : m.soils) {
    if (!s.region.empty() && inside(s.region, x, y)) return s;
  }
  // The lowest top at or above the point; for a rounding sliver above the
  // ground, the top soil.
  const Soil* best = &m.soils.front();
  double best_top = 0.0;
  bool found = false;
  for (const Soil& s : m.soils) {
    if (s.top.empty()) continue;
    const double top = level(s.top, x);
    if (top >= y && (!found || top <= best_top)) {
      best = &s;
      best_top = top;
      found = true;
    }
  }
  return *best;
}

/// A straight line a x + b y + c = 0, the half-plane a x + b y + c >= 0.
struct HalfPlane {
  double a, b, c;
};

HalfPlane through(Point p, Point q) { return {q.y - p.y, p.x - q.x, q.x * p.y - p.x * q.y}; }

Polyline clip(const Polyline& polygon, HalfPlane h) {
  Polyline out;
  const auto side = [&](Point p) { return h.a * p.x + h.b * p.y + h.c; };
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point p = polygon[i];
    const Point q = polygon[(i + 1) % polygon.size()];
    const double sp = side(p);
    const double sq = side(q);
    if (sp >= 0) out.push_back(p);
    if ((sp > 0 && sq < 0) || (sp < 0 && sq > 0)) {
      const double t = sp / (sp - sq);
      out.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
    }
  }
  return out;
}

double area(const Polyline& polygon) {
  double twice = 0.0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point p = polygon[i];
    const Point q = polygon[(i + 1) % polygon.size()];
    twice += p.x * q.y - q.x * p.y;
  }
  return std::fabs(twice) / 2.0;
}

/// The weight of the slice between two sections: the quadrilateral under
/// the ground and over the chord, cut into convex cells by every model line
/// that passes over the slice's middle, each cell weighed with the unit
/// weight of the soil at its centre, saturated below the piezometric line.
double true_weight(const Model& m, const method::Section& s0, const method::Section& s1) {
  const method::Section& a = s0.x < s1.x ? s0 : s1;
  const method::Section& b = s0.x < s1.x ? s1 : s0;
  const double xm = 0.5 * (a.x + b.x);
  // Cells in coordinates from the slice's lower left corner keep the
  // shoelace sums free of cancellation.
  const Point o{a.x, a.slip_level};
  std::vector<HalfPlane> lines;
  const auto add_segment_over = [&](const Polyline& line, bool closed) {
    const std::size_t n = line.size();
    for (std::size_t i = 0; i + (closed ? 0 : 1) < n; ++i) {
      const Point p = line[i];
      const Point q = line[(i + 1) % n];
      if (std::min(p.x, q.x) < xm && xm < std::max(p.x, q.x)) {
        lines.push_back(through({p.x - o.x, p.y - o.y}, {q.x - o.x, q.y - o.y}));
      }
    }
  };
  for (const Soil& s : m.soils) {
    add_segment_over(s.top, false);
    add_segment_over(s.region, true);
  }
  add_segment_over(m.piezometric_line, false);

  std::vector<Polyline> cells{{{0, 0},
                               {b.x - o.x, b.slip_level - o.y},
                               {b.x - o.x, b.ground_level - o.y},
                               {0, a.ground_level - o.y}}};
  for (const HalfPlane& h : lines) {
    std::vector<Polyline> next;
    for (const Polyline& cell : cells) {
      for (const HalfPlane& side : {h, HalfPlane{-h.a, -h.b, -h.c}}) {
        Polyline part = clip(cell, side);
        if (part.size() >= 3 && area(part) > 0.0) next.push_back(std::move(part));
      }
    }
    cells = std::move(next);
  }
  double weight = 0.0;
  for (const Polyline& cell : cells) {
    Point centre = o;
    for (const Point& p : cell) {
      centre.x += p.x / static_cast<double>(cell.size());
      centre.y += p.y / static_cast<double>(cell.size());
    }
    const Soil& soil = soil_at(m, centre.x, centre.y);
    const bool wet = centre.y < level(m.piezometric_line, centre.x);
    weight += area(cell) * (wet ? soil.saturated_unit_weight : soil.unit_weight);
  }
  return weight;
}

// ---- Models ----

Soil layer(double unit_weight, double saturated, double cohesion, double phi, Polyline top) {
  Soil s;
  s.unit_weight = unit_weight;
  s.saturated_unit_weight = saturated;
  s.cohesion = cohesion;
  s.friction_angle = phi;
  s.top = std::move(top);
  return s;
}

/// Three layers, the middle one pinching out under the toe (its top joins
/// the lowest top from x = 100), a piezometric line that crosses the tops
/// and rises above the ground at the toe, optionally a lens (a region) that
/// straddles two tops, and two strip loads.
Model layered_slope(bool lens) {
  Model m;
  m.water_unit_weight = 9.81;
  m.ground = {{0, 50}, {40, 50}, {100, 20}, {160, 20}};
  m.soils.push_back(layer(18, 20.5, 5, 30, m.ground));
  m.soils.push_back(layer(19, 21, 10, 25, {{0, 40}, {50, 35}, {100, 10}, {160, 10}}));
  m.soils.push_back(layer(20, 22, 0, 35, {{0, 30}, {70, 22}, {100, 10}, {160, 10}}));
  if (lens) {
    Soil s;
    s.unit_weight = 16;
    s.saturated_unit_weight = 17;
    s.cohesion = 2;
    s.friction_angle = 20;
    s.region = {{60, 30}, {80, 27}, {85, 18}, {65, 21}};
    m.soils.push_back(s);
  }
  m.piezometric_line = {{0, 45}, {50, 36}, {100, 19}, {130, 20}, {160, 20}};
  m.loads = {{10, 30, 15, 15}, {120, 150, 5, 12}};
  return m;
}

// ---- Tests ----

TEST(SlicingTest, WeightsAreExactAreaIntegrals) {
  for (const bool lens : {false, true}) {
    const Model model = layered_slope(lens);
    Cutter cutter(model);
    Cut cut;
    method::SliceTable table;
    std::mt19937 random(lens ? 7 : 3);
    std::uniform_real_distribution<double> xc(30, 150), yc(30, 110), radius(10, 110);
    int cuts = 0;
    for (int trial = 0; trial < 600; ++trial) {
      const double x = xc(random);
      const double y = yc(random);
      if (cutter.cut(circle(x, y, radius(random)), 30, cut) != SurfaceProblem::none) continue;
      ++cuts;
      method::compute_first_estimate(cut.surface(), table);
      for (std::size_t i = 0; i + 1 < cut.sections.size(); ++i) {
        const double expected = true_weight(model, cut.sections[i], cut.sections[i + 1]);
        ASSERT_NEAR(table.weight[i], expected, 1e-12 * expected)
            << "lens " << lens << ", trial " << trial << ", slice " << i + 1;
      }
    }
    EXPECT_GT(cuts, 100) << "too few admissible circles to say much";
  }
}

TEST(SlicingTest, OneSoilGivesTheSectionsOfTheBandIntegration) {
  // A model of one soil skips the weighing band by band. The same soil over
  // a second, identical layer far below every circle is weighed band by band
  // and must give the same sections, bit for bit, dry and with ru, loaded.
  for (const double ru : {0.0, 0.25}) {
    Model one = testing::published_slope(ru);
    one.loads = {{70, 110, 250, 250}};
    Model two = one;
    two.soils = {one.soils[0], one.soils[0]};
    two.soils[1].top = {{0, -1e6}, {200, -1e6}};
    Cutter one_cutter(one);
    Cutter two_cutter(two);
    Cut one_cut;
    Cut two_cut;
    std::mt19937 random(11);
    std::uniform_real_distribution<double> xc(80, 180), yc(40, 140), radius(10, 120);
    int cuts = 0;
    for (int trial = 0; trial < 1500; ++trial) {
      const SlipSurface surface = circle(xc(random), yc(random), radius(random));
      const SurfaceProblem problem = one_cutter.cut(surface, 40, one_cut);
      ASSERT_EQ(two_cutter.cut(surface, 40, two_cut), problem) << "trial " << trial;
      if (problem != SurfaceProblem::none) continue;
      ++cuts;
      ASSERT_EQ(one_cut.sections.size(), two_cut.sections.size()) << "trial " << trial;
      // Sections hold doubles only: equal bytes are equal bits.
      ASSERT_EQ(std::memcmp(one_cut.sections.data(), two_cut.sections.data(),
                            one_cut.sections.size() * sizeof(method::Section)),
                0)
          << "ru " << ru << ", trial " << trial;
    }
    EXPECT_GT(cuts, 100) << "too few admissible circles to say much";
  }
}

/// Checks that hold for every cut: sections strictly monotone from head to
/// toe (the higher end), none wider than (exit - entry) / N, the surface on
/// the ground at both ends and below it between them, the sections' levels
/// those of the model and of the surface, and the soil values those of the
/// soil at the middle of each base.
void expect_sound(const Model& model, const SlipSurface& surface, const Cut& cut, int n) {
  const auto& s = cut.sections;
  ASSERT_GE(s.size(), static_cast<std::size_t>(n) + 1);
  EXPECT_GE(cut.entry.y, cut.exit.y);
  EXPECT_EQ(s.front().x, cut.entry.x);
  EXPECT_EQ(s.back().x, cut.exit.x);
  EXPECT_EQ(s.front().slip_level, s.front().ground_level);
  EXPECT_EQ(s.back().slip_level, s.back().ground_level);
  const double direction = cut.exit.x > cut.entry.x ? 1.0 : -1.0;
  const double max_width = std::fabs(cut.exit.x - cut.entry.x) / n;
  double loads = 0.0;
  for (std::size_t k = 0; k < s.size(); ++k) {
    const double x = s[k].x;
    EXPECT_NEAR(s[k].ground_level, level(model.ground, x), 1e-12 * 60);
    EXPECT_LE(s[k].slip_level, s[k].ground_level + 1e-12);
    const Circle& c = surface.circle;
    const auto arc = [&c](double at) {
      return c.yc - std::sqrt(c.radius * c.radius - (at - c.xc) * (at - c.xc));
    };
    if (surface.kind == SlipSurface::Kind::circle && k > 0 && k + 1 < s.size()) {
      EXPECT_NEAR(s[k].slip_level, arc(x), 1e-9);
    }
    if (k + 1 == s.size()) break;
    if (surface.kind == SlipSurface::Kind::circle) {
      // A base never crosses a soil top or the piezometric line inside its
      // slice: sections stand at those crossings.
      std::vector<const Polyline*> lines{&model.piezometric_line};
      for (const Soil& soil : model.soils) lines.push_back(&soil.top);
      for (const Polyline* line : lines) {
        if (line->empty()) continue;
        int below = 0;
        int above = 0;
        for (int q = 1; q < 8; ++q) {
          const double xq = x + (s[k + 1].x - x) * q / 8.0;
          const double d = level(*line, xq) - arc(xq);
          below += d > 1e-9;
          above += d < -1e-9;
        }
        EXPECT_TRUE(below == 0 || above == 0) << "slice " << k + 1;
      }
    }
    const double width = (s[k + 1].x - x) * direction;
    EXPECT_GT(width, 0.0);
    EXPECT_LE(width, max_width * (1 + 1e-12));
    const double xm = 0.5 * (x + s[k + 1].x);
    const Soil& base = soil_at(model, xm, 0.5 * (s[k].slip_level + s[k + 1].slip_level));
    EXPECT_EQ(s[k].cohesion, base.cohesion) << "slice " << k + 1;
    EXPECT_EQ(s[k].tan_phi, method::tan_phi_of(base.friction_angle));
    loads += s[k].vertical_load * width;
  }
  double expected_loads = 0.0;
  const double lo = std::min(cut.entry.x, cut.exit.x);
  const double hi = std::max(cut.entry.x, cut.exit.x);
  for (const Load& load : model.loads) {
    // A straight load over the part inside the mass: its mean times its width.
    const double a = std::max(lo, load.from);
    const double b = std::min(hi, load.to);
    if (b > a) expected_loads += 0.5 * (load.at(a) + load.at(b)) * (b - a);
  }
  EXPECT_NEAR(loads, expected_loads, 1e-9 * (1 + expected_loads));
}

TEST(SlicingTest, SectionsAreSoundForCirclesAndPolylines) {
  const Model model = layered_slope(true);
  Cutter cutter(model);
  Cut cut;
  const SlipSurface surfaces[] = {
      circle(90, 70, 55), circle(75, 95, 75), circle(110, 50, 35),
      testing::polyline({{10, 60}, {45, 30}, {70, 12}, {110, 11}, {140, 25}})};
  for (const SlipSurface& surface : surfaces) {
    for (const int n : {1, 7, 50, 149}) {
      ASSERT_EQ(cutter.cut(surface, n, cut), SurfaceProblem::none);
      expect_sound(model, surface, cut, n);
    }
  }
}

TEST(SlicingTest, WaterAtTheSections) {
  // Piezometric line: the head is its height above the surface, the lower
  // zone that height within the slice.
  const Model wet = layered_slope(false);
  Cutter cutter(wet);
  Cut cut;
  ASSERT_EQ(cutter.cut(circle(90, 70, 55), 40, cut), SurfaceProblem::none);
  for (const method::Section& s : cut.sections) {
    const double above = level(wet.piezometric_line, s.x) - s.slip_level;
    EXPECT_NEAR(s.pore_head, std::max(above, 0.0), 1e-12);
    EXPECT_NEAR(s.lower_height, std::clamp(above, 0.0, s.ground_level - s.slip_level), 1e-12);
  }

  // Pore-pressure ratios: ru of the soil at the point times the weight of
  // the column above it over the unit weight of water.
  Model ratios = layered_slope(false);
  ratios.piezometric_line.clear();
  ratios.soils[0].ru = 0.1;
  ratios.soils[1].ru = 0.2;
  ratios.soils[2].ru = 0.3;
  Cutter ru_cutter(ratios);
  ASSERT_EQ(ru_cutter.cut(circle(90, 70, 55), 40, cut), SurfaceProblem::none);
  for (const method::Section& s : cut.sections) {
    // Layers from the ground down: soil 0 above the top of soil 1, and so on.
    const double tops[] = {s.ground_level, level(ratios.soils[1].top, s.x),
                           level(ratios.soils[2].top, s.x), s.slip_level};
    double column = 0.0;
    for (int k = 0; k < 3; ++k) {
      const double from = std::max(tops[k + 1], s.slip_level);
      column +=
          std::max(0.0, tops[k] - from) * ratios.soils[static_cast<std::size_t>(k)].unit_weight;
    }
    const double ru = soil_at(ratios, s.x, s.slip_level).ru;
    EXPECT_NEAR(s.pore_head, ru * column / 9.81, 1e-9) << "x " << s.x;
    EXPECT_EQ(s.lower_height, 0.0);
  }
}

struct Factors {
  double ordinary = 0.0;
  double simplified = 0.0;
  method::IterationOutcome strict;  ///< with TensionRule::stop
};

Factors factors(const Cut& cut) {
  Factors f;
  method::SliceTable table;
  method::compute_ordinary(cut.surface(), method::PoreForce::base_length, table);
  f.ordinary = table.safety_factor;
  method::compute_first_estimate(cut.surface(), table);
  const method::IterationOutcome allow = method::iterate_simplified(
      cut.surface(), table, method::kDefaultTolerance, 50, method::TensionRule::allow);
  EXPECT_EQ(allow.stop, method::IterationStop::converged);
  f.simplified = table.safety_factor;
  method::compute_first_estimate(cut.surface(), table);
  f.strict = method::iterate_simplified(cut.surface(), table, method::kDefaultTolerance, 50,
                                        method::TensionRule::stop);
  return f;
}

TEST(SlicingTest, PublishedCircle) {
  // Published factors for the simple slope and circle (120, 90), radius 80:
  // ordinary method 1.928 dry and 1.607 with ru 0.25, simplified method
  // 2.080 and 1.766.
  struct Expected {
    double ru, ordinary, simplified;
  };
  for (const Expected e : {Expected{0.0, 1.928, 2.080}, Expected{0.25, 1.607, 1.766}}) {
    const Model model = testing::published_slope(e.ru);
    Cutter cutter(model);
    Cut cut;
    for (const int n : {50, 100}) {
      ASSERT_EQ(cutter.cut(testing::published_circle(), n, cut), SurfaceProblem::none);
      expect_sound(model, testing::published_circle(), cut, n);
      // One soil fills every slice: its unit weight is written as it is.
      for (const method::Section& s : cut.sections) EXPECT_EQ(s.upper_unit_weight, 120.0);
      const Factors f = factors(cut);
      EXPECT_NEAR(f.ordinary, e.ordinary, 0.005 * e.ordinary) << "ru " << e.ru << ", N " << n;
      EXPECT_NEAR(f.simplified, e.simplified, 0.005 * e.simplified) << "ru " << e.ru << ", N " << n;
      // The steep head slice has no positive normal force in the first pass
      // of the simplified method, so the strict rule stops there.
      EXPECT_EQ(f.strict.stop, method::IterationStop::no_positive_normal);
      EXPECT_EQ(f.strict.slice, 1);
      EXPECT_EQ(f.strict.passes, 1);
    }
  }
}

TEST(SlicingTest, SlopeFacingLeftIsTheMirrorOfOneFacingRight) {
  const Model right = layered_slope(true);
  const Model left = testing::mirrored(right, 160);
  Cutter cut_right(right);
  Cutter cut_left(left);
  Cut a;
  Cut b;
  for (const Circle c : {Circle{90, 70, 55}, Circle{75, 95, 75}}) {
    ASSERT_EQ(cut_right.cut(circle(c.xc, c.yc, c.radius), 50, a), SurfaceProblem::none);
    ASSERT_EQ(cut_left.cut(circle(160 - c.xc, c.yc, c.radius), 50, b), SurfaceProblem::none);
    ASSERT_EQ(a.sections.size(), b.sections.size());
    EXPECT_LT(a.entry.x, a.exit.x);
    EXPECT_GT(b.entry.x, b.exit.x);
    for (std::size_t k = 0; k < a.sections.size(); ++k) {
      const method::Section& p = a.sections[k];
      const method::Section& q = b.sections[k];
      EXPECT_NEAR(q.x, 160 - p.x, 1e-12);
      EXPECT_NEAR(q.slip_level, p.slip_level, 1e-9);
      EXPECT_NEAR(q.pore_head, p.pore_head, 1e-9);
      EXPECT_EQ(q.cohesion, p.cohesion);
      EXPECT_EQ(q.vertical_load, p.vertical_load);
    }
    const Factors fa = factors(a);
    const Factors fb = factors(b);
    EXPECT_NEAR(fb.ordinary, fa.ordinary, 1e-9);
    EXPECT_NEAR(fb.simplified, fa.simplified, 1e-9);
  }
}

TEST(SlicingTest, WarmCutsAllocateNothing) {
  const Model model = layered_slope(true);
  Model ratios_model = layered_slope(true);
  ratios_model.piezometric_line.clear();
  ratios_model.soils[1].ru = 0.2;
  const Model& ratios = ratios_model;
  const SlipSurface surfaces[] = {
      circle(90, 70, 55), circle(75, 95, 75), circle(110, 50, 35), circle(20, 20, 5),
      testing::polyline({{10, 60}, {45, 30}, {70, 12}, {110, 11}, {140, 25}})};
  for (const Model* m : {&model, &ratios}) {
    Cutter cutter(*m);
    Cut cut;
    for (const SlipSurface& surface : surfaces) (void)cutter.cut(surface, 60, cut);
    const std::size_t before = allocations;
    for (const SlipSurface& surface : surfaces) {
      for (const int n : {60, 20, 1}) (void)cutter.cut(surface, n, cut);
    }
    EXPECT_EQ(allocations, before);
  }
}

}  // namespace
}  // namespace slope
