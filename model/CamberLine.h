// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mean camber line of an airfoil: halfway between the upper and the lower
// surface, taken at the chordwise stations the two surfaces have in common.
#include <vector>

#include "model/AirfoilPoint.h"

namespace parvelin {

using CamberPoint = geom::ModelPoint;  // fractions of the chord

// The camber line of a point list in drawing order (trailing edge, upper
// surface, nose, lower surface, trailing edge), in model coordinates, from
// the nose aft. The nose is the first point with the smallest x; the upper
// surface runs from it back to the head of the list, the lower surface on to
// the tail. Every x of either surface within the chordwise range both
// surfaces cover is a station; at each the heights of the two surfaces (read
// along each surface from the nose aft, the first segment spanning the
// station) are averaged. Empty when the list cannot be split into two
// surfaces of at least two points each.
std::vector<CamberPoint> camberLine(AirfoilPoints points);

// The stations the camber line is taken at, each with the heights of the
// upper and the lower surface there (the same split and the same reading as
// camberLine); the thickness and the camber of a section are measured on them.
struct SurfaceStation {
    double x = 0.0;
    double upper = 0.0;
    double lower = 0.0;
};
std::vector<SurfaceStation> surfaceStations(AirfoilPoints points);

} // namespace parvelin
