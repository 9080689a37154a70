// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import from the frame: the dialog, loading as Open loads, the one
// message that lists the changes, refusals, and Open's pointer to Import.
#include "FrameFixture.h"
#include "dxf/RibDxf.h"
#include "app/QtDialogs.h"
#include "model/ImportReader.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

class ImportTest : public QObject {
    Q_OBJECT
private slots:
    void importLoadsLikeOpenAndReportsTheChanges();
    void refusedFileLeavesTheWindowEmpty();
    void openPointsToImportForAPercentFile();
};

void ImportTest::importLoadsLikeOpenAndReportsTheChanges() {
    FrameFixture f;
    QVERIFY(f.frame->action(kCmdFileImport)->isEnabled());

    // A percent file into the empty start-up window.
    f.dialogs.openAnswers.push_back(airfoilPath("wgc__mh30.dat"));
    f.frame->handleCommand(kCmdFileImport);
    QCOMPARE(f.dialogs.openSettings.size(), size_t(1));
    const platform::FileDialogSettings& s = f.dialogs.openSettings[0];
    QCOMPARE(s.title, std::string("Import Airfoil File"));
    QVERIFY(s.fileMustExist);
    QCOMPARE(nameFilters(s), QStringList({QStringLiteral("Airfoil files (*.dat *.DAT *.txt *.TXT *.cor *.COR *.csv *.CSV)"),
                                          QStringLiteral("All files (*)")}));
    QCOMPARE(f.frame->documentWindows().size(), 1);
    DocumentWindow* first = f.frame->documentWindows()[0];
    const AirfoilDocument* document = first->document();
    QVERIFY(document->isLoaded());
    QVERIFY(first->windowTitle().startsWith(QStringLiteral("MH 30")));
    QCOMPARE(document->points().size(), size_t(62));  // 61 points, closed on the first
    QVERIFY(document->leadingEdge().isBuilt() || document->trailingEdge().isBuilt() || document->spars().isBuilt());
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QCOMPARE(f.dialogs.messages[0].text,
             std::string("Imported with these changes: coordinates in percent of the chord divided by 100."));
    QVERIFY(f.dialogs.messages[0].icon == platform::MessageIcon::Information);
    QVERIFY(f.dialogs.messages[0].owner == first);

    // The same points and drawing as Open gives for a file Open reads whole
    // (with a sharp trailing edge), in a second window, without a message.
    f.dialogs.openAnswers.push_back(airfoilPath("asb__e387.dat"));
    f.frame->handleCommand(kCmdFileImport);
    f.open(airfoilPath("asb__e387.dat"));
    QCOMPARE(f.frame->documentWindows().size(), 3);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    const AirfoilDocument* imported = f.frame->documentWindows()[1]->document();
    const AirfoilDocument* opened = f.frame->documentWindows()[2]->document();
    QCOMPARE(imported->points().size(), opened->points().size());
    QCOMPARE(ribDxfDrawing(imported->rib()).text(), ribDxfDrawing(opened->rib()).text());
    // Import titles the window by the airfoil's name, Open by the file's.
    QCOMPARE(f.frame->documentWindows()[1]->windowTitle(), QStringLiteral("E387[*]"));
    QCOMPARE(f.frame->documentWindows()[2]->windowTitle(), QStringLiteral("asb__e387.dat[*]"));

    // A blunt trailing edge keeps the lower point Open leaves out.
    f.dialogs.openAnswers.push_back(airfoilPath("asb__clarky.dat"));
    f.frame->handleCommand(kCmdFileImport);
    f.open(airfoilPath("asb__clarky.dat"));
    QCOMPARE(f.frame->documentWindows().size(), 5);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    const std::vector<AirfoilPoint>& blunt = f.frame->documentWindows()[3]->document()->points();
    const std::vector<AirfoilPoint>& closed = f.frame->documentWindows()[4]->document()->points();
    QCOMPARE(blunt.size(), closed.size() + 1);
    QCOMPARE(blunt[blunt.size() - 2].modelX, 1.0f);
    QCOMPARE(blunt[blunt.size() - 2].modelY, -0.0005993f);

    // Cancelling the dialog leaves the new window empty.
    f.frame->handleCommand(kCmdFileImport);
    QCOMPARE(f.frame->documentWindows().size(), 6);
    QVERIFY(!f.frame->currentDocument()->isLoaded());
}

void ImportTest::refusedFileLeavesTheWindowEmpty() {
    FrameFixture f;
    const std::string path = f.write("surface.txt", "half\n1.0 0.0\n0.5 0.05\n0.2 0.04\n0.0 0.0\n");
    f.dialogs.openAnswers.push_back(path);
    f.frame->handleCommand(kCmdFileImport);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(importStatusMessage(ImportStatus::OneSurface)));
    QVERIFY(f.dialogs.messages[0].icon == platform::MessageIcon::Error);
    QVERIFY(!f.frame->currentDocument()->isLoaded());
    QCOMPARE(shownTitle(f.frame->activeChild()), QStringLiteral("Untitled"));
}

void ImportTest::openPointsToImportForAPercentFile() {
    FrameFixture f;
    f.open(airfoilPath("wgc__mh30.dat"));
    QVERIFY(f.frame->currentDocument()->isLoaded());
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    const std::string& text = f.dialogs.messages[0].text;
    QVERIFY2(text.find("Only 5 of the file's 62 coordinate lines were read") == 0, text.c_str());
    QVERIFY(text.find("File > Import") != std::string::npos);
    // A file Open reads whole gives no such message.
    f.open(airfoilPath("asb__e387.dat"));
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
}

QTEST_MAIN(ImportTest)
#include "tst_import.moc"
