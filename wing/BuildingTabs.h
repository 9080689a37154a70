// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Building tabs: two legs under each rib that stand on the flat building
// board, so that every rib sits at its height and washout when pinned down.
// The board lies `height` below the chord line at the trailing edge (a length,
// or a percentage of the chord with heightInPercent) and is turned by the
// rib's washout about the trailing edge: with washout the rib stands nose
// down, so in the rib's own frame the board rises towards the nose.
#include <string>
#include <vector>

#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"
#include "wing/Polygon.h"

namespace parvelin::wing {

// The board's distance below the chord line at the trailing edge, in the
// chord's unit; 0 or less means no tabs.
double boardDistance(const RibProperties& properties);

// Height of the board line at station x (a length from the leading edge) in
// the rib's frame: the line y = -distance turned by the washout about the
// trailing edge (chord, 0).
double boardLineY(double chord, double distance, double washoutDegrees, double x);

struct BuildingTab {
    Polygon polygon;    // anticlockwise; its top lies inside the rib, its bottom on the board line
    double front = 0.0; // chordwise extent, lengths from the leading edge
    double back = 0.0;
    Vec2 lowerFront;    // where its sides meet the rib's lower surface
    Vec2 lowerBack;
};

// The lines a drawing shows of a tab: the part outside the rib, down its
// front side from the lower surface, along the board, up its back side.
Polygon tabSides(const BuildingTab& tab);

struct BuildingTabs {
    std::vector<BuildingTab> tabs;  // none, or the front tab and the back tab
    std::string error;              // why the rib cannot stand on its board; empty when it can
};

// The tabs of one rib. Each tab is `tabWidth(properties)` wide; the front one
// stands near 12 % of the chord, the back one near 88 %, each moved as little
// as needed to keep a tab's width clear of the leading-edge piece, the spar
// notches and the trailing-edge piece.
BuildingTabs buildingTabs(AirfoilPoints points, const RibProperties& properties, double washoutDegrees);

// 5 mm (0.2 inch), but at most 6 % of the chord.
double tabWidth(const RibProperties& properties);

} // namespace parvelin::wing
