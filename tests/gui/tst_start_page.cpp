// SPDX-License-Identifier: GPL-3.0-or-later
// The start page and the sample designs: what a first start shows, the
// recent files one click away, the samples opening as copies, and the wing
// sample showing its rib strip and plan as `parvelin SAMPLE` shows it.
#include <QAbstractButton>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolBar>
#include <set>

#include "FrameFixture.h"
#include "app/Samples.h"
#include "app/StartPage.h"
#include "app/WingPane.h"
#include "model/CoordinateFile.h"
#include "wing/RibSet.h"
#include "wing/WingDesign.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;

namespace {

QStringList pathsOf(const QList<QWidget*>& buttons) {
    QStringList paths;
    for (const QWidget* button : buttons) paths << button->property("path").toString();
    return paths;
}

void click(QWidget* button) {
    auto* clickable = qobject_cast<QAbstractButton*>(button);
    QVERIFY(clickable != nullptr);
    clickable->click();
}

bool pageShown(const FrameFixture& f) { return f.frame->startPage()->isVisibleTo(f.frame.get()); }

// Distinct colours in a widget's picture: a drawn pane has many, an empty one few.
int coloursIn(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace

class StartPageTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsThePageAndNoDocument();
    void recentFilesAreListedNewestFirstAndOpenWithOneClick();
    void aCancelledOpenLeavesThePageUp();
    void sampleWingOpensWithItsRibStripAndPlan();
    void runWithTheSampleShowsTheWing();
    void everySampleBuildsAndMatchesItsAirfoilFiles();
    void gettingStartedOpensItsPageWithEveryPicture();
    void withNoWindowTheDocumentItemsAreGreyAndCloseBringsThePageBack();
    void theToolbarHoldsTheMenuActionsAndTheStandardKeysWork();
};

void StartPageTest::firstStartShowsThePageAndNoDocument() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(pageShown(f));
    // The page covers the window area.
    QCOMPARE(f.frame->startPage()->geometry(), f.frame->mdiArea()->viewport()->rect());
    // Both samples, the wing first, each a button that opens it.
    const QStringList samples = pathsOf(f.frame->startPage()->sampleButtons());
    QCOMPARE(samples.size(), 2);
    QCOMPARE(samples.front(), sampleWingPath());
    for (const QString& path : samples) QVERIFY2(QFile::exists(path), qPrintable(path));
    QVERIFY(f.frame->startPage()->recentButtons().isEmpty());
}

void StartPageTest::recentFilesAreListedNewestFirstAndOpenWithOneClick() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    const QString first = QString::fromStdString(f.write("first.dat", testing::kDiamondAirfoil));
    const QString second = QString::fromStdString(f.write("second.dat", testing::kDiamondAirfoil));
    f.frame->addRecentFile(first);
    f.frame->addRecentFile(second);
    f.frame->updateMenus();
    QCOMPARE(pathsOf(f.frame->startPage()->recentButtons()), (QStringList{second, first}));
    QCOMPARE(pathsOf(f.frame->startPage()->recentButtons()), f.frame->recentFiles());

    // One click opens the file; the page goes away.
    click(f.frame->startPage()->recentButtons().back());
    QCOMPARE(f.frame->documentWindows().size(), 1);
    QVERIFY(f.frame->currentDocument()->isLoaded());
    QVERIFY(!pageShown(f));

    // Closing the last document brings the page back, the opened file now first.
    f.frame->documentWindows().front()->close();
    QApplication::processEvents();
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(pageShown(f));
    QCOMPARE(pathsOf(f.frame->startPage()->recentButtons()), (QStringList{first, second}));

    // A listed file that has gone leaves no empty window behind.
    QFile::remove(second);
    click(f.frame->startPage()->recentButtons().back());
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(pageShown(f));
}

void StartPageTest::aCancelledOpenLeavesThePageUp() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    click(f.frame->startPage()->openButton());
    QCOMPARE(f.dialogs.openSettings.size(), size_t{1});
    QApplication::processEvents();
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(pageShown(f));

    // Chosen in the dialog, the file opens.
    f.dialogs.openAnswers.push_back(f.write("rib.dat", testing::kDiamondAirfoil));
    click(f.frame->startPage()->openButton());
    QCOMPARE(f.frame->documentWindows().size(), 1);
    QVERIFY(!pageShown(f));
}

