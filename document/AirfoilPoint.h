#pragma once
#include <cstdint>
#include <span>

namespace parvelin {

// One point of the airfoil outline, in drawing order: from the trailing edge
// over the upper surface to the nose and back along the lower surface.
struct AirfoilPoint {
    std::int32_t screenX = 0;  // device pixels, rewritten by every fit and by printing
    std::int32_t screenY = 0;
    float modelX = 0.0f;       // fraction of the chord, 0 at the nose, 1 at the trailing edge
    float modelY = 0.0f;       // fraction of the chord above the chord line
};

using AirfoilPoints = std::span<const AirfoilPoint>;

} // namespace parvelin
