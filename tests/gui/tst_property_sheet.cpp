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
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "dialogs/ControlIds.h"
#include "dialogs/PropertiesCommand.h"
#include "dialogs/PropertiesStep.h"
#include "dialogs/PropertySheet.h"
#include "dialogs/StylePictures.h"
#include "dialogs/UnitSwitch.h"
#include "document/AirfoilDocument.h"
#include "model/RibPropertyFields.h"
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
    // Clicks a radio button on its round mark.
    void click(int position, int id) const {
        QRadioButton* button = on<QRadioButton>(position, id);
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect indicator = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
        QTest::mouseClick(button, Qt::LeftButton, {}, indicator.center());
    }
    void type(int position, int id, const QString& text) const {
        box(position, id)->clear();
        QTest::keyClicks(box(position, id), text);
    }
    // The marks of buttons in one string: 'x' checked, '-' unchecked.
    QString marks(int position, std::initializer_list<int> ids) const {
        QString result;
        for (int id : ids) result += on<QRadioButton>(position, id)->isChecked() ? 'x' : '-';
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
    LoadedDocument() { document.takeContents(sampleAirfoil()); }
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
    void everyChoiceHoldsOneButton();
    void lengthsPassThroughTheirText();
    void precisionChangesOnlyTheText();
    void unitSwitchConvertsEveryLength();
    void unitRoundTripsKeepEveryNumber();
    void conversionsComeBackExactly();
    void chordMustBePositive_data();
    void chordMustBePositive();
    void boxesRefuseWhatNoRibIsBuiltFrom_data();
    void boxesRefuseWhatNoRibIsBuiltFrom();
    void cancelRestoresVisitedPagesFromTheKeptCopy();
    void commandAppliesOnOk();
    void commandCancelChangesNothing();
    void sparPlacedInMillimetresOrPercent();
    void unitSwitchKeepsTheRibsSize();
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
        QCOMPARE(s.marks(kSpars, {kStick, kStock, kNone, kPercent, kFixed}), QString("--x-x"));
        QCOMPARE(s.text(kSpars, kSizeUnit), QString("mm"));
        // The distance is a length unless the record says percent.
        QCOMPARE(s.text(kSpars, kDistanceUnit), QString("mm"));
    }
    s.goTo(kTrailingEdge);
    {
        using namespace trailingEdge;
        QCOMPARE(s.text(kTrailingEdge, kWidth), QString("25.000"));
        QCOMPARE(s.text(kTrailingEdge, kHeight), QString("15.000"));
        QCOMPARE(s.looks(kTrailingEdge, {kWidth, kHeight}), QString("dd"));
        QCOMPARE(s.marks(kTrailingEdge, {kTeStock, kSheetedBottom, kSheetedTopAndBottom, kNone}), QString("---x"));
        QCOMPARE(s.text(kTrailingEdge, kUnit), QString("mm"));
    }
    s.goTo(kSheeting);
    {
        using namespace sheeting;
        QCOMPARE(s.text(kSheeting, kThickness), QString("2.000"));
        QCOMPARE(s.looks(kSheeting, {kThickness}), QString("d"));
        QCOMPARE(s.marks(kSheeting, {kFrontOnly, kTopFrontOnly, kTop, kFullySheeted, kNone}), QString("----x"));
        QCOMPARE(s.text(kSheeting, kUnit), QString("mm"));
    }
    // Leaving every page unchanged changes nothing.
    s.goTo(kGeneral);
    QVERIFY(dialogs::sameRecord(s.edited, kDefaultRibProperties));
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
        // The names of the size pair grey with their boxes.
        for (QLabel* name : s.sheet->page(kLeadingEdge)->findChildren<QLabel*>())
            if (name->buddy()) QCOMPARE(name->isEnabled(), name->buddy()->isEnabled());
        // A second click keeps it checked.
        s.click(kLeadingEdge, kRound);
        QCOMPARE(s.marks(kLeadingEdge, ids), QString("-x---"));
        s.click(kLeadingEdge, kNone);
        QCOMPARE(s.marks(kLeadingEdge, ids), QString("----x"));
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
        s.click(kTrailingEdge, kNone);
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
        QCOMPARE(s.looks(kSpars, {kWidth, kHeight, kDistance, kPercent, kFixed}), QString("ddddd"));
        s.click(kSpars, kStick);
        QCOMPARE(s.marks(kSpars, ids), QString("x--"));
        QCOMPARE(s.looks(kSpars, {kWidth, kHeight, kDistance, kPercent, kFixed}), QString("eeeee"));
    }
    {
        using namespace sheeting;
        const auto ids = {kFrontOnly, kTopFrontOnly, kTop, kFullySheeted, kNone};
        s.goTo(kSheeting);
        s.click(kSheeting, kTop);
        QCOMPARE(s.marks(kSheeting, ids), QString("--x--"));
        QCOMPARE(s.looks(kSheeting, {kThickness}), QString("e"));
        s.click(kSheeting, kNone);
        QCOMPARE(s.marks(kSheeting, ids), QString("----x"));
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

void PropertySheetTest::everyChoiceHoldsOneButton() {
    // Every either/or choice of the pages, its buttons in the order of the
    // codes they store (those of the rib design file).
    struct Choice {
        int position;
        std::vector<int> ids;
        std::int32_t RibProperties::*field;
    };
    using namespace leadingEdge;
    const std::vector<Choice> choices = {
        {kGeneral, {general::kInches, general::kMetric}, &RibProperties::metric},
        {kGeneral, {general::kHeightFixed, general::kHeightPercent}, &RibProperties::heightInPercent},
        {kLeadingEdge, {kNone, kRound, kSquare, kLeStock, kRectangular}, &RibProperties::leadingEdgeStyle},
        // The placing first: No Spars disables it.
        {kSpars, {spars::kFixed, spars::kPercent}, &RibProperties::sparDistanceInPercent},
        {kSpars, {spars::kNone, spars::kStick, spars::kStock}, &RibProperties::sparStyle},
        {kTrailingEdge,
         {trailingEdge::kNone, trailingEdge::kSheetedTopAndBottom, trailingEdge::kSheetedBottom, trailingEdge::kTeStock},
         &RibProperties::trailingEdgeStyle},
        {kSheeting, {sheeting::kNone, sheeting::kTop, sheeting::kTopFrontOnly, sheeting::kFrontOnly, sheeting::kFullySheeted},
         &RibProperties::sheetingStyle},
    };
    RibProperties start = kDefaultRibProperties;
    start.sparStyle = 1;  // the spar's placing buttons are live
    Sheet s(start);
    // Each click leaves exactly the clicked button of its choice checked,
    // and leaving the page stores its code.
    for (const Choice& choice : choices) {
        for (int code = static_cast<int>(choice.ids.size()) - 1; code >= 0; --code) {
            s.goTo(choice.position);
            s.click(choice.position, choice.ids[std::size_t(code)]);
            for (std::size_t other = 0; other < choice.ids.size(); ++other)
                QCOMPARE(s.on<QRadioButton>(choice.position, choice.ids[other])->isChecked(), int(other) == code);
            s.goTo(choice.position == kSheeting ? kSpars : kSheeting);
            QCOMPARE(s.edited.*choice.field, code);
        }
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

void PropertySheetTest::precisionChangesOnlyTheText() {
    RibProperties start = kDefaultRibProperties;
    start.setStyle(SparStyle::Stick);
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
    // Left unchanged, the boxes keep the lengths as they were; a typed
    // length is taken as typed.
    s.type(kSpars, spars::kDistance, "31");
    s.goTo(kGeneral);
    QCOMPARE(s.edited.sparWidth, 2.5f);
    QCOMPARE(s.edited.sparHeight, 3.5f);
    QCOMPARE(s.edited.sparDistance, 31.0f);
    QCOMPARE(s.text(kGeneral, general::kChord), QString(" 100"));

    s.precision()->setCurrentIndex(1);  // "1.0"
    s.goTo(kSpars);
    QCOMPARE(s.edited.precision, 1);
    QCOMPARE(s.text(kSpars, spars::kWidth), QString(" 2.5"));
    QCOMPARE(s.text(kSpars, spars::kDistance), QString("31.0"));
}

void PropertySheetTest::unitSwitchConvertsEveryLength() {
    using namespace general;
    RibProperties start = kDefaultRibProperties;
    start.chord = 150.5f;
    start.setStyle(LeadingEdgeStyle::LeStock);
    start.setStyle(SparStyle::Stick);
    start.setStyle(TrailingEdgeStyle::TeStock);
    start.setStyle(SheetingStyle::Top);
    Sheet s(start);
    s.goTo(kLeadingEdge);  // a page made before the switch shows it too
    s.goTo(kGeneral);
    s.click(kGeneral, kInches);
    // The page's own boxes convert at once.
    QCOMPARE(s.marks(kGeneral, {kMetric, kInches}), QString("-x"));
    QCOMPARE(s.text(kGeneral, kChord), QString("5.925"));
    QCOMPARE(s.text(kGeneral, kHeight), QString("0.079"));
    QCOMPARE(s.text(kGeneral, kWashout), QString("0.000"));
    for (int id : {kChordUnit, kHeightUnit}) QCOMPARE(s.text(kGeneral, id), QString("in"));
    QCOMPARE(s.text(kGeneral, kWashoutUnit), QString("degrees"));
    // The board height as a percentage of the chord, and back to a length.
    s.click(kGeneral, kHeightPercent);
    QCOMPARE(s.text(kGeneral, kHeightUnit), QString("%"));
    QCOMPARE(s.text(kGeneral, kHeight), QString("1.329"));  // 2 mm of 150.5 mm
    s.click(kGeneral, kHeightFixed);
    QCOMPARE(s.text(kGeneral, kHeight), QString("0.079"));
    QCOMPARE(s.text(kGeneral, kHeightUnit), QString("in"));
    // The copy changes when the page is left, the other pages when next shown.
    QCOMPARE(s.edited, start);
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kUnit), QString("mm"));
    s.goTo(kLeadingEdge);
    QCOMPARE(s.edited.metric, 0);
    QCOMPARE(s.edited.chord, convertedLength(150.5f, 1 / 25.4));
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kDepth), QString("0.118"));
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kHeight), QString("0.394"));
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kUnit), QString("in"));
    s.goTo(kSpars);
    QCOMPARE(s.text(kSpars, spars::kWidth), QString("0.197"));
    QCOMPARE(s.text(kSpars, spars::kDistance), QString("1.181"));
    QCOMPARE(s.text(kSpars, spars::kSizeUnit), QString("in"));
    QCOMPARE(s.text(kSpars, spars::kDistanceUnit), QString("in"));
    s.goTo(kTrailingEdge);
    QCOMPARE(s.text(kTrailingEdge, trailingEdge::kWidth), QString("0.984"));
    QCOMPARE(s.text(kTrailingEdge, trailingEdge::kHeight), QString("0.591"));
    QCOMPARE(s.text(kTrailingEdge, trailingEdge::kUnit), QString("in"));
    s.goTo(kSheeting);
    QCOMPARE(s.text(kSheeting, sheeting::kThickness), QString("0.079"));
    QCOMPARE(s.text(kSheeting, sheeting::kUnit), QString("in"));

    // And back: every number is the one it was, bit for bit.
    s.goTo(kGeneral);
    s.click(kGeneral, kMetric);
    QCOMPARE(s.text(kGeneral, kChord), QString("150.500"));
    s.goTo(kSheeting);
    QCOMPARE(s.text(kSheeting, sheeting::kThickness), QString("2.000"));
    QCOMPARE(s.edited, start);

    // A length typed in the new unit is taken in it.
    s.goTo(kGeneral);
    s.click(kGeneral, kInches);
    s.type(kGeneral, kChord, "6");
    s.click(kGeneral, kMetric);
    QCOMPARE(s.text(kGeneral, kChord), QString("152.400"));
    s.goTo(kSpars);
    QCOMPARE(s.edited.chord, 152.4f);
    QCOMPARE(s.edited.sparWidth, 5.0f);
}

