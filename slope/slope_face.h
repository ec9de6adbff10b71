// The slope face of a ground line: where the ground falls from its crest to
// its toe, towards -x or +x. The search's default limits and the tension
// crack's default range start from it.
#pragma once

#include "slope/model.h"

namespace slope {

/// A slope face by the way its ground falls.
enum class Face {
  left,  ///< the ground falls towards -x: the crest is right of the toe
  right  ///< the ground falls towards +x: the crest is left of the toe
};

/// A face of the ground.
struct SlopeFace {
  Face face = Face::left;
  Point crest;          ///< the first highest ground point seen from the face's side
  Point toe;            ///< the lowest ground point below the face, nearest the crest
  double height = 0.0;  ///< crest.y - toe.y; 0 when the ground does not fall that way
};

/// The face of `ground` (at least 2 points) falling towards `face`. Left:
/// the crest is the leftmost point of the ground's greatest level, the toe
/// the rightmost point of least level left of it; right: mirrored.
[[nodiscard]] SlopeFace find_face(const Polyline& ground, Face face);

/// The higher of the two faces of `ground` (the left one on a tie).
[[nodiscard]] SlopeFace higher_face(const Polyline& ground);

}  // namespace slope
