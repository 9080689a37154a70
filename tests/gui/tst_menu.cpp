// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar, the keys and the commands that only touch the menu or the
// view: one action per command, commands with nothing to act on, the View
// toggles and About.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include "FrameFixture.h"
#include "app/AboutDialog.h"
#include "dialogs/PropertiesStep.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

// Everything a command could change that a person would notice.
struct Snapshot {
    QStringList titles;
    QList<QRect> geometries;
    QList<bool> enabled;
    QList<bool> checked;
    AirfoilDocument* current = nullptr;
    QList<bool> flags;
    QString folder;
    size_t messages = 0;
    size_t fileDialogs = 0;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(FrameFixture& f) {
    Snapshot s;
    for (DocumentWindow* w : f.frame->documentWindows()) {
        s.titles << w->windowTitle();
        s.geometries << w->geometry();
        s.flags << w->document()->showChordLine() << w->document()->showEdgeLines() << w->document()->isLoaded();
    }
    for (const MenuEntry& e : mainMenu())
        if (e.kind == MenuKind::Item) {
            s.enabled << f.frame->action(e.id)->isEnabled();
            s.checked << f.frame->action(e.id)->isChecked();
        }
    s.current = f.frame->currentDocument();
    s.folder = QDir::currentPath();
    s.messages = f.dialogs.messages.size();
    s.fileDialogs = f.dialogs.openSettings.size() + f.dialogs.saveSettings.size();
    return s;
}

} // namespace

class MenuTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarFollowsTheTable();
    void oneActionPerCommandSharedByMenuToolbarAndKeys();
    void everyItemAndKeySendsItsId();
    void commandsWithNothingToActOnChangeNothing();
    void viewTogglesFlipTheLoadedDocumentsFlags();
    void viewTogglesDoNothingForAnEmptyDocument();
    void viewMarksFollowTheCurrentDocument();
    void aboutShowsItsText();
};

void MenuTest::menuBarFollowsTheTable() {
    FrameFixture f;
    const QList<QAction*> popups = f.frame->menuBar()->actions();
    QStringList popupTitles;
    for (QAction* p : popups) popupTitles << p->text();
    QCOMPARE(popupTitles, QStringList({"&File", "&Edit", "&Properties", "&View", "&Window", "&Help"}));
    QCOMPARE(popups[kWindowMenuPosition]->menu(), f.frame->windowMenu());

    // Each popup holds the table's items in order, with separators where the
    // table has them; the texts carry their mnemonics and key texts.
    int popupIndex = -1;
    int position = 0;
    for (const MenuEntry& e : mainMenu()) {
        if (e.kind == MenuKind::Popup) {
            ++popupIndex;
            position = 0;
            continue;
        }
        if (e.kind == MenuKind::EndPopup) continue;
        const QList<QAction*> items = popups[popupIndex]->menu()->actions();
        QVERIFY(position < items.size());
        QAction* item = items[position++];
        if (e.kind == MenuKind::Separator) {
            QVERIFY(item->isSeparator());
        } else {
            QCOMPARE(item, f.frame->action(e.id));
            QCOMPARE(item->text(), QString::fromUtf8(e.text));
        }
    }
    QCOMPARE(f.frame->action(kCmdEditCopy)->text(), QStringLiteral("Co&py\tCtrl+Ins"));
    QCOMPARE(f.frame->action(kCmdFileSaveAs)->text(), QStringLiteral("Save &as..."));
    QCOMPARE(popups[0]->menu()->actions().size(), 17);  // with Export Model, Close, New from NACA and Airfoil Browser
    // Print Preview comes right before Print; Export for Cutting follows Export; Cut outline is a View item.
    const QList<QAction*> file = popups[0]->menu()->actions();
    // New from NACA and Airfoil Browser follow Open.
    QCOMPARE(file.indexOf(f.frame->action(kCmdFileNewNaca)), file.indexOf(f.frame->action(kCmdFileOpen)) + 1);
    QCOMPARE(file.indexOf(f.frame->action(kCmdFileAirfoilBrowser)), file.indexOf(f.frame->action(kCmdFileNewNaca)) + 1);
    QCOMPARE(f.frame->action(kCmdFileNewNaca)->text(), QStringLiteral("New &from NACA..."));
    QCOMPARE(file.indexOf(f.frame->action(kCmdFilePrintPreview)) + 1, file.indexOf(f.frame->action(kCmdFilePrint)));
    QCOMPARE(f.frame->action(kCmdFilePrintPreview)->text(), QStringLiteral("Print Pre&view..."));
    QCOMPARE(file.indexOf(f.frame->action(kCmdFileExportCut)), file.indexOf(f.frame->action(kCmdFileExport)) + 1);
    QCOMPARE(f.frame->action(kCmdFileExportCut)->text(), QStringLiteral("Export for &Cutting..."));
    QVERIFY(popups[3]->menu()->actions().contains(f.frame->action(kCmdViewCutOutline)));
}

