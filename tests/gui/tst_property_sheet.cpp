// SPDX-License-Identifier: GPL-3.0-or-later
// The "Airfoil Properties" sheet, driven through its real widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "dialogs/ControlIds.h"
#include "dialogs/PropertiesCommand.h"
#include "dialogs/PropertySheet.h"
#include "dialogs/StylePictures.h"
#include "document/AirfoilDocument.h"
#include "support/Recorders.h"

using namespace parvelin;
using namespace parvelin::dialogs;

namespace {

constexpr int kGeneral = PropertySheet::General;
constexpr int kLeadingEdge = PropertySheet::LeadingEdge;
constexpr int kSpars = PropertySheet::Spars;
constexpr int kTrailingEdge = PropertySheet::TrailingEdge;
constexpr int kSheeting = PropertySheet::Sheeting;

// Drives a shown sheet the way a user does: tab clicks, clicks on check
// box indicators, typing.
struct Driver {
    PropertySheet* sheet = nullptr;

    void goTo(int position) const {
        QTabBar* bar = sheet->tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(position).center());
    }
    template <typename T>
    T* on(int position, int id) const {
        PropertyPage* page = sheet->page(position);
        T* found = page ? page->control<T>(id) : nullptr;
        if (!found) qFatal("control %d missing on page %d", id, position);
        return found;
    }
    QLineEdit* box(int position, int id) const { return on<QLineEdit>(position, id); }
    QString text(int position, int id) const {
        if (auto* label = sheet->page(position)->control<QLabel>(id)) return label->text();
        return box(position, id)->text();
    }
    void click(int position, int id) const {
        QCheckBox* check = on<QCheckBox>(position, id);
        QStyleOptionButton option;
        option.initFrom(check);
        const QRect indicator = check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
        QTest::mouseClick(check, Qt::LeftButton, {}, indicator.center());
    }
    void type(int position, int id, const QString& text) const {
        box(position, id)->clear();
        QTest::keyClicks(box(position, id), text);
    }
    // The marks of check boxes in one string: 'x' checked, '-' unchecked,
    // '?' indeterminate.
    QString marks(int position, std::initializer_list<int> ids) const {
        QString result;
        for (int id : ids) {
            const Qt::CheckState state = on<QCheckBox>(position, id)->checkState();
            result += state == Qt::Checked ? 'x' : state == Qt::Unchecked ? '-' : '?';
        }
        return result;
    }
    // The looks of boxes in one string: 'e' enabled, 'd' disabled.
    QString looks(int position, std::initializer_list<int> ids) const {
        QString result;
        for (int id : ids) result += on<QWidget>(position, id)->isEnabled() ? 'e' : 'd';
        return result;
    }
    QComboBox* precision() const { return on<QComboBox>(kGeneral, general::kPrecision); }
    QMessageBox* message() const {
        for (QMessageBox* box : sheet->findChildren<QMessageBox*>())
            if (box->isVisible()) return box;
        return nullptr;
    }
};

// A sheet over its own two copies, shown.
struct Sheet : Driver {
    explicit Sheet(const RibProperties& start = kDefaultRibProperties) : edited(start), kept(start) {
        owned = std::make_unique<PropertySheet>(edited, kept);
        sheet = owned.get();
        sheet->show();
        if (!QTest::qWaitForWindowExposed(sheet)) qWarning("sheet not exposed");
    }
    RibProperties edited;
    RibProperties kept;
    std::unique_ptr<PropertySheet> owned;
};

// A loaded document in a window its components can fit to.
struct LoadedDocument {
    LoadedDocument() { document.takeContents(sampleAirfoil(), &window); }
    testing::RecordingWindow window;
    AirfoilDocument document;
};

// Runs the properties command and drives the modal sheet it opens.
void runCommandDriving(AirfoilDocument& document, const std::function<void(const Driver&)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        Driver driver{qobject_cast<PropertySheet*>(QApplication::activeModalWidget())};
        if (!driver.sheet) return;
        drive(driver);
        driven = true;
        if (driver.sheet->isVisible()) driver.sheet->reject();  // a failed step must not hang the test
    });
    QVERIFY(dialogs::runPropertiesCommand(document, nullptr));
    QVERIFY(driven);
}

} // namespace

