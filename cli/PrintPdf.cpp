// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli print: the rib at true scale on as many PDF pages as it
// needs, made without a display.
#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QString>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>

#include "app/print/PrintPage.h"
#include "app/print/RibSetPages.h"
#include "cli/Commands.h"
#include "document/AirfoilDocument.h"
#include "dxf/DxfWriter.h"
#include "text/NumberText.h"
#include "geom/ViewTransform.h"
#include "wing/RibSet.h"

namespace parvelin::cli {

const bool kCanPrint = true;

} // namespace parvelin::cli

namespace parvelin::cli {
namespace {

// The PDF page has the program's quarter-inch border all round, like a
// printer's unprintable edge, so that the page prints at actual size without
// losing the nose. The rib is placed from where that border ends.
constexpr int kPdfResolution = 600;

std::optional<QPageSize::PageSizeId> pageSizeNamed(const std::string& name) {
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "a4") return QPageSize::A4;
    if (lower == "a3") return QPageSize::A3;
    if (lower == "a5") return QPageSize::A5;
    if (lower == "letter") return QPageSize::Letter;
    if (lower == "legal") return QPageSize::Legal;
    return std::nullopt;
}

// Qt's own debug, information and warning messages (such as a missing
// runtime folder) mean nothing to a user of the tool and are dropped; the
// tool reports its own errors. Critical and fatal ones still go through.
QtMessageHandler qtDefaultHandler = nullptr;
void quietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    if (qtDefaultHandler != nullptr) qtDefaultHandler(type, context, message);
}

// The Qt application that painting needs; off-screen unless the caller chose
// a platform, so that printing works where there is no display.
std::unique_ptr<QGuiApplication> makeApplication() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    qtDefaultHandler = qInstallMessageHandler(quietQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "parvelin-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

const char* writeMessage(FileWriteResult result) {
    switch (result) {
    case FileWriteResult::Written: return "";
    case FileWriteResult::AlreadyExists: return "the file already exists; nothing was printed";
    case FileWriteResult::CannotCreate: return "the file could not be created; nothing was printed";
    case FileWriteResult::NotFinite: return "the drawing is not finite; nothing was printed";
    case FileWriteResult::WriteFailed: return "the file could not be written completely; nothing was printed";
    }
    return "";
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The page layout of the job: its size and orientation inside the
// program's border.
QPageLayout pageLayout(QPageSize::PageSizeId pageSize, const JobOptions& job) {
    const QMarginsF margins(app::kPrintMarginMm, app::kPrintMarginMm, app::kPrintMarginMm, app::kPrintMarginMm);
    return QPageLayout(QPageSize(pageSize), job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
                       QPageLayout::Millimeter);
}

// Prints the document's rib into PDF bytes; false when the page cannot be started.
bool printDocument(const AirfoilDocument& document, const QPageLayout& layout, QByteArray& pdf,
                   app::PrintOutcome& outcome) {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setTitle(QStringLiteral("Parvelin"));
    writer.setCreator(QStringLiteral("Parvelin"));
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    outcome = app::printRibPages(document, painter, writer);
    painter.end();
    return true;
}

} // namespace

int runPrint(const JobOptions& job) {
    const std::optional<QPageSize::PageSizeId> pageSize = pageSizeNamed(job.pageSize);
    if (!pageSize) {
        std::fprintf(stderr, "parvelin-cli: unknown page size '%s' (A4, A3, A5, Letter or Legal)\n",
                     job.pageSize.c_str());
        return 2;
    }
    // Checked early to spare the work; the final write refuses an existing file anyway.
    if (exists(job.output)) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(),
                     writeMessage(FileWriteResult::AlreadyExists));
        return 1;
    }

    AirfoilDocument document;
    if (const int status = loadJobDocument(job, document); status != 0) return status;
    // The options only take guide lines away; a rib design's own flags stay otherwise.
    document.setShowEdgeLines(document.showEdgeLines() && job.edgeLines);
    document.setShowChordLine(document.showChordLine() && job.chordLine);

    const std::unique_ptr<QGuiApplication> application = makeApplication();
    // The application takes the user's locale; number text stays neutral.
    std::setlocale(LC_NUMERIC, "C");
    QByteArray pdf;
    app::PrintOutcome outcome;
    if (!printDocument(document, pageLayout(*pageSize, job), pdf, outcome)) {
        std::fprintf(stderr, "parvelin-cli: the PDF page could not be started\n");
        return 1;
    }
    if (outcome.status == PrintLayoutStatus::TooManyPages) {
        std::fprintf(stderr,
                     "parvelin-cli: at this chord and page size the rib would need %d pages (at most %d); "
                     "nothing was printed\n",
                     outcome.pagesNeeded, kMaxPrintPages);
        return 1;
    }
    if (outcome.status == PrintLayoutStatus::Refused)
        std::fprintf(stderr, "parvelin-cli: the rib could not be drawn; the page is empty\n");

    const FileWriteResult result =
        writeNewFile(job.output, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (result != FileWriteResult::Written) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), writeMessage(result));
        return 1;
    }
    if (outcome.pages > 1)
        std::fprintf(stderr,
                     "parvelin-cli: %s: the rib takes %d pages; neighbouring pages overlap by %g mm, lay them "
                     "over each other at the registration crosses\n",
                     job.output.c_str(), outcome.pages, kPrintOverlapMm);
    return 0;
}

} // namespace parvelin::cli

namespace parvelin::cli {

bool printRibSetPdf(const wing::RibSet& set, wing::WingSide side, const std::string& name, const JobOptions& job,
                    std::string& pdfBytes, std::string& error) {
    const std::optional<QPageSize::PageSizeId> pageSize = pageSizeNamed(job.pageSize);
    if (!pageSize) {
        error = "unknown page size '" + job.pageSize + "' (A4, A3, A5, Letter or Legal)";
        return false;
    }
    const std::unique_ptr<QGuiApplication> application = makeApplication();
    std::setlocale(LC_NUMERIC, "C");

    // The page as asked (portrait unless --landscape): a rib longer than the
    // page goes on as many pages as it needs.
    const QPageLayout layout = pageLayout(*pageSize, job);

    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setTitle(QString::fromStdString(name));
        writer.setCreator(QStringLiteral("Parvelin"));
        writer.setPageLayout(layout);
        // Laid out before the first page is started: a set that cannot be
        // printed whole leaves no PDF at all.
        const app::PageMetrics page = app::pageMetrics(writer);
        const app::RibSetPrint print =
            app::layoutRibSet(set, side, name, page.ppiX, page.ppiY, page.width, page.height);
        if (print.status != PrintLayoutStatus::Ready) {
            error = app::ribSetRefusal(print);
            for (char& c : error)
                if (c == '\n') c = ' ';
            return false;
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "the PDF page could not be started";
            return false;
        }
        const bool printed = app::printRibSetPages(print, writer, painter, error);
        painter.end();
        if (!printed) return false;
        if (print.pages > static_cast<int>(print.ribs.size()))
            std::fprintf(stderr,
                         "parvelin-cli: ribs.pdf: %d pages for %zu ribs; neighbouring pages of a rib overlap by "
                         "%g mm, lay them over each other at the registration crosses\n",
                         print.pages, print.ribs.size(), kPrintOverlapMm);
    }
    pdfBytes.assign(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    return true;
}

} // namespace parvelin::cli
