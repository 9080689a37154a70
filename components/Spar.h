// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notches the spars need: a stick spar has one under the upper surface and
// one on the lower surface, a stock spar one on the lower surface.
#include "components/ComponentOutline.h"

namespace parvelin {

class Spar : public StyledComponent<SparStyle> {
public:
    bool compute(AirfoilPoints points, const RibProperties& properties);
    bool rebuild(AirfoilPoints points, const RibProperties& properties) {
        if (isBuilt()) clear();
        return compute(points, properties);
    }
};

} // namespace parvelin