void MenuTest::oneActionPerCommandSharedByMenuToolbarAndKeys() {
    FrameFixture f;
    // Every menu item is a command of its own, in exactly one menu.
    QList<QAction*> items;
    for (QAction* popup : f.frame->menuBar()->actions())
        for (QAction* item : popup->menu()->actions())
            if (!item->isSeparator()) items << item;
    QList<int> ids;
    for (const MenuEntry& e : mainMenu())
        if (e.kind == MenuKind::Item) {
            QVERIFY2(FrameWindow::hasCommand(e.id), qPrintable(QString::number(e.id)));
            QVERIFY2(!ids.contains(e.id), qPrintable(QString::number(e.id)));
            ids << e.id;
            QCOMPARE(items.count(f.frame->action(e.id)), 1);
        }
    QCOMPARE(items.size(), ids.size());
    QVERIFY(!FrameWindow::hasCommand(0));
    // The toolbar's buttons are the menu's actions.
    const auto* bar = f.frame->findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    QVERIFY(bar != nullptr);
    int buttons = 0;
    for (QAction* button : bar->actions())
        if (!button->isSeparator()) {
            QVERIFY2(items.contains(button), qPrintable(button->iconText()));
            ++buttons;
        }
    QCOMPARE(buttons, 8);
    // Each key of the table is its item's, and no key belongs to two items.
    for (const Accelerator& a : acceleratorTable())
        QVERIFY2(f.frame->action(a.id)->shortcuts().contains(QKeySequence(a.keys)),
                 qPrintable(QKeySequence(a.keys).toString()));
    QList<QKeySequence> seen;
    for (QAction* item : items)
        for (const QKeySequence& k : item->shortcuts()) {
            QVERIFY2(!seen.contains(k), qPrintable(k.toString()));
            seen << k;
        }
    // Help > Contents carries F1 and shows it; Save shows Ctrl+S.
    QCOMPARE(f.frame->action(kCmdHelpContents)->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(f.frame->action(kCmdFileSave)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_S)));
}

void MenuTest::everyItemAndKeySendsItsId() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    QSignalSpy commands(f.frame.get(), &FrameWindow::commandReceived);
    // The harmless items that are enabled, triggered from the menu.
    const QList<int> items{kCmdFileSave,      kCmdFileSaveAs,      kCmdEditCopy,   kCmdViewChordline,
                           kCmdViewEdgeLines, kCmdViewCamberline,  kCmdViewFitToWindow, kCmdWindowTile,
                           kCmdWindowCascade, kCmdWindowArrangeIcons, kCmdHelpContents};
    for (int id : items) f.frame->action(id)->trigger();
    QCOMPARE(commands.size(), items.size());
    for (int i = 0; i < items.size(); ++i) QCOMPARE(commands[i][0].toInt(), items[i]);

    // The accelerator table, typed on the keyboard: the key of an enabled
    // item sends its id; a grey item's key (Undo and Redo with no steps)
    // sends nothing.
    f.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
    commands.clear();
    QList<int> sent;
    for (const Accelerator& a : acceleratorTable()) {
        if (f.frame->action(a.id)->isEnabled()) sent << a.id;
        QTest::keyClick(f.frame.get(), a.keys.key(), a.keys.keyboardModifiers());
    }
    QVERIFY(sent.size() > 0 && sent.size() < static_cast<qsizetype>(acceleratorTable().size()));
    QCOMPARE(commands.size(), sent.size());
    for (qsizetype i = 0; i < sent.size(); ++i) QCOMPARE(commands[i][0].toInt(), sent[i]);

    // With a step to undo, Ctrl+Z takes it back and Redo's key then redoes it.
    AirfoilDocument& doc = *f.frame->currentDocument();
    RibProperties p = doc.properties();
    p.chord = 150.0f;
    dialogs::pushPropertiesStep(*f.frame->activeChild()->undoStack(), doc, p, QStringLiteral("chord"));
    commands.clear();
    QTest::keyClick(f.frame.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc.properties().chord, 100.0f);
    QTest::keyClick(f.frame.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(doc.properties().chord, 150.0f);
    QCOMPARE(commands.size(), 2);
}

