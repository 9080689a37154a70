// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain polygons in the chord's unit (millimetres or inches): the rib's
// outline, its building tabs and the parts laid out on a sheet.
#include <vector>

#include "geom/Point.h"
#include "geom/Polygon.h"

namespace parvelin::wing {

using Vec2 = geom::ModelPoint;

// A closed polygon: the last point joins the first; it is not repeated.
using Polygon = std::vector<Vec2>;

using geom::Box;
// The smallest box around a polygon, and its signed area (positive anticlockwise).
using geom::bounds;
using geom::signedArea;

Polygon translated(const Polygon& polygon, double dx, double dy);

} // namespace parvelin::wing
