#include "slope/geometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace slope {
namespace {

double cross(const Point& a, const Point& b, const Point& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

double length(const Point& a, const Point& b) { return std::hypot(b.x - a.x, b.y - a.y); }

// Side of c relative to the line through a and b: -1, 0 (within tolerance)
// or 1.
int side(const Point& a, const Point& b, const Point& c, double tolerance) {
  const double area = cross(a, b, c);
  if (std::abs(area) <= tolerance * length(a, b)) return 0;
  return area > 0.0 ? 1 : -1;
}

double distance_to_segment(const Point& p, const Point& a, const Point& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double squared = dx * dx + dy * dy;
  double t = squared > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / squared : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool on_segment(const Point& p, const Point& a, const Point& b, double tolerance) {
  return distance_to_segment(p, a, b) <= tolerance;
}

// Closed segments ab and cd share a point (within tolerance).
bool segments_meet(const Point& a, const Point& b, const Point& c, const Point& d,
                   double tolerance) {
  const int d1 = side(a, b, c, tolerance);
  const int d2 = side(a, b, d, tolerance);
  const int d3 = side(c, d, a, tolerance);
  const int d4 = side(c, d, b, tolerance);
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  return on_segment(c, a, b, tolerance) || on_segment(d, a, b, tolerance) ||
         on_segment(a, c, d, tolerance) || on_segment(b, c, d, tolerance);
}

// Segments ab and cd cross at one point inside both, transversally.
bool segments_cross(const Point& a, const Point& b, const Point& c, const Point& d,
                    double tolerance) {
  return side(a, b, c, tolerance) * side(a, b, d, tolerance) < 0 &&
         side(c, d, a, tolerance) * side(c, d, b, tolerance) < 0;
}

struct Box {
  double x_min, x_max, y_min, y_max;
};

Box box_of(const Point& a, const Point& b) {
  return {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y)};
}

Box box_of(const Polyline& points) {
  Box box{points[0].x, points[0].x, points[0].y, points[0].y};
  for (const Point& p : points) {
    box.x_min = std::min(box.x_min, p.x);
    box.x_max = std::max(box.x_max, p.x);
    box.y_min = std::min(box.y_min, p.y);
    box.y_max = std::max(box.y_max, p.y);
  }
  return box;
}

bool boxes_meet(const Box& a, const Box& b, double tolerance) {
  return a.x_min <= b.x_max + tolerance && b.x_min <= a.x_max + tolerance &&
         a.y_min <= b.y_max + tolerance && b.y_min <= a.y_max + tolerance;
}

enum class Place { inside, on_boundary, outside };

Place place_of(const Point& p, const Polyline& polygon, double tolerance) {
  bool inside = false;
  const std::size_t n = polygon.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Point& a = polygon[j];
    const Point& b = polygon[i];
    if (on_segment(p, a, b, tolerance)) return Place::on_boundary;
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
      inside = !inside;
    }
  }
  return inside ? Place::inside : Place::outside;
}

// Splits every edge of `a` at the points of `b` on it and places the middle
// of each piece relative to `b`. Without crossing edges each open piece lies
// wholly inside, outside or on the boundary of `b`.
struct PieceSurvey {
  bool any_inside = false;
  bool all_on_boundary = true;
};

PieceSurvey survey_pieces(const Polyline& a, const Polyline& b, double tolerance) {
  PieceSurvey survey;
  std::vector<double> cuts;
  const std::size_t n = a.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point& p = a[i];
    const Point& q = a[(i + 1) % n];
    const double edge = length(p, q);
    cuts.assign({0.0, 1.0});
    for (const Point& v : b) {
      if (!on_segment(v, p, q, tolerance)) continue;
      cuts.push_back(((v.x - p.x) * (q.x - p.x) + (v.y - p.y) * (q.y - p.y)) / (edge * edge));
    }
    std::sort(cuts.begin(), cuts.end());
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      const double from = std::clamp(cuts[k], 0.0, 1.0);
      const double to = std::clamp(cuts[k + 1], 0.0, 1.0);
      if ((to - from) * edge <= tolerance) continue;
      const double t = 0.5 * (from + to);
      const Point middle{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
      const Place place = place_of(middle, b, tolerance);
      if (place == Place::inside) {
        survey.any_inside = true;
        return survey;
      }
      if (place == Place::outside) survey.all_on_boundary = false;
    }
  }
  return survey;
}

}  // namespace

double height_at(const Polyline& line, double x) {
  if (x <= line.front().x) return line.front().y;
  if (x >= line.back().x) return line.back().y;
  const auto after = std::upper_bound(line.begin(), line.end(), x,
                                      [](double v, const Point& p) { return v < p.x; });
  const Point& b = *after;
  const Point& a = *(after - 1);
  if (x == a.x) return a.y;
  const double t = (x - a.x) / (b.x - a.x);
  return a.y + (b.y - a.y) * t;
}

