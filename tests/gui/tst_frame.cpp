// SPDX-License-Identifier: GPL-3.0-or-later
// The frame and its document windows: start-up, Open, the current document,
// closing, and the Window menu.
#include <QAction>
#include <QApplication>
#include <QAbstractButton>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QScreen>
#include <QStatusBar>
#include <QLabel>
#include <QSet>

#include <QWindow>

#include "FrameFixture.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithNoWindowThenNewGivesOneEmptyUntitledWindow();
    void namesBecomeTitlesAsTheyStand();
    void openLoadsIntoTheEmptyWindowThenIntoANewOne();
    void cancelledOpenLeavesNoWindow();
    void theSameFileOpensOnceAndTitlesTellFilesApart();
    void refusedFileLeavesTheWindowEmptyAndSaysWhy();
    void currentDocumentFollowsActivation();
    void tileAndCascadeKeepTheCurrentDocument();
    void closeAllLeavesNoCurrentDocument();
    void openWithNoWindowMakesOne();
    void modifiedWindowCanRefuseCloseAll();
    void exitClosesEveryWindow();
    void windowMenuListsAndActivatesWindows();
    void arrangeIconsLinesUpMinimisedWindows();
    void pathFromTheCommandLineOpensLikeOpen();
    void frameStaysInTheWorkAreaAndRemembersItsPlace();
};

void FrameTest::startsWithNoWindowThenNewGivesOneEmptyUntitledWindow() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    QCOMPARE(f.frame->windowTitle(), QStringLiteral("Parvelin"));
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(f.frame->currentDocument() == nullptr);
    f.frame->handleCommand(kCmdFileNew);
    const QList<DocumentWindow*> windows = f.frame->documentWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(shownTitle(windows[0]), QStringLiteral("Untitled"));
    QCOMPARE(f.frame->activeChild(), windows[0]);
    QVERIFY(f.frame->currentDocument() != nullptr);
    QVERIFY(!f.frame->currentDocument()->isLoaded());

    // New enabled five items (the three View toggles and Import
    // too); the rest keep their initial state, and the Edit items have
    // nothing to act on.
    for (int id : {kCmdFileNew, kCmdFileOpen, kCmdFileImport, kCmdFileSave, kCmdFileSaveAs, kCmdFilePrintPreview,
                   kCmdFilePrint, kCmdFileExport, kCmdFileExit, kCmdAirfoilProperties, kCmdViewChordline,
                   kCmdViewEdgeLines, kCmdViewCamberline, kCmdWindowTile, kCmdHelpAbout, kCmdHelpContents})
        QVERIFY2(f.frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int id : {kCmdWingProperties, kCmdView3dPreview, kCmdViewFitToWindow, kCmdEditUndo, kCmdEditRedo,
                   kCmdEditCopy})
        QVERIFY2(!f.frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
    QVERIFY(f.frame->action(kCmdViewChordline)->isChecked());
    QVERIFY(f.frame->action(kCmdViewEdgeLines)->isChecked());
    QVERIFY(!f.frame->action(kCmdViewCamberline)->isChecked());
    QVERIFY(f.dialogs.messages.empty());
}

void FrameTest::openLoadsIntoTheEmptyWindowThenIntoANewOne() {
    FrameFixture f;
    DocumentWindow* first = f.frame->activeChild();
    f.open(airfoilPath("asb__e387.dat"));
    QCOMPARE(f.dialogs.openSettings.size(), size_t(1));
    QCOMPARE(f.dialogs.openSettings[0].title, std::string("Open Airfoil Coordinate File"));
    QCOMPARE(f.frame->documentWindows().size(), 1);
    QCOMPARE(f.frame->activeChild(), first);
    QVERIFY(first->document()->isLoaded());
    QCOMPARE(shownTitle(first), QStringLiteral("asb__e387.dat"));
    // The chosen file's folder is now the current one.
    QCOMPARE(QDir::currentPath(), QDir(PARVELIN_AIRFOIL_DIR).canonicalPath());

    f.open(airfoilPath("asb__naca2412.dat"));
    const QList<DocumentWindow*> windows = f.frame->documentWindows();
    QCOMPARE(windows.size(), 2);
    QCOMPARE(windows[0], first);
    QCOMPARE(shownTitle(first), QStringLiteral("asb__e387.dat"));
    DocumentWindow* second = windows[1];
    QCOMPARE(f.frame->activeChild(), second);
    QCOMPARE(f.frame->currentDocument(), second->document());
    QVERIFY(second->document()->isLoaded());
    QCOMPARE(shownTitle(second), QStringLiteral("asb__naca2412.dat"));
    // The airfoil's own name is in the status bar.
    QVERIFY(f.frame->airfoilLabel()->text().startsWith(QStringLiteral("NAca 2412")));
    QVERIFY(f.dialogs.messages.empty());
}

