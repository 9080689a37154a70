// SPDX-License-Identifier: GPL-3.0-or-later
// "Spars" and "Sheeting".
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <tuple>

#include "dialogs/PropertyPages.h"

namespace parvelin::dialogs {

namespace {

constexpr StyleButton kSparButtons[] = {
    {spars::kNone, styleCode(SparStyle::None)},
    {spars::kStick, styleCode(SparStyle::Stick)},
    {spars::kStock, styleCode(SparStyle::Stock)},
};

constexpr StyleButton kSheetingButtons[] = {
    {sheeting::kNone, styleCode(SheetingStyle::None)},
    {sheeting::kTop, styleCode(SheetingStyle::Top)},
    {sheeting::kTopFrontOnly, styleCode(SheetingStyle::TopFrontOnly)},
    {sheeting::kFrontOnly, styleCode(SheetingStyle::FrontOnly)},
    {sheeting::kFullySheeted, styleCode(SheetingStyle::FullySheeted)},
};

} // namespace

// --- Spars ---

SparsPage::SparsPage(SheetCopies copies, QWidget* parent) : PropertyPage(copies, kSparsPage, parent) {
    using namespace spars;
    auto* stick = makeRadioButton(kStick, styleLabel(SparStyle::Stick));
    auto* stock = makeRadioButton(kStock, styleLabel(SparStyle::Stock));
    auto* none = makeRadioButton(kNone, styleLabel(SparStyle::None));
    style_ = makeChoice({stick, stock, none});
    width_ = makeLengthBox(kWidth);
    height_ = makeLengthBox(kHeight);
    distance_ = makeLengthBox(kDistance);
    // The distance of the spar's front face from the nose: a length, or a
    // percent of the chord.
    auto* percent = makeRadioButton(kPercent, "Percent");
    auto* fixed = makeRadioButton(kFixed, "Fixed");
    placing_ = makeChoice({percent, fixed});
    sizeUnit_ = makeUnitLabel(kSizeUnit, "mm");
    distanceUnit_ = makeUnitLabel(kDistanceUnit, "mm");

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* styleGrid = new QGridLayout(style);
    const QSize pictureSize(124, 44);
    const std::tuple<StylePicture, QRadioButton*> columns[] = {
        {StylePicture::SparStick, stick}, {StylePicture::SparStock, stock}, {StylePicture::SparNone, none}};
    int column = 0;
    for (auto [picture, button] : columns) {
        styleGrid->addWidget(makePicture(picture, pictureSize), 0, column, Qt::AlignHCenter);
        styleGrid->addWidget(button, 1, column, Qt::AlignHCenter);
        ++column;
    }

    auto* where = new QGroupBox(QStringLiteral("Size and Location"), this);
    auto* grid = new QGridLayout(where);
    grid->addWidget(makeLabel("Spar Size"), 0, 0);
    auto* size = makeSizePair("width", width_, "height", height_, sizeUnit_);
    size->addStretch(1);
    grid->addLayout(size, 0, 1);
    grid->addWidget(makeLabel("Distance from Leading Edge"), 1, 0);
    auto* distance = new QHBoxLayout;
    distance->addWidget(distance_);
    distance->addWidget(distanceUnit_);
    distance->addSpacing(12);
    distance->addWidget(percent);
    distance->addWidget(fixed);
    distance->addStretch(1);
    grid->addLayout(distance, 1, 1);
    grid->setColumnStretch(1, 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    page->addWidget(where);
    page->addStretch(1);
}

void SparsPage::setBoxesEnabled(bool enabled) {
    distance_->setEnabled(enabled);
    height_->setEnabled(enabled);
    width_->setEnabled(enabled);
    for (QAbstractButton* button : placing_->buttons()) button->setEnabled(enabled);
}

void SparsPage::load(const RibProperties& p, LoadStage stage) {
    showLength(height_, p.sparHeight, p.precision);
    showLength(width_, p.sparWidth, p.precision);
    showLength(distance_, p.sparDistance, p.precision);
    showStyle(style_, kSparButtons, p.sparStyle);
    distanceInPercent_ = p.sparDistanceInPercent == 1;
    check(placing_, distanceInPercent_ ? spars::kPercent : spars::kFixed);
    sizeUnit_->setText(unitText(p));
    distanceUnit_->setText(distanceInPercent_ ? QStringLiteral("%") : unitText(p));
    if (stage == LoadStage::Reset) return;
    setBoxesEnabled(p.spar() != SparStyle::None);
    // Made for a stock spar, the width box starts with the disabled look;
    // showing the page, which follows at once, enables it again.
    if (p.spar() == SparStyle::Stock && stage == LoadStage::Create) width_->setEnabled(false);
}

void SparsPage::convertDistance(bool toPercent) {
    if (toPercent == distanceInPercent_) return;
    distanceInPercent_ = toPercent;
    const float chord = edited().chord;
    distanceUnit_->setText(toPercent ? QStringLiteral("%") : unitText(edited()));
    if (!(chord > 0.0f) || !std::isfinite(chord)) return;
    const double percentPerLength = 100.0 / chord;
    const double factor = toPercent ? percentPerLength : 1.0 / percentPerLength;
    convertLength(distance_, factor, edited().precision);
}

bool SparsPage::leave() {
    RibProperties p = edited();
    storeStyle(style_, kSparButtons, p.sparStyle);
    if (placing_->checkedId() != -1) p.sparDistanceInPercent = placing_->checkedId() == spars::kPercent ? 1 : 0;
    if (!readLengths({{distance_, &RibProperties::sparDistance, "Distance from Leading Edge"},
                      {width_, &RibProperties::sparWidth, "Spar Size (width)"},
                      {height_, &RibProperties::sparHeight, "Spar Size (height)"}},
                     p))
        return false;
    edited() = p;
    return true;
}

void SparsPage::command(int id) {
    using namespace spars;
    switch (id) {
    case kStick:
    case kStock:
    case kNone: setBoxesEnabled(id != kNone); break;
    case kFixed:
    case kPercent: convertDistance(id == kPercent); break;
    default: break;
    }
}

// --- Sheeting ---

SheetingPage::SheetingPage(SheetCopies copies, QWidget* parent) : PropertyPage(copies, kSheetingPage, parent) {
    using namespace sheeting;
    auto* frontOnly = makeRadioButton(kFrontOnly, styleLabel(SheetingStyle::FrontOnly));
    auto* topFrontOnly = makeRadioButton(kTopFrontOnly, styleLabel(SheetingStyle::TopFrontOnly));
    auto* top = makeRadioButton(kTop, styleLabel(SheetingStyle::Top));
    auto* fullySheeted = makeRadioButton(kFullySheeted, styleLabel(SheetingStyle::FullySheeted));
    auto* none = makeRadioButton(kNone, styleLabel(SheetingStyle::None));
    style_ = makeChoice({frontOnly, topFrontOnly, top, fullySheeted, none});
    thickness_ = makeLengthBox(kThickness);
    unit_ = makeUnitLabel(kUnit, "mm");

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    const QSize pictureSize(170, 34);
    const int row = addPictureRows(grid,
                                   {{StylePicture::SheetingFrontOnly, frontOnly},
                                    {StylePicture::SheetingTopFrontOnly, topFrontOnly},
                                    {StylePicture::SheetingTop, top},
                                    {StylePicture::SheetingFully, fullySheeted}},
                                   pictureSize);
    grid->addWidget(none, row, 1);
    grid->setColumnStretch(1, 1);

    auto* size = new QGroupBox(QStringLiteral("Size"), this);
    auto* sizeRow = new QHBoxLayout(size);
    sizeRow->addWidget(makeLabel("Sheeting thickness"));
    sizeRow->addWidget(thickness_);
    sizeRow->addWidget(unit_);
    sizeRow->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    page->addWidget(size);
    page->addStretch(1);
}

void SheetingPage::load(const RibProperties& p, LoadStage stage) {
    showLength(thickness_, p.sheetingThickness, p.precision);
    unit_->setText(unitText(p));
    showStyle(style_, kSheetingButtons, p.sheetingStyle);
    if (stage == LoadStage::Reset) return;
    thickness_->setEnabled(p.sheeting() != SheetingStyle::None);
}

bool SheetingPage::leave() {
    RibProperties p = edited();
    storeStyle(style_, kSheetingButtons, p.sheetingStyle);
    if (!readLengths({{thickness_, &RibProperties::sheetingThickness, "Sheeting thickness"}}, p)) return false;
    edited() = p;
    return true;
}

void SheetingPage::command(int id) { thickness_->setEnabled(id != sheeting::kNone); }

} // namespace parvelin::dialogs
