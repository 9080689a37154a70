// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/BuildingTabs.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "wing/AirfoilSurfaces.h"
#include "geom/Constants.h"
#include "geom/Units.h"

namespace parvelin::wing {
namespace {

constexpr double kFrontStation = 0.12;
constexpr double kBackStation = 0.88;
// Tabs are searched for in steps of half a percent of the chord.
constexpr double kSearchStep = 0.005;
// Nothing stands within the first and last 5 % of the chord.
constexpr double kEndZone = 0.05;

double radians(double degrees) { return degrees * geom::kPi / 180.0; }

struct Zone {
    double from;
    double to;
};

// The stretches of the chord (fractions) that a tab must keep clear of.
std::vector<Zone> keepClear(const RibProperties& p, double margin) {
    const double c = p.chord;
    std::vector<Zone> zones{{0.0, kEndZone}, {1.0 - kEndZone, 1.0}};
    if (p.leadingEdge() != LeadingEdgeStyle::None) zones.push_back({0.0, 2.0 * p.leadingEdgeDepth / c + margin});
    if (p.spar() != SparStyle::None) {
        const double d = p.sparDistanceInPercent == 1 ? p.sparDistance * 0.01 : p.sparDistance / c;
        zones.push_back({d - margin, d + p.sparWidth / c + margin});
    }
    if (p.trailingEdge() != TrailingEdgeStyle::None) zones.push_back({1.0 - p.trailingEdgeWidth / c - margin, 1.0});
    return zones;
}

bool clear(const std::vector<Zone>& zones, double from, double to) {
    for (const Zone& z : zones)
        if (from < z.to && to > z.from) return false;
    return true;
}

} // namespace

double boardDistance(const RibProperties& p) {
    return p.heightInPercent == 1 ? p.height * 0.01 * p.chord : static_cast<double>(p.height);
}

double boardLineY(double chord, double distance, double washoutDegrees, double x) {
    const double w = radians(washoutDegrees);
    return (chord - x) * std::tan(w) - distance / std::cos(w);
}

double tabWidth(const RibProperties& p) {
    const double nominal = inMillimetres(p) ? 5.0 : 0.2;
    return std::min(nominal, 0.06 * p.chord);
}

BuildingTabs buildingTabs(AirfoilPoints points, const RibProperties& p, double washoutDegrees) {
    BuildingTabs result;
    const double distance = boardDistance(p);
    if (!(distance > 0.0) || points.size() < 2) return result;
    const double c = p.chord;
    const AirfoilSurfaces s = splitSurfaces(points);

    // The rib must clear the board everywhere, or it cannot stand on it.
    for (const Vec2& v : s.lower)
        if (v.y * c <= boardLineY(c, distance, washoutDegrees, v.x * c)) {
            result.error = "its lower surface reaches down to the building board; raise the Height";
            return result;
        }

    const double width = tabWidth(p) / c;
    const std::vector<Zone> zones = keepClear(p, width);
    double front = -1.0;
    for (double x = kFrontStation; x + width <= 0.5; x += kSearchStep)
        if (clear(zones, x, x + width)) {
            front = x;
            break;
        }
    double back = -1.0;
    for (double x = kBackStation; x - width >= 0.5; x -= kSearchStep)
        if (clear(zones, x - width, x)) {
            back = x - width;
            break;
        }
    if (front < 0.0 || back < 0.0) {
        result.error = "there is no room for building tabs between the leading edge, the spar and the trailing edge";
        return result;
    }

    for (const double from : {front, back}) {
        BuildingTab tab;
        const double x0 = from * c;
        const double x1 = (from + width) * c;
        tab.front = x0;
        tab.back = x1;
        tab.polygon.push_back(Vec2{x0, boardLineY(c, distance, washoutDegrees, x0)});
        tab.polygon.push_back(Vec2{x1, boardLineY(c, distance, washoutDegrees, x1)});
        tab.lowerFront = Vec2{x0, heightAt(s.lower, from) * c};
        tab.lowerBack = Vec2{x1, heightAt(s.lower, from + width) * c};
        // The top follows the mean line inside the rib, so that the tab and
        // the rib overlap and join into one outline.
        for (const double f : {from + width, from + width * 0.5, from}) {
            const double mean = 0.5 * (heightAt(s.upper, f) + heightAt(s.lower, f));
            tab.polygon.push_back(Vec2{f * c, mean * c});
        }
        result.tabs.push_back(std::move(tab));
    }
    return result;
}

Polygon tabSides(const BuildingTab& tab) {
    if (tab.polygon.size() < 2) return {};
    return {tab.lowerFront, tab.polygon[0], tab.polygon[1], tab.lowerBack};
}

} // namespace parvelin::wing
