// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export for Cutting as laser G-code: the laser dialog driven as a
// user would, the files read back by the tests' own G-code interpreter (the
// beam never on during a travel move, every contour closed, the traced path
// on the cut outline, S within the maximum, M5 and the origin at the end),
// bad settings refused with nothing written, and the settings remembered.
// With PARVELIN_SCREENSHOT_DIR set, the dialog is saved there as pictures.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <cmath>
#include <functional>

#include "FrameFixture.h"
#include "app/LaserExport.h"
#include "app/QtDialogs.h"
#include "cut/CutFile.h"
#include "dialogs/LaserGcodeDialog.h"
#include "dialogs/WingDialog.h"
#include "machine/MachineJobs.h"
#include "support/GcodeReader.h"
#include "support/PolygonDistance.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::dialogs::LaserGcodeDialog;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void saveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("PARVELIN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) widget->grab().save(folder + QStringLiteral("/") + name);
}

// Runs Export for Cutting; once the laser dialog is up (after the nesting's
// progress, for a wing) `drive` gets it, and Write is pressed when `write`.
// A dialog still open afterwards is cancelled. Returns whether it was shown.
bool exportWithLaser(FrameFixture& f, const std::function<void(LaserGcodeDialog&)>& drive, bool write) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<LaserGcodeDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        poll.stop();
        seen = true;
        drive(*dialog);
        if (write) dialog->accept();
        if (dialog->isVisible()) dialog->reject();
    });
    poll.start();
    f.frame->handleCommand(kCmdFileExportCut);
    return seen;
}

QLineEdit* box(LaserGcodeDialog& d, const char* name) { return d.findChild<QLineEdit*>(QString::fromLatin1(name)); }

struct Boxes {
    QString feed, power, sMax, passes;
    bool constant = false;
};

void fill(LaserGcodeDialog& d, const Boxes& b) {
    box(d, "feed")->setText(b.feed);
    box(d, "power")->setText(b.power);
    box(d, "sMax")->setText(b.sMax);
    box(d, "passes")->setText(b.passes);
    d.findChild<QCheckBox*>(QStringLiteral("constantPower"))->setChecked(b.constant);
}

machine::Vec2 xy(const std::map<char, double>& at) {
    const auto x = at.find('X'), y = at.find('Y');
    return {x == at.end() ? 0.0 : x->second, y == at.end() ? 0.0 : y->second};
}

// The runs the beam traces, checked against the rules every laser file keeps:
// millimetres and absolute positions first, the beam off on every travel
// move, S within sMax, no Z, the beam off and the head at the origin at the
// end, each run closed within 0.01 mm.
std::vector<machine::Polygon> beamRuns(const QString& text, double sMax, const char* onCode) {
    const testing::GcodeRun run = testing::readGcode(text.toStdString());
    std::vector<machine::Polygon> runs;
    if (!run.error.empty() || run.codes.size() < 3 || run.moves.empty()) {
        qWarning("unreadable G-code: %s", run.error.c_str());
        return runs;
    }
    bool sound = run.codes[0] == "G21" && run.codes[1] == "G90" && run.largestS <= sMax && !run.letters.count('Z');
    sound = sound && std::count(run.codes.begin(), run.codes.end(), std::string(onCode)) > 0;
    bool open = false;
    for (const testing::GcodeMove& m : run.moves) {
        sound = sound && !(m.motion == 0 && m.beamOn);
        if (m.motion == 1 && m.beamOn) {
            if (!open) runs.push_back({xy(m.from)});
            runs.back().push_back(xy(m.to));
        }
        open = m.motion == 1 && m.beamOn;
    }
    const testing::GcodeMove& last = run.moves.back();
    sound = sound && last.motion == 0 && !last.beamOn && xy(last.to).x == 0.0 && xy(last.to).y == 0.0;
    sound = sound && run.codes.back() == "M2" && std::find(run.codes.rbegin(), run.codes.rend(), "M5") <
                                                     std::find(run.codes.rbegin(), run.codes.rend(), onCode);
    for (const machine::Polygon& r : runs) {
        const double gap = std::hypot(r.front().x - r.back().x, r.front().y - r.back().y);
        sound = sound && r.size() > 3 && gap < 0.01;
    }
    if (!sound) runs.clear();
    return runs;
}

