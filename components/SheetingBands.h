// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The band the sheeting's cut line takes out of the rib: everything between
// the line and the surface it lies under, in model coordinates.
#include <cstddef>
#include <vector>

#include "components/ComponentOutline.h"

namespace parvelin {

// `line` is the sheeting's cut line, its nodes from `lowerLineStart` on
// under the lower surface; `points` the airfoil it was built in.
std::vector<ModelPolygon> sheetingBands(const ComponentOutline& line, std::size_t lowerLineStart, AirfoilPoints points);

} // namespace parvelin