class PropertySheetTest : public QObject {
    Q_OBJECT
private slots:
    void tabsAndPagesMadeWhenFirstShown();
    void defaultsShownOnEveryPage();
    void styleButtonsExcludeEachOther();
    void lastCheckedButtonTestedWins();
    void lengthsPassThroughTheirText();
    void precisionRoundsLengthsOnOtherPages();
    void inchesRelabelsAtOnceAndElsewhereWhenNextShown();
    void chordMustBePositive_data();
    void chordMustBePositive();
    void boxesRefuseWhatNoRibIsBuiltFrom_data();
    void boxesRefuseWhatNoRibIsBuiltFrom();
    void cancelRestoresVisitedPagesFromTheKeptCopy();
    void commandAppliesOnOk();
    void commandCancelChangesNothing();
    void pagesShowEveryControlWhole();
    void stylePicturesShowTheSampleAirfoil();
    void holesPageStoresItsStyleAndSizesAndRefusesAWebOfNothing();
};

void PropertySheetTest::tabsAndPagesMadeWhenFirstShown() {
    Sheet s;
    QCOMPARE(s.sheet->windowTitle(), QString("Airfoil Properties"));
    QTabWidget* tabs = s.sheet->tabs();
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
    QCOMPARE(texts, (QStringList{"General Properties", "Leading Edge", "Spars", "Trailing Edge", "Sheeting",
                                  "Lightening Holes"}));
    QStringList buttons;
    for (QPushButton* button : s.sheet->findChildren<QPushButton*>()) buttons << button->text().remove('&');
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Cancel", "OK"}));

    QCOMPARE(tabs->currentIndex(), kGeneral);
    QVERIFY(s.sheet->page(kGeneral));
    s.goTo(kTrailingEdge);
    QCOMPARE(tabs->currentIndex(), kTrailingEdge);
    QCOMPARE(s.sheet->page(kTrailingEdge)->objectName(), QString("page110"));
    for (int unvisited : {kLeadingEdge, kSpars, kSheeting}) QVERIFY(!s.sheet->page(unvisited));
}

void PropertySheetTest::defaultsShownOnEveryPage() {
    Sheet s;
    {
        using namespace general;
        QCOMPARE(s.text(kGeneral, kChord), QString("100.000"));
        QCOMPARE(s.text(kGeneral, kHeight), QString("2.000"));
        QCOMPARE(s.text(kGeneral, kWashout), QString("0.000"));
        QCOMPARE(s.looks(kGeneral, {kChord, kHeight, kWashout, kHeightPercent, kHeightFixed, kLandscape, kPortrait}),
                 QString("eeeeedd"));
        QCOMPARE(s.marks(kGeneral, {kHeightPercent, kHeightFixed}), QString("-x"));
        QCOMPARE(s.marks(kGeneral, {kMetric, kInches}), QString("x-"));
        for (int id : {kChordUnit, kHeightUnit}) QCOMPARE(s.text(kGeneral, id), QString("mm"));
        QCOMPARE(s.text(kGeneral, kWashoutUnit), QString("degrees"));
        QStringList entries;
        for (int i = 0; i < s.precision()->count(); ++i) entries << s.precision()->itemText(i);
        QCOMPARE(entries, (QStringList{"1", "1.0", "1.00", "1.000", "1.0000"}));
        QCOMPARE(s.precision()->currentIndex(), 3);
    }
    s.goTo(kLeadingEdge);
    {
        using namespace leadingEdge;
        QCOMPARE(s.text(kLeadingEdge, kDepth), QString("3.000"));
        QCOMPARE(s.text(kLeadingEdge, kHeight), QString("10.000"));
        QCOMPARE(s.looks(kLeadingEdge, {kDepth, kHeight}), QString("dd"));
        QCOMPARE(s.marks(kLeadingEdge, {kLeStock, kRound, kRectangular, kSquare, kNone}), QString("----x"));
        QCOMPARE(s.text(kLeadingEdge, kUnit), QString("mm"));
    }
    s.goTo(kSpars);
    {
        using namespace spars;
        QCOMPARE(s.text(kSpars, kWidth), QString("5.000"));
        QCOMPARE(s.text(kSpars, kHeight), QString("5.000"));
        QCOMPARE(s.text(kSpars, kDistance), QString("30.000"));
        QCOMPARE(s.looks(kSpars, {kWidth, kHeight, kDistance, kPercent, kFixed}), QString("ddddd"));
        QCOMPARE(s.marks(kSpars, {kStick, kStock, kNone, kPercent, kFixed}), QString("--xx-"));
        QCOMPARE(s.text(kSpars, kSizeUnit), QString("mm"));
        QCOMPARE(s.text(kSpars, kDistanceUnit), QString("%"));
        // Showing the page takes the spar distance in percent of the chord.
        QCOMPARE(s.edited.sparDistanceInPercent, 1);
    }
    s.goTo(kTrailingEdge);
    {
        using namespace trailingEdge;
        QCOMPARE(s.text(kTrailingEdge, kWidth), QString("25.000"));
        QCOMPARE(s.text(kTrailingEdge, kHeight), QString("15.000"));
        QCOMPARE(s.looks(kTrailingEdge, {kWidth, kHeight}), QString("dd"));
        QCOMPARE(s.marks(kTrailingEdge, {kTeStock, kSheetedBottom, kSheetedTopAndBottom, kNone}), QString("---x"));
        QCOMPARE(s.text(kTrailingEdge, kUnit), QString("mm"));
        // The indeterminate marks of the page's first load leave plain boxes plain.
        for (int id : {kTeStock, kSheetedBottom, kSheetedTopAndBottom})
            QVERIFY(!s.sheet->page(3)->control<QCheckBox>(id)->isTristate());
    }
    s.goTo(kSheeting);
    {
        using namespace sheeting;
        QCOMPARE(s.text(kSheeting, kThickness), QString("2.000"));
        QCOMPARE(s.looks(kSheeting, {kThickness}), QString("d"));
        QCOMPARE(s.marks(kSheeting, {kFrontOnly, kTopFrontOnly, kTop, kFullySheeted, kNone}), QString("????x"));
    }
    // Leaving every page unchanged stores what it showed.
    s.goTo(kGeneral);
    RibProperties expected = kDefaultRibProperties;
    expected.sparDistanceInPercent = 1;
    QCOMPARE(s.edited, expected);
}

