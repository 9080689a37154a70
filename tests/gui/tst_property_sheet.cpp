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

// A sheet over its own two copies, shown as the user sees it.
struct Sheet {
    explicit Sheet(const RibProperties& start = kDefaultRibProperties) : edited(start), kept(start) {
        sheet = std::make_unique<PropertySheet>(edited, kept);
        sheet->show();
        if (!QTest::qWaitForWindowExposed(sheet.get())) qWarning("sheet not exposed");
    }
    PropertyPage* page(int position) const { return sheet->page(position); }
    // Switches tabs the way a click on the tab does.
    void goTo(int position) {
        QTabBar* bar = sheet->tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(position).center());
    }
    template <typename T>
    T* on(int position, int id) const {
        PropertyPage* p = page(position);
        T* found = p ? p->control<T>(id) : nullptr;
        if (!found) qWarning("control %d missing on page %d", id, position);
        return found;
    }
    QLineEdit* box(int position, int id) const { return on<QLineEdit>(position, id); }
    QCheckBox* check(int position, int id) const { return on<QCheckBox>(position, id); }
    QLabel* label(int position, int id) const { return on<QLabel>(position, id); }

    RibProperties edited;
    RibProperties kept;
    std::unique_ptr<PropertySheet> sheet;
};

// Clicks on the box's indicator, where a user clicks.
void click(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}

QMessageBox* openMessage(QWidget* sheet) {
    for (QMessageBox* box : sheet->findChildren<QMessageBox*>())
        if (box->isVisible()) return box;
    return nullptr;
}

// Tabs, boxes and checks of the sheet at their positions.
constexpr int kGeneral = PropertySheet::General;
constexpr int kLeadingEdge = PropertySheet::LeadingEdge;
constexpr int kSpars = PropertySheet::Spars;
constexpr int kTrailingEdge = PropertySheet::TrailingEdge;
constexpr int kSheeting = PropertySheet::Sheeting;

// A loaded document in a window the components can fit to.
struct LoadedDocument {
    LoadedDocument() { document.takeContents(sampleAirfoil(), &window); }
    testing::RecordingWindow window;
    AirfoilDocument document;
};

} // namespace

class PropertySheetTest : public QObject {
    Q_OBJECT
private slots:
    void sheetHasFiveTabsAndMakesPagesWhenShown();
    void defaultsShownOnEveryPage();
    void leadingEdgeButtonsExcludeEachOtherAndMarkUndecided();
    void trailingEdgeAndSparButtonsExcludeEachOther();
    void sheetingButtonsExcludeEachOtherAndMarkUndecided();
    void lastCheckedButtonTestedWins();
    void lengthsPassThroughTheirText();
    void precisionRoundsLengthsOnOtherPages();
    void inchesRelabelsAtOnceAndElsewhereWhenNextShown();
    void sparsPageAlwaysTakesTheDistanceInPercent();
    void trailingEdgeSecondBoxEditsTheSheetingThickness();
    void chordMustBePositive_data();
    void chordMustBePositive();
    void okStoresTheShownPage();
    void cancelRestoresVisitedPagesFromTheKeptCopy();
    void commandAppliesOnlyOnOk();
    void commandCancelChangesNothing();
    void commandNeedsALoadedDocument();
    void pagesShowEveryControlWhole();
    void stylePicturesShowTheSampleAirfoil();
};

void PropertySheetTest::sheetHasFiveTabsAndMakesPagesWhenShown() {
    Sheet s;
    QCOMPARE(s.sheet->windowTitle(), QString("Airfoil Properties"));
    QTabWidget* tabs = s.sheet->tabs();
    QCOMPARE(tabs->count(), 5);
    const QStringList texts{"General Properties", "Leading Edge", "Spars", "Trailing Edge", "Sheeting"};
    for (int i = 0; i < 5; ++i) QCOMPARE(tabs->tabText(i), texts[i]);
    QVERIFY(s.sheet->okButton());
    QVERIFY(s.sheet->cancelButton());
    QVERIFY(!s.sheet->findChildren<QPushButton*>().isEmpty());
    for (QPushButton* button : s.sheet->findChildren<QPushButton*>())
        QVERIFY2(!button->text().contains("Apply"), "the sheet has no Apply button");

    QCOMPARE(tabs->currentIndex(), kGeneral);
    QVERIFY(s.page(kGeneral));
    for (int i = 1; i < 5; ++i) QVERIFY(!s.page(i));
    s.goTo(kTrailingEdge);
    QCOMPARE(tabs->currentIndex(), kTrailingEdge);
    QVERIFY(s.page(kTrailingEdge));
    QVERIFY(!s.page(kLeadingEdge));
    QVERIFY(!s.page(kSpars));
    QVERIFY(!s.page(kSheeting));
    QCOMPARE(s.page(kTrailingEdge)->objectName(), QString("page110"));
}

