// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "geom/Point.h"

namespace parvelin {

// One point of the airfoil outline in model coordinates, in drawing order:
// from the trailing edge over the upper surface to the nose and back along
// the lower surface.
using AirfoilPoint = geom::Point;
using AirfoilPoints = geom::Points;

} // namespace parvelin
