// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cutting a line two parts share once. Parts nested touching (their cut
// paths meeting along a straight stretch) would have that stretch cut twice:
// the second pass widens the cut and chars balsa. Each path keeps what no
// earlier path already cuts; a path that gave nothing up stays closed, the
// rest of one that did is written as open lines.
#include <vector>

#include "wing/Polygon.h"

namespace parvelin::wing {

struct SharedCuts {
    std::vector<Polygon> closed;              // paths cut whole, in the order given
    std::vector<std::vector<Vec2>> open;      // what is left of the others: open lines
    double sharedLength = 0.0;                // the length cut once instead of twice
};

// Two edges share a stretch when both ends of one lie within `tolerance` of
// the other's line and their overlap along it is longer than `tolerance`.
SharedCuts shareCommonLines(const std::vector<Polygon>& paths, double tolerance);

} // namespace parvelin::wing
