// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/Spar.h"

#include <algorithm>

#include "geom/Geometry.h"

namespace parvelin {
namespace {

// Stock: one notch standing on the lower surface, front edge at d. A station
// that the lower surface does not reach (d beyond the trailing edge, or ahead
// of every point) builds no notch.
void appendStockNotch(ComponentOutline& outline, std::vector<ModelPolygon>& removed, AirfoilPoints points, float d,
                      float w, float h) {
    if (points.empty()) return;
    std::size_t p = geom::advanceWhileNextAbove(points, 0, d);
    if (!geom::hasNext(points, p)) return;
    ++p;  // the first point after the head with x <= d
    p = geom::advanceWhileNextBelow(points, p, d);
    if (!geom::hasNext(points, p)) return;
    const float yb = geom::heightAt(d, points[p], points[p + 1]);
    const float top = yb + h;
    const float back = d + w;
    outline.append(d, yb, 1);
    outline.append(d, top, 1);
    outline.append(back, top, 1);
    outline.append(back, top - h, 1);
    outline.append(d, top - h, 1);
    // The notch from its floor down out through the lower surface.
    const OuterBox box = outerBoxFor(points);
    removed.push_back(modelRectangle(std::min(d, back), std::max(d, back), box.bottom, top));
}

// Stick: a notch hanging from the upper surface between d and d + w, and one
// standing on the lower surface, joined by a move only. Either notch failing
// to find its surface leaves no outline at all.
void appendStickNotches(ComponentOutline& outline, std::vector<ModelPolygon>& removed, AirfoilPoints points, float d,
                        float w, float h) {
    if (points.empty()) return;
    const float d2 = d + w;
    const std::size_t q0 = geom::advanceWhileNextAbove(points, 0, d2);
    if (!geom::hasNext(points, q0)) return;
    const float yT = geom::heightAt(d2, points[q0], points[q0 + 1]);

    // Past the upper surface to the last point before the nose region, then
    // along the lower surface to the last point ahead of d.
    std::size_t r = geom::advanceWhileNextAtOrAbove(points, q0, geom::kNoseRegion);
    // A spar inside the nose region would stop that walk on the upper
    // surface; there the walk goes on from the nose, so that the bottom notch
    // still stands on the lower surface (or on the nose point itself).
    if (static_cast<double>(d) < geom::kNoseRegion) r = std::max(r, geom::noseIndex(points));
    r = geom::advanceWhileNextBelow(points, r, d);
    // The list ended before the lower surface reached d: beyond the airfoil.
    if (!geom::hasNext(points, r)) return;
    const float yL = points[r].modelY;

    const float low = yT - h;
    outline.append(d2, yT, 1);
    outline.append(d, yT, 1);
    outline.append(d, low, 1);
    outline.append(d2, low, 1);
    outline.append(d2, low + h, 1);

    const float top = yL + h;
    outline.append(d, yL, 0);
    outline.append(d2, yL, 1);
    outline.append(d2, top, 1);
    outline.append(d, top, 1);
    outline.append(d, top - h, 1);
    // Each notch from its floor out through the surface it sits in.
    const OuterBox box = outerBoxFor(points);
    const float x0 = std::min(d2, d), x1 = std::max(d2, d);
    removed.push_back(modelRectangle(x0, x1, low, box.top));
    removed.push_back(modelRectangle(x0, x1, box.bottom, top));
}

} // namespace

bool Spar::compute(AirfoilPoints points, const RibProperties& properties) {
    style_ = properties.spar();
    const float w = properties.sparWidth / properties.chord;
    const float h = properties.sparHeight / properties.chord;
    const float d = properties.sparDistanceInPercent == 1 ? properties.sparDistance * geom::kPercent
                                                          : properties.sparDistance / properties.chord;
    const SparStyle style = properties.spar();
    if (style == SparStyle::None) return true;

    if (style == SparStyle::Stick)
        appendStickNotches(outline_, removed_, points, d, w, h);
    else if (style == SparStyle::Stock)
        appendStockNotch(outline_, removed_, points, d, w, h);

    built_ = 1;
    return true;
}

} // namespace parvelin
