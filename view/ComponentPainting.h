// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing and printing the built components: in the window in the
// components' grey, on paper in black, each outline mapped through a
// transform as it is drawn.
#include "components/ComponentOutline.h"
#include "components/LeadingEdge.h"
#include "components/Sheeting.h"
#include "components/Spar.h"
#include "components/TrailingEdge.h"
#include "geom/ViewTransform.h"
#include "platform/DeviceContext.h"

namespace parvelin {

// Moves to the first node, then draws to (pen down) or moves to (pen up)
// every following node, with the pen currently selected, each node mapped
// through `view`.
void walkOutline(const ComponentOutline& outline, platform::DeviceContext& dc, const ViewTransform& view);

// Draw walk: the grey component pen around walkOutline when `drawable`.
void drawOutline(const ComponentOutline& outline, platform::DeviceContext& dc, const ViewTransform& view,
                 bool drawable);

// Print walk: with a black pen, `drawShape` draws the outline mapped through
// the page's transform. Returns false, drawing nothing, for an empty outline.
template <typename DrawShape>
bool printOutline(const ComponentOutline& outline, platform::DeviceContext& dc, DrawShape&& drawShape) {
    if (outline.empty()) return false;
    platform::PenScope pen(dc, platform::Pen{platform::PenStyle::Solid, 0, platform::kBlack});
    drawShape();
    return true;
}

// Each component in the window (grey) and on a page (black). The leading
// edge's "Round" dowel is a circle through its bounding square, its other
// styles their joined corners; the other components walk their outlines
// when their style draws anything. A print returns false, drawing nothing,
// for a component without an outline.
bool drawComponent(platform::DeviceContext& dc, const LeadingEdge& leadingEdge, const ViewTransform& view);
bool printComponent(platform::DeviceContext& dc, const LeadingEdge& leadingEdge, const ViewTransform& page);
bool drawComponent(platform::DeviceContext& dc, const TrailingEdge& trailingEdge, const ViewTransform& view);
bool printComponent(platform::DeviceContext& dc, const TrailingEdge& trailingEdge, const ViewTransform& page);
bool drawComponent(platform::DeviceContext& dc, const Spar& spars, const ViewTransform& view);
bool printComponent(platform::DeviceContext& dc, const Spar& spars, const ViewTransform& page);
bool drawComponent(platform::DeviceContext& dc, const Sheeting& sheeting, const ViewTransform& view);
bool printComponent(platform::DeviceContext& dc, const Sheeting& sheeting, const ViewTransform& page);

} // namespace parvelin
