// SPDX-License-Identifier: GPL-3.0-or-later
#include "mesh/Triangulate.h"
#include "geom/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace parvelin::mesh {
namespace {

double cross(const Vec2& a, const Vec2& b, const Vec2& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

Polygon cleaned(const Polygon& ring) {
    Polygon out;
    out.reserve(ring.size());
    for (const Vec2& p : ring)
        if (out.empty() || !(out.back() == p)) out.push_back(p);
    while (out.size() > 1 && out.front() == out.back()) out.pop_back();
    return out;
}

// p inside the triangle abc (anticlockwise) or on its edges.
bool inTriangle(const Vec2& a, const Vec2& b, const Vec2& c, const Vec2& p) {
    return cross(a, b, p) >= 0.0 && cross(b, c, p) >= 0.0 && cross(c, a, p) >= 0.0;
}

// The polygon being clipped: positions in a ring of point indices, a
// position's neighbours linked both ways.
struct Ring {
    const std::vector<Vec2>& points;
    std::vector<std::uint32_t> index;  // point index at each position
    std::vector<std::size_t> prev, next;

    const Vec2& at(std::size_t position) const { return points[index[position]]; }
};

// Whether the corner at `b` of the remaining ring may be cut off: it turns
// left (or, when `loose`, does not turn right) and no other corner of the
// ring lies in the triangle, corners at the triangle's own points apart.
bool isEar(const Ring& ring, std::size_t b, bool loose) {
    const std::size_t a = ring.prev[b], c = ring.next[b];
    const Vec2 &pa = ring.at(a), &pb = ring.at(b), &pc = ring.at(c);
    const double turn = cross(pa, pb, pc);
    if (loose ? turn < 0.0 : turn <= 0.0) return false;
    if (turn == 0.0) return true;  // a flat corner: a triangle with no area covers nothing
    const double minX = std::min({pa.x, pb.x, pc.x}), maxX = std::max({pa.x, pb.x, pc.x});
    const double minY = std::min({pa.y, pb.y, pc.y}), maxY = std::max({pa.y, pb.y, pc.y});
    for (std::size_t p = ring.next[c]; p != a; p = ring.next[p]) {
        const Vec2& q = ring.at(p);
        if (q.x < minX || q.x > maxX || q.y < minY || q.y > maxY) continue;
        if (q == pa || q == pb || q == pc) continue;
        if (inTriangle(pa, pb, pc, q)) return false;
    }
    return true;
}

// Whether the direction from the corner at position `k` towards `m` points
// into the polygon (the outline runs anticlockwise).
bool opensTowards(const std::vector<Vec2>& points, const std::vector<std::uint32_t>& merged, std::size_t k,
                  const Vec2& m) {
    const std::size_t n = merged.size();
    const Vec2& a = points[merged[(k + n - 1) % n]];
    const Vec2& b = points[merged[k]];
    const Vec2& c = points[merged[(k + 1) % n]];
    if (cross(a, b, c) >= 0.0)  // convex corner: between both edges
        return cross(b, c, m) >= 0.0 && cross(a, b, m) >= 0.0;
    return cross(b, c, m) >= 0.0 || cross(a, b, m) >= 0.0;  // reflex corner
}

// The nearest edge of the merged outline that the ray from m towards +x
// meets (merged.size() for none), and in `hitX` where.
std::size_t rayHit(const std::vector<Vec2>& points, const std::vector<std::uint32_t>& merged, const Vec2& m,
                   double& hitX) {
    const std::size_t n = merged.size();
    hitX = std::numeric_limits<double>::infinity();
    std::size_t hitEdge = n;
    for (std::size_t k = 0; k < n; ++k) {
        const Vec2& a = points[merged[k]];
        const Vec2& b = points[merged[(k + 1) % n]];
        if ((a.y > m.y) == (b.y > m.y) && a.y != m.y && b.y != m.y) continue;
        if (a.y == b.y) {
            if (a.y != m.y) continue;
            const double x = std::min(a.x, b.x);
            if (x >= m.x && x < hitX) hitX = x, hitEdge = k;
            continue;
        }
        if (std::min(a.y, b.y) > m.y || std::max(a.y, b.y) < m.y) continue;
        const double x = a.x + (m.y - a.y) * (b.x - a.x) / (b.y - a.y);
        if (x >= m.x && x < hitX) hitX = x, hitEdge = k;
    }
    return hitEdge;
}

// The corner of the merged outline the bridge from m runs to, given the
// edge the ray from m hit at x = hitX: that edge's right end unless a
// corner inside the triangle m, hit, end hides it.
std::size_t bridgeCorner(const std::vector<Vec2>& points, const std::vector<std::uint32_t>& merged, const Vec2& m,
                         std::size_t hitEdge, double hitX) {
    const std::size_t n = merged.size();
    const std::size_t ka = hitEdge, kb = (hitEdge + 1) % n;
    std::size_t best = points[merged[ka]].x > points[merged[kb]].x ? ka : kb;
    const Vec2 hit{hitX, m.y};
    const Vec2 p = points[merged[best]];
    if (!(hit == p)) {
        // A corner of the outline inside the triangle m, hit, p hides p:
        // take the one closest in angle to the ray, then in distance.
        double bestTan = std::numeric_limits<double>::infinity();
        double bestDist = std::numeric_limits<double>::infinity();
        const bool upward = p.y > m.y;
        for (std::size_t k = 0; k < n; ++k) {
            const Vec2& q = points[merged[k]];
            if (q.x < m.x || q == p) continue;
            const bool inside = upward ? inTriangle(m, hit, p, q) : inTriangle(m, p, hit, q);
            if (!inside) continue;
            const double t = std::abs(q.y - m.y) / std::max(q.x - m.x, geom::kSmallestDivisor);
            const double d = (q.x - m.x) * (q.x - m.x) + (q.y - m.y) * (q.y - m.y);
            if ((t < bestTan || (t == bestTan && d < bestDist)) && opensTowards(points, merged, k, m)) {
                bestTan = t;
                bestDist = d;
                best = k;
            }
        }
    }
    // Where the same point stands twice (an earlier bridge), the copy
    // whose corner opens towards m.
    const std::uint32_t chosen = merged[best];
    for (std::size_t k = 0; k < n; ++k)
        if (merged[k] == chosen && opensTowards(points, merged, k, m)) return k;
    return best;
}

// Joins a hole (its points at `first` .. `first + count`, clockwise) into the
// merged outline by a bridge from its rightmost point to a point of the
// outline that the bridge reaches without crossing an edge.
void bridgeHole(const std::vector<Vec2>& points, std::vector<std::uint32_t>& merged, std::uint32_t first,
                std::uint32_t count) {
    std::uint32_t mIndex = first;
    for (std::uint32_t i = first; i < first + count; ++i)
        if (points[i].x > points[mIndex].x || (points[i].x == points[mIndex].x && points[i].y < points[mIndex].y))
            mIndex = i;
    const Vec2 m = points[mIndex];
    const std::size_t n = merged.size();

    double hitX = 0.0;
    const std::size_t hitEdge = rayHit(points, merged, m, hitX);
    std::size_t best = hitEdge < n ? bridgeCorner(points, merged, m, hitEdge, hitX) : n;
    if (best == n) {
        // No edge to the right (a hole that is not inside): the nearest point.
        double nearest = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < n; ++k) {
            const Vec2& q = points[merged[k]];
            const double d = (q.x - m.x) * (q.x - m.x) + (q.y - m.y) * (q.y - m.y);
            if (d < nearest) nearest = d, best = k;
        }
    }

    std::vector<std::uint32_t> loop;
    loop.reserve(count + 2);
    for (std::uint32_t i = 0; i <= count; ++i) loop.push_back(first + (mIndex - first + i) % count);
    loop.push_back(merged[best]);
    merged.insert(merged.begin() + static_cast<std::ptrdiff_t>(best) + 1, loop.begin(), loop.end());
}

} // namespace

