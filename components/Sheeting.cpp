// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/Sheeting.h"

#include "components/AirfoilBoundary.h"
#include "components/SheetingBands.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "geom/Geometry.h"
#include "geom/Tolerances.h"

namespace parvelin {

namespace {

using geom::kPercent;

// The stations of the cut line, held as 32-bit floats, as the cut line is
// computed with them.
constexpr float kSplitStation = 0.3f;     // the upper line is split here without a stick spar
constexpr float kNoStockStop = 0.005f;    // where the upper line stops without leading-edge stock

// Where the cut line starts, stops and breaks along the chord, and its depth,
// all as fractions of the chord.
struct Stations {
    float thickness;     // T, the sheeting's thickness
    float sparFront;     // f
    float sparBack;      // b
    float trailingEdge;  // e, the front of the trailing-edge piece
    float noseStop;      // n, the back of the leading-edge stock
};

Stations stationsFor(const RibProperties& p) {
    const double chord = p.chord;
    Stations s{};
    s.thickness = static_cast<float>(static_cast<double>(p.sheetingThickness) / chord);
    if (p.sparDistanceInPercent == 0) {
        s.sparFront = static_cast<float>(static_cast<double>(p.sparDistance) / chord);
        s.sparBack = static_cast<float>((static_cast<double>(p.sparDistance) + p.sparWidth) / chord);
    } else {
        const double front = static_cast<double>(p.sparDistance) * static_cast<double>(kPercent);
        s.sparFront = static_cast<float>(front);
        s.sparBack = static_cast<float>(front + static_cast<double>(p.sparWidth) / chord);
    }
    s.trailingEdge = static_cast<float>(1.0 - static_cast<double>(p.trailingEdgeWidth) / chord);
    // Behind the stock: a round dowel's diameter is two depths.
    const int depths = traitsOf(p.leadingEdge()).sheetingStopDepths;
    if (depths > 0)
        s.noseStop = static_cast<float>(depths * static_cast<double>(p.leadingEdgeDepth) / chord);
    else
        s.noseStop = kNoStockStop;
    return s;
}

// Slope of the segment p -> q, held as a 32-bit float (F): +-infinity for an
// upright segment, NaN for a doubled point (as at the nose of a file written
// as two blocks). Every user below says what such a segment means to it, so
// that none of these values reaches the outline.
float slopeF(const AirfoilPoint& p, const AirfoilPoint& q) { return static_cast<float>(geom::slope(p, q)); }

// The slope used to carry a line on to a station. A line without chordwise
// extent cannot reach another station, so it is carried on level instead.
double carried(float k) { return std::isfinite(k) ? static_cast<double>(k) : 0.0; }

// The angle by which the surface turns at a corner from slope k1 to slope k2,
// atan((k2 - k1) / (1 + k1 k2)). For a vertical segment the quotient has no
// value; the angle is then the formula's limit, the difference of the two
// directions folded into [-pi/2, pi/2].
double turnAngle(float k1, float k2) {
    if (std::isfinite(k1) && std::isfinite(k2)) {
        const double num = static_cast<double>(k2) - k1;
        const double den = 1.0 + static_cast<double>(k1) * k2;
        if (den == 0.0)  // segments at right angles
            return std::atan(num > 0.0 ? std::numeric_limits<double>::infinity()
                                       : -std::numeric_limits<double>::infinity());
        return std::atan(num / den);
    }
    constexpr double pi = geom::kPi;
    double d = std::atan(static_cast<double>(k2)) - std::atan(static_cast<double>(k1));
    if (d > pi / 2) d -= pi;
    if (d < -pi / 2) d += pi;
    return d;
}

using geom::Point;

// The corner under an airfoil node: its offset from the node (on either
// surface) and the two slopes it was made from.
struct Corner {
    double dx;
    double dy;
    float k1;
    float k2;
};

// Walks the airfoil point list and appends the cut line to an outline. Every
// walk stops at the end of the list: a step that would need a node beyond the
// last one ends its run, and what the run appended so far stays as it is. The
// outline is a plain list of corners, so it is well formed at any length.
class CutLine {
public:
    CutLine(AirfoilPoints points, const Stations& stations, const RibProperties& properties,
            ComponentOutline& outline)
        : p_(points), m_(points.size()), st_(stations), props_(properties), out_(outline) {
        // A file that lists its lower surface first runs clockwise: the
        // airfoil then lies on the right of the list's direction.
        inside_ = geom::runsClockwise(points) ? -1.0 : 1.0;
    }

