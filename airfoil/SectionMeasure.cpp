// SPDX-License-Identifier: GPL-3.0-or-later
#include "airfoil/SectionMeasure.h"

#include <cmath>

#include "model/CamberLine.h"

namespace parvelin {

std::optional<SectionMeasure> measureSection(const std::vector<CoordinatePair>& points) {
    for (const CoordinatePair& p : points)
        if (!std::isfinite(p.modelX) || !std::isfinite(p.modelY)) return std::nullopt;
    // The surfaces are split and read as for the camber line.
    std::optional<SectionMeasure> measure;
    for (const SurfaceStation& s : surfaceStations(points)) {
        const double thickness = s.upper - s.lower;
        const double camber = (s.upper + s.lower) / 2.0;
        if (!measure) {
            measure = SectionMeasure{thickness, s.x, camber, s.x};
            continue;
        }
        if (thickness > measure->thickness) {
            measure->thickness = thickness;
            measure->thicknessAt = s.x;
        }
        if (std::fabs(camber) > std::fabs(measure->camber)) {
            measure->camber = camber;
            measure->camberAt = s.x;
        }
    }
    return measure;
}

} // namespace parvelin
