// SPDX-License-Identifier: GPL-3.0-or-later
#include "geom/Geometry.h"
#include "geom/Polygon.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace parvelin::geom {

double slope(Point a, Point b) {
    const double dy = static_cast<double>(b.modelY) - a.modelY;
    const double dx = static_cast<double>(b.modelX) - a.modelX;
    if (dx == 0.0) {
        if (dy == 0.0) return std::numeric_limits<double>::quiet_NaN();
        return dy > 0.0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    }
    return dy / dx;
}

std::optional<Point> crossing(Point a1, Point a2, Point b1, Point b2) {
    const double dax = static_cast<double>(a2.modelX) - a1.modelX;
    const double day = static_cast<double>(a2.modelY) - a1.modelY;
    const double dbx = static_cast<double>(b2.modelX) - b1.modelX;
    const double dby = static_cast<double>(b2.modelY) - b1.modelY;
    const double denominator = dax * dby - day * dbx;
    if (denominator == 0.0) return std::nullopt;
    const double along =
        ((static_cast<double>(b1.modelX) - a1.modelX) * dby - (static_cast<double>(b1.modelY) - a1.modelY) * dbx) /
        denominator;
    const Point c{modelFloat(a1.modelX + along * dax), modelFloat(a1.modelY + along * day)};
    // Comparisons with a value that is not a number fail, so such a crossing
    // never counts.
    const bool inX = std::min(a1.modelX, a2.modelX) <= c.modelX && c.modelX <= std::max(a1.modelX, a2.modelX);
    const bool inY = std::min(a1.modelY, a2.modelY) <= c.modelY && c.modelY <= std::max(a1.modelY, a2.modelY);
    if (!inX || !inY) return std::nullopt;
    return c;
}

Point offsetPoint(double px, double py, Point s0, Point s1, double t, InnerSide side) {
    const bool below = side != InnerSide::AboveLower;
    const double m = slope(s0, s1);
    if (m == 0.0 || std::isnan(m))  // level, or no length at all
        return {modelFloat(px), modelFloat(below ? py - t : py + t)};
    if (std::isinf(m)) return {modelFloat(px - t), modelFloat(py)};
    const double delta = t / std::sqrt(1.0 + m * m);
    const double x = side == InnerSide::FirstBelowUpper ? px + m * delta : px - std::fabs(m) * delta;
    return {modelFloat(x), modelFloat(below ? py - delta : py + delta)};
}

OffsetEnd parallelEnd(Point a, Point b, double t) {
    const double k = static_cast<float>(slope(a, b));
    if (std::isnan(k)) return {b.modelX, b.modelY - t};
    if (std::isinf(k)) return {b.modelX + t, b.modelY};
    const double dy = static_cast<double>(b.modelY) - a.modelY;
    const double dx = static_cast<double>(b.modelX) - a.modelX;
    const double v = std::sqrt(t * t / (dy * dy / (dx * dx) + 1.0));
    return {b.modelX + std::fabs(k) * v, b.modelY - v};
}

float heightAt(float a, Point p0, Point p1) {
    const float x0 = p0.modelX;
    const float y0 = p0.modelY;
    const float x1 = p1.modelX;
    const float y1 = p1.modelY;
    if (x1 == x0) return y1;
    const double d0 = y0;
    const float height =
        modelFloat(d0 + (static_cast<double>(a) - x0) / (static_cast<double>(x1) - x0) * (static_cast<double>(y1) - y0));
    return std::isfinite(height) ? height : y1;
}

std::size_t advanceWhileNextAbove(Points points, std::size_t p, double a) {
    while (hasNext(points, p) && static_cast<double>(points[p + 1].modelX) > a) ++p;
    return p;
}

std::size_t advanceWhileNextAtOrAbove(Points points, std::size_t p, double a) {
    while (hasNext(points, p) && static_cast<double>(points[p + 1].modelX) >= a) ++p;
    return p;
}

std::size_t advanceWhileNextBelow(Points points, std::size_t p, double a) {
    while (hasNext(points, p) && static_cast<double>(points[p + 1].modelX) < a) ++p;
    return p;
}

std::size_t noseIndex(Points points) {
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].modelX <= 0.0f) return i;
    std::size_t nose = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].modelX < points[nose].modelX) nose = i;
    return nose;
}

float noseStation(Points points) {
    if (points.empty()) return std::numeric_limits<float>::infinity();
    const float x = points[noseIndex(points)].modelX;
    return x <= 0.0f ? 0.0f : x;
}

bool runsClockwise(Points points) {
    return signedArea(points) < 0.0;
}

} // namespace parvelin::geom
