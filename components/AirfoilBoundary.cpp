// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/AirfoilBoundary.h"
#include "geom/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace parvelin {

AirfoilBoundary::AirfoilBoundary(AirfoilPoints points) {
    if (points.size() < 2) return;
    edges_.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const AirfoilPoint& a = points[i];
        const AirfoilPoint& b = points[(i + 1) % points.size()];
        if (a.modelX == b.modelX && a.modelY == b.modelY) continue;  // a doubled point
        const double x0 = a.modelX, y0 = a.modelY, x1 = b.modelX, y1 = b.modelY;
        if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) continue;
        edges_.push_back({x0, y0, x1, y1, std::min(x0, x1), std::max(x0, x1), std::min(y0, y1), std::max(y0, y1)});
    }
}

double AirfoilBoundary::distance(double x, double y) const {
    double best = std::numeric_limits<double>::infinity();
    for (const Edge& e : edges_) {
        const double dx = e.x1 - e.x0;
        const double dy = e.y1 - e.y0;
        double t = ((x - e.x0) * dx + (y - e.y0) * dy) / (dx * dx + dy * dy);
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(e.x0 + t * dx - x, e.y0 + t * dy - y));
    }
    return best;
}

void AirfoilBoundary::nearest(double x, double y, double& nx, double& ny) const {
    double best = std::numeric_limits<double>::infinity();
    nx = x;
    ny = y;
    for (const Edge& e : edges_) {
        const double dx = e.x1 - e.x0;
        const double dy = e.y1 - e.y0;
        const double t = std::clamp(((x - e.x0) * dx + (y - e.y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        const double px = e.x0 + t * dx;
        const double py = e.y0 + t * dy;
        const double d = std::hypot(px - x, py - y);
        if (d < best) {
            best = d;
            nx = px;
            ny = py;
        }
    }
}

bool AirfoilBoundary::contains(double x, double y, double tolerance) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    bool inside = false;
    for (const Edge& e : edges_) {
        if ((e.y0 > y) != (e.y1 > y)) {
            const double xc = e.x0 + (y - e.y0) / (e.y1 - e.y0) * (e.x1 - e.x0);
            if (x < xc) inside = !inside;
        }
    }
    return inside || distance(x, y) <= tolerance;
}

std::vector<double> AirfoilBoundary::crossings(double ax, double ay, double bx, double by) const {
    std::vector<double> ts;
    const double minX = std::min(ax, bx), maxX = std::max(ax, bx);
    const double minY = std::min(ay, by), maxY = std::max(ay, by);
    const double rx = bx - ax;
    const double ry = by - ay;
    for (const Edge& e : edges_) {
        if (e.maxX < minX || e.minX > maxX || e.maxY < minY || e.minY > maxY) continue;
        const double sx = e.x1 - e.x0;
        const double sy = e.y1 - e.y0;
        const double denominator = rx * sy - ry * sx;
        if (denominator == 0.0) continue;  // parallel: touching along it changes no side
        const double qx = e.x0 - ax;
        const double qy = e.y0 - ay;
        const double t = (qx * sy - qy * sx) / denominator;
        const double u = (qx * ry - qy * rx) / denominator;
        if (t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0) ts.push_back(t);
    }
    std::sort(ts.begin(), ts.end());
    // A segment through a corner of the outline meets both of its edges there.
    ts.erase(std::unique(ts.begin(), ts.end(), [](double a, double b) { return b - a < geom::kSameParameter; }), ts.end());
    return ts;
}

std::size_t clipToAirfoil(ComponentOutline& outline, const AirfoilBoundary& boundary, std::size_t mark) {
    if (outline.empty() || boundary.empty()) return std::min(mark, outline.size());
    ComponentOutline kept;
    std::size_t marked = outline.size() + 1;
    auto sameAsLast = [&](float x, float y) {
        const OutlineSegment* last = kept.tail();
        return last != nullptr && last->modelX == x && last->modelY == y;
    };
    for (std::size_t i = 0; i < outline.size(); ++i) {
        if (i == mark) marked = kept.size();
        const OutlineSegment& b = outline[i];
        if (i == 0 || b.penDown != 1) {
            if (boundary.contains(b.modelX, b.modelY)) kept.append(b.modelX, b.modelY, b.penDown);
            continue;
        }
        const OutlineSegment& a = outline[i - 1];
        const double ax = a.modelX, ay = a.modelY;
        const double dx = static_cast<double>(b.modelX) - ax;
        const double dy = static_cast<double>(b.modelY) - ay;
        std::vector<double> ts = boundary.crossings(ax, ay, b.modelX, b.modelY);
        ts.insert(ts.begin(), 0.0);
        ts.push_back(1.0);
        for (std::size_t k = 0; k + 1 < ts.size(); ++k) {
            const double t0 = ts[k];
            const double t1 = ts[k + 1];
            const double mid = 0.5 * (t0 + t1);
            if (!boundary.contains(ax + mid * dx, ay + mid * dy)) continue;
            // Piece ends: the segment's own nodes where it has them, the
            // crossings otherwise.
            const float x0 = t0 == 0.0 ? a.modelX : modelFloat(ax + t0 * dx);
            const float y0 = t0 == 0.0 ? a.modelY : modelFloat(ay + t0 * dy);
            const float x1 = t1 == 1.0 ? b.modelX : modelFloat(ax + t1 * dx);
            const float y1 = t1 == 1.0 ? b.modelY : modelFloat(ay + t1 * dy);
            if (!sameAsLast(x0, y0)) kept.append(x0, y0, kept.empty() ? b.penDown : 0);
            kept.append(x1, y1, 1);
        }
    }
    outline = kept;
    return std::min(marked, outline.size());
}

} // namespace parvelin
