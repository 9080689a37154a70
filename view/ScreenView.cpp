// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting the airfoil to its window and painting it.
#include "document/AirfoilDocument.h"
#include "geom/DeviceCoord.h"

namespace parvelin {

using platform::Pen;
using platform::PenScope;
using platform::PenStyle;

std::vector<DevicePoint> AirfoilDocument::screenPoints() const {
    std::vector<DevicePoint> pixels;
    if (!screen_) return pixels;
    pixels.reserve(points_.size());
    for (const AirfoilPoint& p : points_) pixels.push_back(screen_->mapAirfoil(p));
    return pixels;
}

platform::Rect AirfoilDocument::pointBounds() const {
    const platform::Rect client = window_ ? window_->clientRect() : platform::Rect{};
    return boundsWithin(client, screenPoints());
}

bool AirfoilDocument::fitToWindow() {
    if (points_.empty() || window_ == nullptr) return false;
    const std::optional<ViewTransform> fit = ViewTransform::forWindow(*window_, viewAngle_);
    if (!fit) return false;
    screen_ = fit;
    window_->invalidate(true);
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
        top = h / 2 - kMarginPixels;
        bottom = h / 2 + kMarginPixels;
    }
    int leading = client.left + kMarginPixels;
    int trailing = client.right - kMarginPixels;
    // Zoomed in or out, the marks stay on the nose and the trailing edge.
    if (isLoaded() && screen_ && screen_->isZoomed()) {
        leading = screen_->map(0.0f, 0.0f).x;
        trailing = screen_->map(1.0f, 0.0f).x;
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
    const int y = isLoaded() && screen_ && screen_->isZoomed() ? screen_->map(0.0f, 0.0f).y : h / 2;
    dc.moveTo(12, y);
    dc.lineTo(client.right - 12, y);
}

void AirfoilDocument::drawCutOutline(platform::DeviceContext& dc, const ViewTransform& view) const {
    const ModelPolygon outline = cutOutline().outline;
    if (outline.empty()) return;
    auto at = [&](const ModelPoint& p) { return view.map(geom::Point{static_cast<float>(p.x), static_cast<float>(p.y)}); };
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kCutOutline});
    const DevicePoint last = at(outline.back());
    dc.moveTo(last.x, last.y);
    for (const ModelPoint& p : outline) {
        const DevicePoint d = at(p);
        dc.lineTo(d.x, d.y);
    }
}

void AirfoilDocument::drawHoles(platform::DeviceContext& dc, const ViewTransform& view) const {
    for (const ModelPolygon& hole : lighteningHoles()) {
        if (hole.empty()) continue;
        auto at = [&](const ModelPoint& p) { return view.map(geom::Point{static_cast<float>(p.x), static_cast<float>(p.y)}); };
        const DevicePoint last = at(hole.back());
        dc.moveTo(last.x, last.y);
        for (const ModelPoint& p : hole) {
            const DevicePoint d = at(p);
            dc.lineTo(d.x, d.y);
        }
    }
}

void AirfoilDocument::paint(platform::DeviceContext& dc) const {
    const platform::Rect client = window_ ? window_->clientRect() : platform::Rect{};
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kWhite});
    if (showEdgeLines_) drawEdgeLines(dc, client);
    if (showChordLine_) drawChordLine(dc, client);
    // Nothing has been fitted to a window yet: only the guides show.
    if (points_.empty() || !screen_) return;
    const std::vector<DevicePoint> pixels = screenPoints();
    for (std::size_t i = 0; i + 1 < pixels.size(); ++i) {
        dc.moveTo(pixels[i].x, pixels[i].y);
        dc.lineTo(pixels[i + 1].x, pixels[i + 1].y);
    }
    // The holes are cut like the outline, and drawn like it.
    drawHoles(dc, *screen_);
    if (leadingEdge_.isBuilt()) leadingEdge_.draw(dc, *screen_);
    if (trailingEdge_.isBuilt()) trailingEdge_.draw(dc, *screen_);
    if (spars_.isBuilt()) spars_.draw(dc, *screen_);
    if (sheeting_.isBuilt()) sheeting_.draw(dc, *screen_);
    if (showCamberLine_) drawOutline(camber_, dc, *screen_, true);
    if (showCutOutline_) drawCutOutline(dc, *screen_);
}

std::optional<ModelPosition> AirfoilDocument::modelAt(double x, double y) const {
    if (!isLoaded() || !screen_) return std::nullopt;
    return screen_->modelAt(x, y);
}

} // namespace parvelin
