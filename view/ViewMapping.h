#pragma once
// How a document window maps model coordinates (fractions of the chord, y up)
// to its client-area pixels (y down): x = trunc(scale * mx) + originX,
// y = originY - trunc(scale * my), each saturated to the device range.
//
// The fit puts the chord across the client width less 25 pixels on each side
// with the chord line at mid-height: scale = width - 50, origin (25,
// height div 2). It is what every window shows until the user zooms or pans;
// from then on the window keeps its own mapping, resizes included, until
// View > Fit to Window returns to the fit.
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/Window.h"
#include "view/DeviceCoord.h"

namespace parvelin {

struct ViewMapping {
    double scale = 0.0;  // pixels per chord
    double originX = 0.0;
    double originY = 0.0;

    // While fitted the origin is whole and so is the sum; zoomed or panned,
    // the sum is rounded down, so that a pan moves everything by exactly
    // the pixels the cursor moved, on either side of the window's edge.
    std::int32_t deviceX(double modelX) const { return deviceCoord(std::floor(std::trunc(scale * modelX) + originX)); }
    std::int32_t deviceY(double modelY) const { return deviceCoord(std::floor(originY - std::trunc(scale * modelY))); }
    double modelX(double x) const { return (x - originX) / scale; }
    double modelY(double y) const { return (originY - y) / scale; }

    friend bool operator==(const ViewMapping&, const ViewMapping&) = default;
};

// The zoom range, as multiples of the fit's scale: out to a fifth of the
// fit, in to ten thousand times it (a 0.01 mm detail of a 1 m chord still
// spans a pixel).
inline constexpr double kMinZoom = 0.2;
inline constexpr double kMaxZoom = 10000.0;

// The fit for a client area; nothing when it is narrower than the margins
// (or has a negative height): then nothing is refitted.
inline std::optional<ViewMapping> fitMapping(const platform::Rect& client) {
    const int a = (client.right - client.left) - 50;
    const int b = client.bottom - client.top;
    if (a < 0 || b < 0) return std::nullopt;
    return ViewMapping{static_cast<double>(static_cast<float>(a)), 25.0, static_cast<double>(b / 2)};
}

// The mapping a window shows: its own when zoomed, otherwise the fit.
inline std::optional<ViewMapping> windowMapping(const platform::Window& window) {
    if (const std::optional<platform::ZoomedView> own = window.zoomedView())
        return ViewMapping{own->scale, own->originX, own->originY};
    return fitMapping(window.clientRect());
}

// `view` scaled by `factor` about the client pixel (x, y): the model point
// under that pixel stays there. The scale stays within the zoom range
// around `fitScale` (the factor is cut short at either end).
inline ViewMapping zoomedAbout(const ViewMapping& view, double factor, double x, double y, double fitScale) {
    if (!(factor > 0.0) || !std::isfinite(factor) || !(view.scale > 0.0)) return view;
    const double lo = fitScale * kMinZoom;
    const double hi = fitScale * kMaxZoom;
    const double scale = std::clamp(view.scale * factor, std::min(lo, view.scale), std::max(hi, view.scale));
    const double f = scale / view.scale;
    return ViewMapping{scale, x - f * (x - view.originX), y - f * (y - view.originY)};
}

// `view` moved by (dx, dy) pixels.
inline ViewMapping pannedBy(const ViewMapping& view, double dx, double dy) {
    return ViewMapping{view.scale, view.originX + dx, view.originY + dy};
}

} // namespace parvelin
