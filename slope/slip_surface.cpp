#include "slope/slip_surface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace slope {

namespace {

/// Level of the segment p-q at x (p.x <= x <= q.x, p.x < q.x); its end
/// levels exactly at its ends.
double segment_level(Point p, Point q, double x) {
  if (x <= p.x) return p.y;
  if (x >= q.x) return q.y;
  return p.y + (q.y - p.y) * ((x - p.x) / (q.x - p.x));
}

/// Index i of the segment line[i]-line[i+1] that holds x (clamped to the
/// first and last segment). The line has at least 2 points.
std::size_t segment_at(const Polyline& line, double x) {
  const auto above = std::upper_bound(line.begin(), line.end(), x,
                                      [](double v, const Point& p) { return v < p.x; });
  const auto i = static_cast<std::size_t>(above - line.begin());
  return std::min(i == 0 ? 0 : i - 1, line.size() - 2);
}

/// Level of `line` at x within its range (clamped to its end levels).
double line_level(const Polyline& line, double x) {
  const std::size_t i = segment_at(line, x);
  return segment_level(line[i], line[i + 1], x);
}

/// Follows the sign of ground minus surface along x, piece by piece, and
/// keeps the positive runs: each one a sliding mass.
struct RunTracker {
  int runs = 0;
  bool in_run = false;
  bool any = false;
  bool first_positive = false;
  Point start;
  Point end;
  Point last;

  void add(Point a, Point b, bool positive) {
    if (!(b.x > a.x)) return;
    if (!any) {
      any = true;
      first_positive = positive;
    }
    if (positive && !in_run) {
      ++runs;
      in_run = true;
      start = a;
    } else if (!positive && in_run) {
      in_run = false;
      end = a;
    }
    last = b;
  }
};

/// The problems of a single run: one that starts at the domain's left end
/// (lo) or stops at its right end (hi) with the surface below the ground
/// there either ends below the ground (when that end is the surface's own
/// end) or leaves the model.
GroundCrossing finish(const RunTracker& runs, double lo, double hi, double depth_lo,
                      double depth_hi, bool lo_is_surface_end, bool hi_is_surface_end) {
  GroundCrossing out;
  if (runs.runs == 0) {
    out.problem = SurfaceProblem::misses_slope;
    return out;
  }
  if (runs.runs > 1) {
    out.problem = SurfaceProblem::crosses_ground_more;
    return out;
  }
  const Point end = runs.in_run ? runs.last : runs.end;
  if (runs.first_positive && runs.start.x == lo && depth_lo > 0.0) {
    out.problem =
        lo_is_surface_end ? SurfaceProblem::ends_below_ground : SurfaceProblem::leaves_model;
    return out;
  }
  if (runs.in_run && end.x == hi && depth_hi > 0.0) {
    out.problem =
        hi_is_surface_end ? SurfaceProblem::ends_below_ground : SurfaceProblem::leaves_model;
    return out;
  }
  out.left = runs.start;
  out.right = end;
  return out;
}

GroundCrossing meet_circle(const Circle& c, const Polyline& ground) {
  const double arc_lo = c.xc - c.radius;
  const double arc_hi = c.xc + c.radius;
  const double lo = std::max(arc_lo, ground.front().x);
  const double hi = std::min(arc_hi, ground.back().x);
  if (!(lo < hi)) return {SurfaceProblem::misses_slope, {}, {}};

  RunTracker runs;
  for (std::size_t i = segment_at(ground, lo); i + 1 < ground.size() && ground[i].x < hi; ++i) {
    const Point p = ground[i];
    const Point q = ground[i + 1];
    const double u0 = std::max(p.x, lo);
    const double u1 = std::min(q.x, hi);
    if (!(u1 > u0)) continue;
    double t[2];
    const int found = arc_crossings(c, p, q, t);
    Point points[4];
    int count = 0;
    points[count++] = {u0, segment_level(p, q, u0)};
    for (int k = 0; k < found; ++k) {
      const double x = p.x + t[k] * (q.x - p.x);
      if (x > u0 && x < u1) points[count++] = {x, p.y + t[k] * (q.y - p.y)};
    }
    const int roots = count - 1;
    points[count++] = {u1, segment_level(p, q, u1)};
    for (int k = 0; k + 1 < count; ++k) {
      // Between two crossings of one segment with the lower arc the segment
      // runs inside the circle, above the arc: no need to sample there.
      bool positive = roots == 2 && k == 1;
      if (!positive) {
        const double xm = 0.5 * (points[k].x + points[k + 1].x);
        positive = segment_level(p, q, xm) > arc_level(c, xm);
      }
      runs.add(points[k], points[k + 1], positive);
    }
  }
  const bool lo_is_end = arc_lo >= ground.front().x;
  const bool hi_is_end = arc_hi <= ground.back().x;
  const double depth_lo = line_level(ground, lo) - (lo_is_end ? c.yc : arc_level(c, lo));
  const double depth_hi = line_level(ground, hi) - (hi_is_end ? c.yc : arc_level(c, hi));
  return finish(runs, lo, hi, depth_lo, depth_hi, lo_is_end, hi_is_end);
}

GroundCrossing meet_polyline(const Polyline& s, const Polyline& ground) {
  const double lo = std::max(s.front().x, ground.front().x);
  const double hi = std::min(s.back().x, ground.back().x);
  if (!(lo < hi)) return {SurfaceProblem::misses_slope, {}, {}};

  RunTracker runs;
  std::size_t i = segment_at(ground, lo);
  std::size_t k = segment_at(s, lo);
  double x = lo;
  double g = segment_level(ground[i], ground[i + 1], x);
  double d = g - segment_level(s[k], s[k + 1], x);
  const double depth_lo = d;
  while (x < hi) {
    const double next = std::min({ground[i + 1].x, s[k + 1].x, hi});
    const double g_next = segment_level(ground[i], ground[i + 1], next);
    const double d_next = g_next - segment_level(s[k], s[k + 1], next);
    if ((d > 0.0 && d_next < 0.0) || (d < 0.0 && d_next > 0.0)) {
      // Both lines are straight here: they cross where d is 0.
      const double xr = std::clamp(x + (next - x) * (d / (d - d_next)), x, next);
      const Point root{xr, segment_level(ground[i], ground[i + 1], xr)};
      runs.add({x, g}, root, d > 0.0);
      runs.add(root, {next, g_next}, d_next > 0.0);
    } else {
      runs.add({x, g}, {next, g_next}, (d > 0.0 && d_next >= 0.0) || (d >= 0.0 && d_next > 0.0));
    }
    if (!(next > x)) break;  // NaN: nothing more to follow
    x = next;
    g = g_next;
    d = d_next;
    if (i + 2 < ground.size() && ground[i + 1].x <= x) ++i;
    if (k + 2 < s.size() && s[k + 1].x <= x) ++k;
  }
  return finish(runs, lo, hi, depth_lo, d, s.front().x >= ground.front().x,
                s.back().x <= ground.back().x);
}

/// Height of the arc above the line through p and q at x; negative below.
double arc_height(const Circle& c, Point p, Point q, double x) {
  return arc_level(c, x) - segment_level(p, q, x);
}

}  // namespace

