// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device context over a QPainter: the document window on screen, a
// printer page, a PDF page or an offscreen image.
#include <QPainter>
#include <QPointF>

#include "platform/DeviceContext.h"

namespace parvelin::app {

class PainterDeviceContext : public platform::DeviceContext {
public:
    // ppi and page size are what the device reports to the drawing code.
    PainterDeviceContext(QPainter& painter, int ppiX, int ppiY, int pageWidth, int pageHeight);
    // Screen use: capabilities from the painter's device.
    explicit PainterDeviceContext(QPainter& painter);

    platform::Pen selectPen(const platform::Pen& pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    void text(int x, int y, int height, const std::string& text) override;
    int pixelsPerInchX() const override { return ppiX_; }
    int pixelsPerInchY() const override { return ppiY_; }
    int pageWidth() const override { return pageWidth_; }
    int pageHeight() const override { return pageHeight_; }

private:
    void applyPen();

    QPainter& painter_;
    int ppiX_, ppiY_, pageWidth_, pageHeight_;
    platform::Pen pen_{platform::PenStyle::Solid, 0, platform::kBlack};
    QPointF current_{0, 0};
};

// Converts the pen of the drawing code to a Qt pen: width 0 is one device
// pixel (a cosmetic pen), dash-dot is Qt's dash-dot line.
QPen toQPen(const platform::Pen& pen);

} // namespace parvelin::app