void PropertySheetTest::styleButtonsExcludeEachOther() {
    Sheet s;
    {
        using namespace leadingEdge;
        const auto ids = {kLeStock, kRound, kRectangular, kSquare, kNone};
        s.goTo(kLeadingEdge);
        s.click(kLeadingEdge, kRound);
        QCOMPARE(s.marks(kLeadingEdge, ids), QString("-x---"));
        QCOMPARE(s.looks(kLeadingEdge, {kDepth, kHeight}), QString("ed"));
        // A second click keeps it checked instead of cycling to the undecided mark.
        s.click(kLeadingEdge, kRound);
        QCOMPARE(s.marks(kLeadingEdge, ids), QString("-x---"));
        s.click(kLeadingEdge, kNone);
        QCOMPARE(s.marks(kLeadingEdge, ids), QString("????x"));
        QCOMPARE(s.looks(kLeadingEdge, {kDepth, kHeight}), QString("dd"));
        s.click(kLeadingEdge, kRectangular);
        QCOMPARE(s.marks(kLeadingEdge, ids), QString("--x--"));
        QCOMPARE(s.looks(kLeadingEdge, {kDepth, kHeight}), QString("ee"));
        s.click(kLeadingEdge, kSquare);
        QCOMPARE(s.looks(kLeadingEdge, {kDepth, kHeight}), QString("ed"));
        s.click(kLeadingEdge, kLeStock);
        QCOMPARE(s.marks(kLeadingEdge, ids), QString("x----"));
        QCOMPARE(s.looks(kLeadingEdge, {kDepth, kHeight}), QString("ee"));
    }
    {
        using namespace trailingEdge;
        const auto ids = {kTeStock, kSheetedBottom, kSheetedTopAndBottom, kNone};
        s.goTo(kTrailingEdge);
        s.click(kTrailingEdge, kSheetedBottom);
        QCOMPARE(s.marks(kTrailingEdge, ids), QString("-x--"));
        QCOMPARE(s.looks(kTrailingEdge, {kWidth, kHeight}), QString("ee"));
        s.click(kTrailingEdge, kNone);  // no undecided marks on this page
        QCOMPARE(s.marks(kTrailingEdge, ids), QString("---x"));
        QCOMPARE(s.looks(kTrailingEdge, {kWidth, kHeight}), QString("dd"));
        s.click(kTrailingEdge, kSheetedTopAndBottom);
    }
    {
        using namespace spars;
        const auto ids = {kStick, kStock, kNone};
        s.goTo(kSpars);
        s.click(kSpars, kStock);
        QCOMPARE(s.marks(kSpars, ids), QString("-x-"));
        QCOMPARE(s.looks(kSpars, {kWidth, kHeight, kDistance}), QString("eee"));
        s.click(kSpars, kNone);
        QCOMPARE(s.marks(kSpars, ids), QString("--x"));
        QCOMPARE(s.looks(kSpars, {kWidth, kHeight, kDistance}), QString("ddd"));
        s.click(kSpars, kStick);
        QCOMPARE(s.marks(kSpars, ids), QString("x--"));
    }
    {
        using namespace sheeting;
        const auto ids = {kFrontOnly, kTopFrontOnly, kTop, kFullySheeted, kNone};
        s.goTo(kSheeting);
        s.click(kSheeting, kTop);
        QCOMPARE(s.marks(kSheeting, ids), QString("--x--"));
        QCOMPARE(s.looks(kSheeting, {kThickness}), QString("e"));
        s.click(kSheeting, kNone);
        QCOMPARE(s.marks(kSheeting, ids), QString("????x"));
        QCOMPARE(s.looks(kSheeting, {kThickness}), QString("d"));
        s.click(kSheeting, kFullySheeted);
        QCOMPARE(s.marks(kSheeting, ids), QString("---x-"));
    }
    s.goTo(kGeneral);
    QCOMPARE(s.edited.leadingEdgeStyle, 3);
    QCOMPARE(s.edited.trailingEdgeStyle, 1);
    QCOMPARE(s.edited.sparStyle, 1);
    QCOMPARE(s.edited.sheetingStyle, 4);

    // Coming back shows the stored style with its looks; a stock spar's
    // boxes end enabled.
    s.goTo(kLeadingEdge);
    QCOMPARE(s.marks(kLeadingEdge, {leadingEdge::kLeStock, leadingEdge::kNone}), QString("x-"));
    QCOMPARE(s.looks(kLeadingEdge, {leadingEdge::kDepth, leadingEdge::kHeight}), QString("ee"));
    RibProperties stock = kDefaultRibProperties;
    stock.sparStyle = 2;
    Sheet t(stock);
    t.goTo(kSpars);
    QCOMPARE(t.looks(kSpars, {spars::kWidth, spars::kHeight, spars::kDistance}), QString("eee"));
}