void PropertySheetTest::unitRoundTripsKeepEveryNumber() {
    // Records of many sizes and precisions, in either unit: switched to the
    // other unit, every length keeps its ratio to the chord (the rib keeps
    // its size) and what is not a length keeps its number; switched back,
    // the record is what it was, bit for bit.
    const float ratio[] = {0.25f, 0.125f, 0.0333f, 0.42f, 0.007f};
    int made = 0;
    for (int metric : {1, 0}) {
        for (float chord : {0.75f, 5.925f, 12.0f, 100.0f, 150.5f, 333.3f, 1234.5f}) {
            for (int precision : {0, 2, 3, 4}) {
                RibProperties start = kDefaultRibProperties;
                start.metric = metric;
                start.chord = chord;
                start.precision = precision;
                start.sparDistanceInPercent = made % 2;
                start.sparDistance = made % 2 ? 30.0f : std::round(chord * 300.0f) / 1000.0f;
                start.heightInPercent = (made / 2) % 2;
                start.setStyle(SparStyle::Stick);
                start.setStyle(LeadingEdgeStyle::Rectangular);
                start.setStyle(TrailingEdgeStyle::SheetedBottom);
                start.setStyle(SheetingStyle::FullySheeted);
                start.washout = 2.5f;
                float* lengths[] = {&start.leadingEdgeDepth, &start.leadingEdgeHeight, &start.sparWidth,
                                    &start.sparHeight, &start.trailingEdgeWidth, &start.trailingEdgeHeight,
                                    &start.trailingEdgeThickness, &start.sheetingThickness};
                for (std::size_t i = 0; i < std::size(lengths); ++i)
                    *lengths[i] = std::round(chord * ratio[(i + made) % std::size(ratio)] * 1000.0f) / 1000.0f;
                ++made;
                Sheet s(start);
                s.click(kGeneral, metric == 1 ? general::kInches : general::kMetric);
                for (int position = 1; position < PropertySheet::PageCount; ++position) s.goTo(position);
                QCOMPARE(s.sheet->tabs()->currentIndex(), PropertySheet::PageCount - 1);  // every page took its boxes
                const RibProperties& other = s.edited;
                QCOMPARE(other.metric, 1 - metric);
                const double factor = metric == 1 ? 1 / 25.4 : 25.4;
                QVERIFY(std::abs(other.chord / (start.chord * factor) - 1.0) < 1e-6);
                for (const RibPropertyField& field : ribPropertyFields()) {
                    const QString what = QStringLiteral("%1 of %2 at %3").arg(field.name).arg(chord).arg(precision);
                    if (field.isInteger) {
                        if (field.integer != &RibProperties::metric)
                            QVERIFY2(other.*field.integer == start.*field.integer, qPrintable(what));
                        continue;
                    }
                    const bool length = field.real != &RibProperties::washout &&
                                        field.real != &RibProperties::materialDensity &&
                                        !(field.real == &RibProperties::sparDistance && start.sparDistanceInPercent) &&
                                        !(field.real == &RibProperties::height && start.heightInPercent);
                    if (length) {
                        const double before = start.*field.real / start.chord;
                        const double after = other.*field.real / other.chord;
                        QVERIFY2(std::abs(after - before) <= 1e-6 * std::max(1.0, std::abs(before)), qPrintable(what));
                    } else {
                        QVERIFY2(other.*field.real == start.*field.real, qPrintable(what));
                    }
                }
                s.goTo(kGeneral);
                s.click(kGeneral, metric == 1 ? general::kMetric : general::kInches);
                for (int position = 1; position < PropertySheet::PageCount; ++position) s.goTo(position);
                QVERIFY2(dialogs::sameRecord(s.edited, start),
                         qPrintable(QStringLiteral("chord %1, precision %2").arg(chord).arg(precision)));
            }
        }
    }
}