void FrameTest::cancelledOpenLeavesNoWindow() {
    // From the start page and beside an open file, a cancelled Open makes no window.
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    f.frame->handleCommand(kCmdFileOpen);
    QVERIFY(f.frame->documentWindows().isEmpty());
    f.open(airfoilPath("asb__e387.dat"));
    f.frame->handleCommand(kCmdFileOpen);  // the dialog is cancelled
    QCOMPARE(f.dialogs.openSettings.size(), size_t(3));
    QCOMPARE(f.frame->documentWindows().size(), 1);
    QVERIFY(f.frame->currentDocument()->isLoaded());
    // Open lists airfoils and rib designs together first.
    const platform::FileDialogSettings& s = f.dialogs.openSettings.back();
    QCOMPARE(s.filters.front().pattern, std::string("*.DAT;*.parvelin"));
    QVERIFY(s.initialFileName.empty());
}

void FrameTest::theSameFileOpensOnceAndTitlesTellFilesApart() {
    FrameFixture f;
    // Two files of one airfoil name, and a copy of one in another folder.
    const std::string text = std::string("CLARK Y AIRFOIL\r\n") + "1.0 0.0\r\n0.5 0.1\r\n0.0 0.0\r\n0.5 -0.1\r\n1.0 0.0\r\n";
    const std::string first = f.write("clarky-a.dat", text);
    const std::string second = f.write("clarky-b.dat", text);
    QDir(f.scratch.path()).mkdir(QStringLiteral("copy"));
    const std::string copy = f.write("copy/clarky-a.dat", text);
    for (const std::string& path : {first, second, copy}) f.open(path);
    QList<DocumentWindow*> windows = f.frame->documentWindows();
    QCOMPARE(windows.size(), 3);
    QStringList titles;
    for (DocumentWindow* w : windows) titles << shownTitle(w);
    QCOMPARE(titles[1], QStringLiteral("clarky-b.dat"));
    QVERIFY(titles[0].startsWith(QStringLiteral("clarky-a.dat (")));
    QVERIFY(titles[2].startsWith(QStringLiteral("clarky-a.dat (")));
    QVERIFY(titles[2].contains(QStringLiteral("copy")));
    QCOMPARE(QSet<QString>(titles.begin(), titles.end()).size(), 3);
    // The status bar names the airfoil.
    QVERIFY(f.frame->airfoilLabel()->text().startsWith(QStringLiteral("CLARK Y AIRFOIL")));

    // Opening any of them again, by Open, by path or by another spelling of
    // the path, activates its window: no window is added.
    int opens = 0;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 3; ++i) {
            const std::string path = i == 0 ? f.scratch.filePath("copy/../clarky-a.dat").toStdString()
                                            : (i == 1 ? second : copy);
            if (round == 0) f.open(path); else f.frame->openPath(QString::fromStdString(path));
            ++opens;
            QCOMPARE(f.frame->documentWindows().size(), 3);
            QCOMPARE(f.frame->activeChild(), windows[i]);
        }
    QCOMPARE(opens, 6);
    QVERIFY(f.dialogs.messages.empty());

    // The close question names the document.
    windows[1]->setModified(true);
    QString question;
    QTimer::singleShot(0, [&question] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        question = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    windows[1]->close();
    QCOMPARE(question, QStringLiteral("Do you want to save the changes to clarky-b.dat?"));
}

