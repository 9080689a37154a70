// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/RibSet.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>
#include <polyclipping/clipper.hpp>

#include "components/LighteningHoles.h"
#include "clip/CutOutline.h"
#include "wing/AirfoilBlend.h"
#include "wing/AirfoilSurfaces.h"
#include "clip/Clipping.h"
#include "wing/Nesting.h"

namespace parvelin::wing {
namespace {

// The heights at which the vertical line at x crosses the polygon, paired
// into the spans that lie inside it (even-odd rule).
std::vector<std::pair<double, double>> verticalSpans(const Polygon& polygon, double x) {
    std::vector<double> ys;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vec2& a = polygon[i];
        const Vec2& b = polygon[(i + 1) % polygon.size()];
        if ((a.x <= x) == (b.x <= x)) continue;  // half-open, so a vertex counts once
        ys.push_back(a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y));
    }
    std::sort(ys.begin(), ys.end());
    std::vector<std::pair<double, double>> spans;
    for (std::size_t i = 0; i + 1 < ys.size(); i += 2) spans.emplace_back(ys[i], ys[i + 1]);
    return spans;
}

// The height inside the polygon that a box from x to x + width finds along
// its length, round the height y: the lowest top less the highest
// bottom of the spans there that hold y. Empty when one of them holds none.
std::optional<std::pair<double, double>> room(const Polygon& polygon, double x, double width, double y) {
    double bottom = -std::numeric_limits<double>::infinity();
    double top = std::numeric_limits<double>::infinity();
    // Nine heights along the box, closer than a spar notch is wide.
    for (int k = 0; k <= 8; ++k) {
        const double at = x + width * k / 8.0;
        bool found = false;
        for (const auto& [lo, hi] : verticalSpans(polygon, at)) {
            if (lo > y || hi < y) continue;
            bottom = std::max(bottom, lo);
            top = std::min(top, hi);
            found = true;
        }
        if (!found) return std::nullopt;
    }
    return std::pair{bottom, top};
}

// The label's place: at 35 % of the chord, its baseline a little above the
// lower surface, its height a third of the rib's thickness there (at most
// 3 mm or 0.12 inch). When the cut outline leaves no room there (the spar,
// the edges and the sheeting took that part of the rib), the label goes to
// the place along the chord where the outline leaves it the most height.
void placeLabel(WingRib& rib, const Polygon& body) {
    const AirfoilSurfaces s = splitSurfaces(rib.points);
    const double c = rib.properties.chord;
    const double most = inMillimetres(rib.properties) ? 3.0 : 0.12;
    const std::size_t characters = rib.name().size() + 2;  // "R12 L"
    auto width = [&](double height) { return labelWidth(height, characters); };
    auto middle = [&](double x) { return (heightAt(s.upper, x) + heightAt(s.lower, x)) * c / 2.0; };

    const double x = 0.35;
    const double upper = heightAt(s.upper, x) * c;
    const double lower = heightAt(s.lower, x) * c;
    const double thickness = std::max(0.0, upper - lower);
    rib.labelHeight = std::min(most, thickness / 3.0);
    rib.labelAt = Vec2{x * c, lower + thickness / 3.0};
    const double h = rib.labelHeight;
    if (const auto r = room(body, rib.labelAt.x, width(h), middle(x));
        r && r->first <= rib.labelAt.y && rib.labelAt.y + h <= r->second)
        return;

    // Every place along the outline's length, in every span of it there (a
    // rib the cuts left as a sliver above its middle has no span there).
    const Box extent = bounds(body);
    double bestHeight = 0.0;
    for (int step = 0; step <= 80; ++step) {
        const double at = extent.minX + extent.width() * step / 80.0;
        for (const auto& [lo, hi] : verticalSpans(body, at)) {
            for (const double tried : {most, std::min(most, (hi - lo) / 3.0)}) {
                for (const double start : {at, at - width(tried)}) {
                    const auto r = room(body, start, width(tried), (lo + hi) / 2.0);
                    if (!r || r->second <= r->first) continue;
                    // No taller than tried: the box checked was that wide.
                    const double height = std::min(tried, (r->second - r->first) / 3.0);
                    const bool closer = std::fabs(start - x * c) < std::fabs(rib.labelAt.x - x * c);
                    if (height > bestHeight || (height == bestHeight && closer)) {
                        bestHeight = height;
                        rib.labelHeight = height;
                        rib.labelAt = Vec2{start, r->first + (r->second - r->first - height) / 2.0};
                    }
                }
            }
        }
    }
}

} // namespace

std::string WingRib::name() const { return "R" + std::to_string(station.number); }

std::string WingRib::label(char side) const { return name() + " " + side; }

Polygon joinOutline(const Polygon& airfoil, const std::vector<BuildingTab>& tabs) {
    clipping::Paths tabPaths;
    for (const BuildingTab& tab : tabs) tabPaths.push_back(clipping::toPath(tab.polygon, clipping::kLengthGrid));
    const clipping::Paths joined = clipping::combine(ClipperLib::ctUnion, {clipping::toPath(airfoil, clipping::kLengthGrid)}, tabPaths);
    const clipping::Path* largest = clipping::largestPath(joined);
    if (largest == nullptr) return {};
    Polygon outline = clipping::fromPath<Polygon>(*largest, clipping::kLengthGrid);
    if (signedArea(outline) < 0.0) std::reverse(outline.begin(), outline.end());
    return outline;
}

double overlapArea(const Polygon& a, const Polygon& b) {
    const clipping::Paths common =
        clipping::combine(ClipperLib::ctIntersection, {clipping::toPath(a, clipping::kLengthGrid)}, {clipping::toPath(b, clipping::kLengthGrid)});
    double area = 0.0;
    for (const clipping::Path& p : common) area += ClipperLib::Area(p);
    return clipping::toSquareUnits(std::abs(area), clipping::kLengthGrid);
}

