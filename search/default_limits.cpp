#include "search/default_limits.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace search {
namespace {

/// The least level of `bedrock` over [from, to] (its segments are straight,
/// so at a vertex or an end); NaN when it does not reach there.
double lowest_bedrock(const slope::Polyline& bedrock, double from, double to) {
  double least = std::numeric_limits<double>::quiet_NaN();
  if (bedrock.size() < 2) return least;
  const auto take = [&](double level) {
    if (std::isnan(least) || level < least) least = level;
  };
  const double lo = std::max(from, bedrock.front().x);
  const double hi = std::min(to, bedrock.back().x);
  if (!(lo <= hi)) return least;
  take(ground_level(bedrock, lo));
  take(ground_level(bedrock, hi));
  for (const slope::Point& p : bedrock) {
    if (p.x > lo && p.x < hi) take(p.y);
  }
  return least;
}

}  // namespace

DefaultLimits default_limits(const slope::Model& model, std::optional<Face> face,
                             std::int32_t slices, bool composite) {
  DefaultLimits out;
  const slope::Polyline& ground = model.ground;
  out.face = face ? find_face(ground, *face) : higher_face(ground);
  const double h = out.face.height;
  if (!(h > 0.0)) return out;
  out.found = true;
  const double length = std::fabs(out.face.crest.x - out.face.toe.x);
  const double lo_x = std::min(out.face.toe.x, out.face.crest.x) - 0.5 * h;
  const double hi_x = std::max(out.face.toe.x, out.face.crest.x) + 0.5 * h;
  const double crest_y = out.face.crest.y;
  double lowest = out.face.toe.y - h;
  const double bedrock = lowest_bedrock(model.bedrock, lo_x, hi_x);
  if (bedrock > lowest && !composite) {
    lowest = bedrock;
    out.bedrock = true;
  }
  const double highest = crest_y - 0.1 * h;

  std::int32_t count = kDefaultCount;
  out.grid.kind = GridKind::centres_tangents;
  for (;;) {
    out.grid.axes = {Axis{lo_x, hi_x, count},
                     Axis{crest_y, crest_y + 1.5 * std::max(h, length), count},
                     Axis{lowest, std::max(highest, lowest), lowest < highest ? count : 1}};
    if (count <= kLeastDefaultCount || grid_work(out.grid, ground, slices) <= kDefaultWork) break;
    --count;
  }
  return out;
}

}  // namespace search
