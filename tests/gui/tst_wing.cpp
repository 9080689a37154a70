// Properties > Wing Properties from the frame: the dialog, the rib strip and
// the plan view under the document's rib, the General page's washout.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>

#include "FrameFixture.h"
#include "app/WingPane.h"
#include "app/print/RibSetPages.h"
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
    void printPutsEveryRibOnItsOwnPage();
    void savedWingReopensWithTheSameRibs();
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
    QCOMPARE(strip->item(0)->text(), QString("R1\n180.0 mm"));
    QCOMPARE(strip->item(6)->text(), QString("R7\n120.0 mm"));
    // The tip's washout is the document's washout, shown on the General page.
    QCOMPARE(window->document()->properties().washout, 2.0f);
    QCOMPARE(window->ribSet().ribs.back().station.washout, 2.0);
    QCOMPARE(window->ribSet().ribs.back().tabs.size(), std::size_t(2));

    // Picking a rib shows it: its own chord and section, the window's title kept.
    const QString title = window->windowTitle();
    strip->setCurrentRow(3);
    QCOMPARE(window->selectedRib(), 3);
    QCOMPARE(window->shownDocument()->properties().chord, 150.0f);
    QCOMPARE(window->shownDocument()->points().size(), window->ribSet().ribs[3].points.size());
    QCOMPARE(window->windowTitle(), title);
    f.frame->handleCommand(kCmdViewChordline);
    QVERIFY(!window->shownDocument()->showChordLine());

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
                                                  wing::SheetSize{}, wing::partGap(0.0, true));
    QCOMPARE(nesting.error, std::string());
    for (int round = 0; round < 2; ++round) {
        f.dialogs.saveAnswers.push_back(f.scratch.filePath("CUT.DXF").toStdString());
        f.frame->handleCommand(kCmdFileExportCut);
        QCOMPARE(f.dialogs.messages.size(), std::size_t(round));
    }
    QVERIFY(f.dialogs.messages.back().text.find("already exists") != std::string::npos);
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        QFile sheet(f.scratch.filePath(QString("CUT-sheet-%1.DXF").arg(s + 1)));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QCOMPARE(sheet.readAll().toStdString(), wing::sheetDxf(nesting.sheets[s], true));
    }
    QVERIFY(!QFile::exists(f.scratch.filePath(QString("CUT-sheet-%1.DXF").arg(nesting.sheets.size() + 1))));

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

void WingTest::printPutsEveryRibOnItsOwnPage() {
    wing::WingPanel panel;
    panel.ribCount = 6;
    panel.rootChord = 250;  // wider than a portrait page: the job turns landscape
    RibProperties p = kDefaultRibProperties;
    p.height = 10.0f;
    const CoordinateFileContents contents = readCoordinateFile(airfoilPath("asb__clarky.dat"));
    std::vector<AirfoilPoint> points;
    for (const CoordinatePair& c : contents.drawingOrder) points.push_back(AirfoilPoint{c.x, c.y});
    const wing::RibSet set = wing::buildRibSet(panel, p, points);
    QCOMPARE(set.error, std::string());

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = folder.filePath("ribs.pdf");
    printer.setOutputFileName(pdf);
    QWidget frame;
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    QVERIFY(app::runRibSetPrintCommand(set, wing::WingSide::Both, "CLARK Y", &frame, printer));
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished(10000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(text.contains(QRegularExpression("Pages:\\s+6\\n")), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("Page size:\\s+842 x 595")), qPrintable(text));  // A4 landscape, in points
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

QTEST_MAIN(WingTest)
#include "tst_wing.moc"
