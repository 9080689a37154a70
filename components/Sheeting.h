// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cut line under sheeted surfaces: inside the airfoil at the sheeting's
// thickness, stopping at the trailing-edge piece, the spar and the
// leading-edge stock. It is drawn, printed and exported, so that a rib cut
// by hand from a printed page shows where the sheeting sits.
#include "components/ComponentOutline.h"

namespace parvelin {

class Sheeting : public StyledComponent<SheetingStyle> {
public:
    // The sheeting counts as built while its outline holds any segment.
    bool isBuilt() const { return !outline_.empty(); }
    void clear() {
        built_ = 0;
        style_ = SheetingStyle::None;
        lowerLineStart_ = 0;
        outline_.clear();
        removed_.clear();
    }
    bool compute(AirfoilPoints points, const RibProperties& properties);
    bool rebuild(AirfoilPoints points, const RibProperties& properties) {
        if (isBuilt()) clear();
        return compute(points, properties);
    }
    bool builtFlag() const { return built_ != 0; }
    // Where the line under the lower surface begins in the outline (the
    // outline's size when there is none); the nodes before it lie under the
    // upper surface.
    std::size_t lowerLineStart() const { return lowerLineStart_; }

private:
    std::size_t lowerLineStart_ = 0;
};

} // namespace parvelin