std::string_view problem_text(SurfaceProblem problem) {
  switch (problem) {
    case SurfaceProblem::none:
      return "admissible";
    case SurfaceProblem::invalid:
      return "not a valid surface";
    case SurfaceProblem::misses_slope:
      return "misses the slope";
    case SurfaceProblem::crosses_ground_more:
      return "crosses the ground more than twice";
    case SurfaceProblem::ends_below_ground:
      return "ends below the ground";
    case SurfaceProblem::leaves_model:
      return "leaves through an end of the model";
    case SurfaceProblem::below_bedrock:
      return "passes below the bedrock";
    case SurfaceProblem::too_thin:
      return "cuts out a mass without width";
    case SurfaceProblem::too_many_sections:
      return "needs more than 100000 sections";
  }
  return "unknown problem";
}

std::string_view problem_key(SurfaceProblem problem) {
  switch (problem) {
    case SurfaceProblem::none:
      return "none";
    case SurfaceProblem::invalid:
      return "invalid";
    case SurfaceProblem::misses_slope:
      return "misses_slope";
    case SurfaceProblem::crosses_ground_more:
      return "crosses_ground_more_than_twice";
    case SurfaceProblem::ends_below_ground:
      return "ends_below_ground";
    case SurfaceProblem::leaves_model:
      return "leaves_model";
    case SurfaceProblem::below_bedrock:
      return "below_bedrock";
    case SurfaceProblem::too_thin:
      return "too_thin";
    case SurfaceProblem::too_many_sections:
      return "too_many_sections";
  }
  return "unknown";
}

SurfaceProblem check_surface(const SlipSurface& surface) {
  if (surface.kind == SlipSurface::Kind::circle) {
    const Circle& c = surface.circle;
    const bool ok =
        std::isfinite(c.xc) && std::isfinite(c.yc) && std::isfinite(c.radius) && c.radius > 0.0;
    return ok ? SurfaceProblem::none : SurfaceProblem::invalid;
  }
  const Polyline& s = surface.polyline;
  if (s.size() < 2) return SurfaceProblem::invalid;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!std::isfinite(s[i].x) || !std::isfinite(s[i].y)) return SurfaceProblem::invalid;
    if (i > 0 && !(s[i].x > s[i - 1].x)) return SurfaceProblem::invalid;
  }
  return SurfaceProblem::none;
}