double signed_area(const Polyline& polygon) {
  double twice = 0.0;
  const std::size_t n = polygon.size();
  if (n < 3) return 0.0;
  // About the first point, so that large coordinates lose no digits.
  const Point& o = polygon[0];
  for (std::size_t i = 1; i + 1 < n; ++i) twice += cross(o, polygon[i], polygon[i + 1]);
  return 0.5 * twice;
}

EdgePair find_self_crossing(const Polyline& polygon, double tolerance) {
  const std::size_t n = polygon.size();
  const auto start = [&](std::size_t k) { return polygon[k]; };
  const auto end = [&](std::size_t k) { return polygon[(k + 1) % n]; };

  // Edges in order of their left end: an edge meets only those that begin
  // before its right end.
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::vector<Box> boxes(n);
  for (std::size_t k = 0; k < n; ++k) boxes[k] = box_of(start(k), end(k));
  std::sort(order.begin(), order.end(),
            [&](std::size_t l, std::size_t r) { return boxes[l].x_min < boxes[r].x_min; });

  EdgePair found;
  const auto note = [&](std::size_t i, std::size_t j) {
    const EdgePair pair{true, std::min(i, j), std::max(i, j)};
    if (!found.found || pair.first < found.first ||
        (pair.first == found.first && pair.second < found.second)) {
      found = pair;
    }
  };
  for (std::size_t u = 0; u < n; ++u) {
    const std::size_t i = order[u];
    for (std::size_t w = u + 1; w < n && boxes[order[w]].x_min <= boxes[i].x_max + tolerance; ++w) {
      const std::size_t j = order[w];
      if (!boxes_meet(boxes[i], boxes[j], tolerance)) continue;
      const bool j_follows = j == (i + 1) % n;
      const bool i_follows = i == (j + 1) % n;
      if (j_follows || i_follows) {
        // Neighbours share one point; they meet elsewhere only by folding
        // back along each other.
        const std::size_t first = j_follows ? i : j;
        const Point& u_point = start(first);
        const Point& shared = end(first);
        const Point& w_point = end((first + 1) % n);
        const bool folds = side(u_point, shared, w_point, tolerance) == 0 &&
                           (u_point.x - shared.x) * (w_point.x - shared.x) +
                                   (u_point.y - shared.y) * (w_point.y - shared.y) >
                               0.0;
        if (folds && n > 2) note(i, j);
        continue;
      }
      if (segments_meet(start(i), end(i), start(j), end(j), tolerance)) note(i, j);
    }
  }
  return found;
}

bool polygons_overlap(const Polyline& a, const Polyline& b, double tolerance) {
  if (!boxes_meet(box_of(a), box_of(b), tolerance)) return false;
  const std::size_t na = a.size();
  const std::size_t nb = b.size();
  for (std::size_t i = 0; i < na; ++i) {
    const Point& p = a[i];
    const Point& q = a[(i + 1) % na];
    const Box edge_box = box_of(p, q);
    for (std::size_t j = 0; j < nb; ++j) {
      const Point& r = b[j];
      const Point& s = b[(j + 1) % nb];
      if (boxes_meet(edge_box, box_of(r, s), tolerance) && segments_cross(p, q, r, s, tolerance)) {
        return true;
      }
    }
  }
  const PieceSurvey of_a = survey_pieces(a, b, tolerance);
  if (of_a.any_inside) return true;
  const PieceSurvey of_b = survey_pieces(b, a, tolerance);
  if (of_b.any_inside) return true;
  // A boundary lying wholly on the other's: the same polygon.
  return of_a.all_on_boundary;
}

Rise find_rise_above(const Polyline& line, const Polyline& below, double tolerance) {
  Rise rise;
  const double from = std::max(line.front().x, below.front().x);
  const double to = std::min(line.back().x, below.back().x);
  if (from > to) return rise;
  const auto check = [&](double x) {
    const double height = height_at(line, x);
    const double height_below = height_at(below, x);
    if (height - height_below <= tolerance) return false;
    rise = {true, x, height, height_below};
    return true;
  };
  // Both lines' points in the common range, merged in order of x.
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < line.size() && line[i].x < from) ++i;
  while (j < below.size() && below[j].x < from) ++j;
  if (check(from)) return rise;
  while (true) {
    const double xi = i < line.size() ? line[i].x : to;
    const double xj = j < below.size() ? below[j].x : to;
    const double x = std::min(xi, xj);
    if (x >= to) break;
    if (check(x)) return rise;
    if (xi == x) ++i;
    if (xj == x) ++j;
  }
  check(to);
  return rise;
}

}  // namespace slope
