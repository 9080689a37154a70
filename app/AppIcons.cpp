// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace parvelin::app {
namespace {

// The rib on a 64-unit square, as in packaging/parvelin.svg.
QPainterPath ribPath() {
    QPainterPath rib;
    rib.moveTo(58, 36);
    rib.cubicTo(46, 22, 20, 17, 9, 29);
    rib.cubicTo(6, 33, 8, 37, 13, 38);
    rib.cubicTo(26, 41, 46, 39, 58, 36);
    rib.closeSubpath();
    return rib;
}

enum class Style { Frame, Document };

QPixmap drawIcon(int size, Style style) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QColor navy(0x1d, 0x35, 0x57);
    const QColor paper(0xf1, 0xfa, 0xee);
    if (style == Style::Frame) {
        p.setPen(Qt::NoPen);
        p.setBrush(navy);
        p.drawRoundedRect(QRectF(3, 3, 58, 58), 10, 10);
        p.setPen(QPen(paper, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.setBrush(paper);
        p.drawPath(ribPath());
        p.setPen(Qt::NoPen);
        p.setBrush(navy);
        p.drawRect(QRectF(24, 21, 5, 5));
        p.drawEllipse(QPointF(40, 32), 3, 3);
        QPen chord(QColor(0xe6, 0x39, 0x46), 1.5);
        chord.setDashPattern({6 / 1.5, 2 / 1.5, 1, 2 / 1.5});
        p.setPen(chord);
        p.drawLine(QPointF(5, 35), QPointF(59, 35));
    } else {
        // A document window: the airfoil in white on black, components in grey.
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(3, 3, 58, 58), 6, 6);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(ribPath());
        p.setPen(QPen(QColor(128, 128, 128), 3.0));
        p.drawRect(QRectF(24, 22, 5, 5));
    }
    return pixmap;
}

QIcon makeIcon(Style style) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(drawIcon(size, style));
    return icon;
}

} // namespace

// Made afresh each time: pixmaps must not outlive the application object.
QIcon frameIcon() { return makeIcon(Style::Frame); }
QIcon documentIcon() { return makeIcon(Style::Document); }

} // namespace parvelin::app
