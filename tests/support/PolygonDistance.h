// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clearance between two laid-out parts: the shortest distance between
// their outlines (0 when they touch or cross), for checking the gap a
// nesting promises.
#include <algorithm>
#include <cmath>
#include <limits>

#include "wing/Polygon.h"

namespace parvelin::testing {

inline double pointToSegment(wing::Vec2 p, wing::Vec2 a, wing::Vec2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Outlines that do not cross: the nearest points of two of them lie at a
// corner of one of them.
inline double outlineDistance(const wing::Polygon& a, const wing::Polygon& b) {
    double best = std::numeric_limits<double>::infinity();
    for (const auto* pair : {&a, &b}) {
        const wing::Polygon& from = *pair;
        const wing::Polygon& to = pair == &a ? b : a;
        for (const wing::Vec2& p : from)
            for (std::size_t i = 0; i < to.size(); ++i)
                best = std::min(best, pointToSegment(p, to[i], to[(i + 1) % to.size()]));
    }
    return best;
}

} // namespace parvelin::testing
