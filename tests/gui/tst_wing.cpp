// SPDX-License-Identifier: GPL-3.0-or-later
// Properties > Wing Properties from the frame: the dialog, the rib strip and
// the plan view under the document's rib, the General page's washout.
#include <array>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <tuple>

#include "FrameFixture.h"
#include "app/WingPane.h"
#include "app/print/PrintCommand.h"
#include "app/print/PrintPage.h"
#include "app/print/RibSetPages.h"
#include "support/Recorders.h"
#include "dialogs/WingDialog.h"
#include "wing/WingFiles.h"
#include "app/FrameWindow.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

// Runs Wing Properties; `fill` gets the open dialog, then OK or Cancel is
// pressed (when the dialog is still open after an OK that was refused, it
// is cancelled).
void runWingProperties(FrameFixture& f, const std::function<void(dialogs::WingDialog&)>& fill, bool ok) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<dialogs::WingDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen = true;
        fill(*dialog);
        if (ok) dialog->accept();
        if (dialog->isVisible()) dialog->reject();
    });
    f.frame->handleCommand(kCmdWingProperties);
    QVERIFY(seen);
}

void setBox(dialogs::WingDialog& d, const char* name, const QString& text) {
    auto* box = d.findChild<QLineEdit*>(QString::fromLatin1(name));
    QVERIFY2(box != nullptr, name);
    box->setText(text);
}

} // namespace

class WingTest : public QObject {
    Q_OBJECT
private slots:
    void offeredOnlyForADocumentWithAnAirfoil();
    void okBuildsTheRibSetCancelKeepsIt();
    void badValuesKeepTheDialogOpenWithAMessage();
    void longRibsPrintOnAsManyPagesAsTheyNeedAndLoseNothing();
    void savedWingReopensWithTheSameRibs();
    void smallRibsShareA4LandscapePages();
    void tabGoesThroughTheBoxesTopToBottom();
};

void WingTest::offeredOnlyForADocumentWithAnAirfoil() {
    FrameFixture f;
    QVERIFY(!f.frame->action(kCmdWingProperties)->isEnabled());
    f.open(airfoilPath("asb__clarky.dat"));
    QVERIFY(f.frame->action(kCmdWingProperties)->isEnabled());
    f.frame->handleCommand(kCmdFileNew);  // an empty window is now current
    QVERIFY(!f.frame->action(kCmdWingProperties)->isEnabled());
}

