// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print/RibSetPages.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <limits>

#include "app/print/PrintCommand.h"
#include "app/print/PrintPage.h"
#include "text/NumberText.h"
#include "geom/Point.h"
#include "platform/Services.h"
#include "geom/Units.h"

namespace parvelin::app {
namespace {

// The sides of each building tab that stand outside the rib, in model
// coordinates: down the front, along the board, up the back.
std::vector<std::vector<geom::Point>> tabLines(const wing::WingRib& rib) {
    std::vector<std::vector<geom::Point>> lines;
    const double c = rib.properties.chord;
    for (const wing::BuildingTab& tab : rib.tabs) {
        std::vector<geom::Point> sides;
        for (const wing::Vec2& v : wing::tabSides(tab))
            sides.push_back(geom::Point{geom::modelFloat(v.x / c), geom::modelFloat(v.y / c)});
        if (!sides.empty()) lines.push_back(std::move(sides));
    }
    return lines;
}

// The gap around a packed rib: about 3 mm.
int packedGap(int ppi) { return std::max(1, ppi / 8); }

// The scale bar the shared page shows at its foot, as the first rib's page would show it.
ScaleBar packedScaleBar(const RibPrint& rib) {
    const RibProperties& properties = rib.rib.properties;
    return pageFurniture(rib.layout, 0, inMillimetres(properties), rib.name, properties.chord, rib.extras.label)
        .scaleBar;
}

int scaleBarHeight(const ScaleBar& bar) {
    const platform::Rect box = bar.box();
    return box.bottom - box.top + 1;
}

void tell(const std::string& text) {
    if (platform::Dialogs* dialogs = platform::dialogs())
        dialogs->messageBox(nullptr, text, kPrintFailedCaption, platform::MessageIcon::Warning);
}

} // namespace

int packedLabelHeight(int ppi) { return std::max(1, ppi / 6); }

int packedBandHeight(const RibPrint& rib, int ppi) {
    const int ribHeight = rib.layout.rib.bottom - rib.layout.rib.top + 1;
    return packedLabelHeight(ppi) + packedGap(ppi) + ribHeight + packedGap(ppi);
}

std::string ribPageLabel(const wing::WingRib& rib, wing::WingSide side, const std::string& name) {
    const std::string letters = wing::traits(side).letters;
    std::string label = name + "  " + rib.name();
    for (std::size_t i = 0; i < letters.size(); ++i) label += (i == 0 ? " " : ", ") + std::string(1, letters[i]);
    std::string chord = formatFixed6(rib.properties.chord);
    chord.resize(chord.size() - 4);  // two decimals
    return label + "  chord " + chord + geom::unitSuffix(inMillimetres(rib.properties));
}

namespace {

// Ribs that fit on one page share pages, in order, as many as fit one
// above the other over the scale bar; the others keep their tiled pages.
void placeRibsOnSheets(RibSetPrint& print, int ppiX, int pageHeight) {
    const int gap = packedGap(ppiX);
    RibSetPage open;
    int y = gap;
    int bottom = 0;
    for (std::size_t r = 0; r < print.ribs.size(); ++r) {
        const RibPrint& rib = print.ribs[r];
        const int band = packedBandHeight(rib, ppiX);
        if (open.ribs.empty()) bottom = pageHeight - gap - scaleBarHeight(packedScaleBar(rib)) - gap;
        if (rib.layout.pageCount() == 1 && rib.layout.hasRib && band <= bottom - gap) {
            if (!open.ribs.empty() && y + band > bottom) {
                print.sheets.push_back(std::move(open));
                open = {};
                y = gap;
                bottom = pageHeight - gap - scaleBarHeight(packedScaleBar(rib)) - gap;
            }
            open.packed = true;
            open.ribs.push_back({r, 0, y});
            y += band;
            continue;
        }
        for (int k = 0; k < rib.layout.pageCount(); ++k) print.sheets.push_back({false, {{r, k, 0}}});
    }
    if (!open.ribs.empty()) print.sheets.push_back(std::move(open));
}

} // namespace

RibSetPrint layoutRibSet(const wing::RibSet& set, wing::WingSide side, const std::string& name, int ppiX, int ppiY,
                         int pageWidth, int pageHeight) {
    RibSetPrint print;
    long long pages = 0;
    for (const wing::WingRib& rib : set.ribs) {
        RibPrint each;
        each.rib = rib;
        each.name = rib.name();
        each.extras.lines = tabLines(rib);
        each.extras.label = ribPageLabel(rib, side, name);
        each.layout = layoutPrint(each.picture(), ppiX, ppiY, pageWidth, pageHeight, each.extras);
        if (each.layout.status == PrintLayoutStatus::Refused) {
            print.status = PrintLayoutStatus::Refused;
            print.refused = rib.name();
            print.ribs.clear();
            return print;
        }
        if (each.layout.status == PrintLayoutStatus::TooManyPages) {
            print.status = PrintLayoutStatus::TooManyPages;
            print.refused = rib.name();
            print.pagesNeeded = each.layout.pagesNeeded;
            print.ribs.clear();
            return print;
        }
        pages += each.layout.pageCount();
        print.ribs.push_back(std::move(each));
    }
    if (pages > std::numeric_limits<int>::max()) {
        print.status = PrintLayoutStatus::TooManyPages;
        print.pagesNeeded = std::numeric_limits<int>::max();
        print.ribs.clear();
        return print;
    }
    placeRibsOnSheets(print, ppiX, pageHeight);
    (void)pages;
    print.status = PrintLayoutStatus::Ready;
    print.pages = static_cast<int>(print.sheets.size());
    return print;
}

std::string ribSetTooManyPagesMessage(const std::string& rib, int pagesNeeded) {
    return "At this chord and page size rib " + rib + " would need " + std::to_string(pagesNeeded) +
           " pages (at most " + std::to_string(kMaxPrintPages) + " a rib).\nNothing was printed.";
}

std::string ribSetRefusal(const RibSetPrint& print) {
    switch (print.status) {
    case PrintLayoutStatus::Ready: return {};
    case PrintLayoutStatus::TooManyPages: return ribSetTooManyPagesMessage(print.refused, print.pagesNeeded);
    case PrintLayoutStatus::Refused: break;
    }
    return "Rib " + print.refused + " could not be drawn on this printer.\nNothing was printed.";
}

bool printRibSetPages(const RibSetPrint& print, QPagedPaintDevice& device, QPainter& painter, std::string& error) {
    if (print.status != PrintLayoutStatus::Ready) {
        error = ribSetRefusal(print);
        return false;
    }
    const PageMetrics page = pageMetrics(*painter.device());
    bool first = true;
    for (const RibSetPage& sheet : print.sheets) {
        if (!first && !device.newPage()) {
            error = "a new page could not be started";
            return false;
        }
        first = false;
        // Hairlines are exact device pixels; smoothing would widen and grey them.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        // Nothing of a neighbouring page spills into the border.
        painter.setClipRect(QRect(0, 0, page.width, page.height));
        PrinterDeviceContext dc(painter, page);
        if (!sheet.packed) {
            const RibSetPage::Placed& placed = sheet.ribs.front();
            const RibPrint& rib = print.ribs[placed.rib];
            printLayoutPage(rib.picture(), dc, rib.layout, placed.tile, rib.extras);
            continue;
        }
        const int gap = packedGap(page.ppiX);
        const int labelHeight = packedLabelHeight(page.ppiX);
        for (const RibSetPage::Placed& placed : sheet.ribs) {
            const RibPrint& rib = print.ribs[placed.rib];
            // The rib's sheet moved up or down so that its top stands under its label.
            const DevicePoint origin{0, rib.layout.rib.top - (placed.top + labelHeight + gap)};
            printRib(dc, rib.picture(), origin);
            printExtraLines(rib.picture(), dc, rib.extras, origin);
            platform::PenScope pen(dc, platform::Pen{platform::PenStyle::Solid, 0, platform::kBlack});
            dc.text(std::max(gap, rib.layout.rib.left), placed.top, labelHeight, rib.extras.label);
        }
        // One scale bar at the foot of the page, on its left.
        const ScaleBar bar = packedScaleBar(print.ribs[sheet.ribs.front().rib]);
        const platform::Rect box = bar.box();
        const int dx = gap - box.left;
        const int dy = page.height - gap - box.bottom;
        platform::PenScope pen(dc, platform::Pen{platform::PenStyle::Solid, 0, platform::kBlack});
        dc.moveTo(bar.left + dx, bar.baseline + dy);
        dc.lineTo(bar.left + bar.length + dx, bar.baseline + dy);
        for (const ScaleBar::Tick& tick : bar.ticks) {
            dc.moveTo(bar.left + tick.x + dx, bar.baseline + dy);
            dc.lineTo(bar.left + tick.x + dx, bar.baseline - tick.height + dy);
        }
        dc.text(bar.labelX + dx, bar.labelY + dy, bar.textHeight, bar.label);
    }
    return true;
}

bool printRibSetPages(const wing::RibSet& set, wing::WingSide side, const std::string& name,
                      QPagedPaintDevice& device, QPainter& painter, std::string& error) {
    const PageMetrics page = pageMetrics(*painter.device());
    const RibSetPrint print = layoutRibSet(set, side, name, page.ppiX, page.ppiY, page.width, page.height);
    if (print.status != PrintLayoutStatus::Ready) {
        error = ribSetRefusal(print);
        return false;
    }
    return printRibSetPages(print, device, painter, error);
}

bool printRibSetJob(const wing::RibSet& set, wing::WingSide side, const std::string& name, QPrinter& printer) {
    printer.setDocName(kPrintDocumentName);
    printer.setFullPage(false);
    // Every page of every rib: the pages are the program's own, not the spooler's to pick.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    // Checked before the job starts, so that nothing at all is sent.
    const PageMetrics page = pageMetrics(printer);
    const RibSetPrint print = layoutRibSet(set, side, name, page.ppiX, page.ppiY, page.width, page.height);
    if (print.status != PrintLayoutStatus::Ready) {
        tell(ribSetRefusal(print));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        tell(kMessagePrintFailed);
        return false;
    }
    std::string error;
    const bool printed = printRibSetPages(print, printer, painter, error);
    painter.end();
    if (!printed) tell(kMessagePrintFailed);
    return printed;
}

bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame) {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    return runRibSetPrintCommand(set, side, name, frame, printer);
}

bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame,
                           QPrinter& printer, const AirfoilDocument* document) {
    if (set.ribs.empty()) return false;
    printer.setDocName(kPrintDocumentName);
    printer.setCopyCount(1);
    if (document != nullptr) offerDefaultFile(*document, printer, nullptr);
    QPrintDialog dialog(&printer, frame);
    if (document != nullptr) offerDefaultFile(*document, printer, &dialog);
    if (dialog.exec() != QDialog::Accepted) return true;
    rememberFolder(printer);
    // The page size and orientation stay as chosen: a rib longer than the
    // page goes on as many pages as it needs.
    printRibSetJob(set, side, name, printer);
    return true;
}

bool runRibSetPrintPreviewCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name,
                                  QWidget* frame, QPrinter& printer, const AirfoilDocument* document) {
    if (set.ribs.empty()) return false;
    const PageMetrics page = pageMetrics(printer);
    const RibSetPrint print = layoutRibSet(set, side, name, page.ppiX, page.ppiY, page.width, page.height);
    if (print.status != PrintLayoutStatus::Ready) {
        tell(ribSetRefusal(print));
        return true;
    }
    printer.setDocName(kPrintDocumentName);
    printer.setCopyCount(1);
    if (document != nullptr) offerDefaultFile(*document, printer, nullptr);
    QPrintPreviewDialog preview(&printer, frame);
    // The preview's pages and its own printing both come here, on the
    // printer the user chose from its Print button.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&set, side, &name](QPrinter* target) {
                         if (target->outputFormat() == QPrinter::PdfFormat) rememberFolder(*target);
                         printRibSetJob(set, side, name, *target);
                     });
    preview.exec();
    return true;
}

} // namespace parvelin::app
