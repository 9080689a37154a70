// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting a rib to its window.
#include "view/ScreenView.h"

#include "view/RibPicture.h"

namespace parvelin {

bool ScreenView::fit(const Rib& rib, const platform::Window& window, float viewAngle) {
    if (rib.points.empty()) return false;
    const std::optional<ViewTransform> fitted = ViewTransform::forWindow(window, viewAngle);
    if (!fitted) return false;
    transform_ = fitted;
    return true;
}

std::vector<DevicePoint> ScreenView::points(const Rib& rib) const {
    if (!transform_) return {};
    return mappedPoints(rib, *transform_);
}

platform::Rect ScreenView::pointBounds(const Rib& rib, const platform::Rect& client) const {
    return boundsWithin(client, points(rib));
}

std::optional<ModelPosition> ScreenView::modelAt(double x, double y) const {
    if (!transform_) return std::nullopt;
    return transform_->modelAt(x, y);
}

} // namespace parvelin
