// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/RibSvg.h"

#include <algorithm>
#include <cmath>

#include "document/AirfoilDocument.h"
#include "view/SvgDeviceContext.h"
#include "view/ComponentPainting.h"

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
    const RibProperties& properties = document.properties();
    const bool metric = inMillimetres(properties);
    // True scale on a device of 1000 units per inch, with the chord taken as
    // inches: every chord comes out in exact thousandths of its own unit. The
    // page height of 0 puts the chord line at y = 0.
    const ViewTransform page = ViewTransform::trueScale(kSvgUnitsPerLength, 0, properties.chord, false);
    SvgDeviceContext dc(kSvgUnitsPerLength, 0, 0);

    ComponentOutline airfoil;
    for (const AirfoilPoint& p : document.points()) airfoil.append(p.modelX, p.modelY, 1);
    walkOutline(airfoil, dc, page);
    // The components as printed, the sheeting as the window draws it; the
    // surface draws every pen in black.
    if (document.leadingEdge().isBuilt()) printComponent(dc, document.leadingEdge(), page);
    if (document.trailingEdge().isBuilt()) printComponent(dc, document.trailingEdge(), page);
    if (document.spars().isBuilt()) printComponent(dc, document.spars(), page);
    if (document.sheeting().isBuilt()) drawComponent(dc, document.sheeting(), page);
    if (document.showCamberLine()) walkOutline(document.camberOutline(), dc, page);

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
