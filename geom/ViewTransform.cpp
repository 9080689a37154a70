// SPDX-License-Identifier: GPL-3.0-or-later
#include "geom/ViewTransform.h"

#include <algorithm>
#include <cmath>

#include "geom/Constants.h"
#include "geom/DeviceCoord.h"

namespace parvelin {

namespace {

void turn(double viewAngle, double& c, double& s) {
    const double theta = -viewAngle * geom::kRadiansPerDegree;
    c = std::cos(theta);
    s = std::sin(theta);
}

} // namespace

platform::Rect boundsWithin(const platform::Rect& area, std::span<const DevicePoint> points) {
    platform::Rect bounds{area.right, area.bottom, area.left, area.top};
    for (const DevicePoint& p : points) {
        if (p.x < bounds.left) bounds.left = p.x;
        if (p.x > bounds.right) bounds.right = deviceOffset(p.x, 1);
        if (p.y > bounds.bottom) bounds.bottom = deviceOffset(p.y, 1);
        if (p.y < bounds.top) bounds.top = p.y;
    }
    return bounds;
}

std::optional<ViewTransform> ViewTransform::fitToWindow(const platform::Rect& client, float viewAngle) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int chordPixels = width - 2 * kMarginPixels;
    if (chordPixels < 0 || height < 0) return std::nullopt;
    ViewTransform t;
    t.kind_ = Kind::Window;
    t.chordPixels_ = chordPixels;
    t.airfoilPixels_ = static_cast<float>(chordPixels);
    t.originX_ = kMarginPixels;
    t.originY_ = height / 2;
    turn(viewAngle, t.cos_, t.sin_);
    return t;
}

ViewTransform ViewTransform::zoomed(const platform::ZoomedView& view, float viewAngle) {
    ViewTransform t;
    t.kind_ = Kind::Window;
    t.chordPixels_ = view.scale;
    t.airfoilPixels_ = view.scale;
    t.originX_ = view.originX;
    t.originY_ = view.originY;
    t.zoomed_ = true;
    turn(viewAngle, t.cos_, t.sin_);
    return t;
}

std::optional<ViewTransform> ViewTransform::forWindow(const platform::Window& window, float viewAngle) {
    if (const std::optional<platform::ZoomedView> own = window.zoomedView()) return zoomed(*own, viewAngle);
    return fitToWindow(window.clientRect(), viewAngle);
}

ViewTransform ViewTransform::trueScale(int pixelsPerInch, int pageHeight, float chord, bool millimetres) {
    ViewTransform t;
    t.kind_ = Kind::Page;
    t.scale_ = static_cast<double>(static_cast<float>(pixelsPerInch)) * static_cast<double>(chord);
    if (millimetres) t.scale_ *= static_cast<double>(geom::kInchesPerMillimetre);
    t.halfPage_ = 0.5 * static_cast<double>(pageHeight);
    return t;
}

ViewTransform ViewTransform::shifted(DevicePoint origin) const {
    ViewTransform t = *this;
    t.origin_ = {deviceCoord(static_cast<double>(origin_.x) + origin.x),
                 deviceCoord(static_cast<double>(origin_.y) + origin.y)};
    return t;
}

DevicePoint ViewTransform::fromOrigin(DevicePoint p) const {
    if (origin_.x == 0 && origin_.y == 0) return p;
    return {deviceCoord(static_cast<double>(p.x) - origin_.x), deviceCoord(static_cast<double>(p.y) - origin_.y)};
}

// In a window: x = trunc(scale * mx) + originX, y = originY - trunc(scale * my).
// A fit's origin is whole, so is the sum; a zoomed or panned origin need not
// be, and the sum is rounded down, so that a pan moves everything by exactly
// the pixels the cursor moved, on either side of the window's edge.
DevicePoint ViewTransform::map(geom::Point p) const {
    if (kind_ == Kind::Page)
        return fromOrigin({deviceCoord(scale_ * p.modelX + kMarginPixels), deviceCoord(halfPage_ - scale_ * p.modelY)});
    const double s = chordPixels_;
    return fromOrigin({deviceCoord(std::floor(originX_ + std::trunc(s * p.modelX))),
                       deviceCoord(std::floor(originY_ - std::trunc(s * p.modelY)))});
}

DevicePoint ViewTransform::mapAirfoil(geom::Point p) const {
    if (kind_ == Kind::Page) return map(p);
    const double a = airfoilPixels_;
    const double x = p.modelX;
    const double y = p.modelY;
    return fromOrigin({deviceCoord(std::floor(std::trunc(a * (cos_ * (x - 1.0) - sin_ * y + 1.0)) + originX_)),
                       deviceCoord(std::floor(originY_ - std::trunc(a * (cos_ * y + sin_ * (x - 1.0)))))});
}

platform::ZoomedView ViewTransform::placement() const { return {chordPixels_, originX_, originY_}; }

std::optional<ModelPosition> ViewTransform::modelAt(double x, double y) const {
    if (kind_ != Kind::Window || !(chordPixels_ > 0.0)) return std::nullopt;
    return ModelPosition{(x - originX_) / chordPixels_, (originY_ - y) / chordPixels_};
}

ViewTransform ViewTransform::zoomedAbout(double factor, double x, double y, double fitScale) const {
    if (kind_ != Kind::Window || !(factor > 0.0) || !std::isfinite(factor) || !(chordPixels_ > 0.0)) return *this;
    const double lo = fitScale * kMinZoom;
    const double hi = fitScale * kMaxZoom;
    const double scale =
        std::clamp(chordPixels_ * factor, std::min(lo, chordPixels_), std::max(hi, chordPixels_));
    const double f = scale / chordPixels_;
    ViewTransform t = *this;
    t.chordPixels_ = scale;
    t.airfoilPixels_ = scale;
    t.originX_ = x - f * (x - originX_);
    t.originY_ = y - f * (y - originY_);
    t.zoomed_ = true;
    return t;
}

ViewTransform ViewTransform::pannedBy(double dx, double dy) const {
    if (kind_ != Kind::Window) return *this;
    ViewTransform t = *this;
    t.originX_ += dx;
    t.originY_ += dy;
    t.zoomed_ = true;
    return t;
}

} // namespace parvelin
