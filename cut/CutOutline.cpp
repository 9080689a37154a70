// SPDX-License-Identifier: GPL-3.0-or-later
#include "cut/CutOutline.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "components/AirfoilBoundary.h"
#include "components/LeadingEdge.h"
#include "components/Sheeting.h"
#include "components/Spar.h"
#include "components/TrailingEdge.h"
#include "cut/ChordPaths.h"
#include "geom/Geometry.h"

namespace parvelin {
namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

using chordpaths::finitePolygon;
using chordpaths::fromPath;
using chordpaths::kScale;
using chordpaths::toInt;
using chordpaths::toPath;

// Pieces and holes smaller than this (square chords; 0.0004 mm2 on a 200 mm
// rib) are rounding dust where removed regions meet, not parts of the rib.
constexpr double kDustArea = 1e-8 * kScale * kScale;
// Segments of the full circle of a round leading edge.
constexpr int kCircleSegments = 96;

ModelPolygon rectangle(double x0, double x1, double y0, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

ModelPoint at(const ComponentOutline& outline, std::size_t i) { return {outline[i].modelX, outline[i].modelY}; }

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

std::vector<ModelPolygon> leadingEdgeRegions(const LeadingEdge& leadingEdge, const OuterBox& box) {
    const ComponentOutline& o = leadingEdge.outline();
    if (!leadingEdge.isBuilt()) return {};
    switch (leadingEdge.style()) {
    case 1: {  // Round: the dowel and everything ahead of its centre within its height
        if (o.size() < 3) return {};
        const double r = (static_cast<double>(o[1].modelX) - o[0].modelX) / 2.0;
        const double cx = o[0].modelX + r;
        ModelPolygon circle;
        for (int i = 0; i < kCircleSegments; ++i) {
            const double a = 2.0 * std::numbers::pi * i / kCircleSegments;
            circle.push_back({cx + r * std::cos(a), r * std::sin(a)});
        }
        return {circle, rectangle(box.left, cx, -std::fabs(r), std::fabs(r))};
    }
    case 2: {  // Square: the diamond, open forward from its top and bottom corners
        if (o.size() < 4) return {};
        const ModelPoint top = at(o, 0), bottom = at(o, 2);
        ModelPolygon diamond{at(o, 0), at(o, 1), at(o, 2), at(o, 3)};
        return {diamond, rectangle(box.left, top.x, bottom.y, top.y)};
    }
    case 3:  // LE Stock: the block replaces everything ahead of the cut
        if (o.size() < 2) return {};
        return {rectangle(box.left, o[0].modelX, box.bottom, box.top)};
    case 4:  // Rectangular: the strip, open forward
        if (o.size() < 3) return {};
        return {rectangle(box.left, o[1].modelX, o[2].modelY, o[1].modelY)};
    default:
        return {};
    }
}

std::vector<ModelPolygon> sparRegions(const Spar& spars, const OuterBox& box) {
    const ComponentOutline& o = spars.outline();
    if (!spars.isBuilt()) return {};
    auto span = [&](std::size_t first) {
        double x0 = o[first].modelX, x1 = x0;
        for (std::size_t i = first; i < first + 5; ++i) {
            x0 = std::min(x0, static_cast<double>(o[i].modelX));
            x1 = std::max(x1, static_cast<double>(o[i].modelX));
        }
        return std::pair{x0, x1};
    };
    if (spars.style() == 2 && o.size() >= 5) {
        // Stock: a notch standing on the lower surface, its floor at the top.
        const auto [x0, x1] = span(0);
        return {rectangle(x0, x1, box.bottom, o[1].modelY)};
    }
    if (spars.style() == 1 && o.size() >= 10) {
        // Stick: one hanging from the upper surface (floor at its third
        // corner), one standing on the lower surface (floor at its eighth).
        const auto [a0, a1] = span(0);
        const auto [b0, b1] = span(5);
        return {rectangle(a0, a1, o[2].modelY, box.top), rectangle(b0, b1, box.bottom, o[7].modelY)};
    }
    return {};
}

std::vector<ModelPolygon> trailingEdgeRegions(const TrailingEdge& trailingEdge, const OuterBox& box) {
    const ComponentOutline& o = trailingEdge.outline();
    if (!trailingEdge.isBuilt() || o.empty()) return {};
    if (trailingEdge.style() == 3) {
        if (o.size() < 2) return {};
        return {rectangle(o[0].modelX, box.right, box.bottom, box.top)};
    }
    if (trailingEdge.style() != 1 && trailingEdge.style() != 2) return {};
    std::vector<ModelPolygon> regions;
    // The lower line: drawn from its first node until the first move (the
    // nodes hidden where it meets the upper line, or the upper line's start).
    std::size_t end = 1;
    while (end < o.size() && o[end].penDown == 1) ++end;
    if (end >= 2) {
        ModelPolygon band{{o[0].modelX, box.bottom}};
        for (std::size_t i = 0; i < end; ++i) band.push_back(at(o, i));
        band.push_back({box.right, o[end - 1].modelY});
        band.push_back({box.right, box.bottom});
        regions.push_back(band);
    }
    // The upper line starts at the outline's last move and is drawn on.
    std::size_t start = o.size();
    for (std::size_t i = o.size(); i-- > 1;)
        if (o[i].penDown == 0) {
            start = i;
            break;
        }
    if (trailingEdge.style() == 1 && start + 1 < o.size()) {
        ModelPolygon band{{o[start].modelX, box.top}};
        for (std::size_t i = start; i < o.size(); ++i) band.push_back(at(o, i));
        band.push_back({box.right, o.tail()->modelY});
        band.push_back({box.right, box.top});
        regions.push_back(band);
    }
    return regions;
}

std::vector<ModelPolygon> sheetingRegions(const Sheeting& sheeting, AirfoilPoints points, const OuterBox& box) {
    std::vector<ModelPolygon> regions;
    if (!sheeting.isBuilt()) return regions;
    // Each drawn segment takes out the strip between itself and the outside
    // straight above it (the upper line) or below it (the lower line). Strips are each simple, so where the
    // lines of a section thinner than two sheets cross, their union takes
    // the whole depth. A file that lists its lower surface first (it runs
    // clockwise) has its "upper" line under that surface.
    const bool clockwise = geom::runsClockwise(points);
    const ComponentOutline& o = sheeting.outline();
    auto outsideOf = [&](std::size_t node) {
        const bool upper = node < sheeting.lowerLineStart();
        return upper != clockwise ? box.top : box.bottom;
    };
    // Strips of neighbouring segments that run the same way along x towards
    // the same outside join into one region: the run of the line closed by
    // the outside. It is the union of its strips and simple (x only grows or
    // only shrinks along it), and one region in place of hundreds keeps the
    // difference quick.
    ModelPolygon run;
    int runDirection = 0;
    double runOutside = 0.0;
    auto closeRun = [&] {
        if (run.size() >= 2) {
            const ModelPoint first = run.front(), last = run.back();
            run.push_back({last.x, runOutside});
            run.push_back({first.x, runOutside});
            regions.push_back(std::move(run));
        }
        run.clear();
        runDirection = 0;
    };
    for (std::size_t i = 1; i < o.size(); ++i) {
        // The segment that joins the upper line's end to the lower line's
        // start runs across the rib, not along a surface: it takes nothing
        // (a strip under it would slice the nose off).
        if (o[i].penDown != 1 || i == sheeting.lowerLineStart()) {
            closeRun();
            continue;
        }
        const ModelPoint a = at(o, i - 1), b = at(o, i);
        if (a.x == b.x) {  // upright: no strip
            closeRun();
            continue;
        }
        const int direction = b.x > a.x ? 1 : -1;
        const double outside = outsideOf(i);
        if (run.empty() || direction != runDirection || outside != runOutside) {
            closeRun();
            run.push_back(a);
            runDirection = direction;
            runOutside = outside;
        }
        run.push_back(b);
    }
    closeRun();
    // A line that starts (the upper one, from the trailing edge) or ends
    // (the lower one, towards it) where it crossed the opposite surface
    // leaves a tail thinner than the sheeting behind it: the sheeting takes
    // all of it, up to the trailing edge.
    if (o.size() >= 2) {
        const AirfoilBoundary airfoil(points);
        auto tail = [&](std::size_t node) {
            const ModelPoint end = at(o, node);
            if (end.x < 0.5 || airfoil.distance(end.x, end.y) > kOnOutlineTolerance) return;
            const double outside = outsideOf(node);
            regions.push_back(rectangle(end.x, box.right, std::min(end.y, outside), std::max(end.y, outside)));
        };
        std::size_t first = 1;
        while (first < o.size() && o[first].penDown != 1) ++first;
        if (first < o.size()) tail(first - 1);
        if (o.tail()->penDown == 1) tail(o.size() - 1);
    }
    return regions;
}

CutOutline cutOutline(AirfoilPoints points, const std::vector<ModelPolygon>& removed) {
    CutOutline result;
    ModelPolygon airfoil;
    for (const AirfoilPoint& p : points) airfoil.push_back({p.modelX, p.modelY});
    if (airfoil.size() < 3 || !finitePolygon(airfoil)) return result;

    ClipperLib::Clipper clipper;
    Paths subject;
    ClipperLib::SimplifyPolygon(toPath(airfoil), subject, ClipperLib::pftNonZero);
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    // Each region made simple on its own first, so that their orientations
    // agree and the union under the non-zero rule never cancels one region
    // with another.
    for (const ModelPolygon& region : removed) {
        if (region.size() < 3 || !finitePolygon(region)) continue;
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

CutOutline cutOutline(AirfoilPoints points, const LeadingEdge& leadingEdge, const TrailingEdge& trailingEdge,
                      const Spar& spars, const Sheeting& sheeting) {
    const OuterBox box = outerBoxFor(points);
    std::vector<ModelPolygon> removed;
    for (auto&& regions : {leadingEdgeRegions(leadingEdge, box), trailingEdgeRegions(trailingEdge, box),
                           sparRegions(spars, box), sheetingRegions(sheeting, points, box)})
        removed.insert(removed.end(), regions.begin(), regions.end());
    return cutOutline(points, removed);
}

ModelPolygon grownOutline(const ModelPolygon& outline, double distance) {
    if (outline.size() < 3 || !finitePolygon(outline) || !std::isfinite(distance)) return {};
    ClipperLib::ClipperOffset offset;
    // Round joins: the cutter's path keeps its distance round convex corners.
    offset.ArcTolerance = 1e-6 * kScale;
    offset.AddPath(toPath(outline), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    Paths grown;
    offset.Execute(grown, distance * kScale);
    // Growing keeps one piece; the largest stands for it should rounding
    // leave a speck.
    const Path* largest = nullptr;
    for (const Path& p : grown)
        if (largest == nullptr || std::fabs(ClipperLib::Area(p)) > std::fabs(ClipperLib::Area(*largest))) largest = &p;
    if (largest == nullptr) return {};
    Path contour = *largest;
    if (!ClipperLib::Orientation(contour)) ClipperLib::ReversePath(contour);
    return fromPath(contour);
}

double polygonArea(const ModelPolygon& polygon) {
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ModelPoint& a = polygon[i];
        const ModelPoint& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

} // namespace parvelin