void FrameTest::refusedFileLeavesTheWindowEmptyAndSaysWhy() {
    FrameFixture f;
    f.open(f.write("empty.dat", "JUST A NAME\r\n"));
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kMessageNoCoordinates));
    QCOMPARE(f.dialogs.messages[0].icon, platform::MessageIcon::Error);
    QVERIFY(f.dialogs.messages[0].owner == nullptr);
    QCOMPARE(f.frame->documentWindows().size(), 1);
    QCOMPARE(shownTitle(f.frame->activeChild()), QStringLiteral("Untitled"));
    QVERIFY(!f.frame->currentDocument()->isLoaded());
}

void FrameTest::currentDocumentFollowsActivation() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    f.open(airfoilPath("asb__naca2412.dat"));
    const QList<DocumentWindow*> windows = f.frame->documentWindows();
    QAction* chord = f.frame->action(kCmdViewChordline);
    QAction* edges = f.frame->action(kCmdViewEdgeLines);

    // The second window hides its chord line; the first keeps both.
    f.frame->handleCommand(kCmdViewChordline);
    QVERIFY(!windows[1]->document()->showChordLine());
    QVERIFY(!chord->isChecked());

    f.frame->mdiArea()->setActiveSubWindow(windows[0]);
    QCOMPARE(f.frame->activeChild(), windows[0]);
    QCOMPARE(f.frame->currentDocument(), windows[0]->document());
    QVERIFY(chord->isChecked());
    QVERIFY(edges->isChecked());

    // Commands act on the document that is now current.
    f.frame->handleCommand(kCmdViewEdgeLines);
    QVERIFY(!windows[0]->document()->showEdgeLines());
    QVERIFY(windows[1]->document()->showEdgeLines());

    f.frame->mdiArea()->setActiveSubWindow(windows[1]);
    QCOMPARE(f.frame->currentDocument(), windows[1]->document());
    QVERIFY(!chord->isChecked());
    QVERIFY(edges->isChecked());
}

void FrameTest::tileAndCascadeKeepTheCurrentDocument() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    f.open(airfoilPath("asb__naca2412.dat"));
    const QList<DocumentWindow*> windows = f.frame->documentWindows();
    AirfoilDocument* current = f.frame->currentDocument();

    f.frame->handleCommand(kCmdWindowTile);
    QCOMPARE(f.frame->currentDocument(), current);
    QVERIFY(!windows[0]->geometry().intersects(windows[1]->geometry()));
    // Tiling refits: each airfoil spans its own window's client width.
    for (DocumentWindow* w : windows)
        QCOMPARE(w->screen().points(w->document()->rib()).front().x, w->view()->width() - 25);

    f.frame->handleCommand(kCmdWindowCascade);
    QCOMPARE(f.frame->currentDocument(), current);
    // The active window is in front, below and right of the other, whose
    // title bar stays uncovered.
    QVERIFY(windows[1]->geometry().top() > windows[0]->geometry().top());
    QVERIFY(windows[1]->geometry().left() > windows[0]->geometry().left());
    QCOMPARE(f.frame->mdiArea()->subWindowList(QMdiArea::StackingOrder).back(), windows[1]);
}

void FrameTest::closeAllLeavesNoCurrentDocument() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    f.open(airfoilPath("asb__naca2412.dat"));
    QPointer<DocumentWindow> first = f.frame->documentWindows()[0];

    f.frame->handleCommand(kCmdWindowCloseAll);
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(f.frame->activeChild() == nullptr);
    QVERIFY(f.frame->currentDocument() == nullptr);
    QVERIFY(f.frame->mdiArea()->isVisible());
    QTRY_VERIFY(first.isNull());  // deleted once the event loop runs

    // Commands that need a document say so, in boxes that belong to no window.
    f.frame->handleCommand(kCmdFileExport);
    f.frame->handleCommand(kCmdAirfoilProperties);
    f.frame->handleCommand(kCmdViewChordline);
    f.frame->handleCommand(kCmdFilePrint);
    f.frame->handleCommand(kCmdFilePrintPreview);
    QCOMPARE(f.dialogs.messages.size(), size_t(4));
    QCOMPARE(f.dialogs.messages[0].caption, std::string("Export Dialog"));
    QCOMPARE(f.dialogs.messages[0].text, std::string("You need to create or open an airfoil to\nexport the selected airfoil."));
    QCOMPARE(f.dialogs.messages[0].icon, platform::MessageIcon::Warning);
    QVERIFY(f.dialogs.messages[0].owner == nullptr);
    QCOMPARE(f.dialogs.messages[1].caption, std::string("Properties Dialog"));
    QCOMPARE(f.dialogs.messages[1].text, std::string("You need to create or open an airfoil to\ndisplay the Properties dialog."));
    QVERIFY(f.dialogs.messages[1].owner == nullptr);
    for (std::size_t i : {2u, 3u}) {
        QCOMPARE(f.dialogs.messages[i].text, std::string("You need to create or open an airfoil to\nprint the selected airfoil."));
        QCOMPARE(f.dialogs.messages[i].icon, platform::MessageIcon::Warning);
        QVERIFY(f.dialogs.messages[i].owner == nullptr);
    }
    QCOMPARE(f.dialogs.messages[2].caption, std::string("Print Dialog"));
    QCOMPARE(f.dialogs.messages[3].caption, std::string("Print Preview Dialog"));
    // With no window the items are grey: the commands above reach the
    // handler only when sent directly, and then say why they cannot act.
    for (int id : {kCmdFileExport, kCmdFileExportCut, kCmdFilePrint, kCmdFilePrintPreview, kCmdFileSave,
                   kCmdAirfoilProperties})
        QVERIFY2(!f.frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
}

