// SPDX-License-Identifier: GPL-3.0-or-later
// Painting a rib in a window and printing it at true scale: the chord
// measures `chord` millimetres (or inches) on paper, whatever the printer's
// resolution.
#include <vector>

#include "geom/DeviceCoord.h"
#include "view/RibPicture.h"
#include "view/ComponentPainting.h"

namespace parvelin {

using platform::Pen;
using platform::PenScope;
using platform::PenStyle;

namespace {

// A closed polygon through the transform, with the pen selected: a move to
// its last corner and a line to each.
void drawClosed(platform::DeviceContext& dc, const ModelPolygon& polygon, const ViewTransform& view) {
    if (polygon.empty()) return;
    auto at = [&](const ModelPoint& p) { return view.map(geom::Point{static_cast<float>(p.x), static_cast<float>(p.y)}); };
    const DevicePoint last = at(polygon.back());
    dc.moveTo(last.x, last.y);
    for (const ModelPoint& p : polygon) {
        const DevicePoint d = at(p);
        dc.lineTo(d.x, d.y);
    }
}

// The holes' edges, each closed, with the pen selected: they are cut like
// the outline, and drawn like it.
void drawHoles(platform::DeviceContext& dc, const Rib& rib, const ViewTransform& view) {
    for (const ModelPolygon& hole : rib.lighteningHoles) drawClosed(dc, hole, view);
}

void drawCutOutline(platform::DeviceContext& dc, const Rib& rib, const ViewTransform& view) {
    if (rib.cut.outline.empty()) return;
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kCutOutline});
    drawClosed(dc, rib.cut.outline, view);
}

void drawEdgeLines(platform::DeviceContext& dc, const RibPicture& picture, const std::optional<ViewTransform>& screen,
                   const platform::Rect& client) {
    PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
    int top = 0;
    int bottom = 0;
    if (picture.loaded) {
        const platform::Rect bounds =
            boundsWithin(client, screen ? mappedPoints(picture.rib, *screen) : std::vector<DevicePoint>{});
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
    if (picture.loaded && screen && screen->isZoomed()) {
        leading = screen->map(0.0f, 0.0f).x;
        trailing = screen->map(1.0f, 0.0f).x;
    }
    dc.moveTo(leading, top);
    dc.lineTo(leading, bottom);
    dc.moveTo(trailing, top);
    dc.lineTo(trailing, bottom);
}

void drawChordLine(platform::DeviceContext& dc, const RibPicture& picture, const std::optional<ViewTransform>& screen,
                   const platform::Rect& client) {
    PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
    const int h = client.bottom - client.top;
    // Zoomed in or out, the line stays on the chord, across the whole window.
    const int y = picture.loaded && screen && screen->isZoomed() ? screen->map(0.0f, 0.0f).y : h / 2;
    dc.moveTo(12, y);
    dc.lineTo(client.right - 12, y);
}

} // namespace

std::vector<DevicePoint> mappedPoints(const Rib& rib, const ViewTransform& view) {
    std::vector<DevicePoint> pixels;
    pixels.reserve(rib.points.size());
    for (const AirfoilPoint& p : rib.points) pixels.push_back(view.mapAirfoil(p));
    return pixels;
}

void paintRib(platform::DeviceContext& dc, const RibPicture& picture, const std::optional<ViewTransform>& screen,
              const platform::Rect& client) {
    const Rib& rib = picture.rib;
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kWhite});
    if (picture.flags.edgeLines) drawEdgeLines(dc, picture, screen, client);
    if (picture.flags.chordLine) drawChordLine(dc, picture, screen, client);
    // Nothing has been fitted to a window yet: only the guides show.
    if (rib.points.empty() || !screen) return;
    const std::vector<DevicePoint> pixels = mappedPoints(rib, *screen);
    for (std::size_t i = 0; i + 1 < pixels.size(); ++i) {
        dc.moveTo(pixels[i].x, pixels[i].y);
        dc.lineTo(pixels[i + 1].x, pixels[i + 1].y);
    }
    drawHoles(dc, rib, *screen);
    if (rib.leadingEdge.isBuilt()) drawComponent(dc, rib.leadingEdge, *screen);
    if (rib.trailingEdge.isBuilt()) drawComponent(dc, rib.trailingEdge, *screen);
    if (rib.spars.isBuilt()) drawComponent(dc, rib.spars, *screen);
    if (rib.sheeting.isBuilt()) drawComponent(dc, rib.sheeting, *screen);
    if (picture.flags.camberLine) drawOutline(rib.camber, dc, *screen, true);
    if (picture.flags.cutOutline) drawCutOutline(dc, rib, *screen);
}