void PropertySheetTest::defaultsShownOnEveryPage() {
    Sheet s;
    {
    using namespace general;
    QCOMPARE(s.box(kGeneral, kChord)->text(), QString("100.000"));
    QCOMPARE(s.box(kGeneral, kHeight)->text(), QString("2.000"));
    QCOMPARE(s.box(kGeneral, kWashout)->text(), QString("0.000"));
    QVERIFY(s.box(kGeneral, kChord)->isEnabled());
    QVERIFY(!s.box(kGeneral, kHeight)->isEnabled());
    QVERIFY(!s.box(kGeneral, kWashout)->isEnabled());
    QCOMPARE(s.check(kGeneral, kMetric)->checkState(), Qt::Checked);
    QCOMPARE(s.check(kGeneral, kInches)->checkState(), Qt::Unchecked);
    QVERIFY(!s.check(kGeneral, kHeightPercent)->isEnabled());
    QVERIFY(!s.check(kGeneral, kHeightFixed)->isEnabled());
    QVERIFY(!s.page(kGeneral)->control<QRadioButton>(kLandscape)->isEnabled());
    QVERIFY(!s.page(kGeneral)->control<QRadioButton>(kPortrait)->isEnabled());
    for (int id : {kChordUnit, kHeightUnit, kWashoutUnit}) QCOMPARE(s.label(kGeneral, id)->text(), QString("mm"));
    QComboBox* precision = s.page(kGeneral)->control<QComboBox>(kPrecision);
    QCOMPARE(precision->count(), 5);
    const QStringList entries{"1", "1.0", "1.00", "1.000", "1.0000"};
    for (int i = 0; i < 5; ++i) QCOMPARE(precision->itemText(i), entries[i]);
    QCOMPARE(precision->currentIndex(), 3);
    }
    s.goTo(kLeadingEdge);
    {
        using namespace leadingEdge;
        QCOMPARE(s.box(kLeadingEdge, kDepth)->text(), QString("3.000"));
        QCOMPARE(s.box(kLeadingEdge, kHeight)->text(), QString("10.000"));
        QVERIFY(!s.box(kLeadingEdge, kDepth)->isEnabled());
        QVERIFY(!s.box(kLeadingEdge, kHeight)->isEnabled());
        QCOMPARE(s.check(kLeadingEdge, kNone)->checkState(), Qt::Checked);
        for (int id : {kLeStock, kRound, kRectangular, kSquare})
            QCOMPARE(s.check(kLeadingEdge, id)->checkState(), Qt::Unchecked);
        QCOMPARE(s.label(kLeadingEdge, kUnit)->text(), QString("mm"));
    }
    s.goTo(kSpars);
    {
        using namespace spars;
        QCOMPARE(s.box(kSpars, kWidth)->text(), QString("5.000"));
        QCOMPARE(s.box(kSpars, kHeight)->text(), QString("5.000"));
        QCOMPARE(s.box(kSpars, kDistance)->text(), QString("30.000"));
        for (int id : {kWidth, kHeight, kDistance}) QVERIFY(!s.box(kSpars, id)->isEnabled());
        QCOMPARE(s.check(kSpars, kNone)->checkState(), Qt::Checked);
        QCOMPARE(s.check(kSpars, kStick)->checkState(), Qt::Unchecked);
        QCOMPARE(s.check(kSpars, kStock)->checkState(), Qt::Unchecked);
        QCOMPARE(s.check(kSpars, kPercent)->checkState(), Qt::Checked);
        QCOMPARE(s.check(kSpars, kFixed)->checkState(), Qt::Unchecked);
        QVERIFY(!s.check(kSpars, kPercent)->isEnabled());
        QVERIFY(!s.check(kSpars, kFixed)->isEnabled());
        QCOMPARE(s.label(kSpars, kSizeUnit)->text(), QString("mm"));
        QCOMPARE(s.label(kSpars, kDistanceUnit)->text(), QString("mm"));
    }
    s.goTo(kTrailingEdge);
    {
        using namespace trailingEdge;
        QCOMPARE(s.box(kTrailingEdge, kWidth)->text(), QString("25.000"));
        QCOMPARE(s.box(kTrailingEdge, kHeight)->text(), QString("15.000"));
        QVERIFY(!s.box(kTrailingEdge, kWidth)->isEnabled());
        QVERIFY(!s.box(kTrailingEdge, kHeight)->isEnabled());
        QCOMPARE(s.check(kTrailingEdge, kNone)->checkState(), Qt::Checked);
        for (int id : {kTeStock, kSheetedBottom, kSheetedTopAndBottom})
            QCOMPARE(s.check(kTrailingEdge, id)->checkState(), Qt::Unchecked);
        QCOMPARE(s.label(kTrailingEdge, kUnit)->text(), QString("mm"));
    }
    s.goTo(kSheeting);
    {
        using namespace sheeting;
        QCOMPARE(s.box(kSheeting, kThickness)->text(), QString("2.000"));
        QVERIFY(!s.box(kSheeting, kThickness)->isEnabled());
        QCOMPARE(s.check(kSheeting, kNone)->checkState(), Qt::Checked);
        for (int id : {kFrontOnly, kTopFrontOnly, kTop, kFullySheeted})
            QCOMPARE(s.check(kSheeting, id)->checkState(), Qt::PartiallyChecked);
    }
    // Leaving every page unchanged stores what it showed: the defaults, with
    // the spar distance now in percent.
    s.goTo(kGeneral);
    QVERIFY(s.sheet->tabs()->currentIndex() == kGeneral);
    RibProperties expected = kDefaultRibProperties;
    expected.sparDistanceInPercent = 1;
    QCOMPARE(s.edited, expected);
}