double arc_level(const Circle& circle, double x) {
  const double u = x - circle.xc;
  // (R - u)(R + u) keeps its digits near the arc's ends, where R^2 - u^2
  // would cancel.
  const double h2 = (circle.radius - u) * (circle.radius + u);
  return h2 > 0.0 ? circle.yc - std::sqrt(h2) : circle.yc;
}

int arc_crossings(const Circle& circle, Point p, Point q, double t[2]) {
  const double dx = q.x - p.x;
  const double dy = q.y - p.y;
  const double fx = p.x - circle.xc;
  const double fy = p.y - circle.yc;
  const double a = dx * dx + dy * dy;
  const double b = fx * dx + fy * dy;
  const double c = fx * fx + (fy - circle.radius) * (fy + circle.radius);
  const double disc = b * b - a * c;
  if (!(disc > 0.0) || !(a > 0.0)) return 0;
  // The root of larger magnitude first, the other from the product of the
  // roots: no cancellation between b and the square root.
  const double big = -(b + std::copysign(std::sqrt(disc), b));
  double r0 = big / a;
  double r1 = c / big;
  if (r1 < r0) std::swap(r0, r1);
  int found = 0;
  for (const double r : {r0, r1}) {
    if (r >= 0.0 && r <= 1.0 && p.y + r * dy <= circle.yc) t[found++] = r;
  }
  return found;
}

GroundCrossing meet_ground(const SlipSurface& surface, const Polyline& ground) {
  if (ground.size() < 2) return {SurfaceProblem::misses_slope, {}, {}};
  GroundCrossing out = surface.kind == SlipSurface::Kind::circle
                           ? meet_circle(surface.circle, ground)
                           : meet_polyline(surface.polyline, ground);
  if (out.problem == SurfaceProblem::none &&
      !(std::isfinite(out.left.x) && std::isfinite(out.left.y) && std::isfinite(out.right.x) &&
        std::isfinite(out.right.y))) {
    out.problem = SurfaceProblem::invalid;
  }
  return out;
}

bool passes_below(const SlipSurface& surface, const Polyline& bedrock, double from_x, double to_x) {
  if (bedrock.size() < 2) return false;
  const double lo = std::max(from_x, bedrock.front().x);
  const double hi = std::min(to_x, bedrock.back().x);
  if (!(lo <= hi)) return false;

  if (surface.kind == SlipSurface::Kind::circle) {
    const Circle& c = surface.circle;
    // Rounding of the arc's level near a touching point.
    const double allowance = 1e-12 * (std::fabs(c.yc) + c.radius);
    for (std::size_t i = segment_at(bedrock, lo); i + 1 < bedrock.size() && bedrock[i].x <= hi;
         ++i) {
      const Point p = bedrock[i];
      const Point q = bedrock[i + 1];
      const double u0 = std::max(p.x, lo);
      const double u1 = std::min(q.x, hi);
      if (u1 < u0) continue;
      double least = std::min(arc_height(c, p, q, u0), arc_height(c, p, q, u1));
      // The arc's slope u / sqrt(R^2 - u^2) equals the segment's m at
      // u = m R / sqrt(1 + m^2).
      const double m = (q.y - p.y) / (q.x - p.x);
      const double x_parallel = c.xc + m * c.radius / std::sqrt(1.0 + m * m);
      if (x_parallel > u0 && x_parallel < u1) {
        least = std::min(least, arc_height(c, p, q, x_parallel));
      }
      if (least < -allowance) return true;
    }
    return false;
  }

  // Two polylines: the least height lies at a vertex of either.
  const Polyline& s = surface.polyline;
  const double allowance = 1e-12 * (std::fabs(line_level(s, lo)) + std::fabs(line_level(s, hi)));
  auto below_at = [&](double x) { return line_level(s, x) - line_level(bedrock, x) < -allowance; };
  if (below_at(lo) || below_at(hi)) return true;
  for (std::size_t i = segment_at(bedrock, lo); i < bedrock.size() && bedrock[i].x < hi; ++i) {
    if (bedrock[i].x > lo && below_at(bedrock[i].x)) return true;
  }
  std::size_t b = segment_at(bedrock, lo);
  for (std::size_t i = segment_at(s, lo); i < s.size() && s[i].x < hi; ++i) {
    if (!(s[i].x > lo)) continue;
    while (b + 2 < bedrock.size() && bedrock[b + 1].x < s[i].x) ++b;
    if (s[i].y - segment_level(bedrock[b], bedrock[b + 1], s[i].x) < -allowance) return true;
  }
  return false;
}

}  // namespace slope
