// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export for Cutting with a wing: the sheet dialog before the file
// dialog, the ribs nested on the sheet and kerf given, refused values, Cancel,
// and the last sheet remembered.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include "FrameFixture.h"
#include "app/QtDialogs.h"
#include "cut/CutFile.h"
#include "dialogs/CuttingSheetDialog.h"
#include "dialogs/WingDialog.h"
#include "support/PolygonDistance.h"
#include "text/NumberText.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::RecordingDialogs;
using parvelin::testing::airfoilPath;

namespace {

// The recorder for files and messages, with the real sheet dialog.
struct SheetDialogs : RecordingDialogs {
    std::optional<platform::CuttingSheetSettings> cuttingSheet(platform::Window* owner,
                                                               const platform::CuttingSheetSettings& offered,
                                                               const platform::CuttingSheetCheck& check) override {
        return QtDialogs().cuttingSheet(owner, offered, check);
    }
};

struct SheetFixture : FrameFixture {
    SheetDialogs sheetDialogs;
    SheetFixture() { platform::setDialogs(&sheetDialogs); }
    void open(const std::string& path) {
        sheetDialogs.openAnswers.push_back(path);
        frame->handleCommand(kCmdFileOpen);
    }
};

// A window whose rib carries a panel of seven ribs, both sides: fourteen
// parts "R1 L" ... "R7 R". Lengths in inches when `metric` is false.
DocumentWindow* wingWindow(SheetFixture& f, bool metric) {
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    if (window == nullptr || !window->document()->isLoaded()) return nullptr;
    const double unit = metric ? 1.0 : 1.0 / 25.4;
    if (!metric) {
        RibProperties p = window->document()->properties();
        p.metric = 0;
        p.chord = 5.5f;
        window->document()->applyProperties(p);
    }
    dialogs::WingSettings wing = dialogs::defaultWingSettings(window->document()->properties());
    wing.panel.span = 400.0 * unit;
    wing.panel.rootChord = 140.0 * unit;
    wing.panel.tipChord = 90.0 * unit;
    wing.panel.ribCount = 7;
    wing.panel.side = wing::WingSide::Both;
    window->setWing(wing);
    return window;
}

// Runs Export for Cutting: `fill` gets the open sheet dialog, then OK is
// pressed when `ok`; a dialog still open afterwards is cancelled. Returns
// whether the dialog was shown.
bool exportCut(FrameFixture& f, const std::function<void(dialogs::CuttingSheetDialog&)>& fill, bool ok) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<dialogs::CuttingSheetDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen = true;
        fill(*dialog);
        if (ok) dialog->accept();
        if (dialog->isVisible()) dialog->reject();
    });
    f.frame->handleCommand(kCmdFileExportCut);
    return seen;
}

