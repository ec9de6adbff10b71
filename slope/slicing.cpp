#include "slope/slicing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <span>

#include "slope/composite_surface.h"
#include "slope/soil_map.h"
#include "slope/tension_crack.h"

namespace slope {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Breaks closer than this share of the mass's width are one: it keeps
/// rounding twins of a crossing from making slices of no width.
constexpr double kSameBreak = 1e-11;

/// An interval of exactly the largest slice width stays one slice although
/// its quotient may round a little above 1.
constexpr double kWidthAllowance = 1e-12;

/// What a line spanning a slice is.
enum class LineKind : unsigned char { chord, ground, top, piezometric, edge };

/// Levels of `line` at the increasing positions xs, NaN outside its range,
/// following the line segment by segment.
void sample(const Polyline& line, std::span<const double> xs, double* out) {
  const std::size_t n = xs.size();
  if (line.size() < 2) {
    std::fill_n(out, n, kNaN);
    return;
  }
  const double first = line.front().x;
  const double last = line.back().x;
  const auto above = std::upper_bound(line.begin(), line.end(), xs.front(),
                                      [](double v, const Point& p) { return v < p.x; });
  std::size_t i = static_cast<std::size_t>(above - line.begin());
  i = std::min(i == 0 ? 0 : i - 1, line.size() - 2);
  for (std::size_t j = 0; j < n; ++j) {
    const double x = xs[j];
    if (!(x >= first && x <= last)) {
      out[j] = kNaN;
      continue;
    }
    while (i + 2 < line.size() && line[i + 1].x < x) ++i;
    const Point p = line[i];
    const Point q = line[i + 1];
    if (x == q.x) {
      out[j] = q.y;
    } else if (x == p.x) {
      out[j] = p.y;
    } else {
      out[j] = p.y + (q.y - p.y) * ((x - p.x) / (q.x - p.x));
    }
  }
}

/// Sorts a few values in place.
template <typename T, typename Less>
void insertion_sort(T* v, std::size_t n, Less less) {
  for (std::size_t i = 1; i < n; ++i) {
    const T key = v[i];
    std::size_t k = i;
    for (; k > 0 && less(key, v[k - 1]); --k) v[k] = v[k - 1];
    v[k] = key;
  }
}

/// The part of the sorted values strictly between lo and hi.
std::span<const double> strictly_between(std::span<const double> v, double lo, double hi) {
  const auto from = std::upper_bound(v.begin(), v.end(), lo);
  const auto to = std::lower_bound(from, v.end(), hi);
  return {from, to};
}

/// Level at fraction t of a slice of a line with end levels a and b.
double at(double a, double b, double t) {
  if (t == 0.0) return a;
  if (t == 1.0) return b;
  return a + (b - a) * t;
}

/// The integral over t from 0 to 1 of p(t) (level - y(t)) with p and y
/// straight from p0, y0 to p1, y1: Simpson's rule, exact for this quadratic.
double pressure_moment(double p0, double p1, double y0, double y1, double level) {
  const double pm = 0.5 * (p0 + p1);
  const double ym = 0.5 * (y0 + y1);
  return (p0 * (level - y0) + 4.0 * pm * (level - ym) + p1 * (level - y1)) / 6.0;
}

/// The centre of the circle through a, b and c; false when they lie on one
/// line (or nearly).
bool circumcentre(Point a, Point b, Point c, Point& centre) {
  const double bx = b.x - a.x;
  const double by = b.y - a.y;
  const double cx = c.x - a.x;
  const double cy = c.y - a.y;
  const double d = 2.0 * (bx * cy - by * cx);
  const double scale = (bx * bx + by * by) * (cx * cx + cy * cy);
  if (!(d * d > 1e-18 * scale)) return false;
  const double b2 = bx * bx + by * by;
  const double c2 = cx * cx + cy * cy;
  centre = {a.x + (cy * b2 - by * c2) / d, a.y + (bx * c2 - cx * b2) / d};
  return std::isfinite(centre.x) && std::isfinite(centre.y);
}

}  // namespace

struct Cutter::Impl {
  explicit Impl(const Model& model) : map(model), floor(model) {
    const std::size_t lines = map.max_lines();
    for (std::vector<double>* v : {&line_a, &line_b, &line_u, &line_v, &line_m}) {
      v->resize(lines);
    }
    kind.resize(lines);
    soil.resize(lines);
    order.resize(lines);
    cuts.resize(lines * (lines - 1) / 2 + 2);
    column_levels.reserve(lines);
    piezometric = model.piezometric_line.size() >= 2;
    one_soil = model.soils.size() == 1;
    any_ru = std::any_of(model.soils.begin(), model.soils.end(),
                         [](const Soil& s) { return s.ru > 0.0; });
    line_count = 1 + map.layers().size() + (piezometric ? 1 : 0);
    // One soil without a piezometric line fills every slice above the water:
    // fill gives each part that one unit weight whatever its area, so there is
    // nothing to weigh, and the soil tops serve only to place sections.
    one_fill = one_soil && !piezometric;
    crack_range = slope::crack_range(model);
    if (piezometric) {
      const auto above = [](const Polyline& line, const Polyline& below) {
        return std::any_of(line.begin(), line.end(),
                           [&](const Point& p) { return p.y > level_at(below, p.x); });
      };
      ponded = above(model.piezometric_line, model.ground) ||
               std::any_of(model.ground.begin(), model.ground.end(), [&](const Point& p) {
                 return level_at(model.piezometric_line, p.x) > p.y;
               });
    }
  }

