#include "components/TrailingEdge.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "components/SurfaceSearch.h"
#include "platform/Services.h"

namespace parvelin {
namespace {

// The developer trace written once per compute of "Sheeted top and bottom":
// eleven bytes, the third one 0xF8, ending in a line feed.
constexpr std::string_view kSheetedTrace{"sd\370kgjsdg2\n", 11};

bool drawableTrailingEdgeStyle(int style) { return style >= 1 && style <= 3; }

struct Point {
    float x;
    float y;
};

Point modelPoint(const OutlineSegment& node) { return {node.modelX, node.modelY}; }
Point modelPoint(const AirfoilPoint& point) { return {point.modelX, point.modelY}; }

enum class InnerLine { Lower, Upper, FirstUpper };

// The inner-line point at the sheeting's thickness t from the surface point
// (px, py), for the slope of the airfoil segment s0 -> s1: straight in for a
// level segment, otherwise perpendicular to the segment, towards the leading
// edge. The first point of the upper line takes its x along the signed slope
// from the start of the region instead.
Point offsetPoint(double px, double py, const AirfoilPoint& s0, const AirfoilPoint& s1, double t, InnerLine line) {
    const double dy = static_cast<double>(s1.modelY) - s0.modelY;
    const double dx = static_cast<double>(s1.modelX) - s0.modelX;
    const bool upper = line != InnerLine::Lower;
    if (dy == 0.0) return {modelFloat(px), modelFloat(upper ? py - t : py + t)};
    if (dx == 0.0) {
        // An upright segment has no finite slope. As the slope grows the
        // point moves to t towards the leading edge at the surface point's
        // height; that limit is taken.
        return {modelFloat(px - t), modelFloat(py)};
    }
    const double m = dy / dx;
    const double delta = t / std::sqrt(1.0 + m * m);
    const double x = line == InnerLine::FirstUpper ? px + m * delta : px - std::fabs(m) * delta;
    return {modelFloat(x), modelFloat(upper ? py - delta : py + delta)};
}

// Where the infinite lines through segment A (a1 -> a2) and segment B
// (b1 -> b2) cross, formed in double precision and rounded to single; it
// counts only within the x and y range of A, ends included (B's extent is not
// tested). Parallel lines, and lines through a segment of no length, have no
// crossing. The point is taken along A, so a level or upright A gives a
// crossing exactly at its own height or x.
std::optional<Point> crossing(Point a1, Point a2, Point b1, Point b2) {
    const double dax = static_cast<double>(a2.x) - a1.x;
    const double day = static_cast<double>(a2.y) - a1.y;
    const double dbx = static_cast<double>(b2.x) - b1.x;
    const double dby = static_cast<double>(b2.y) - b1.y;
    const double denominator = dax * dby - day * dbx;
    if (denominator == 0.0) return std::nullopt;
    const double along = ((static_cast<double>(b1.x) - a1.x) * dby - (static_cast<double>(b1.y) - a1.y) * dbx) / denominator;
    const Point c{modelFloat(a1.x + along * dax), modelFloat(a1.y + along * day)};
    // Comparisons with a value that is not a number fail, so such a crossing
    // never counts.
    const bool inX = std::min(a1.x, a2.x) <= c.x && c.x <= std::max(a1.x, a2.x);
    const bool inY = std::min(a1.y, a2.y) <= c.y && c.y <= std::max(a1.y, a2.y);
    if (!inX || !inY) return std::nullopt;
    return c;
}

OutlineSegment crossingNode(Point c) { return OutlineSegment{0, 0, c.x, c.y, 1}; }

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
        const std::size_t p = surface::advanceWhileNextAbove(points_, 0, x_);
        if (!surface::hasNext(points_, p)) return false;
        const float yU = surface::interpolateHeight(x_, points_[p], points_[p + 1]);
        std::size_t q = surface::advanceWhileNextAtOrAbove(points_, p, surface::kNoseRegion);
        q = surface::advanceWhileNextBelow(points_, q, x_);
        if (!surface::hasNext(points_, q)) return false;
        const float yL = surface::interpolateHeight(x_, points_[q], points_[q + 1]);
        outline_.append(x_, yU, 1);
        outline_.append(x_, yL, 1);
        return true;
    }