QLineEdit* box(dialogs::CuttingSheetDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void fillSheet(dialogs::CuttingSheetDialog& d, const QString& width, const QString& height, const QString& kerf) {
    box(d, "sheetWidth")->setText(width);
    box(d, "sheetHeight")->setText(height);
    box(d, "kerf")->setText(kerf);
}

// The one message after a wing's sheets are written: information only,
// naming each sheet file. Clears the recorded messages.
bool reportedSheets(RecordingDialogs& d, std::size_t sheets) {
    const bool one = d.messages.size() == 1 && d.messages[0].icon == platform::MessageIcon::Information;
    std::size_t named = 0;
    if (one)
        for (std::size_t k = 1; k <= sheets; ++k)
            named += d.messages[0].text.find("-sheet-" + std::to_string(k) + ".") != std::string::npos;
    d.messages.clear();
    return one && named == sheets;
}

struct Part {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    wing::Polygon outline;
};

struct Label {
    double x = 0.0, y = 0.0;
    std::string text;
};

struct SheetContents {
    std::vector<Part> parts;
    std::vector<Label> labels;  // in the parts' order
};

// The closed polylines and the texts of a sheet file, read by group codes.
SheetContents readSheetDxf(const QString& path) {
    SheetContents sheet;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return sheet;
    std::istringstream in(file.readAll().toStdString());
    std::string code, value, entity;
    double x = 0.0;
    while (std::getline(in, code) && std::getline(in, value)) {
        const int c = std::stoi(code);
        if (c == 0) {
            entity = value;
            if (entity == "LWPOLYLINE") sheet.parts.emplace_back();
            if (entity == "TEXT") sheet.labels.emplace_back();
        } else if (entity == "TEXT") {
            Label& l = sheet.labels.back();
            if (c == 10) l.x = parseDouble(value.c_str());
            if (c == 20) l.y = parseDouble(value.c_str());
            if (c == 1) l.text = value;
        } else if (entity == "LWPOLYLINE" && c == 10) {
            x = parseDouble(value.c_str());
        } else if (entity == "LWPOLYLINE" && c == 20) {
            Part& p = sheet.parts.back();
            const double y = parseDouble(value.c_str());
            p.minX = std::min(p.minX, x), p.maxX = std::max(p.maxX, x);
            p.minY = std::min(p.minY, y), p.maxY = std::max(p.maxY, y);
            p.outline.push_back(wing::Vec2{x, y});
        }
    }
    return sheet;
}

// What every written set of sheets must hold: sheets numbered from 1 with no
// gap, every rib once on one of them with its label on it, every part inside
// its sheet by the margin and every two parts of a sheet at least the gap apart
// (the cut paths, half the kerf outside the parts).
void checkSheets(const QString& stem, double width, double height, double gap, double margin, std::size_t& sheetCount) {
    const double eps = 2e-6;
    std::map<std::string, int> seen;
    sheetCount = 0;
    while (QFile::exists(QString("%1-sheet-%2.dxf").arg(stem).arg(sheetCount + 1))) ++sheetCount;
    QVERIFY(sheetCount > 0);
    for (std::size_t s = 1; s <= sheetCount; ++s) {
        const SheetContents sheet = readSheetDxf(QString("%1-sheet-%2.dxf").arg(stem).arg(s));
        QVERIFY(!sheet.parts.empty());
        QCOMPARE(sheet.labels.size(), sheet.parts.size());
        for (std::size_t i = 0; i < sheet.parts.size(); ++i) {
            const Part& a = sheet.parts[i];
            const Label& label = sheet.labels[i];
            ++seen[label.text];
            QVERIFY2(label.x > a.minX && label.x < a.maxX && label.y > a.minY && label.y < a.maxY, label.text.c_str());
            QVERIFY(a.minX >= margin - eps && a.minY >= margin - eps);
            QVERIFY(a.maxX <= width - margin + eps && a.maxY <= height - margin + eps);
            for (std::size_t j = i + 1; j < sheet.parts.size(); ++j) {
                const Part& b = sheet.parts[j];
                // The outlines themselves keep the gap; their boxes may
                // overlap where a turned rib settles over another.
                const double boxes = std::max({b.minX - a.maxX, a.minX - b.maxX, b.minY - a.maxY, a.minY - b.maxY});
                const double apart = boxes >= gap ? boxes : parvelin::testing::outlineDistance(a.outline, b.outline);
                QVERIFY2(apart >= gap - eps, qPrintable(QString("sheet %1: parts %2 and %3 are %4 apart")
                                                           .arg(s).arg(i).arg(j).arg(apart)));
            }
        }
    }
    QCOMPARE(seen.size(), std::size_t(14));
    for (int rib = 1; rib <= 7; ++rib)
        for (const char* side : {" L", " R"}) QCOMPARE(seen["R" + std::to_string(rib) + side], 1);
}

} // namespace

class WingSheetTest : public QObject {
    Q_OBJECT
private slots:
    void ribsAreNestedOnTheSheetAndKerfGiven();
    void inchesOfferTheDefaultSheetConvertedAndKeepItExactly();
    void refusedValuesKeepTheDialogOpenAndCancelWritesNothing();
    void theLastSheetIsRememberedInItsUnit();
    void aSingleRibIsCutWithTheKerfGiven();
};