  bool find_crack(const SlipSurface& surface, bool head_left, Point left, Point right,
                  Point& bottom);
  [[nodiscard]] double lever_level(std::size_t j, Point axis) const {
    return method::slice_lever(xs[j], slip[j], xs[j + 1], slip[j + 1], axis.x, axis.y).level;
  }
  void crack_water(Point bottom, bool head_left, Point axis, Cut& out) const;
  void ponded_water(bool head_left, Point axis, Cut& out);
  [[nodiscard]] Point axis_of(const SlipSurface& surface, Cut::AxisRule& rule) const;

  SurfaceProblem place_sections(const SlipSurface& surface, std::int32_t slices, double xl,
                                double xr);
  void add_surface_crossings(const SlipSurface& surface);
  void sample_lines(const SlipSurface& surface, Point left, Point right, bool left_crack,
                    bool right_crack);
  std::size_t gather_lines(std::size_t j);
  [[gnu::flatten]] void weigh_slice(std::size_t j);
  void fill_with_one_soil();
  [[nodiscard]] double load_at(double x) const;
  void water_at_sections();
  void fill(Cut& out, bool head_left) const;

  [[nodiscard]] const Soil& soil_of(std::int32_t s) const {
    return map.model().soils[static_cast<std::size_t>(s)];
  }
  [[nodiscard]] double* line(std::size_t l) { return levels.data() + l * xs.size(); }
  [[nodiscard]] const double* line(std::size_t l) const { return levels.data() + l * xs.size(); }
  [[nodiscard]] std::int32_t soil_in_slice(std::size_t lines, double y) const;

  SoilMap map;
  Floor floor;
  /// While a composite surface is cut: the floor it follows.
  const Floor* following = nullptr;
  /// A base lying on the bottom of a followed layer is in that layer (the
  /// soil map puts a point on a top in the soil below).
  void follow_layers();
  bool piezometric = false;
  bool any_ru = false;         ///< some soil has a pore-pressure ratio
  bool one_soil = false;       ///< the model has one soil: every point is in it
  bool one_fill = false;       ///< one soil, no piezometric line: see the constructor
  std::size_t line_count = 0;  ///< ground, the soil tops, the piezometric line if any
  bool ponded = false;         ///< the piezometric line rises above the ground somewhere
  CrackRange crack_range;
  Polyline crack_line;  ///< the ground lowered by crack_line_depth
  double crack_line_depth = kNaN;

  // Breaks and sections, x increasing.
  std::vector<double> vertex_x;
  std::vector<double> breaks;
  std::vector<double> crossings;
  std::vector<double> merged;
  std::vector<double> xs;
  std::vector<double> slip;
  std::vector<double> levels;  ///< line l at xs[j]: levels[l * xs.size() + j]
  std::vector<std::int32_t> edges_in;
  std::vector<std::int32_t> loads_in;

  // Per slice, x increasing.
  std::vector<double> weight_lower;
  std::vector<double> weight_upper;
  std::vector<double> filled_lower;  ///< the one unit weight filling the part; NaN if none
  std::vector<double> filled_upper;
  std::vector<std::int32_t> base_soil;
  std::vector<double> intensity;

  // Per section, x increasing.
  std::vector<double> lower_height;
  std::vector<double> pore_head;

  // The lines spanning the slice at hand.
  std::vector<double> line_a;  ///< at its left end
  std::vector<double> line_b;  ///< at its right end
  std::vector<double> line_u;  ///< at a part's left end, clipped to chord and ground
  std::vector<double> line_v;  ///< at a part's right end, clipped
  std::vector<double> line_m;  ///< at a part's middle, not clipped
  std::vector<LineKind> kind;
  std::vector<std::int32_t> soil;
  std::vector<std::size_t> order;
  std::vector<double> cuts;
  std::vector<double> column_levels;
};