void FrameTest::openWithNoWindowMakesOne() {
    FrameFixture f;
    f.frame->handleCommand(kCmdWindowCloseAll);
    QVERIFY(f.frame->currentDocument() == nullptr);
    f.open(airfoilPath("asb__e387.dat"));
    QCOMPARE(f.frame->documentWindows().size(), 1);
    QVERIFY(f.frame->currentDocument() != nullptr);
    QVERIFY(f.frame->currentDocument()->isLoaded());
    QCOMPARE(shownTitle(f.frame->activeChild()), QStringLiteral("asb__e387.dat"));
    QCOMPARE(f.dialogs.openSettings.size(), size_t(1));
}

void FrameTest::modifiedWindowCanRefuseCloseAll() {
    FrameFixture f;
    f.frame->handleCommand(kCmdFileNew);
    f.frame->documentWindows()[0]->setModified(true);

    QString question;
    auto answer = [&question](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&question, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            question = box->windowTitle() + "|" + box->text();
            box->button(button)->click();
        });
    };
    answer(QMessageBox::Cancel);
    f.frame->handleCommand(kCmdWindowCloseAll);
    QCOMPARE(question, QStringLiteral("Save|Do you want to save the changes to Untitled?"));
    QCOMPARE(f.frame->documentWindows().size(), 2);

    question.clear();
    answer(QMessageBox::Discard);
    f.frame->handleCommand(kCmdWindowCloseAll);
    QCOMPARE(question, QStringLiteral("Save|Do you want to save the changes to Untitled?"));
    QVERIFY(f.frame->documentWindows().isEmpty());
}

void FrameTest::exitClosesEveryWindow() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    f.open(airfoilPath("asb__naca2412.dat"));
    f.frame->handleCommand(kCmdFileNew);
    f.frame->handleCommand(kCmdFileExit);
    QVERIFY(!f.frame->isVisible());
    QVERIFY(f.frame->documentWindows().isEmpty());
    QVERIFY(f.frame->currentDocument() == nullptr);
    QVERIFY(f.dialogs.messages.empty());
}

void FrameTest::windowMenuListsAndActivatesWindows() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    f.open(airfoilPath("asb__naca2412.dat"));
    QCOMPARE(f.frame->windowMenu()->title(), QStringLiteral("&Window"));
    f.frame->refreshWindowList();
    const QList<QAction*> list = f.frame->windowListActions();
    QCOMPARE(list.size(), 3);  // a separator and two windows
    QVERIFY(list[0]->isSeparator());
    QCOMPARE(list[1]->text(), QStringLiteral("&1 asb__e387.dat"));
    QVERIFY(!list[1]->isChecked());
    QVERIFY(list[2]->isChecked());

    QSignalSpy commands(f.frame.get(), &FrameWindow::commandReceived);
    list[1]->trigger();
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands[0][0].toInt(), kFirstChildId);
    QCOMPARE(f.frame->activeChild(), f.frame->documentWindows()[0]);
    // An id past the list changes nothing.
    f.frame->handleCommand(kFirstChildId + 7);
    QCOMPARE(f.frame->activeChild(), f.frame->documentWindows()[0]);
}