void PropertySheetTest::lastCheckedButtonTestedWins() {
    // Several buttons end up checked only through code; each page tests its
    // buttons in a fixed order, and the last checked one tested wins.
    struct Case {
        int position;
        std::vector<int> checked;
        int expected;
    };
    const std::vector<Case> cases = {
        // Round, Square, Rectangular, LE Stock, none.
        {kLeadingEdge, {leadingEdge::kSquare, leadingEdge::kRound}, 2},
        {kLeadingEdge, {leadingEdge::kRectangular, leadingEdge::kSquare}, 4},
        {kLeadingEdge, {leadingEdge::kLeStock, leadingEdge::kRectangular}, 3},
        {kLeadingEdge, {leadingEdge::kNone, leadingEdge::kLeStock}, 0},
        // TE Stock, none, top and bottom, bottom.
        {kTrailingEdge, {trailingEdge::kNone, trailingEdge::kTeStock}, 0},
        {kTrailingEdge, {trailingEdge::kSheetedTopAndBottom, trailingEdge::kNone}, 1},
        {kTrailingEdge, {trailingEdge::kSheetedBottom, trailingEdge::kSheetedTopAndBottom}, 2},
        // Stick, none, Stock.
        {kSpars, {spars::kNone, spars::kStick}, 0},
        {kSpars, {spars::kStock, spars::kNone}, 2},
        // Top, Fully sheeted, Top front only, Front only, none.
        {kSheeting, {sheeting::kFullySheeted, sheeting::kTop}, 4},
        {kSheeting, {sheeting::kTopFrontOnly, sheeting::kFullySheeted}, 2},
        {kSheeting, {sheeting::kFrontOnly, sheeting::kTopFrontOnly}, 3},
        {kSheeting, {sheeting::kNone, sheeting::kFrontOnly}, 0},
        // Nothing checked keeps the stored style.
        {kSheeting, {}, 1},
    };
    for (const Case& c : cases) {
        RibProperties start = kDefaultRibProperties;
        start.leadingEdgeStyle = start.trailingEdgeStyle = start.sparStyle = start.sheetingStyle = 1;
        Sheet s(start);
        s.goTo(c.position);
        for (QCheckBox* box : s.sheet->page(c.position)->findChildren<QCheckBox*>())
            if (box->isEnabled()) box->setCheckState(Qt::Unchecked);
        for (int id : c.checked) s.on<QCheckBox>(c.position, id)->setCheckState(Qt::Checked);
        s.goTo(kGeneral);
        const RibProperties& p = s.edited;
        const int stored = c.position == kLeadingEdge ? p.leadingEdgeStyle
                           : c.position == kTrailingEdge ? p.trailingEdgeStyle
                           : c.position == kSpars ? p.sparStyle
                                                  : p.sheetingStyle;
        QCOMPARE(stored, c.expected);
    }
}

