// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/ComponentOutline.h"

namespace parvelin {

void ComponentOutline::insertAfter(std::size_t index, const OutlineSegment& node) {
    nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(index) + 1, node);
}

void ComponentOutline::insertAsTailAfter(std::size_t index, const OutlineSegment& node) {
    nodes_.resize(index + 1);
    nodes_.push_back(node);
}

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
    platform::PenScope pen(dc, platform::Pen{platform::PenStyle::Solid, 0, platform::kComponentGrey});
    if (drawable) walkOutline(outline, dc, view);
}

} // namespace parvelin
