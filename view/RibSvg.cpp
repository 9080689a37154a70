#include "view/RibSvg.h"

#include <algorithm>
#include <cmath>

#include "document/AirfoilDocument.h"
#include "view/SvgDeviceContext.h"

namespace parvelin {
namespace {

// A length in thousandths as decimal text with its unit: 101234 -> "101.234mm".
std::string physicalLength(long long units, bool metric) {
    const long long whole = units / kSvgUnitsPerLength;
    const long long part = units % kSvgUnitsPerLength;
    std::string fraction = std::to_string(part);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(whole) + "." + fraction + (metric ? "mm" : "in");
}

} // namespace

std::string ribSvg(const AirfoilDocument& document) {
    if (!document.isLoaded()) return {};
    const bool metric = document.properties().metric != 0;
    // The components draw through their printing walk, which maps model
    // coordinates at the device's pixels per inch times the chord (and a
    // millimetre factor for a metric chord). Taken as inches on a device of
    // 1000 units per inch, every chord comes out in exact thousandths of its
    // own unit. The page height of 0 puts the chord line at y = 0.
    RibProperties properties = document.properties();
    properties.metric = 0;
    SvgDeviceContext dc(kSvgUnitsPerLength, 0, 0);

    // The airfoil, mapped by the same rule as every outline.
    ComponentOutline airfoil;
    for (const AirfoilPoint& p : document.points()) airfoil.append(0, 0, p.modelX, p.modelY, 1);
    if (!mapOutlineToPrinter(airfoil, dc, properties)) return {};
    walkOutline(airfoil, dc);

    // Copies of the components, so that the document's own outlines keep
    // their window coordinates.
    if (document.leadingEdge().isBuilt()) {
        LeadingEdge leadingEdge = document.leadingEdge();
        leadingEdge.print(dc, properties);
    }
    if (document.trailingEdge().isBuilt()) {
        TrailingEdge trailingEdge = document.trailingEdge();
        trailingEdge.print(dc, properties);
    }
    if (document.spars().isBuilt()) {
        Spar spars = document.spars();
        spars.print(dc, properties);
    }
    // The sheeting is never printed; its line is drawn as the window draws
    // it, for the styles that draw one.
    const Sheeting& sheeting = document.sheeting();
    if (sheeting.isBuilt() && sheeting.style() >= 1 && sheeting.style() <= 4) {
        ComponentOutline outline = sheeting.outline();
        mapOutlineToPrinter(outline, dc, properties);
        walkOutline(outline, dc);
    }
    if (document.showCamberLine() && !document.camberOutline().empty()) {
        ComponentOutline camber = document.camberOutline();
        mapOutlineToPrinter(camber, dc, properties);
        walkOutline(camber, dc);
    }
    const SvgDeviceContext::Bounds& drawn = dc.bounds();
    if (drawn.left > drawn.right) return {};

    SvgFrame frame;
    frame.left = drawn.left;
    frame.top = drawn.top;
    frame.width = std::max(1LL, drawn.right - drawn.left);
    frame.height = std::max(1LL, drawn.bottom - drawn.top);
    frame.physicalWidth = physicalLength(frame.width, metric);
    frame.physicalHeight = physicalLength(frame.height, metric);
    // About a quarter of a millimetre either way.
    frame.strokeWidth = metric ? 250 : 10;
    return dc.document(frame);
}

} // namespace parvelin
