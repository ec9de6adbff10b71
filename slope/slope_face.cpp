#include "slope/slope_face.h"

#include <algorithm>
#include <cstddef>

namespace slope {

SlopeFace find_face(const Polyline& ground, Face face) {
  SlopeFace out;
  out.face = face;
  const std::size_t n = ground.size();
  // Walk from the face's side: index k of the walk is point k from the left
  // for a left face, from the right for a right face.
  const auto point = [&](std::size_t k) -> const Point& {
    return face == Face::left ? ground[k] : ground[n - 1 - k];
  };
  double top = point(0).y;
  for (std::size_t k = 1; k < n; ++k) top = std::max(top, point(k).y);
  std::size_t crest = 0;
  while (point(crest).y < top) ++crest;
  // Only points before the crest in the walk lie on its face side.
  std::size_t toe = 0;
  for (std::size_t k = 1; k < crest; ++k) {
    if (point(k).y <= point(toe).y) toe = k;
  }
  out.crest = point(crest);
  out.toe = point(toe);
  out.height = crest == 0 ? 0.0 : out.crest.y - out.toe.y;
  return out;
}

SlopeFace higher_face(const Polyline& ground) {
  const SlopeFace left = find_face(ground, Face::left);
  const SlopeFace right = find_face(ground, Face::right);
  return right.height > left.height ? right : left;
}

}  // namespace slope