    void aftUpperRun();
    void frontUpperRun();
    void lowerRun();

private:
    // A node has a corner when it has a node before and after it.
    bool hasCorner(std::size_t i) const { return i >= 1 && i + 1 < m_; }
    bool hasSuccessor(std::size_t i) const { return i + 1 < m_; }

    Corner corner(std::size_t i) const;
    Point upperPoint(std::size_t i) const;
    Point lowerPoint(std::size_t i) const;
    Corner appendUpper(std::size_t i, int pen);
    void appendLower(std::size_t i, int pen);

    // The point (x, y) carried with slope k to station s, appended.
    void appendCarried(Point from, float k, float s, int pen) {
        out_.append(s, from.modelY + carried(k) * (static_cast<double>(s) - from.modelX), pen);
    }
    // The last appended point carried with slope k to station s.
    void appendLastCarried(float k, float s, int pen) {
        appendCarried(out_.tail()->point(), k, s, pen);
    }
    // The surface height at station s on the segment i -> i+1, appended.
    void appendSurface(std::size_t i, float s, int pen) {
        appendCarried(p_[i], slopeF(p_[i], p_[i + 1]), s, pen);
    }
    void appendParallel(std::size_t i, float s, int pen);
    float lastY() const { return out_.tail()->modelY; }

