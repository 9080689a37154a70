// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small hand-made point lists for the component tests, in drawing order.
#include <initializer_list>
#include <utility>
#include <vector>

#include "model/AirfoilPoint.h"

namespace parvelin::testing {

inline std::vector<AirfoilPoint> airfoil(std::initializer_list<std::pair<float, float>> xy) {
    std::vector<AirfoilPoint> points;
    for (const auto& [x, y] : xy) points.push_back(AirfoilPoint{x, y});
    return points;
}

} // namespace parvelin::testing