// The farthest a corner of `a` lies from the closed outline `b`.
double farthestFrom(const machine::Polygon& a, const machine::Polygon& b) {
    double farthest = 0.0;
    for (const machine::Vec2& p : a) {
        double nearest = 1e300;
        for (std::size_t i = 0; i < b.size(); ++i)
            nearest = std::min(nearest, testing::pointToSegment(p, b[i], b[(i + 1) % b.size()]));
        farthest = std::max(farthest, nearest);
    }
    return farthest;
}

// Small when the beam went round the contour: every traced corner on the
// contour and every corner of the contour on the trace.
double traceDistance(const machine::Polygon& trace, const machine::Polygon& contour) {
    return std::max(farthestFrom(trace, contour), farthestFrom(contour, trace));
}

DocumentWindow* wingWindow(FrameFixture& f) {
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    if (window == nullptr || !window->document()->isLoaded()) return nullptr;
    dialogs::WingSettings wing = dialogs::defaultWingSettings(window->document()->properties());
    wing.panel.span = 400.0;
    wing.panel.rootChord = 140.0;
    wing.panel.tipChord = 90.0;
    wing.panel.ribCount = 7;
    wing.panel.side = wing::WingSide::Both;
    window->setWing(wing);
    return window;
}

} // namespace

class LaserGcodeTest : public QObject {
    Q_OBJECT
private slots:
    void aRibsFileTracesItsCutOutline();
    void badSettingsAreRefusedAndNothingIsWritten();
    void unusableStoredSettingsGiveTheDefaults();
    void aWingIsCutSheetBySheetOrNotAtAll();
    void theFileTypeChosenGivesTheExtension();
    void aWingsFoamCoresComeFromTheHotWireTab();
};

// For a sweep of settings and kerfs the rib's file reads back as the cut
// outline grown by half the kerf, traced once a pass, at the power asked;
// each export offers the settings of the one before.
void LaserGcodeTest::aRibsFileTracesItsCutOutline() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(window != nullptr && window->document()->isLoaded());
    RibProperties p = window->document()->properties();
    p.sparStyle = 1;
    p.trailingEdgeStyle = 3;
    window->document()->applyProperties(p);
    struct Case {
        double kerf;
        Boxes boxes;
        long s;
    };
    const Case cases[] = {
        {0.0, {"1200", "100", "1000", "1", false}, 1000},
        {0.2, {"800,5", "40", "1000", "2", false}, 400},
        {0.5, {"600", "33.3", "255", "3", true}, 85},
        {0.1, {"3000", "10", "10", "1", true}, 1},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString path = f.scratch.filePath(QStringLiteral("rib-%1.nc").arg(++n));
        platform::CuttingSheetSettings kerf = f.dialogs.sheetOffers.empty() ? platform::CuttingSheetSettings{}
                                                                            : f.dialogs.sheetOffers.back();
        kerf.kerf = c.kerf;
        kerf.askSheet = false;
        f.dialogs.sheetAnswers.push_back(kerf);
        f.dialogs.saveAnswers.push_back(path.toStdString());
        bool previewed = false;
        Boxes shown;
        QVERIFY(exportWithLaser(f, [&](LaserGcodeDialog& d) {
            previewed = d.previewShown() && d.previewSvg().find("#e00000") != std::string::npos &&
                        d.findChild<QComboBox*>() == nullptr;
            shown = {box(d, "feed")->text(), box(d, "power")->text(), box(d, "sMax")->text(), box(d, "passes")->text(),
                     d.findChild<QCheckBox*>(QStringLiteral("constantPower"))->isChecked()};
            fill(d, c.boxes);
            if (n == 2) saveScreenshot(&d, QStringLiteral("laser-gcode-rib.png"));
        }, true));
        QVERIFY(previewed);
        // Each export offers the settings the one before it wrote with (the defaults first).
        const Boxes before = n == 1 ? Boxes{"", "100", "1000", "1", false} : cases[n - 2].boxes;
        QCOMPARE(shown.feed, QString(before.feed).replace(',', '.'));
        QCOMPARE(shown.power + shown.sMax + shown.passes, before.power + before.sMax + before.passes);
        QCOMPARE(shown.constant, before.constant);
        QCOMPARE(f.dialogs.saveSettings.back().filters.size(), std::size_t(3));
        QCOMPARE(f.dialogs.saveSettings.back().filters[2].description, std::string(kGcodeFilterDescription));
        QVERIFY2(f.dialogs.messages.empty(), f.dialogs.messages.empty() ? "" : f.dialogs.messages[0].text.c_str());

        const QString text = fileText(path);
        QVERIFY(text.contains(QStringLiteral(" S%1\n").arg(c.s)));
        const std::vector<machine::Polygon> runs = beamRuns(text, c.boxes.sMax.toDouble(), c.boxes.constant ? "M3" : "M4");
        // One run with the beam on, round the outline once a pass.
        const std::vector<machine::Polygon> contours =
            machine::ribContours(cutDrawing(*window->document(), c.kerf));
        QCOMPARE(contours.size(), std::size_t(1));
        QCOMPARE(runs.size(), std::size_t(1));
        QCOMPARE(runs[0].size(), contours[0].size() * static_cast<std::size_t>(c.boxes.passes.toInt()) + 1);
        QVERIFY2(traceDistance(runs[0], contours[0]) < 0.01, qPrintable(path));
        QVERIFY(text.contains(QStringLiteral("F") + QString(c.boxes.feed).replace(',', '.')));
    }
}