void StartPageTest::sampleWingOpensWithItsRibStripAndPlan() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    click(f.frame->startPage()->sampleButtons().front());
    QCOMPARE(f.frame->documentWindows().size(), 1);
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(window->wing().has_value());
    const wing::RibSet& set = window->ribSet();
    QVERIFY2(set.error.empty(), set.error.c_str());
    QCOMPARE(window->wingPane()->strip()->count(), static_cast<int>(set.ribs.size()));
    QVERIFY(!pageShown(f));
    // Listed as a recent file, but opened as a copy: Save asks for a name.
    QCOMPARE(f.frame->recentFiles().front(), sampleWingPath());
    f.dialogs.saveAnswers.push_back(std::nullopt);
    window->save();
    QCOMPARE(f.dialogs.saveSettings.size(), size_t{1});
}

void StartPageTest::runWithTheSampleShowsTheWing() {
    // What main() does with a file on the command line.
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    f.frame->openPath(sampleWingPath());
    QApplication::processEvents();
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(window != nullptr);
    QVERIFY(!pageShown(f));
    WingPane* pane = window->wingPane();
    QVERIFY(pane->isVisibleTo(window));
    QCOMPARE(pane->strip()->count(), 9);
    QVERIFY(pane->strip()->item(0)->text().startsWith(QStringLiteral("R1")));
    QVERIFY(pane->plan()->isVisibleTo(window));
    QVERIFY(pane->plan()->height() > 40);
    // The plan is drawn (edges, rib stations, spar); the status bar gives the root chord.
    QVERIFY2(coloursIn(pane->plan()) > 2, "the plan view is blank");
    QVERIFY2(f.frame->airfoilLabel()->text().contains(QStringLiteral("chord 200.00 mm")), qPrintable(f.frame->airfoilLabel()->text()));
}

void StartPageTest::everySampleBuildsAndMatchesItsAirfoilFiles() {
    // Each sample's sections are the coordinate files beside it, point for
    // point, and every rib of the wing builds with its tabs.
    const QString folder = samplesFolder();
    QVERIFY(!folder.isEmpty());
    auto pointsOfFile = [&](const char* name) {
        return readCoordinateFile((folder + QLatin1Char('/') + QLatin1String(name)).toStdString()).drawingOrder;
    };
    const auto naca4412 = pointsOfFile("naca4412.dat");
    const auto naca2412 = pointsOfFile("naca2412.dat");
    QCOMPARE(naca4412.size(), size_t{121});
    QCOMPARE(naca2412.size(), size_t{121});
    for (const Sample& sample : samples()) {
        const wing::WingDesignRead read = wing::readDesignWithWing(sample.path.toStdString());
        QVERIFY2(read.rib.loaded, qPrintable(sample.path + QStringLiteral(": ") + QString::fromStdString(read.rib.error)));
        const auto& points = read.rib.design.points;
        QCOMPARE(points.size(), naca4412.size());
        for (size_t i = 0; i < points.size(); ++i) {
            QCOMPARE(points[i].modelX, naca4412[i].modelX);
            QCOMPARE(points[i].modelY, naca4412[i].modelY);
        }
        if (!read.wing) continue;
        QCOMPARE(read.wing->tipPoints.size(), naca2412.size());
        for (size_t i = 0; i < naca2412.size(); ++i) QCOMPARE(read.wing->tipPoints[i].modelY, naca2412[i].modelY);
    }
}

void StartPageTest::gettingStartedOpensItsPageWithEveryPicture() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    f.frame->handleCommand(kCmdHelpGettingStarted);
    auto* help = qobject_cast<QTextBrowser*>(f.frame->helpWindow());
    QVERIFY(help != nullptr);
    QVERIFY(help->source().toLocalFile().endsWith(QStringLiteral("/getting-started.html")));
    QCOMPARE(help->documentTitle(), QStringLiteral("Getting started with Parvelin"));
    // Every picture the page shows is there (scripts/screenshots.sh makes them).
    QFile page(help->source().toLocalFile());
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    const QDir folder = QFileInfo(page.fileName()).dir();
    int pictures = 0;
    for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("<img src=\"([^\"]+)\"")).globalMatch(html)) {
        QVERIFY2(QImage(folder.filePath(m.captured(1))).width() > 100, qPrintable(m.captured(1)));
        ++pictures;
    }
    QCOMPARE(pictures, 5);
    // Contents goes back to the manual's first page in the same window.
    f.frame->handleCommand(kCmdHelpContents);
    QCOMPARE(f.frame->helpWindow(), static_cast<QWidget*>(help));
    QVERIFY(help->source().toLocalFile().endsWith(QStringLiteral("/index.html")));
}

