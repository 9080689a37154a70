#include "app/print/PrintPage.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

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

bool printRibOnPage(AirfoilDocument& document, QPainter& painter) {
    const PageMetrics page = pageMetrics(*painter.device());
    // Hairlines are exact device pixels; smoothing would widen and grey them.
    painter.setRenderHint(QPainter::Antialiasing, false);
    PrinterDeviceContext dc(painter, page);
    return document.printRib(dc);
}

} // namespace parvelin::app