void PropertySheetTest::conversionsComeBackExactly() {
    // Lengths typed with up to four decimals, from a ten-thousandth to some
    // thousands, converted between the units and between a length and a
    // percent of chords of many sizes, and back: the same float, while the
    // converted length is the product within a float's rounding.
    std::vector<double> factors = {25.4, 1 / 25.4};
    for (const float chord : {0.75f, 5.925f, 100.0f, 150.5f, 333.3f, 1234.5f}) {
        factors.push_back(100.0 / chord);
        factors.push_back(1.0 / (100.0 / chord));
    }
    int plainMisses = 0;
    int converted = 0;
    for (double magnitude = 0.0001; magnitude < 5000.0; magnitude *= 1.9) {
        for (int step = 1; step < 60; ++step) {
            const float typed = static_cast<float>(std::round(magnitude * (1.0 + step / 60.0) * 1e4) / 1e4);
            for (const double factor : factors) {
                const float there = convertedLength(typed, factor);
                QVERIFY(std::abs(there / (typed * factor) - 1.0) < 2.4e-7);
                QCOMPARE(convertedLength(there, 1.0 / factor), typed);
                if (scaled(scaled(typed, factor), 1.0 / factor) != typed) ++plainMisses;
                ++converted;
            }
        }
    }
    // Plain products miss often enough for the sweep to have tested something.
    QVERIFY2(plainMisses > converted / 20, qPrintable(QStringLiteral("%1 of %2").arg(plainMisses).arg(converted)));
    // Beyond the float range a length is infinite, not undefined.
    QVERIFY(std::isinf(convertedLength(3e38f, 25.4)));
    QVERIFY(convertedLength(-3e38f, 25.4) < 0.0f);
    QVERIFY(std::isnan(convertedLength(std::nanf(""), 25.4)));
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

    // An empty box keeps the chord, converted to the new unit; a positive
    // one is taken.
    s.box(kGeneral, general::kChord)->clear();
    s.goTo(kSpars);
    QCOMPARE(s.sheet->tabs()->currentIndex(), kSpars);
    QCOMPARE(s.edited.chord, convertedLength(100.0f, 1 / 25.4));
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
    // Every page made shows the kept values again; the kept copy is untouched.
    QCOMPARE(s.text(kGeneral, general::kChord), QString("100.000"));
    QCOMPARE(s.precision()->currentIndex(), 3);
    QCOMPARE(s.text(kLeadingEdge, leadingEdge::kDepth), QString("3.000"));
    QCOMPARE(s.marks(kLeadingEdge, {leadingEdge::kRound, leadingEdge::kNone}), QString("-x"));
    QCOMPARE(s.marks(kSheeting, {sheeting::kTop, sheeting::kNone}), QString("-x"));
    QCOMPARE(s.kept, kDefaultRibProperties);
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
    // Changes stored on pages left before Cancel are discarded too.
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

namespace {

// Every component's outline, in fractions of the chord.
std::vector<OutlineSegment> ribOutlines(const AirfoilDocument& document) {
    std::vector<OutlineSegment> all;
    for (const ComponentOutline* outline : {&document.leadingEdge().outline(), &document.spars().outline(),
                                            &document.trailingEdge().outline(), &document.sheeting().outline()})
        all.insert(all.end(), outline->begin(), outline->end());
    return all;
}

// The largest distance between corresponding corners; infinite when the
// outlines differ in their corners or pen strokes.
double largestMove(const std::vector<OutlineSegment>& a, const std::vector<OutlineSegment>& b) {
    if (a.size() != b.size()) return INFINITY;
    double largest = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].penDown != b[i].penDown) return INFINITY;
        largest = std::max({largest, std::abs(double(a[i].modelX) - b[i].modelX),
                            std::abs(double(a[i].modelY) - b[i].modelY)});
    }
    return largest;
}

} // namespace