// Every setting the machine layer refuses, and every box without a number,
// is said with the same words, keeps the dialog open and writes nothing;
// Cancel writes nothing either.
void LaserGcodeTest::badSettingsAreRefusedAndNothingIsWritten() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    const Boxes good{"1000", "50", "1000", "1", false};
    struct Case {
        const char* boxName;
        QString text;
        std::string said;  // the setting's problem, or the box holding no number
    };
    machine::LaserSettings s;
    s.feed = 1000.0;
    auto problem = [&](auto change) {
        machine::LaserSettings bad = s;
        change(bad);
        return machine::laserSettingsProblem(bad).message;
    };
    const Case cases[] = {
        {"feed", "", problem([](auto& b) { b.feed = 0.0; })},
        {"feed", "0", problem([](auto& b) { b.feed = 0.0; })},
        {"feed", "-20", problem([](auto& b) { b.feed = -20.0; })},
        {"feed", "fast", "The feed box holds no number."},
        {"power", "0", problem([](auto& b) { b.power = 0.0; })},
        {"power", "100.5", problem([](auto& b) { b.power = 100.5; })},
        {"power", "", "The power box holds no number."},
        {"sMax", "0,5", problem([](auto& b) { b.sMax = 0.5; })},
        {"sMax", "1e7", problem([](auto& b) { b.sMax = 1e7; })},
        {"power", "0.04", problem([](auto& b) { b.power = 0.04; })},
        {"passes", "0", problem([](auto& b) { b.passes = 0; })},
        {"passes", "1.5", problem([](auto& b) { b.passes = 0; })},
        {"passes", "101", problem([](auto& b) { b.passes = 101; })},
    };
    const QString path = f.scratch.filePath(QStringLiteral("bad.nc"));
    for (const Case& c : cases) {
        f.dialogs.messages.clear();
        f.dialogs.saveAnswers.push_back(path.toStdString());
        bool stayed = false;
        QWidget* focus = nullptr;
        QVERIFY(exportWithLaser(f, [&](LaserGcodeDialog& d) {
            fill(d, good);
            box(d, c.boxName)->setText(c.text);
            d.accept();
            stayed = d.isVisible();
            focus = d.focusWidget();
            if (focus == nullptr) focus = box(d, c.boxName);  // offscreen windows may not take the focus
            focus = focus == box(d, c.boxName) ? focus : nullptr;
        }, false));
        QVERIFY2(stayed, c.boxName);
        QVERIFY2(focus != nullptr, c.boxName);
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QVERIFY(!c.said.empty());
        QCOMPARE(f.dialogs.messages[0].text, c.said);
        QVERIFY2(!QFile::exists(path), qPrintable(c.text));
    }
    // Good settings and Cancel: still nothing.
    f.dialogs.messages.clear();
    f.dialogs.saveAnswers.push_back(path.toStdString());
    QVERIFY(exportWithLaser(f, [&](LaserGcodeDialog& d) { fill(d, good); }, false));
    QVERIFY(!QFile::exists(path));
    QVERIFY(f.dialogs.messages.empty());
    // A name of no known kind is refused before any dialog.
    f.dialogs.saveAnswers.push_back(f.scratch.filePath(QStringLiteral("rib.txt")).toStdString());
    QVERIFY(!exportWithLaser(f, [](LaserGcodeDialog&) {}, false));
    QCOMPARE(f.dialogs.messages.back().text, std::string(kMessageCutOrGcodeFileName));
}

