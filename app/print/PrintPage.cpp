// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print/PrintPage.h"

#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "painting/PainterDeviceContext.h"
#include "document/AirfoilDocument.h"

namespace parvelin::app {
namespace {

constexpr double kScreenPixelsPerInch = 96.0;

} // namespace

PageMetrics pageMetrics(const QPaintDevice& device) {
    return PageMetrics{device.logicalDpiX(), device.logicalDpiY(), device.width(), device.height()};
}

PrinterDeviceContext::PrinterDeviceContext(QPainter& painter, const PageMetrics& page)
    : PainterDeviceContext(painter, page.ppiX, page.ppiY, page.width, page.height),
      painter_(painter),
      dashScale_(page.ppiX > kScreenPixelsPerInch ? static_cast<double>(page.ppiX) / kScreenPixelsPerInch : 1.0) {}

platform::Pen PrinterDeviceContext::selectPen(const platform::Pen& pen) {
    const platform::Pen previous = PainterDeviceContext::selectPen(pen);
    if (pen.style == platform::PenStyle::DashDot && dashScale_ > 1.0) {
        QPen scaled = painter_.pen();
        QList<qreal> pattern = scaled.dashPattern();
        for (qreal& length : pattern) length *= dashScale_;
        scaled.setDashPattern(pattern);
        painter_.setPen(scaled);
    }
    return previous;
}

PrintOutcome printRibPages(const AirfoilDocument& document, QPainter& painter, QPagedPaintDevice& device, int firstPage,
                           int lastPage) {
    const PageMetrics page = pageMetrics(*painter.device());
    const PrintLayout layout = layoutPrint(document.picture(), page.ppiX, page.ppiY, page.width, page.height);
    PrintOutcome outcome;
    outcome.status = layout.status;
    outcome.pagesNeeded = layout.pagesNeeded;
    if (layout.status != PrintLayoutStatus::Ready) {
        outcome.pages = layout.status == PrintLayoutStatus::Refused ? 1 : 0;
        return outcome;
    }
    // A range that holds none of the rib's pages prints them all.
    int first = std::max(firstPage, 1);
    int last = lastPage <= 0 ? layout.pageCount() : std::min(lastPage, layout.pageCount());
    if (first > last) {
        first = 1;
        last = layout.pageCount();
    }
    for (int index = first - 1; index < last; ++index) {
        if (index > first - 1 && !device.newPage()) break;
        // Hairlines are exact device pixels; smoothing would widen and grey them.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        // Nothing of a neighbouring page spills into the border.
        painter.setClipRect(QRect(0, 0, page.width, page.height));
        PrinterDeviceContext dc(painter, page);
        printLayoutPage(document.picture(), dc, layout, index);
        ++outcome.pages;
    }
    return outcome;
}

} // namespace parvelin::app
