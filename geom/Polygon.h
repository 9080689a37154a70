// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The area and the bounding box of a closed polygon (the last point joins the
// first), for every point type the program holds outlines in: the stored
// single-precision airfoil points (modelX, modelY) and the double-precision
// points computed from them (x, y). Sums run in double whatever the points
// are stored in.
#include <algorithm>
#include <cstddef>
#include <iterator>

namespace parvelin::geom {

template <typename P>
double pointX(const P& p) {
    if constexpr (requires { p.modelX; })
        return static_cast<double>(p.modelX);
    else
        return static_cast<double>(p.x);
}

template <typename P>
double pointY(const P& p) {
    if constexpr (requires { p.modelY; })
        return static_cast<double>(p.modelY);
    else
        return static_cast<double>(p.y);
}

// Signed area by the shoelace formula: positive when the points run
// anticlockwise (y up), negative clockwise, 0 for fewer than three points.
template <typename Range>
double signedArea(const Range& polygon) {
    const std::size_t n = std::size(polygon);
    double twice = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto& a = polygon[i];
        const auto& b = polygon[(i + 1) % n];
        twice += pointX(a) * pointY(b) - pointX(b) * pointY(a);
    }
    return twice / 2.0;
}

struct Box {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
    // Grows the box to take in (x, y).
    void add(double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
    template <typename P>
    void add(const P& p) {
        add(pointX(p), pointY(p));
    }
};

// The smallest box around the points; no points give an empty box at 0.
template <typename Range>
Box bounds(const Range& points) {
    if (std::size(points) == 0) return Box{};
    const double x0 = pointX(points[0]), y0 = pointY(points[0]);
    Box box{x0, y0, x0, y0};
    for (const auto& p : points) box.add(p);
    return box;
}

} // namespace parvelin::geom
