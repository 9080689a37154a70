// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rib geometry in chords as Clipper's integer paths and back, shared by the
// cut outline and the lightening holes so that both round to the same grid:
// 1e-8 chord is 2e-6 mm on a 200 mm rib, and coordinates held within 8
// chords of the nose stay within the range Clipper handles without wide
// products.
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>

#include "clip/CutOutline.h"

namespace parvelin::chordpaths {

inline constexpr double kScale = 1e8;   // integer units per chord
inline constexpr double kLimit = 8.0;   // chords from the nose a coordinate is held within

inline ClipperLib::cInt toInt(double v) {
    return static_cast<ClipperLib::cInt>(std::llround(std::clamp(v, -kLimit, kLimit) * kScale));
}

inline ClipperLib::Path toPath(const ModelPolygon& polygon) {
    ClipperLib::Path path;
    path.reserve(polygon.size());
    for (const ModelPoint& p : polygon) path.push_back(ClipperLib::IntPoint(toInt(p.x), toInt(p.y)));
    return path;
}

inline ModelPolygon fromPath(const ClipperLib::Path& path) {
    ModelPolygon polygon;
    polygon.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path)
        polygon.push_back({static_cast<double>(p.X) / kScale, static_cast<double>(p.Y) / kScale});
    return polygon;
}

// A polygon with any coordinate that is not a number stands for nothing.
inline bool finitePolygon(const ModelPolygon& polygon) {
    for (const ModelPoint& p : polygon)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return true;
}

} // namespace parvelin::chordpaths
