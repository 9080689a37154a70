// Printing the rib at true scale: the chord measures `chord` millimetres (or
// inches) on paper, whatever the printer's resolution.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "document/AirfoilDocument.h"
#include "view/DeviceCoord.h"

namespace parvelin {

using platform::Pen;
using platform::PenScope;
using platform::PenStyle;

bool AirfoilDocument::printRib(platform::DeviceContext& dc) {
    if (!isLoaded()) return false;
    const std::unique_ptr<RibProperties> copy = copyProperties();

    const int ppiX = dc.pixelsPerInchX();
    const int ppiY = dc.pixelsPerInchY();
    const int pageWidth = dc.pageWidth();
    const int pageHeight = dc.pageHeight();
    if (ppiX != ppiY) return false;

    // The window coordinates, in case the fit below cannot run (no window,
    // or a client area narrower than the margins): the window must show the
    // airfoil where it was, never the printer's pixels.
    std::vector<std::pair<std::int32_t, std::int32_t>> windowCoords;
    windowCoords.reserve(points_.size());
    for (const AirfoilPoint& p : points_) windowCoords.emplace_back(p.screenX, p.screenY);

    double s = static_cast<double>(static_cast<float>(ppiX)) * static_cast<double>(copy->chord);
    if (copy->metric != 0) s *= static_cast<double>(0.03937008f);

    for (AirfoilPoint& p : points_) {
        p.screenX = deviceCoord(static_cast<double>(p.modelX) * s + 25.0);
        p.screenY = deviceCoord(static_cast<double>(pageHeight) * 0.5 - static_cast<double>(p.modelY) * s);
    }

    int minX = pageWidth;
    int maxX = 0;
    int minY = pageHeight;
    int maxY = 0;
    for (const AirfoilPoint& p : points_) {
        if (p.screenX < minX) minX = p.screenX;
        if (p.screenX > maxX) maxX = deviceOffset(p.screenX, 1);
        if (p.screenY > maxY) maxY = deviceOffset(p.screenY, 1);
        if (p.screenY < minY) minY = p.screenY;
    }

    {
        PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
        if (showEdgeLines_) {
            dc.moveTo(minX, minY);
            dc.lineTo(minX, maxY);
            dc.moveTo(maxX, minY);
            dc.lineTo(maxX, maxY);
        }
        if (showChordLine_) {
            dc.moveTo(deviceCoord(static_cast<double>(minX) - 25.0), pageHeight / 2);
            dc.lineTo(deviceCoord(static_cast<double>(maxX) + 25.0), pageHeight / 2);
        }
    }
    {
        PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kBlack});
        if (!points_.empty()) {
            dc.moveTo(points_.front().screenX, points_.front().screenY);
            for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
                dc.moveTo(points_[i].screenX, points_[i].screenY);
                dc.lineTo(points_[i + 1].screenX, points_[i + 1].screenY);
            }
        }
    }

    if (!fitToWindow()) {
        for (std::size_t i = 0; i < points_.size(); ++i) {
            points_[i].screenX = windowCoords[i].first;
            points_[i].screenY = windowCoords[i].second;
        }
    }

    if (leadingEdge_.isBuilt()) leadingEdge_.print(dc, *copy);
    if (trailingEdge_.isBuilt()) trailingEdge_.print(dc, *copy);
    if (spars_.isBuilt()) spars_.print(dc, *copy);
    if (showCamberLine_) printOutline(camber_, dc, *copy, window_, [&] { walkOutline(camber_, dc); });
    return true;
}

} // namespace parvelin
