#include "components/SurfaceSearch.h"

#include <cmath>

#include "components/ComponentOutline.h"

namespace parvelin::surface {

std::size_t advanceWhileNextAbove(AirfoilPoints points, std::size_t p, double a) {
    while (hasNext(points, p) && static_cast<double>(points[p + 1].modelX) > a) ++p;
    return p;
}

std::size_t advanceWhileNextAtOrAbove(AirfoilPoints points, std::size_t p, double a) {
    while (hasNext(points, p) && static_cast<double>(points[p + 1].modelX) >= a) ++p;
    return p;
}

std::size_t advanceWhileNextBelow(AirfoilPoints points, std::size_t p, double a) {
    while (hasNext(points, p) && static_cast<double>(points[p + 1].modelX) < a) ++p;
    return p;
}

std::size_t noseIndex(AirfoilPoints points) {
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].modelX <= 0.0f) return i;
    std::size_t nose = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].modelX < points[nose].modelX) nose = i;
    return nose;
}

float interpolateHeight(float a, float x0, float y0, float x1, float y1) {
    if (x1 == x0) return y1;
    const double d0 = y0;
    const float height =
        modelFloat(d0 + (static_cast<double>(a) - x0) / (static_cast<double>(x1) - x0) * (static_cast<double>(y1) - y0));
    // Far outside a bracket (a station beyond the list's end points) the
    // single-precision line can overflow; the nearer end's height stands in.
    return std::isfinite(height) ? height : y1;
}

} // namespace parvelin::surface