void WingTest::okBuildsTheRibSetCancelKeepsIt() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(!window->wingPane()->isVisible());
    // Each choice of the dialog keeps one of its two buttons checked.
    runWingProperties(f, [](dialogs::WingDialog& d) {
        QCOMPARE(d.findChild<QRadioButton*>("byCount")->isChecked(), true);
        QCOMPARE(d.findChild<QRadioButton*>("sparFixed")->isChecked(), true);
        d.findChild<QRadioButton*>("sparPercent")->setChecked(true);
        QCOMPARE(d.findChild<QRadioButton*>("byCount")->isChecked(), true);
    }, false);
    // A board 12 mm below the trailing edge leaves room for 2 degrees of washout.
    RibProperties board = window->document()->properties();
    board.height = 12.0f;
    window->document()->applyProperties(board);
    runWingProperties(f, [](dialogs::WingDialog& d) {
        setBox(d, "span", "450");
        setBox(d, "rootChord", "180");
        setBox(d, "tipChord", "120");
        d.findChild<QSpinBox*>("ribCount")->setValue(7);
        setBox(d, "washout", "2");
        setBox(d, "tipAirfoil", QString::fromStdString(airfoilPath("asb__naca2412.dat")));
    }, true);
    QVERIFY(window->wing().has_value());
    QCOMPARE(window->ribSet().error, std::string());
    QCOMPARE(window->ribSet().tabProblem, std::string());
    QCOMPARE(window->ribSet().ribs.size(), std::size_t(7));
    QVERIFY(window->wingPane()->isVisible());
    QListWidget* strip = window->wingPane()->strip();
    QCOMPARE(strip->count(), 7);
    QCOMPARE(strip->item(0)->text(), QString("R1 L, R\n180.0 mm"));  // both panels by default
    QCOMPARE(strip->item(6)->text(), QString("R7 L, R\n120.0 mm"));
    // The tip's washout is the document's washout, shown on the General page.
    QCOMPARE(window->document()->properties().washout, 2.0f);
    QCOMPARE(window->ribSet().ribs.back().station.washout, 2.0);
    QCOMPARE(window->ribSet().ribs.back().tabs.size(), std::size_t(2));

    // Picking a rib shows it: its own chord and section, the window's title kept.
    const QString title = window->windowTitle();
    strip->setCurrentRow(3);
    QCOMPARE(window->selectedRib(), 3);
    QCOMPARE(window->shownPicture().rib.properties.chord, 150.0f);
    // The status bar speaks of the rib on show: its chord, and the cursor
    // through its fit (its trailing edge lies 150 mm from its nose).
    QVERIFY2(f.frame->airfoilLabel()->text().contains("chord 150.00 mm"), qPrintable(f.frame->airfoilLabel()->text()));
    const DevicePoint tail = window->shownTransform()->map(1.0f, 0.0f);
    QMouseEvent move(QEvent::MouseMove, QPointF(tail.x, tail.y), window->view()->mapToGlobal(QPointF(tail.x, tail.y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window->view(), &move);
    QCOMPARE(f.frame->cursorLabel()->text().left(11), QStringLiteral("x 150.00 mm"));
    QCOMPARE(window->shownPicture().rib.points.size(), window->ribSet().ribs[3].points.size());
    QCOMPARE(window->windowTitle(), title);
    // Every view choice reaches the rib on show.
    for (const int id : {kCmdViewChordline, kCmdViewEdgeLines, kCmdViewCamberline, kCmdViewCutOutline}) {
        const auto flags = [](const RibViewFlags& v) {
            return std::array{v.chordLine, v.edgeLines, v.camberLine, v.cutOutline};
        };
        const auto before = flags(window->shownPicture().flags);
        f.frame->handleCommand(id);
        QVERIFY(flags(window->shownPicture().flags) != before);
        QVERIFY(flags(window->shownPicture().flags) == flags(window->document()->picture().flags));
    }

    // File > Export writes the whole set in one drawing.
    const QString exported = f.scratch.filePath("SET.DXF");
    f.dialogs.saveAnswers.push_back(exported.toStdString());
    f.frame->handleCommand(kCmdFileExport);
    QFile file(exported);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), wing::setDrawing(window->ribSet()).text());

    // File > Export for Cutting nests the set's cut ribs on 600 x 100 mm
    // sheets, one file per sheet beside the chosen name; a second time it
    // writes nothing and says why.
    const wing::Nesting nesting = wing::nestParts(wing::nestPartsOf(window->ribSet(), window->wing()->panel.side),
                                                  wing::SheetSize{}, wing::nestOptions(0.0, true));
    QCOMPARE(nesting.error, std::string());
    for (int round = 0; round < 2; ++round) {
        f.dialogs.saveAnswers.push_back(f.scratch.filePath("CUT.DXF").toStdString());
        f.frame->handleCommand(kCmdFileExportCut);
        QCOMPARE(f.dialogs.messages.size(), std::size_t(round + 1));
    }
    // First the sheets written, then why nothing was.
    QCOMPARE(f.dialogs.messages.front().icon, platform::MessageIcon::Information);
    QVERIFY(f.dialogs.messages.front().text.find("CUT-sheet-1.dxf") != std::string::npos);
    // With the yield of each sheet and of the set, as the nesting found it.
    QVERIFY(f.dialogs.messages.front().text.find(wing::setYieldText(nesting)) != std::string::npos);
    QVERIFY(f.dialogs.messages.front().text.find(wing::sheetYieldText(nesting, 0)) != std::string::npos);
    QVERIFY(f.dialogs.messages.back().text.find("already exists") != std::string::npos);
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        QFile sheet(f.scratch.filePath(QString("CUT-sheet-%1.dxf").arg(s + 1)));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QCOMPARE(sheet.readAll().toStdString(), wing::sheetDxf(nesting.sheets[s], true));
    }
    QVERIFY(!QFile::exists(f.scratch.filePath(QString("CUT-sheet-%1.dxf").arg(nesting.sheets.size() + 1))));

    // Cancel changes nothing, even after editing every box.
    runWingProperties(f, [](dialogs::WingDialog& d) {
        setBox(d, "span", "900");
        d.findChild<QSpinBox*>("ribCount")->setValue(30);
    }, false);
    QCOMPARE(window->ribSet().ribs.size(), std::size_t(7));
    QCOMPARE(window->wing()->panel.span, 450.0);

    // A new chord in the document's properties does not change the panel's
    // chords, but its other properties reach every rib at once.
    RibProperties p = window->document()->properties();
    p.sparStyle = 1;
    window->document()->applyProperties(p);
    window->rebuildWing();
    QCOMPARE(window->selectedRib(), 3);
    for (const wing::WingRib& rib : window->ribSet().ribs) QVERIFY(rib.spars.isBuilt());
}

