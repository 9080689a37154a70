// SPDX-License-Identifier: GPL-3.0-or-later
// "General Properties": chord, height, washout, unit, precision.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

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
    heightPercent_ = makeCheckBox(kHeightPercent, "Percent", false);
    heightFixed_ = makeCheckBox(kHeightFixed, "Fixed", false);
    // Height: the building board's distance below the chord line at the
    // trailing edge, a length or a percentage of the chord. Washout: the
    // wing tip's twist in degrees.
    onClick(heightPercent_, kHeightPercent);
    onClick(heightFixed_, kHeightFixed);
    metric_ = makeCheckBox(kMetric, "Metric", false);
    inches_ = makeCheckBox(kInches, "Inches", false);
    onClick(metric_, kMetric);
    onClick(inches_, kInches);

    precision_ = new QComboBox(this);
    precision_->setObjectName(controlName(kPrecision));
    for (const char* entry : kPrecisionEntries) precision_->addItem(QString::fromLatin1(entry));

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

    auto* measurements = new QGroupBox(QStringLiteral("Measurements and Precision"), this);
    auto* measureGrid = new QGridLayout(measurements);
    measureGrid->addWidget(metric_, 0, 0);
    measureGrid->addWidget(inches_, 1, 0);
    measureGrid->addWidget(makeLabel("Precision"), 0, 1, Qt::AlignRight);
    measureGrid->addWidget(precision_, 0, 2);
    measureGrid->setColumnStretch(3, 1);
    measureGrid->setColumnMinimumWidth(1, 80);

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

    auto* picture = makePicture(StylePicture::GeneralRib, QSize(300, 64));

    auto* page = new QVBoxLayout(this);
    page->addWidget(airfoil);
    page->addWidget(measurements);
    page->addLayout(orientation);
    page->addWidget(picture, 0, Qt::AlignHCenter);
    page->addStretch(1);
}

void GeneralPage::load(const RibProperties& p, LoadStage stage) {
    showLength(chord_, p.chord, p.precision);
    // The height box is not refreshed when the page becomes active again.
    if (stage != LoadStage::Activate) showLength(height_, p.height, p.precision);
    showLength(washout_, p.washout, p.precision);
    heightPercent_->setCheckState(p.heightInPercent == 1 ? Qt::Checked : Qt::Unchecked);
    heightFixed_->setCheckState(p.heightInPercent == 1 ? Qt::Unchecked : Qt::Checked);
    metric_->setCheckState(p.metric == 1 ? Qt::Checked : Qt::Unchecked);
    inches_->setCheckState(p.metric == 0 ? Qt::Checked : Qt::Unchecked);
    // The list is filled when the page is made; the selection is set when it
    // is shown (which follows its creation at once) and on Cancel. A stored
    // precision outside the list selects nothing.
    if (stage != LoadStage::Create)
        precision_->setCurrentIndex(p.precision >= 0 && p.precision < kPrecisionCount ? p.precision : -1);
    // Cancel leaves the unit labels as they are.
    if (stage != LoadStage::Reset) setUnits(unitText(p));
}

void GeneralPage::setUnits(const QString& unit) {
    chordUnit_->setText(unit);
    heightUnit_->setText(heightPercent_->checkState() == Qt::Checked ? QStringLiteral("%") : unit);
    washoutUnit_->setText(QStringLiteral("degrees"));
    unit_ = unit;
}

bool GeneralPage::leave() {
    // Nothing is stored until every box holds a usable number; every
    // coordinate is multiplied by the chord, which must be above zero.
    RibProperties p = edited();
    if (heightPercent_->checkState() == Qt::Checked) p.heightInPercent = 1;
    if (heightFixed_->checkState() == Qt::Checked) p.heightInPercent = 0;
    if (metric_->checkState() == Qt::Checked) p.metric = 1;
    if (inches_->checkState() == Qt::Checked) p.metric = 0;
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
    // The unit changes in the copy only when the page is left.
    if (id == kMetric) {
        metric_->setCheckState(Qt::Checked);
        inches_->setCheckState(Qt::Unchecked);
        setUnits(QStringLiteral("mm"));
    } else if (id == kInches) {
        metric_->setCheckState(Qt::Unchecked);
        inches_->setCheckState(Qt::Checked);
        setUnits(QStringLiteral("inches"));
    } else if (id == kHeightPercent || id == kHeightFixed) {
        heightPercent_->setCheckState(id == kHeightPercent ? Qt::Checked : Qt::Unchecked);
        heightFixed_->setCheckState(id == kHeightFixed ? Qt::Checked : Qt::Unchecked);
        setUnits(unit_);
    }
}

} // namespace parvelin::dialogs
