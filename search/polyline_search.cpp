#include "search/polyline_search.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "text/number_text.h"

namespace search {
namespace {

constexpr std::array<std::uint32_t, 24> kPrimes{2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37,
                                                41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89};

// The index's coordinate in dimension `d` of the Halton sequence, in [0, 1).
double halton(std::uint64_t index, std::size_t d) {
  const std::uint32_t base = kPrimes[d];
  const double inverse = 1.0 / base;
  double f = inverse;
  double r = 0.0;
  for (std::uint64_t n = index + 1; n > 0; n /= base) {
    r += f * static_cast<double>(n % base);
    f *= inverse;
  }
  return r;
}

// Where the ray from p in direction (dx, dy) first meets the ground.
bool ray_to_ground(const slope::Polyline& ground, slope::Point p, double dx, double dy,
                   slope::Point& hit) {
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t k = 0; k + 1 < ground.size(); ++k) {
    const slope::Point a = ground[k];
    const slope::Point b = ground[k + 1];
    const double ex = b.x - a.x;
    const double ey = b.y - a.y;
    const double det = dx * (-ey) - dy * (-ex);
    if (det == 0.0) continue;
    const double rx = a.x - p.x;
    const double ry = a.y - p.y;
    const double t = (rx * (-ey) - ry * (-ex)) / det;
    const double u = (dx * ry - dy * rx) / det;
    if (t > 0.0 && u >= 0.0 && u <= 1.0 && t < best) best = t;
  }
  if (!std::isfinite(best)) return false;
  hit = {p.x + best * dx, p.y + best * dy};
  return true;
}

// Ends of a trial lie a hair above the ground, so that the cut finds where
// it enters the ground rather than an end below it by rounding.
double above(double level) { return level + 1e-9 * (1.0 + std::fabs(level)); }

}  // namespace

std::optional<PolylineLimits> default_path_limits(const slope::Model& model,
                                                  std::optional<slope::Face> face) {
  const slope::SlopeFace f =
      face ? slope::find_face(model.ground, *face) : slope::higher_face(model.ground);
  if (!(f.height > 0.0)) return std::nullopt;
  const double back = f.crest.x > f.toe.x ? 1.0 : -1.0;  // from the toe towards the crest
  const double lo = model.ground.front().x;
  const double hi = model.ground.back().x;
  const auto clamp = [&](double x) { return std::clamp(x, lo, hi); };
  PolylineLimits limits;
  limits.kind = SurfaceKind::path;
  limits.head_from = clamp(f.crest.x);
  limits.head_to = clamp(f.crest.x + back * 1.5 * f.height);
  limits.toe_from = clamp(f.toe.x - back * 0.5 * f.height);
  limits.toe_to = clamp(0.5 * (f.toe.x + f.crest.x));
  limits.bottom = f.toe.y - f.height;
  return limits;
}

std::string limits_fault(const slope::Model& model, const PolylineLimits& limits) {
  const double lo = model.ground.front().x;
  const double hi = model.ground.back().x;
  const auto inside = [&](double x) { return std::isfinite(x) && x >= lo && x <= hi; };
  if (limits.trials < 1 || limits.trials > kMaxPolylineTrials) {
    return "the number of trials lies from 1 to " + text::shortest(double(kMaxPolylineTrials));
  }
  if (!(limits.max_angle > 0.0 && limits.max_angle <= 180.0)) {
    return "the largest turn at a vertex lies above 0 and up to 180 degrees";
  }
  if (limits.kind == SurfaceKind::path) {
    if (!(inside(limits.head_from) && inside(limits.head_to) && inside(limits.toe_from) &&
          inside(limits.toe_to))) {
      return "the ranges of the ends lie on the ground, from x " + text::shortest(lo) + " to " +
             text::shortest(hi);
    }
    if (limits.vertices < 0 || limits.vertices > kMaxPathVertices) {
      return "the interior vertices of a path number 0 to " + std::to_string(kMaxPathVertices);
    }
    return {};
  }
  if (limits.boxes.empty() || limits.boxes.size() > kMaxBoxes) {
    return "a block search takes 1 to " + std::to_string(kMaxBoxes) + " boxes";
  }
  for (const double a :
       {limits.active_from, limits.active_to, limits.passive_from, limits.passive_to}) {
    if (!std::isnan(a) && !(a > 0.0 && a < 90.0)) {
      return "a wedge's angle lies above 0 and below 90 degrees";
    }
  }
  if (std::isnan(limits.active_from) != std::isnan(limits.active_to) ||
      std::isnan(limits.passive_from) != std::isnan(limits.passive_to) ||
      limits.active_from > limits.active_to || limits.passive_from > limits.passive_to) {
    return "a wedge's angles are a range from the smaller";
  }
  for (const Box& b : limits.boxes) {
    const double ground =
        std::max(slope::level_at(model.ground, b.x0), slope::level_at(model.ground, b.x1));
    if (!(inside(b.x0) && inside(b.x1) && b.x0 <= b.x1 && std::isfinite(b.y0) &&
          std::isfinite(b.y1) && b.y0 <= b.y1)) {
      return "a box's x range lies on the ground (x " + text::shortest(lo) + " to " +
             text::shortest(hi) + ") and its ranges run from low to high";
    }
    if (!(b.y0 < ground)) return "a box lies wholly above the ground";
  }
  return {};
}