void WingTest::badValuesKeepTheDialogOpenWithAMessage() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    const std::vector<std::pair<const char*, QString>> bad{
        {"span", "0"}, {"rootChord", "-5"}, {"tipChord", "abc"}, {"washout", "80"},
        {"tipAirfoil", f.scratch.filePath("missing.dat")}};
    for (const auto& [box, text] : bad) {
        f.dialogs.messages.clear();
        bool stayedOpen = false;
        runWingProperties(f, [&, box = box, text = text](dialogs::WingDialog& d) {
            setBox(d, box, text);
            d.accept();
            stayedOpen = d.isVisible();
        }, false);
        QVERIFY2(stayedOpen, box);
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QVERIFY(!window->wing().has_value());
    }
    f.dialogs.messages.clear();
    runWingProperties(f, [](dialogs::WingDialog& d) {
        d.findChild<QRadioButton*>("bySpacing")->setChecked(true);
        setBox(d, "spacing", "0.2");
    }, true);
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QVERIFY(f.dialogs.messages[0].text.find("at most 500") != std::string::npos);
}

namespace {

struct Vertex {
    long long x;
    long long y;
    friend bool operator==(const Vertex&, const Vertex&) = default;
};

// The points a drawing reaches: every line's ends, every arc's box corners.
std::vector<Vertex> vertices(const std::vector<parvelin::testing::DrawCall>& calls) {
    using parvelin::testing::DrawCall;
    std::vector<Vertex> out;
    for (const DrawCall& c : calls) {
        if (c.kind == DrawCall::MoveTo || c.kind == DrawCall::LineTo) out.push_back({c.x, c.y});
        if (c.kind == DrawCall::Arc)
            for (const auto& [x, y] : {std::pair{c.arc[0], c.arc[1]}, std::pair{c.arc[2], c.arc[3]},
                                       std::pair{c.arc[0], c.arc[3]}, std::pair{c.arc[2], c.arc[1]}})
                out.push_back({x, y});
    }
    return out;
}

// Nothing of any rib or tab is lost: each page draws the rib's one-page
// drawing (the sheet) moved by its tile's offset, and every point of the
// sheet, the tabs' feet on the board among them, lands inside at least one
// page. Every page carries the rib's label, on the page.
// Every rib is on the pages exactly once: whole on a shared page, or each
// of its tiles on a page of its own; the bands of a shared page lie inside
// it, one below the other, above the scale bar's strip.
void expectEveryRibWholeOrTiled(const RibSetPrint& print, int ppi, int height) {
    QCOMPARE(print.pages, static_cast<int>(print.sheets.size()));
    std::vector<int> whole(print.ribs.size(), 0);
    std::vector<std::vector<int>> tiles(print.ribs.size());
    for (const RibSetPage& sheet : print.sheets) {
        QVERIFY(!sheet.ribs.empty());
        if (!sheet.packed) {
            QCOMPARE(sheet.ribs.size(), std::size_t(1));
            tiles[sheet.ribs[0].rib].push_back(sheet.ribs[0].tile);
            continue;
        }
        int below = 0;
        for (const RibSetPage::Placed& placed : sheet.ribs) {
            const RibPrint& rib = print.ribs[placed.rib];
            QCOMPARE(rib.layout.pageCount(), 1);
            ++whole[placed.rib];
            QVERIFY(placed.top >= below);
            below = placed.top + packedBandHeight(rib, ppi);
            QVERIFY(below < height);
        }
    }
    for (std::size_t r = 0; r < print.ribs.size(); ++r) {
        const int count = print.ribs[r].layout.pageCount();
        if (whole[r] == 1) {
            QVERIFY(tiles[r].empty());
            continue;
        }
        QCOMPARE(whole[r], 0);
        std::sort(tiles[r].begin(), tiles[r].end());
        QCOMPARE(static_cast<int>(tiles[r].size()), count);
        for (int k = 0; k < count; ++k) QCOMPARE(tiles[r][static_cast<std::size_t>(k)], k);
    }
}

void expectNothingClipped(const RibSetPrint& print, const wing::RibSet& set, wing::WingSide side,
                          const std::string& name, int ppi, int width, int height) {
    using parvelin::testing::RecordingDeviceContext;
    QCOMPARE(print.status, PrintLayoutStatus::Ready);
    QCOMPARE(print.ribs.size(), set.ribs.size());
    int pages = 0;
    for (std::size_t r = 0; r < set.ribs.size(); ++r) {
        const wing::WingRib& wingRib = set.ribs[r];
        const RibPrint& rib = print.ribs[r];
        RecordingDeviceContext sheet(ppi, ppi, width, height);
        QVERIFY(printRib(sheet, rib.picture()));
        printExtraLines(rib.picture(), sheet, rib.extras);
        const std::vector<Vertex> drawn = vertices(sheet.calls);
        const ViewTransform view = ViewTransform::trueScale(ppi, height, wingRib.properties.chord, true);
        const double c = wingRib.properties.chord;
        QVERIFY(!wingRib.tabs.empty());
        for (const wing::BuildingTab& tab : wingRib.tabs)
            for (std::size_t i : {0, 1}) {
                const DevicePoint foot = view.map(geom::modelFloat(tab.polygon[i].x / c), geom::modelFloat(tab.polygon[i].y / c));
                QVERIFY(std::find(drawn.begin(), drawn.end(), Vertex{foot.x, foot.y}) != drawn.end());
            }

        std::vector<bool> covered(drawn.size(), false);
        const int count = rib.layout.pageCount();
        for (int k = 0; k < count; ++k) {
            RecordingDeviceContext page(ppi, ppi, width, height);
            QVERIFY(printLayoutPage(rib.picture(), page, rib.layout, k, rib.extras));
            const std::vector<Vertex> onPage = vertices(page.calls);
            QVERIFY(onPage.size() >= drawn.size());
            const PrintTile& tile = rib.layout.tiles[static_cast<std::size_t>(k)];
            for (std::size_t i = 0; i < drawn.size(); ++i) {
                const Vertex moved{drawn[i].x - tile.offsetX, drawn[i].y - tile.offsetY};
                QCOMPARE(onPage[i], moved);
                if (moved.x >= 0 && moved.x < width && moved.y >= 0 && moved.y < height) covered[i] = true;
            }
            const PageFurniture furniture =
                pageFurniture(rib.layout, k, true, wingRib.name(), wingRib.properties.chord, rib.extras.label);
            QVERIFY(furniture.hasLabel);
            QCOMPARE(furniture.label.text, ownPageLabelText(ribPageLabel(wingRib, side, name), k + 1, count));
            const platform::Rect box = furniture.label.box();
            QVERIFY(box.left >= 0 && box.top >= 0 && box.right < width && box.bottom < height);
        }
        const auto lost = std::find(covered.begin(), covered.end(), false);
        QVERIFY2(lost == covered.end(), qPrintable(QString("rib %1 loses a point at %2, %3")
                                                       .arg(QString::fromStdString(wingRib.name()))
                                                       .arg(drawn[lost - covered.begin()].x)
                                                       .arg(drawn[lost - covered.begin()].y)));
        pages += count;
    }
    expectEveryRibWholeOrTiled(print, ppi, height);
    QVERIFY(print.pages <= pages);
}

} // namespace