Shape normalized(const Shape& shape) {
    Shape out;
    out.outer = cleaned(shape.outer);
    if (out.outer.size() < 3) {
        out.outer.clear();
        return out;
    }
    if (signedArea(out.outer) < 0.0) std::reverse(out.outer.begin(), out.outer.end());
    for (const Polygon& hole : shape.holes) {
        Polygon h = cleaned(hole);
        if (h.size() < 3) continue;
        if (signedArea(h) > 0.0) std::reverse(h.begin(), h.end());
        out.holes.push_back(std::move(h));
    }
    return out;
}

std::vector<Vec2> shapePoints(const Shape& shape) {
    std::vector<Vec2> points = shape.outer;
    for (const Polygon& hole : shape.holes) points.insert(points.end(), hole.begin(), hole.end());
    return points;
}

double shapeArea(const Shape& shape) {
    double area = std::abs(signedArea(shape.outer));
    for (const Polygon& hole : shape.holes) area -= std::abs(signedArea(hole));
    return area;
}

std::vector<Triangle> triangulate(const Shape& shape) {
    if (shape.outer.size() < 3) return {};
    const std::vector<Vec2> points = shapePoints(shape);
    std::vector<std::uint32_t> merged(shape.outer.size());
    std::iota(merged.begin(), merged.end(), 0u);

    // Holes from the rightmost in: each bridge then stays clear of the
    // holes still to come.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> holes;  // first point, count
    std::uint32_t first = static_cast<std::uint32_t>(shape.outer.size());
    for (const Polygon& hole : shape.holes) {
        holes.emplace_back(first, static_cast<std::uint32_t>(hole.size()));
        first += static_cast<std::uint32_t>(hole.size());
    }
    auto rightmost = [&](const std::pair<std::uint32_t, std::uint32_t>& h) {
        double x = -std::numeric_limits<double>::infinity();
        for (std::uint32_t i = h.first; i < h.first + h.second; ++i) x = std::max(x, points[i].x);
        return x;
    };
    std::sort(holes.begin(), holes.end(), [&](const auto& a, const auto& b) { return rightmost(a) > rightmost(b); });
    for (const auto& [start, count] : holes) bridgeHole(points, merged, start, count);

    const std::size_t n = merged.size();
    Ring ring{points, merged, std::vector<std::size_t>(n), std::vector<std::size_t>(n)};
    for (std::size_t k = 0; k < n; ++k) {
        ring.prev[k] = (k + n - 1) % n;
        ring.next[k] = (k + 1) % n;
    }
    std::vector<Triangle> triangles;
    triangles.reserve(n);
    std::size_t left = n;
    std::size_t at = 0;
    auto clip = [&](std::size_t b) {
        const std::size_t a = ring.prev[b], c = ring.next[b];
        triangles.push_back({ring.index[a], ring.index[b], ring.index[c]});
        ring.next[a] = c;
        ring.prev[c] = a;
        --left;
        at = c;
    };
    while (left > 3) {
        // Strict ears first; then corners with points on their edges; then,
        // for an outline that crosses itself, any corner, so that every
        // edge still ends up in exactly one triangle.
        bool cut = false;
        for (int stage = 0; stage < 3 && !cut; ++stage) {
            std::size_t b = at;
            for (std::size_t tried = 0; tried < left; ++tried, b = ring.next[b]) {
                if (stage == 2 || isEar(ring, b, stage == 1)) {
                    clip(b);
                    cut = true;
                    break;
                }
            }
        }
    }
    if (left == 3) triangles.push_back({ring.index[ring.prev[at]], ring.index[at], ring.index[ring.next[at]]});
    return triangles;
}

} // namespace parvelin::mesh