namespace {

// The guides of a printed rib: upright lines at its ends and the chord line
// past them, worked out on the sheet and drawn moved by the page's origin,
// so that the guides of every page of a tiled print line up.
void printGuides(platform::DeviceContext& dc, const RibViewFlags& flags, const platform::Rect& bounds,
                 DevicePoint sheetOrigin) {
    PenScope pen(dc, Pen{PenStyle::DashDot, 0, platform::kBlack});
    auto onPage = [&](int x, int y) {
        return DevicePoint{deviceCoord(static_cast<double>(x) - sheetOrigin.x),
                           deviceCoord(static_cast<double>(y) - sheetOrigin.y)};
    };
    auto line = [&](int x0, int y0, int x1, int y1) {
        const DevicePoint a = onPage(x0, y0), b = onPage(x1, y1);
        dc.moveTo(a.x, a.y);
        dc.lineTo(b.x, b.y);
    };
    if (flags.edgeLines) {
        line(bounds.left, bounds.top, bounds.left, bounds.bottom);
        line(bounds.right, bounds.top, bounds.right, bounds.bottom);
    }
    if (flags.chordLine) {
        const int y = dc.pageHeight() / 2;
        line(deviceCoord(static_cast<double>(bounds.left) - kMarginPixels), y,
             deviceCoord(static_cast<double>(bounds.right) + kMarginPixels), y);
    }
}

} // namespace

bool printRib(platform::DeviceContext& dc, const RibPicture& picture, DevicePoint sheetOrigin) {
    if (!picture.loaded) return false;
    const Rib& rib = picture.rib;
    const int ppi = dc.pixelsPerInchX();
    if (ppi != dc.pixelsPerInchY()) return false;
    const ViewTransform sheet = ViewTransform::trueScale(ppi, dc.pageHeight(), rib.properties.chord,
                                                         inMillimetres(rib.properties));
    const ViewTransform page = sheet.shifted(sheetOrigin);
    std::vector<DevicePoint> pixels = mappedPoints(rib, sheet);
    printGuides(dc, picture.flags, boundsWithin(platform::Rect{0, 0, dc.pageWidth(), dc.pageHeight()}, pixels),
                sheetOrigin);
    {
        PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kBlack});
        for (DevicePoint& p : pixels)
            p = DevicePoint{deviceCoord(static_cast<double>(p.x) - sheetOrigin.x),
                            deviceCoord(static_cast<double>(p.y) - sheetOrigin.y)};
        if (!pixels.empty()) {
            dc.moveTo(pixels.front().x, pixels.front().y);
            for (std::size_t i = 0; i + 1 < pixels.size(); ++i) {
                dc.moveTo(pixels[i].x, pixels[i].y);
                dc.lineTo(pixels[i + 1].x, pixels[i + 1].y);
            }
        }
        // The holes are cut lines, printed as the outline is.
        drawHoles(dc, rib, page);
    }
    if (rib.leadingEdge.isBuilt()) printComponent(dc, rib.leadingEdge, page);
    if (rib.trailingEdge.isBuilt()) printComponent(dc, rib.trailingEdge, page);
    if (rib.spars.isBuilt()) printComponent(dc, rib.spars, page);
    // The sheeting's line and, when the window shows it, the cut outline: a
    // rib cut by hand from the paper needs both.
    if (rib.sheeting.isBuilt()) printComponent(dc, rib.sheeting, page);
    if (picture.flags.camberLine) printOutline(rib.camber, dc, [&] { walkOutline(rib.camber, dc, page); });
    if (picture.flags.cutOutline) drawCutOutline(dc, rib, page);
    return true;
}

} // namespace parvelin