void WingTest::longRibsPrintOnAsManyPagesAsTheyNeedAndLoseNothing() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    RibProperties board = window->document()->properties();
    board.height = 30.0f;  // the tabs reach well below the rib
    board.sparStyle = 1;
    window->document()->applyProperties(board);
    runWingProperties(f, [](dialogs::WingDialog& d) {
        setBox(d, "span", "600");
        setBox(d, "rootChord", "400");  // twice as long as an A4 portrait page is wide
        setBox(d, "tipChord", "150");
        d.findChild<QSpinBox*>("ribCount")->setValue(5);
        setBox(d, "washout", "1.5");
    }, true);
    const wing::RibSet& set = window->ribSet();
    QCOMPARE(set.ribs.size(), std::size_t(5));
    QCOMPARE(set.tabProblem, std::string());
    const wing::WingSide side = window->wing()->panel.side;
    const std::string name = window->document()->getName().value_or(std::string());

    // Through File > Print's job, to a PDF on A4 portrait: the page stays as chosen.
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QString pdf = f.scratch.filePath("ribs.pdf");
    printer.setOutputFileName(pdf);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    QVERIFY(runRibSetPrintCommand(set, side, name, f.frame.get(), printer));
    QVERIFY(f.dialogs.messages.empty());

    const PageMetrics page = pageMetrics(printer);
    const RibSetPrint print = layoutRibSet(set, side, name, page.ppiX, page.ppiY, page.width, page.height);
    expectNothingClipped(print, set, side, name, page.ppiX, page.width, page.height);
    if (QTest::currentTestFailed()) return;
    QVERIFY(print.pages > 5);  // the long ribs take more than one page each
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished(10000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(text.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(print.pages))), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("Page size:\\s+595 x 842")), qPrintable(text));
    // Every page's label is in the file, once; the root rib's first page as it reads.
    QProcess words;
    words.start("pdftotext", {pdf, "-"});
    words.waitForFinished(10000);
    const QString printed = QString::fromUtf8(words.readAllStandardOutput()).simplified();
    QVERIFY(printed.contains("CLARK Y AIRFOIL R1 L, R chord 400.00 mm page 1 of 3"));
    for (std::size_t r = 0; r < set.ribs.size(); ++r) {
        const int count = print.ribs[r].layout.pageCount();
        for (int k = 1; k <= count; ++k) {
            const QString label =
                QString::fromStdString(ownPageLabelText(ribPageLabel(set.ribs[r], side, name), k, count)).simplified();
            QVERIFY2(printed.count(label) == 1, qPrintable(label));
        }
    }

    // The same invariants on other pages and resolutions, down to strips
    // where the tabs alone reach past the chord line's half of the page.
    for (const auto& [ppi, widthMm, heightMm] :
         {std::tuple{300, 197.3, 284.3}, std::tuple{600, 284.3, 197.3}, std::tuple{600, 135.3, 197.3},
          std::tuple{1200, 203.2, 266.7}, std::tuple{600, 250.0, 55.0}, std::tuple{300, 160.0, 45.0}}) {
        const int w = static_cast<int>(widthMm / 25.4 * ppi);
        const int h = static_cast<int>(heightMm / 25.4 * ppi);
        expectNothingClipped(layoutRibSet(set, side, name, ppi, ppi, w, h), set, side, name, ppi, w, h);
        if (QTest::currentTestFailed()) return;
    }

    // Print Preview with the wing shows exactly the pages its printer would get.
    int previewed = -1;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>()) previewed = widget->pageCount();
        dialog->reject();
    });
    f.frame->handleCommand(kCmdFilePrintPreview);
    const PageMetrics framePage = pageMetrics(f.frame->printer());
    QCOMPARE(previewed,
             layoutRibSet(set, side, name, framePage.ppiX, framePage.ppiY, framePage.width, framePage.height).pages);
    QVERIFY(previewed > 5);

    // A set with a rib that would need more pages than any print may have
    // (a mistake in the chord): told, nothing sent.
    wing::WingPanel huge = window->wing()->panel;
    huge.rootChord = 9000;
    huge.tipChord = 150;
    const wing::RibSet hugeSet = wing::buildRibSet(huge, board, window->document()->points());
    QCOMPARE(hugeSet.error, std::string());
    const QString refused = f.scratch.filePath("huge.pdf");
    printer.setOutputFileName(refused);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    QVERIFY(runRibSetPrintCommand(hugeSet, side, name, f.frame.get(), printer));
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QVERIFY(f.dialogs.messages[0].text.find("Nothing was printed") != std::string::npos);
    QVERIFY(!QFile::exists(refused));
    // Many ribs of a sound chord may take more pages in all than one rib may.
    wing::WingPanel many = window->wing()->panel;
    many.ribCount = 120;
    const RibSetPrint manyPages = layoutRibSet(wing::buildRibSet(many, board, window->document()->points()), side,
                                               name, framePage.ppiX, framePage.ppiY, framePage.width, framePage.height);
    QCOMPARE(manyPages.status, PrintLayoutStatus::Ready);
    QVERIFY(manyPages.pages > kMaxPrintPages);
}

