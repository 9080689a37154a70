// SPDX-License-Identifier: GPL-3.0-or-later
#include "mesh/ModelFiles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace parvelin::mesh {
namespace {

constexpr std::array<ModelFormatTraits, 2> kFormats{{
    {ModelFormat::Stl, ".stl", "STL model"},
    {ModelFormat::Obj, ".obj", "Wavefront OBJ model"},
}};

// The shortest text that reads back as the same 32-bit float: what STL and
// OBJ readers keep.
void appendNumber(std::string& out, double value) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    out.append(buffer, r.ptr);
}

void appendPoint(std::string& out, const Vec3& p) {
    appendNumber(out, p.x);
    out += ' ';
    appendNumber(out, p.y);
    out += ' ';
    appendNumber(out, p.z);
}

} // namespace

const ModelFormatTraits& traits(ModelFormat format) {
    for (const ModelFormatTraits& t : kFormats)
        if (t.format == format) return t;
    return kFormats.front();
}

std::optional<ModelFormat> modelFormatFor(const std::string& path) {
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return std::nullopt;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ModelFormatTraits& t : kFormats)
        if (ext == t.extension) return t.format;
    return std::nullopt;
}

std::string stlText(const Model& model) {
    std::string out;
    for (const Part& part : model.parts) {
        out += "solid " + part.name + "\n";
        for (const Triangle& t : part.mesh.triangles) {
            const Vec3& a = part.mesh.vertices[t[0]];
            const Vec3& b = part.mesh.vertices[t[1]];
            const Vec3& c = part.mesh.vertices[t[2]];
            Vec3 n = cross(b - a, c - a);
            const double length = std::sqrt(dot(n, n));
            n = length > 0.0 ? n * (1.0 / length) : Vec3{};
            out += "  facet normal ";
            appendPoint(out, n);
            out += "\n    outer loop\n";
            for (const Vec3* p : {&a, &b, &c}) {
                out += "      vertex ";
                appendPoint(out, *p);
                out += '\n';
            }
            out += "    endloop\n  endfacet\n";
        }
        out += "endsolid " + part.name + "\n";
    }
    return out;
}

std::string objText(const Model& model) {
    std::string out = "# Parvelin model, millimetres\n";
    std::size_t base = 1;
    for (const Part& part : model.parts) {
        out += "g " + part.name + "\n";
        for (const Vec3& p : part.mesh.vertices) {
            out += "v ";
            appendPoint(out, p);
            out += '\n';
        }
        for (const Triangle& t : part.mesh.triangles) {
            out += 'f';
            for (const std::uint32_t i : t) out += ' ' + std::to_string(base + i);
            out += '\n';
        }
        base += part.mesh.vertices.size();
    }
    return out;
}

std::string modelProblem(const Model& model) {
    for (const Part& part : model.parts) {
        std::string why;
        if (!isClosed(part.mesh, &why)) return "The part " + part.name + " is not a closed solid (" + why + ").";
    }
    return {};
}

std::string modelText(const Model& model, ModelFormat format) {
    return format == ModelFormat::Stl ? stlText(model) : objText(model);
}

FileWriteResult writeModelFile(const std::string& path, const Model& model) {
    const ModelFormat format = modelFormatFor(path).value_or(ModelFormat::Stl);
    for (const Part& part : model.parts)
        for (const Vec3& p : part.mesh.vertices)
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) ||
                std::abs(static_cast<float>(p.x)) > 1e30f)
                return FileWriteResult::NotFinite;
    return writeNewFile(path, modelText(model, format));
}

} // namespace parvelin::mesh
