// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A built rib as one value: the airfoil's points, the rib properties, the
// four components built from them, what each removes, the cut outline and
// the lightening holes. A document's rib and every rib of a wing are made
// by buildRib; painting, printing and the files are written from it.
#include <vector>

#include "components/ComponentOutline.h"
#include "components/LeadingEdge.h"
#include "components/Sheeting.h"
#include "components/Spar.h"
#include "components/TrailingEdge.h"
#include "clip/CutOutline.h"
#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"

namespace parvelin {

struct Rib {
    std::vector<AirfoilPoint> points;  // model coordinates, drawing order
    RibProperties properties = kDefaultRibProperties;
    LeadingEdge leadingEdge;
    TrailingEdge trailingEdge;
    Spar spars;
    Sheeting sheeting;
    ComponentOutline camber;  // the mean camber line, one polyline from the nose aft
    CutOutline cut;           // the airfoil less every component's removed regions
    std::vector<ModelPolygon> lighteningHoles;  // counter-clockwise, each closed

    // Every component's removed regions, in the order leading edge, trailing
    // edge, spars, sheeting.
    std::vector<ModelPolygon> removedRegions() const;
};

// Builds the rib of `points` with `properties`. `keepClear` holds regions
// (a wing rib's building tabs) the lightening holes stay a web away from,
// as from the components' own.
Rib buildRib(std::vector<AirfoilPoint> points, const RibProperties& properties,
             const std::vector<ModelPolygon>& keepClear = {});

} // namespace parvelin