void WingTest::smallRibsShareA4LandscapePages() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    wing::WingPanel panel;
    panel.rootChord = 200.0;
    panel.tipChord = 120.0;
    panel.ribCount = 9;
    const wing::RibSet set = wing::buildRibSet(panel, window->document()->properties(), window->document()->points());
    QCOMPARE(set.error, std::string());
    QCOMPARE(set.ribs.size(), std::size_t(9));
    // A4 landscape's printable area at several resolutions.
    for (const int ppi : {300, 600, 1200}) {
        const int w = static_cast<int>(284.3 / 25.4 * ppi);
        const int h = static_cast<int>(197.3 / 25.4 * ppi);
        const RibSetPrint print = layoutRibSet(set, panel.side, "CLARK Y", ppi, ppi, w, h);
        QCOMPARE(print.status, PrintLayoutStatus::Ready);
        QVERIFY2(print.pages < 9, qPrintable(QString::number(print.pages)));
        expectEveryRibWholeOrTiled(print, ppi, h);
        if (QTest::currentTestFailed()) return;
        // True scale: each rib spans at least its chord in device pixels, and
        // not much more (guide lines and tabs).
        for (std::size_t r = 0; r < set.ribs.size(); ++r) {
            const platform::Rect& drawn = print.ribs[r].layout.rib;
            const double chordPixels = set.ribs[r].properties.chord / 25.4 * ppi;
            QVERIFY(drawn.right - drawn.left + 1 >= chordPixels - 2);
            QVERIFY(drawn.right - drawn.left + 1 <= chordPixels * 1.15);
        }
    }
}