SurfaceProblem Cutter::Impl::place_sections(const SlipSurface& surface, std::int32_t slices,
                                            double xl, double xr) {
  // First the breaks known before the surface's crossings: the model's and
  // the vertices of a polyline surface.
  const std::span<const double> model_breaks = strictly_between(map.breaks(), xl, xr);
  vertex_x.clear();
  if (surface.kind == SlipSurface::Kind::polyline) {
    const Polyline& s = surface.polyline;
    const auto from =
        std::upper_bound(s.begin(), s.end(), xl, [](double v, const Point& p) { return v < p.x; });
    const auto to =
        std::lower_bound(from, s.end(), xr, [](const Point& p, double v) { return p.x < v; });
    if (to - from > kMaxCutSections) return SurfaceProblem::too_many_sections;
    for (auto p = from; p != to; ++p) vertex_x.push_back(p->x);
  }
  if (model_breaks.size() + vertex_x.size() + 2 > kMaxCutSections) {
    return SurfaceProblem::too_many_sections;
  }
  breaks.clear();
  breaks.push_back(xl);
  std::merge(model_breaks.begin(), model_breaks.end(), vertex_x.begin(), vertex_x.end(),
             std::back_inserter(breaks));
  breaks.push_back(xr);

  // Then where the surface crosses a soil top, a region edge or the
  // piezometric line: every such line is straight between two breaks.
  xs.assign(breaks.begin(), breaks.end());
  add_surface_crossings(surface);
  std::sort(crossings.begin(), crossings.end());
  merged.clear();
  std::merge(breaks.begin(), breaks.end(), crossings.begin(), crossings.end(),
             std::back_inserter(merged));

  const double same = kSameBreak * (xr - xl);
  std::size_t kept = 1;
  for (std::size_t k = 1; k < merged.size(); ++k) {
    if (merged[k] - merged[kept - 1] > same) merged[kept++] = merged[k];
  }
  if (merged[kept - 1] != xr) {
    if (kept > 1 && xr - merged[kept - 1] <= same) --kept;
    merged[kept++] = xr;
  }
  merged.resize(kept);

  // Each interval in equal parts no wider than the largest slice width.
  const double max_width = (xr - xl) / static_cast<double>(slices);
  double total = 1.0;
  for (std::size_t k = 0; k + 1 < kept; ++k) {
    const double q = (merged[k + 1] - merged[k]) / max_width;
    total += q <= 1.0 ? 1.0 : std::ceil(q * (1.0 - kWidthAllowance));
    if (!(total <= kMaxCutSections)) return SurfaceProblem::too_many_sections;
  }
  xs.clear();
  for (std::size_t k = 0; k + 1 < kept; ++k) {
    const double a = merged[k];
    const double b = merged[k + 1];
    const double q = (b - a) / max_width;
    const double parts = q <= 1.0 ? 1.0 : std::ceil(q * (1.0 - kWidthAllowance));
    xs.push_back(a);
    for (double p = 1.0; p < parts; p += 1.0) xs.push_back(a + (b - a) * p / parts);
  }
  xs.push_back(xr);
  return SurfaceProblem::none;
}

void Cutter::Impl::add_surface_crossings(const SlipSurface& surface) {
  // xs holds the first breaks here; lines are sampled at them.
  const std::size_t n = xs.size();
  levels.resize(line_count * n);
  for (std::size_t t = 0; t < map.layers().size(); ++t) {
    sample(soil_of(map.layers()[t]).top, xs, line(1 + t));
  }
  if (piezometric) sample(map.model().piezometric_line, xs, line(line_count - 1));
  const bool circle = surface.kind == SlipSurface::Kind::circle;
  slip.resize(n);
  if (!circle) sample(surface.polyline, xs, slip.data());

  crossings.clear();
  const auto cross = [&](std::size_t j, double ya, double yb) {
    const double xa = xs[j];
    const double xb = xs[j + 1];
    if (std::isnan(ya) || std::isnan(yb)) return;
    if (circle) {
      double t[2];
      const int found = arc_crossings(surface.circle, {xa, ya}, {xb, yb}, t);
      for (int k = 0; k < found; ++k) {
        const double x = xa + t[k] * (xb - xa);
        if (x > xa && x < xb) crossings.push_back(x);
      }
      return;
    }
    const double da = ya - slip[j];
    const double db = yb - slip[j + 1];
    if ((da > 0.0 && db < 0.0) || (da < 0.0 && db > 0.0)) {
      const double x = xa + (xb - xa) * (da / (da - db));
      if (x > xa && x < xb) crossings.push_back(x);
    }
  };
  for (std::size_t j = 0; j + 1 < n; ++j) {
    if (!(xs[j + 1] > xs[j])) continue;
    for (std::size_t l = 1; l < line_count; ++l) cross(j, line(l)[j], line(l)[j + 1]);
    for (const RegionEdge& e : map.edges()) {
      if (e.x0 <= xs[j] && xs[j + 1] <= e.x1) {
        cross(j, edge_level(e, xs[j]), edge_level(e, xs[j + 1]));
      }
    }
  }
}

void Cutter::Impl::sample_lines(const SlipSurface& surface, Point left, Point right,
                                bool left_crack, bool right_crack) {
  const std::size_t n = xs.size();
  levels.resize(line_count * n);
  sample(map.model().ground, xs, line(0));
  for (std::size_t t = 0; t < map.layers().size() && !one_fill; ++t) {
    sample(soil_of(map.layers()[t]).top, xs, line(1 + t));
  }
  if (piezometric) sample(map.model().piezometric_line, xs, line(line_count - 1));
  slip.resize(n);
  if (surface.kind == SlipSurface::Kind::circle) {
    for (std::size_t j = 0; j < n; ++j) slip[j] = arc_level(surface.circle, xs[j]);
  } else {
    sample(surface.polyline, xs, slip.data());
  }
  // The ends lie on the ground, where the surface meets it, or at the
  // bottom of a crack, below the ground there.
  if (left_crack) {
    slip[0] = left.y;
  } else {
    line(0)[0] = slip[0] = left.y;
  }
  if (right_crack) {
    slip[n - 1] = right.y;
  } else {
    line(0)[n - 1] = slip[n - 1] = right.y;
  }
}