void PropertySheetTest::lengthsPassThroughTheirText() {
    using namespace spars;
    Sheet s;
    s.goTo(kSpars);
    s.click(kSpars, kStick);
    s.type(kSpars, kWidth, "6");
    s.type(kSpars, kHeight, "4");
    s.type(kSpars, kDistance, "  42,5 ");  // a decimal comma is read as a point
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sparWidth, 6.0f);
    QCOMPARE(s.edited.sparHeight, 4.0f);
    QCOMPARE(s.edited.sparDistance, 42.5f);

    // An empty box keeps its value; a disabled box is still stored from its
    // text, and keeps its value when that text is no number.
    s.goTo(kSpars);
    s.type(kSpars, kWidth, "abc");
    s.box(kSpars, kHeight)->clear();
    s.click(kSpars, kNone);
    s.box(kSpars, kDistance)->setText("12");
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sparWidth, 6.0f);
    QCOMPARE(s.edited.sparHeight, 4.0f);
    QCOMPARE(s.edited.sparDistance, 12.0f);

    // The Trailing Edge page's second box is the trailing-edge sheeting's
    // thickness, the size its outline is computed from.
    s.goTo(kTrailingEdge);
    s.click(kTrailingEdge, trailingEdge::kSheetedTopAndBottom);
    s.type(kTrailingEdge, trailingEdge::kWidth, "20");
    s.type(kTrailingEdge, trailingEdge::kHeight, "1.5");
    s.goTo(kGeneral);
    QCOMPARE(s.edited.trailingEdgeWidth, 20.0f);
    QCOMPARE(s.edited.trailingEdgeHeight, 1.5f);
    QCOMPARE(s.edited.trailingEdgeThickness, kDefaultRibProperties.trailingEdgeThickness);
}

void PropertySheetTest::precisionRoundsLengthsOnOtherPages() {
    RibProperties start = kDefaultRibProperties;
    start.sparWidth = 2.5f;
    start.sparHeight = 3.5f;
    Sheet s(start);
    s.precision()->setCurrentIndex(0);  // "1"
    s.goTo(kSpars);
    QCOMPARE(s.edited.precision, 0);
    // Whole numbers, a tie rounded as fixed-point formatting rounds it (to even).
    QCOMPARE(s.text(kSpars, spars::kWidth), QString("   2"));
    QCOMPARE(s.text(kSpars, spars::kHeight), QString("   4"));
    QCOMPARE(s.text(kSpars, spars::kDistance), QString("  30"));
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sparWidth, 2.0f);
    QCOMPARE(s.edited.sparHeight, 4.0f);
    QCOMPARE(s.text(kGeneral, general::kChord), QString(" 100"));

    s.precision()->setCurrentIndex(1);  // "1.0"
    s.goTo(kSpars);
    QCOMPARE(s.edited.precision, 1);
    QCOMPARE(s.text(kSpars, spars::kDistance), QString("30.0"));
}

void PropertySheetTest::inchesRelabelsAtOnceAndElsewhereWhenNextShown() {
    using namespace general;
    Sheet s;
    s.goTo(kLeadingEdge);
    s.goTo(kGeneral);
    s.click(kGeneral, kInches);
    QCOMPARE(s.marks(kGeneral, {kMetric, kInches}), QString("-x"));
    for (int id : {kChordUnit, kHeightUnit}) QCOMPARE(s.text(kGeneral, id), QString("inches"));
    QCOMPARE(s.text(kGeneral, kWashoutUnit), QString("degrees"));
    // The board height as a percentage of the chord, and back to a length.
    s.click(kGeneral, kHeightPercent);
    QCOMPARE(s.marks(kGeneral, {kHeightPercent, kHeightFixed}), QString("x-"));
    QCOMPARE(s.text(kGeneral, kHeightUnit), QString("%"));
    s.click(kGeneral, kHeightFixed);
    QCOMPARE(s.marks(kGeneral, {kHeightPercent, kHeightFixed}), QString("-x"));
    QCOMPARE(s.text(kGeneral, kHeightUnit), QString("inches"));
    s.click(kGeneral, kHeightPercent);
    // The copy changes when the page is left, the other pages when next shown.
    QCOMPARE(s.edited.metric, 1);
    QCOMPARE(s.edited.heightInPercent, 0);
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kUnit), QString("mm"));
    s.goTo(kLeadingEdge);
    QCOMPARE(s.edited.metric, 0);
    QCOMPARE(s.edited.heightInPercent, 1);
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kUnit), QString("inches"));
    s.goTo(kSpars);
    QCOMPARE(s.text(kSpars, spars::kSizeUnit), QString("inches"));
    // The spar distance is always a percentage of the chord on this page.
    QCOMPARE(s.text(kSpars, spars::kDistanceUnit), QString("%"));
    s.goTo(kTrailingEdge);
    QCOMPARE(s.text(kTrailingEdge, trailingEdge::kUnit), QString("inches"));
    QCOMPARE(s.edited.chord, 100.0f);  // no length changes with the unit

    s.goTo(kGeneral);
    s.click(kGeneral, kMetric);
    QCOMPARE(s.text(kGeneral, kChordUnit), QString("mm"));
    s.goTo(kTrailingEdge);
    QCOMPARE(s.text(kTrailingEdge, trailingEdge::kUnit), QString("mm"));
}