void PropertySheetTest::sparPlacedInMillimetresOrPercent() {
    LoadedDocument loaded;
    using namespace spars;
    // A stick spar 45 mm from the nose of a 250 mm rib.
    runCommandDriving(loaded.document, [](const Driver& d) {
        d.type(kGeneral, general::kChord, "250");
        d.goTo(kSpars);
        d.click(kSpars, kStick);
        d.click(kSpars, kFixed);
        QCOMPARE(d.text(kSpars, kDistanceUnit), QString("mm"));
        d.type(kSpars, kDistance, "45");
        QTest::mouseClick(d.sheet->okButton(), Qt::LeftButton);
    });
    const RibProperties& p = loaded.document.properties();
    QCOMPARE(p.sparDistanceInPercent, 0);
    QCOMPARE(p.sparDistance, 45.0f);
    // The spar's front face.
    const ComponentOutline& spar = loaded.document.spars().outline();
    QVERIFY(!spar.empty());
    const auto front = std::min_element(spar.begin(), spar.end(), [](const OutlineSegment& a, const OutlineSegment& b) {
        return a.modelX < b.modelX;
    });
    QCOMPARE(front->modelX, 45.0f / 250.0f);
    const std::vector<OutlineSegment> inMillimetres = ribOutlines(loaded.document);

    // Percent: the box shows where the spar is in percent of the chord, and
    // the spar stays there.
    runCommandDriving(loaded.document, [](const Driver& d) {
        d.goTo(kSpars);
        QCOMPARE(d.marks(kSpars, {kPercent, kFixed}), QString("-x"));
        d.click(kSpars, kPercent);
        QCOMPARE(d.text(kSpars, kDistance), QString("18.000"));
        QCOMPARE(d.text(kSpars, kDistanceUnit), QString("%"));
        QTest::mouseClick(d.sheet->okButton(), Qt::LeftButton);
    });
    QCOMPARE(loaded.document.properties().sparDistanceInPercent, 1);
    QCOMPARE(loaded.document.properties().sparDistance, 18.0f);
    QVERIFY(largestMove(ribOutlines(loaded.document), inMillimetres) < 1e-6);

    // And back to a length, as it was.
    runCommandDriving(loaded.document, [](const Driver& d) {
        d.goTo(kSpars);
        d.click(kSpars, kFixed);
        QCOMPARE(d.text(kSpars, kDistance), QString("45.000"));
        QTest::mouseClick(d.sheet->okButton(), Qt::LeftButton);
    });
    QCOMPARE(loaded.document.properties().sparDistanceInPercent, 0);
    QCOMPARE(loaded.document.properties().sparDistance, 45.0f);
}

