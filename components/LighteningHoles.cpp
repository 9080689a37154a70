// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/LighteningHoles.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "components/LeadingEdge.h"
#include "components/Sheeting.h"
#include "components/Spar.h"
#include "components/TrailingEdge.h"
#include "model/PropertyChecks.h"
#include "clip/Clipping.h"
#include "geom/Constants.h"
#include "geom/Polygon.h"
#include "geom/Units.h"

namespace parvelin {
namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

constexpr const clipping::Grid& kGrid = clipping::kChordGrid;

cInt toInt(double v) { return clipping::toInt(v, kGrid); }
double toUnits(cInt v) { return clipping::toUnits(v, kGrid); }
Path toPath(const ModelPolygon& polygon) { return clipping::toPath(polygon, kGrid); }

// How far a rounded offset's chords may stray from the true arc (in
// chords), and the extra every offset takes so that the chords never bring
// a hole closer than asked to the skin, a notch or another hole.
constexpr double kArcTolerance = 1e-5;
constexpr double kSafety = 1.2e-5;
// Segments of a round hole's full circle (its corners lie on the circle, so
// the polygon stays inside it).
constexpr int kCircleSegments = 72;
// A slot is cut to about this many depths of its bay long.
constexpr double kSlotDepths = 3.0;
// Openings below this area (square chords) are rounding dust.
constexpr double kDustArea = 1e-9;

Paths simple(const ModelPolygon& polygon) {
    Paths out;
    if (polygon.size() < 3 || !clipping::finite(polygon)) return out;
    return clipping::simplified(toPath(polygon));
}

Paths offset(const Paths& paths, double distance) { return clipping::offset(paths, distance, kArcTolerance, kGrid); }

Paths clip(const Paths& subject, const Paths& by, ClipperLib::ClipType type) {
    return clipping::combine(type, subject, by);
}

Path rectangle(double x0, double x1, double y0, double y1) {
    return toPath(modelRectangle(x0, x1, y0, y1));
}

// The separate pieces of a region, each its outer contour with its holes.
std::vector<Paths> piecesOf(const Paths& region) {
    ClipperLib::Clipper c;
    c.AddPaths(region, ClipperLib::ptSubject, true);
    ClipperLib::PolyTree tree;
    c.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    std::vector<Paths> pieces;
    std::vector<const ClipperLib::PolyNode*> stack(tree.Childs.begin(), tree.Childs.end());
    while (!stack.empty()) {
        const ClipperLib::PolyNode* n = stack.back();
        stack.pop_back();
        if (n->IsHole()) continue;
        Paths piece{n->Contour};
        for (const ClipperLib::PolyNode* hole : n->Childs) {
            piece.push_back(hole->Contour);
            for (const ClipperLib::PolyNode* inner : hole->Childs) stack.push_back(inner);
        }
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

double areaOf(const Paths& paths) {
    double area = 0.0;
    for (const Path& p : paths) area += ClipperLib::Area(p);
    return clipping::toSquareUnits(area, kGrid);
}

struct Extent {
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
};

Extent extentOf(const Paths& paths) {
    Extent e;
    for (const Path& path : paths)
        for (const IntPoint& p : path) {
            e.minX = std::min(e.minX, toUnits(p.X));
            e.maxX = std::max(e.maxX, toUnits(p.X));
            e.minY = std::min(e.minY, toUnits(p.Y));
            e.maxY = std::max(e.maxY, toUnits(p.Y));
        }
    return e;
}

// Whether a disc of `diameter` fits inside the region.
bool holdsDisc(const Paths& region, double diameter) {
    if (diameter <= 0.0) return areaOf(region) > kDustArea;
    return std::fabs(areaOf(offset(region, -diameter / 2.0))) > 0.0;
}

// A piece as segments, for the distance from a point to its boundary.
struct Segment {
    double ax, ay, bx, by;
};

std::vector<Segment> segmentsOf(const Paths& piece) {
    std::vector<Segment> segments;
    for (const Path& path : piece)
        for (std::size_t i = 0; i < path.size(); ++i) {
            const IntPoint& a = path[i];
            const IntPoint& b = path[(i + 1) % path.size()];
            segments.push_back({toUnits(a.X), toUnits(a.Y), toUnits(b.X), toUnits(b.Y)});
        }
    return segments;
}

double distanceTo(const std::vector<Segment>& segments, double x, double y) {
    double best = std::numeric_limits<double>::infinity();
    for (const Segment& s : segments) {
        const double dx = s.bx - s.ax, dy = s.by - s.ay;
        const double length2 = dx * dx + dy * dy;
        double t = length2 > 0.0 ? ((x - s.ax) * dx + (y - s.ay) * dy) / length2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = s.ax + t * dx - x, ey = s.ay + t * dy - y;
        best = std::min(best, ex * ex + ey * ey);
    }
    return std::sqrt(best);
}

// Where the vertical line at x lies inside the piece: its lowest and highest
// crossing (the piece is one bay, so nearly always one stretch).
bool verticalSpan(const std::vector<Segment>& segments, double x, double& low, double& high) {
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const Segment& s : segments) {
        if ((s.ax <= x) == (s.bx <= x)) continue;
        const double y = s.ay + (x - s.ax) * (s.by - s.ay) / (s.bx - s.ax);
        low = std::min(low, y);
        high = std::max(high, y);
    }
    return high > low;
}

ModelPolygon circle(double cx, double cy, double r) {
    ModelPolygon c;
    c.reserve(kCircleSegments);
    for (int i = 0; i < kCircleSegments; ++i) {
        const double a = 2.0 * geom::kPi * i / kCircleSegments;
        c.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return c;
}

// Round holes along a bay: each the largest circle that fits the bay and
// keeps the web from the hole before it, packed from the front.
void roundHoles(const Paths& piece, double web, double minimum, std::vector<ModelPolygon>& holes) {
    const Extent e = extentOf(piece);
    const std::vector<Segment> segments = segmentsOf(piece);
    const double depth = e.maxY - e.minY;
    if (!(depth > 0.0)) return;
    const double step = depth / 64.0;
    const auto pointInside = [&](double x, double y) {
        return ClipperLib::PointInPolygon(IntPoint(toInt(x), toInt(y)), piece.front()) == 1 &&
               std::none_of(piece.begin() + 1, piece.end(), [&](const Path& hole) {
                   return ClipperLib::PointInPolygon(IntPoint(toInt(x), toInt(y)), hole) != 0;
               });
    };
    // The largest circle centred on the vertical at x, and its centre.
    const auto largestAt = [&](double x, double& cy) {
        double low = 0.0, high = 0.0, best = 0.0;
        if (!verticalSpan(segments, x, low, high)) return 0.0;
        constexpr int kTries = 17;
        for (int i = 1; i < kTries; ++i) {
            const double y = low + (high - low) * i / kTries;
            if (!pointInside(x, y)) continue;
            const double r = distanceTo(segments, x, y);
            if (r > best) {
                best = r;
                cy = y;
            }
        }
        return best;
    };
    double left = e.minX;   // nothing of the next hole may lie ahead of this
    double x = left + step;
    while (x < e.maxX) {
        double cy = 0.0;
        const double r = largestAt(x, cy);
        // Still growing: the bay would hold a larger circle further aft than
        // the room left behind the hole before allows.
        if (r >= x - left - step / 2.0 || r <= 0.0) {
            x += step;
            continue;
        }
        const double radius = r - kSafety;
        if (2.0 * radius >= minimum && radius > 0.0) {
            holes.push_back(circle(x, cy, radius));
            left = x + radius + web + kSafety;
            x = left + step;
        } else {
            x += step;
        }
    }
}

// Cuts the bay into slots about three depths long, upright webs between.
Paths slotCuts(const Extent& e, double web) {
    const double length = e.maxX - e.minX;
    const double depth = e.maxY - e.minY;
    const int slots = std::max(1, static_cast<int>(std::lround(length / (kSlotDepths * depth))));
    Paths cuts;
    if (slots < 2) return cuts;
    const double width = (length - (slots - 1) * web) / slots;
    for (int i = 1; i < slots; ++i) {
        const double x0 = e.minX + i * width + (i - 1) * web;
        cuts.push_back(rectangle(x0 - kSafety, x0 + web + kSafety, e.minY - 1.0, e.maxY + 1.0));
    }
    return cuts;
}

// Diagonal webs across the bay: a zigzag from bottom to top and back, one
// bay depth along per diagonal, each diagonal `web` wide.
Paths trussCuts(const Extent& e, double web) {
    const double length = e.maxX - e.minX;
    const double depth = e.maxY - e.minY;
    const int diagonals = std::max(1, static_cast<int>(std::lround(length / depth)));
    const double pitch = length / diagonals;
    Path zigzag;
    // The line starts and ends beyond the bay so that it crosses it whole.
    for (int i = -1; i <= diagonals + 1; ++i) {
        const double x = e.minX + i * pitch;
        const double y = (i % 2 == 0) ? e.minY : e.maxY;
        zigzag.push_back(IntPoint(toInt(x), toInt(y)));
    }
    return clipping::offset({zigzag}, web / 2.0 + kSafety, kArcTolerance, kGrid, ClipperLib::jtMiter, ClipperLib::etOpenButt, 4.0);
}

} // namespace

HoleObstacles holeObstacles(const LeadingEdge& leadingEdge, const TrailingEdge& trailingEdge,
                            const Spar& spars, const Sheeting& sheeting) {
    HoleObstacles o;
    const auto spanOf = [](const ModelPolygon& region) {
        HoleObstacles::Span s{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
        for (const ModelPoint& p : region) {
            s.from = std::min(s.from, p.x);
            s.to = std::max(s.to, p.x);
        }
        return s;
    };
    for (const ModelPolygon& region : leadingEdge.removedRegions()) {
        o.noseX = std::max(o.noseX, spanOf(region).to);
        o.removed.push_back(region);
    }
    for (const ModelPolygon& region : trailingEdge.removedRegions()) {
        o.tailX = std::min(o.tailX, spanOf(region).from);
        o.removed.push_back(region);
    }
    for (const ModelPolygon& region : spars.removedRegions()) {
        o.bayEnds.push_back(spanOf(region));
        o.removed.push_back(region);
    }
    for (const ModelPolygon& region : sheeting.removedRegions()) o.removed.push_back(region);
    return o;
}

namespace {

// Where holes may go: the airfoil shrunk by the margin, less every obstacle
// grown by the web and the bay ends, within the piece of the rib that is
// cut (where the components cut the rib apart, the rest is not cut at all).
// Empty when nothing is left.
Paths holeRoom(AirfoilPoints points, const HoleObstacles& obstacles, double margin, double web) {
    ModelPolygon airfoil;
    for (const AirfoilPoint& q : points) airfoil.push_back({q.modelX, q.modelY});
    const Paths rib = simple(airfoil);
    if (rib.empty()) return {};
    Paths room = offset(rib, -margin);
    if (room.empty()) return {};

    // Everything the holes keep the web from.
    Paths keepOut;
    for (const ModelPolygon& region : obstacles.removed)
        for (const Path& path : simple(region)) keepOut.push_back(path);
    keepOut = offset(clip(keepOut, {}, ClipperLib::ctUnion), web);
    const Extent e = extentOf(rib);
    const double below = e.minY - 1.0, above = e.maxY + 1.0;
    keepOut.push_back(rectangle(e.minX - 1.0, obstacles.noseX + web, below, above));
    keepOut.push_back(rectangle(obstacles.tailX - web, e.maxX + 1.0, below, above));
    for (const HoleObstacles::Span& s : obstacles.bayEnds)
        keepOut.push_back(rectangle(s.from - web, s.to + web, below, above));
    room = clip(room, keepOut, ClipperLib::ctDifference);
    const CutOutline kept = cutOutline(points, obstacles.removed);
    if (kept.outline.size() < 3) return {};
    return clip(room, {toPath(kept.outline)}, ClipperLib::ctIntersection);
}

// Slots or a truss in one bay: the bay cut apart by the webs, each opening's
// corners rounded (shrunk by the radius and grown back, which also drops
// what is narrower than the corner's diameter).
void cutOpenings(const Paths& bay, const Extent& b, HoleStyle style, double web, double corner, double minimum,
                 std::vector<ModelPolygon>& holes) {
    const Paths cuts = style == HoleStyle::Slots ? slotCuts(b, web) : trussCuts(b, web);
    const Paths openings = cuts.empty() ? bay : clip(bay, cuts, ClipperLib::ctDifference);
    for (const Paths& opening : piecesOf(openings)) {
        Paths rounded = opening;
        if (corner > 0.0) rounded = offset(offset(opening, -(corner + kSafety)), corner);
        for (const Paths& hole : piecesOf(rounded)) {
            if (std::fabs(areaOf(hole)) < kDustArea || !holdsDisc(hole, minimum)) continue;
            Path contour = hole.front();
            if (!ClipperLib::Orientation(contour)) ClipperLib::ReversePath(contour);
            holes.push_back(clipping::fromPath<ModelPolygon>(contour, kGrid));
        }
    }
}

} // namespace

std::vector<ModelPolygon> lighteningHoles(AirfoilPoints points, const HoleObstacles& obstacles,
                                          const RibProperties& p) {
    std::vector<ModelPolygon> holes;
    if (!isDrawable(p.holes()) || !checkRibProperties(p).empty() || points.size() < 3) return holes;
    const double chord = p.chord;
    const double margin = p.holeMargin / chord + kSafety;
    const double web = p.holeWeb / chord + kSafety;
    const double corner = traitsOf(p.holes()).roundsCorners ? p.holeCornerRadius / chord : 0.0;
    const double minimum = p.holeMinimum / chord;

    const Paths room = holeRoom(points, obstacles, margin, web);
    for (const Paths& bay : piecesOf(room)) {
        const Extent b = extentOf(bay);
        if (!(b.maxY > b.minY) || !(b.maxX > b.minX)) continue;
        if (p.holes() == HoleStyle::Round)
            roundHoles(bay, web, minimum, holes);
        else
            cutOpenings(bay, b, p.holes(), web, corner, minimum, holes);
    }
    // Front to back, so that the files and the drawing list them in order.
    std::stable_sort(holes.begin(), holes.end(), [](const ModelPolygon& a, const ModelPolygon& c) {
        double ax = a.front().x, cx = c.front().x;
        for (const ModelPoint& q : a) ax = std::min(ax, q.x);
        for (const ModelPoint& q : c) cx = std::min(cx, q.x);
        return ax < cx;
    });
    return holes;
}

std::vector<ModelPolygon> lighteningHoles(AirfoilPoints points, const LeadingEdge& leadingEdge,
                                          const TrailingEdge& trailingEdge, const Spar& spars,
                                          const Sheeting& sheeting, const RibProperties& properties) {
    if (!isDrawable(properties.holes())) return {};
    return lighteningHoles(points, holeObstacles(leadingEdge, trailingEdge, spars, sheeting), properties);
}

RibWeight ribWeight(const ModelPolygon& outline, const std::vector<ModelPolygon>& holes, const RibProperties& p) {
    RibWeight w;
    const double mm = p.chord * geom::millimetresPer(inMillimetres(p));  // millimetres per model unit
    w.areaMm2 = std::fabs(geom::signedArea(outline)) * mm * mm;
    for (const ModelPolygon& hole : holes) w.holesMm2 += std::fabs(geom::signedArea(hole)) * mm * mm;
    w.holesMm2 = std::min(w.holesMm2, w.areaMm2);
    w.holeShare = w.areaMm2 > 0.0 ? w.holesMm2 / w.areaMm2 : 0.0;
    const double thicknessMm = p.materialThickness * geom::millimetresPer(inMillimetres(p));
    // mm³ to m³ is 1e-9, kg to g 1e3.
    const double gramsPerMm2 = thicknessMm * p.materialDensity * 1e-6;
    w.gramsSolid = w.areaMm2 * gramsPerMm2;
    w.grams = (w.areaMm2 - w.holesMm2) * gramsPerMm2;
    return w;
}

std::string thousandsText(double value) {
    const long long whole = std::llround(value);
    std::string digits = std::to_string(whole < 0 ? -whole : whole);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return whole < 0 ? "-" + digits : digits;
}

std::string gramsText(double grams) {
    char buffer[64];
    const int decimals = grams < 0.1 ? 3 : 2;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, grams, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string ribWeightText(const RibWeight& w) {
    return "rib " + thousandsText(w.areaMm2) + " mm\u00b2, holes " + std::to_string(std::lround(w.holeShare * 100.0)) +
           " %, " + gramsText(w.grams) + " g";
}

} // namespace parvelin
