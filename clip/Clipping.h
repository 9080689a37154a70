// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Polygons as Clipper's integer paths and back, and the polygon operations
// the program runs on them. Clipper works on integers; a grid says how many
// integers make one unit and how far out a coordinate is held. There are two,
// one per kind of unit, so that each kind keeps the grid its stored outputs
// were made on:
// - kChordGrid, rib geometry in chords (values about 1): 1e-8 chord is 2e-6 mm
//   on a 200 mm rib, and coordinates held within 8 chords of the nose stay
//   within the range (about 1.07e9 integers) where Clipper needs no wide
//   products.
// - kLengthGrid, wing parts and hot-wire sections in the chord's unit
//   (millimetres up to a few thousand, or inches): a ten-thousandth of the
//   unit (0.1 um) keeps every airfoil point apart; coordinates are held within
//   1e12 units, 1e16 integers, well inside Clipper's limit of about 4.6e18.
// A finer length grid (1e8 per millimetre) would also stay in range, but moves
// the nested parts' cut paths in their sixth decimal.
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "geom/Polygon.h"

namespace parvelin::clipping {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

struct Grid {
    double scale;    // integers per unit
    double largest;  // units from the origin a coordinate is held within
};

inline constexpr Grid kChordGrid{1e8, 8.0};
inline constexpr Grid kLengthGrid{1e4, 1e12};

// A coordinate on the grid; beyond the grid's largest it is held at that bound.
inline cInt toInt(double v, const Grid& grid) {
    return static_cast<cInt>(std::llround(std::clamp(v, -grid.largest, grid.largest) * grid.scale));
}

inline double toUnits(cInt v, const Grid& grid) { return static_cast<double>(v) / grid.scale; }

// An area in square integers as square units.
inline double toSquareUnits(double gridArea, const Grid& grid) { return gridArea / (grid.scale * grid.scale); }

// Whether every coordinate is a number within the grid's largest: only such
// a polygon is handed over as it stands.
template <typename Range>
bool layable(const Range& polygon, const Grid& grid) {
    for (const auto& p : polygon) {
        const double x = geom::pointX(p), y = geom::pointY(p);
        if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > grid.largest || std::abs(y) > grid.largest)
            return false;
    }
    return true;
}

// Whether every coordinate is a number (a polygon of chords is held to its
// grid's bound instead of refused).
template <typename Range>
bool finite(const Range& polygon) {
    for (const auto& p : polygon)
        if (!std::isfinite(geom::pointX(p)) || !std::isfinite(geom::pointY(p))) return false;
    return true;
}

template <typename Range>
Path toPath(const Range& polygon, const Grid& grid) {
    Path path;
    path.reserve(std::size(polygon));
    for (const auto& p : polygon) path.emplace_back(toInt(geom::pointX(p), grid), toInt(geom::pointY(p), grid));
    return path;
}

// A path back in units, as a polygon of the caller's point type.
template <typename Polygon>
Polygon fromPath(const Path& path, const Grid& grid) {
    Polygon polygon;
    polygon.reserve(path.size());
    for (const IntPoint& p : path) polygon.push_back({toUnits(p.X, grid), toUnits(p.Y, grid)});
    return polygon;
}

// The path with the largest area (of either orientation); null for none.
const Path* largestPath(const Paths& paths);

// The largest path turned to run anticlockwise; empty for none.
Path largestAnticlockwise(const Paths& paths);

// Paths grown (or shrunk, for a negative distance) by `distance` units;
// round joins keep within `arcTolerance` units of the true arc, mitred ones
// reach at most `miterLimit` times the distance.
Paths offset(const Paths& paths, double distance, double arcTolerance, const Grid& grid,
             ClipperLib::JoinType join = ClipperLib::jtRound,
             ClipperLib::EndType end = ClipperLib::etClosedPolygon, double miterLimit = 2.0);

// `subject` combined with `by` (union, difference or intersection), both
// filled by the non-zero rule.
Paths combine(ClipperLib::ClipType type, const Paths& subject, const Paths& by);

// The path split into simple polygons where it crosses itself.
Paths simplified(const Path& path);

} // namespace parvelin::clipping