void PropertySheetTest::chordMustBePositive_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-50";
    QTest::newRow("no number") << "abc";
    QTest::newRow("infinite") << "inf";
    QTest::newRow("not a number") << "nan";
    QTest::newRow("beyond float") << "1e39";
    QTest::newRow("rounds to zero") << "1e-60";
}

void PropertySheetTest::chordMustBePositive() {
    QFETCH(QString, text);
    Sheet s;
    s.click(kGeneral, general::kInches);
    s.type(kGeneral, general::kChord, text);
    s.goTo(kSpars);
    // The user stays on the page, told why, and nothing was stored.
    QCOMPARE(s.sheet->tabs()->currentIndex(), kGeneral);
    QVERIFY(!s.sheet->page(kSpars));
    QVERIFY(s.message());
    QCOMPARE(s.message()->text(), QString("The chord must be a positive number."));
    QCOMPARE(s.edited, kDefaultRibProperties);
    s.message()->accept();
    QTRY_VERIFY(!s.message());

    // OK refuses too.
    s.sheet->okButton()->click();
    QVERIFY(s.sheet->isVisible());
    QVERIFY(s.message());
    s.message()->accept();

    // An empty box keeps the chord; a positive one is taken.
    s.box(kGeneral, general::kChord)->clear();
    s.goTo(kSpars);
    QCOMPARE(s.sheet->tabs()->currentIndex(), kSpars);
    QCOMPARE(s.edited.chord, 100.0f);
    QCOMPARE(s.edited.metric, 0);
    s.goTo(kGeneral);
    s.type(kGeneral, general::kChord, "250");
    s.sheet->okButton()->click();
    QCOMPARE(s.sheet->result(), int(QDialog::Accepted));
    QCOMPARE(s.edited.chord, 250.0f);
}

void PropertySheetTest::boxesRefuseWhatNoRibIsBuiltFrom_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("style");  // the style button clicked first, 0 for none
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString notANumber = "\"%1\" is not a number.";
    const QString negative = "\"%1\" must not be negative.";
    const QString infinite = "\"%1\" must be a finite number.";
    QTest::newRow("leading-edge depth zero") << kLeadingEdge << leadingEdge::kRound << leadingEdge::kDepth << "0"
        << "\"Leading Edge Size (depth)\" must be greater than 0 when a leading-edge style is chosen.";
    QTest::newRow("leading-edge height zero") << kLeadingEdge << leadingEdge::kRectangular << leadingEdge::kHeight
        << "0,0" << "\"Leading Edge Size (height)\" must be greater than 0 when leading-edge style LE Stock or "
                     "Rectangular is chosen.";
    QTest::newRow("leading-edge depth -5") << kLeadingEdge << leadingEdge::kLeStock << leadingEdge::kDepth << "-5"
        << negative.arg("Leading Edge Size (depth)");
    QTest::newRow("spar width text") << kSpars << spars::kStick << spars::kWidth << "3,5mm"
        << notANumber.arg("Spar Size (width)");
    QTest::newRow("spar height zero") << kSpars << spars::kStock << spars::kHeight << "0"
        << "\"Spar Size (height)\" must be greater than 0 when a spar style is chosen.";
    QTest::newRow("spar distance negative") << kSpars << spars::kStick << spars::kDistance << "-1"
        << negative.arg("Distance from Leading Edge");
    QTest::newRow("trailing-edge width infinite") << kTrailingEdge << trailingEdge::kTeStock << trailingEdge::kWidth
        << "1e39" << infinite.arg("Trailing Edge Size (width)");
    QTest::newRow("trailing-edge thickness zero") << kTrailingEdge << trailingEdge::kSheetedBottom
        << trailingEdge::kHeight << "0" << "\"Trailing Edge Size (thickness)\" must be greater than 0 when a "
                                            "trailing-edge style is chosen.";
    QTest::newRow("sheeting thickness zero") << kSheeting << sheeting::kTop << sheeting::kThickness << "0"
        << "\"Sheeting thickness\" must be greater than 0 when a sheeting style is chosen.";
    QTest::newRow("sheeting thickness nan") << kSheeting << sheeting::kFullySheeted << sheeting::kThickness << "nan"
        << infinite.arg("Sheeting thickness");
}

