// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RibCopy.h"

#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "document/AirfoilDocument.h"
#include "view/RibSvg.h"

namespace parvelin::app {

QImage renderSvgPicture(const QByteArray& svg, int width) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    const QRectF box = renderer.viewBoxF();
    if (box.width() <= 0.0 || box.height() <= 0.0) return {};
    const int height = std::max(1, static_cast<int>(std::lround(width * box.height() / box.width())));
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, width, height));
    return picture;
}

std::unique_ptr<QMimeData> ribMimeData(const AirfoilDocument& document) {
    const std::string svg = ribSvg(document.picture());
    if (svg.empty()) return nullptr;
    const QByteArray bytes = QByteArray::fromStdString(svg);
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("image/svg+xml"), bytes);
    data->setImageData(renderSvgPicture(bytes));
    return data;
}

} // namespace parvelin::app