    // The inner line above the lower surface, from the start of the region
    // to the trailing edge, trimmed where it leaves the rib through the upper
    // surface.
    bool lowerLine() {
        std::size_t r0 = surface::advanceWhileNextAtOrAbove(points_, 0, surface::kNoseRegion);
        r0 = surface::advanceWhileNextBelow(points_, r0, x_);
        if (!surface::hasNext(points_, r0)) return false;
        const float yL = surface::interpolateHeight(x_, points_[r0], points_[r0 + 1]);
        outline_.append(x_, yL, 1);
        appendOffset(x_, yL, points_[r0], points_[r0 + 1], InnerLine::Lower);
        for (std::size_t n = r0 + 1; surface::hasNext(points_, n); ++n)
            appendOffset(points_[n].modelX, points_[n].modelY, points_[n], points_[n + 1], InnerLine::Lower);
        trimLowerAgainstUpperSurface();
        return true;
    }

    // The inner line below the upper surface, from the start of the region
    // back to the trailing edge; it starts with a move so that nothing joins
    // it to the lower line.
    bool upperLine() {
        std::size_t e = surface::advanceWhileNextAbove(points_, 0, x_);
        if (!surface::hasNext(points_, e)) return false;
        const float yU = surface::interpolateHeight(x_, points_[e], points_[e + 1]);
        outline_.append(x_, yU, 0);
        appendOffset(x_, yU, points_[e], points_[e + 1], InnerLine::FirstUpper);
        while (e != 0) {
            const std::size_t p = e - 1;
            appendOffset(points_[p].modelX, points_[p].modelY, points_[p], points_[e], InnerLine::Upper);
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
        const std::size_t beforeNose = surface::advanceWhileNextAtOrAbove(points_, 0, surface::kNoseRegion);
        if (!surface::hasNext(points_, beforeNose)) return;  // no point inside the nose region
        const std::size_t first = surface::advanceWhileNextBelow(points_, beforeNose + 1, outline_[*start].modelX);
        for (std::size_t q = first; surface::hasNext(points_, q); ++q) {
            for (std::size_t j = *start; j + 1 < outline_.size(); ++j) {
                if (const auto c = crossing(modelPoint(outline_[j]), modelPoint(outline_[j + 1]),
                                            modelPoint(points_[q]), modelPoint(points_[q + 1]))) {
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
                if (const auto c = crossing(modelPoint(outline_[i]), modelPoint(outline_[i + 1]),
                                            modelPoint(outline_[j]), modelPoint(outline_[j + 1]))) {
                    outline_.insertAfter(i, crossingNode(*c));
                    // The old lower nodes i+1 .. start-1 now sit at i+2 .. start.
                    for (std::size_t k = i + 2; k <= *start; ++k) outline_[k].penDown = 0;
                    return;
                }
            }
        }
    }

private:
    void appendOffset(double px, double py, const AirfoilPoint& s0, const AirfoilPoint& s1, InnerLine line) {
        const Point p = offsetPoint(px, py, s0, s1, t_, line);
        outline_.append(p.x, p.y, 1);
    }

    // Each lower-line segment against the upper-surface segment at the x of
    // the segment's far end; the first crossing ends the line.
    void trimLowerAgainstUpperSurface() {
        for (std::size_t i = 0; i + 1 < outline_.size(); ++i) {
            const std::size_t u = surface::advanceWhileNextAtOrAbove(points_, 0, outline_[i + 1].modelX);
            if (!surface::hasNext(points_, u)) continue;  // no upper segment there: no crossing
            if (const auto c = crossing(modelPoint(outline_[i]), modelPoint(outline_[i + 1]),
                                        modelPoint(points_[u]), modelPoint(points_[u + 1]))) {
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

} // namespace

bool TrailingEdge::compute(AirfoilPoints points, const RibProperties& properties, platform::Window* window) {
    style_ = properties.trailingEdgeStyle;
    if (style_ == 0) {
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
    if (drawableTrailingEdgeStyle(style_) && x > 0.0f && !points.empty()) {
        TrailingEdgeBuilder builder(outline_, points, x, t);
        bool complete = false;
        switch (style_) {
        case 3:
            complete = builder.stockCut();
            break;
        case 2:
            complete = builder.lowerLine();
            break;
        case 1:
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
    }
    if (style_ == 1) platform::debugOutput(kSheetedTrace);

    built_ = 1;
    window_ = window;
    rescale();
    return true;
}

bool TrailingEdge::draw(platform::DeviceContext& dc) const {
    drawOutline(outline_, dc, drawableTrailingEdgeStyle(style_));
    return true;
}

bool TrailingEdge::print(platform::DeviceContext& dc, const RibProperties& properties) {
    return printOutline(outline_, dc, properties, window_, [&] {
        if (built_ == 1 && drawableTrailingEdgeStyle(style_)) walkOutline(outline_, dc);
    });
}

} // namespace parvelin
