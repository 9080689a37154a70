// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/AirfoilSurfaces.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace parvelin::wing {

AirfoilSurfaces splitSurfaces(AirfoilPoints points) {
    AirfoilSurfaces s;
    if (points.size() < 2) return s;
    std::size_t nose = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].modelX < points[nose].modelX) nose = i;
    s.closed = points.size() > 2 && points.front().modelX == points.back().modelX &&
               points.front().modelY == points.back().modelY;
    for (std::size_t i = nose + 1; i-- > 0;) s.upper.push_back(Vec2{points[i].modelX, points[i].modelY});
    for (std::size_t i = nose; i < points.size(); ++i) s.lower.push_back(Vec2{points[i].modelX, points[i].modelY});
    // Files list either surface first; compare the runs' heights over the chord.
    const double x0 = points[nose].modelX;
    const double x1 = std::max(s.upper.back().x, s.lower.back().x);
    double first = 0.0;
    double second = 0.0;
    for (const double f : {0.1, 0.3, 0.5, 0.7, 0.9}) {
        first += heightAt(s.upper, x0 + f * (x1 - x0));
        second += heightAt(s.lower, x0 + f * (x1 - x0));
    }
    if (first < second) {
        std::swap(s.upper, s.lower);
        s.upperFirst = false;
    }
    return s;
}

double heightAt(const std::vector<Vec2>& run, double x) {
    if (run.empty()) return 0.0;
    if (run.size() == 1) return run.front().y;
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
        const Vec2& a = run[i];
        const Vec2& b = run[i + 1];
        const double lo = std::min(a.x, b.x);
        const double hi = std::max(a.x, b.x);
        if (x < lo || x > hi) continue;
        if (hi == lo) return b.y;
        return a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y);
    }
    // Outside the run: the end nearer in x.
    const Vec2& first = run.front();
    const Vec2& last = run.back();
    return std::abs(x - first.x) <= std::abs(x - last.x) ? first.y : last.y;
}

Polygon airfoilPolygon(AirfoilPoints points, double chord) {
    Polygon polygon;
    polygon.reserve(points.size());
    for (const AirfoilPoint& p : points) polygon.push_back(Vec2{p.modelX * chord, p.modelY * chord});
    if (polygon.size() > 2 && polygon.front() == polygon.back()) polygon.pop_back();
    return polygon;
}

} // namespace parvelin::wing
