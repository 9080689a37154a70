// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/RibSvg.h"

#include <algorithm>
#include <cmath>

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

std::string ribSvg(const RibPicture& picture) {
    if (!picture.loaded) return {};
    const Rib& rib = picture.rib;
    const RibProperties& properties = rib.properties;
    const bool metric = inMillimetres(properties);
    // True scale on a device of 1000 units per inch, with the chord taken as
    // inches: every chord comes out in exact thousandths of its own unit. The
    // page height of 0 puts the chord line at y = 0.
    const ViewTransform page = ViewTransform::trueScale(kSvgUnitsPerLength, 0, properties.chord, false);
    SvgDeviceContext dc(kSvgUnitsPerLength, 0, 0);

    ComponentOutline airfoil;
    for (const AirfoilPoint& p : rib.points) airfoil.append(p.modelX, p.modelY, 1);
    walkOutline(airfoil, dc, page);
    // The components as printed, the sheeting as the window draws it; the
    // surface draws every pen in black.
    if (rib.leadingEdge.isBuilt()) printComponent(dc, rib.leadingEdge, page);
    if (rib.trailingEdge.isBuilt()) printComponent(dc, rib.trailingEdge, page);
    if (rib.spars.isBuilt()) printComponent(dc, rib.spars, page);
    if (rib.sheeting.isBuilt()) drawComponent(dc, rib.sheeting, page);
    if (picture.flags.camberLine) walkOutline(rib.camber, dc, page);

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