// Stored settings that no file could be written with are not offered:
// the defaults come back, which have no feed.
void LaserGcodeTest::unusableStoredSettingsGiveTheDefaults() {
    FrameFixture f;
    QSettings store(QStringLiteral("Parvelin"), QStringLiteral("Parvelin"));
    machine::LaserSettings kept;
    kept.feed = 1500.0;
    kept.passes = 2;
    dialogs::rememberLaserSettings(store, kept);
    QCOMPARE(dialogs::rememberedLaserSettings(store).passes, 2);
    for (const char* wrong : {"abc", "-1", "nan", "150"}) {
        store.setValue(QStringLiteral("laserGcode/power"), QString::fromLatin1(wrong));
        const machine::LaserSettings offered = dialogs::rememberedLaserSettings(store);
        QCOMPARE(offered.feed, 0.0);
        QCOMPARE(offered.power, 100.0);
        QCOMPARE(offered.passes, 1);
    }
}

// A wing's sheets: the preview shows each sheet, one file is written a
// sheet, every contour of it closed and on the sheet; when one of the names
// is taken none of the files is written.
void LaserGcodeTest::aWingIsCutSheetBySheetOrNotAtAll() {
    FrameFixture f;
    QVERIFY(wingWindow(f) != nullptr);
    platform::CuttingSheetSettings sheet;
    sheet.width = 300.0;
    sheet.height = 80.0;
    sheet.kerf = 0.2;
    f.dialogs.sheetAnswers.push_back(sheet);
    const QString path = f.scratch.filePath(QStringLiteral("wing.nc"));
    f.dialogs.saveAnswers.push_back(path.toStdString());
    int sheets = 0;
    bool eachDrawn = true;
    QVERIFY(exportWithLaser(f, [&](LaserGcodeDialog& d) {
        auto* choice = d.findChild<QComboBox*>(QStringLiteral("sheet"));
        sheets = choice ? choice->count() : 1;
        std::string before;
        for (int k = sheets - 1; k >= 0; --k) {
            if (choice) choice->setCurrentIndex(k);
            eachDrawn = eachDrawn && d.shownJob() == k && d.previewShown() && d.previewSvg() != before;
            before = d.previewSvg();
        }
        fill(d, {"900", "60", "1000", "1", false});
        saveScreenshot(&d, QStringLiteral("laser-gcode-wing.png"));
    }, true));
    QVERIFY(sheets > 1);
    QVERIFY(eachDrawn);
    QCOMPARE(f.dialogs.saveSettings.back().filters.size(), std::size_t(3));
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.messages[0].icon, platform::MessageIcon::Information);
    std::size_t traced = 0;
    for (int k = 1; k <= sheets + 1; ++k) {
        const QString name = f.scratch.filePath(QStringLiteral("wing-sheet-%1.nc").arg(k));
        QCOMPARE(QFile::exists(name), k <= sheets);
        if (k > sheets) break;
        QVERIFY(QString::fromStdString(f.dialogs.messages[0].text).contains(QStringLiteral("wing-sheet-%1.nc").arg(k)));
        const std::vector<machine::Polygon> runs = beamRuns(fileText(name), 1000.0, "M4");
        QVERIFY(!runs.empty());
        for (const machine::Polygon& r : runs)
            for (const machine::Vec2& q : r) QVERIFY(q.x >= 0.0 && q.y >= 0.0 && q.x <= 300.0 && q.y <= 80.0);
        traced += runs.size();
    }
    // Fourteen ribs, each cut at least once round its outline.
    QVERIFY(traced >= 14);

    // A file of the set already there: none is written, and the user is told.
    f.dialogs.messages.clear();
    const QString taken = f.scratch.filePath(QStringLiteral("again-sheet-2.nc"));
    QVERIFY(QFile(taken).open(QIODevice::WriteOnly));
    f.dialogs.sheetAnswers.push_back(sheet);
    f.dialogs.saveAnswers.push_back(f.scratch.filePath(QStringLiteral("again.nc")).toStdString());
    QVERIFY(exportWithLaser(f, [](LaserGcodeDialog& d) { fill(d, {"900", "60", "1000", "1", false}); }, true));
    QVERIFY(!QFile::exists(f.scratch.filePath(QStringLiteral("again-sheet-1.nc"))));
    QCOMPARE(QFile(taken).size(), qint64(0));
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QVERIFY(f.dialogs.messages[0].text.find("already exists") != std::string::npos);

    // A name of no known kind is refused before the ribs are nested.
    f.dialogs.messages.clear();
    f.dialogs.sheetAnswers.push_back(sheet);
    f.dialogs.saveAnswers.push_back(f.scratch.filePath(QStringLiteral("wing.txt")).toStdString());
    QVERIFY(!exportWithLaser(f, [](LaserGcodeDialog&) {}, false));
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kMessageCutOrGcodeFileName));
}

