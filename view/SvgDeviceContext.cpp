// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/SvgDeviceContext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "text/SvgWriter.h"

namespace parvelin {
namespace {

std::string num(long long v) { return std::to_string(v); }

// Arc end points are rounded to the nearest unit, like every other coordinate.
long long rounded(double v) { return std::llround(v); }

} // namespace

platform::Pen SvgDeviceContext::selectPen(const platform::Pen& pen) {
    const platform::Pen previous = pen_;
    pen_ = pen;
    return previous;
}

void SvgDeviceContext::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
    penAt_ = false;
}

void SvgDeviceContext::include(long long x, long long y) {
    if (bounds_.left > bounds_.right) {
        bounds_ = {x, y, x, y};
        return;
    }
    bounds_.left = std::min(bounds_.left, x);
    bounds_.right = std::max(bounds_.right, x);
    bounds_.top = std::min(bounds_.top, y);
    bounds_.bottom = std::max(bounds_.bottom, y);
}

void SvgDeviceContext::ensureAt() {
    if (penAt_) return;
    include(x_, y_);
    if (!path_.empty()) path_ += ' ';
    path_ += "M" + num(x_) + " " + num(y_);
    penAt_ = true;
}

void SvgDeviceContext::lineTo(int x, int y) {
    ensureAt();
    path_ += " L" + num(x) + " " + num(y);
    include(x, y);
    x_ = x;
    y_ = y;
}

void SvgDeviceContext::arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    const double cx = (static_cast<double>(left) + right) / 2.0;
    const double cy = (static_cast<double>(top) + bottom) / 2.0;
    const double rx = std::abs(static_cast<double>(right) - left) / 2.0;
    const double ry = std::abs(static_cast<double>(bottom) - top) / 2.0;
    if (rx == 0.0 || ry == 0.0) return;
    include(std::min(left, right), std::min(top, bottom));
    include(std::max(left, right), std::max(top, bottom));
    // Angles counter-clockwise as seen on the surface, 0 at 3 o'clock; a
    // start and end on the same radial make a whole turn.
    const double start = std::atan2(-(yStart - cy), xStart - cx);
    const double end = std::atan2(-(yEnd - cy), xEnd - cx);
    double span = end - start;
    while (span <= 0.0) span += 2.0 * std::numbers::pi;
    const auto pointAt = [&](double angle) {
        return std::pair{rounded(cx + rx * std::cos(angle)), rounded(cy - ry * std::sin(angle))};
    };
    // In two halves, so that no piece is ever a whole turn (which SVG cannot
    // draw as one arc) and the large-arc flag is never needed.
    const auto [x0, y0] = pointAt(start);
    path_ += (path_.empty() ? "M" : " M") + num(x0) + " " + num(y0);
    const std::string radii = " A" + num(rounded(rx)) + " " + num(rounded(ry)) + " 0 0 0 ";
    for (int half = 1; half <= 2; ++half) {
        const auto [x, y] = pointAt(start + span * half / 2.0);
        path_ += radii + num(x) + " " + num(y);
    }
    // An arc leaves the current position where it was.
    penAt_ = false;
}

std::string SvgDeviceContext::document(const SvgFrame& frame) const {
    SvgWriter svg([](double v) { return std::to_string(std::llround(v)); });
    const auto x = static_cast<double>(frame.left), y = static_cast<double>(frame.top);
    const auto w = static_cast<double>(frame.width), h = static_cast<double>(frame.height);
    svg.open({x, y, w, h, frame.physicalWidth, frame.physicalHeight});
    svg.element("rect", {{"x", num(frame.left)}, {"y", num(frame.top)}, {"width", num(frame.width)},
                         {"height", num(frame.height)}, {"fill", "white"}});
    if (!path_.empty())
        svg.element("path", {{"d", path_}, {"fill", "none"}, {"stroke", "black"}, {"stroke-width", num(frame.strokeWidth)},
                             {"stroke-linecap", "round"}, {"stroke-linejoin", "round"}});
    svg.close();
    return svg.text();
}

} // namespace parvelin
