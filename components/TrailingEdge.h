// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the rib ends at the trailing edge: a square cut for trailing-edge stock,
// or inner lines at the sheeting's thickness for a sheeted trailing edge.
#include "components/ComponentOutline.h"

namespace parvelin {

class TrailingEdge : public StyledComponent<TrailingEdgeStyle> {
public:
    bool compute(AirfoilPoints points, const RibProperties& properties);
    bool rebuild(AirfoilPoints points, const RibProperties& properties) {
        if (isBuilt()) clear();
        return compute(points, properties);
    }

private:
    // The regions the built outline takes out: everything aft of the stock's
    // cut, or the bands between each inner line and its surface.
    void takeRegions(TrailingEdgeStyle style, const OuterBox& box);
};

} // namespace parvelin
