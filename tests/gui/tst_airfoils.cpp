// SPDX-License-Identifier: GPL-3.0-or-later
// File > New from NACA... and File > Airfoil Browser...: the dialog makes a
// normal document, the browser lists a folder, filters it, marks what it
// cannot read, opens on a double-click and picks the wing's tip airfoil.
// With PARVELIN_SCREENSHOT_DIR set, the dialogs are saved there as pictures.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "FrameFixture.h"
#include "airfoil/NacaSection.h"
#include "app/DocumentWindow.h"
#include "dialogs/AirfoilBrowser.h"
#include "dialogs/NacaDialog.h"
#include "dialogs/WingDialog.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;

namespace {

void saveScreenshot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("PARVELIN_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    widget->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/") + QString::fromLatin1(name));
}

// Runs `command` and hands the modal dialog of type T it opens to `drive`;
// a dialog still open afterwards is cancelled.
template <typename T>
bool throughDialog(FrameFixture& f, int command, const std::function<void(T&)>& drive) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen = true;
        drive(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    f.frame->handleCommand(command);
    return seen;
}

std::vector<CoordinatePair> pointsOf(const AirfoilDocument& document) {
    std::vector<CoordinatePair> points;
    for (const AirfoilPoint& p : document.points())
        points.push_back({static_cast<float>(p.modelX), static_cast<float>(p.modelY)});
    return points;
}

int datFiles(const QString& folder) { return QDir(folder).entryList({QStringLiteral("*.dat")}, QDir::Files).size(); }

} // namespace

class AirfoilsTest : public QObject {
    Q_OBJECT
private slots:
    void nacaDialogMakesANormalDocument();
    void browserListsFiltersAndMarksUnreadableFiles();
    void browserDoubleClickOpensAndRemembersTheFolder();
    void wingTipIsPickedFromTheBrowser();
};

void AirfoilsTest::nacaDialogMakesANormalDocument() {
    FrameFixture f;
    QVERIFY(f.frame->action(kCmdFileNewNaca)->isEnabled());
    QVERIFY(f.frame->action(kCmdFileAirfoilBrowser)->isEnabled());
    QVERIFY(throughDialog<dialogs::NacaDialog>(f, kCmdFileNewNaca, [](dialogs::NacaDialog& d) {
        auto* designation = d.findChild<QLineEdit*>("designation");
        auto* ok = d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        // A designation without a section refuses OK and says why.
        designation->setText(QStringLiteral("26012"));
        QVERIFY(!ok->isEnabled());
        QVERIFY(d.findChild<QLabel*>("summary")->text().contains(QStringLiteral("published")));
        designation->setText(QStringLiteral("23112"));
        d.findChild<QSpinBox*>("points")->setValue(60);
        d.findChild<QCheckBox*>("closedTrailingEdge")->setChecked(true);
        QVERIFY(ok->isEnabled());
        QVERIFY(d.findChild<QLabel*>("summary")->text().startsWith(QStringLiteral("NACA 23112: thickness 12.0 %")));
        d.resize(560, 380);
        saveScreenshot(&d, "naca-dialog.png");
        d.accept();
    }));
    AirfoilDocument* document = f.frame->currentDocument();
    QVERIFY(document != nullptr && document->isLoaded());
    QCOMPARE(document->getName().value_or(""), std::string("NACA 23112"));
    std::string error;
    const CoordinateFileContents made =
        nacaSectionContents(parseNacaDesignation("23112", error).value(), NacaOptions{60, true});
    QVERIFY(pointsOf(*document) == made.drawingOrder);
    // A normal document: it saves, exports and takes properties.
    QVERIFY(f.frame->action(kCmdFileSaveAs)->isEnabled());
    QVERIFY(f.frame->action(kCmdFileExport)->isEnabled());
    QVERIFY(f.frame->action(kCmdWingProperties)->isEnabled());

    // Cancel makes nothing: the loaded window stays the only one.
    const int windows = static_cast<int>(f.frame->documentWindows().size());
    QVERIFY(throughDialog<dialogs::NacaDialog>(f, kCmdFileNewNaca, [](dialogs::NacaDialog& d) { d.reject(); }));
    QCOMPARE(static_cast<int>(f.frame->documentWindows().size()), windows);
}

