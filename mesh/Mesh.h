// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Closed triangle meshes: the solids of a rib extruded by its thickness and
// of the bars that run from rib to rib, their checks (closed, turned
// outward, volume) and picking along a ray.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mesh/Triangulate.h"

namespace parvelin::mesh {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& a, double s);
double dot(const Vec3& a, const Vec3& b);
Vec3 cross(const Vec3& a, const Vec3& b);

// One solid: its corners and its triangles, each anticlockwise seen from
// outside.
struct TriangleMesh {
    std::vector<Vec3> vertices;
    std::vector<Triangle> triangles;
};

// Places a point of a section's plane (u, v) at depth w in the model.
using PlaneToModel = std::function<Vec3(double u, double v, double w)>;

// The shape extruded from depth w0 to w1 (w1 > w0) and placed by `place`;
// holes stay open through the solid. `place` may mirror: the triangles are
// turned so that they face outward either way. Empty for an empty shape.
TriangleMesh extrude(const Shape& shape, double w0, double w1, const PlaneToModel& place);

// A solid through a row of sections of one simple outline: sections[k] are
// the outline's points (the same count in every section, anticlockwise in
// their plane) already placed in the model, each section further along the
// row than the one before in the direction its plane's normal (u x v)
// points after placing; the first and last are closed by faces that fill
// `firstFace` and `lastFace` (the same outlines in their planes).
TriangleMesh loft(const std::vector<std::vector<Vec3>>& sections, const Polygon& firstFace, const Polygon& lastFace);

// Turns every triangle round (after a mirroring).
void turnInsideOut(TriangleMesh& mesh);

struct Box3 {
    Vec3 min;
    Vec3 max;
    bool empty = true;
    void add(const Vec3& p);
    void add(const Box3& box);
};
Box3 bounds(const TriangleMesh& mesh);

// The enclosed volume (divergence theorem): positive for a closed solid whose
// triangles face outward.
double volume(const TriangleMesh& mesh);

// Whether the mesh is a closed surface with one orientation: every edge
// a->b of a triangle is met exactly once as b->a by another triangle, and no
// edge a->b is used twice. `problem` says what is wrong when it is not.
bool isClosed(const TriangleMesh& mesh, std::string* problem = nullptr);

// The distance along the ray (origin + t * direction, t > 0) to the nearest
// triangle it passes through; negative when it meets none.
double rayHit(const TriangleMesh& mesh, const Vec3& origin, const Vec3& direction);

} // namespace parvelin::mesh
