// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rib as it is cut: the airfoil minus what each component removes. Each
// component states the region it takes out as closed polygons; the polygon
// operations run on Clipper with integer coordinates. Everything here is in
// model coordinates (fractions of the chord, y up).
#include <vector>

#include "model/AirfoilPoint.h"

namespace parvelin {

using ModelPoint = geom::ModelPoint;
using ModelPolygon = std::vector<ModelPoint>;  // closed: the last point joins the first

// How far outside the airfoil the removed regions reach: they are closed
// round the outside at this distance, so no region leaves a sliver of rib
// between itself and the surface.
struct OuterBox {
    double left, right, bottom, top;
};
OuterBox outerBoxFor(AirfoilPoints points);

// The rectangle [x0, x1] x [y0, y1], counter-clockwise for x0 < x1, y0 < y1.
ModelPolygon modelRectangle(double x0, double x1, double y0, double y1);

struct CutOutline {
    ModelPolygon outline;  // counter-clockwise; empty when nothing is left
    int pieces = 0;        // separate pieces the difference left; the largest is kept
    double keptShare = 1.0; // the kept piece's share of all the pieces' area
    int holes = 0;         // holes inside the kept piece (left out of the outline)
};

// The airfoil polygon minus the union of `removed`.
CutOutline cutOutline(AirfoilPoints points, const std::vector<ModelPolygon>& removed);

// The outline grown outward by `distance` (model units), rounded corners,
// for a cutter that takes `2 * distance` of material (the kerf).
ModelPolygon grownOutline(const ModelPolygon& outline, double distance);

} // namespace parvelin