void PropertySheetTest::boxesRefuseWhatNoRibIsBuiltFrom() {
    QFETCH(int, page);
    QFETCH(int, style);
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Sheet s;
    s.goTo(page);
    if (style != 0) s.click(page, style);
    s.type(page, box, text);
    const RibProperties before = s.edited;
    // Leaving by another tab, or by OK: the user stays, told which box and
    // why, and nothing of the page is stored.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt == 0)
            s.goTo(page == kGeneral ? kSpars : kGeneral);
        else
            s.sheet->okButton()->click();
        QCOMPARE(s.sheet->tabs()->currentIndex(), page);
        QVERIFY(s.sheet->isVisible());
        QVERIFY(s.message());
        QCOMPARE(s.message()->text(), message);
        QCOMPARE(s.edited, before);
        s.message()->accept();
        QTRY_VERIFY(!s.message());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.box(page, box)));
    }
    // A sound value is taken.
    s.type(page, box, "2,5");
    s.sheet->okButton()->click();
    QCOMPARE(s.sheet->result(), int(QDialog::Accepted));
    QVERIFY(s.edited != before);
}

void PropertySheetTest::cancelRestoresVisitedPagesFromTheKeptCopy() {
    Sheet s;
    s.type(kGeneral, general::kChord, "250");
    s.precision()->setCurrentIndex(1);
    s.goTo(kLeadingEdge);
    s.click(kLeadingEdge, leadingEdge::kRound);
    s.type(kLeadingEdge, leadingEdge::kDepth, "7");
    s.goTo(kSpars);
    s.goTo(kSheeting);
    s.click(kSheeting, sheeting::kTop);
    s.sheet->cancelButton()->click();
    QCOMPARE(s.sheet->result(), int(QDialog::Rejected));
    QVERIFY(!s.sheet->isVisible());
    // Every page made shows the kept values again; restoring the Spars page
    // takes the kept copy's distance in percent too.
    QCOMPARE(s.text(kGeneral, general::kChord), QString("100.000"));
    QCOMPARE(s.precision()->currentIndex(), 3);
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kDepth), QString("3.000"));
    QCOMPARE(s.marks(kLeadingEdge, {leadingEdge::kRound, leadingEdge::kNone}), QString("-x"));
    QCOMPARE(s.marks(kSheeting, {sheeting::kTop, sheeting::kNone}), QString("-x"));
    RibProperties kept = kDefaultRibProperties;
    kept.sparDistanceInPercent = 1;
    QCOMPARE(s.kept, kept);
}

void PropertySheetTest::commandAppliesOnOk() {
    LoadedDocument loaded;
    runCommandDriving(loaded.document, [](const Driver& d) {
        d.type(kGeneral, general::kChord, "250");
        d.goTo(kLeadingEdge);
        d.click(kLeadingEdge, leadingEdge::kRound);
        d.goTo(kSpars);
        d.click(kSpars, spars::kStick);
        d.goTo(kTrailingEdge);
        d.click(kTrailingEdge, trailingEdge::kTeStock);
        d.goTo(kSheeting);
        d.click(kSheeting, sheeting::kTop);
        QTest::mouseClick(d.sheet->okButton(), Qt::LeftButton);
    });
    RibProperties expected = kDefaultRibProperties;
    expected.chord = 250.0f;
    expected.leadingEdgeStyle = 1;
    expected.sparStyle = 1;
    expected.sparDistanceInPercent = 1;
    expected.trailingEdgeStyle = 3;
    expected.sheetingStyle = 1;
    QCOMPARE(loaded.document.properties(), expected);
    // Every component was rebuilt from the new properties.
    QCOMPARE(loaded.document.leadingEdge().outline().size(), std::size_t{5});
    QCOMPARE(loaded.document.spars().outline().size(), std::size_t{10});
    QCOMPARE(loaded.document.trailingEdge().outline().size(), std::size_t{2});
    QVERIFY(loaded.document.sheeting().isBuilt());
    QCOMPARE(loaded.document.trailingEdge().outline()[0].modelX, 1.0f - 25.0f / 250.0f);

    // An empty document is not edited.
    AirfoilDocument empty;
    QVERIFY(!dialogs::runPropertiesCommand(empty, nullptr));
}

void PropertySheetTest::commandCancelChangesNothing() {
    LoadedDocument loaded;
    // Changes stored on pages left before Cancel are discarded too, and so is
    // the switch to a percent distance made by showing the Spars page.
    runCommandDriving(loaded.document, [](const Driver& d) {
        d.type(kGeneral, general::kChord, "250");
        d.click(kGeneral, general::kInches);
        d.goTo(kSpars);
        d.click(kSpars, spars::kStock);
        d.goTo(kSheeting);
        d.click(kSheeting, sheeting::kFullySheeted);
        d.goTo(kTrailingEdge);
        QTest::mouseClick(d.sheet->cancelButton(), Qt::LeftButton);
    });
    QCOMPARE(loaded.document.properties(), kDefaultRibProperties);
    // Escape is Cancel as well.
    runCommandDriving(loaded.document, [](const Driver& d) {
        d.goTo(kSpars);
        QTest::keyClick(d.sheet, Qt::Key_Escape);
    });
    QCOMPARE(loaded.document.properties(), kDefaultRibProperties);
}

