// SPDX-License-Identifier: GPL-3.0-or-later
#include "mesh/Mesh.h"
#include "geom/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace parvelin::mesh {

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(const Vec3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

namespace {

// +1 when `place` keeps the turning of (u, v, w), -1 when it mirrors.
double handedness(const PlaneToModel& place) {
    const Vec3 o = place(0.0, 0.0, 0.0);
    const Vec3 u = place(1.0, 0.0, 0.0) - o;
    const Vec3 v = place(0.0, 1.0, 0.0) - o;
    const Vec3 w = place(0.0, 0.0, 1.0) - o;
    return dot(cross(u, v), w) >= 0.0 ? 1.0 : -1.0;
}

// The side walls between two rings of `count` points starting at `a` and
// `b`: ring a lies behind ring b along the walls' length.
void walls(std::vector<Triangle>& triangles, std::uint32_t a, std::uint32_t b, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t j = (i + 1) % count;
        triangles.push_back({a + i, a + j, b + j});
        triangles.push_back({a + i, b + j, b + i});
    }
}

} // namespace

void turnInsideOut(TriangleMesh& mesh) {
    for (Triangle& t : mesh.triangles) std::swap(t[1], t[2]);
}

TriangleMesh extrude(const Shape& shape, double w0, double w1, const PlaneToModel& place) {
    TriangleMesh mesh;
    const Shape s = normalized(shape);
    if (s.outer.empty()) return mesh;
    const std::vector<Vec2> points = shapePoints(s);
    const auto n = static_cast<std::uint32_t>(points.size());
    mesh.vertices.reserve(2 * n);
    for (const Vec2& p : points) mesh.vertices.push_back(place(p.x, p.y, w0));
    for (const Vec2& p : points) mesh.vertices.push_back(place(p.x, p.y, w1));
    const std::vector<Triangle> face = triangulate(s);
    mesh.triangles.reserve(2 * face.size() + 2 * n);
    for (const Triangle& t : face) mesh.triangles.push_back({t[0], t[2], t[1]});          // back face, at w0
    for (const Triangle& t : face) mesh.triangles.push_back({t[0] + n, t[1] + n, t[2] + n});  // front face
    std::uint32_t start = 0;
    auto ring = [&](std::uint32_t count) {
        walls(mesh.triangles, start, start + n, count);
        start += count;
    };
    ring(static_cast<std::uint32_t>(s.outer.size()));
    for (const Polygon& hole : s.holes) ring(static_cast<std::uint32_t>(hole.size()));
    if (handedness(place) < 0.0) turnInsideOut(mesh);
    return mesh;
}

TriangleMesh loft(const std::vector<std::vector<Vec3>>& sections, const Polygon& firstFace, const Polygon& lastFace) {
    TriangleMesh mesh;
    if (sections.size() < 2 || sections.front().size() < 3) return mesh;
    const auto n = static_cast<std::uint32_t>(sections.front().size());
    for (const auto& section : sections) {
        if (section.size() != n || firstFace.size() != n || lastFace.size() != n) return {};
        mesh.vertices.insert(mesh.vertices.end(), section.begin(), section.end());
    }
    // The end faces fill the outlines as they stand, so that their edges are
    // the rings' edges one for one.
    for (const Triangle& t : triangulate(Shape{firstFace, {}})) mesh.triangles.push_back({t[0], t[2], t[1]});
    const auto last = static_cast<std::uint32_t>((sections.size() - 1) * n);
    for (const Triangle& t : triangulate(Shape{lastFace, {}})) mesh.triangles.push_back({t[0] + last, t[1] + last, t[2] + last});
    for (std::size_t k = 0; k + 1 < sections.size(); ++k)
        walls(mesh.triangles, static_cast<std::uint32_t>(k * n), static_cast<std::uint32_t>((k + 1) * n), n);
    return mesh;
}

void Box3::add(const Vec3& p) {
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

void Box3::add(const Box3& box) {
    if (box.empty) return;
    add(box.min);
    add(box.max);
}

Box3 bounds(const TriangleMesh& mesh) {
    Box3 box;
    for (const Vec3& p : mesh.vertices) box.add(p);
    return box;
}

double volume(const TriangleMesh& mesh) {
    double sum = 0.0;
    for (const Triangle& t : mesh.triangles)
        sum += dot(mesh.vertices[t[0]], cross(mesh.vertices[t[1]], mesh.vertices[t[2]]));
    return sum / 6.0;
}

bool isClosed(const TriangleMesh& mesh, std::string* problem) {
    auto say = [&](const std::string& text) {
        if (problem) *problem = text;
        return false;
    };
    if (mesh.triangles.empty()) return say("no triangles");
    std::unordered_map<std::uint64_t, int> edges;
    edges.reserve(mesh.triangles.size() * 3);
    auto key = [](std::uint32_t a, std::uint32_t b) { return (std::uint64_t{a} << 32) | b; };
    for (const Triangle& t : mesh.triangles) {
        for (int i = 0; i < 3; ++i) {
            const std::uint32_t a = t[i], b = t[(i + 1) % 3];
            if (a >= mesh.vertices.size() || b >= mesh.vertices.size()) return say("a corner index past the vertices");
            if (a == b) return say("a triangle with a repeated corner");
            if (++edges[key(a, b)] > 1)
                return say("edge " + std::to_string(a) + "-" + std::to_string(b) + " used twice the same way");
        }
    }
    for (const auto& [k, count] : edges) {
        const auto a = static_cast<std::uint32_t>(k >> 32), b = static_cast<std::uint32_t>(k & 0xffffffffu);
        if (!edges.contains(key(b, a)))
            return say("edge " + std::to_string(a) + "-" + std::to_string(b) + " has no triangle on its other side");
    }
    return true;
}

double rayHit(const TriangleMesh& mesh, const Vec3& origin, const Vec3& direction) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const Triangle& t : mesh.triangles) {
        // Moller-Trumbore.
        const Vec3& p0 = mesh.vertices[t[0]];
        const Vec3 e1 = mesh.vertices[t[1]] - p0;
        const Vec3 e2 = mesh.vertices[t[2]] - p0;
        const Vec3 p = cross(direction, e2);
        const double det = dot(e1, p);
        if (std::abs(det) < geom::kSmallestDivisor) continue;
        const Vec3 s = origin - p0;
        const double u = dot(s, p) / det;
        if (u < 0.0 || u > 1.0) continue;
        const Vec3 q = cross(s, e1);
        const double v = dot(direction, q) / det;
        if (v < 0.0 || u + v > 1.0) continue;
        const double distance = dot(e2, q) / det;
        if (distance > 0.0 && distance < nearest) nearest = distance;
    }
    return std::isfinite(nearest) ? nearest : -1.0;
}

} // namespace parvelin::mesh