    AirfoilPoints p_;
    std::size_t m_;
    Stations st_;
    const RibProperties& props_;
    ComponentOutline& out_;
    double inside_ = 1.0;  // 1: the airfoil lies left of the list's direction, -1: right
};

Corner CutLine::corner(std::size_t i) const {
    float k1 = slopeF(p_[i - 1], p_[i]);
    float k2 = slopeF(p_[i], p_[i + 1]);
    // A doubled point has no direction: the corner is the one between the
    // nearest segments of length on either side of it.
    std::size_t before = i - 1;
    std::size_t after = i + 1;
    for (std::size_t j = i - 1; std::isnan(k1) && j >= 1; --j) {
        k1 = slopeF(p_[j - 1], p_[j]);
        before = j - 1;
    }
    for (std::size_t j = i + 1; std::isnan(k2) && j + 1 < m_; ++j) {
        k2 = slopeF(p_[j], p_[j + 1]);
        after = j + 1;
    }
    if (std::isnan(k1) && std::isnan(k2)) k1 = k2 = 0.0f;
    else if (std::isnan(k1)) k1 = k2;
    else if (std::isnan(k2)) k2 = k1;

    // The directions the list runs in on either side of the node. It runs
    // aft to fore over the upper surface and fore to aft under the lower
    // one, so the airfoil lies on its left (on its right in a file that
    // lists the lower surface first).
    double d1x = static_cast<double>(p_[i].modelX) - p_[before].modelX;
    double d1y = static_cast<double>(p_[i].modelY) - p_[before].modelY;
    double d2x = static_cast<double>(p_[after].modelX) - p_[i].modelX;
    double d2y = static_cast<double>(p_[after].modelY) - p_[i].modelY;
    if (d1x == 0.0 && d1y == 0.0) d1x = d2x, d1y = d2y;
    if (d2x == 0.0 && d2y == 0.0) d2x = d1x, d2y = d1y;

    // The corner is the point T from the node on the bisector of the
    // inward normals, on either surface.
    const double t = st_.thickness;
    double vx = 0.0;
    double vy = -t;  // no direction at all: straight down from the node
    if (k1 == k2 && std::isfinite(k1) && (d1x != 0.0 || d2x != 0.0)) {
        // A straight stretch: T along the segment's inward normal,
        // (k, -1) / sqrt(1 + k^2) where the list runs forward (the upper
        // surface) and (-k, 1) / sqrt(1 + k^2) where it runs aft.
        const double k = k1;
        const double length = std::sqrt(1.0 + k * k);
        const double side = (d1x != 0.0 ? d1x : d2x) < 0.0 ? 1.0 : -1.0;
        vx = side * t * k / length;
        vy = -side * t / length;
    } else if (d1x != 0.0 || d1y != 0.0) {
        const double l1 = std::hypot(d1x, d1y);
        const double l2 = std::hypot(d2x, d2y);
        double nx = -d1y / l1 - d2y / l2;
        double ny = d1x / l1 + d2x / l2;
        double ln = std::hypot(nx, ny);
        if (ln < geom::kCancelledLength) {  // the list turns straight back: the first normal
            nx = -d1y / l1;
            ny = d1x / l1;
            ln = 1.0;
        }
        vx = t * nx / ln;
        vy = t * ny / ln;
    }
    return Corner{inside_ * vx, inside_ * vy, k1, k2};
}

Point CutLine::upperPoint(std::size_t i) const {
    const Corner c = corner(i);
    return {static_cast<float>(p_[i].modelX + c.dx), static_cast<float>(p_[i].modelY + c.dy)};
}

Point CutLine::lowerPoint(std::size_t i) const { return upperPoint(i); }

Corner CutLine::appendUpper(std::size_t i, int pen) {
    const Corner c = corner(i);
    out_.append(p_[i].modelX + c.dx, p_[i].modelY + c.dy, pen);
    return c;
}

void CutLine::appendLower(std::size_t i, int pen) {
    const Point q = lowerPoint(i);
    out_.append(q.modelX, q.modelY, pen);
}

// The segment i -> i+1 moved T into the airfoil and carried to station s.
void CutLine::appendParallel(std::size_t i, float s, int pen) {
    const geom::OffsetEnd q = geom::parallelEnd(p_[i], p_[i + 1], st_.thickness);
    const float k = slopeF(p_[i], p_[i + 1]);
    out_.append(s, q.y + carried(k) * (static_cast<double>(s) - q.x), pen);
}

// From the trailing edge along the upper surface to the spar (or to 30 % of
// the chord without a stick spar), then on to the spar's front face.
void CutLine::aftUpperRun() {
    const float e = st_.trailingEdge;
    // Without a stick spar the line is split at 30 % of the chord, and that
    // split is the front it is drawn on to: a spar front elsewhere would draw
    // the line back to a notch that is not there.
    const bool stick = props_.spar() == SparStyle::Stick;
    const float f = stick ? st_.sparFront : kSplitStation;
    const float s = stick ? st_.sparBack : kSplitStation;
    std::size_t i = 1;  // P; B is always the node before it
    if (m_ < 2) return;

    if (traitsOf(props_.trailingEdge()).upperSheetingStopsAtPiece) {
        // Start at the trailing-edge piece's front face.
        while (hasSuccessor(i) && p_[i + 1].modelX >= e) ++i;
        if (!hasCorner(i)) return;  // the whole list lies behind e
        appendCarried(upperPoint(i), slopeF(p_[i - 1], p_[i]), e, 1);
        ++i;
    }
    if (!hasCorner(i)) return;
    do {
        appendUpper(i, 1);
        ++i;
    } while (hasSuccessor(i) && !(p_[i].modelX <= s));
    if (!hasSuccessor(i)) return;  // the upper surface never came forward of s

    // Down to the surface at s and back up, without drawing.
    const float k = slopeF(p_[i], p_[i + 1]);
    appendLastCarried(k, s, 1);
    const float h1 = lastY();
    appendSurface(i, s, 0);
    const float h0 = lastY();
    out_.append(s, h1, 0);

    // On to the spar's front face: drawn without a stick spar, moved over
    // the stick's notch otherwise.
    const int pen = stick ? 0 : 1;
    Point from{s, h0};
    while (hasSuccessor(i) && p_[i + 1].modelX > f) {
        appendCarried(from, slopeF(p_[i], p_[i + 1]), f, pen);
        from = out_.tail()->point();
        ++i;
    }
    if (!hasSuccessor(i)) return;
    appendParallel(i, f, pen);
    appendSurface(i, f, 0);
}

// From the spar's front face (or 30 % of the chord) along the upper surface
// to the leading-edge stock.
void CutLine::frontUpperRun() {
    const float n = st_.noseStop;
    const float s = props_.spar() == SparStyle::Stick ? st_.sparFront : kSplitStation;
    if (m_ < 2) return;
    std::size_t i = 1;
    while (hasSuccessor(i) && p_[i + 1].modelX > s) ++i;
    if (!hasSuccessor(i)) return;  // the upper surface never came forward of s

    // Two moves: to the surface at s, then to the cut line below it.
    appendSurface(i, s, 0);
    appendParallel(i, s, 0);
    ++i;
    if (!hasCorner(i)) return;

    Corner last{};
    do {
        last = appendUpper(i, 1);
        ++i;
    } while (hasSuccessor(i) && !(p_[i].modelX < n));

    if (traitsOf(props_.leadingEdge()).flatBackFace) {
        // Down to the stock's back face.
        appendLastCarried(slopeF(p_[i - 1], p_[i]), n, 1);
    } else if (props_.leadingEdge() == LeadingEdgeStyle::None) {
        // Round the nose, at the thickness from the first node ahead of n.
        const double u = std::atan(static_cast<double>(last.k1)) - turnAngle(last.k1, last.k2) / 2;
        const double t = st_.thickness;
        out_.append(p_[i].modelX + t * std::cos(u), p_[i].modelY - t * std::sin(u), 1);
    }
    // Round and square stock (and unknown codes): the line ends at the last corner.
}

// From the leading-edge stock along the lower surface to the trailing edge,
// interrupted at the spar.
void CutLine::lowerRun() {
    const float n = st_.noseStop;
    // Without spars both spar faces of the lower line are the 30 % split.
    const float f = props_.spar() == SparStyle::None ? kSplitStation : st_.sparFront;
    const float b = props_.spar() == SparStyle::None ? kSplitStation : st_.sparBack;
    const float e = st_.trailingEdge;
    if (m_ < 3) return;

    // Round the nose: B becomes the nose, P the node after it.
    const float nose = geom::noseStation(p_);
    std::size_t i = 1;
    while (hasSuccessor(i) && p_[i + 1].modelX > nose) ++i;
    if (!hasSuccessor(i)) return;  // no nose in the list: no lower line
    if (p_[i + 1].modelX == nose) i += 2;
    if (i >= m_) return;

    while (hasSuccessor(i) && p_[i + 1].modelX <= n) ++i;

    if (traitsOf(props_.leadingEdge()).flatBackFace) {
        // Up from the stock's back face, where the upper line came down.
        if (!hasCorner(i)) return;
        const Point q = lowerPoint(i);
        appendCarried(q, slopeF(p_[i - 1], p_[i]), n, 1);
        out_.append(q.modelX, q.modelY, 1);
        ++i;
    }

    const bool noSpar = props_.spar() == SparStyle::None;
    const float s = noSpar ? kSplitStation : f;
    if (!hasCorner(i)) return;
    do {
        appendLower(i, 1);
        ++i;
    } while (hasSuccessor(i) && !(p_[i].modelX > s));
    appendLastCarried(slopeF(p_[i - 1], p_[i]), f, 1);
    ++i;

    // Between the spar faces: drawn without a spar, moved over its notch with one.
    const int pen = noSpar ? 1 : 0;
    while (true) {
        if (i >= m_) return;
        if (!(p_[i].modelX <= b)) break;
        if (!hasCorner(i)) return;
        appendLower(i, pen);
        ++i;
    }
    appendLastCarried(slopeF(p_[i - 1], p_[i]), b, pen);
    ++i;

    const bool trailingPiece = traitsOf(props_.trailingEdge()).lowerSheetingStopsAtPiece;
    const float end = trailingPiece ? e : 1.0f;
    if (!hasCorner(i)) return;
    do {
        appendLower(i, 1);
        ++i;
    } while (hasSuccessor(i) && !(p_[i].modelX > end));
    if (trailingPiece) appendLastCarried(slopeF(p_[i - 1], p_[i]), e, 1);
}

} // namespace

bool Sheeting::compute(AirfoilPoints points, const RibProperties& properties) {
    style_ = properties.sheeting();
    const SheetingTraits traits = traitsOf(properties.sheeting());
    if (!traits.drawable) return true;

    CutLine line(points, stationsFor(properties), properties, outline_);
    if (traits.sheetsAftUpper) line.aftUpperRun();
    line.frontUpperRun();
    const std::size_t lowerFrom = outline_.size();
    if (traits.sheetsLower) line.lowerRun();
    // Where the rib is thinner than the sheeting (towards the trailing edge,
    // without a trailing-edge piece) a cut line runs on through the opposite
    // surface: it ends at that crossing, and the part outside is dropped.
    lowerLineStart_ = clipToAirfoil(outline_, AirfoilBoundary(points), lowerFrom);
    removed_ = sheetingBands(outline_, lowerLineStart_, points);

    built_ = 1;
    return true;
}

} // namespace parvelin
