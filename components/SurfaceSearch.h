#pragma once
// Walks along the airfoil point list that the components share. The list runs
// from the trailing edge over the upper surface to the nose and back along the
// lower surface; index 0 is the head and "next" is the following index.
//
// Every walk compares only the x of the following point, never tests the
// point it starts from, and stops at the last point of the list: none of them
// ever steps past the end. Positions are indices into the list; for an empty
// list every walk returns 0 and hasNext() is false.
#include <cstddef>

#include "document/AirfoilPoint.h"

namespace parvelin::surface {

// The nose region is the first 2.5 % of the chord (a double-precision bound).
inline constexpr double kNoseRegion = 0.025;

inline bool hasNext(AirfoilPoints points, std::size_t p) { return p + 1 < points.size(); }

// Moves on while the x of the following point is greater than `a`.
std::size_t advanceWhileNextAbove(AirfoilPoints points, std::size_t p, double a);
// Moves on while the x of the following point is greater than or equal to `a`.
std::size_t advanceWhileNextAtOrAbove(AirfoilPoints points, std::size_t p, double a);
// Moves on while the x of the following point is less than `a`.
std::size_t advanceWhileNextBelow(AirfoilPoints points, std::size_t p, double a);

// The nose: the first point with x <= 0. Many real files have no such point
// (the nose of E387 lies at x = 0.00044); then the smallest x stands in for 0
// and the first point with that x is the nose. 0 for an empty list.
std::size_t noseIndex(AirfoilPoints points);

// Height of the straight line through (x0, y0) and (x1, y1) at x = a,
// y0 + (a - x0) / (x1 - x0) * (y1 - y0), formed in double precision from the
// single-precision points and rounded to single precision; a point lying at
// x = a therefore gives exactly its own height. When both ends
// have the same x there is no line to follow: the height of the second end
// (the point that ended the search) is taken, so the result stays finite.
float interpolateHeight(float a, float x0, float y0, float x1, float y1);
inline float interpolateHeight(float a, const AirfoilPoint& p0, const AirfoilPoint& p1) {
    return interpolateHeight(a, p0.modelX, p0.modelY, p1.modelX, p1.modelY);
}

} // namespace parvelin::surface