void PropertySheetTest::pagesShowEveryControlWhole() {
    RibProperties start = kDefaultRibProperties;
    start.metric = 0;  // the longer unit text and the widest numbers
    start.precision = 4;
    Sheet s(start);
    const QSize sheetSize = s.sheet->size();
    const QString folder = qEnvironmentVariable("PARVELIN_SHEET_SCREENSHOTS");
    for (int position = 0; position < PropertySheet::PageCount; ++position) {
        s.goTo(position);
        PropertyPage* page = s.sheet->page(position);
        QVERIFY(page->isVisible());
        QCoreApplication::processEvents();  // lets the layouts settle
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            s.sheet->grab().save(QStringLiteral("%1/page%2.png").arg(folder).arg(position + 1));
        }
        // The sheet keeps its size whichever page is made.
        QCOMPARE(s.sheet->size(), sheetSize);
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w))
                continue;
            const QString what = QStringLiteral("%1 '%2' on page %3")
                                     .arg(w->metaObject()->className(), w->objectName())
                                     .arg(position);
            QVERIFY2(w->isVisible(), qPrintable(what + " is hidden"));
            QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(what + " is squeezed"));
            QVERIFY2(page->rect().contains(QRect(w->mapTo(page, QPoint(0, 0)), w->size())),
                     qPrintable(what + " lies outside its page"));
        }
    }
}

void PropertySheetTest::stylePicturesShowTheSampleAirfoil() {
    for (StylePicture picture : {StylePicture::GeneralRib, StylePicture::LeRound, StylePicture::TeStock,
                                 StylePicture::SparStick, StylePicture::SheetingTop, StylePicture::HolesRound,
                                 StylePicture::HolesSlots, StylePicture::HolesTruss}) {
        const QImage image = renderStylePicture(picture, QSize(120, 40)).toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 100) ++dark;
        QVERIFY2(dark > 60, qPrintable(QStringLiteral("picture %1: %2 dark pixels").arg(int(picture)).arg(dark)));
    }
}


void PropertySheetTest::holesPageStoresItsStyleAndSizesAndRefusesAWebOfNothing() {
    constexpr int kHoles = PropertySheet::Holes;
    Sheet s;
    s.goTo(kHoles);
    using namespace dialogs::holes;
    QCOMPARE(s.sheet->page(kHoles)->objectName(), QString("page112"));
    // The defaults: no holes, the sizes that shape them closed.
    QVERIFY(s.on<QRadioButton>(kHoles, kNone)->isChecked());
    QCOMPARE(s.looks(kHoles, {kMargin, kWeb, kCornerRadius, kMinimum, kThickness, kDensity}), QString("ddddee"));
    QCOMPARE(s.text(kHoles, kMargin), QString("3.000"));
    QCOMPARE(s.text(kHoles, kDensity), QString("160"));
    // Round holes have no corners; slots do.
    // A click on the button's indicator, as a user makes it.
    const auto choose = [&](int id) {
        QRadioButton* button = s.on<QRadioButton>(kHoles, id);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    };
    choose(kRound);
    QCOMPARE(s.looks(kHoles, {kMargin, kWeb, kCornerRadius, kMinimum}), QString("eede"));
    choose(kSlots);
    QVERIFY(!s.on<QRadioButton>(kHoles, kRound)->isChecked());
    QCOMPARE(s.looks(kHoles, {kMargin, kWeb, kCornerRadius, kMinimum}), QString("eeee"));
    // A web of nothing is refused, naming the box; the user stays.
    s.type(kHoles, kWeb, "0");
    s.sheet->okButton()->click();
    QVERIFY(s.sheet->isVisible());
    QVERIFY(s.message());
    QVERIFY2(s.message()->text().contains("\"Web\""), qPrintable(s.message()->text()));
    s.message()->accept();
    QTRY_VERIFY(!s.message());
    s.type(kHoles, kWeb, "4,5");
    s.type(kHoles, kMargin, "4");
    s.type(kHoles, kDensity, "200");
    s.sheet->okButton()->click();
    QCOMPARE(s.sheet->result(), int(QDialog::Accepted));
    QCOMPARE(s.edited.holes(), HoleStyle::Slots);
    QCOMPARE(s.edited.holeWeb, 4.5f);
    QCOMPARE(s.edited.holeMargin, 4.0f);
    QCOMPARE(s.edited.materialDensity, 200.0f);
}

QTEST_MAIN(PropertySheetTest)
#include "tst_property_sheet.moc"