void PropertySheetTest::leadingEdgeButtonsExcludeEachOtherAndMarkUndecided() {
    using namespace leadingEdge;
    Sheet s;
    s.goTo(kLeadingEdge);
    const auto states = [&] {
        QList<Qt::CheckState> list;
        for (int id : {kLeStock, kRound, kRectangular, kSquare, kNone}) list << s.check(kLeadingEdge, id)->checkState();
        return list;
    };
    QLineEdit* depth = s.box(kLeadingEdge, kDepth);
    QLineEdit* height = s.box(kLeadingEdge, kHeight);

    click(s.check(kLeadingEdge, kRound));
    QCOMPARE(states(), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Checked, Qt::Unchecked, Qt::Unchecked, Qt::Unchecked}));
    QVERIFY(depth->isEnabled());
    QVERIFY(!height->isEnabled());
    // A second click keeps the button checked (it does not cycle through
    // the undecided mark).
    click(s.check(kLeadingEdge, kRound));
    QCOMPARE(s.check(kLeadingEdge, kRound)->checkState(), Qt::Checked);

    click(s.check(kLeadingEdge, kNone));
    QCOMPARE(states(), (QList<Qt::CheckState>{Qt::PartiallyChecked, Qt::PartiallyChecked, Qt::PartiallyChecked,
                                              Qt::PartiallyChecked, Qt::Checked}));
    QVERIFY(!depth->isEnabled());
    QVERIFY(!height->isEnabled());
    // Undecided marks count as not chosen.
    s.goTo(kGeneral);
    QCOMPARE(s.edited.leadingEdgeStyle, 0);

    s.goTo(kLeadingEdge);
    click(s.check(kLeadingEdge, kRectangular));
    QCOMPARE(states(), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked, Qt::Checked, Qt::Unchecked, Qt::Unchecked}));
    QVERIFY(depth->isEnabled());
    QVERIFY(height->isEnabled());
    click(s.check(kLeadingEdge, kSquare));
    QVERIFY(!height->isEnabled());
    click(s.check(kLeadingEdge, kLeStock));
    QCOMPARE(states(), (QList<Qt::CheckState>{Qt::Checked, Qt::Unchecked, Qt::Unchecked, Qt::Unchecked, Qt::Unchecked}));
    QVERIFY(height->isEnabled());
    s.goTo(kGeneral);
    QCOMPARE(s.edited.leadingEdgeStyle, 3);

    // Coming back with a stored style shows its button and its looks.
    s.goTo(kLeadingEdge);
    QCOMPARE(s.check(kLeadingEdge, kLeStock)->checkState(), Qt::Checked);
    QVERIFY(depth->isEnabled());
    QVERIFY(height->isEnabled());
}