// In the save dialog the type chosen decides the extension a bare name gets.
void LaserGcodeTest::theFileTypeChosenGivesTheExtension() {
    platform::FileDialogSettings s;
    s.filters = {{"Drawing Interchange Format", "*.dxf"},
                 {"Scalable Vector Graphics", "*.svg"},
                 {kGcodeFilterDescription, kGcodeFilterPattern},
                 {"All Files", "*.*"}};
    s.defaultExtension = "dxf";
    QFileDialog dialog;
    configureFileDialog(dialog, s, true);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("dxf"));
    // "All Files" keeps the extension of the type chosen before it.
    const char* expected[] = {"dxf", "svg", "nc", "nc", "dxf"};
    const int order[] = {0, 1, 2, 3, 0};
    for (int k = 0; k < 5; ++k) {
        emit dialog.filterSelected(dialog.nameFilters()[order[k]]);
        QCOMPARE(dialog.defaultSuffix(), QString::fromLatin1(expected[k]));
        QVERIFY(isGcodeName("rib." + dialog.defaultSuffix().toStdString()) == (order[k] >= 2));
    }
}

// On the hot wire's tab: settings the machine layer refuses keep the dialog
// open; sound ones write one core a panel, each move naming all four axes
// inside the machine's travel, the same file the machine layer makes for
// the window's wing; the settings come back at the next export.
void LaserGcodeTest::aWingsFoamCoresComeFromTheHotWireTab() {
    FrameFixture f;
    DocumentWindow* window = wingWindow(f);
    QVERIFY(window != nullptr);
    const QString path = f.scratch.filePath(QStringLiteral("core.nc"));
    f.dialogs.saveAnswers.push_back(path.toStdString());
    auto set = [](dialogs::HotwireGcodePage* page, const char* name, const char* text) {
        auto* b = page->findChild<QLineEdit*>(QString::fromLatin1(name));
        b->setText(QString::fromLatin1(text));
        emit b->editingFinished();
    };
    std::vector<std::string> cores;
    bool drawn = false, stayed = false;
    QVERIFY(exportWithLaser(f, [&](LaserGcodeDialog& d) {
        QVERIFY(d.tabs() != nullptr && d.hotwirePage() != nullptr);
        QCOMPARE(d.windowTitle(), QString::fromLatin1(dialogs::kGcodeDialogTitle));
        d.tabs()->setCurrentIndex(1);
        dialogs::HotwireGcodePage* page = d.hotwirePage();
        set(page, "wireFeed", "300");
        set(page, "towerDistance", "350");  // closer than the 400 mm span
        d.accept();
        stayed = d.isVisible();
        set(page, "towerDistance", "800");
        set(page, "kerfRoot", "0,8");
        set(page, "kerfTip", "1.2");
        set(page, "axes", "xyza");
        drawn = page->previewSvg().find("#0040e0") != std::string::npos;
        for (const dialogs::HotwireCore& c : page->cores()) cores.push_back(c.name);
        saveScreenshot(&d, QStringLiteral("hotwire-gcode-wing.png"));
    }, true));
    QVERIFY(stayed);
    QVERIFY(drawn);
    QCOMPARE(cores, (std::vector<std::string>{"right", "left"}));
    QCOMPARE(f.dialogs.messages.size(), std::size_t(2));
    machine::HotwireSettings s;
    s.feed = 300.0;
    s.towerDistance = 350.0;
    QCOMPARE(f.dialogs.messages[0].text, machine::hotwireSettingsProblem(s, 400.0).message);
    QVERIFY(f.dialogs.messages[1].text.find("2 foam cores were written") != std::string::npos);
    QVERIFY(!QFile::exists(f.scratch.filePath(QStringLiteral("core-sheet-1.nc"))));

    s.towerDistance = 800.0;
    s.kerfRoot = 0.8;
    s.kerfTip = 1.2;
    s.axes = "XYZA";
    wing::WingPanel panel = window->wing()->panel;
    panel.washout = window->document()->properties().washout;
    const machine::CoreSections sections =
        machine::coreSections(window->document()->points(), window->wing()->tipSection, panel, 1.0);
    for (const char* side : {"right", "left"}) {
        const QString text = fileText(f.scratch.filePath(QStringLiteral("core-%1.nc").arg(side)));
        const testing::GcodeRun run = testing::readGcode(text.toStdString());
        QVERIFY2(run.error.empty(), run.error.c_str());
        QVERIFY(run.moves.size() > 100);
        for (const testing::GcodeMove& m : run.moves) {
            QCOMPARE(m.named, (std::set<char>{'X', 'Y', 'Z', 'A'}));
            for (const char axis : {'X', 'Z'}) QVERIFY(m.to.at(axis) >= 0.0 && m.to.at(axis) <= s.travelX);
            for (const char axis : {'Y', 'A'}) QVERIFY(m.to.at(axis) >= 0.0 && m.to.at(axis) <= s.travelY);
        }
        const bool rootAtLeft = std::string(side) == "right";
        const std::string name = window->document()->getName().value_or(std::string());
        const machine::HotwireProgram expected =
            machine::hotwireProgram(sections, s, rootAtLeft, name + " wing, " + side + " panel");
        QCOMPARE(text.toStdString(), expected.text);
    }

    // Offered again at the next export.
    f.dialogs.saveAnswers.push_back(f.scratch.filePath(QStringLiteral("again.nc")).toStdString());
    QString towers, axes;
    QVERIFY(exportWithLaser(f, [&](LaserGcodeDialog& d) {
        towers = d.hotwirePage()->findChild<QLineEdit*>(QStringLiteral("towerDistance"))->text();
        axes = d.hotwirePage()->findChild<QLineEdit*>(QStringLiteral("axes"))->text();
    }, false));
    QCOMPARE(towers, QStringLiteral("800"));
    QCOMPARE(axes, QStringLiteral("XYZA"));
}

QTEST_MAIN(LaserGcodeTest)
#include "tst_laser_gcode.moc"
