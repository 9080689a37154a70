// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain polygons in the chord's unit (millimetres or inches): the rib's
// outline, its building tabs and the parts laid out on a sheet.
#include <vector>

namespace parvelin::wing {

struct Vec2 {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const Vec2&, const Vec2&) = default;
};

// A closed polygon: the last point joins the first; it is not repeated.
using Polygon = std::vector<Vec2>;

struct Box {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
};

// The smallest box around the polygon; an empty polygon gives an empty box at 0.
Box bounds(const Polygon& polygon);
// Signed area by the shoelace formula: positive when the points run anticlockwise.
double signedArea(const Polygon& polygon);
Polygon translated(const Polygon& polygon, double dx, double dy);

} // namespace parvelin::wing
