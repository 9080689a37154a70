// Fitting the airfoil to its window and painting it.
#include <cmath>

#include "document/AirfoilDocument.h"
#include "view/DeviceCoord.h"

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
    const platform::Rect client = window_->clientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int aWhole = width - 50;
    const int b = height;
    if (aWhole < 0 || b < 0) return false;
    const double a = static_cast<float>(aWhole);
    const double theta = -static_cast<double>(viewAngle_) * 0.017453292519444445;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    for (AirfoilPoint& p : points_) {
        const double x = p.modelX;
        const double y = p.modelY;
        p.screenX = deviceCoord(std::trunc(a * (c * (x - 1.0) - s * y + 1.0)) + 25.0);
        p.screenY = deviceCoord(static_cast<double>(b / 2) - std::trunc(a * (c * y + s * (x - 1.0))));
    }
    if (leadingEdge_.isBuilt()) leadingEdge_.rescale();
    if (trailingEdge_.isBuilt()) trailingEdge_.rescale();
    if (spars_.isBuilt()) spars_.rescale();
    if (sheeting_.isBuilt()) sheeting_.rescale();
    return true;
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
    dc.moveTo(client.left + 25, top);
    dc.lineTo(client.left + 25, bottom);
    dc.moveTo(client.right - 25, top);
    dc.lineTo(client.right - 25, bottom);
}

void AirfoilDocument::drawChordLine(platform::DeviceContext& dc, const platform::Rect& client) const {
    PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
    const int h = client.bottom - client.top;
    dc.moveTo(12, h / 2);
    dc.lineTo(client.right - 12, h / 2);
}

void AirfoilDocument::drawCutOutline(platform::DeviceContext& dc, const platform::Rect& client) const {
    // The window's fit (rotation 0): the chord spans the client width less
    // 25 pixels each side, the chord line at mid-height.
    const int s = (client.right - client.left) - 50;
    const int h = client.bottom - client.top;
    if (s < 0 || h < 0) return;
    const ModelPolygon outline = cutOutline().outline;
    if (outline.empty()) return;
    auto x = [&](const ModelPoint& p) { return deviceCoord(25.0 + std::trunc(static_cast<double>(s) * p.x)); };
    auto y = [&](const ModelPoint& p) { return deviceCoord(static_cast<double>(h / 2) - std::trunc(static_cast<double>(s) * p.y)); };
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kCutOutline});
    dc.moveTo(x(outline.back()), y(outline.back()));
    for (const ModelPoint& p : outline) dc.lineTo(x(p), y(p));
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
    if (showCutOutline_) drawCutOutline(dc, client);
}

} // namespace parvelin
