// SPDX-License-Identifier: GPL-3.0-or-later
#include "clip/CutOutline.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

#include "clip/Clipping.h"

namespace parvelin {
namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

constexpr const clipping::Grid& kGrid = clipping::kChordGrid;
constexpr double kScale = kGrid.scale;

Path toPath(const ModelPolygon& polygon) { return clipping::toPath(polygon, kGrid); }
ModelPolygon fromPath(const Path& path) { return clipping::fromPath<ModelPolygon>(path, kGrid); }

// Pieces and holes smaller than this (square chords; 0.0004 mm2 on a 200 mm
// rib) are rounding dust where removed regions meet, not parts of the rib.
constexpr double kDustArea = 1e-8 * kScale * kScale;
// A cutter's rounded path keeps within this of the true arc (chords; 0.2 um
// on a 200 mm rib, below any cut file's six decimals of a millimetre).
constexpr double kCutterArcTolerance = 1e-6;

} // namespace

OuterBox outerBoxFor(AirfoilPoints points) {
    OuterBox box{0.0, 1.0, 0.0, 0.0};
    for (const AirfoilPoint& p : points) {
        if (!std::isfinite(p.modelX) || !std::isfinite(p.modelY)) continue;
        box.left = std::min(box.left, static_cast<double>(p.modelX));
        box.right = std::max(box.right, static_cast<double>(p.modelX));
        box.bottom = std::min(box.bottom, static_cast<double>(p.modelY));
        box.top = std::max(box.top, static_cast<double>(p.modelY));
    }
    box.left -= 1.0;
    box.right += 1.0;
    box.bottom -= 1.0;
    box.top += 1.0;
    return box;
}

ModelPolygon modelRectangle(double x0, double x1, double y0, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

CutOutline cutOutline(AirfoilPoints points, const std::vector<ModelPolygon>& removed) {
    CutOutline result;
    ModelPolygon airfoil;
    for (const AirfoilPoint& p : points) airfoil.push_back({p.modelX, p.modelY});
    if (airfoil.size() < 3 || !clipping::finite(airfoil)) return result;

    ClipperLib::Clipper clipper;
    Paths subject;
    ClipperLib::SimplifyPolygon(toPath(airfoil), subject, ClipperLib::pftNonZero);
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    // Each region made simple on its own first, so that their orientations
    // agree and the union under the non-zero rule never cancels one region
    // with another.
    for (const ModelPolygon& region : removed) {
        if (region.size() < 3 || !clipping::finite(region)) continue;
        Paths simple;
        ClipperLib::SimplifyPolygon(toPath(region), simple, ClipperLib::pftNonZero);
        clipper.AddPaths(simple, ClipperLib::ptClip, true);
    }
    // Strictly simple: where the rib narrows to a point (a notch touching
    // the sheeting line) the pieces are separate polygons, never one that
    // touches itself.
    clipper.StrictlySimple(true);
    ClipperLib::PolyTree tree;
    clipper.Execute(ClipperLib::ctDifference, tree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);

    const ClipperLib::PolyNode* largest = nullptr;
    double largestArea = 0.0;
    double allArea = 0.0;
    for (const ClipperLib::PolyNode* node : tree.Childs) {
        // Outer pieces, and pieces inside holes of them.
        std::vector<const ClipperLib::PolyNode*> stack{node};
        while (!stack.empty()) {
            const ClipperLib::PolyNode* n = stack.back();
            stack.pop_back();
            if (!n->IsHole() && std::fabs(ClipperLib::Area(n->Contour)) >= kDustArea) {
                ++result.pieces;
                const double area = std::fabs(ClipperLib::Area(n->Contour));
                allArea += area;
                if (area > largestArea) {
                    largestArea = area;
                    largest = n;
                }
            }
            for (const ClipperLib::PolyNode* child : n->Childs) stack.push_back(child);
        }
    }
    if (largest == nullptr) return result;
    result.keptShare = largestArea / allArea;
    // Holes are regions removed from inside the rib with rib all round them;
    // slivers where two removed regions overlap by rounding do not count.
    for (const ClipperLib::PolyNode* hole : largest->Childs)
        if (std::fabs(ClipperLib::Area(hole->Contour)) >= kDustArea) ++result.holes;
    Path contour = largest->Contour;
    if (!ClipperLib::Orientation(contour)) ClipperLib::ReversePath(contour);
    result.outline = fromPath(contour);
    return result;
}

ModelPolygon grownOutline(const ModelPolygon& outline, double distance) {
    if (outline.size() < 3 || !clipping::finite(outline) || !std::isfinite(distance)) return {};
    // Round joins: the cutter's path keeps its distance round convex corners.
    const Paths grown = clipping::offset({toPath(outline)}, distance, kCutterArcTolerance, kGrid);
    // Growing keeps one piece; the largest stands for it should rounding
    // leave a speck.
    return fromPath(clipping::largestAnticlockwise(grown));
}

} // namespace parvelin