PolylineTrials::PolylineTrials(const slope::Model& model, const PolylineLimits& limits)
    : model_(model), limits_(limits), map_(model) {}

bool PolylineTrials::make(std::uint64_t index, slope::Polyline& out) const {
  return limits_.kind == SurfaceKind::path ? path(index, out) : block(index, out);
}

bool PolylineTrials::path(std::uint64_t index, slope::Polyline& out) const {
  const PolylineLimits& l = limits_;
  const double head = l.head_from + (l.head_to - l.head_from) * halton(index, 0);
  const double toe = l.toe_from + (l.toe_to - l.toe_from) * halton(index, 1);
  const double x0 = std::min(head, toe);
  const double x1 = std::max(head, toe);
  if (!(x1 > x0)) return false;
  const double y0 = slope::level_at(model_.ground, x0);
  const double y1 = slope::level_at(model_.ground, x1);
  if (!std::isfinite(y0) || !std::isfinite(y1)) return false;
  // Segment inclinations from -70 to 70 degrees, sorted so that the base
  // bends upward only, then turned together so that it ends at the far end;
  // a trial left steeper than 70 degrees or reaching below the bottom is
  // not made.
  const auto segments = static_cast<std::size_t>(l.vertices) + 1;
  std::array<double, kMaxPathVertices + 1> slope{};
  constexpr double kSteepest = 70.0 * std::numbers::pi / 180.0;
  for (std::size_t k = 0; k < segments; ++k) {
    slope[k] = std::tan(kSteepest * (2.0 * halton(index, 2 + k) - 1.0));
  }
  std::sort(slope.begin(), slope.begin() + static_cast<std::ptrdiff_t>(segments));
  const double width = (x1 - x0) / static_cast<double>(segments);
  double rise = 0.0;
  for (std::size_t k = 0; k < segments; ++k) rise += slope[k] * width;
  const double shift = ((y1 - y0) - rise) / (x1 - x0);
  out.clear();
  out.push_back({x0, above(y0)});
  double y = y0;
  const double steepest = std::tan(kSteepest);
  for (std::size_t k = 0; k < segments; ++k) {
    if (std::fabs(slope[k] + shift) > steepest) return false;
  }
  for (std::size_t k = 0; k + 1 < segments; ++k) {
    y += (slope[k] + shift) * width;
    if (y < l.bottom) return false;
    out.push_back({x0 + width * static_cast<double>(k + 1), y});
  }
  out.push_back({x1, above(y1)});
  return true;
}