std::size_t Cutter::Impl::gather_lines(std::size_t j) {
  const double xa = xs[j];
  const double xb = xs[j + 1];
  std::size_t k = 0;
  const auto add = [&](LineKind what, std::int32_t s, double a, double b) {
    kind[k] = what;
    soil[k] = s;
    line_a[k] = a;
    line_b[k] = b;
    ++k;
  };
  add(LineKind::chord, -1, slip[j], slip[j + 1]);
  add(LineKind::ground, -1, line(0)[j], line(0)[j + 1]);
  const std::span<const std::int32_t> layers = map.layers();
  for (std::size_t t = 0; t < layers.size(); ++t) {
    const double a = line(1 + t)[j];
    const double b = line(1 + t)[j + 1];
    if (!std::isnan(a) && !std::isnan(b)) add(LineKind::top, layers[t], a, b);
  }
  if (piezometric) {
    const double a = line(line_count - 1)[j];
    const double b = line(line_count - 1)[j + 1];
    if (!std::isnan(a) && !std::isnan(b)) add(LineKind::piezometric, -1, a, b);
  }
  const std::span<const RegionEdge> edges = map.edges();
  for (const std::int32_t i : edges_in) {
    const RegionEdge& e = edges[static_cast<std::size_t>(i)];
    if (e.x0 <= xa && xb <= e.x1) add(LineKind::edge, e.soil, edge_level(e, xa), edge_level(e, xb));
  }
  return k;
}

std::int32_t Cutter::Impl::soil_in_slice(std::size_t lines, double y) const {
  if (one_soil) return 0;
  // Regions first: an upward ray crosses an odd number of a region's edges.
  // Edges come grouped by region.
  std::int32_t region = -1;
  bool inside = false;
  std::int32_t best = -1;
  double best_level = 0.0;
  std::int32_t highest = -1;
  double highest_level = 0.0;
  for (std::size_t k = 2; k < lines; ++k) {
    const double level = line_m[k];
    if (kind[k] == LineKind::edge) {
      if (soil[k] != region) {
        if (inside) return region;
        region = soil[k];
        inside = false;
      }
      if (level > y) inside = !inside;
    } else if (kind[k] == LineKind::top) {
      if (level >= y && (best < 0 || level <= best_level)) {
        best = soil[k];
        best_level = level;
      }
      if (highest < 0 || level >= highest_level) {
        highest = soil[k];
        highest_level = level;
      }
    }
  }
  if (inside) return region;
  if (best >= 0) return best;
  return highest >= 0 ? highest : 0;
}

