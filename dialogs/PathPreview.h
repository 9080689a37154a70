// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preview of a machine file in its dialog: the SVG picture the command
// line's --svg writes, drawn on a white board as large as it fits.
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>
#include <string>

namespace parvelin::dialogs {

// The picture drawn as large as the widget allows, its proportions kept.
class PathPreview : public QWidget {
public:
    explicit PathPreview(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void load(const std::string& svg) {
        renderer_.load(QByteArray::fromStdString(svg));
        update();
    }
    bool valid() const { return renderer_.isValid(); }

protected:
    void paintEvent(QPaintEvent*) override {
        // A white board framed like an entry box, the sheet drawn on it.
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        if (!renderer_.isValid()) return;
        QSizeF size = renderer_.defaultSize();
        if (size.isEmpty()) size = renderer_.viewBoxF().size();
        if (size.isEmpty()) return;
        size.scale(QSizeF(width() - 16.0, height() - 16.0), Qt::KeepAspectRatio);
        const QRectF target((width() - size.width()) / 2.0, (height() - size.height()) / 2.0, size.width(),
                            size.height());
        painter.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&painter, target);
    }

private:
    QSvgRenderer renderer_;
};

} // namespace parvelin::dialogs
