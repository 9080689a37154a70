// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Polygons in the chord's unit as Clipper's integer paths and back. Clipper
// works on integers: a ten-thousandth of the unit (0.1 um in millimetres)
// keeps every airfoil point apart. Its integers hold about 4.6e18, so
// coordinates are kept well inside that (a kilometre-long rib in millimetres
// is still 1e6): a polygon is only handed over when it is layable.
#include <polyclipping/clipper.hpp>

#include <cmath>

#include "wing/Polygon.h"

namespace parvelin::wing {

inline constexpr double kClipperScale = 1e4;
inline constexpr double kLargestCoordinate = 1e12;

inline bool layable(const Polygon& polygon) {
    for (const Vec2& p : polygon)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::abs(p.x) > kLargestCoordinate ||
            std::abs(p.y) > kLargestCoordinate)
            return false;
    return true;
}

inline ClipperLib::Path toPath(const Polygon& polygon) {
    ClipperLib::Path path;
    path.reserve(polygon.size());
    for (const Vec2& p : polygon)
        path.emplace_back(static_cast<ClipperLib::cInt>(std::llround(p.x * kClipperScale)),
                          static_cast<ClipperLib::cInt>(std::llround(p.y * kClipperScale)));
    return path;
}

inline Polygon fromPath(const ClipperLib::Path& path) {
    Polygon polygon;
    polygon.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path)
        polygon.push_back(Vec2{static_cast<double>(p.X) / kClipperScale, static_cast<double>(p.Y) / kClipperScale});
    return polygon;
}

} // namespace parvelin::wing
