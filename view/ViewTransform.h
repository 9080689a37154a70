#pragma once
// The one mapping from model coordinates (fractions of the chord) to device
// pixels, for a window (fitted to its client area) or a printed page (true
// scale). Geometry stays in model units; painting and printing map it
// through a transform as they draw.
#include <cstdint>
#include <optional>

#include "geom/Point.h"
#include "platform/Window.h"

namespace parvelin {

struct DevicePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

class ViewTransform {
public:
    // The chord spans the client's width less 25-pixel margins on both sides,
    // the chord line at mid-height (heights halved toward zero). None for a
    // client narrower than 50 pixels or of negative height.
    static std::optional<ViewTransform> fitToWindow(const platform::Rect& client, float viewAngle);

    // The chord measures `chord` millimetres (`millimetres`) or inches on a
    // device of `pixelsPerInch`; the nose 25 pixels in from the page's left
    // edge, the chord line at mid-page.
    static ViewTransform trueScale(int pixelsPerInch, int pageHeight, float chord, bool millimetres);

    // A component's point.
    DevicePoint map(geom::Point p) const;
    DevicePoint map(float modelX, float modelY) const { return map(geom::Point{modelX, modelY}); }
    // An airfoil point: in a window the airfoil is turned by the view angle
    // about its trailing edge (the components are not); on a page the same as map().
    DevicePoint mapAirfoil(geom::Point p) const;

private:
    enum class Kind { Window, Page };
    ViewTransform() = default;

    Kind kind_ = Kind::Window;
    // Window: the chord's width in pixels, half the client's height, the
    // turn of the airfoil.
    int chordPixels_ = 0;
    int halfHeight_ = 0;
    double cos_ = 1.0;
    double sin_ = 0.0;
    // Page: pixels per chord fraction and half the page's height.
    double scale_ = 0.0;
    double halfPage_ = 0.0;
};

} // namespace parvelin
