#pragma once
// The rib on one page of a printer or a PDF file, at true scale.
#include "painting/PainterDeviceContext.h"

class QPaintDevice;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::app {

// What the drawing code is told about a page: the device's pixels per inch
// across and down, and the size in pixels of the area it can draw on. A
// painter on a printer or PDF page (not set to full page) has its origin
// where that area starts, so one inch of drawing is one inch of paper.
struct PageMetrics {
    int ppiX = 0;
    int ppiY = 0;
    int width = 0;
    int height = 0;
};
PageMetrics pageMetrics(const QPaintDevice& device);

// The device context of a printed page. Dash-dot guide lines keep the
// proportions they have on a 96-pixel-per-inch screen, so that their dashes
// stay visible on paper instead of shrinking to the printer's dot size.
class PrinterDeviceContext : public PainterDeviceContext {
public:
    PrinterDeviceContext(QPainter& painter, const PageMetrics& page);
    platform::Pen selectPen(const platform::Pen& pen) override;

private:
    QPainter& painter_;
    double dashScale_;
};

// Draws the document's rib on the painter's current page through a printer
// device context with the page's metrics. Returns what printRib returned.
bool printRibOnPage(AirfoilDocument& document, QPainter& painter);

} // namespace parvelin::app
