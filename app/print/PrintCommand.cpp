// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print/PrintCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <string>

#include "app/print/PrintPage.h"
#include "document/AirfoilDocument.h"
#include "platform/Services.h"

namespace parvelin::app {
namespace {

constexpr int kFirstPage = 1;
constexpr int kLastPage = 65535;

// The folder the last print to a file went to in this run; empty before.
QString& lastPrintFolder() {
    static QString folder;
    return folder;
}

void tell(const std::string& text) {
    if (platform::Dialogs* dialogs = platform::dialogs())
        dialogs->messageBox(nullptr, text, kPrintFailedCaption, platform::MessageIcon::Warning);
}

} // namespace

// The default output file, shown in the dialog's file field (Qt's dialog
// would otherwise offer "Parvelin.pdf", the spooler name) and set on a
// printer that already writes PDF.
void offerDefaultFile(const AirfoilDocument& document, QPrinter& printer, QWidget* dialog) {
    const QString path = defaultPrintFileName(document);
    if (printer.outputFormat() == QPrinter::PdfFormat) printer.setOutputFileName(path);
    if (dialog == nullptr) return;
    if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) field->setText(path);
}

void rememberFolder(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        lastPrintFolder() = QFileInfo(printer.outputFileName()).absolutePath();
}

void preparePrinter(QPrinter& printer) {
    printer.setDocName(kPrintDocumentName);
    printer.setCopyCount(1);
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                           QPageLayout::Millimeter);
}

QString defaultPrintFileName(const AirfoilDocument& document) {
    QString name = QString::fromStdString(document.getName().value_or(std::string())).trimmed();
    // Characters that cannot stand in a file name become underscores.
    for (QChar& c : name)
        if (c == '/' || c == '\\' || c == ':' || c.unicode() < 32) c = '_';
    if (name.isEmpty() || name == "." || name == "..") name = QStringLiteral("rib");
    const QString folder = lastPrintFolder().isEmpty() ? QDir::currentPath() : lastPrintFolder();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

bool runPrintCommand(AirfoilDocument* document, QWidget* frame, QPrinter& printer) {
    if (document == nullptr || !document->isLoaded()) return false;

    printer.setDocName(kPrintDocumentName);
    printer.setCopyCount(1);
    offerDefaultFile(*document, printer, nullptr);
    QPrintDialog dialog(&printer, frame);
    // Pages may be chosen from 1 to 65535; the range starts at 65535 to 65535
    // with every page selected. Every page of the rib is always printed.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(kFirstPage, kLastPage);
    dialog.setFromTo(kLastPage, kLastPage);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    offerDefaultFile(*document, printer, &dialog);

    if (dialog.exec() == QDialog::Accepted) {
        rememberFolder(printer);
        printPages(*document, printer);
    }
    return true;
}

bool runPrintPreviewCommand(AirfoilDocument* document, QWidget* frame, QPrinter& printer) {
    if (document == nullptr || !document->isLoaded()) return false;
    const PageMetrics page = pageMetrics(printer);
    const PrintLayout layout = layoutPrint(document->picture(), page.ppiX, page.ppiY, page.width, page.height);
    if (layout.status == PrintLayoutStatus::TooManyPages) {
        tell(tooManyPagesMessage(layout.pagesNeeded));
        return true;
    }
    printer.setDocName(kPrintDocumentName);
    printer.setCopyCount(1);
    offerDefaultFile(*document, printer, nullptr);
    QPrintPreviewDialog preview(&printer, frame);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [document](QPrinter* target) {
        // The preview's own printing comes here too, on the printer the
        // user chose from its Print button.
        if (target->outputFormat() == QPrinter::PdfFormat) rememberFolder(*target);
        printPages(*document, *target);
    });
    preview.exec();
    return true;
}

bool printPages(const AirfoilDocument& document, QPrinter& printer) {
    printer.setDocName(kPrintDocumentName);
    // The pages chosen in the dialog, when the rib has any of them (the
    // dialog starts at 65535, which means every page); the program picks
    // them itself, so the job's own range is cleared: the spooler would
    // otherwise drop pages by their place in the job.
    int firstPage = 1;
    int lastPage = 0;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        firstPage = printer.fromPage();
        lastPage = std::max(printer.toPage(), firstPage);
    }
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    printer.setFullPage(false);

    // Checked before the job starts, so that nothing at all is sent.
    const PageMetrics page = pageMetrics(printer);
    const PrintLayout layout = layoutPrint(document.picture(), page.ppiX, page.ppiY, page.width, page.height);
    if (layout.status == PrintLayoutStatus::TooManyPages) {
        tell(tooManyPagesMessage(layout.pagesNeeded));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        tell(kMessagePrintFailed);
        return false;
    }
    printRibPages(document, painter, printer, firstPage, lastPage);
    painter.end();
    return true;
}

std::string tooManyPagesMessage(int pagesNeeded) {
    return "At this chord and page size the rib would need " + std::to_string(pagesNeeded) + " pages (at most " +
           std::to_string(kMaxPrintPages) + ").\nNothing was printed.";
}

} // namespace parvelin::app