void StartPageTest::withNoWindowTheDocumentItemsAreGreyAndCloseBringsThePageBack() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    const QList<int> needWindow{kCmdFileClose,      kCmdFileSave,         kCmdFileSaveAs,   kCmdFilePrintPreview,
                                kCmdFilePrint,      kCmdFileExport,       kCmdFileExportCut, kCmdAirfoilProperties,
                                kCmdWingProperties, kCmdViewChordline,    kCmdViewFitToWindow, kCmdEditCopy,
                                kCmdWindowTile,     kCmdWindowCloseAll};
    const QList<int> always{kCmdFileNew, kCmdFileOpen, kCmdFileImport, kCmdFileExit, kCmdHelpAbout, kCmdHelpContents,
                            kCmdHelpGettingStarted};
    auto check = [&](bool windowOpen) {
        for (int id : needWindow)
            QVERIFY2(f.frame->action(id)->isEnabled() == windowOpen, qPrintable(QString::number(id)));
        for (int id : always) QVERIFY2(f.frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
    };
    check(false);
    f.open(testing::airfoilPath("asb__e387.dat"));
    QCOMPARE(f.frame->documentWindows().size(), 1);
    check(true);
    // File > Close takes the window; the page and the grey items come back.
    f.frame->action(kCmdFileClose)->trigger();
    QApplication::processEvents();
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(pageShown(f));
    check(false);
    QVERIFY(f.dialogs.messages.empty());
}

void StartPageTest::theToolbarHoldsTheMenuActionsAndTheStandardKeysWork() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    auto* bar = f.frame->findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    QVERIFY(bar != nullptr);
    QList<QAction*> buttons;
    for (QAction* a : bar->actions())
        if (!a->isSeparator()) buttons << a;
    QList<QAction*> expected;
    for (int id : {kCmdFileOpen, kCmdFileSave, kCmdFilePrint, kCmdFileExportCut, kCmdEditUndo, kCmdEditRedo,
                   kCmdViewFitToWindow, kCmdAirfoilProperties})
        expected << f.frame->action(id);
    QCOMPARE(buttons, expected);
    for (QAction* a : buttons) QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));

    // The standard keys are the items' own, shown in the menu.
    QCOMPARE(f.frame->action(kCmdFileOpen)->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(f.frame->action(kCmdFilePrint)->shortcut(), QKeySequence(QKeySequence::Print));
    QCOMPARE(f.frame->action(kCmdFileSave)->shortcut(), QKeySequence(QKeySequence::Save));

    f.open(testing::airfoilPath("asb__e387.dat"));
    f.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
    QSignalSpy commands(f.frame.get(), &FrameWindow::commandReceived);
    // Ctrl+S, which the accelerator table binds too, saves once (the first
    // Save of a coordinate file asks for a name: cancelled here); Close's
    // key, shown in the menu, closes the window (the window's own key);
    // Ctrl+O then asks for a file.
    f.dialogs.saveAnswers.push_back(std::nullopt);
    QTest::keyClick(f.frame.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.dialogs.saveSettings.size(), size_t{1});
    QVERIFY(f.frame->action(kCmdFileClose)->isEnabled());
    QTest::keySequence(f.frame.get(), f.frame->action(kCmdFileClose)->shortcut());
    QApplication::processEvents();
    QVERIFY(f.frame->documentWindows().isEmpty());
    QTest::keyClick(f.frame.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.dialogs.openSettings.size(), size_t{2});
    QList<int> received;
    for (const QList<QVariant>& c : commands) received << c[0].toInt();
    QCOMPARE(received.mid(0, 2), (QList<int>{kCmdFileSave, kCmdFileOpen}));
}

QTEST_MAIN(StartPageTest)
#include "tst_start_page.moc"
