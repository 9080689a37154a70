// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and opening rib designs through the frame: the modified mark, the
// save question on closing, Save and Save as, Open of a design, and the
// recent-files list.
#include <QAction>
#include <QApplication>
#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QLabel>
#include <QFileInfo>

#include "FrameFixture.h"
#include "dxf/RibDxf.h"
#include "app/QtDialogs.h"
#include "dialogs/PropertiesStep.h"
#include "document/RibDesignFile.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

// Answers the next save question with `button` and records its words.
void answerSaveQuestion(QMessageBox::StandardButton button, QString* asked) {
    QTimer::singleShot(0, [button, asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        *asked = box->windowTitle() + "|" + box->text();
        box->button(button)->click();
    });
}

} // namespace

class RibDesignTest : public QObject {
    Q_OBJECT
private slots:
    void titleMarksChangesUntilSaved();
    void saveQuestionHasThreeAnswers();
    void openedDesignIsTheSavedRib();
    void refusedDesignLeavesTheWindowEmpty();
    void recentFilesListTheLastEightAboveExit();
    void onlyTheRibDesignDialogAsksBeforeReplacing();
};

void RibDesignTest::titleMarksChangesUntilSaved() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(!window->isModified());
    QCOMPARE(shownTitle(window), QStringLiteral("asb__e387.dat"));

    f.frame->handleCommand(kCmdViewChordline);
    QVERIFY(window->isModified());
    QCOMPARE(shownTitle(window), QStringLiteral("asb__e387.dat*"));
    f.frame->refreshWindowList();
    QCOMPARE(f.frame->windowListActions().back()->text(), QStringLiteral("&1 asb__e387.dat*"));

    // The first Save of a document read from a coordinate file asks for a
    // name; the extension is added, and the folder becomes the current one.
    const std::string path = f.scratch.filePath("e387").toStdString();
    f.dialogs.saveAnswers.push_back(path);
    f.frame->handleCommand(kCmdFileSave);
    QCOMPARE(f.dialogs.saveSettings.size(), size_t(1));
    const platform::FileDialogSettings& asked = f.dialogs.saveSettings[0];
    QCOMPARE(asked.filters.size(), size_t(1));
    QCOMPARE(asked.filters[0].description, std::string("Parvelin rib designs"));
    QCOMPARE(asked.filters[0].pattern, std::string("*.parvelin"));
    QVERIFY(asked.confirmOverwrite);
    QCOMPARE(asked.initialFileName, std::string("E387.parvelin"));
    QVERIFY(!window->isModified());
    QCOMPARE(shownTitle(window), QStringLiteral("e387.parvelin"));
    QCOMPARE(window->filePath().toStdString(), path + ".parvelin");
    const RibDesignRead saved = readRibDesignFile(path + ".parvelin");
    QVERIFY2(saved.loaded, saved.error.c_str());
    QVERIFY(!saved.design.showChordLine);

    // Later saves go to the same file without a dialog; unchanged
    // properties leave the mark off.
    f.frame->handleCommand(kCmdViewEdgeLines);
    QVERIFY(window->isModified());
    f.frame->handleCommand(kCmdFileSave);
    QCOMPARE(f.dialogs.saveSettings.size(), size_t(1));
    QVERIFY(!window->isModified());
    QVERIFY(!readRibDesignFile(path + ".parvelin").design.showEdgeLines);
    QVERIFY(f.dialogs.messages.empty());

    // A property change marks the window; undoing it back to the saved rib
    // clears the mark, redoing sets it again.
    RibProperties wider = window->document()->properties();
    wider.chord *= 2.0f;
    QVERIFY(dialogs::pushPropertiesStep(*window->undoStack(), *window->document(), wider, QStringLiteral("step")));
    QVERIFY(window->isModified());
    window->undoStack()->undo();
    QVERIFY(!window->isModified());
    window->undoStack()->redo();
    QVERIFY(window->isModified());
    window->undoStack()->undo();

    // A save that fails says why and leaves the mark on.
    f.frame->handleCommand(kCmdViewEdgeLines);
    f.dialogs.saveAnswers.push_back(path + ".parvelin/inside.parvelin");
    f.frame->handleCommand(kCmdFileSaveAs);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY(f.dialogs.messages[0].text.find("could not be saved") != std::string::npos);
    QCOMPARE(f.dialogs.messages[0].icon, platform::MessageIcon::Error);
    QVERIFY(window->isModified());
    QCOMPARE(window->filePath().toStdString(), path + ".parvelin");
}