namespace {

// The document's properties with this station's chord, spar distance (a
// length) and washout.
RibProperties stationProperties(const RibProperties& document, const RibStation& station) {
    RibProperties properties = document;
    properties.chord = static_cast<float>(station.chord);
    properties.sparDistance = static_cast<float>(station.sparDistance);
    properties.sparDistanceInPercent = 0;
    properties.washout = static_cast<float>(station.washout);
    return properties;
}

// Builds one station's rib: its tabs, then the rib itself by the same code
// as a single rib (the airfoil less every component's notch, seat and band),
// its holes kept clear of the tabs too, standing on its tabs. Empty `error`
// when it can be laid out and cut.
WingRib buildWingRib(const RibStation& station, const RibProperties& properties, std::vector<AirfoilPoint> points,
                     std::string& tabProblem, std::string& error) {
    WingRib rib;
    rib.station = station;
    BuildingTabs tabs = buildingTabs(points, properties, station.washout);
    if (!tabs.error.empty() && tabProblem.empty()) tabProblem = "Rib " + rib.name() + ": " + tabs.error + ".";
    rib.tabs = std::move(tabs.tabs);
    const double c = properties.chord;
    bool sound = clipping::layable(airfoilPolygon(points, c), clipping::kLengthGrid);
    for (const BuildingTab& tab : rib.tabs) sound = sound && clipping::layable(tab.polygon, clipping::kLengthGrid);
    if (!sound) {
        error = "Rib " + rib.name() + " has coordinates too large to lay out (check the airfoil and the sizes).";
        return rib;
    }
    std::vector<ModelPolygon> tabRegions;
    for (const BuildingTab& tab : rib.tabs) {
        ModelPolygon region;
        for (const Vec2& q : tab.polygon) region.push_back({q.x / c, q.y / c});
        tabRegions.push_back(std::move(region));
    }
    static_cast<Rib&>(rib) = buildRib(std::move(points), properties, tabRegions);
    if (rib.cut.outline.size() < 3) {
        error = "Rib " + rib.name() + " has nothing left once its spars, edges and sheeting are cut out.";
        return rib;
    }
    Polygon cutPolygon;
    cutPolygon.reserve(rib.cut.outline.size());
    for (const ModelPoint& q : rib.cut.outline) cutPolygon.push_back(Vec2{q.x * c, q.y * c});
    rib.outline = joinOutline(cutPolygon, rib.tabs);
    for (const ModelPolygon& hole : rib.lighteningHoles) {
        Polygon scaled;
        for (const ModelPoint& q : hole) scaled.push_back(Vec2{q.x * c, q.y * c});
        rib.holes.push_back(std::move(scaled));
    }
    rib.pieces = rib.cut.pieces;
    rib.keptShare = rib.cut.keptShare;
    placeLabel(rib, cutPolygon);
    return rib;
}

} // namespace

RibSet buildRibSet(const WingPanel& panel, const RibProperties& document, AirfoilPoints rootSection,
                   AirfoilPoints tipSection) {
    RibSet set;
    set.error = validatePanel(panel);
    if (!set.error.empty()) return set;
    if (rootSection.size() < 2) {
        set.error = "The document has no airfoil.";
        return set;
    }
    const bool blend = tipSection.size() >= 2;
    const std::vector<RibStation> stations = ribStations(panel);
    set.ribs.reserve(stations.size());
    for (const RibStation& station : stations) {
        std::vector<AirfoilPoint> points;
        if (!blend || station.fraction == 0.0)
            points.assign(rootSection.begin(), rootSection.end());
        else if (station.fraction == 1.0)
            points.assign(tipSection.begin(), tipSection.end());
        else
            points = blendAirfoils(rootSection, tipSection, station.fraction);
        WingRib rib =
            buildWingRib(station, stationProperties(document, station), std::move(points), set.tabProblem, set.error);
        if (!set.error.empty()) {
            set.ribs.clear();
            return set;
        }
        set.ribs.push_back(std::move(rib));
    }
    return set;
}

RibWeight ribWeightOf(const WingRib& rib) { return ribWeight(rib.cut.outline, rib.lighteningHoles, rib.properties); }

std::string weightLines(const RibSet& set) {
    std::string text;
    double grams = 0.0, solid = 0.0;
    for (const WingRib& rib : set.ribs) {
        const RibWeight w = ribWeightOf(rib);
        grams += w.grams;
        solid += w.gramsSolid;
        text += rib.name() + ": " + ribWeightText(w) + "; " + gramsText(w.gramsSolid) + " g without holes\n";
    }
    text += std::to_string(set.ribs.size()) + (set.ribs.size() == 1 ? " rib: " : " ribs: ") + gramsText(grams) +
            " g; " + gramsText(solid) + " g without holes\n";
    return text;
}

// A rib whose largest piece holds less than this share of it is cut apart;
// above it the rest is crumbs where two cuts nearly meet.
constexpr double kWholeShare = 0.95;

std::string splitRibs(const RibSet& set) {
    std::vector<std::string> names;
    for (const WingRib& rib : set.ribs)
        if (rib.pieces > 1 && rib.keptShare < kWholeShare) names.push_back(rib.name());
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

std::string splitRibsMessage(const RibSet& set) {
    const std::string names = splitRibs(set);
    if (names.empty()) return {};
    const bool one = names.find(' ') == std::string::npos;
    return "The components cut " + std::string(one ? "rib " : "ribs ") + names +
           " into pieces; only the largest piece of " + (one ? "it" : "each") + " is cut.";
}

} // namespace parvelin::wing