void PropertySheetTest::trailingEdgeAndSparButtonsExcludeEachOther() {
    Sheet s;
    {
        using namespace trailingEdge;
        s.goTo(kTrailingEdge);
        click(s.check(kTrailingEdge, kSheetedBottom));
        QCOMPARE(s.check(kTrailingEdge, kSheetedBottom)->checkState(), Qt::Checked);
        for (int id : {kTeStock, kSheetedTopAndBottom, kNone})
            QCOMPARE(s.check(kTrailingEdge, id)->checkState(), Qt::Unchecked);
        QVERIFY(s.box(kTrailingEdge, kWidth)->isEnabled());
        QVERIFY(s.box(kTrailingEdge, kHeight)->isEnabled());
        click(s.check(kTrailingEdge, kNone));
        // This page leaves the other buttons plainly unchecked.
        for (int id : {kTeStock, kSheetedTopAndBottom, kSheetedBottom})
            QCOMPARE(s.check(kTrailingEdge, id)->checkState(), Qt::Unchecked);
        QVERIFY(!s.box(kTrailingEdge, kWidth)->isEnabled());
        click(s.check(kTrailingEdge, kSheetedBottom));
        s.goTo(kGeneral);
        QCOMPARE(s.edited.trailingEdgeStyle, 2);
    }
    {
        using namespace spars;
        s.goTo(kSpars);
        click(s.check(kSpars, kStock));
        QCOMPARE(s.check(kSpars, kStock)->checkState(), Qt::Checked);
        QCOMPARE(s.check(kSpars, kNone)->checkState(), Qt::Unchecked);
        for (int id : {kWidth, kHeight, kDistance}) QVERIFY(s.box(kSpars, id)->isEnabled());
        click(s.check(kSpars, kStick));
        QCOMPARE(s.check(kSpars, kStock)->checkState(), Qt::Unchecked);
        QCOMPARE(s.check(kSpars, kStick)->checkState(), Qt::Checked);
        click(s.check(kSpars, kNone));
        QCOMPARE(s.check(kSpars, kStick)->checkState(), Qt::Unchecked);
        for (int id : {kWidth, kHeight, kDistance}) QVERIFY(!s.box(kSpars, id)->isEnabled());
        click(s.check(kSpars, kStock));
        s.goTo(kGeneral);
        QCOMPARE(s.edited.sparStyle, 2);
        // A stored stock spar shows all three boxes enabled.
        s.goTo(kSpars);
        for (int id : {kWidth, kHeight, kDistance}) QVERIFY(s.box(kSpars, id)->isEnabled());
    }
}

void PropertySheetTest::sheetingButtonsExcludeEachOtherAndMarkUndecided() {
    using namespace sheeting;
    Sheet s;
    s.goTo(kSheeting);
    QLineEdit* thickness = s.box(kSheeting, kThickness);
    click(s.check(kSheeting, kTop));
    QCOMPARE(s.check(kSheeting, kTop)->checkState(), Qt::Checked);
    for (int id : {kFrontOnly, kTopFrontOnly, kFullySheeted, kNone})
        QCOMPARE(s.check(kSheeting, id)->checkState(), Qt::Unchecked);
    QVERIFY(thickness->isEnabled());
    click(s.check(kSheeting, kFrontOnly));
    QCOMPARE(s.check(kSheeting, kTop)->checkState(), Qt::Unchecked);
    QCOMPARE(s.check(kSheeting, kFrontOnly)->checkState(), Qt::Checked);
    click(s.check(kSheeting, kNone));
    for (int id : {kFrontOnly, kTopFrontOnly, kTop, kFullySheeted})
        QCOMPARE(s.check(kSheeting, id)->checkState(), Qt::PartiallyChecked);
    QCOMPARE(s.check(kSheeting, kNone)->checkState(), Qt::Checked);
    QVERIFY(!thickness->isEnabled());
    click(s.check(kSheeting, kFullySheeted));
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sheetingStyle, 4);
}

