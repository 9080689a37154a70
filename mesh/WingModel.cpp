// SPDX-License-Identifier: GPL-3.0-or-later
#include "mesh/WingModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "clip/CutOutline.h"
#include "document/AirfoilDocument.h"
#include "wing/AirfoilSurfaces.h"
#include "clip/Clipping.h"
#include "geom/Constants.h"
#include "geom/Units.h"

namespace parvelin::mesh {
namespace {

constexpr std::array<PartKindTraits, 5> kPartKinds{{
    {PartKind::Rib, "rib"},
    {PartKind::Spar, "spar"},
    {PartKind::LeadingEdge, "leading edge"},
    {PartKind::TrailingEdge, "trailing edge"},
    {PartKind::Sheeting, "sheeting"},
}};

// A bar's section is walked at this many points in every rib, so that the
// sections of neighbouring ribs join corner to corner.
constexpr int kBarSectionPoints = 96;
// Covered pieces smaller than this (square chords; 0.04 mm2 on a 200 mm rib)
// are crumbs where a region grazes the airfoil, not a part of the model.
constexpr double kCrumbArea = 1e-6;
// The pieces of the airfoil (the chord's unit) that the regions (model
// coordinates) cover, anticlockwise, crumbs left out.
std::vector<Polygon> coveredPieces(const Polygon& airfoil, const std::vector<ModelPolygon>& regions, double chord) {
    if (regions.empty()) return {};
    clipping::Paths scaledRegions;
    for (const ModelPolygon& region : regions) {
        Polygon scaled;
        scaled.reserve(region.size());
        for (const ModelPoint& p : region) scaled.push_back(Vec2{p.x * chord, p.y * chord});
        if (!clipping::layable(scaled, clipping::kLengthGrid)) return {};
        scaledRegions.push_back(clipping::toPath(scaled, clipping::kLengthGrid));
    }
    const clipping::Paths common =
        clipping::combine(ClipperLib::ctIntersection, {clipping::toPath(airfoil, clipping::kLengthGrid)}, scaledRegions);
    std::vector<Polygon> pieces;
    const double crumb = kCrumbArea * chord * chord;
    for (const clipping::Path& path : common) {
        Polygon piece = clipping::fromPath<Polygon>(path, clipping::kLengthGrid);
        if (signedArea(piece) > crumb) pieces.push_back(std::move(piece));  // holes (clockwise) are left out
    }
    return pieces;
}

Vec2 centroidOf(const Polygon& polygon) {
    Vec2 c;
    for (const Vec2& p : polygon) c = Vec2{c.x + p.x, c.y + p.y};
    const double n = static_cast<double>(std::max<std::size_t>(polygon.size(), 1));
    return Vec2{c.x / n, c.y / n};
}

// The outline walked at `count` points evenly along its length, from its
// corner farthest forward (the lowest of such corners), anticlockwise.
Polygon resampled(const Polygon& outline, int count) {
    Polygon ring = normalized(Shape{outline, {}}).outer;
    if (ring.size() < 3) return {};
    std::size_t start = 0;
    for (std::size_t i = 1; i < ring.size(); ++i)
        if (ring[i].x < ring[start].x || (ring[i].x == ring[start].x && ring[i].y < ring[start].y)) start = i;
    std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(start), ring.end());
    std::vector<double> along(ring.size() + 1, 0.0);
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Vec2& a = ring[i];
        const Vec2& b = ring[(i + 1) % ring.size()];
        along[i + 1] = along[i] + std::hypot(b.x - a.x, b.y - a.y);
    }
    const double length = along.back();
    Polygon out;
    out.reserve(static_cast<std::size_t>(count));
    std::size_t edge = 0;
    for (int k = 0; k < count; ++k) {
        const double at = length * k / count;
        while (edge + 1 < ring.size() && along[edge + 1] <= at) ++edge;
        const Vec2& a = ring[edge];
        const Vec2& b = ring[(edge + 1) % ring.size()];
        const double span = along[edge + 1] - along[edge];
        const double t = span > 0.0 ? (at - along[edge]) / span : 0.0;
        out.push_back(Vec2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
    }
    return out;
}

// Where a rib's plane stands: its section (the chord's unit, leading edge
// at the origin) turned nose down by the washout about its trailing edge,
// moved aft by the sweep and out to its station, in millimetres.
struct RibFrame {
    double leadingEdge = 0.0;
    double chord = 0.0;
    double cosW = 1.0, sinW = 0.0;
    double station = 0.0;
    double scale = 1.0;  // millimetres per unit
    double sideSign = 1.0;