void AirfoilsTest::browserListsFiltersAndMarksUnreadableFiles() {
    FrameFixture f;
    const QString shipped = dialogs::shippedAirfoilsFolder();
    QVERIFY(!shipped.isEmpty());
    dialogs::AirfoilBrowser browser(dialogs::BrowserMode::Open);
    // Nothing remembered yet: the shipped airfoils come first.
    QCOMPARE(browser.folder(), QDir::cleanPath(shipped));
    QCOMPARE(browser.list()->topLevelItemCount(), datFiles(shipped));
    QCOMPARE(browser.shownCount(), datFiles(shipped));
    browser.findChild<QLineEdit*>("search")->setText(QStringLiteral("230"));
    QCOMPARE(browser.shownCount(), 2);  // 23012, 23015
    browser.findChild<QLineEdit*>("search")->clear();
    browser.findChild<QDoubleSpinBox*>("minThickness")->setValue(11.0);
    browser.findChild<QDoubleSpinBox*>("maxThickness")->setValue(13.0);
    QCOMPARE(browser.shownCount(), 5);  // 0012, 2412, 4412, 23012, 23112
    browser.findChild<QDoubleSpinBox*>("minThickness")->setValue(0.0);
    browser.findChild<QDoubleSpinBox*>("maxThickness")->setValue(100.0);

    // The test corpus: every file listed; drawings for the readable ones.
    const QString corpus = QStringLiteral(PARVELIN_AIRFOIL_DIR);
    browser.showFolder(corpus);
    QCOMPARE(browser.list()->topLevelItemCount(), datFiles(corpus));
    browser.resize(980, 600);
    browser.findChild<QLineEdit*>("search")->setText(QStringLiteral("naca"));
    QVERIFY(browser.shownCount() >= 3);
    saveScreenshot(&browser, "airfoil-browser.png");
    browser.findChild<QLineEdit*>("search")->clear();

    // A folder with a file no reader takes: listed with the reason, no drawing.
    std::string error;
    f.write("good.dat", nacaSeligText(parseNacaDesignation("0012", error).value(), {}));
    f.write("words.dat", "nothing\nbut words\n");
    browser.showFolder(f.scratch.path());
    QCOMPARE(browser.list()->topLevelItemCount(), 2);
    saveScreenshot(&browser, "airfoil-browser-unreadable.png");
    QTreeWidgetItem* words = browser.list()->findItems(QStringLiteral("words.dat"), Qt::MatchExactly, 2).value(0);
    QVERIFY(words != nullptr);
    QVERIFY(words->text(1).startsWith(QStringLiteral("Cannot be read: The file holds fewer than three")));
    QVERIFY(words->icon(0).isNull());
    browser.list()->setCurrentItem(words);
    QVERIFY(!browser.findChild<QPushButton*>("choose")->isEnabled());
    QTreeWidgetItem* good = browser.list()->findItems(QStringLiteral("good.dat"), Qt::MatchExactly, 2).value(0);
    QVERIFY(good != nullptr);
    QCOMPARE(good->text(1), QStringLiteral("NACA 0012"));
    QCOMPARE(good->text(4), QStringLiteral("12.0 % at 31 %"));
    QVERIFY(!good->icon(0).isNull());
    browser.list()->setCurrentItem(good);
    QVERIFY(browser.findChild<QPushButton*>("choose")->isEnabled());
}

void AirfoilsTest::browserDoubleClickOpensAndRemembersTheFolder() {
    FrameFixture f;
    const QString corpus = QStringLiteral(PARVELIN_AIRFOIL_DIR);
    QVERIFY(throughDialog<dialogs::AirfoilBrowser>(f, kCmdFileAirfoilBrowser, [&](dialogs::AirfoilBrowser& b) {
        b.showFolder(corpus);
        QTreeWidgetItem* clark = b.list()->findItems(QStringLiteral("asb__clarky.dat"), Qt::MatchExactly, 2).value(0);
        QVERIFY(clark != nullptr);
        emit b.list()->itemDoubleClicked(clark, 1);
    }));
    AirfoilDocument* document = f.frame->currentDocument();
    QVERIFY(document != nullptr && document->isLoaded());
    QCOMPARE(document->fileName(), std::string("asb__clarky.dat"));
    // A second browser starts in the folder shown last.
    dialogs::AirfoilBrowser again(dialogs::BrowserMode::Open);
    QCOMPARE(again.folder(), QDir::cleanPath(corpus));
}

void AirfoilsTest::wingTipIsPickedFromTheBrowser() {
    FrameFixture f;
    f.open(testing::airfoilPath("asb__clarky.dat"));
    const QString tip = dialogs::shippedAirfoilsFolder() + QStringLiteral("/naca0009.dat");
    QVERIFY(throughDialog<dialogs::WingDialog>(f, kCmdWingProperties, [&](dialogs::WingDialog& d) {
        QTimer::singleShot(0, [&] {
            auto* browser = qobject_cast<dialogs::AirfoilBrowser*>(QApplication::activeModalWidget());
            QVERIFY(browser != nullptr);
            QCOMPARE(browser->windowTitle(), QStringLiteral("Tip Airfoil"));
            browser->showFolder(dialogs::shippedAirfoilsFolder());
            browser->list()->setCurrentItem(
                browser->list()->findItems(QStringLiteral("naca0009.dat"), Qt::MatchExactly, 2).value(0));
            browser->findChild<QPushButton*>("choose")->click();
        });
        d.findChild<QPushButton*>("libraryTipAirfoil")->click();
        QCOMPARE(d.findChild<QLineEdit*>("tipAirfoil")->text(), tip);
        saveScreenshot(&d, "wing-dialog.png");
        // naca: stands for the section in the tip box too.
        d.findChild<QLineEdit*>("tipAirfoil")->setText(QStringLiteral("naca:0009"));
        d.accept();
    }));
    DocumentWindow* window = f.frame->activeChild();
    QVERIFY(window->wing().has_value());
    std::string error;
    const CoordinateFileContents naca0009 = nacaSectionContents(parseNacaDesignation("0009", error).value(), {});
    QCOMPARE(window->wing()->tipSection.size(), naca0009.drawingOrder.size());
}

QTEST_MAIN(AirfoilsTest)
#include "tst_airfoils.moc"
