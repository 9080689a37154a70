// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rib as a picture for other programs (Edit > Copy): the airfoil, every
// built component and, when shown, the camber line, black on white at true
// proportions, as SVG text.
#include <string>

#include "view/RibPicture.h"

namespace parvelin {

// SVG user units per unit of the chord (mm or inch): coordinates are
// thousandths of the chord's unit, whole numbers, y pointing down.
inline constexpr int kSvgUnitsPerLength = 1000;

// The SVG of a loaded rib: a viewBox around everything drawn (the airfoil,
// and components where they reach beyond it), the picture's width and height
// in the chord's unit, so that it pastes at true size. Empty for a picture
// without an airfoil.
std::string ribSvg(const RibPicture& picture);

} // namespace parvelin