    Vec3 operator()(double u, double v, double w) const {
        const double du = u - chord;
        const double tu = chord + du * cosW - v * sinW;
        const double tv = du * sinW + v * cosW;
        return Vec3{(leadingEdge + tu) * scale, sideSign * (station + w) * scale, tv * scale};
    }
};

RibFrame frameOf(const wing::WingRib& rib, double scale, double sideSign) {
    const double w = rib.station.washout * geom::kPi / 180.0;
    return RibFrame{rib.station.leadingEdge, rib.station.chord, std::cos(w), std::sin(w), rib.station.station, scale,
                    sideSign};
}

// The pieces of one kind of bar in every rib.
std::vector<std::vector<Polygon>> barSections(const wing::RibSet& set, PartKind kind) {
    std::vector<std::vector<Polygon>> perRib;
    perRib.reserve(set.ribs.size());
    for (const wing::WingRib& rib : set.ribs) {
        const double c = rib.properties.chord;
        std::vector<ModelPolygon> regions;
        switch (kind) {
        case PartKind::Spar: regions = rib.spars.removedRegions(); break;
        case PartKind::LeadingEdge: regions = rib.leadingEdge.removedRegions(); break;
        case PartKind::TrailingEdge:
            if (rib.properties.trailingEdge() == TrailingEdgeStyle::TeStock) regions = rib.trailingEdge.removedRegions();
            break;
        case PartKind::Sheeting:
            regions = rib.sheeting.removedRegions();
            // A sheeted trailing edge's bands are sheeting too.
            if (rib.trailingEdge.isBuilt() && rib.properties.trailingEdge() != TrailingEdgeStyle::TeStock) {
                const auto& bands = rib.trailingEdge.removedRegions();
                regions.insert(regions.end(), bands.begin(), bands.end());
            }
            break;
        case PartKind::Rib: break;
        }
        std::vector<Polygon> pieces = coveredPieces(wing::airfoilPolygon(rib.points, c), regions, c);
        std::sort(pieces.begin(), pieces.end(), [](const Polygon& a, const Polygon& b) {
            const Vec2 ca = centroidOf(a), cb = centroidOf(b);
            return ca.x != cb.x ? ca.x < cb.x : ca.y < cb.y;
        });
        perRib.push_back(std::move(pieces));
    }
    return perRib;
}

// A run of one piece through neighbouring ribs.
struct Chain {
    std::size_t firstRib = 0;
    std::vector<Polygon> sections;  // resampled, one per rib from firstRib on
};

// The pieces of each pair of neighbouring ribs joined: every piece with the
// nearest piece (by position along the chord and height, as fractions of the
// chord) of the other rib, so that no bay is left open where the count of
// pieces changes (a stick spar's two notches becoming one in a thin rib).
// A piece joined once on each side carries its run on; where pieces fork or
// meet, runs end and begin there.
std::vector<Chain> chainsOf(const std::vector<std::vector<Polygon>>& perRib, const wing::RibSet& set) {
    const std::size_t ribs = perRib.size();
    std::vector<std::vector<Polygon>> rings(ribs);
    std::vector<std::vector<Vec2>> centres(ribs);
    for (std::size_t r = 0; r < ribs; ++r) {
        const double chord = set.ribs[r].properties.chord;
        for (const Polygon& p : perRib[r]) {
            Polygon ring = resampled(p, kBarSectionPoints);
            if (ring.empty()) continue;
            rings[r].push_back(std::move(ring));
            const Vec2 c = centroidOf(p);
            centres[r].push_back(Vec2{c.x / chord, c.y / chord});
        }
    }
    auto nearest = [&](std::size_t r, const Vec2& c) {
        std::size_t best = 0;
        double bestDistance = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < centres[r].size(); ++i) {
            const double d = std::hypot(centres[r][i].x - c.x, centres[r][i].y - c.y);
            if (d < bestDistance) bestDistance = d, best = i;
        }
        return best;
    };
    std::vector<Chain> chains;
    std::vector<std::ptrdiff_t> open;  // for each piece of rib r: the run it carries on, or -1
    for (std::size_t r = 0; r + 1 < ribs; ++r) {
        std::vector<std::pair<std::size_t, std::size_t>> links;
        if (!rings[r].empty() && !rings[r + 1].empty()) {
            for (std::size_t i = 0; i < rings[r].size(); ++i) links.emplace_back(i, nearest(r + 1, centres[r][i]));
            for (std::size_t j = 0; j < rings[r + 1].size(); ++j) links.emplace_back(nearest(r, centres[r + 1][j]), j);
            std::sort(links.begin(), links.end());
            links.erase(std::unique(links.begin(), links.end()), links.end());
        }
        std::vector<int> right(rings[r].size(), 0), left(rings[r + 1].size(), 0);
        for (const auto& [i, j] : links) ++right[i], ++left[j];
        open.resize(rings[r].size(), -1);
        std::vector<std::ptrdiff_t> next(rings[r + 1].size(), -1);
        for (const auto& [i, j] : links) {
            std::ptrdiff_t run = right[i] == 1 ? open[i] : -1;
            if (run < 0) {
                run = static_cast<std::ptrdiff_t>(chains.size());
                chains.push_back(Chain{r, {rings[r][i]}});
            }
            chains[static_cast<std::size_t>(run)].sections.push_back(rings[r + 1][j]);
            if (left[j] == 1) next[j] = run;
        }
        open = std::move(next);
    }
    return chains;
}

