// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small parts laid in the lightening holes of larger ones before the rest
// are nested: each rides with its host.
#include <cstddef>
#include <vector>

#include "wing/Nesting.h"

namespace parvelin::wing {

// A part laid in a hole of another: its cut path in `pose`, moved by
// `offset`, in the host's own coordinates (before the host is posed).
struct Guest {
    std::size_t part = 0;
    std::size_t host = 0;
    Pose pose;
    Vec2 offset;
};

// Pose `first`, then pose `then`: mirroring turns the other way.
inline Pose composed(const Pose& first, const Pose& then) {
    const int turns = then.mirrored ? then.quarterTurns - first.quarterTurns : then.quarterTurns + first.quarterTurns;
    return Pose{((turns % 4) + 4) % 4, first.mirrored != then.mirrored};
}

// Per hole of the larger parts (largest first), the largest smaller part
// that fits in it, the gap kept from the hole's cut path. `cut` holds every
// part's cut path, `largestFirst` the parts by falling area.
std::vector<Guest> guestsInHoles(const std::vector<NestPart>& parts, const std::vector<Polygon>& cut,
                                 const std::vector<std::size_t>& largestFirst, const std::vector<Pose>& poses,
                                 double kerf, double gap);

} // namespace parvelin::wing
