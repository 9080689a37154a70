// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Triangles that fill a flat outline with holes: the faces of a rib's sides
// and of a bar's ends. Ear clipping, each hole first joined to the outline by
// a bridge to a vertex it can see, so that any simple outline with any number
// of simple holes inside it is filled, whatever its turning.
#include <array>
#include <cstdint>
#include <vector>

#include "wing/Polygon.h"

namespace parvelin::mesh {

using wing::Polygon;
using wing::Vec2;

// An outline and the holes inside it, each a closed polygon (the last point
// joins the first). Either turning is accepted.
struct Shape {
    Polygon outer;
    std::vector<Polygon> holes;
};

// The shape made ready for meshing: repeated neighbouring points dropped,
// the outline anticlockwise, every hole clockwise, holes with fewer than
// three points left out. `outer` empty when the outline has fewer than three.
Shape normalized(const Shape& shape);

// The points of the shape in one list: the outline's, then each hole's in
// order. Triangle corners index into it.
std::vector<Vec2> shapePoints(const Shape& shape);

// The shape's area: the outline's less its holes'.
double shapeArea(const Shape& shape);

using Triangle = std::array<std::uint32_t, 3>;

// Triangles, anticlockwise, filling a normalized shape; each edge of the
// outline and of every hole is the edge of exactly one triangle, every other
// edge is shared by two. Empty when the outline has fewer than three points.
std::vector<Triangle> triangulate(const Shape& shape);

} // namespace parvelin::mesh
