// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface that writes SVG: every line and arc drawn on it becomes
// part of one black path on a white ground. Device units are the SVG's user
// units; the caller chooses the scale (the rib copy uses thousandths of the
// chord's unit) and the physical size the picture claims.
#include <string>

#include "platform/DeviceContext.h"

namespace parvelin {

struct SvgFrame {
    long long left = 0;  // the viewBox, in device units
    long long top = 0;
    long long width = 0;
    long long height = 0;
    std::string physicalWidth;   // e.g. "100mm"; empty: none given
    std::string physicalHeight;
    long long strokeWidth = 1;   // in device units
};

class SvgDeviceContext : public platform::DeviceContext {
public:
    // ppi: what the surface reports as its pixels per inch, both ways.
    explicit SvgDeviceContext(int ppi = 96, int pageWidth = 0, int pageHeight = 0)
        : ppi_(ppi), pageWidth_(pageWidth), pageHeight_(pageHeight) {}

    platform::Pen selectPen(const platform::Pen& pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    // The picture is one path of the rib's lines; the rib draws no text (only
    // a printed page's furniture does), so text is left out of it.
    void text(int, int, int, const std::string&) override {}

    int pixelsPerInchX() const override { return ppi_; }
    int pixelsPerInchY() const override { return ppi_; }
    int pageWidth() const override { return pageWidth_; }
    int pageHeight() const override { return pageHeight_; }

    // The box around everything drawn (an arc counts with its whole
    // ellipse); nothing drawn gives left > right.
    struct Bounds {
        long long left = 0, top = 0, right = -1, bottom = -1;
    };
    const Bounds& bounds() const { return bounds_; }
    // The whole document: XML declaration, svg element with the frame's
    // viewBox and size, a white rectangle over the viewBox and the path.
    std::string document(const SvgFrame& frame) const;

private:
    void ensureAt();
    void include(long long x, long long y);

    int ppi_;
    int pageWidth_;
    int pageHeight_;
    platform::Pen pen_{};
    long long x_ = 0;
    long long y_ = 0;
    bool penAt_ = false;  // the path's current point is (x_, y_)
    std::string path_;
    Bounds bounds_;
};

} // namespace parvelin
