// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rib on the pages of a printer or a PDF file, at true scale.
#include "painting/PainterDeviceContext.h"
#include "view/PrintLayout.h"

class QPaintDevice;
class QPagedPaintDevice;

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

// The border the program and the command-line tool leave round the page, a
// quarter of an inch like a printer's unprintable edge.
inline constexpr double kPrintMarginMm = 6.35;

struct PrintOutcome {
    PrintLayoutStatus status = PrintLayoutStatus::Refused;
    int pages = 0;         // pages sent to the device
    int pagesNeeded = 0;   // TooManyPages: how many the rib would take
};

// Prints the document's rib on as many pages as it needs, starting on the
// painter's current page of `device` and adding pages with newPage(). A rib
// the printer refuses (non-square pixels) leaves the one page empty; one that
// would need more than kMaxPrintPages pages draws nothing. Only pages
// firstPage to lastPage (counted from 1; lastPage 0: to the end) are printed
// when that range holds any of the rib's pages.
PrintOutcome printRibPages(const AirfoilDocument& document, QPainter& painter, QPagedPaintDevice& device,
                           int firstPage = 1, int lastPage = 0);

} // namespace parvelin::app
