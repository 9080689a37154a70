#include "view/ViewTransform.h"

#include <cmath>

#include "geom/Constants.h"
#include "view/DeviceCoord.h"

namespace parvelin {

std::optional<ViewTransform> ViewTransform::fitToWindow(const platform::Rect& client, float viewAngle) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int chordPixels = width - 50;
    if (chordPixels < 0 || height < 0) return std::nullopt;
    ViewTransform t;
    t.kind_ = Kind::Window;
    t.chordPixels_ = chordPixels;
    t.halfHeight_ = height / 2;
    const double theta = -static_cast<double>(viewAngle) * geom::kRadiansPerDegree;
    t.cos_ = std::cos(theta);
    t.sin_ = std::sin(theta);
    return t;
}

ViewTransform ViewTransform::trueScale(int pixelsPerInch, int pageHeight, float chord, bool millimetres) {
    ViewTransform t;
    t.kind_ = Kind::Page;
    t.scale_ = static_cast<double>(static_cast<float>(pixelsPerInch)) * static_cast<double>(chord);
    if (millimetres) t.scale_ *= static_cast<double>(geom::kInchesPerMillimetre);
    t.halfPage_ = 0.5 * static_cast<double>(pageHeight);
    return t;
}

DevicePoint ViewTransform::map(geom::Point p) const {
    if (kind_ == Kind::Page)
        return {deviceCoord(scale_ * p.modelX + 25.0), deviceCoord(halfPage_ - scale_ * p.modelY)};
    const double s = chordPixels_;
    return {deviceCoord(25.0 + std::trunc(s * p.modelX)),
            deviceCoord(static_cast<double>(halfHeight_) - std::trunc(s * p.modelY))};
}

DevicePoint ViewTransform::mapAirfoil(geom::Point p) const {
    if (kind_ == Kind::Page) return map(p);
    // The width as the single-precision value the turned fit has always used.
    const double a = static_cast<float>(chordPixels_);
    const double x = p.modelX;
    const double y = p.modelY;
    return {deviceCoord(std::trunc(a * (cos_ * (x - 1.0) - sin_ * y + 1.0)) + 25.0),
            deviceCoord(static_cast<double>(halfHeight_) - std::trunc(a * (cos_ * y + sin_ * (x - 1.0))))};
}

} // namespace parvelin
