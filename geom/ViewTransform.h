// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one mapping from model coordinates (fractions of the chord) to device
// pixels, for a window (fitted to its client area, or zoomed and panned by
// the user) or a printed page (true scale). Geometry stays in model units;
// painting and printing map it through a transform as they draw.
#include <cstdint>
#include <optional>
#include <span>

#include "geom/Point.h"
#include "platform/Window.h"

namespace parvelin {

// The margin, in device pixels, left of the nose and right of the trailing
// edge in a fitted window, left of the nose on a page, and round the guide lines.
inline constexpr int kMarginPixels = 25;

struct DevicePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// A model position in double precision (fractions of the chord).
struct ModelPosition {
    double x = 0.0;
    double y = 0.0;
};

// The zoom range, as multiples of the fit's scale: out to a fifth of the
// fit, in to ten thousand times it (a 0.01 mm detail of a 1 m chord still
// spans a pixel).
inline constexpr double kMinZoom = 0.2;
inline constexpr double kMaxZoom = 10000.0;

// The bounds of device points within an area (a window's client, a page):
// started inside out from the area's opposite edges, so they never lie
// outside them; right and bottom one past the last pixel.
platform::Rect boundsWithin(const platform::Rect& area, std::span<const DevicePoint> points);

class ViewTransform {
public:
    // The chord spans the client's width less 25-pixel margins on both sides,
    // the chord line at mid-height (heights halved toward zero). None for a
    // client narrower than 50 pixels or of negative height.
    static std::optional<ViewTransform> fitToWindow(const platform::Rect& client, float viewAngle);

    // A window the user zoomed or panned: `view.scale` pixels per chord, the
    // model origin at client pixel (view.originX, view.originY).
    static ViewTransform zoomed(const platform::ZoomedView& view, float viewAngle);

    // What a window shows: its own zoom when it has one, otherwise the fit.
    static std::optional<ViewTransform> forWindow(const platform::Window& window, float viewAngle);

    // The chord measures `chord` millimetres (`millimetres`) or inches on a
    // device of `pixelsPerInch`; the nose 25 pixels in from the page's left
    // edge, the chord line at mid-page.
    static ViewTransform trueScale(int pixelsPerInch, int pageHeight, float chord, bool millimetres);

    // The same mapping seen from a page whose top-left corner lies at device
    // pixel `origin` of this one: every mapped point moves by -origin after
    // rounding, so a page of a tiled print shows exactly the pixels of the
    // whole sheet that fall on it.
    ViewTransform shifted(DevicePoint origin) const;

    // A component's point.
    DevicePoint map(geom::Point p) const;
    DevicePoint map(float modelX, float modelY) const { return map(geom::Point{modelX, modelY}); }
    // An airfoil point: in a window the airfoil is turned by the view angle
    // about its trailing edge (the components are not); on a page the same as map().
    DevicePoint mapAirfoil(geom::Point p) const;

    // --- Windows ---
    // True once the user zoomed or panned (a fit is not zoomed).
    bool isZoomed() const { return zoomed_; }
    // Pixels per chord, and the client pixel of the model origin.
    platform::ZoomedView placement() const;
    // The model point (unturned) under a client pixel; nothing for a
    // transform that shows no length (a client exactly 50 pixels wide).
    std::optional<ModelPosition> modelAt(double x, double y) const;
    // This view scaled by `factor` about client pixel (x, y): the model
    // point under that pixel stays there. The scale stays within the zoom
    // range around `fitScale` (the factor is cut short at either end).
    ViewTransform zoomedAbout(double factor, double x, double y, double fitScale) const;
    // This view moved by (dx, dy) pixels.
    ViewTransform pannedBy(double dx, double dy) const;

private:
    enum class Kind { Window, Page };
    DevicePoint fromOrigin(DevicePoint p) const;
    ViewTransform() = default;

    Kind kind_ = Kind::Window;
    // Window: pixels per chord (for the airfoil as the single-precision value
    // the turned fit has always used), the model origin's pixel, the turn of
    // the airfoil. A fit has a whole scale and origin; a zoomed view need not.
    double chordPixels_ = 0.0;
    double airfoilPixels_ = 0.0;
    double originX_ = 25.0;
    double originY_ = 0.0;
    bool zoomed_ = false;
    double cos_ = 1.0;
    double sin_ = 0.0;
    // Page: pixels per chord fraction and half the page's height.
    double scale_ = 0.0;
    double halfPage_ = 0.0;
    // Both: where the device's top-left corner lies on the unshifted mapping.
    DevicePoint origin_{};
};

} // namespace parvelin