void PropertySheetTest::unitSwitchKeepsTheRibsSize() {
    LoadedDocument loaded;
    RibProperties start = kDefaultRibProperties;
    start.chord = 150.5f;
    start.setStyle(LeadingEdgeStyle::LeStock);
    start.setStyle(SparStyle::Stock);
    start.setStyle(TrailingEdgeStyle::TeStock);
    start.setStyle(SheetingStyle::TopFrontOnly);
    loaded.document.applyProperties(start);
    const std::vector<OutlineSegment> before = ribOutlines(loaded.document);
    QVERIFY(before.size() > 10);

    runCommandDriving(loaded.document, [](const Driver& d) {
        d.click(kGeneral, general::kInches);
        QTest::mouseClick(d.sheet->okButton(), Qt::LeftButton);
    });
    const RibProperties& inches = loaded.document.properties();
    QCOMPARE(inches.metric, 0);
    QCOMPARE(inches.chord, convertedLength(150.5f, 1 / 25.4));
    // The same rib: every corner where it was, in fractions of the chord.
    QVERIFY(largestMove(ribOutlines(loaded.document), before) < 1e-6);

    runCommandDriving(loaded.document, [](const Driver& d) {
        d.click(kGeneral, general::kMetric);
        QTest::mouseClick(d.sheet->okButton(), Qt::LeftButton);
    });
    QVERIFY(dialogs::sameRecord(loaded.document.properties(), start));
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
        // Either/or choices are radio buttons: no box can show a half-ticked mark.
        QVERIFY(page->findChildren<QCheckBox*>().isEmpty());
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