void FrameTest::arrangeIconsLinesUpMinimisedWindows() {
    FrameFixture f;
    f.frame->handleCommand(kCmdFileNew);
    f.frame->handleCommand(kCmdFileNew);
    const QList<DocumentWindow*> windows = f.frame->documentWindows();
    windows[0]->showMinimized();
    windows[1]->showMinimized();
    windows[0]->move(300, 100);
    windows[1]->move(40, 60);
    f.frame->handleCommand(kCmdWindowArrangeIcons);
    const int bottom = f.frame->mdiArea()->viewport()->height();
    QCOMPARE(windows[0]->geometry().bottom() + 1, bottom);
    QCOMPARE(windows[1]->geometry().bottom() + 1, bottom);
    QCOMPARE(windows[0]->x(), 0);
    QCOMPARE(windows[1]->x(), windows[0]->width());
    QVERIFY(!windows[2]->isMinimized());
}

void FrameTest::pathFromTheCommandLineOpensLikeOpen() {
    FrameFixture f;
    f.frame->openPath(QString::fromStdString(airfoilPath("asb__e387.dat")));
    QCOMPARE(f.frame->documentWindows().size(), 1);
    QCOMPARE(shownTitle(f.frame->activeChild()), QStringLiteral("asb__e387.dat"));
    QCOMPARE(QDir::currentPath(), QDir(PARVELIN_AIRFOIL_DIR).canonicalPath());
    f.frame->openPath(QStringLiteral("asb__clarky.dat"));  // relative to the folder just entered
    QCOMPARE(f.frame->documentWindows().size(), 2);
    QVERIFY(f.frame->currentDocument()->isLoaded());
    // A path that is no airfoil file gets the reader's message; the window
    // made for it goes again.
    f.frame->openPath(QStringLiteral("/nonexistent/nothing.dat"));
    QCOMPARE(f.frame->documentWindows().size(), 2);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kMessageOpenFailed));
}

void FrameTest::namesBecomeTitlesAsTheyStand() {
    QCOMPARE(windowTitleFor("E387"), QStringLiteral("E387"));
    QCOMPARE(windowTitleFor("Fl\xC3\xBCgel 12\xC2\xB0"), QString::fromUtf8("Flügel 12°"));
    QCOMPARE(windowTitleFor("Fl\xFCgel 12\xB0"), QString::fromUtf8("Flügel 12°"));  // Latin-1 bytes
    // Shown as a window title, a name with "[*]" keeps it.
    QWidget shown;
    shown.setWindowTitle(windowTitleFor("RG [*] 15"));
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    QCOMPARE(shown.windowHandle()->title(), QStringLiteral("RG [*] 15"));
}

void FrameTest::frameStaysInTheWorkAreaAndRemembersItsPlace() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    const QRect work = f.frame->screen()->availableGeometry();
    // Too large, or reaching past any edge: brought back inside, whole.
    for (const QRect& tried : {QRect(work.topLeft(), work.size() + QSize(300, 200)),
                               QRect(work.topLeft() + QPoint(work.width() / 3, 0), work.size() * 3 / 4),
                               QRect(work.topLeft() + QPoint(0, work.height() / 3), work.size() * 3 / 4)}) {
        f.frame->setGeometry(tried);
        f.frame->keepInsideWorkArea();
        QVERIFY2(work.contains(f.frame->frameGeometry()), qPrintable(QStringLiteral("%1 %2").arg(tried.x()).arg(tried.y())));
        QVERIFY(work.contains(f.frame->statusBar()->mapTo(f.frame.get(), QPoint()) + f.frame->geometry().topLeft()));
    }
    // Closed at a place of the user's choosing, the next frame opens there.
    const QRect chosen(work.topLeft() + QPoint(20, 30), QSize(500, 400));
    f.frame->setGeometry(chosen);
    QVERIFY(f.frame->close());
    FrameWindow again;
    again.start();
    QCOMPARE(again.geometry(), chosen);
}

QTEST_MAIN(FrameTest)
#include "tst_frame.moc"
