// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The geometry kernel the components share: slope, crossing of segments, the
// points at a thickness inside a surface, heights at a station, and the walks
// along the airfoil point list.
//
// The point list runs from the trailing edge over the upper surface to the
// nose and back along the lower surface; index 0 is the head and "next" is
// the following index. Every walk compares only the x of the following point,
// never tests the point it starts from, and stops at the last point of the
// list: none of them ever steps past the end. Positions are indices into the
// list; for an empty list every walk returns 0 and hasNext() is false.
#include <cstddef>
#include <optional>

#include "geom/Constants.h"
#include "geom/Point.h"

namespace parvelin::geom {

// Slope dy/dx of the segment a -> b in double precision. A segment without
// chordwise extent has no finite slope: +-infinity when it runs straight up
// or down, NaN when both ends coincide (a doubled point). Callers say what
// such a segment means to them.
double slope(Point a, Point b);

// Where the infinite lines through segment A (a1 -> a2) and segment B
// (b1 -> b2) cross, formed in double precision and rounded to single; it
// counts only within the x and y range of A, ends included (B's extent is not
// tested). Parallel lines, and lines through a segment of no length, have no
// crossing. The point is taken along A, so a level or upright A gives a
// crossing exactly at its own height or x.
std::optional<Point> crossing(Point a1, Point a2, Point b1, Point b2);

// Which side of the surface an inner line lies on, and how its x is taken.
enum class InnerSide { AboveLower, BelowUpper, FirstBelowUpper };

// The point at thickness t inside the surface from (px, py), for the slope of
// the surface segment s0 -> s1: straight in for a level segment, otherwise
// perpendicular to the segment, towards the leading edge. The first point of
// an upper inner line takes its x along the signed slope instead. An upright
// segment has no finite slope; as the slope grows the point moves to t
// towards the leading edge at the surface point's height, and that limit is
// taken.
Point offsetPoint(double px, double py, Point s0, Point s1, double t, InnerSide side);

// The far end b of the segment a -> b moved t perpendicular to it, below the
// upper surface and aft (the start of the segment's parallel at thickness t).
// A segment with no length is taken as level; an upright one's parallel lies
// t behind it.
struct OffsetEnd {
    double x;
    double y;
};
OffsetEnd parallelEnd(Point a, Point b, double t);

// Height of the straight line through p0 and p1 at x = a, formed in double
// precision from the single-precision points and rounded to single
// precision; a point lying at x = a gives exactly its own height. When both
// ends have the same x there is no line to follow: p1's height is taken (the
// point that ended the search). Far outside the bracket, where the line
// overflows single precision, p1's height stands in as well.
float heightAt(float a, Point p0, Point p1);

// --- Walks along the point list ---

inline bool hasNext(Points points, std::size_t p) { return p + 1 < points.size(); }

// Moves on while the x of the following point is greater than `a`.
std::size_t advanceWhileNextAbove(Points points, std::size_t p, double a);
// Moves on while the x of the following point is greater than or equal to `a`.
std::size_t advanceWhileNextAtOrAbove(Points points, std::size_t p, double a);
// Moves on while the x of the following point is less than `a`.
std::size_t advanceWhileNextBelow(Points points, std::size_t p, double a);

// The nose: the first point with x <= 0. Many real files have no such point
// (the nose of E387 lies at x = 0.00044); then the smallest x stands in for 0
// and the first point with that x is the nose. 0 for an empty list.
std::size_t noseIndex(Points points);

// The x of the nose as a station: 0 when a point lies at or ahead of 0,
// otherwise the smallest x; infinity for an empty list.
float noseStation(Points points);

// True when the list, closed from its last point back to its first, runs
// clockwise (negative signed area): a file that gives its lower surface
// first. The area is summed in double.
bool runsClockwise(Points points);

} // namespace parvelin::geom