void Cutter::Impl::weigh_slice(std::size_t j) {
  const std::size_t lines = gather_lines(j);
  const double xa = xs[j];
  const double xb = xs[j + 1];
  const double width = xb - xa;

  // Where two lines cross inside the slice, the slice is weighed in parts,
  // so that within each part the lines keep their order.
  std::size_t count = 0;
  cuts[count++] = 0.0;
  for (std::size_t p = 0; p < lines; ++p) {
    for (std::size_t q = p + 1; q < lines; ++q) {
      const double da = line_a[p] - line_a[q];
      const double db = line_b[p] - line_b[q];
      if ((da < 0.0 && db > 0.0) || (da > 0.0 && db < 0.0)) {
        const double t = da / (da - db);
        if (t > 0.0 && t < 1.0) cuts[count++] = t;
      }
    }
  }
  cuts[count++] = 1.0;
  insertion_sort(cuts.data() + 1, count - 2, [](double a, double b) { return a < b; });

  double lower = 0.0;
  double upper = 0.0;
  double one_lower = kNaN;
  double one_upper = kNaN;
  bool mixed_lower = false;
  bool mixed_upper = false;
  for (std::size_t c = 0; c + 1 < count; ++c) {
    const double tu = cuts[c];
    const double tv = cuts[c + 1];
    if (!(tv > tu)) continue;
    const double tm = 0.5 * (tu + tv);
    // A slice in one part is clipped in place: its end levels are not
    // needed again.
    double* u = line_a.data();
    double* v = line_b.data();
    if (count == 2) {
      for (std::size_t k = 0; k < lines; ++k) line_m[k] = u[k] + (v[k] - u[k]) * 0.5;
    } else {
      u = line_u.data();
      v = line_v.data();
      for (std::size_t k = 0; k < lines; ++k) {
        u[k] = at(line_a[k], line_b[k], tu);
        v[k] = at(line_a[k], line_b[k], tv);
        line_m[k] = at(line_a[k], line_b[k], tm);
      }
    }
    const double chord_u = u[0];
    const double chord_v = v[0];
    const double ground_u = u[1];
    const double ground_v = v[1];
    if (!(ground_u > chord_u || ground_v > chord_v)) continue;
    for (std::size_t k = 2; k < lines; ++k) {
      u[k] = std::min(std::max(u[k], chord_u), ground_u);
      v[k] = std::min(std::max(v[k], chord_v), ground_v);
    }
    // Boundaries from the chord up to the ground.
    order[0] = 0;
    for (std::size_t k = 2; k < lines; ++k) order[k - 1] = k;
    order[lines - 1] = 1;
    insertion_sort(order.data() + 1, lines - 2,
                   [u, v](std::size_t a, std::size_t b) { return u[a] + v[a] < u[b] + v[b]; });
    const double part_width = width * (tv - tu);
    double water_level = kNaN;
    for (std::size_t k = 2; k < lines; ++k) {
      if (kind[k] == LineKind::piezometric) water_level = line_m[k];
    }
    for (std::size_t k = 0; k + 1 < lines; ++k) {
      const std::size_t lo = order[k];
      const std::size_t hi = order[k + 1];
      const double area = part_width * (((u[hi] - u[lo]) + (v[hi] - v[lo])) * 0.5);
      if (!(area > 0.0)) continue;
      const double y = 0.25 * ((u[lo] + v[lo]) + (u[hi] + v[hi]));
      const Soil& s = soil_of(soil_in_slice(lines, y));
      if (y < water_level) {
        lower += area * s.saturated_unit_weight;
        if (std::isnan(one_lower)) one_lower = s.saturated_unit_weight;
        mixed_lower = mixed_lower || one_lower != s.saturated_unit_weight;
      } else {
        upper += area * s.unit_weight;
        if (std::isnan(one_upper)) one_upper = s.unit_weight;
        mixed_upper = mixed_upper || one_upper != s.unit_weight;
      }
    }
  }
  weight_lower[j] = lower;
  weight_upper[j] = upper;
  filled_lower[j] = mixed_lower ? kNaN : one_lower;
  filled_upper[j] = mixed_upper ? kNaN : one_upper;

  // Soil values at the middle of the base; loads covering the middle.
  if (count != 2) {
    for (std::size_t k = 0; k < lines; ++k) line_m[k] = at(line_a[k], line_b[k], 0.5);
  }
  base_soil[j] = soil_in_slice(lines, 0.5 * (slip[j] + slip[j + 1]));
  intensity[j] = load_at(0.5 * (xa + xb));
}

void Cutter::Impl::follow_layers() {
  for (std::size_t j = 0; j + 1 < xs.size(); ++j) {
    const double x = 0.5 * (xs[j] + xs[j + 1]);
    const std::int32_t layer = following->followed_soil(x);
    if (layer < 0) continue;
    const double y = 0.5 * (slip[j] + slip[j + 1]);
    const double on = following->level(x);
    if (std::fabs(y - on) <= 1e-9 * (1.0 + std::fabs(on))) base_soil[j] = layer;
  }
}

void Cutter::Impl::fill_with_one_soil() {
  const double unit_weight = soil_of(0).unit_weight;
  for (std::size_t j = 0; j + 1 < xs.size(); ++j) {
    weight_lower[j] = 0.0;
    weight_upper[j] = 0.0;
    filled_lower[j] = kNaN;
    filled_upper[j] = unit_weight;
    base_soil[j] = 0;
    intensity[j] = load_at(0.5 * (xs[j] + xs[j + 1]));
  }
}

double Cutter::Impl::load_at(double x) const {
  double q = 0.0;
  if (loads_in.empty()) return q;
  for (const std::int32_t i : loads_in) {
    const Load& load = map.model().loads[static_cast<std::size_t>(i)];
    if (std::min(load.from, load.to) <= x && x <= std::max(load.from, load.to)) {
      q += load.at(x);
    }
  }
  return q;
}

void Cutter::Impl::water_at_sections() {
  const std::size_t n = xs.size();
  const Model& model = map.model();
  lower_height.resize(n);
  pore_head.resize(n);
  if (!piezometric && !(any_ru && model.water_unit_weight > 0.0)) {
    std::fill_n(lower_height.begin(), n, 0.0);
    std::fill_n(pore_head.begin(), n, 0.0);
    return;
  }
  for (std::size_t j = 0; j < n; ++j) {
    const double s = slip[j];
    const double g = line(0)[j];
    double lower = 0.0;
    double head = 0.0;
    if (piezometric) {
      const double water = line(line_count - 1)[j];
      if (!std::isnan(water)) {
        head = std::max(water - s, 0.0);
        lower = std::min(head, std::max(g - s, 0.0));
      }
    } else if (any_ru && model.water_unit_weight > 0.0) {
      const double ru = soil_of(map.soil_at(xs[j], s)).ru;
      if (ru > 0.0) {
        head = ru * map.column_weight(xs[j], s, column_levels) / model.water_unit_weight;
      }
    }
    lower_height[j] = lower;
    pore_head[j] = head;
  }
}

