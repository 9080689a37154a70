// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export from the frame, and the Qt file dialogs set up from the
// core's settings.
#include <QFile>
#include <QAbstractFileIconProvider>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "FrameFixture.h"
#include "app/QtDialogs.h"
#include "app/LaserExport.h"
#include "cut/CutFile.h"
#include "dxf/RibDxf.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

QByteArray slurp(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the next question box with `button` and records its title and words.
void answerQuestion(QMessageBox::StandardButton button, QString* asked) {
    QTimer::singleShot(0, [button, asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        *asked = box->windowTitle() + "|" + box->text();
        box->button(button)->click();
    });
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
private slots:
    void exportWritesTheDrawingIntoTheChosenFolder();
    void exportAsksBeforeReplacingAFile();
    void everyDocumentGetsAnExportName();
    void exportOfAnEmptyWindowSaysWhy();
    void exportForCuttingWritesDxfOrSvg();
    void saveDialogFollowsTheSettings();
    void openDialogWantsAnExistingFile();
    void dialogsNeverReadTheFilesTheyList();
};

void ExportTest::exportWritesTheDrawingIntoTheChosenFolder() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    const QString target = f.scratch.filePath("E387.DXF");
    f.dialogs.saveAnswers.push_back(target.toStdString());
    f.frame->handleCommand(kCmdFileExport);

    QCOMPARE(f.dialogs.saveSettings.size(), size_t(1));
    const platform::FileDialogSettings& s = f.dialogs.saveSettings[0];
    QCOMPARE(s.title, std::string("Export to DXF format"));
    QCOMPARE(s.filters.size(), size_t(1));
    QCOMPARE(s.filters[0].description, std::string("Drawing Interchange Format"));
    QCOMPARE(s.filters[0].pattern, std::string("*.dxf"));
    QCOMPARE(s.defaultExtension, std::string("dxf"));
    // The airfoil's own name is offered, with the extension in lower case
    // (also for a file named in capitals, below).
    QCOMPARE(s.initialFileName, std::string("asb__e387.dxf"));

    // The dialog started where the Open dialog left the current directory.
    QCOMPARE(QDir(QString::fromStdString(s.initialFolder)).canonicalPath(), QDir(PARVELIN_AIRFOIL_DIR).canonicalPath());
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(QDir::currentPath(), QDir(f.scratch.path()).canonicalPath());

    const QByteArray dxf = slurp(target);
    QVERIFY(dxf.startsWith("0\nSECTION\n2\nHEADER\n"));
    QVERIFY(dxf.endsWith("0\nENDSEC\n0\nEOF"));
    QVERIFY(!dxf.contains('\r'));
    // One LINE per pair of neighbouring points, in the chord's millimetres.
    const qsizetype lines = dxf.count("0\nLINE\n");
    QCOMPARE(static_cast<size_t>(lines), f.frame->currentDocument()->points().size() - 1);
    QVERIFY(dxf.contains("\n10\n100.000000\n"));

    FrameFixture capitals;
    capitals.open(airfoilPath("paso__HD800.DAT"));
    capitals.frame->handleCommand(kCmdFileExport);
    QCOMPARE(capitals.dialogs.saveSettings.back().initialFileName, std::string("paso__HD800.dxf"));
}

void ExportTest::exportAsksBeforeReplacingAFile() {
    FrameFixture f;
    f.open(airfoilPath("asb__e387.dat"));
    const std::string existing = f.write("rib.DXF", "keep me");
    // No: the file stays byte for byte and nothing more is said. Yes: the
    // drawing replaces it whole.
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString asked;
        answerQuestion(answer, &asked);
        f.dialogs.saveAnswers.push_back(existing);
        f.frame->handleCommand(kCmdFileExport);
        QCOMPARE(asked, QStringLiteral("Export to DXF format|rib.DXF already exists.\nDo you want to replace it?"));
        QVERIFY(f.dialogs.messages.empty());
        const QByteArray now = slurp(QString::fromStdString(existing));
        if (answer == QMessageBox::No)
            QCOMPARE(now, QByteArray("keep me"));
        else
            QCOMPARE(now, QByteArray::fromStdString(ribDxfDrawing(f.frame->currentDocument()->rib()).text()));
    }

    // A folder that cannot take the file: its own message, no file.
    f.dialogs.saveAnswers.push_back(f.scratch.filePath("missing/rib.DXF").toStdString());
    f.frame->handleCommand(kCmdFileExport);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kMessageExportCannotCreate));
    QVERIFY(!QFile::exists(f.scratch.filePath("missing/rib.DXF")));

    // Cancelling says nothing.
    f.frame->handleCommand(kCmdFileExport);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
}

