// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The airfoil's point list as a closed outline (the last point joins the
// first): which points lie inside it, and where a segment crosses it. The
// sheeting keeps its cut line inside the rib with it, and the cut outline
// checks against it.
#include <cstddef>
#include <vector>

#include "components/ComponentOutline.h"
#include "model/AirfoilPoint.h"

namespace parvelin {

// How far outside the outline a point may lie and still count as on it: a
// point computed on the surface (an interpolated height, a crossing rounded
// to single precision) lands within a few float steps of it.
inline constexpr double kOnOutlineTolerance = 1e-6;

class AirfoilBoundary {
public:
    explicit AirfoilBoundary(AirfoilPoints points);

    bool empty() const { return edges_.empty(); }
    // Inside the closed outline (even-odd rule), or within `tolerance` of it.
    bool contains(double x, double y, double tolerance = kOnOutlineTolerance) const;
    // Distance from (x, y) to the nearest edge.
    double distance(double x, double y) const;
    // The point of the outline nearest to (x, y); (x, y) itself when empty.
    void nearest(double x, double y, double& nx, double& ny) const;
    // The parameters t in (0, 1) at which the segment a + t (b - a) crosses
    // an edge, sorted, each once.
    std::vector<double> crossings(double ax, double ay, double bx, double by) const;

private:
    struct Edge {
        double x0, y0, x1, y1;
        double minX, maxX, minY, maxY;
    };
    std::vector<Edge> edges_;
};

// Drops what of an outline lies outside the airfoil: a drawn segment that
// leaves it ends at the crossing, one that comes back in begins there (with a
// move), and a moved-to point outside is left out. Segments inside are kept
// node for node. Returns where the node that stood at `mark` (or the first
// kept node after it) now stands: the size of the outline when none is left.
std::size_t clipToAirfoil(ComponentOutline& outline, const AirfoilBoundary& boundary, std::size_t mark = 0);

} // namespace parvelin