void MenuTest::commandsWithNothingToActOnChangeNothing() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    f.frame->handleCommand(kCmdFileNew);
    f.frame->handleCommand(kCmdViewEdgeLines);  // an empty document: nothing to toggle
    const Snapshot before = snapshot(f);
    // Undo and Redo with nothing to take back, Camberline, Copy, the 3D view
    // and Fit to Window for an empty document, and ids of no command change
    // nothing either.
    for (int id : {kCmdWingProperties, kCmdViewCamberline, kCmdView3dPreview, kCmdViewFitToWindow, kCmdEditUndo,
                   kCmdEditRedo, kCmdEditCopy, 0, 12345}) {
        f.frame->handleCommand(id);
        QVERIFY2(snapshot(f) == before, qPrintable(QString::number(id)));
    }
    f.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
    // Every key but Help and Save (which tells that an empty window has
    // nothing to save) changes nothing either.
    for (const Accelerator& a : acceleratorTable())
        if (a.id != kCmdHelpContents && a.id != kCmdFileSave)
            QTest::keyClick(f.frame.get(), a.keys.key(), a.keys.keyboardModifiers());
    QVERIFY(snapshot(f) == before);
}

void MenuTest::viewTogglesFlipTheLoadedDocumentsFlags() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    AirfoilDocument* doc = f.frame->currentDocument();
    QAction* chord = f.frame->action(kCmdViewChordline);
    QAction* edges = f.frame->action(kCmdViewEdgeLines);

    chord->trigger();
    QVERIFY(!doc->showChordLine());
    QVERIFY(!chord->isChecked());
    QVERIFY(doc->showEdgeLines());
    chord->trigger();
    QVERIFY(doc->showChordLine());
    QVERIFY(chord->isChecked());

    edges->trigger();
    QVERIFY(!doc->showEdgeLines());
    QVERIFY(!edges->isChecked());
    f.frame->handleCommand(kCmdViewEdgeLines);
    QVERIFY(doc->showEdgeLines());
    QVERIFY(edges->isChecked());
}

void MenuTest::viewTogglesDoNothingForAnEmptyDocument() {
    FrameFixture f;
    AirfoilDocument* doc = f.frame->currentDocument();
    QAction* chord = f.frame->action(kCmdViewChordline);
    QVERIFY(chord->isEnabled());
    chord->trigger();  // Qt would flip the mark by itself; the handler keeps it
    QVERIFY(chord->isChecked());
    QVERIFY(doc->showChordLine());
    f.frame->action(kCmdViewEdgeLines)->trigger();
    QVERIFY(f.frame->action(kCmdViewEdgeLines)->isChecked());
    QVERIFY(doc->showEdgeLines());
}

void MenuTest::viewMarksFollowTheCurrentDocument() {
    FrameFixture f(FrameFixture::Start::StartPageOnly);
    const QList<int> marks{kCmdViewChordline, kCmdViewEdgeLines, kCmdViewCamberline, kCmdViewCutOutline};
    const auto shown = [&] {
        QList<bool> checked;
        for (int id : marks) checked << f.frame->action(id)->isChecked();
        return checked;
    };
    const auto flagsOf = [](const AirfoilDocument& d) {
        return QList<bool>{d.showChordLine(), d.showEdgeLines(), d.showCamberLine(), d.showCutOutline()};
    };
    // With no document the grey items show what a new document will.
    const AirfoilDocument fresh;
    QCOMPARE(shown(), flagsOf(fresh));
    for (int id : marks) QVERIFY(!f.frame->action(id)->isEnabled());

    f.open(airfoilPath("asb__e387.dat"));
    DocumentWindow* first = f.frame->activeChild();
    f.frame->action(kCmdViewCamberline)->trigger();
    f.frame->action(kCmdViewChordline)->trigger();
    const QList<bool> changed = flagsOf(*first->document());
    QVERIFY(changed != flagsOf(fresh));
    QCOMPARE(shown(), changed);
    // A second window shows its own flags; coming back shows the first's.
    f.frame->handleCommand(kCmdFileNew);
    QCOMPARE(shown(), flagsOf(*f.frame->currentDocument()));
    f.frame->mdiArea()->setActiveSubWindow(first);
    QCOMPARE(shown(), changed);
    // With every window closed the marks are a new document's again.
    for (DocumentWindow* w : f.frame->documentWindows()) w->setCloseAgreed(true);
    f.frame->handleCommand(kCmdWindowCloseAll);
    QVERIFY(f.frame->documentWindows().isEmpty());
    QCOMPARE(shown(), flagsOf(fresh));
}

void MenuTest::aboutShowsItsText() {
    FrameFixture f;
    QString title, text;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        QVERIFY(about != nullptr);
        title = about->windowTitle();
        text = about->textControl()->text();
        owner = about->parentWidget();
        about->okButton()->click();
    });
    f.frame->handleCommand(kCmdHelpAbout);
    QCOMPARE(title, QStringLiteral("About"));
    QCOMPARE(text, aboutText());
    QCOMPARE(owner, f.frame.get());

    AboutDialog about(f.frame.get());
    QCOMPARE(about.textControl()->objectName(), QStringLiteral("control1029"));
    QTimer::singleShot(0, about.okButton(), &QPushButton::click);
    QCOMPARE(about.exec(), kControlAboutOk);
}

QTEST_MAIN(MenuTest)
#include "tst_menu.moc"
