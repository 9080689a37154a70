// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/LeadingEdge.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "geom/Geometry.h"

namespace parvelin {
namespace {

struct CutHeights {
    float upper;
    float lower;
};

// Upper and lower surface heights of the nose-block cut at x = t: a search
// along the list, then a linear step from the forward point of the bracket.
// A cut that the list does not span on both surfaces (t ahead of every point,
// or beyond the trailing edge) has no heights: the leading edge then keeps no
// outline rather than inventing a cut outside the rib.
std::optional<CutHeights> stockCutHeights(AirfoilPoints points, float t) {
    if (points.empty()) return std::nullopt;
    const std::size_t aft = geom::advanceWhileNextAbove(points, 0, t);
    if (!geom::hasNext(points, aft)) return std::nullopt;
    const AirfoilPoint& a = points[aft];
    const AirfoilPoint& f = points[aft + 1];

    // Upper: always the forward point's height plus the step's magnitude. A
    // pair with equal x (only possible when the search never moved off the
    // head) takes the forward point's height.
    double upper = f.modelY;
    const double d = static_cast<double>(a.modelY) - f.modelY;
    if (d != 0.0 && a.modelX != f.modelX) {
        const double delta = d / (static_cast<double>(a.modelX) - f.modelX) * (static_cast<double>(t) - f.modelX);
        upper = d > 0.0 ? f.modelY + delta : f.modelY - delta;
    }

    const std::size_t fwd = geom::advanceWhileNextBelow(points, aft + 1, t);
    if (!geom::hasNext(points, fwd)) return std::nullopt;
    const AirfoilPoint& f2 = points[fwd];
    const AirfoilPoint& a2 = points[fwd + 1];

    // Lower: always the forward point's height less the step's magnitude.
    double lower = f2.modelY;
    const double d2 = static_cast<double>(a2.modelY) - f2.modelY;
    if (d2 != 0.0 && a2.modelX != f2.modelX) {
        const double delta2 = d2 / (static_cast<double>(a2.modelX) - f2.modelX) * (static_cast<double>(t) - f2.modelX);
        lower = d2 > 0.0 ? f2.modelY - delta2 : f2.modelY + delta2;
    }
    return CutHeights{modelFloat(upper), modelFloat(lower)};
}

// Segments of the full circle of a round leading edge's seat.
constexpr int kCircleSegments = 96;

// A round dowel of this diameter touching the nose: the dowel itself and
// everything ahead of its centre within its height.
std::vector<ModelPolygon> dowelSeat(double diameter, const OuterBox& box) {
    const double r = diameter / 2.0;
    ModelPolygon circle;
    for (int i = 0; i < kCircleSegments; ++i) {
        const double a = 2.0 * geom::kPi * i / kCircleSegments;
        circle.push_back({r + r * std::cos(a), r * std::sin(a)});
    }
    return {circle, modelRectangle(box.left, r, -std::fabs(r), std::fabs(r))};
}

} // namespace

bool LeadingEdge::compute(AirfoilPoints points, const RibProperties& properties) {
    style_ = properties.leadingEdge();
    const float r = properties.leadingEdgeDepth / properties.chord;
    const double rd = r;
    const OuterBox box = outerBoxFor(points);

    switch (properties.leadingEdge()) {
    case LeadingEdgeStyle::Round:  // Round: the square bounding a circle of radius r touching the nose
        outline_.append(0.0, rd, 1);
        outline_.append(2.0 * rd, rd, 1);
        outline_.append(2.0 * rd, -rd, 1);
        outline_.append(0.0, -rd, 1);
        outline_.append(0.0, rd, 1);
        removed_ = dowelSeat(modelFloat(2.0 * rd), box);
        break;
    case LeadingEdgeStyle::Square:  // Square: side r, centred at (h, 0), turned by a quarter turn's half
        appendSquare(rd, box);
        break;
    case LeadingEdgeStyle::LeStock:  // LE Stock: one cut across the airfoil at x = r
        if (const std::optional<CutHeights> cut = stockCutHeights(points, r)) {
            outline_.append(rd, cut->upper, 1);
            outline_.append(rd, cut->lower, 1);
            // The block replaces everything ahead of the cut.
            removed_ = {modelRectangle(box.left, modelFloat(rd), box.bottom, box.top)};
        }
        break;
    case LeadingEdgeStyle::Rectangular: {  // Rectangular: depth r, full height leadingEdgeHeight centred on the chord line
        const double w = static_cast<double>(properties.leadingEdgeHeight) / properties.chord * 0.5;
        outline_.append(0.0, w, 1);
        outline_.append(rd, w, 1);
        outline_.append(rd, -w, 1);
        outline_.append(0.0, -w, 1);
        outline_.append(0.0, w, 1);
        // The strip, open forward.
        removed_ = {modelRectangle(box.left, modelFloat(rd), modelFloat(-w), modelFloat(w))};
        break;
    }
    case LeadingEdgeStyle::None:
    default:  // "No Leading Edge" and unknown codes: no outline
        break;
    }

    built_ = 1;  // built for every code, an empty outline included
    return true;
}

void LeadingEdge::appendSquare(double rd, const OuterBox& box) {
    const double h = modelFloat(rd / 2.0);
    const double u = std::cos(geom::kQuarterTurn);
    const double v = std::sin(geom::kQuarterTurn);
    const ModelPoint top{modelFloat(h + h * u - h * v), modelFloat(h * (u + v))};
    const ModelPoint front{modelFloat(h - h * u - h * v), modelFloat(h * u - h * v)};  // ahead of the nose
    const ModelPoint bottom{modelFloat(h - h * u + h * v), modelFloat(-h * (u + v))};
    const ModelPoint back{modelFloat(h + h * u + h * v), modelFloat(h * v - h * u)};
    for (const ModelPoint& corner : {top, front, bottom, back, top}) outline_.append(corner.x, corner.y, 1);
    // The diamond, open forward from its top and bottom corners.
    removed_ = {{top, front, bottom, back}, modelRectangle(box.left, top.x, bottom.y, top.y)};
}

} // namespace parvelin
