// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/TrailingEdge.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "geom/Geometry.h"
#include "platform/Services.h"

namespace parvelin {
namespace {

// The developer trace written once per compute of "Sheeted top and bottom":
// eleven bytes, the third one 0xF8, ending in a line feed.
constexpr std::string_view kSheetedTrace{"sd\370kgjsdg2\n", 11};

bool drawableTrailingEdgeStyle(TrailingEdgeStyle style) { return isDrawable(style); }

using geom::InnerSide;
using geom::Point;

OutlineSegment crossingNode(Point c) { return OutlineSegment{c.modelX, c.modelY, 1}; }

std::optional<std::size_t> firstPenUp(const ComponentOutline& outline) {
    for (std::size_t i = 0; i < outline.size(); ++i)
        if (outline[i].penDown == 0) return i;
    return std::nullopt;
}

class TrailingEdgeBuilder {
public:
    TrailingEdgeBuilder(ComponentOutline& outline, AirfoilPoints points, float x, float t)
        : outline_(outline), points_(points), x_(x), t_(t) {}

    // A cut across the rib at the start of the region.
    bool stockCut() {
        const std::size_t p = geom::advanceWhileNextAbove(points_, 0, x_);
        if (!geom::hasNext(points_, p)) return false;
        const float yU = geom::heightAt(x_, points_[p], points_[p + 1]);
        std::size_t q = geom::advanceWhileNextAtOrAbove(points_, p, geom::kNoseRegion);
        q = geom::advanceWhileNextBelow(points_, q, x_);
        if (!geom::hasNext(points_, q)) return false;
        const float yL = geom::heightAt(x_, points_[q], points_[q + 1]);
        outline_.append(x_, yU, 1);
        outline_.append(x_, yL, 1);
        return true;
    }

    // The inner line above the lower surface, from the start of the region
    // to the trailing edge, trimmed where it leaves the rib through the upper
    // surface.
    bool lowerLine() {
        std::size_t r0 = geom::advanceWhileNextAtOrAbove(points_, 0, geom::kNoseRegion);
        r0 = geom::advanceWhileNextBelow(points_, r0, x_);
        if (!geom::hasNext(points_, r0)) return false;
        const float yL = geom::heightAt(x_, points_[r0], points_[r0 + 1]);
        outline_.append(x_, yL, 1);
        appendOffset(x_, yL, points_[r0], points_[r0 + 1], InnerSide::AboveLower);
        for (std::size_t n = r0 + 1; geom::hasNext(points_, n); ++n)
            appendOffset(points_[n].modelX, points_[n].modelY, points_[n], points_[n + 1], InnerSide::AboveLower);
        trimLowerAgainstUpperSurface();
        return true;
    }

    // The inner line below the upper surface, from the start of the region
    // back to the trailing edge; it starts with a move so that nothing joins
    // it to the lower line.
    bool upperLine() {
        std::size_t e = geom::advanceWhileNextAbove(points_, 0, x_);
        if (!geom::hasNext(points_, e)) return false;
        const float yU = geom::heightAt(x_, points_[e], points_[e + 1]);
        outline_.append(x_, yU, 0);
        appendOffset(x_, yU, points_[e], points_[e + 1], InnerSide::FirstBelowUpper);
        while (e != 0) {
            const std::size_t p = e - 1;
            appendOffset(points_[p].modelX, points_[p].modelY, points_[p], points_[e], InnerSide::BelowUpper);
            e = p;
        }
        return true;
    }

    // Cuts the upper line where it leaves the rib through the lower surface:
    // the airfoil's lower segments from the start of the region aft, each
    // against every upper-line segment.
    void trimUpperAgainstLowerSurface() {
        const std::optional<std::size_t> start = firstPenUp(outline_);
        if (!start) return;
        const std::size_t beforeNose = geom::advanceWhileNextAtOrAbove(points_, 0, geom::kNoseRegion);
        if (!geom::hasNext(points_, beforeNose)) return;  // no point inside the nose region
        const std::size_t first = geom::advanceWhileNextBelow(points_, beforeNose + 1, outline_[*start].modelX);
        for (std::size_t q = first; geom::hasNext(points_, q); ++q) {
            for (std::size_t j = *start; j + 1 < outline_.size(); ++j) {
                if (const auto c = geom::crossing(outline_[j].point(), outline_[j + 1].point(), points_[q], points_[q + 1])) {
                    outline_.insertAsTailAfter(j, crossingNode(*c));
                    return;
                }
            }
        }
    }

    // Where the two inner lines cross, the lower one ends: the crossing is
    // inserted into it and its later nodes become moves, staying in the list.
    void trimInnerLinesAgainstEachOther() {
        const std::optional<std::size_t> start = firstPenUp(outline_);
        if (!start) return;
        for (std::size_t j = *start; j + 1 < outline_.size(); ++j) {
            // The move from the last lower node to the upper line's start is
            // not a segment of the lower line.
            for (std::size_t i = 0; i + 1 < *start; ++i) {
                if (const auto c = geom::crossing(outline_[i].point(), outline_[i + 1].point(), outline_[j].point(),
                                                  outline_[j + 1].point())) {
                    outline_.insertAfter(i, crossingNode(*c));
                    // The old lower nodes i+1 .. start-1 now sit at i+2 .. start.
                    for (std::size_t k = i + 2; k <= *start; ++k) outline_[k].penDown = 0;
                    return;
                }
            }
        }
    }

private:
    void appendOffset(double px, double py, const AirfoilPoint& s0, const AirfoilPoint& s1, InnerSide side) {
        const Point p = geom::offsetPoint(px, py, s0, s1, t_, side);
        outline_.append(p.modelX, p.modelY, 1);
    }

