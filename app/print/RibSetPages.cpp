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

namespace parvelin::app {
namespace {

// The rib as a document of its own, so that it prints exactly as a single
// rib with its properties does.
std::unique_ptr<AirfoilDocument> ribDocument(const wing::WingRib& rib) {
    CoordinateFileContents contents;
    contents.name = rib.name();
    for (const AirfoilPoint& p : rib.points) contents.drawingOrder.push_back({p.modelX, p.modelY});
    auto document = std::make_unique<AirfoilDocument>();
    document->takeContents(contents, nullptr);
    document->applyProperties(rib.properties);
    return document;
}

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

void tell(const std::string& text) {
    if (platform::Dialogs* dialogs = platform::dialogs())
        dialogs->messageBox(nullptr, text, kPrintFailedCaption, platform::MessageIcon::Warning);
}

} // namespace

std::string ribPageLabel(const wing::WingRib& rib, wing::WingSide side, const std::string& name) {
    const std::string letters = wing::traits(side).letters;
    std::string label = name + "  " + rib.name();
    for (std::size_t i = 0; i < letters.size(); ++i) label += (i == 0 ? " " : ", ") + std::string(1, letters[i]);
    std::string chord = formatFixed6(rib.properties.chord);
    chord.resize(chord.size() - 4);  // two decimals
    return label + "  chord " + chord + (rib.properties.metric != 0 ? " mm" : " in");
}

RibSetPrint layoutRibSet(const wing::RibSet& set, wing::WingSide side, const std::string& name, int ppiX, int ppiY,
                         int pageWidth, int pageHeight) {
    RibSetPrint print;
    long long pages = 0;
    for (const wing::WingRib& rib : set.ribs) {
        RibPrint each;
        each.document = ribDocument(rib);
        each.extras.lines = tabLines(rib);
        each.extras.label = ribPageLabel(rib, side, name);
        each.layout = layoutPrint(*each.document, ppiX, ppiY, pageWidth, pageHeight, each.extras);
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
    print.status = PrintLayoutStatus::Ready;
    print.pages = static_cast<int>(pages);
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
    for (const RibPrint& rib : print.ribs) {
        for (int index = 0; index < rib.layout.pageCount(); ++index) {
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
            printLayoutPage(*rib.document, dc, rib.layout, index, rib.extras);
        }
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