void ExportTest::everyDocumentGetsAnExportName() {
    // Whatever the document came from, Export offers a name of its own in
    // lower-case ".dxf", never a pattern.
    FrameFixture f;
    auto offered = [&f] {
        f.frame->handleCommand(kCmdFileExport);  // cancelled: only the offer is looked at
        return QString::fromStdString(f.dialogs.saveSettings.back().initialFileName);
    };
    f.open(airfoilPath("asb__e387.dat"));
    QCOMPARE(offered(), QStringLiteral("asb__e387.dxf"));
    // Saved as a rib design: the design's name.
    f.dialogs.saveAnswers.push_back(f.scratch.filePath("my wing.parvelin").toStdString());
    f.frame->handleCommand(kCmdFileSaveAs);
    QCOMPARE(offered(), QStringLiteral("my wing.dxf"));
    // Opened again from that design, in a window of its own.
    f.frame->handleCommand(kCmdFileClose);
    f.open(f.scratch.filePath("my wing.parvelin").toStdString());
    QCOMPARE(offered(), QStringLiteral("my wing.dxf"));
    // Imported, or from no file at all: the airfoil's name, made fit for a file name.
    f.dialogs.openAnswers.push_back(airfoilPath("asb__clarky.dat"));
    f.frame->handleCommand(kCmdFileImport);
    QCOMPARE(offered(), QStringLiteral("CLARK Y AIRFOIL.dxf"));
    DocumentWindow* bare = f.frame->createDocumentWindow();
    CoordinateFileContents contents;
    contents.name = "NACA 2412: a/b";
    contents.drawingOrder = {{1.0f, 0.0f}, {0.0f, 0.05f}, {0.0f, -0.05f}, {1.0f, 0.0f}};
    bare->document()->takeContents(contents);
    bare->showDocument();
    QCOMPARE(offered(), QStringLiteral("NACA 2412_ a_b.dxf"));
    QVERIFY(f.dialogs.messages.empty());
}

void ExportTest::exportOfAnEmptyWindowSaysWhy() {
    FrameFixture f;
    f.frame->handleCommand(kCmdFileExport);
    QVERIFY(f.dialogs.saveSettings.empty());
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QCOMPARE(f.dialogs.messages[0].caption, std::string("Export Dialog"));
    QCOMPARE(f.dialogs.messages[0].icon, platform::MessageIcon::Warning);
    // The box belongs to the active document window.
    QCOMPARE(f.dialogs.messages[0].owner, static_cast<platform::Window*>(f.frame->activeChild()));
}