TriangleMesh barMesh(const Chain& chain, const wing::RibSet& set, double scale, double sideSign) {
    std::vector<std::vector<Vec3>> placed;
    placed.reserve(chain.sections.size());
    for (std::size_t k = 0; k < chain.sections.size(); ++k) {
        const RibFrame frame = frameOf(set.ribs[chain.firstRib + k], scale, sideSign);
        std::vector<Vec3> ring;
        ring.reserve(chain.sections[k].size());
        for (const Vec2& p : chain.sections[k]) ring.push_back(frame(p.x, p.y, 0.0));
        placed.push_back(std::move(ring));
    }
    TriangleMesh mesh = loft(placed, chain.sections.front(), chain.sections.back());
    // The sections' planes face one way along the span; the solid runs the other
    // way on one side of the wing.
    const RibFrame first = frameOf(set.ribs[chain.firstRib], scale, sideSign);
    const Vec3 o = first(0.0, 0.0, 0.0);
    const Vec3 normal = cross(first(1.0, 0.0, 0.0) - o, first(0.0, 1.0, 0.0) - o);
    const Vec3 run = first(0.0, 0.0, 1.0) - o;
    if (dot(normal, run) < 0.0) turnInsideOut(mesh);
    return mesh;
}

} // namespace

const PartKindTraits& traits(PartKind kind) {
    for (const PartKindTraits& t : kPartKinds)
        if (t.kind == kind) return t;
    return kPartKinds.front();
}

double millimetresPerUnit(const RibProperties& properties) { return geom::millimetresPer(inMillimetres(properties)); }

double defaultThickness(bool metric) { return 2.0 / geom::millimetresPer(metric); }

Shape ribShape(const Rib& rib) {
    const CutOutline& cut = rib.cut;
    const double chord = rib.properties.chord;
    Shape shape;
    shape.outer.reserve(cut.outline.size());
    for (const ModelPoint& p : cut.outline) shape.outer.push_back(Vec2{p.x * chord, p.y * chord});
    return normalized(shape);
}

namespace {

// Why no model can be built of the set with ribs `t` thick; empty when one can.
std::string wingModelProblem(const wing::RibSet& set, const wing::WingPanel& panel, double t) {
    if (set.ribs.empty()) return set.error.empty() ? "The wing has no ribs." : set.error;
    if (!std::isfinite(t) || t <= 0.0) return "The thickness must be a length above 0.";
    if (t > panel.span) return "The thickness must not be more than the span.";
    return {};
}

} // namespace

