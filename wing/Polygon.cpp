// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/Polygon.h"

#include <algorithm>

namespace parvelin::wing {

Box bounds(const Polygon& polygon) {
    if (polygon.empty()) return Box{};
    Box box{polygon.front().x, polygon.front().y, polygon.front().x, polygon.front().y};
    for (const Vec2& p : polygon) {
        box.minX = std::min(box.minX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxX = std::max(box.maxX, p.x);
        box.maxY = std::max(box.maxY, p.y);
    }
    return box;
}

double signedArea(const Polygon& polygon) {
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vec2& a = polygon[i];
        const Vec2& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice * 0.5;
}

Polygon translated(const Polygon& polygon, double dx, double dy) {
    Polygon moved;
    moved.reserve(polygon.size());
    for (const Vec2& p : polygon) moved.push_back(Vec2{p.x + dx, p.y + dy});
    return moved;
}

} // namespace parvelin::wing
