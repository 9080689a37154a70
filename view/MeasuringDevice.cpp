// SPDX-License-Identifier: GPL-3.0-or-later
// The device that draws nothing and gathers the extent of what is drawn on
// it: the print layout runs the rib's printing on it to find the rib's size.
#include <algorithm>

#include "geom/DeviceCoord.h"
#include "view/PrintLayout.h"

namespace parvelin {

using platform::Pen;
using platform::Rect;

Pen MeasuringDeviceContext::selectPen(const Pen& pen) {
    const Pen previous = pen_;
    pen_ = pen;
    return previous;
}

void MeasuringDeviceContext::include(int x, int y) {
    if (empty_) {
        extent_ = Rect{x, y, x, y};
        empty_ = false;
        return;
    }
    extent_.left = std::min(extent_.left, x);
    extent_.top = std::min(extent_.top, y);
    extent_.right = std::max(extent_.right, x);
    extent_.bottom = std::max(extent_.bottom, y);
}

void MeasuringDeviceContext::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void MeasuringDeviceContext::lineTo(int x, int y) {
    include(x_, y_);
    include(x, y);
    x_ = x;
    y_ = y;
}

void MeasuringDeviceContext::arc(int left, int top, int right, int bottom, int, int, int, int) {
    // The whole ellipse's box: never smaller than the arc.
    include(left, top);
    include(right, bottom);
}

void MeasuringDeviceContext::text(int x, int y, int height, const std::string& text) {
    include(x, y);
    include(deviceOffset(x, textWidth(text, height)), deviceOffset(y, height));
}

} // namespace parvelin