Model wingModel(const wing::RibSet& set, const wing::WingPanel& panel, const ModelOptions& options) {
    Model model;
    const double t = options.thickness;
    model.error = wingModelProblem(set, panel, t);
    if (!model.error.empty()) return model;
    const double scale = millimetresPerUnit(set.ribs.front().properties);

    // Each rib's outline once; both sides use it.
    std::vector<Shape> shapes;
    shapes.reserve(set.ribs.size());
    for (const wing::WingRib& rib : set.ribs) {
        shapes.push_back(ribShape(rib));
        if (shapes.back().outer.empty() || !clipping::layable(shapes.back().outer, clipping::kLengthGrid)) {
            model.error = "Rib " + rib.name() + " has nothing left to build once its spars, edges and sheeting are cut out.";
            return model;
        }
    }
    std::vector<PartKind> barKinds;
    if (options.bars) barKinds = {PartKind::Spar, PartKind::LeadingEdge, PartKind::TrailingEdge};
    if (options.sheeting) barKinds.push_back(PartKind::Sheeting);
    std::vector<std::pair<PartKind, std::vector<Chain>>> bars;
    for (PartKind kind : barKinds) bars.emplace_back(kind, chainsOf(barSections(set, kind), set));

    const std::string letters = wing::traits(options.side).letters;
    for (const char side : letters) {
        const double sideSign = side == 'L' ? -1.0 : 1.0;
        for (std::size_t i = 0; i < set.ribs.size(); ++i) {
            const wing::WingRib& rib = set.ribs[i];
            // The rib's sheet stands on its station, the root and tip ribs
            // inside the panel.
            const double start = std::clamp(rib.station.station - t / 2.0, 0.0, panel.span - t);
            Part part;
            part.name = rib.label(side);
            part.kind = PartKind::Rib;
            part.rib = static_cast<int>(i);
            part.side = side;
            part.mesh = extrude(shapes[i], start - rib.station.station, start + t - rib.station.station,
                                frameOf(rib, scale, sideSign));
            model.parts.push_back(std::move(part));
        }
        for (const auto& [kind, chains] : bars) {
            for (std::size_t k = 0; k < chains.size(); ++k) {
                Part part;
                part.name = traits(kind).name;
                if (k > 0) part.name += " " + std::to_string(k + 1);
                if (letters.size() > 1) part.name += std::string(" ") + side;
                part.kind = kind;
                part.side = side;
                part.mesh = barMesh(chains[k], set, scale, sideSign);
                if (!part.mesh.triangles.empty()) model.parts.push_back(std::move(part));
            }
        }
    }
    return model;
}

Model ribModel(const AirfoilDocument& document, double thickness) {
    Model model;
    if (!document.isLoaded() || document.points().size() < 3) {
        model.error = "There is no rib to build.";
        return model;
    }
    if (!std::isfinite(thickness) || thickness <= 0.0) {
        model.error = "The thickness must be a length above 0.";
        return model;
    }
    const RibProperties& p = document.properties();
    const Shape shape = ribShape(document.rib());
    if (shape.outer.empty() || !clipping::layable(shape.outer, clipping::kLengthGrid)) {
        model.error = "Nothing is left of the rib once its spars, edges and sheeting are cut out.";
        return model;
    }
    const double scale = millimetresPerUnit(p);
    Part part;
    part.name = "rib";
    part.mesh = extrude(shape, 0.0, thickness, [scale](double u, double v, double w) {
        return Vec3{u * scale, v * scale, w * scale};
    });
    model.parts.push_back(std::move(part));
    return model;
}

Box3 bounds(const Model& model) {
    Box3 box;
    for (const Part& part : model.parts) box.add(bounds(part.mesh));
    return box;
}

int pickPart(const Model& model, const Vec3& origin, const Vec3& direction, const std::vector<PartKind>& kinds) {
    int best = -1;
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < model.parts.size(); ++i) {
        const Part& part = model.parts[i];
        if (!kinds.empty() && std::find(kinds.begin(), kinds.end(), part.kind) == kinds.end()) continue;
        const double d = rayHit(part.mesh, origin, direction);
        if (d > 0.0 && d < nearest) nearest = d, best = static_cast<int>(i);
    }
    return best;
}

} // namespace parvelin::mesh