void PropertySheetTest::lastCheckedButtonTestedWins() {
    // Several buttons can end up checked only through code; each page tests
    // its buttons in a fixed order and the last checked one wins.
    struct Case {
        int position;
        std::vector<int> checked;
        int expected;
    };
    const std::vector<Case> cases = {
        // Leading edge order: Round, Square, Rectangular, LE Stock, none.
        {kLeadingEdge, {leadingEdge::kLeStock, leadingEdge::kRound}, 3},
        {kLeadingEdge, {leadingEdge::kRectangular, leadingEdge::kSquare}, 4},
        {kLeadingEdge, {leadingEdge::kLeStock, leadingEdge::kNone}, 0},
        // Trailing edge order: TE Stock, none, top and bottom, bottom.
        {kTrailingEdge, {trailingEdge::kNone, trailingEdge::kTeStock}, 0},
        {kTrailingEdge, {trailingEdge::kSheetedBottom, trailingEdge::kSheetedTopAndBottom}, 2},
        {kTrailingEdge, {trailingEdge::kTeStock, trailingEdge::kSheetedTopAndBottom}, 1},
        // Spars order: Stick, none, Stock.
        {kSpars, {spars::kStick, spars::kNone}, 0},
        {kSpars, {spars::kStock, spars::kNone}, 2},
        // Sheeting order: Top, Fully sheeted, Top front only, Front only, none.
        {kSheeting, {sheeting::kFullySheeted, sheeting::kTop}, 4},
        {kSheeting, {sheeting::kTopFrontOnly, sheeting::kFullySheeted}, 2},
        {kSheeting, {sheeting::kFrontOnly, sheeting::kNone}, 0},
    };
    const auto styleOf = [](const RibProperties& p, int position) {
        switch (position) {
        case kLeadingEdge: return p.leadingEdgeStyle;
        case kTrailingEdge: return p.trailingEdgeStyle;
        case kSpars: return p.sparStyle;
        default: return p.sheetingStyle;
        }
    };
    for (const Case& c : cases) {
        RibProperties start = kDefaultRibProperties;
        start.leadingEdgeStyle = start.trailingEdgeStyle = start.sparStyle = start.sheetingStyle = 1;
        Sheet s(start);
        s.goTo(c.position);
        for (QCheckBox* box : s.page(c.position)->findChildren<QCheckBox*>())
            if (box->isEnabled()) box->setCheckState(Qt::Unchecked);
        for (int id : c.checked) s.check(c.position, id)->setCheckState(Qt::Checked);
        s.goTo(kGeneral);
        QCOMPARE(styleOf(s.edited, c.position), c.expected);
    }
    // Nothing checked keeps the stored style.
    RibProperties start = kDefaultRibProperties;
    start.sheetingStyle = 3;
    Sheet s(start);
    s.goTo(kSheeting);
    for (QCheckBox* box : s.page(kSheeting)->findChildren<QCheckBox*>()) box->setCheckState(Qt::Unchecked);
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sheetingStyle, 3);
}

void PropertySheetTest::lengthsPassThroughTheirText() {
    using namespace spars;
    Sheet s;
    s.goTo(kSpars);
    click(s.check(kSpars, kStick));
    type(s.box(kSpars, kWidth), "6");
    type(s.box(kSpars, kHeight), "4");
    type(s.box(kSpars, kDistance), "  42.5mm");
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sparWidth, 6.0f);
    QCOMPARE(s.edited.sparHeight, 4.0f);
    QCOMPARE(s.edited.sparDistance, 42.5f);

    // Text that is no number stores 0; an empty box keeps the value; a box
    // with the disabled look is still stored from its text.
    s.goTo(kSpars);
    type(s.box(kSpars, kWidth), "abc");
    s.box(kSpars, kHeight)->clear();
    click(s.check(kSpars, kNone));
    s.box(kSpars, kDistance)->setText("12");
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sparWidth, 0.0f);
    QCOMPARE(s.edited.sparHeight, 4.0f);
    QCOMPARE(s.edited.sparDistance, 12.0f);
    QCOMPARE(s.edited.sparStyle, 0);
}

void PropertySheetTest::precisionRoundsLengthsOnOtherPages() {
    RibProperties start = kDefaultRibProperties;
    start.sparWidth = 2.5f;
    start.sparHeight = 3.5f;
    Sheet s(start);
    QComboBox* precision = s.page(kGeneral)->control<QComboBox>(general::kPrecision);
    precision->setCurrentIndex(0);  // "1"
    s.goTo(kSpars);
    QCOMPARE(s.edited.precision, 0);
    // Whole numbers, rounded as fixed-point formatting rounds a tie (to even).
    QCOMPARE(s.box(kSpars, spars::kWidth)->text(), QString("   2"));
    QCOMPARE(s.box(kSpars, spars::kHeight)->text(), QString("   4"));
    QCOMPARE(s.box(kSpars, spars::kDistance)->text(), QString("  30"));
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sparWidth, 2.0f);
    QCOMPARE(s.edited.sparHeight, 4.0f);
    QCOMPARE(s.box(kGeneral, general::kChord)->text(), QString(" 100"));

    precision->setCurrentIndex(1);  // "1.0"
    s.goTo(kSpars);
    QCOMPARE(s.edited.precision, 1);
    QCOMPARE(s.box(kSpars, spars::kDistance)->text(), QString("30.0"));
    QCOMPARE(s.box(kSpars, spars::kWidth)->text(), QString(" 2.0"));
}