void Cutter::Impl::fill(Cut& out, bool head_left) const {
  const std::size_t n = xs.size();
  const std::span<const double> tan_phi = map.tan_phi();
  out.sections.resize(n);
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t j = head_left ? k : n - 1 - k;
    method::Section& s = out.sections[k];
    // Field by field: zeroing the whole struct first costs more than the rest.
    s.spare = {};
    s.x = xs[j];
    s.ground_level = line(0)[j];
    s.slip_level = slip[j];
    s.lower_height = lower_height[j];
    s.pore_head = pore_head[j];
  }
  for (std::size_t k = 0; k + 1 < n; ++k) {
    const std::size_t j = head_left ? k : n - 2 - k;
    method::Section& a = out.sections[k];
    const method::Section& b = out.sections[k + 1];
    // The areas the methods give each part, computed as they compute them;
    // needed only for a part of more than one unit weight.
    const auto width = [&a, &b] { return std::fabs(b.x - a.x); };
    const auto mean_height = [&a, &b] {
      return (((a.ground_level - a.slip_level) + b.ground_level) - b.slip_level) / 2.0;
    };
    const auto mean_lower = [&a, &b] { return (a.lower_height + b.lower_height) / 2.0; };
    const auto lower_area = [&] { return mean_lower() * width(); };
    const auto upper_area = [&] { return (mean_height() - mean_lower()) * width(); };

    const Soil& base = soil_of(base_soil[j]);
    const auto unit_weight = [](double one, double weight, const auto& area, double otherwise) {
      if (!std::isnan(one)) return one;
      if (weight > 0.0 && area() > 0.0) return weight / area();
      return otherwise;
    };
    a.lower_unit_weight = unit_weight(filled_lower[j], weight_lower[j], lower_area,
                                      piezometric ? base.saturated_unit_weight : base.unit_weight);
    a.upper_unit_weight =
        unit_weight(filled_upper[j], weight_upper[j], upper_area, base.unit_weight);
    a.cohesion = base.cohesion;
    a.friction_angle = base.friction_angle;
    a.tan_phi = tan_phi[static_cast<std::size_t>(base_soil[j])];
    // Held as a reader of the written file holds it: the file gives loads
    // upward positive, and a slice without load as 0, which reads back as -0
    // once negated; 0.0 - q turns a zero into +0 before that negation.
    a.vertical_load = -(0.0 - intensity[j]);
  }
  method::Section& last = out.sections[n - 1];
  const method::Section& before = out.sections[n - 2];
  last.lower_unit_weight = before.lower_unit_weight;
  last.upper_unit_weight = before.upper_unit_weight;
  last.cohesion = before.cohesion;
  last.friction_angle = before.friction_angle;
  last.tan_phi = before.tan_phi;
  last.vertical_load = before.vertical_load;
}

bool Cutter::Impl::find_crack(const SlipSurface& surface, bool head_left, Point left, Point right,
                              Point& bottom) {
  const Point head = head_left ? left : right;
  const double depth = crack_depth_at(map, head.x);
  if (!(depth > 0.0)) return false;
  if (depth != crack_line_depth) {
    crack_line = map.model().ground;
    for (Point& p : crack_line) p.y -= depth;
    crack_line_depth = depth;
  }
  // A surface that never reaches the crack line keeps its own head.
  const GroundCrossing crossing = meet_ground(surface, crack_line);
  if (crossing.problem != SurfaceProblem::none) return false;
  bottom = head_left ? crossing.left : crossing.right;
  return bottom.x >= crack_range.from && bottom.x <= crack_range.to && bottom.x > left.x &&
         bottom.x < right.x;
}

void Cutter::Impl::crack_water(Point bottom, bool head_left, Point axis, Cut& out) const {
  const Model& model = map.model();
  const double ground = level_at(model.ground, bottom.x);
  out.crack.depth = ground - bottom.y;
  double level = bottom.y + crack_water_depth(model.tension_crack, crack_line_depth);
  // Water standing on the ground floods the crack.
  if (piezometric) level = std::max(level, level_at(model.piezometric_line, bottom.x));
  const double gamma = model.water_unit_weight;
  if (!(level > bottom.y) || !(gamma > 0.0)) return;
  const double top = std::min(level, ground);
  out.crack.water_depth = top - bottom.y;
  const double p0 = gamma * (level - bottom.y);
  const double p1 = gamma * (level - top);
  out.crack.thrust = 0.5 * (p0 + p1) * (top - bottom.y);
  const std::size_t slices = xs.size() - 1;
  const double about = lever_level(head_left ? 0 : slices - 1, axis);
  out.water_force.assign(slices, 0.0);
  out.water_moment.assign(slices, 0.0);
  out.water_moment[0] = (top - bottom.y) * pressure_moment(p0, p1, bottom.y, top, about);
}

