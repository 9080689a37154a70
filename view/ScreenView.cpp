// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting the airfoil to its window and painting it.
#include "document/AirfoilDocument.h"
#include "geom/DeviceCoord.h"

namespace parvelin {

std::vector<DevicePoint> AirfoilDocument::screenPoints() const {
    std::vector<DevicePoint> pixels;
    if (!screen_) return pixels;
    return mappedPoints(rib_, *screen_);
}

platform::Rect AirfoilDocument::pointBounds() const {
    const platform::Rect client = window_ ? window_->clientRect() : platform::Rect{};
    return boundsWithin(client, screenPoints());
}

bool AirfoilDocument::fitToWindow() {
    if (rib_.points.empty() || window_ == nullptr) return false;
    const std::optional<ViewTransform> fit = ViewTransform::forWindow(*window_, viewAngle_);
    if (!fit) return false;
    screen_ = fit;
    window_->invalidate(true);
    return true;
}

void AirfoilDocument::paint(platform::DeviceContext& dc) const {
    paintRib(dc, picture(), screen_, window_ ? window_->clientRect() : platform::Rect{});
}

std::optional<ModelPosition> AirfoilDocument::modelAt(double x, double y) const {
    if (!isLoaded() || !screen_) return std::nullopt;
    return screen_->modelAt(x, y);
}

} // namespace parvelin