void PropertySheetTest::inchesRelabelsAtOnceAndElsewhereWhenNextShown() {
    using namespace general;
    Sheet s;
    s.goTo(kLeadingEdge);
    QCOMPARE(s.label(kLeadingEdge, leadingEdge::kUnit)->text(), QString("mm"));
    s.goTo(kGeneral);
    click(s.check(kGeneral, kInches));
    for (int id : {kChordUnit, kHeightUnit, kWashoutUnit}) QCOMPARE(s.label(kGeneral, id)->text(), QString("inches"));
    QCOMPARE(s.check(kGeneral, kMetric)->checkState(), Qt::Unchecked);
    QCOMPARE(s.check(kGeneral, kInches)->checkState(), Qt::Checked);
    // The unit changes in the copy when the page is left, not before.
    QCOMPARE(s.edited.metric, 1);
    QCOMPARE(s.label(kLeadingEdge, leadingEdge::kUnit)->text(), QString("mm"));

    s.goTo(kLeadingEdge);
    QCOMPARE(s.edited.metric, 0);
    QCOMPARE(s.label(kLeadingEdge, leadingEdge::kUnit)->text(), QString("inches"));
    s.goTo(kSpars);
    QCOMPARE(s.label(kSpars, spars::kSizeUnit)->text(), QString("inches"));
    QCOMPARE(s.label(kSpars, spars::kDistanceUnit)->text(), QString("inches"));
    s.goTo(kTrailingEdge);
    QCOMPARE(s.label(kTrailingEdge, trailingEdge::kUnit)->text(), QString("inches"));
    // No length changes with the unit.
    QCOMPARE(s.edited.chord, 100.0f);

    s.goTo(kGeneral);
    click(s.check(kGeneral, kMetric));
    for (int id : {kChordUnit, kHeightUnit, kWashoutUnit}) QCOMPARE(s.label(kGeneral, id)->text(), QString("mm"));
    s.goTo(kTrailingEdge);
    QCOMPARE(s.label(kTrailingEdge, trailingEdge::kUnit)->text(), QString("mm"));
}

void PropertySheetTest::sparsPageAlwaysTakesTheDistanceInPercent() {
    Sheet s;
    QCOMPARE(s.edited.sparDistanceInPercent, 0);
    s.goTo(kSpars);
    QCOMPARE(s.edited.sparDistanceInPercent, 1);
    QCOMPARE(s.check(kSpars, spars::kPercent)->checkState(), Qt::Checked);
    // Cancel restores the page from the kept copy, which it switches too.
    s.sheet->reject();
    QCOMPARE(s.kept.sparDistanceInPercent, 1);
}

void PropertySheetTest::trailingEdgeSecondBoxEditsTheSheetingThickness() {
    using namespace trailingEdge;
    Sheet s;
    s.goTo(kTrailingEdge);
    click(s.check(kTrailingEdge, kSheetedTopAndBottom));
    type(s.box(kTrailingEdge, kWidth), "20");
    type(s.box(kTrailingEdge, kHeight), "1.5");
    s.goTo(kGeneral);
    QCOMPARE(s.edited.trailingEdgeStyle, 1);
    QCOMPARE(s.edited.trailingEdgeWidth, 20.0f);
    QCOMPARE(s.edited.trailingEdgeHeight, 1.5f);
    QCOMPARE(s.edited.trailingEdgeThickness, kDefaultRibProperties.trailingEdgeThickness);
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
    QLineEdit* chord = s.box(kGeneral, general::kChord);
    click(s.check(kGeneral, general::kInches));
    type(chord, text);
    s.goTo(kSpars);
    // The user stays on the page, told why, and nothing was stored.
    QCOMPARE(s.sheet->tabs()->currentIndex(), kGeneral);
    QVERIFY(!s.page(kSpars));
    QMessageBox* message = openMessage(s.sheet.get());
    QVERIFY(message);
    QCOMPARE(message->text(), QString("The chord must be a positive number."));
    QCOMPARE(s.edited, kDefaultRibProperties);
    message->accept();
    QTRY_VERIFY(!openMessage(s.sheet.get()));

    // OK refuses too.
    s.sheet->okButton()->click();
    QVERIFY(s.sheet->isVisible());
    QCOMPARE(s.sheet->result(), int(QDialog::Rejected));
    message = openMessage(s.sheet.get());
    QVERIFY(message);
    message->accept();

    // A positive chord lets the user on.
    type(chord, "250");
    s.goTo(kSpars);
    QCOMPARE(s.sheet->tabs()->currentIndex(), kSpars);
    QCOMPARE(s.edited.chord, 250.0f);
    QCOMPARE(s.edited.metric, 0);
}