void RibDesignTest::saveQuestionHasThreeAnswers() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    f.open(airfoilPath("asb__e387.dat"));
    const QList<DocumentWindow*> windows = f.frame->documentWindows();
    for (DocumentWindow* w : windows) {
        f.frame->mdiArea()->setActiveSubWindow(w);
        f.frame->handleCommand(kCmdViewChordline);
    }

    // Cancel (from Close All): everything stays open and modified.
    QString asked;
    answerSaveQuestion(QMessageBox::Cancel, &asked);
    f.frame->handleCommand(kCmdWindowCloseAll);
    QCOMPARE(asked, QStringLiteral("Save|Do you want to save the changes to asb__clarky.dat?"));
    QCOMPARE(f.frame->documentWindows().size(), 2);
    QVERIFY(windows[0]->isModified() && windows[1]->isModified());

    // Save, with the name dialog cancelled, is a refusal too.
    asked.clear();
    answerSaveQuestion(QMessageBox::Save, &asked);
    QVERIFY(!windows[0]->close());
    QVERIFY(!asked.isEmpty());
    QCOMPARE(f.dialogs.saveSettings.size(), size_t(1));
    QCOMPARE(f.frame->documentWindows().size(), 2);

    // Save with a name writes the file, then the window closes.
    const std::string path = f.scratch.filePath("clarky.parvelin").toStdString();
    f.dialogs.saveAnswers.push_back(path);
    answerSaveQuestion(QMessageBox::Save, &asked);
    QVERIFY(windows[0]->close());
    QCOMPARE(f.frame->documentWindows().size(), 1);
    const RibDesignRead saved = readRibDesignFile(path);
    QVERIFY2(saved.loaded, saved.error.c_str());
    QCOMPARE(saved.design.name, std::string(" CLARK Y AIRFOIL"));

    // Discard (from Exit): the window closes and nothing is written.
    answerSaveQuestion(QMessageBox::Discard, &asked);
    f.frame->handleCommand(kCmdFileExit);
    QVERIFY(f.frame->documentWindows().isEmpty());
    QCOMPARE(f.dialogs.saveSettings.size(), size_t(2));
    QCOMPARE(QDir(f.scratch.path()).entryList(QStringList{"*.parvelin"}), QStringList{"clarky.parvelin"});
}

void RibDesignTest::openedDesignIsTheSavedRib() {
    FrameFixture f;
    f.open(airfoilPath("asb__naca2412.dat"));
    AirfoilDocument* document = f.frame->currentDocument();
    RibProperties p = document->properties();
    p.leadingEdgeStyle = 1;
    p.sparStyle = 2;
    p.trailingEdgeStyle = 3;
    p.sheetingStyle = 2;
    p.chord = 212.5f;
    document->applyProperties(p);
    f.frame->handleCommand(kCmdViewEdgeLines);
    const std::string dxf = ribDxfDrawing(document->rib()).text();
    const std::string path = f.scratch.filePath("naca.parvelin").toStdString();
    f.dialogs.saveAnswers.push_back(path);
    f.frame->handleCommand(kCmdFileSaveAs);
    f.frame->handleCommand(kCmdWindowCloseAll);
    QVERIFY(f.frame->documentWindows().isEmpty());

    f.open(path);
    QCOMPARE(f.dialogs.openSettings.back().filters[2].pattern, std::string("*.parvelin"));
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(window->document()->isLoaded());
    QVERIFY(!window->isModified());
    QCOMPARE(window->filePath().toStdString(), path);
    QCOMPARE(shownTitle(window), QFileInfo(QString::fromStdString(path)).fileName());
    QVERIFY(f.frame->airfoilLabel()->text().startsWith(QStringLiteral("NAca 2412")));
    QCOMPARE(window->document()->properties(), p);
    QVERIFY(!window->document()->showEdgeLines());
    QVERIFY(!f.frame->action(kCmdViewEdgeLines)->isChecked());
    QCOMPARE(ribDxfDrawing(window->document()->rib()).text(), dxf);

    // Save writes back to the file it came from, without a dialog.
    f.frame->handleCommand(kCmdViewChordline);
    f.frame->handleCommand(kCmdFileSave);
    QCOMPARE(f.dialogs.saveSettings.size(), size_t(1));
    QVERIFY(!readRibDesignFile(path).design.showChordLine);
}

