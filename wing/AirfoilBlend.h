// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Blending two airfoil sections along the span: both are resampled to the
// same chordwise stations (cosine spacing, dense at the nose and the trailing
// edge) on each surface, then their points are interpolated.
#include <vector>

#include "model/AirfoilPoint.h"

namespace parvelin::wing {

// Stations per surface, nose and trailing edge included.
inline constexpr int kBlendStations = 101;

// The fractions 0 ... 1 of a surface's chordwise run at which both sections
// are sampled: (1 - cos(pi k / (n - 1))) / 2, exactly 0 and 1 at the ends.
std::vector<double> cosineStations(int count);

// The section at span fraction t (0: root, 1: tip) in drawing order: the
// upper surface from the trailing edge to the nose, then the lower surface
// back to the trailing edge, closed again when the root's list is closed.
// Each surface's stations run from that section's nose to its own trailing
// end, so an airfoil whose nose is not at x = 0 keeps its own shape.
// Either list with fewer than two points gives the other one unchanged.
std::vector<AirfoilPoint> blendAirfoils(AirfoilPoints root, AirfoilPoints tip, double t,
                                        int stations = kBlendStations);

} // namespace parvelin::wing