void Cutter::Impl::ponded_water(bool head_left, Point axis, Cut& out) {
  const std::size_t n = xs.size();
  const double gamma = map.model().water_unit_weight;
  const double* const ground = line(0);
  const double* const water = line(line_count - 1);
  const auto depth = [&](std::size_t j) {
    const double d = water[j] - ground[j];
    return d > 0.0 ? d : 0.0;
  };
  const auto under_water = [&](std::size_t j) { return depth(j) > 0.0 || depth(j + 1) > 0.0; };
  // The moment about `about` of the water's push on the vertical side of the
  // sliding mass at section j, from the slip surface up to the ground,
  // towards +x.
  const auto side = [&](std::size_t j, double about) {
    const double s = slip[j];
    const double g = ground[j];
    return (g - s) * pressure_moment(gamma * (water[j] - s), gamma * depth(j), s, g, about);
  };
  const double toe = head_left ? 1.0 : -1.0;
  for (std::size_t j = 0; j + 1 < n; ++j) {
    if (!under_water(j)) continue;
    out.water_standing = true;
    if (out.water_force.empty()) {
      out.water_force.assign(n - 1, 0.0);
      out.water_moment.assign(n - 1, 0.0);
    }
    const double da = depth(j);
    const double db = depth(j + 1);
    const double about = lever_level(j, axis);
    // Its weight on the slice's top, as a load; its push normal to the top
    // also has a horizontal part, with its moment.
    intensity[j] += gamma * 0.5 * (da + db);
    const double ga = ground[j];
    const double gb = ground[j + 1];
    const double force = gamma * 0.5 * (da + db) * (gb - ga);
    double moment = (gb - ga) * pressure_moment(gamma * da, gamma * db, ga, gb, about);
    // The methods take the pore water on the base as one force at the
    // chord's middle; the water standing above is shared out among the
    // slices so that it and the pore water form one still body: each slice
    // under water takes the push on its sides where a slice under water
    // stands beside it (the pair cancels in the whole), and the
    // difference between the base's push and that force's, so that still
    // water alone turns no slice.
    const double sa = slip[j];
    const double sb = slip[j + 1];
    const double ua = gamma * pore_head[j];
    const double ub = gamma * pore_head[j + 1];
    moment += -(sb - sa) * pressure_moment(ua, ub, sa, sb, about);
    moment -= -(sb - sa) * (0.5 * (ua + ub)) * (about - 0.5 * (sa + sb));
    if (j > 0 && under_water(j - 1)) moment += side(j, about);
    if (j + 2 < n && under_water(j + 1)) moment -= side(j + 1, about);
    const std::size_t k = head_left ? j : n - 2 - j;
    out.water_force[k] += toe * force;
    out.water_moment[k] += toe * moment;
  }
}

Point Cutter::Impl::axis_of(const SlipSurface& surface, Cut::AxisRule& rule) const {
  if (surface.kind == SlipSurface::Kind::circle) {
    rule = Cut::AxisRule::centre;
    return {surface.circle.xc, surface.circle.yc};
  }
  if (surface.axis_given) {
    rule = Cut::AxisRule::given;
    return surface.axis;
  }
  rule = Cut::AxisRule::three_points;
  const std::size_t n = xs.size();
  const Point a{xs[0], slip[0]};
  const Point b{xs[n - 1], slip[n - 1]};
  // The deepest point: the farthest below the chord from end to end.
  Point deepest = a;
  double most = 0.0;
  for (std::size_t j = 1; j + 1 < n; ++j) {
    const double below = (b.x - a.x) * (slip[j] - a.y) - (xs[j] - a.x) * (b.y - a.y);
    if (-below > most) {
      most = -below;
      deepest = {xs[j], slip[j]};
    }
  }
  Point centre;
  if (circumcentre(a, deepest, b, centre) && centre.y > deepest.y) return centre;
  // A straight surface: a point far above its middle, so that the moments
  // become the forces' parts along the surface.
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  const double far = 1e6 * length;
  const double ux = (b.x - a.x) / length;
  const double uy = (b.y - a.y) / length;
  // The normal pointing up.
  const double nx = uy > 0.0 || (uy == 0.0 && ux < 0.0) ? -uy : uy;
  const double ny = uy > 0.0 || (uy == 0.0 && ux < 0.0) ? ux : -ux;
  return {0.5 * (a.x + b.x) + far * nx, 0.5 * (a.y + b.y) + far * ny};
}

Cutter::Cutter(const Model& model, CutOptions options)
    : impl_(std::make_unique<Impl>(model)), options_(options) {}

Cutter::~Cutter() = default;