    // Each lower-line segment against the upper-surface segment at the x of
    // the segment's far end; the first crossing ends the line.
    void trimLowerAgainstUpperSurface() {
        for (std::size_t i = 0; i + 1 < outline_.size(); ++i) {
            const std::size_t u = geom::advanceWhileNextAtOrAbove(points_, 0, outline_[i + 1].modelX);
            if (!geom::hasNext(points_, u)) continue;  // no upper segment there: no crossing
            if (const auto c = geom::crossing(outline_[i].point(), outline_[i + 1].point(), points_[u], points_[u + 1])) {
                outline_.insertAsTailAfter(i, crossingNode(*c));
                return;
            }
        }
    }

    ComponentOutline& outline_;
    AirfoilPoints points_;
    float x_;
    float t_;
};

ModelPoint at(const ComponentOutline& outline, std::size_t i) { return {outline[i].modelX, outline[i].modelY}; }

// The band between the lower inner line and the lower surface, closed below
// the rib and behind the trailing edge. The lower line runs from the
// outline's first node until the first move (the nodes hidden where it
// meets the upper line, or the upper line's start).
void appendLowerBand(const ComponentOutline& o, const OuterBox& box, std::vector<ModelPolygon>& bands) {
    std::size_t end = 1;
    while (end < o.size() && o[end].penDown == 1) ++end;
    if (end < 2) return;
    ModelPolygon band{{o[0].modelX, box.bottom}};
    for (std::size_t i = 0; i < end; ++i) band.push_back(at(o, i));
    band.push_back({box.right, o[end - 1].modelY});
    band.push_back({box.right, box.bottom});
    bands.push_back(std::move(band));
}

// The band between the upper inner line (from the outline's last move to
// its end) and the upper surface, closed above the rib.
void appendUpperBand(const ComponentOutline& o, const OuterBox& box, std::vector<ModelPolygon>& bands) {
    std::size_t start = o.size();
    for (std::size_t i = o.size(); i-- > 1;)
        if (o[i].penDown == 0) {
            start = i;
            break;
        }
    if (start + 1 >= o.size()) return;
    ModelPolygon band{{o[start].modelX, box.top}};
    for (std::size_t i = start; i < o.size(); ++i) band.push_back(at(o, i));
    band.push_back({box.right, o.tail()->modelY});
    band.push_back({box.right, box.top});
    bands.push_back(std::move(band));
}

} // namespace

void TrailingEdge::takeRegions(TrailingEdgeStyle style, const OuterBox& box) {
    if (outline_.empty()) return;
    switch (style) {
    case TrailingEdgeStyle::TeStock:  // the stock takes everything aft of its cut
        if (outline_.size() >= 2) removed_ = {modelRectangle(outline_[0].modelX, box.right, box.bottom, box.top)};
        break;
    case TrailingEdgeStyle::SheetedTopAndBottom:
        appendLowerBand(outline_, box, removed_);
        appendUpperBand(outline_, box, removed_);
        break;
    case TrailingEdgeStyle::SheetedBottom:
        appendLowerBand(outline_, box, removed_);
        break;
    default:
        break;
    }
}

bool TrailingEdge::compute(AirfoilPoints points, const RibProperties& properties) {
    style_ = properties.trailingEdge();
    removed_.clear();
    // The regions reach round the airfoil as the list gives it, mirrored or not.
    const OuterBox box = outerBoxFor(points);
    const TrailingEdgeStyle style = properties.trailingEdge();
    if (style == TrailingEdgeStyle::None) {
        built_ = 0;
        return true;
    }
    // Where the region begins, and how far inside the surface the sheeted
    // styles draw their inner lines.
    const float x = modelFloat(1.0 - static_cast<double>(properties.trailingEdgeWidth) / properties.chord);
    const float t = properties.trailingEdgeHeight / properties.chord;

    // A region that reaches the nose or beyond (trailingEdgeWidth >= chord)
    // has no trailing edge to shape: no outline. The same holds when the
    // list does not span the region on the surfaces a style needs.
    // The inner lines are built for a list that gives its upper surface
    // first. One that gives its lower surface first (it runs clockwise) is
    // walked mirrored about the chord line, where it runs that way, and its
    // lines are mirrored back: they lie inside the rib as for any file, the
    // bottom line along the list's second surface as the sheeting takes it.
    std::vector<AirfoilPoint> mirrored;
    const bool mirror = style != TrailingEdgeStyle::TeStock && geom::runsClockwise(points);
    if (mirror) {
        mirrored.assign(points.begin(), points.end());
        for (AirfoilPoint& p : mirrored) p.modelY = -p.modelY;
        points = mirrored;
    }
    if (drawableTrailingEdgeStyle(style_) && x > 0.0f && !points.empty()) {
        TrailingEdgeBuilder builder(outline_, points, x, t);
        bool complete = false;
        switch (style) {
        case TrailingEdgeStyle::TeStock:
            complete = builder.stockCut();
            break;
        case TrailingEdgeStyle::SheetedBottom:
            complete = builder.lowerLine();
            break;
        case TrailingEdgeStyle::SheetedTopAndBottom:
            complete = builder.lowerLine() && builder.upperLine();
            if (complete) {
                builder.trimUpperAgainstLowerSurface();
                builder.trimInnerLinesAgainstEachOther();
            }
            break;
        default:
            break;
        }
        if (!complete) outline_.clear();
        if (mirror)
            for (OutlineSegment& node : outline_) node.modelY = -node.modelY;
    }
    if (style == TrailingEdgeStyle::SheetedTopAndBottom) platform::debugOutput(kSheetedTrace);

    built_ = 1;
    takeRegions(style, box);
    return true;
}

} // namespace parvelin