void WingSheetTest::ribsAreNestedOnTheSheetAndKerfGiven() {
    SheetFixture f;
    QVERIFY(wingWindow(f, true) != nullptr);
    QCOMPARE(f.frame->activeChild()->ribSet().error, std::string());
    struct Case {
        QString width, height, kerf;
        double w, h, k;
        bool severalSheets;
    };
    // A decimal comma reads as a point, as on the property pages.
    const Case cases[] = {{"600", "100", "0", 600, 100, 0, false},
                          {"150,5", "60", "1,5", 150.5, 60, 1.5, true},
                          {"1200", "45.25", "3", 1200, 45.25, 3, false},
                          {"300", "30", "0.25", 300, 30, 0.25, true}};
    int n = 0;
    for (const Case& c : cases) {
        const QString stem = f.scratch.filePath(QString("cut%1").arg(++n));
        f.sheetDialogs.saveAnswers.push_back((stem + ".DXF").toStdString());
        QVERIFY(exportCut(f, [&](dialogs::CuttingSheetDialog& d) { fillSheet(d, c.width, c.height, c.kerf); }, true));
        std::size_t sheets = 0;
        checkSheets(stem, c.w, c.h, 2.0, 2.0, sheets);
        if (QTest::currentTestFailed()) return;
        QVERIFY(reportedSheets(f.sheetDialogs, sheets));
        QCOMPARE(sheets > 1, c.severalSheets);
    }
}

void WingSheetTest::inchesOfferTheDefaultSheetConvertedAndKeepItExactly() {
    SheetFixture f;
    QVERIFY(wingWindow(f, false) != nullptr);
    QCOMPARE(f.frame->activeChild()->ribSet().error, std::string());
    const QString stem = f.scratch.filePath("inch");
    f.sheetDialogs.saveAnswers.push_back((stem + ".svg").toStdString());
    QStringList shown;
    QVERIFY(exportCut(f, [&](dialogs::CuttingSheetDialog& d) {
        for (const char* name : {"sheetWidth", "sheetHeight", "kerf"}) shown << box(d, name)->text();
    }, true));
    QCOMPARE(shown, QStringList({"23.622", "3.937", "0.000"}));
    // The sheet is the 600 x 100 mm sheet itself, not its rounded display.
    QFile svg(stem + "-sheet-1.svg");
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    QVERIFY2(text.contains("width=\"23.622047in\" height=\"3.937008in\" viewBox=\"0.000000 -3.937008 23.622047 3.937008\""),
             qPrintable(text.left(300)));
    QVERIFY(reportedSheets(f.sheetDialogs, 1));
}

void WingSheetTest::refusedValuesKeepTheDialogOpenAndCancelWritesNothing() {
    SheetFixture f;
    QVERIFY(wingWindow(f, true) != nullptr);
    struct Bad {
        const char* box;
        QString text;
        const char* said;  // what the message must name
    };
    const Bad bad[] = {{"sheetWidth", "0", "sheet width"},       {"sheetWidth", "", "sheet width"},
                       {"sheetHeight", "-20", "sheet height"},   {"sheetHeight", "1O0", "sheet height"},
                       {"kerf", "-0.1", "kerf"},                 {"kerf", "100", "kerf"},
                       {"kerf", "nan", "kerf"},                  {"sheetWidth", "120", "is too small for R1"},
                       {"sheetHeight", "15", "is too small for R1"}};
    for (const Bad& b : bad) {
        f.sheetDialogs.messages.clear();
        bool stayedOpen = false;
        QString focused;
        QVERIFY(exportCut(f, [&](dialogs::CuttingSheetDialog& d) {
            box(d, b.box)->setText(b.text);
            d.accept();
            stayedOpen = d.isVisible();
        }, false));
        QVERIFY2(stayedOpen, b.box);
        QCOMPARE(f.sheetDialogs.messages.size(), std::size_t(1));
        QVERIFY2(f.sheetDialogs.messages[0].text.find(b.said) != std::string::npos,
                 f.sheetDialogs.messages[0].text.c_str());
    }
    // Cancel, whatever the boxes hold: no file name asked, nothing written,
    // nothing remembered.
    QVERIFY(exportCut(f, [&](dialogs::CuttingSheetDialog& d) { fillSheet(d, "300", "80", "1"); }, false));
    QVERIFY(f.sheetDialogs.saveSettings.empty());
    QVERIFY(QDir(f.scratch.path()).entryList({"*.DXF", "*.dxf", "*.svg"}, QDir::Files).isEmpty());
    QStringList shown;
    QVERIFY(exportCut(f, [&](dialogs::CuttingSheetDialog& d) { shown << box(d, "sheetWidth")->text(); }, false));
    QCOMPARE(shown, QStringList({"600.000"}));
}

