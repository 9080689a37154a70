// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ComponentPainting.h"

#include <cstdint>

#include "geom/DeviceCoord.h"

namespace parvelin {

using platform::Pen;
using platform::PenScope;
using platform::PenStyle;

void walkOutline(const ComponentOutline& outline, platform::DeviceContext& dc, const ViewTransform& view) {
    if (outline.empty()) return;
    const DevicePoint first = view.map(outline[0].point());
    dc.moveTo(first.x, first.y);
    for (std::size_t i = 1; i < outline.size(); ++i) {
        const DevicePoint p = view.map(outline[i].point());
        if (outline[i].penDown == 1)
            dc.lineTo(p.x, p.y);
        else
            dc.moveTo(p.x, p.y);
    }
}

void drawOutline(const ComponentOutline& outline, platform::DeviceContext& dc, const ViewTransform& view,
                 bool drawable) {
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kComponentGrey});
    if (drawable) walkOutline(outline, dc, view);
}

namespace {

// The leading edge's shape with the pen already selected: the circle for
// "Round", the joined corners for the other styles.
void drawLeadingEdgeShape(platform::DeviceContext& dc, const LeadingEdge& leadingEdge, const ViewTransform& view) {
    const ComponentOutline& outline = leadingEdge.outline();
    switch (static_cast<LeadingEdgeStyle>(leadingEdge.style())) {
    case LeadingEdgeStyle::Round: {
        // The circle inscribed in the bounding square, from the first corner
        // (left, top) to the third (right, bottom); a full counter-clockwise
        // turn from just above the right-hand middle back to it.
        if (outline.size() < 3) return;
        const DevicePoint topLeft = view.map(outline[0].point());
        const DevicePoint bottomRight = view.map(outline[2].point());
        const int left = topLeft.x;
        const int top = topLeft.y;
        const int right = bottomRight.x;
        const int bottom = bottomRight.y;
        const std::int64_t middle = top + (static_cast<std::int64_t>(bottom) - top) / 2;
        dc.arc(left, top, right, bottom, right, deviceCoord(static_cast<double>(middle)), right,
               deviceCoord(static_cast<double>(middle + 1)));
        return;
    }
    case LeadingEdgeStyle::Square:
    case LeadingEdgeStyle::LeStock:
    case LeadingEdgeStyle::Rectangular:
        // A closed polygon or a single cut: every corner is joined.
        if (outline.empty()) return;
        {
            const DevicePoint first = view.map(outline[0].point());
            dc.moveTo(first.x, first.y);
        }
        for (std::size_t i = 1; i < outline.size(); ++i) {
            const DevicePoint p = view.map(outline[i].point());
            dc.lineTo(p.x, p.y);
        }
        return;
    default:
        return;
    }
}

bool drawable(const TrailingEdge& trailingEdge) {
    return isDrawable(static_cast<TrailingEdgeStyle>(trailingEdge.style()));
}
bool drawable(const Spar& spars) { return isDrawable(static_cast<SparStyle>(spars.style())); }
bool drawable(const Sheeting& sheeting) { return isDrawable(static_cast<SheetingStyle>(sheeting.style())); }

} // namespace

bool drawComponent(platform::DeviceContext& dc, const LeadingEdge& leadingEdge, const ViewTransform& view) {
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kComponentGrey});
    drawLeadingEdgeShape(dc, leadingEdge, view);
    return true;
}

bool printComponent(platform::DeviceContext& dc, const LeadingEdge& leadingEdge, const ViewTransform& page) {
    return printOutline(leadingEdge.outline(), dc, [&] {
        if (leadingEdge.isBuilt()) drawLeadingEdgeShape(dc, leadingEdge, page);
    });
}

bool drawComponent(platform::DeviceContext& dc, const TrailingEdge& trailingEdge, const ViewTransform& view) {
    drawOutline(trailingEdge.outline(), dc, view, drawable(trailingEdge));
    return true;
}

bool printComponent(platform::DeviceContext& dc, const TrailingEdge& trailingEdge, const ViewTransform& page) {
    return printOutline(trailingEdge.outline(), dc, [&] {
        if (trailingEdge.isBuilt() && drawable(trailingEdge)) walkOutline(trailingEdge.outline(), dc, page);
    });
}

bool drawComponent(platform::DeviceContext& dc, const Spar& spars, const ViewTransform& view) {
    drawOutline(spars.outline(), dc, view, drawable(spars));
    return true;
}

bool printComponent(platform::DeviceContext& dc, const Spar& spars, const ViewTransform& page) {
    return printOutline(spars.outline(), dc, [&] {
        if (spars.isBuilt() && drawable(spars)) walkOutline(spars.outline(), dc, page);
    });
}

bool drawComponent(platform::DeviceContext& dc, const Sheeting& sheeting, const ViewTransform& view) {
    drawOutline(sheeting.outline(), dc, view, drawable(sheeting));
    return true;
}

bool printComponent(platform::DeviceContext& dc, const Sheeting& sheeting, const ViewTransform& page) {
    return printOutline(sheeting.outline(), dc, [&] {
        if (drawable(sheeting)) walkOutline(sheeting.outline(), dc, page);
    });
}

} // namespace parvelin
