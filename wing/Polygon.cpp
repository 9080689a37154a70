// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/Polygon.h"

namespace parvelin::wing {

Polygon translated(const Polygon& polygon, double dx, double dy) {
    Polygon moved;
    moved.reserve(polygon.size());
    for (const Vec2& p : polygon) moved.push_back(Vec2{p.x + dx, p.y + dy});
    return moved;
}

} // namespace parvelin::wing