bool PolylineTrials::block(std::uint64_t index, slope::Polyline& out) const {
  const std::vector<Box>& boxes = limits_.boxes;
  // A point in each box, two in a box that stands alone.
  const std::size_t per_box = boxes.size() == 1 ? 2 : 1;
  slope::Polyline base;
  std::size_t d = 0;
  for (const Box& b : boxes) {
    for (std::size_t k = 0; k < per_box; ++k) {
      const double x = b.x0 + (b.x1 - b.x0) * halton(index, d++);
      const double y = b.y0 + (b.y1 - b.y0) * halton(index, d++);
      base.push_back({x, y});
    }
  }
  std::sort(base.begin(), base.end(), [](const slope::Point& a, const slope::Point& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
  });
  for (std::size_t k = 1; k < base.size(); ++k) {
    if (!(base[k].x > base[k - 1].x)) return false;
  }
  // The head is the end under the higher ground.
  const double left_ground = slope::level_at(model_.ground, base.front().x);
  const double right_ground = slope::level_at(model_.ground, base.back().x);
  if (!std::isfinite(left_ground) || !std::isfinite(right_ground)) return false;
  const bool head_left = left_ground >= right_ground;
  const auto phi_at = [&](slope::Point p) {
    return model_.soils[static_cast<std::size_t>(map_.soil_at(p.x, p.y))].friction_angle *
           std::numbers::pi / 180.0;
  };
  const slope::Point left = base.front();
  const slope::Point right = base.back();
  // Active at the head (45 + phi/2 from the horizontal), passive at the toe
  // (45 - phi/2), each rising away from the base.
  // Given ranges are sampled in the dimensions after the boxes'.
  const auto angle = [&](bool active, slope::Point at) {
    const double from = active ? limits_.active_from : limits_.passive_from;
    const double to = active ? limits_.active_to : limits_.passive_to;
    if (std::isnan(from)) return std::numbers::pi / 4.0 + (active ? 0.5 : -0.5) * phi_at(at);
    const double u = halton(index, d + (active ? 0 : 1));
    return (from + (to - from) * u) * std::numbers::pi / 180.0;
  };
  const double left_angle = angle(head_left, left);
  const double right_angle = angle(!head_left, right);
  slope::Point left_top;
  slope::Point right_top;
  if (!ray_to_ground(model_.ground, left, -std::cos(left_angle), std::sin(left_angle), left_top) ||
      !ray_to_ground(model_.ground, right, std::cos(right_angle), std::sin(right_angle),
                     right_top)) {
    return false;
  }
  out.clear();
  out.push_back({left_top.x, above(left_top.y)});
  for (const slope::Point& p : base) out.push_back(p);
  out.push_back({right_top.x, above(right_top.y)});
  for (std::size_t k = 1; k < out.size(); ++k) {
    if (!(out[k].x > out[k - 1].x)) return false;
  }
  return true;
}

PolylineResult find_critical_polyline(EvaluatorPool& pool, const PolylineLimits& limits,
                                      std::int32_t top) {
  PolylineResult result;
  const PolylineTrials trials(pool.model(), limits);
  const std::uint64_t total = limits.trials;
  std::vector<Trial> wave;
  std::vector<PolylineRanked> best;
  for (std::uint64_t first = 0; first < total; first += kWaveTrials) {
    const std::uint64_t count = std::min<std::uint64_t>(kWaveTrials, total - first);
    wave.assign(count, Trial{});
    tbb::parallel_for(tbb::blocked_range<std::uint64_t>(0, count),
                      [&](const tbb::blocked_range<std::uint64_t>& range) {
                        Evaluator& evaluator = pool.local();
                        slope::SlipSurface surface;
                        surface.kind = slope::SlipSurface::Kind::polyline;
                        for (std::uint64_t k = range.begin(); k != range.end(); ++k) {
                          Trial& trial = wave[k];
                          if (!trials.make(first + k, surface.polyline)) {
                            trial.outcome = Outcome::invalid;
                            continue;
                          }
                          trial = evaluator.evaluate_checked(surface, limits.max_angle);
                        }
                      });
    // In trial order: the counts and the best, least factor then least index.
    for (std::uint64_t k = 0; k < count; ++k) {
      const Trial& trial = wave[k];
      ++result.counts[static_cast<std::size_t>(trial.outcome)];
      if (trial.outcome != Outcome::factor) continue;
      if (best.size() == static_cast<std::size_t>(top) &&
          !(trial.factor < best.back().trial.factor)) {
        continue;
      }
      PolylineRanked ranked{trial, {}, first + k};
      const auto at = std::upper_bound(best.begin(), best.end(), ranked,
                                       [](const PolylineRanked& a, const PolylineRanked& b) {
                                         return a.trial.factor < b.trial.factor;
                                       });
      best.insert(at, ranked);
      if (best.size() > static_cast<std::size_t>(top)) best.pop_back();
    }
  }
  for (PolylineRanked& ranked : best) {
    static_cast<void>(trials.make(ranked.index, ranked.points));
  }
  result.top = std::move(best);
  return result;
}

}  // namespace search