void ExportTest::exportForCuttingWritesDxfOrSvg() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    QVERIFY(f.frame->action(kCmdFileExportCut)->isEnabled());
    const QString dxf = f.scratch.filePath("rib.dxf");
    const QString svg = f.scratch.filePath("rib.svg");
    f.dialogs.saveAnswers.push_back(dxf.toStdString());
    f.frame->action(kCmdFileExportCut)->trigger();
    QCOMPARE(f.dialogs.saveSettings.size(), size_t(1));
    QCOMPARE(f.dialogs.saveSettings[0].title, std::string(kExportCutDialogTitle));
    // DXF, SVG and the laser's G-code.
    QCOMPARE(f.dialogs.saveSettings[0].filters.size(), size_t(3));
    QVERIFY(f.dialogs.messages.empty());
    const QByteArray dxfText = slurp(dxf);
    QVERIFY(dxfText.contains("LWPOLYLINE"));
    QVERIFY(dxfText.contains("$INSUNITS"));
    QCOMPARE(dxfText.count("\nLWPOLYLINE\n"), 1);

    f.dialogs.saveAnswers.push_back(svg.toStdString());
    f.frame->handleCommand(kCmdFileExportCut);
    const QByteArray svgText = slurp(svg);
    QVERIFY(svgText.contains("<svg"));
    QVERIFY(svgText.contains("mm\""));
    QVERIFY(f.dialogs.messages.empty());

    // An existing file is kept, a name of another kind is refused; each says so.
    f.dialogs.saveAnswers.push_back(svg.toStdString());
    f.frame->handleCommand(kCmdFileExportCut);
    QCOMPARE(slurp(svg), svgText);
    f.dialogs.saveAnswers.push_back(f.scratch.filePath("rib.pdf").toStdString());
    f.frame->handleCommand(kCmdFileExportCut);
    QVERIFY(!QFile::exists(f.scratch.filePath("rib.pdf")));
    QCOMPARE(f.dialogs.messages.size(), size_t(2));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kMessageExportExists));
    QCOMPARE(f.dialogs.messages[1].text, std::string(kMessageCutOrGcodeFileName));

    // Spar notches deeper than half the rib cut it in two: the largest piece
    // is written and the user is told that the rest is missing.
    RibProperties deep = f.frame->activeChild()->document()->properties();
    deep.sparStyle = 1;
    deep.sparHeight = 7.0f;
    deep.sparDistanceInPercent = 1;
    f.frame->activeChild()->document()->applyProperties(deep);
    const QString split = f.scratch.filePath("split.svg");
    f.dialogs.saveAnswers.push_back(split.toStdString());
    f.frame->handleCommand(kCmdFileExportCut);
    QVERIFY(QFile::exists(split));
    QCOMPARE(f.dialogs.messages.size(), size_t(3));
    QVERIFY(f.dialogs.messages[2].text.find("into 2 pieces") != std::string::npos);
}

void ExportTest::saveDialogFollowsTheSettings() {
    platform::FileDialogSettings s;
    s.title = "Export to DXF format";
    s.filters = {{"Drawing Interchange Format", "*.DXF"}};
    s.initialFileName = "*.DXF";
    s.initialFolder = QDir::tempPath().toStdString() + "/";
    s.defaultExtension = "DXF";
    QFileDialog dialog;
    configureFileDialog(dialog, s, true);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Export to DXF format"));
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Drawing Interchange Format (*.dxf *.DXF)")});
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("DXF"));
    QCOMPARE(dialog.directory().canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
    // The program tells the user about an existing file itself.
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

void ExportTest::openDialogWantsAnExistingFile() {
    platform::FileDialogSettings s;
    s.title = "Open Airfoil Coordinate File";
    s.filters = {{"Airfoil Coordinate Files", "*.DAT"}, {"All Files", "*.*"}};
    s.initialFileName = "*.DAT";
    s.fileMustExist = true;
    QFileDialog dialog;
    configureFileDialog(dialog, s, false);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Open Airfoil Coordinate File"));
    QCOMPARE(dialog.nameFilters(),
             QStringList({QStringLiteral("Airfoil Coordinate Files (*.dat *.DAT)"), QStringLiteral("All Files (*)")}));
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Airfoil Coordinate Files (*.dat *.DAT)"));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
}

void ExportTest::dialogsNeverReadTheFilesTheyList() {
    // Showing a folder such as /proc must not read its files: reading
    // /proc/kmsg blocks for good, and the whole program with it.
    platform::FileDialogSettings s;
    s.title = "Open Airfoil Coordinate File";
    s.filters = {{"Airfoil Coordinate Files", "*.DAT"}, {"All Files", "*.*"}};
    s.initialFolder = "/proc/";
    s.fileMustExist = true;
    QFileDialog dialog;
    configureFileDialog(dialog, s, false);
    QVERIFY(dialog.iconProvider() != nullptr);
    QCOMPARE(dialog.iconProvider()->type(QFileInfo(QStringLiteral("/proc/kmsg"))), QStringLiteral("File"));
    QCOMPARE(dialog.iconProvider()->type(QFileInfo(QStringLiteral("/proc"))), QStringLiteral("Folder"));
    dialog.show();
    QElapsedTimer shown;
    shown.start();
    while (shown.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(ExportTest)
#include "tst_export.moc"
