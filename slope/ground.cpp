#include "slope/ground.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

#include "slope/geometry.h"

namespace slope {
namespace {

// A boundary segment with x0 < x1.
struct Segment {
  double x0, y0, x1, y1;
  std::size_t soil;
};

// Height of a segment at x in [x0, x1]; exact at its ends.
double value_at(const Segment& s, double x) {
  if (x <= s.x0) return s.y0;
  if (x >= s.x1) return s.y1;
  const double t = (x - s.x0) / (s.x1 - s.x0);
  return s.y0 + (s.y1 - s.y0) * t;
}

void add_segment(std::vector<Segment>& segments, const Point& a, const Point& b, std::size_t soil) {
  if (a.x == b.x) return;  // vertical: bounds the envelope, adds no width
  if (a.x < b.x) {
    segments.push_back({a.x, a.y, b.x, b.y, soil});
  } else {
    segments.push_back({b.x, b.y, a.x, a.y, soil});
  }
}

bool finite(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

constexpr double kLowest = -std::numeric_limits<double>::infinity();

// The upper envelope of segments by a sweep over their end x-values. As the
// ground, it refuses gaps and steps; for one region's upper side (`pieces`
// given) it passes over them and collects the envelope as segments, one
// spanning any x at most.
class Envelope {
 public:
  Envelope(std::vector<Segment> segments, double tolerance, std::vector<Segment>* pieces = nullptr)
      : segments_(std::move(segments)), tolerance_(tolerance), pieces_(pieces) {}

  GroundDerivation run() {
    GroundDerivation result;
    std::vector<double> xs;
    xs.reserve(2 * segments_.size());
    for (const Segment& s : segments_) {
      xs.push_back(s.x0);
      xs.push_back(s.x1);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

    std::vector<std::uint32_t> by_start(segments_.size());
    std::iota(by_start.begin(), by_start.end(), std::uint32_t{0});
    std::sort(by_start.begin(), by_start.end(),
              [&](std::uint32_t l, std::uint32_t r) { return segments_[l].x0 < segments_[r].x0; });

    Polyline& ground = result.ground;
    ground.reserve(xs.size());
    std::size_t next_start = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const double x = xs[i];
      // The envelope just left of x (segments spanning the interval before
      // it), then just right of it, after the segments ending at x leave and
      // those beginning at x join.
      const double left = highest_at(x);
      const std::size_t left_soil = highest_soil_;
      active_.erase(std::remove_if(active_.begin(), active_.end(),
                                   [&](std::uint32_t k) { return segments_[k].x1 <= x; }),
                    active_.end());
      while (next_start < by_start.size() && segments_[by_start[next_start]].x0 == x) {
        active_.push_back(by_start[next_start++]);
      }
      const double right = highest_at(x);
      if (pieces_ == nullptr && left != kLowest && right != kLowest &&
          std::abs(left - right) > tolerance_) {
        return problem(GroundProblem::step, x, x, left > right ? left_soil : highest_soil_);
      }
      ground.push_back({x, std::max(left, right)});
      if (i + 1 == xs.size()) break;
      if (active_.empty()) {
        if (pieces_ != nullptr) continue;
        return problem(GroundProblem::gap, x, xs[i + 1], left_soil);
      }
      add_crossings(x, xs[i + 1], ground);
    }
    return result;
  }

 private:
  static GroundDerivation problem(GroundProblem kind, double x, double x_to, std::size_t soil) {
    GroundDerivation result;
    result.problem = kind;
    result.x = x;
    result.x_to = x_to;
    result.soil = soil;
    return result;
  }

  double highest_at(double x) {
    double highest = kLowest;
    for (const std::uint32_t k : active_) {
      const double v = value_at(segments_[k], x);
      if (v > highest) {
        highest = v;
        highest_soil_ = segments_[k].soil;
      }
    }
    return highest;
  }

  // Walks the envelope of the active segments across (a, b): from the
  // highest at a, it passes to the segment that overtakes the current one
  // first. Each pass lands on a segment that ends higher at b, so there are
  // at most K passes of K segments.
  void add_crossings(double a, double b, Polyline& ground) const {
    if (active_.size() < 2) return add_piece(active_[0], a, b);
    std::uint32_t current = active_[0];
    for (const std::uint32_t k : active_) {
      const double vk = value_at(segments_[k], a);
      const double vc = value_at(segments_[current], a);
      if (vk > vc || (vk == vc && value_at(segments_[k], b) > value_at(segments_[current], b))) {
        current = k;
      }
    }
    double at = a;
    while (true) {
      const Segment& c = segments_[current];
      const double c_end = value_at(c, b);
      const double c_at = value_at(c, at);
      bool found = false;
      std::uint32_t next = current;
      double next_x = b;
      double next_end = c_end;
      for (const std::uint32_t k : active_) {
        const double k_end = value_at(segments_[k], b);
        if (k == current || k_end <= c_end) continue;
        // Where the difference k - current, linear on [at, b], turns
        // positive: it is at most 0 at `at` and positive at b.
        const double start_gap = value_at(segments_[k], at) - c_at;
        double x = at;
        if (start_gap < 0.0) {
          const double t = -start_gap / ((k_end - c_end) - start_gap);
          x = at + (b - at) * t;
        }
        if (!found || x < next_x || (x == next_x && k_end > next_end)) {
          found = true;
          next = k;
          next_x = x;
          next_end = k_end;
        }
      }
      if (!found) return add_piece(current, at, b);
      add_piece(current, at, next_x);
      if (next_x > at && next_x < b && next_x > ground.back().x) {
        ground.push_back(
            {next_x, std::max(value_at(c, next_x), value_at(segments_[next], next_x))});
      }
      current = next;
      at = std::max(at, next_x);
    }
  }

  // Where the envelope follows segment k from x = from to x = to.
  void add_piece(std::uint32_t k, double from, double to) const {
    if (pieces_ == nullptr || !(from < to)) return;
    const Segment& s = segments_[k];
    pieces_->push_back({from, value_at(s, from), to, value_at(s, to), s.soil});
  }

  std::vector<Segment> segments_;
  double tolerance_;
  std::vector<Segment>* pieces_;
  std::vector<std::uint32_t> active_;
  std::size_t highest_soil_ = 0;
};

}  // namespace

GroundDerivation derive_ground(const std::vector<Soil>& soils) {
  std::vector<Segment> segments;
  double x_min = std::numeric_limits<double>::infinity();
  double x_max = -x_min;
  double y_min = x_min;
  double y_max = -x_min;
  for (std::size_t k = 0; k < soils.size(); ++k) {
    const Polyline& top = soils[k].top;
    const Polyline& region = soils[k].region;
    for (const Polyline* points : {&top, &region}) {
      for (const Point& p : *points) {
        if (!finite(p)) {
          GroundDerivation invalid;
          invalid.problem = GroundProblem::invalid;
          invalid.soil = k;
          return invalid;
        }
        x_min = std::min(x_min, p.x);
        x_max = std::max(x_max, p.x);
        y_min = std::min(y_min, p.y);
        y_max = std::max(y_max, p.y);
      }
    }
    for (std::size_t i = 0; i + 1 < top.size(); ++i) add_segment(segments, top[i], top[i + 1], k);
    if (region.size() < 2) continue;
    // Only a region's upper side can reach the ground: taking it first keeps
    // the segments spanning any x to one a soil, however many edges a
    // region stacks there.
    std::vector<Segment> edges;
    for (std::size_t i = 0; i < region.size(); ++i) {
      add_segment(edges, region[i], region[(i + 1) % region.size()], k);
    }
    if (!edges.empty()) static_cast<void>(Envelope(std::move(edges), 0.0, &segments).run());
  }
  if (segments.empty()) {
    GroundDerivation none;
    none.problem = GroundProblem::no_soil;
    return none;
  }
  const double size = std::max(x_max - x_min, y_max - y_min);
  return Envelope(std::move(segments), kRelativeTolerance * size).run();
}

}  // namespace slope
