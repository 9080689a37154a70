// SPDX-License-Identifier: GPL-3.0-or-later
#include "rib/Rib.h"

#include <utility>

#include "components/LighteningHoles.h"
#include "model/CamberLine.h"

namespace parvelin {

std::vector<ModelPolygon> Rib::removedRegions() const {
    std::vector<ModelPolygon> removed;
    for (const std::vector<ModelPolygon>* regions : {&leadingEdge.removedRegions(), &trailingEdge.removedRegions(),
                                                      &spars.removedRegions(), &sheeting.removedRegions()})
        removed.insert(removed.end(), regions->begin(), regions->end());
    return removed;
}

Rib buildRib(std::vector<AirfoilPoint> points, const RibProperties& properties,
             const std::vector<ModelPolygon>& keepClear) {
    Rib rib;
    rib.points = std::move(points);
    rib.properties = properties;
    rib.leadingEdge.compute(rib.points, rib.properties);
    rib.trailingEdge.compute(rib.points, rib.properties);
    rib.spars.compute(rib.points, rib.properties);
    rib.sheeting.compute(rib.points, rib.properties);
    for (const CamberPoint& c : camberLine(rib.points)) rib.camber.append(c.x, c.y, 1);
    rib.cut = cutOutline(rib.points, rib.removedRegions());
    HoleObstacles obstacles = holeObstacles(rib.leadingEdge, rib.trailingEdge, rib.spars, rib.sheeting);
    obstacles.removed.insert(obstacles.removed.end(), keepClear.begin(), keepClear.end());
    rib.lighteningHoles = lighteningHoles(rib.points, obstacles, rib.properties);
    return rib;
}

} // namespace parvelin
