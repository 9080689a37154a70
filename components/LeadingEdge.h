// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The leading-edge stock at the nose: a round dowel (drawn as a circle), a
// square strip set diagonally, a straight cut for a nose block, or an upright
// rectangle. Built for every style code, 0 included (then with no outline).
#include "components/ComponentOutline.h"

namespace parvelin {

class LeadingEdge : public StyledComponent<LeadingEdgeStyle> {
public:
    bool compute(AirfoilPoints points, const RibProperties& properties);
    bool rebuild(AirfoilPoints points, const RibProperties& properties) {
        if (isBuilt()) clear();
        return compute(points, properties);
    }

private:
    // The diamond of a square strip of side 2 * rd / 2 and the seat it takes.
    void appendSquare(double rd, const OuterBox& box);
};

} // namespace parvelin
