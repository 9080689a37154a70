#include "app/print/RibSetPages.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPageLayout>
#include <QPolygonF>
#include <QPrintDialog>
#include <QPrinter>

#include "app/print/PrintCommand.h"
#include "app/print/PrintPage.h"
#include "platform/Services.h"
#include "document/AirfoilDocument.h"
#include "document/NumberText.h"
#include "view/ViewTransform.h"

namespace parvelin::app {
namespace {

// The rib's building tabs through the page's true scale: the sides that
// stand outside the rib, down the front, along the board, up the back.
void drawTabsAndLabel(QPainter& painter, const wing::WingRib& rib, const std::string& label) {
    const PageMetrics page = pageMetrics(*painter.device());
    const ViewTransform view =
        ViewTransform::trueScale(page.ppiX, page.height, rib.properties.chord, rib.properties.metric != 0);
    const double c = rib.properties.chord;
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const wing::BuildingTab& tab : rib.tabs) {
        QPolygonF sides;
        for (std::size_t i : {std::size_t{4}, std::size_t{0}, std::size_t{1}, std::size_t{2}}) {
            const DevicePoint d = view.map(geom::modelFloat(tab.polygon[i].x / c), geom::modelFloat(tab.polygon[i].y / c));
            sides << QPointF(d.x, d.y);
        }
        painter.drawPolyline(sides);
    }
    QFont font = painter.font();
    font.setPointSizeF(11.0);
    painter.setFont(font);
    painter.drawText(QPointF(25.0, page.ppiY * 0.4), QString::fromStdString(label));
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

bool printRibSetPages(const wing::RibSet& set, wing::WingSide side, const std::string& name,
                      QPagedPaintDevice& device, QPainter& painter, std::string& error) {
    bool first = true;
    for (const wing::WingRib& rib : set.ribs) {
        if (!first && !device.newPage()) {
            error = "a new page could not be started";
            return false;
        }
        first = false;
        CoordinateFileContents contents;
        contents.name = rib.name();
        for (const AirfoilPoint& p : rib.points) contents.drawingOrder.push_back({p.modelX, p.modelY});
        AirfoilDocument document;
        document.takeContents(contents, nullptr);
        document.applyProperties(rib.properties);
        if (!printRibOnPage(document, painter)) {
            error = "rib " + rib.name() + " could not be drawn";
            return false;
        }
        drawTabsAndLabel(painter, rib, ribPageLabel(rib, side, name));
    }
    return true;
}

bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame) {
    QPrinter printer(QPrinter::HighResolution);
    return runRibSetPrintCommand(set, side, name, frame, printer);
}

bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame,
                           QPrinter& printer) {
    if (set.ribs.empty()) return false;
    printer.setDocName(kPrintDocumentName);
    QPrintDialog dialog(&printer, frame);
    if (dialog.exec() != QDialog::Accepted) return true;
    printer.setFullPage(false);
    printer.setPrintRange(QPrinter::AllPages);
    // Landscape when the longest rib, with its 25-pixel lead, needs it.
    double longest = 0.0;
    for (const wing::WingRib& rib : set.ribs) longest = std::max(longest, static_cast<double>(rib.properties.chord));
    const double longestMm = (set.ribs.front().properties.metric != 0 ? longest : longest * 25.4) + 10.0;
    if (printer.pageLayout().paintRect(QPageLayout::Millimeter).width() < longestMm)
        printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    std::string error;
    bool printed = painter.begin(&printer);
    if (printed) {
        printed = printRibSetPages(set, side, name, printer, painter, error);
        painter.end();
    }
    if (!printed)
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(nullptr, kMessagePrintFailed, kPrintFailedCaption, platform::MessageIcon::Warning);
    return true;
}

} // namespace parvelin::app
