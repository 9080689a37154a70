// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the rib at true scale: the chord measures `chord` millimetres (or
// inches) on paper, whatever the printer's resolution.
#include <vector>

#include "document/AirfoilDocument.h"
#include "geom/DeviceCoord.h"

namespace parvelin {

using platform::Pen;
using platform::PenScope;
using platform::PenStyle;

bool AirfoilDocument::printRib(platform::DeviceContext& dc, DevicePoint sheetOrigin) const {
    if (!isLoaded()) return false;
    const int ppiX = dc.pixelsPerInchX();
    const int ppiY = dc.pixelsPerInchY();
    const int pageWidth = dc.pageWidth();
    const int pageHeight = dc.pageHeight();
    if (ppiX != ppiY) return false;

    // Everything is worked out on the sheet and drawn moved by the page's
    // origin, so that the guides of every page of a tiled print line up.
    const ViewTransform sheet =
        ViewTransform::trueScale(ppiX, pageHeight, properties_.chord, inMillimetres(properties_));
    const ViewTransform page = sheet.shifted(sheetOrigin);
    auto onPage = [&](int x, int y) {
        return DevicePoint{deviceCoord(static_cast<double>(x) - sheetOrigin.x),
                           deviceCoord(static_cast<double>(y) - sheetOrigin.y)};
    };
    std::vector<DevicePoint> pixels;
    pixels.reserve(points_.size());
    for (const AirfoilPoint& p : points_) pixels.push_back(sheet.mapAirfoil(p));

    const platform::Rect bounds = boundsWithin(platform::Rect{0, 0, pageWidth, pageHeight}, pixels);
    const int minX = bounds.left;
    const int maxX = bounds.right;
    const int minY = bounds.top;
    const int maxY = bounds.bottom;

    {
        PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
        auto moveTo = [&](int x, int y) {
            const DevicePoint p = onPage(x, y);
            dc.moveTo(p.x, p.y);
        };
        auto lineTo = [&](int x, int y) {
            const DevicePoint p = onPage(x, y);
            dc.lineTo(p.x, p.y);
        };
        if (showEdgeLines_) {
            moveTo(minX, minY);
            lineTo(minX, maxY);
            moveTo(maxX, minY);
            lineTo(maxX, maxY);
        }
        if (showChordLine_) {
            moveTo(deviceCoord(static_cast<double>(minX) - kMarginPixels), pageHeight / 2);
            lineTo(deviceCoord(static_cast<double>(maxX) + kMarginPixels), pageHeight / 2);
        }
    }
    {
        PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kBlack});
        for (DevicePoint& p : pixels) p = onPage(p.x, p.y);
        if (!pixels.empty()) {
            dc.moveTo(pixels.front().x, pixels.front().y);
            for (std::size_t i = 0; i + 1 < pixels.size(); ++i) {
                dc.moveTo(pixels[i].x, pixels[i].y);
                dc.lineTo(pixels[i + 1].x, pixels[i + 1].y);
            }
        }
        // The holes are cut lines, printed as the outline is.
        drawHoles(dc, page);
    }

    if (leadingEdge_.isBuilt()) leadingEdge_.print(dc, page);
    if (trailingEdge_.isBuilt()) trailingEdge_.print(dc, page);
    if (spars_.isBuilt()) spars_.print(dc, page);
    // The sheeting's line and, when the window shows it, the cut outline: a
    // rib cut by hand from the paper needs both.
    if (sheeting_.isBuilt()) sheeting_.print(dc, page);
    if (showCamberLine_) printOutline(camber_, dc, [&] { walkOutline(camber_, dc, page); });
    if (showCutOutline_) drawCutOutline(dc, page);
    return true;
}

} // namespace parvelin