void PropertySheetTest::okStoresTheShownPage() {
    Sheet s;
    s.goTo(kSheeting);
    click(s.check(kSheeting, sheeting::kTop));
    type(s.box(kSheeting, sheeting::kThickness), "3");
    s.sheet->okButton()->click();
    QCOMPARE(s.sheet->result(), int(QDialog::Accepted));
    QVERIFY(!s.sheet->isVisible());
    QCOMPARE(s.edited.sheetingStyle, 1);
    QCOMPARE(s.edited.sheetingThickness, 3.0f);

    // An empty chord box keeps the chord and is no reason to refuse.
    Sheet t;
    t.box(kGeneral, general::kChord)->clear();
    t.sheet->okButton()->click();
    QCOMPARE(t.sheet->result(), int(QDialog::Accepted));
    QCOMPARE(t.edited.chord, 100.0f);
}

void PropertySheetTest::cancelRestoresVisitedPagesFromTheKeptCopy() {
    Sheet s;
    type(s.box(kGeneral, general::kChord), "250");
    s.page(kGeneral)->control<QComboBox>(general::kPrecision)->setCurrentIndex(1);
    s.goTo(kLeadingEdge);
    click(s.check(kLeadingEdge, leadingEdge::kRound));
    type(s.box(kLeadingEdge, leadingEdge::kDepth), "7");
    s.goTo(kSheeting);
    click(s.check(kSheeting, sheeting::kTop));
    s.sheet->cancelButton()->click();
    QCOMPARE(s.sheet->result(), int(QDialog::Rejected));
    QVERIFY(!s.sheet->isVisible());
    // The kept copy is untouched apart from nothing (the Spars page was not shown).
    QCOMPARE(s.kept, kDefaultRibProperties);
    // Every visited page shows the kept values again.
    QCOMPARE(s.box(kGeneral, general::kChord)->text(), QString("100.000"));
    QCOMPARE(s.page(kGeneral)->control<QComboBox>(general::kPrecision)->currentIndex(), 3);
    QCOMPARE(s.box(kLeadingEdge, leadingEdge::kDepth)->text(), QString("3.000"));
    QCOMPARE(s.check(kLeadingEdge, leadingEdge::kNone)->checkState(), Qt::Checked);
    QCOMPARE(s.check(kLeadingEdge, leadingEdge::kRound)->checkState(), Qt::Unchecked);
    QCOMPARE(s.check(kSheeting, sheeting::kNone)->checkState(), Qt::Checked);
    QCOMPARE(s.check(kSheeting, sheeting::kTop)->checkState(), Qt::Unchecked);
}

// Runs the command over a loaded document and drives the sheet it opens.
static void runCommandDriving(AirfoilDocument& document, const std::function<void(PropertySheet&)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
        QVERIFY(sheet);
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        drive(*sheet);
        driven = true;
        if (sheet->isVisible()) sheet->reject();  // a failed step must not leave the loop running
    });
    QVERIFY(dialogs::runPropertiesCommand(document, nullptr));
    QVERIFY(driven);
}

static void goTo(PropertySheet& sheet, int position) {
    QTabBar* bar = sheet.tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(position).center());
}

void PropertySheetTest::commandAppliesOnlyOnOk() {
    LoadedDocument loaded;
    AirfoilDocument& document = loaded.document;
    QVERIFY(document.isLoaded());
    runCommandDriving(document, [](PropertySheet& sheet) {
        QCOMPARE(sheet.windowTitle(), QString("Airfoil Properties"));
        auto* chord = sheet.page(kGeneral)->control<QLineEdit>(general::kChord);
        chord->clear();
        QTest::keyClicks(chord, "250");
        goTo(sheet, kLeadingEdge);
        click(sheet.page(kLeadingEdge)->control<QCheckBox>(leadingEdge::kRound));
        goTo(sheet, kSpars);
        click(sheet.page(kSpars)->control<QCheckBox>(spars::kStick));
        goTo(sheet, kTrailingEdge);
        click(sheet.page(kTrailingEdge)->control<QCheckBox>(trailingEdge::kTeStock));
        goTo(sheet, kSheeting);
        click(sheet.page(kSheeting)->control<QCheckBox>(sheeting::kTop));
        QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
    });
    RibProperties expected = kDefaultRibProperties;
    expected.chord = 250.0f;
    expected.leadingEdgeStyle = 1;
    expected.sparStyle = 1;
    expected.sparDistanceInPercent = 1;
    expected.trailingEdgeStyle = 3;
    expected.sheetingStyle = 1;
    QCOMPARE(document.properties(), expected);
    QVERIFY(document.isLoaded());
    QCOMPARE(document.points().size(), sampleAirfoil().drawingOrder.size());
}