void WingTest::savedWingReopensWithTheSameRibs() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    runWingProperties(f, [](dialogs::WingDialog& d) {
        setBox(d, "span", "612.5");
        setBox(d, "rootChord", "171.3");
        setBox(d, "tipChord", "104.9");
        d.findChild<QSpinBox*>("ribCount")->setValue(6);
        setBox(d, "sweep", "23.7");
        setBox(d, "tipAirfoil", QString::fromStdString(airfoilPath("asb__naca2412.dat")));
    }, true);
    QCOMPARE(window->ribSet().ribs.size(), std::size_t(6));
    QVERIFY(window->isWindowModified());  // the wing is a change to save
    std::vector<std::string> before;
    for (const wing::WingRib& rib : window->ribSet().ribs) before.push_back(wing::ribDrawing(rib).text());

    const std::string path = f.scratch.filePath("panel.parvelin").toStdString();
    f.dialogs.saveAnswers.push_back(path);
    f.frame->handleCommand(kCmdFileSave);
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->close());
    QCoreApplication::processEvents();

    f.open(path);
    DocumentWindow* reopened = f.frame->activeChild();
    QVERIFY(reopened != nullptr && reopened != window);
    QVERIFY(reopened->wing().has_value());
    QVERIFY(!reopened->isWindowModified());
    QVERIFY(reopened->wingPane()->isVisible());
    QCOMPARE(reopened->wingPane()->strip()->count(), 6);
    std::vector<std::string> after;
    for (const wing::WingRib& rib : reopened->ribSet().ribs) after.push_back(wing::ribDrawing(rib).text());
    QVERIFY(after == before);

    // Clearing the wing is a change too.
    reopened->setWing(std::nullopt);
    QVERIFY(reopened->isWindowModified());
    QVERIFY(!reopened->wingPane()->isVisible());
}

void WingTest::tabGoesThroughTheBoxesTopToBottom() {
    // The order the Tab key reaches the boxes: row by row, the two ways of
    // giving the ribs before their boxes, the spar's ends before its choice.
    const QStringList expected{"span",     "rootChord",   "tipChord",  "byCount",          "bySpacing",
                               "ribCount", "spacing",     "sweep",     "sparRoot",         "sparTip",
                               "sparPercent", "sparFixed", "tipAirfoil", "browseTipAirfoil", "libraryTipAirfoil",
                               "washout",  "side"};
    dialogs::WingDialog d(dialogs::defaultWingSettings(kDefaultRibProperties), kDefaultRibProperties, nullptr);
    QStringList order;
    QWidget* w = &d;
    do {
        w = w->nextInFocusChain();
        if (expected.contains(w->objectName())) order << w->objectName();
    } while (w != &d);
    QCOMPARE(order, expected);
}

QTEST_MAIN(WingTest)
#include "tst_wing.moc"
