// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lightening holes: openings cut out of the rib between what it holds (the
// leading-edge piece, each spar notch, the trailing-edge piece, the tabs of a
// wing rib), keeping `holeMargin` of material along the skin and `holeWeb`
// beside every notch, band and other hole. The bays are found by the polygon
// operations of the cut outline: the airfoil shrunk by the margin, less each
// component's region grown by the web, cut apart at the spars and the edges.
// Each bay is then filled by the chosen style, sized from its own depth:
// round holes packed along it, slots (one bay cut into slots about three
// depths long), or a truss (triangles between diagonal webs). Slot and truss
// corners are rounded by the corner radius (shrunk, then grown back), and a
// hole that holds no disc of `holeMinimum` is left out.
// Everything is in model coordinates (fractions of the chord).
#include <string>
#include <vector>

#include "clip/CutOutline.h"
#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"

namespace parvelin {

class LeadingEdge;
class TrailingEdge;
class Spar;
class Sheeting;

// What the holes keep clear of, in model coordinates.
struct HoleObstacles {
    // Regions a component removes from the rib (notches, seats, bands, the
    // edge stocks): the holes keep `holeWeb` from them.
    std::vector<ModelPolygon> removed;
    // Where the bays end: every removed region's chordwise span, and other
    // spans (tabs) the holes stay `holeWeb` clear of over the rib's full depth.
    struct Span {
        double from;
        double to;
    };
    std::vector<Span> bayEnds;
    // The hole region stops `holeWeb` behind this x (leading-edge piece) and
    // before `tailX` (trailing-edge piece); none when not built.
    double noseX = -1e9;
    double tailX = 1e9;
};

// The obstacles of a rib's four components.
HoleObstacles holeObstacles(const LeadingEdge& leadingEdge, const TrailingEdge& trailingEdge,
                            const Spar& spars, const Sheeting& sheeting);

// The holes (counter-clockwise, each closed) of a rib with these properties;
// empty for hole style None, an unbuildable record or an airfoil of too few
// points.
std::vector<ModelPolygon> lighteningHoles(AirfoilPoints points, const HoleObstacles& obstacles,
                                          const RibProperties& properties);
std::vector<ModelPolygon> lighteningHoles(AirfoilPoints points, const LeadingEdge& leadingEdge,
                                          const TrailingEdge& trailingEdge, const Spar& spars,
                                          const Sheeting& sheeting, const RibProperties& properties);

// The rib's area, its holes' share and its mass. Areas in square
// millimetres, mass in grams, whatever the design's unit.
struct RibWeight {
    double areaMm2 = 0.0;       // the cut outline's area, holes not taken off
    double holesMm2 = 0.0;      // the holes' area
    double holeShare = 0.0;     // holesMm2 / areaMm2, 0 to 1
    double grams = 0.0;         // the rib as cut, holes taken off
    double gramsSolid = 0.0;    // the same rib without holes
};
RibWeight ribWeight(const ModelPolygon& outline, const std::vector<ModelPolygon>& holes,
                    const RibProperties& properties);

// "rib 1,234 mm², holes 41 %, 0.39 g"
std::string ribWeightText(const RibWeight& weight);
// "1,234": a whole number with a comma between thousands.
std::string thousandsText(double value);
// "0.39": two decimals (three below 0.1 g, so a tiny rib does not read 0).
std::string gramsText(double grams);

} // namespace parvelin