void PropertySheetTest::commandCancelChangesNothing() {
    LoadedDocument loaded;
    AirfoilDocument& document = loaded.document;
    // Changes stored on pages left before Cancel are discarded too, and so is
    // the switch to a percent distance made by showing the Spars page.
    runCommandDriving(document, [](PropertySheet& sheet) {
        auto* chord = sheet.page(kGeneral)->control<QLineEdit>(general::kChord);
        chord->clear();
        QTest::keyClicks(chord, "250");
        click(sheet.page(kGeneral)->control<QCheckBox>(general::kInches));
        goTo(sheet, kSpars);
        click(sheet.page(kSpars)->control<QCheckBox>(spars::kStock));
        goTo(sheet, kSheeting);
        click(sheet.page(kSheeting)->control<QCheckBox>(sheeting::kFullySheeted));
        goTo(sheet, kTrailingEdge);
        QTest::mouseClick(sheet.cancelButton(), Qt::LeftButton);
    });
    QCOMPARE(document.properties(), kDefaultRibProperties);

    // Escape is Cancel as well.
    runCommandDriving(document, [](PropertySheet& sheet) {
        goTo(sheet, kSpars);
        QTest::keyClick(&sheet, Qt::Key_Escape);
    });
    QCOMPARE(document.properties(), kDefaultRibProperties);
}

void PropertySheetTest::commandNeedsALoadedDocument() {
    AirfoilDocument empty;
    QVERIFY(!dialogs::runPropertiesCommand(empty, nullptr));
    QCOMPARE(empty.properties(), kDefaultRibProperties);
}

void PropertySheetTest::pagesShowEveryControlWhole() {
    RibProperties start = kDefaultRibProperties;
    start.metric = 0;  // the longer unit text
    start.precision = 4;
    Sheet s(start);
    const QString folder = qEnvironmentVariable("PARVELIN_SHEET_SCREENSHOTS");
    for (int position = 0; position < PropertySheet::PageCount; ++position) {
        s.goTo(position);
        QCOMPARE(s.sheet->tabs()->currentIndex(), position);
        PropertyPage* page = s.page(position);
        QVERIFY(page->isVisible());
        QCoreApplication::processEvents();  // lets the layouts settle
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            s.sheet->grab().save(QStringLiteral("%1/page%2.png").arg(folder).arg(position + 1));
        }
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->objectName().startsWith("qt_")) continue;
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w))
                continue;
            const QString what = QStringLiteral("%1 '%2' on page %3")
                                     .arg(w->metaObject()->className(), w->objectName())
                                     .arg(position);
            QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(what + " is squeezed"));
            const QRect inPage(w->mapTo(page, QPoint(0, 0)), w->size());
            QVERIFY2(page->rect().contains(inPage), qPrintable(what + " lies outside its page"));
        }
    }
}

void PropertySheetTest::stylePicturesShowTheSampleAirfoil() {
    // Every picture shows the sample section in black on white.
    for (StylePicture picture : {StylePicture::GeneralRib, StylePicture::LeRound, StylePicture::TeStock,
                                 StylePicture::SparStick, StylePicture::SheetingTop}) {
        const QImage image = renderStylePicture(picture, QSize(120, 40)).toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 100) ++dark;
        QVERIFY2(dark > 60, qPrintable(QStringLiteral("picture %1 shows %2 dark pixels")
                                           .arg(static_cast<int>(picture))
                                           .arg(dark)));
    }
    // The sample runs from the trailing edge over the upper surface to the
    // nose and back below.
    const auto points = sampleAirfoil().drawingOrder;
    QCOMPARE(points.front().x, 1.0f);
    QCOMPARE(points.back().x, 1.0f);
    const auto nose = std::min_element(points.begin(), points.end(),
                                       [](const auto& a, const auto& b) { return a.x < b.x; });
    QVERIFY(std::all_of(points.begin(), nose, [](const auto& p) { return p.y > -1e-6f; }));
    QVERIFY(std::any_of(nose, points.end(), [](const auto& p) { return p.y < 0.0f; }));
}

QTEST_MAIN(PropertySheetTest)
#include "tst_property_sheet.moc"