SurfaceProblem Cutter::cut(const SlipSurface& surface, std::int32_t slices, Cut& out) {
  Impl& m = *impl_;
  const Model& model = m.map.model();
  out.entry = {};
  out.exit = {};
  out.water_unit_weight = model.water_unit_weight;
  out.crack = {};
  out.loads = {};
  out.water_force.clear();
  out.water_moment.clear();
  out.water_standing = false;
  out.arms.clear();
  out.composite.clear();
  const auto refuse = [&out](SurfaceProblem problem) {
    out.problem = problem;
    out.sections.clear();
    return problem;
  };
  if (slices < 1) return refuse(SurfaceProblem::invalid);
  if (slices >= kMaxCutSections) return refuse(SurfaceProblem::too_many_sections);
  if (const SurfaceProblem p = check_surface(surface); p != SurfaceProblem::none) {
    return refuse(p);
  }
  const GroundCrossing crossing = meet_ground(surface, model.ground);
  if (crossing.problem != SurfaceProblem::none) return refuse(crossing.problem);
  Point left = crossing.left;
  Point right = crossing.right;
  if (!(right.x > left.x)) return refuse(SurfaceProblem::too_thin);
  if (surface.kind == SlipSurface::Kind::circle && options_.composite && !m.floor.empty() &&
      m.following == nullptr) {
    Polyline points;
    double from = 0.0;
    double to = 0.0;
    if (composite_polyline(surface.circle, m.floor, left.x, right.x, std::max(slices, 16), points,
                           from, to)) {
      const SlipSurface followed{SlipSurface::Kind::polyline,
                                 {},
                                 std::move(points),
                                 true,
                                 {surface.circle.xc, surface.circle.yc}};
      m.following = &m.floor;
      const SurfaceProblem p = cut(followed, slices, out);
      m.following = nullptr;
      if (p == SurfaceProblem::none) {
        out.composite = followed.polyline;
        out.followed_from = from;
        out.followed_to = to;
        out.axis_rule = Cut::AxisRule::centre;
      }
      return p;
    }
  }
  if (passes_below(surface, model.bedrock, left.x, right.x)) {
    return refuse(SurfaceProblem::below_bedrock);
  }
  const bool head_left = left.y >= right.y;
  Point bottom;
  if (m.crack_range.any && m.find_crack(surface, head_left, left, right, bottom)) {
    out.crack.present = true;
    (head_left ? left : right) = bottom;
  }
  if (const SurfaceProblem p = m.place_sections(surface, slices, left.x, right.x);
      p != SurfaceProblem::none) {
    return refuse(p);
  }

  m.sample_lines(surface, left, right, out.crack.present && head_left,
                 out.crack.present && !head_left);
  m.edges_in.clear();
  const std::span<const RegionEdge> edges = m.map.edges();
  for (std::size_t i = 0; i < edges.size(); ++i) {
    if (edges[i].x1 > left.x && edges[i].x0 < right.x) {
      m.edges_in.push_back(static_cast<std::int32_t>(i));
    }
  }
  m.loads_in.clear();
  for (std::size_t i = 0; i < model.loads.size(); ++i) {
    const Load& load = model.loads[i];
    if (std::max(load.from, load.to) >= left.x && std::min(load.from, load.to) <= right.x) {
      m.loads_in.push_back(static_cast<std::int32_t>(i));
    }
  }

  const std::size_t slice_count = m.xs.size() - 1;
  for (std::vector<double>* v :
       {&m.weight_lower, &m.weight_upper, &m.filled_lower, &m.filled_upper, &m.intensity}) {
    v->resize(slice_count);
  }
  m.base_soil.resize(slice_count);
  if (m.one_fill) {
    m.fill_with_one_soil();
  } else {
    for (std::size_t j = 0; j < slice_count; ++j) m.weigh_slice(j);
  }
  if (m.following != nullptr) m.follow_layers();
  m.water_at_sections();

  const Point axis = m.axis_of(surface, out.axis_rule);
  if (out.crack.present) m.crack_water(bottom, head_left, axis, out);
  if (m.ponded) m.ponded_water(head_left, axis, out);
  out.loads.kh = model.seismic.kh;
  out.loads.kv = model.seismic.kv;
  out.loads.axis_x = axis.x;
  out.loads.axis_y = axis.y;
  out.loads.active = model.seismic.any() || !out.water_moment.empty();

  m.fill(out, head_left);
  if (surface.kind == SlipSurface::Kind::polyline &&
      options_.moments == method::MomentForm::general) {
    out.arms.compute(out.sections, axis.x, axis.y);
  }
  out.entry = head_left ? left : right;
  out.exit = head_left ? right : left;

  // Hostile numbers that passed every test above still never reach the
  // methods as a result.
  bool finite = true;
  for (const method::Section& s : out.sections) {
    // Each test taken, not short-circuited: the loop has one branch.
    finite = finite & std::isfinite(s.x) & std::isfinite(s.ground_level) &
             std::isfinite(s.slip_level) & std::isfinite(s.lower_height) &
             std::isfinite(s.pore_head) & std::isfinite(s.lower_unit_weight) &
             std::isfinite(s.upper_unit_weight);
  }
  if (!finite) return refuse(SurfaceProblem::invalid);
  out.problem = SurfaceProblem::none;
  return out.problem;
}

std::vector<std::string_view> unwritable_forces(const Cut& cut) {
  std::vector<std::string_view> names;
  if (cut.crack.thrust != 0.0) names.emplace_back("crack water");
  if (cut.loads.kh != 0.0 || cut.loads.kv != 0.0) names.emplace_back("earthquake");
  // Water standing over a level top pushes on no top sideways, but the
  // methods still share its push on the slices' sides out among them (see
  // ponded_water), which a data file cannot say.
  if (cut.water_standing) names.emplace_back("horizontal water thrust");
  return names;
}

}  // namespace slope
