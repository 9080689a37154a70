// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every rib of a wing panel, each a full rib computed by the same component
// code as a single document's rib: its own chord and spar distance, the
// section blended between root and tip airfoils, and its building tabs.
#include <string>
#include <vector>

#include "components/LighteningHoles.h"
#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"
#include "rib/Rib.h"
#include "wing/BuildingTabs.h"
#include "wing/Polygon.h"
#include "wing/WingPanel.h"

namespace parvelin::wing {

// The rib itself (Rib: its properties are the document's with this rib's
// chord, spar distance and washout; its holes stay clear of its tabs) and
// what the wing adds to it.
struct WingRib : Rib {
    RibStation station;
    std::vector<BuildingTab> tabs;
    Polygon outline;                   // the rib's cut outline and its tabs joined, in the chord's unit
    std::vector<Polygon> holes;        // its lightening holes, in the chord's unit
    Vec2 labelAt;                      // where the rib's label starts, inside the rib
    double labelHeight = 0.0;          // a text height that fits the rib there
    int pieces = 1;                    // pieces the cut leaves; above 1 only the largest is cut
    double keptShare = 1.0;            // the largest piece's share of all the pieces' area

    // "R3", and with a side letter "R3 L".
    std::string name() const;
    std::string label(char side) const;
};

struct RibSet {
    std::vector<WingRib> ribs;
    std::string error;       // the panel cannot be built (then there are no ribs); empty when it can
    std::string tabProblem;  // the first rib that cannot stand on its board; those ribs have no tabs
};

// The rib set of a panel. `rootSection` is the document's airfoil; a
// `tipSection` with at least two points is blended in by span station,
// otherwise every rib has the root's section. Every property other than the
// chord, the spar distance (made a length) and the washout is the document's.
// A rib that cannot stand on its building board is still built, without
// tabs, and the first such rib is named in `tabProblem`.
// The ribs the components cut apart ("R6, R7 and R9"): more than crumbs
// (a twentieth of the rib's area) lie outside the largest piece, which is
// all that is cut. Empty when every rib stays whole.
std::string splitRibs(const RibSet& set);
// The same as a sentence for the user, or empty.
std::string splitRibsMessage(const RibSet& set);

RibSet buildRibSet(const WingPanel& panel, const RibProperties& document, AirfoilPoints rootSection,
                   AirfoilPoints tipSection = {});

// The airfoil polygon and the tab polygons joined into one outline (Clipper
// union); the largest piece if they do not meet.
Polygon joinOutline(const Polygon& airfoil, const std::vector<BuildingTab>& tabs);

// The rib's area, holes' share and mass (its cut outline without the tabs,
// which are cut off once the wing is built).
RibWeight ribWeightOf(const WingRib& rib);
// One line per rib ("R1: rib 1,234 mm², holes 41 %, 0.39 g; 0.66 g without
// holes") and the set's total ("40 ribs: 15.60 g; 26.40 g without holes").
std::string weightLines(const RibSet& set);

// The area of the overlap of two polygons, through Clipper.
double overlapArea(const Polygon& a, const Polygon& b);

} // namespace parvelin::wing
