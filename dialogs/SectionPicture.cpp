// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/SectionPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace parvelin::dialogs {
namespace {

// A flat or single-point section is drawn as if this wide (chords), so that
// its scale stays finite.
constexpr double kSmallestExtent = 1e-6;

void drawSection(QPainter& painter, const std::vector<CoordinatePair>& points, QRectF area) {
    if (points.size() < 2) return;
    float minX = points[0].modelX, maxX = points[0].modelX, minY = points[0].modelY, maxY = points[0].modelY;
    for (const CoordinatePair& p : points) {
        if (!std::isfinite(p.modelX) || !std::isfinite(p.modelY)) return;
        minX = std::min(minX, p.modelX);
        maxX = std::max(maxX, p.modelX);
        minY = std::min(minY, p.modelY);
        maxY = std::max(maxY, p.modelY);
    }
    const double width = std::max(kSmallestExtent, static_cast<double>(maxX - minX));
    const double height = std::max(kSmallestExtent, static_cast<double>(maxY - minY));
    // One scale for both axes: the section keeps its true shape.
    const double scale = std::min(area.width() / width, area.height() / height);
    const double left = area.left() + (area.width() - width * scale) / 2.0;
    const double top = area.top() + (area.height() - height * scale) / 2.0;
    auto at = [&](const CoordinatePair& p) {
        return QPointF(left + (p.modelX - minX) * scale, top + (maxY - p.modelY) * scale);
    };
    QPainterPath path(at(points[0]));
    for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(at(points[i]));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(QColor(225, 232, 245));
    painter.drawPath(path);
}

} // namespace

QPixmap sectionPixmap(const std::vector<CoordinatePair>& drawingOrder, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    drawSection(painter, drawingOrder, QRectF(3, 3, size.width() - 6, size.height() - 6));
    return pixmap;
}

SectionPicture::SectionPicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 80);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SectionPicture::setSection(std::vector<CoordinatePair> drawingOrder) {
    points_ = std::move(drawingOrder);
    update();
}

void SectionPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drawSection(painter, points_, QRectF(rect()).adjusted(8, 8, -8, -8));
}

} // namespace parvelin::dialogs
