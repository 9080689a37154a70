// SPDX-License-Identifier: GPL-3.0-or-later
#include "clip/Clipping.h"

namespace parvelin::clipping {

const Path* largestPath(const Paths& paths) {
    const Path* largest = nullptr;
    for (const Path& p : paths)
        if (largest == nullptr || std::fabs(ClipperLib::Area(p)) > std::fabs(ClipperLib::Area(*largest))) largest = &p;
    return largest;
}

Path largestAnticlockwise(const Paths& paths) {
    const Path* largest = largestPath(paths);
    if (largest == nullptr) return {};
    Path contour = *largest;
    if (!ClipperLib::Orientation(contour)) ClipperLib::ReversePath(contour);
    return contour;
}

Paths offset(const Paths& paths, double distance, double arcTolerance, const Grid& grid,
             ClipperLib::JoinType join, ClipperLib::EndType end, double miterLimit) {
    ClipperLib::ClipperOffset o(miterLimit);
    o.ArcTolerance = arcTolerance * grid.scale;
    o.AddPaths(paths, join, end);
    Paths out;
    o.Execute(out, distance * grid.scale);
    return out;
}

Paths combine(ClipperLib::ClipType type, const Paths& subject, const Paths& by) {
    ClipperLib::Clipper c;
    c.AddPaths(subject, ClipperLib::ptSubject, true);
    c.AddPaths(by, ClipperLib::ptClip, true);
    Paths out;
    c.Execute(type, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    return out;
}

Paths simplified(const Path& path) {
    Paths out;
    ClipperLib::SimplifyPolygon(path, out, ClipperLib::pftNonZero);
    return out;
}

} // namespace parvelin::clipping
