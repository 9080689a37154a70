// SPDX-License-Identifier: GPL-3.0-or-later
#include "painting/PainterDeviceContext.h"
#include "geom/Constants.h"

#include <QPaintDevice>
#include <QFont>
#include <QPen>
#include <QRectF>
#include <algorithm>
#include <cmath>

namespace parvelin::app {
namespace {

// Coordinates far outside any device are legal in the drawing code (a huge
// chord, an extreme property); the rasteriser is only given what lies within
// this square, with lines clipped to it so their direction is kept.
constexpr double kLimit = 1.0e6;

bool clipLine(double& x0, double& y0, double& x1, double& y1) {
    // Liang-Barsky clipping against [-kLimit, kLimit] in both axes.
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 + kLimit, kLimit - x0, y0 + kLimit, kLimit - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, r);
        else t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
    const double nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
    x0 = nx0; y0 = ny0; x1 = nx1; y1 = ny1;
    return true;
}

} // namespace

QPen toQPen(const platform::Pen& pen) {
    QPen q(QColor(pen.color.r, pen.color.g, pen.color.b));
    q.setWidth(pen.width);  // 0: cosmetic, one device pixel
    q.setStyle(pen.style == platform::PenStyle::DashDot ? Qt::DashDotLine : Qt::SolidLine);
    q.setCapStyle(Qt::FlatCap);
    return q;
}

PainterDeviceContext::PainterDeviceContext(QPainter& painter, int ppiX, int ppiY, int pageWidth, int pageHeight)
    : painter_(painter), ppiX_(ppiX), ppiY_(ppiY), pageWidth_(pageWidth), pageHeight_(pageHeight) {
    // Dashes show their gaps in the background colour, opaque white, as on
    // a fresh device context.
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(QBrush(Qt::white));
    painter_.setBrush(Qt::NoBrush);
    applyPen();
}

PainterDeviceContext::PainterDeviceContext(QPainter& painter)
    : PainterDeviceContext(painter, painter.device()->logicalDpiX(), painter.device()->logicalDpiY(),
                           painter.device()->width(), painter.device()->height()) {}

void PainterDeviceContext::applyPen() { painter_.setPen(toQPen(pen_)); }

platform::Pen PainterDeviceContext::selectPen(const platform::Pen& pen) {
    const platform::Pen previous = pen_;
    pen_ = pen;
    applyPen();
    return previous;
}

void PainterDeviceContext::moveTo(int x, int y) { current_ = QPointF(x, y); }

void PainterDeviceContext::lineTo(int x, int y) {
    double x0 = current_.x(), y0 = current_.y(), x1 = x, y1 = y;
    if (clipLine(x0, y0, x1, y1)) painter_.drawLine(QPointF(x0, y0), QPointF(x1, y1));
    current_ = QPointF(x, y);
}

void PainterDeviceContext::arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                               int yEnd) {
    const double cx = (static_cast<double>(left) + right) / 2.0;
    const double cy = (static_cast<double>(top) + bottom) / 2.0;
    const double w = static_cast<double>(right) - left;
    const double h = static_cast<double>(bottom) - top;
    if (std::abs(w) > 2 * kLimit || std::abs(h) > 2 * kLimit || std::abs(cx) > kLimit || std::abs(cy) > kLimit)
        return;
    // Angles as Qt counts them: degrees counter-clockwise on screen, 0 at 3 o'clock.
    const double start = std::atan2(-(yStart - cy), xStart - cx) * 180.0 / geom::kPi;
    const double end = std::atan2(-(yEnd - cy), xEnd - cx) * 180.0 / geom::kPi;
    double span = end - start;
    while (span <= 0.0) span += 360.0;
    while (span > 360.0) span -= 360.0;
    const QRectF box = QRectF(left, top, w, h).normalized();
    painter_.drawArc(box, static_cast<int>(std::lround(start * 16.0)), static_cast<int>(std::lround(span * 16.0)));
}

void PainterDeviceContext::text(int x, int y, int height, const std::string& text) {
    if (height <= 0 || std::abs(static_cast<double>(x)) > kLimit || std::abs(static_cast<double>(y)) > kLimit) return;
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(height);
    painter_.save();
    painter_.setFont(font);
    // Text has no background of its own, whatever the dashes need.
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.drawText(QRectF(x, y, 1.0e5, height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                      QString::fromUtf8(text));
    painter_.restore();
}

} // namespace parvelin::app
