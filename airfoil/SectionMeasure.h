// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The largest thickness and camber of a section and where each lies, as
// fractions of the chord, measured from its points.
#include <optional>
#include <vector>

#include "model/CoordinateFile.h"

namespace parvelin {

struct SectionMeasure {
    double thickness = 0.0;    // largest distance from the lower to the upper surface, vertically
    double thicknessAt = 0.0;  // its station
    double camber = 0.0;       // the mean line's height farthest from the chord line (negative below it)
    double camberAt = 0.0;     // its station
};

// Points in drawing order (trailing edge, upper surface, nose, lower
// surface). The nose is the first point with the smallest x; at every x of
// either surface that both surfaces reach, the surfaces' heights (along each
// from the nose aft, the first segment spanning the station) give the
// thickness and the mean line. Nothing when the points do not make two
// surfaces that share at least one station.
std::optional<SectionMeasure> measureSection(const std::vector<CoordinatePair>& drawingOrder);

} // namespace parvelin
