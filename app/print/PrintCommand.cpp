#include "app/print/PrintCommand.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "app/print/PrintPage.h"
#include "document/AirfoilDocument.h"
#include "platform/Services.h"

namespace parvelin::app {
namespace {

constexpr int kFirstPage = 1;
constexpr int kLastPage = 65535;

} // namespace

bool runPrintCommand(AirfoilDocument* document, QWidget* frame) {
    if (document == nullptr || !document->isLoaded()) return false;
    QPrinter printer(QPrinter::HighResolution);
    return runPrintCommand(document, frame, printer);
}

bool runPrintCommand(AirfoilDocument* document, QWidget* frame, QPrinter& printer) {
    if (document == nullptr || !document->isLoaded()) return false;

    printer.setDocName(kPrintDocumentName);
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer, frame);
    // Pages may be chosen from 1 to 65535; the range starts at 65535 to 65535
    // with every page selected. The job always has exactly one page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(kFirstPage, kLastPage);
    dialog.setFromTo(kLastPage, kLastPage);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);

    if (dialog.exec() == QDialog::Accepted) {
        if (!printOnePage(*document, printer)) {
            if (platform::Dialogs* dialogs = platform::dialogs())
                dialogs->messageBox(nullptr, kMessagePrintFailed, kPrintFailedCaption, platform::MessageIcon::Warning);
        }
    }
    return true;
}

bool printOnePage(AirfoilDocument& document, QPrinter& printer) {
    printer.setDocName(kPrintDocumentName);
    // The one page is always sent: a page range chosen in the dialog would
    // make the spooler drop it, as the job has no page 65535.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    printer.setFullPage(false);

    QPainter painter;
    if (!painter.begin(&printer)) return false;
    printRibOnPage(document, painter);  // a refused drawing leaves the page empty
    painter.end();
    return true;
}

} // namespace parvelin::app
