// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two surfaces of an airfoil in drawing order, each as a run from the
// nose to the trailing edge, and the surfaces' heights at a chord station.
#include <vector>

#include "model/AirfoilPoint.h"
#include "wing/Polygon.h"

namespace parvelin::wing {

struct AirfoilSurfaces {
    std::vector<Vec2> upper;  // nose first, then aft to the trailing edge
    std::vector<Vec2> lower;  // nose first, then aft to the trailing edge
    bool closed = false;      // the drawing order ended on its first point again
    bool upperFirst = true;   // the drawing order walks the upper surface first
};

// Splits the drawing order (trailing edge, one surface, nose, the other
// surface) at the nose, the point with the smallest x (the first of equals).
// Both runs start at the nose. The run that stands higher over the chord is
// the upper one, whichever the file gave first. Fewer than two points give
// empty runs.
AirfoilSurfaces splitSurfaces(AirfoilPoints points);

// Height of a run at station x: the first segment whose x range holds x,
// followed as a straight line. Stations ahead of or beyond the run take the
// height of its nearer end. An empty run gives 0.
double heightAt(const std::vector<Vec2>& run, double x);

// The airfoil as a closed polygon in the chord's unit: model coordinates
// times the chord, a repeated closing point left out.
Polygon airfoilPolygon(AirfoilPoints points, double chord);

} // namespace parvelin::wing
