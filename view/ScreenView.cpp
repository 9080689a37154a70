// Fitting the airfoil to its window and painting it.
#include <cmath>

#include "document/AirfoilDocument.h"
#include "view/DeviceCoord.h"
#include "view/ViewMapping.h"

namespace parvelin {

using platform::Pen;
using platform::PenScope;
using platform::PenStyle;

platform::Rect AirfoilDocument::pointBounds() const {
    platform::Rect client = window_ ? window_->clientRect() : platform::Rect{};
    // Start inside out, so that the bounds never lie outside the client's
    // opposite edges.
    platform::Rect bounds{client.right, client.bottom, client.left, client.top};
    for (const AirfoilPoint& p : points_) {
        if (p.screenX < bounds.left) bounds.left = p.screenX;
        if (p.screenX > bounds.right) bounds.right = deviceOffset(p.screenX, 1);
        if (p.screenY > bounds.bottom) bounds.bottom = deviceOffset(p.screenY, 1);
        if (p.screenY < bounds.top) bounds.top = p.screenY;
    }
    return bounds;
}

bool AirfoilDocument::fitToWindow() {
    if (points_.empty() || window_ == nullptr) return false;
    const std::optional<ViewMapping> view = windowMapping(*window_);
    if (!view) return false;
    const double theta = -static_cast<double>(viewAngle_) * 0.017453292519444445;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    for (AirfoilPoint& p : points_) {
        const double x = p.modelX;
        const double y = p.modelY;
        p.screenX = view->deviceX(c * (x - 1.0) - s * y + 1.0);
        p.screenY = view->deviceY(c * y + s * (x - 1.0));
    }
    if (leadingEdge_.isBuilt()) leadingEdge_.rescale();
    if (trailingEdge_.isBuilt()) trailingEdge_.rescale();
    if (spars_.isBuilt()) spars_.rescale();
    if (sheeting_.isBuilt()) sheeting_.rescale();
    rescaleOutline(camber_, window_);
    return true;
}

std::optional<ViewMapping> AirfoilDocument::zoomedMapping() const {
    if (!isLoaded() || window_ == nullptr) return std::nullopt;
    const std::optional<platform::ZoomedView> own = window_->zoomedView();
    if (!own) return std::nullopt;
    return ViewMapping{own->scale, own->originX, own->originY};
}

std::optional<CamberPoint> AirfoilDocument::modelAt(double x, double y) const {
    if (!isLoaded() || window_ == nullptr) return std::nullopt;
    const std::optional<ViewMapping> view = windowMapping(*window_);
    if (!view || !(view->scale > 0.0)) return std::nullopt;
    return CamberPoint{view->modelX(x), view->modelY(y)};
}

void AirfoilDocument::drawEdgeLines(platform::DeviceContext& dc, const platform::Rect& client) const {
    PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
    int top = 0;
    int bottom = 0;
    if (isLoaded()) {
        const platform::Rect bounds = pointBounds();
        top = bounds.top;
        bottom = bounds.bottom;
    } else {
        const int h = client.bottom - client.top;
        top = h / 2 - 25;
        bottom = h / 2 + 25;
    }
    int leading = client.left + 25;
    int trailing = client.right - 25;
    // Zoomed in or out, the marks stay on the nose and the trailing edge.
    if (const std::optional<ViewMapping> zoomed = zoomedMapping()) {
        leading = zoomed->deviceX(0.0);
        trailing = zoomed->deviceX(1.0);
    }
    dc.moveTo(leading, top);
    dc.lineTo(leading, bottom);
    dc.moveTo(trailing, top);
    dc.lineTo(trailing, bottom);
}

void AirfoilDocument::drawChordLine(platform::DeviceContext& dc, const platform::Rect& client) const {
    PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
    const int h = client.bottom - client.top;
    // Zoomed in or out, the line stays on the chord, across the whole window.
    const std::optional<ViewMapping> zoomed = zoomedMapping();
    const int y = zoomed ? zoomed->deviceY(0.0) : h / 2;
    dc.moveTo(12, y);
    dc.lineTo(client.right - 12, y);
}

void AirfoilDocument::paint(platform::DeviceContext& dc) {
    const platform::Rect client = window_ ? window_->clientRect() : platform::Rect{};
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kWhite});
    if (showEdgeLines_) drawEdgeLines(dc, client);
    if (showChordLine_) drawChordLine(dc, client);
    if (points_.empty()) return;
    for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
        dc.moveTo(points_[i].screenX, points_[i].screenY);
        dc.lineTo(points_[i + 1].screenX, points_[i + 1].screenY);
    }
    if (leadingEdge_.isBuilt()) leadingEdge_.draw(dc);
    if (trailingEdge_.isBuilt()) trailingEdge_.draw(dc);
    if (spars_.isBuilt()) spars_.draw(dc);
    if (sheeting_.isBuilt()) sheeting_.draw(dc);
    if (showCamberLine_) drawOutline(camber_, dc, true);
}

} // namespace parvelin
