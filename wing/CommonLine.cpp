// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/CommonLine.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace parvelin::wing {
namespace {

struct Interval {
    double from = 0.0;
    double to = 0.0;
};

double length(Vec2 a, Vec2 b) { return std::hypot(b.x - a.x, b.y - a.y); }

// The stretch of edge a-b (as fractions of it) that edge c-d lies on, if any.
bool coveredBy(Vec2 a, Vec2 b, Vec2 c, Vec2 d, double tolerance, Interval& out) {
    const double len = length(a, b);
    if (!(len > tolerance)) return false;
    const Vec2 u{(b.x - a.x) / len, (b.y - a.y) / len};
    auto offLine = [&](Vec2 p) { return std::fabs((p.x - a.x) * u.y - (p.y - a.y) * u.x); };
    if (offLine(c) > tolerance || offLine(d) > tolerance) return false;
    auto along = [&](Vec2 p) { return ((p.x - a.x) * u.x + (p.y - a.y) * u.y) / len; };
    const double t0 = std::clamp(std::min(along(c), along(d)), 0.0, 1.0);
    const double t1 = std::clamp(std::max(along(c), along(d)), 0.0, 1.0);
    if ((t1 - t0) * len <= tolerance) return false;
    out = Interval{t0, t1};
    return true;
}

bool boxesMeet(const Box& a, const Box& b, double tolerance) {
    return a.minX <= b.maxX + tolerance && b.minX <= a.maxX + tolerance && a.minY <= b.maxY + tolerance &&
           b.minY <= a.maxY + tolerance;
}

// The stretches of edge a-b (fractions of it) left to cut once the earlier
// paths' edges that lie on it are cut; adds what they cover to `shared`.
std::vector<Interval> keptOfEdge(Vec2 a, Vec2 b, std::span<const Polygon> earlier, const std::vector<Box>& boxes,
                                 const Box& own, double tolerance, double& shared) {
    std::vector<Interval> covered;
    for (std::size_t j = 0; j < earlier.size(); ++j) {
        if (!boxesMeet(own, boxes[j], tolerance)) continue;
        const Polygon& other = earlier[j];
        for (std::size_t f = 0; f < other.size(); ++f) {
            Interval stretch;
            if (coveredBy(a, b, other[f], other[(f + 1) % other.size()], tolerance, stretch)) covered.push_back(stretch);
        }
    }
    std::sort(covered.begin(), covered.end(), [](const Interval& x, const Interval& y) { return x.from < y.from; });
    std::vector<Interval> kept;
    double at = 0.0;
    const double len = length(a, b);
    for (const Interval& c : covered) {
        if (c.from > at) kept.push_back(Interval{at, c.from});
        if (c.to > at) {
            shared += (c.to - std::max(at, c.from)) * len;
            at = c.to;
        }
    }
    if (at < 1.0) kept.push_back(Interval{at, 1.0});
    // What a shared stretch leaves of an edge, when shorter than the
    // tolerance, is not worth a pass (an edge nothing covers is kept
    // however short: the corners are made of such).
    if (!covered.empty()) std::erase_if(kept, [&](const Interval& k) { return (k.to - k.from) * len <= tolerance; });
    return kept;
}

// The path's kept stretches as open lines. The walk round the path starts
// just after a stretch given up, so that every line runs unbroken from one
// gap to the next.
void openLines(const Polygon& path, const std::vector<std::vector<Interval>>& kept, std::vector<Polygon>& open) {
    const std::size_t n = path.size();
    std::size_t start = 0;
    for (std::size_t e = 0; e < n; ++e) {
        if (kept[e].empty() || kept[e].back().to < 1.0) {
            start = (e + 1) % n;
            break;
        }
        if (kept[e].front().from > 0.0) {
            start = e;
            break;
        }
    }
    auto point = [&](std::size_t e, double t) {
        const Vec2 a = path[e];
        const Vec2 b = path[(e + 1) % n];
        return Vec2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    };
    std::vector<Vec2> line;
    auto finish = [&] {
        open.push_back(std::move(line));
        line.clear();
    };
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t e = (start + k) % n;
        for (const Interval& piece : kept[e]) {
            if (piece.from > 0.0 && !line.empty()) finish();
            if (line.empty()) line.push_back(point(e, piece.from));
            line.push_back(point(e, piece.to));
            if (piece.to < 1.0) finish();
        }
        if (kept[e].empty() && !line.empty()) finish();
    }
    if (line.size() >= 2) open.push_back(std::move(line));
}

} // namespace

SharedCuts shareCommonLines(const std::vector<Polygon>& paths, double tolerance) {
    SharedCuts result;
    std::vector<Box> boxes;
    for (const Polygon& p : paths) boxes.push_back(bounds(p));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const Polygon& path = paths[i];
        const std::span<const Polygon> earlier(paths.data(), i);
        // Per edge, the stretches left to cut (fractions of the edge).
        std::vector<std::vector<Interval>> kept;
        bool gaveUp = false;
        for (std::size_t e = 0; e < path.size(); ++e) {
            kept.push_back(keptOfEdge(path[e], path[(e + 1) % path.size()], earlier, boxes, boxes[i], tolerance,
                                      result.sharedLength));
            if (!(kept[e].size() == 1 && kept[e][0].from == 0.0 && kept[e][0].to == 1.0)) gaveUp = true;
        }
        if (gaveUp) openLines(path, kept, result.open);
        else result.closed.push_back(path);
    }
    return result;
}

} // namespace parvelin::wing
