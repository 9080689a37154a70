// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the airfoil points of a design file: a JSON list of [x, y] pairs,
// each number a float's text read back into the same float. The rib's
// airfoil and a wing's tip airfoil are read the same way.
#include <cstddef>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/CoordinateFile.h"

namespace parvelin {

// A float read back from its double text, refusing what a float cannot hold
// (not a number, infinite, or beyond the float range).
bool jsonFloat(const nlohmann::json& value, float& out);

// Appends `list`'s pairs to `points`; returns the number (from 1) of the
// first entry that is not a pair of finite numbers, or 0 when all are.
std::size_t readJsonPoints(const nlohmann::json& list, std::vector<CoordinatePair>& points);

} // namespace parvelin
