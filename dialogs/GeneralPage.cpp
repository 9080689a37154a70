// SPDX-License-Identifier: GPL-3.0-or-later
// "General Properties": chord, height, washout, unit, precision.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "dialogs/PropertyPages.h"
#include "text/NumberText.h"

namespace parvelin::dialogs {

using namespace general;

namespace {
// The precision list: the position of an entry is its number of decimals.
constexpr const char* kPrecisionEntries[] = {"1", "1.0", "1.00", "1.000", "1.0000"};
constexpr int kPrecisionCount = 5;
} // namespace

GeneralPage::GeneralPage(SheetCopies copies, QWidget* parent) : PropertyPage(copies, kGeneralPage, parent) {
    chord_ = makeLengthBox(kChord);
    height_ = makeLengthBox(kHeight);
    washout_ = makeLengthBox(kWashout);
    chordUnit_ = makeUnitLabel(kChordUnit, "Unit");
    heightUnit_ = makeUnitLabel(kHeightUnit, "Unit");
    washoutUnit_ = makeUnitLabel(kWashoutUnit, "Unit");
    heightPercent_ = makeRadioButton(kHeightPercent, "Percent");
    heightFixed_ = makeRadioButton(kHeightFixed, "Fixed");
    // Height: the building board's distance below the chord line at the
    // trailing edge, a length or a percentage of the chord. Washout: the
    // wing tip's twist in degrees.
    makeChoice({heightPercent_, heightFixed_});
    metric_ = makeRadioButton(kMetric, "Metric");
    inches_ = makeRadioButton(kInches, "Inches");
    makeChoice({metric_, inches_});

    precision_ = new QComboBox(this);
    precision_->setObjectName(controlName(kPrecision));
    for (const char* entry : kPrecisionEntries) precision_->addItem(QString::fromLatin1(entry));

    auto* page = new QVBoxLayout(this);
    page->addWidget(airfoilBox());
    page->addWidget(measurementsBox());
    page->addLayout(orientationRow());
    page->addWidget(makePicture(StylePicture::GeneralRib, QSize(300, 64)), 0, Qt::AlignHCenter);
    page->addStretch(1);
}

QGroupBox* GeneralPage::airfoilBox() {
    auto* airfoil = new QGroupBox(QStringLiteral("Airfoil Properties"), this);
    auto* airfoilGrid = new QGridLayout(airfoil);
    airfoilGrid->addWidget(makeLabel("Chord"), 0, 0);
    airfoilGrid->addWidget(chord_, 0, 1);
    airfoilGrid->addWidget(chordUnit_, 0, 2);
    airfoilGrid->addWidget(makeLabel("Height"), 1, 0);
    airfoilGrid->addWidget(height_, 1, 1);
    airfoilGrid->addWidget(heightUnit_, 1, 2);
    airfoilGrid->addWidget(heightPercent_, 1, 3);
    airfoilGrid->addWidget(heightFixed_, 1, 4);
    airfoilGrid->addWidget(makeLabel("Washout"), 2, 0);
    airfoilGrid->addWidget(washout_, 2, 1);
    airfoilGrid->addWidget(washoutUnit_, 2, 2);
    airfoilGrid->setColumnStretch(5, 1);
    return airfoil;
}

QGroupBox* GeneralPage::measurementsBox() {
    auto* measurements = new QGroupBox(QStringLiteral("Measurements and Precision"), this);
    auto* measureGrid = new QGridLayout(measurements);
    measureGrid->addWidget(metric_, 0, 0);
    measureGrid->addWidget(inches_, 1, 0);
    measureGrid->addWidget(makeLabel("Precision"), 0, 1, Qt::AlignRight);
    measureGrid->addWidget(precision_, 0, 2);
    measureGrid->setColumnStretch(3, 1);
    measureGrid->setColumnMinimumWidth(1, 80);
    return measurements;
}

QHBoxLayout* GeneralPage::orientationRow() {
    // The page's orientation is chosen in the print dialog; the page shows
    // its place greyed.
    auto* orientationLabel = makeLabel("Printer Page Orientation:");
    orientationLabel->setEnabled(false);
    auto* landscape = new QRadioButton(QStringLiteral("Landscape"), this);
    landscape->setObjectName(controlName(kLandscape));
    landscape->setEnabled(false);
    auto* portrait = new QRadioButton(QStringLiteral("Portrait"), this);
    portrait->setObjectName(controlName(kPortrait));
    portrait->setEnabled(false);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(orientationLabel);
    orientation->addWidget(landscape);
    orientation->addWidget(portrait);
    orientation->addStretch(1);
    return orientation;
}

void GeneralPage::load(const RibProperties& p, LoadStage stage) {
    showLength(chord_, p.chord, p.precision);
    // The height box is not refreshed when the page becomes active again:
    // only this page changes the height, and it stored what the box shows.
    if (stage != LoadStage::Activate) showLength(height_, p.height, p.precision);
    showLength(washout_, p.washout, p.precision);
    heightInPercent_ = p.heightInPercent == 1;
    heightPercent_->setChecked(heightInPercent_);
    heightFixed_->setChecked(!heightInPercent_);
    boxesInMillimetres_ = inMillimetres(p);
    metric_->setChecked(boxesInMillimetres_);
    inches_->setChecked(!boxesInMillimetres_);
    // The list is filled when the page is made; the selection is set when it
    // is shown (which follows its creation at once) and on Cancel. A stored
    // precision outside the list selects nothing.
    if (stage != LoadStage::Create)
        precision_->setCurrentIndex(p.precision >= 0 && p.precision < kPrecisionCount ? p.precision : -1);
    setUnits();
}

void GeneralPage::setUnits() {
    const QString unit = unitText(boxesInMillimetres_);
    chordUnit_->setText(unit);
    heightUnit_->setText(heightInPercent_ ? QStringLiteral("%") : unit);
    washoutUnit_->setText(QStringLiteral("degrees"));
}

int GeneralPage::shownPrecision() {
    return precision_->currentIndex() >= 0 ? precision_->currentIndex() : edited().precision;
}

void GeneralPage::convertBoxes(bool toMillimetres) {
    if (toMillimetres == boxesInMillimetres_) return;
    const double factor = unitFactor(boxesInMillimetres_, toMillimetres);
    convertLength(chord_, factor, shownPrecision());
    if (!heightInPercent_) convertLength(height_, factor, shownPrecision());
    boxesInMillimetres_ = toMillimetres;
}

void GeneralPage::convertHeight(bool toPercent) {
    if (toPercent == heightInPercent_) return;
    heightInPercent_ = toPercent;
    // The percent is of the chord in the chord box; without a usable chord
    // the height keeps its number.
    float chord = 0.0f;
    if (readLength(chord_, chord) != BoxText::Number || !(chord > 0.0f) || !std::isfinite(chord)) return;
    const double percentPerLength = 100.0 / chord;
    const double factor = toPercent ? percentPerLength : 1.0 / percentPerLength;
    convertLength(height_, factor, shownPrecision());
}

bool GeneralPage::leave() {
    // Nothing is stored until every box holds a usable number; every
    // coordinate is multiplied by the chord, which must be above zero. A
    // change of unit converts every length of the copy (the rib keeps its
    // size); the boxes of this page hold theirs converted already.
    RibProperties p = edited();
    switchUnit(p, metric_->isChecked());
    p.heightInPercent = heightPercent_->isChecked() ? 1 : 0;
    if (!readLengths({{chord_, &RibProperties::chord, "Chord", kMessageChordNotPositive},
                      {height_, &RibProperties::height, "Height"},
                      {washout_, &RibProperties::washout, "Washout"}},
                     p))
        return false;
    if (precision_->currentIndex() >= 0) p.precision = precision_->currentIndex();
    edited() = p;
    return true;
}

void GeneralPage::command(int id) {
    // The copy changes only when the page is left.
    switch (id) {
    case kMetric: convertBoxes(true); break;
    case kInches: convertBoxes(false); break;
    case kHeightPercent: convertHeight(true); break;
    case kHeightFixed: convertHeight(false); break;
    default: return;
    }
    setUnits();
}

} // namespace parvelin::dialogs