void RibDesignTest::refusedDesignLeavesTheWindowEmpty() {
    FrameFixture f;
    f.open(f.write("newer.parvelin", "{\"format\": \"parvelin-rib-design\", \"version\": \"2.0\"}"));
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY(f.dialogs.messages[0].text.find("newer version of Parvelin") != std::string::npos);
    QCOMPARE(f.dialogs.messages[0].icon, platform::MessageIcon::Error);
    QVERIFY(!f.frame->currentDocument()->isLoaded());
    QCOMPARE(shownTitle(f.frame->activeChild()), QStringLiteral("Untitled"));
    QVERIFY(f.frame->recentFiles().isEmpty());

    // Save without an airfoil says so.
    f.frame->handleCommand(kCmdFileSave);
    QCOMPARE(f.dialogs.messages.size(), size_t(2));
    QCOMPARE(f.dialogs.messages[1].text, std::string(kMessageSaveNeedsDocument));
    QVERIFY(f.dialogs.saveSettings.empty());
}

void RibDesignTest::recentFilesListTheLastEightAboveExit() {
    FrameFixture f;
    const char* names[] = {"asb__e387.dat",  "asb__clarky.dat", "asb__naca2412.dat", "asb__mh32.dat",
                           "asb__rg15.dat",  "asb__s3021.dat",  "asb__sd7037.dat",   "asb__e205.dat",
                           "asb__hq17.dat",  "asb__e387.dat"};
    for (const char* name : names) f.open(airfoilPath(name));
    QStringList expected;
    for (const char* name : {"asb__e387.dat", "asb__hq17.dat", "asb__e205.dat", "asb__sd7037.dat", "asb__s3021.dat",
                             "asb__rg15.dat", "asb__mh32.dat", "asb__naca2412.dat"})
        expected << QDir(PARVELIN_AIRFOIL_DIR).absoluteFilePath(name);
    QCOMPARE(f.frame->recentFiles(), expected);

    // Listed in the File menu between Export and Exit, numbered, newest first.
    QMenu* file = f.frame->menuBar()->actions().front()->menu();
    const QList<QAction*> items = file->actions();
    const qsizetype exit = items.indexOf(f.frame->action(kCmdFileExit));
    QCOMPARE(items[exit - 1]->isSeparator(), true);
    QCOMPARE(items[exit - 9]->text(), QStringLiteral("&1 asb__e387.dat"));
    QCOMPARE(items[exit - 2]->text(), QStringLiteral("&8 asb__naca2412.dat"));
    QCOMPARE(items[exit - 10]->isSeparator(), true);

    // Another frame (the next run) finds the same list and opens from it.
    f.frame.reset();
    f.frame = std::make_unique<FrameWindow>();
    f.frame->start();
    QCOMPARE(f.frame->recentFiles(), expected);
    f.frame->recentFileActions()[2]->trigger();
    QVERIFY(f.frame->currentDocument()->isLoaded());
    QCOMPARE(shownTitle(f.frame->activeChild()), QStringLiteral("asb__e205.dat"));
    QVERIFY(f.frame->airfoilLabel()->text().startsWith(QStringLiteral("E205  (10.48%)")));
    QCOMPARE(f.frame->recentFiles().front(), expected[2]);
}

void RibDesignTest::onlyTheRibDesignDialogAsksBeforeReplacing() {
    // The real save dialog, set up as Save as and as Export set it up.
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    f.frame->handleCommand(kCmdFileSaveAs);
    f.frame->handleCommand(kCmdFileExport);
    QCOMPARE(f.dialogs.saveSettings.size(), size_t(2));
    QFileDialog saveAs;
    configureFileDialog(saveAs, f.dialogs.saveSettings[0], true);
    QVERIFY(!saveAs.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(saveAs.nameFilters(), QStringList{"Parvelin rib designs (*.parvelin *.PARVELIN)"});
    QCOMPARE(saveAs.defaultSuffix(), QStringLiteral("parvelin"));
    QFileDialog exportAs;
    configureFileDialog(exportAs, f.dialogs.saveSettings[1], true);
    QVERIFY(exportAs.testOption(QFileDialog::DontConfirmOverwrite));
}

QTEST_MAIN(RibDesignTest)
#include "tst_rib_designs.moc"