void WingSheetTest::theLastSheetIsRememberedInItsUnit() {
    SheetFixture f;
    QVERIFY(wingWindow(f, true) != nullptr);
    f.sheetDialogs.saveAnswers.push_back(std::nullopt);  // OK on the sheet, then Cancel on the file name
    QVERIFY(exportCut(f, [](dialogs::CuttingSheetDialog& d) { fillSheet(d, "450,5", "80", "0,2"); }, true));
    QCOMPARE(f.sheetDialogs.saveSettings.size(), std::size_t(1));
    // A frame started afterwards (the next run) offers it again, to
    // millimetre ribs as typed and to ribs in inches converted.
    QStringList shown;
    auto look = [&](dialogs::CuttingSheetDialog& d) {
        for (const char* name : {"sheetWidth", "sheetHeight", "kerf"}) shown << box(d, name)->text();
    };
    for (const bool metric : {true, false}) {
        f.frame = std::make_unique<FrameWindow>();
        f.frame->start();
        QVERIFY(wingWindow(f, metric) != nullptr);
        QVERIFY(exportCut(f, look, false));
    }
    QCOMPARE(shown, QStringList({"450.500", "80.000", "0.200", "17.736", "3.150", "0.008"}));

    // What cannot be a sheet in the settings is not offered.
    QSettings store(QStringLiteral("Parvelin"), QStringLiteral("Parvelin"));
    for (const char* wrong : {"abc", "-5", "0"}) {
        store.setValue("cuttingSheet/width", wrong);
        const platform::CuttingSheetSettings offered = dialogs::rememberedCuttingSheet(store, true, 3);
        QCOMPARE(offered.width, 600.0);
        QCOMPARE(offered.height, 100.0);
        QCOMPARE(offered.kerf, 0.0);
    }
}

// Without a wing the dialog asks the kerf alone, and the rib's cut file is
// its outline grown by half of it: the file equals the one written from the
// document with that kerf, and differs from the one without.
void WingSheetTest::aSingleRibIsCutWithTheKerfGiven() {
    SheetFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(window != nullptr && window->document()->isLoaded());
    RibProperties p = window->document()->properties();
    p.sparStyle = 1;
    p.leadingEdgeStyle = 1;
    p.trailingEdgeStyle = 3;
    window->document()->applyProperties(p);

    const QString path = f.scratch.filePath("rib.dxf");
    f.sheetDialogs.saveAnswers.push_back(path.toStdString());
    bool sheetHidden = false;
    QString title;
    QVERIFY(exportCut(f, [&](dialogs::CuttingSheetDialog& d) {
        sheetHidden = box(d, "sheetWidth")->isHidden() && box(d, "sheetHeight")->isHidden();
        title = d.windowTitle();
        box(d, "kerf")->setText("0,5");
    }, true));
    QVERIFY(sheetHidden);
    QCOMPARE(title, QString::fromUtf8(dialogs::kCutKerfDialogTitle));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();

    auto expected = [&](double kerf, const char* name) {
        const QString file = f.scratch.filePath(QString::fromLatin1(name));
        const CutDrawing drawing = cutDrawing(*window->document(), kerf);
        if (writeCutFile(file.toStdString(), drawing, CutFileFormat::Dxf, DxfVersion::R2000) !=
            FileWriteResult::Written)
            return QByteArray();
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    };
    QCOMPARE(bytes, expected(0.5, "half.dxf"));
    QVERIFY(bytes != expected(0.0, "none.dxf"));
    QVERIFY2(f.sheetDialogs.messages.empty(),
             f.sheetDialogs.messages.empty() ? "" : f.sheetDialogs.messages[0].text.c_str());
}

QTEST_MAIN(WingSheetTest)
#include "tst_wing_sheet.moc"
