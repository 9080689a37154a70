// SPDX-License-Identifier: GPL-3.0-or-later
// "Spars" and "Sheeting".
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <tuple>

#include "dialogs/PropertyPages.h"

namespace parvelin::dialogs {

// --- Spars ---

SparsPage::SparsPage(SheetCopies copies, QWidget* parent) : PropertyPage(copies, kSparsPage, parent) {
    using namespace spars;
    stick_ = makeCheckBox(kStick, styleLabel(SparStyle::Stick), false);
    stock_ = makeCheckBox(kStock, styleLabel(SparStyle::Stock), false);
    none_ = makeCheckBox(kNone, styleLabel(SparStyle::None), false);
    width_ = makeLengthBox(kWidth);
    height_ = makeLengthBox(kHeight);
    distance_ = makeLengthBox(kDistance);
    percent_ = makeCheckBox(kPercent, "Percent", false);
    fixed_ = makeCheckBox(kFixed, "Fixed", false);
    // The distance is always taken in percent of the chord.
    percent_->setEnabled(false);
    fixed_->setEnabled(false);
    sizeUnit_ = makeUnitLabel(kSizeUnit, "mm");
    distanceUnit_ = makeUnitLabel(kDistanceUnit, "mm");

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* styleGrid = new QGridLayout(style);
    const QSize pictureSize(124, 44);
    const std::tuple<StylePicture, QCheckBox*, int> columns[] = {{StylePicture::SparStick, stick_, kStick},
                                                                 {StylePicture::SparStock, stock_, kStock},
                                                                 {StylePicture::SparNone, none_, kNone}};
    int column = 0;
    for (auto [picture, box, id] : columns) {
        styleGrid->addWidget(makePicture(picture, pictureSize), 0, column, Qt::AlignHCenter);
        styleGrid->addWidget(box, 1, column, Qt::AlignHCenter);
        onClick(box, id);
        ++column;
    }
    onClick(percent_, kPercent);
    onClick(fixed_, kFixed);

    auto* where = new QGroupBox(QStringLiteral("Size and Location"), this);
    auto* grid = new QGridLayout(where);
    grid->addWidget(makeLabel("Spar Size"), 0, 0);
    grid->addWidget(width_, 0, 1);
    grid->addWidget(makeLabel("X"), 0, 2, Qt::AlignHCenter);
    grid->addWidget(height_, 0, 3);
    grid->addWidget(sizeUnit_, 0, 4);
    grid->addWidget(makeLabel("Distance from Leading Edge"), 1, 0);
    grid->addWidget(distance_, 1, 1);
    grid->addWidget(distanceUnit_, 1, 2, 1, 2);
    grid->addWidget(percent_, 2, 1);
    grid->addWidget(fixed_, 2, 3);
    grid->setColumnStretch(5, 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    page->addWidget(where);
    page->addStretch(1);
}

void SparsPage::setBoxesEnabled(bool enabled) {
    distance_->setEnabled(enabled);
    height_->setEnabled(enabled);
    width_->setEnabled(enabled);
}

void SparsPage::load(RibProperties& p, LoadStage stage) {
    showLength(height_, p.sparHeight, p.precision);
    showLength(width_, p.sparWidth, p.precision);
    showLength(distance_, p.sparDistance, p.precision);
    setState({stick_, stock_, none_}, Qt::Unchecked);
    switch (p.spar()) {
    case SparStyle::None: none_->setCheckState(Qt::Checked); break;
    case SparStyle::Stick: stick_->setCheckState(Qt::Checked); break;
    case SparStyle::Stock: stock_->setCheckState(Qt::Checked); break;
    default: break;
    }
    // Showing the page switches the spar distance to percent of the chord.
    p.sparDistanceInPercent = 1;
    percent_->setCheckState(Qt::Checked);
    fixed_->setCheckState(Qt::Unchecked);
    if (stage == LoadStage::Reset) return;
    sizeUnit_->setText(unitText(p));
    // Showing the page has just made the distance a percentage of the chord,
    // so its label says so rather than naming a length unit.
    distanceUnit_->setText(QStringLiteral("%"));
    setBoxesEnabled(true);
    if (p.spar() == SparStyle::None) setBoxesEnabled(false);
    // Made for a stock spar, the width box starts with the disabled look;
    // showing the page, which follows at once, enables it again.
    if (p.spar() == SparStyle::Stock && stage == LoadStage::Create) width_->setEnabled(false);
}

bool SparsPage::leave() {
    RibProperties p = edited();
    storeStyle({{stick_, styleCode(SparStyle::Stick)},
                {none_, styleCode(SparStyle::None)},
                {stock_, styleCode(SparStyle::Stock)}},
               p.sparStyle);
    if (percent_->checkState() == Qt::Checked) p.sparDistanceInPercent = 1;
    if (fixed_->checkState() == Qt::Checked) p.sparDistanceInPercent = 0;
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
    case kNone: {
        setBoxesEnabled(id != kNone);
        stock_->setCheckState(id == kStock ? Qt::Checked : Qt::Unchecked);
        stick_->setCheckState(id == kStick ? Qt::Checked : Qt::Unchecked);
        none_->setCheckState(id == kNone ? Qt::Checked : Qt::Unchecked);
        break;
    }
    case kFixed:
    case kPercent:
        fixed_->setCheckState(id == kFixed ? Qt::Checked : Qt::Unchecked);
        percent_->setCheckState(id == kPercent ? Qt::Checked : Qt::Unchecked);
        break;
    default: break;
    }
}

// --- Sheeting ---

SheetingPage::SheetingPage(SheetCopies copies, QWidget* parent) : PropertyPage(copies, kSheetingPage, parent) {
    using namespace sheeting;
    frontOnly_ = makeCheckBox(kFrontOnly, styleLabel(SheetingStyle::FrontOnly), true);
    topFrontOnly_ = makeCheckBox(kTopFrontOnly, styleLabel(SheetingStyle::TopFrontOnly), true);
    top_ = makeCheckBox(kTop, styleLabel(SheetingStyle::Top), true);
    fullySheeted_ = makeCheckBox(kFullySheeted, styleLabel(SheetingStyle::FullySheeted), true);
    none_ = makeCheckBox(kNone, styleLabel(SheetingStyle::None), false);
    thickness_ = makeLengthBox(kThickness);

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    const QSize pictureSize(170, 34);
    const int row = addPictureRows(grid,
                                   {{StylePicture::SheetingFrontOnly, frontOnly_, kFrontOnly},
                                    {StylePicture::SheetingTopFrontOnly, topFrontOnly_, kTopFrontOnly},
                                    {StylePicture::SheetingTop, top_, kTop},
                                    {StylePicture::SheetingFully, fullySheeted_, kFullySheeted}},
                                   pictureSize);
    grid->addWidget(none_, row, 1);
    onClick(none_, kNone);
    grid->setColumnStretch(1, 1);

    auto* size = new QGroupBox(QStringLiteral("Size"), this);
    auto* sizeRow = new QHBoxLayout(size);
    sizeRow->addWidget(makeLabel("Sheeting thickness"));
    sizeRow->addWidget(thickness_);
    sizeRow->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    page->addWidget(size);
    page->addStretch(1);
}

void SheetingPage::load(const RibProperties& p, LoadStage stage) {
    showLength(thickness_, p.sheetingThickness, p.precision);
    setState({none_, top_, topFrontOnly_, frontOnly_, fullySheeted_}, Qt::Unchecked);
    switch (p.sheeting()) {
    case SheetingStyle::None: none_->setCheckState(Qt::Checked); break;
    case SheetingStyle::Top: top_->setCheckState(Qt::Checked); break;
    case SheetingStyle::TopFrontOnly: topFrontOnly_->setCheckState(Qt::Checked); break;
    case SheetingStyle::FrontOnly: frontOnly_->setCheckState(Qt::Checked); break;
    case SheetingStyle::FullySheeted: fullySheeted_->setCheckState(Qt::Checked); break;
    default: break;
    }
    if (stage == LoadStage::Reset) return;
    thickness_->setEnabled(true);
    if (p.sheeting() == SheetingStyle::None) {
        setState({top_, topFrontOnly_, fullySheeted_, frontOnly_}, Qt::PartiallyChecked);
        thickness_->setEnabled(false);
    }
}

bool SheetingPage::leave() {
    RibProperties p = edited();
    storeStyle({{top_, styleCode(SheetingStyle::Top)},
                {fullySheeted_, styleCode(SheetingStyle::FullySheeted)},
                {topFrontOnly_, styleCode(SheetingStyle::TopFrontOnly)},
                {frontOnly_, styleCode(SheetingStyle::FrontOnly)},
                {none_, styleCode(SheetingStyle::None)}},
               p.sheetingStyle);
    if (!readLengths({{thickness_, &RibProperties::sheetingThickness, "Sheeting thickness"}}, p)) return false;
    edited() = p;
    return true;
}

void SheetingPage::command(int id) {
    using namespace sheeting;
    QCheckBox* chosen = nullptr;
    switch (id) {
    case kTop: chosen = top_; break;
    case kTopFrontOnly: chosen = topFrontOnly_; break;
    case kFrontOnly: chosen = frontOnly_; break;
    case kFullySheeted: chosen = fullySheeted_; break;
    case kNone: chosen = none_; break;
    default: return;
    }
    setState({none_, top_, topFrontOnly_, fullySheeted_, frontOnly_}, Qt::Unchecked);
    thickness_->setEnabled(true);
    if (chosen == none_) {
        // The surfaces are shown undecided rather than off.
        setState({top_, topFrontOnly_, fullySheeted_, frontOnly_}, Qt::PartiallyChecked);
        thickness_->setEnabled(false);
    }
    chosen->setCheckState(Qt::Checked);
}

} // namespace parvelin::dialogs
