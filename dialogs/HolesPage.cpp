// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/HolesPage.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace parvelin::dialogs {

HolesPage::HolesPage(SheetCopies copies, QWidget* parent) : PropertyPage(copies, kHolesPage, parent) {
    using namespace holes;
    // Made top to bottom, the order the Tab key goes through them.
    auto* page = new QVBoxLayout(this);
    page->addWidget(styleBox());
    margin_ = makeLengthBox(kMargin);
    web_ = makeLengthBox(kWeb);
    cornerRadius_ = makeLengthBox(kCornerRadius);
    minimum_ = makeLengthBox(kMinimum);
    thickness_ = makeLengthBox(kThickness);
    density_ = makeLengthBox(kDensity);
    unit_ = makeUnitLabel(kUnit, "mm");
    thicknessUnit_ = makeUnitLabel(kThicknessUnit, "mm");
    page->addWidget(sizesBox());
    page->addWidget(materialBox());
    page->addStretch(1);
}

QGroupBox* HolesPage::styleBox() {
    using namespace holes;
    auto* group = new QButtonGroup(this);
    const auto radio = [&](int id, HoleStyle style) {
        auto* button = new QRadioButton(QString::fromUtf8(styleLabel(style)), this);
        button->setObjectName(controlName(id));
        group->addButton(button, id);
        return button;
    };
    none_ = radio(kNone, HoleStyle::None);
    round_ = radio(kRound, HoleStyle::Round);
    slots_ = radio(kSlots, HoleStyle::Slots);
    truss_ = radio(kTruss, HoleStyle::Truss);
    connect(group, &QButtonGroup::idClicked, this, [this] { styleChosen(); });

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    const QSize pictureSize(200, 40);
    int row = 0;
    for (auto [picture, button] : {std::pair{StylePicture::HolesRound, round_}, std::pair{StylePicture::HolesSlots, slots_},
                                   std::pair{StylePicture::HolesTruss, truss_}}) {
        grid->addWidget(makePicture(picture, pictureSize), row, 0);
        grid->addWidget(button, row, 1);
        ++row;
    }
    grid->addWidget(none_, row, 1);
    grid->setColumnStretch(1, 1);
    return style;
}

QGroupBox* HolesPage::sizesBox() {
    auto* sizes = new QGroupBox(QStringLiteral("Sizes"), this);
    auto* sizeGrid = new QGridLayout(sizes);
    sizeGrid->addWidget(makeLabel("Margin along the skin"), 0, 0);
    sizeGrid->addWidget(margin_, 0, 1);
    sizeGrid->addWidget(makeLabel("Web"), 0, 2);
    sizeGrid->addWidget(web_, 0, 3);
    sizeGrid->addWidget(unit_, 0, 4);
    sizeGrid->addWidget(makeLabel("Corner radius"), 1, 0);
    sizeGrid->addWidget(cornerRadius_, 1, 1);
    sizeGrid->addWidget(makeLabel("Smallest hole"), 1, 2);
    sizeGrid->addWidget(minimum_, 1, 3);
    sizeGrid->setColumnStretch(5, 1);
    return sizes;
}

QGroupBox* HolesPage::materialBox() {
    auto* material = new QGroupBox(QStringLiteral("Material"), this);
    auto* materialGrid = new QGridLayout(material);
    materialGrid->addWidget(makeLabel("Sheet thickness"), 0, 0);
    materialGrid->addWidget(thickness_, 0, 1);
    materialGrid->addWidget(thicknessUnit_, 0, 2);
    materialGrid->addWidget(makeLabel("Density"), 0, 3);
    materialGrid->addWidget(density_, 0, 4);
    materialGrid->addWidget(new QLabel(QStringLiteral("kg/m\u00b3"), this), 0, 5);
    materialGrid->setColumnStretch(6, 1);
    return material;
}

QRadioButton* HolesPage::buttonFor(HoleStyle style) const {
    switch (style) {
    case HoleStyle::Round: return round_;
    case HoleStyle::Slots: return slots_;
    case HoleStyle::Truss: return truss_;
    default: return none_;
    }
}

void HolesPage::load(const RibProperties& p) {
    buttonFor(p.holes())->setChecked(true);
    showLength(margin_, p.holeMargin, p.precision);
    showLength(web_, p.holeWeb, p.precision);
    showLength(cornerRadius_, p.holeCornerRadius, p.precision);
    showLength(minimum_, p.holeMinimum, p.precision);
    showLength(thickness_, p.materialThickness, p.precision);
    density_->setText(QString::number(static_cast<double>(p.materialDensity), 'g', 7));
    unit_->setText(unitText(p));
    thicknessUnit_->setText(unitText(p));
    styleChosen();
}

void HolesPage::styleChosen() {
    // The sizes shape the holes; with no holes only the material counts.
    const bool holes = !none_->isChecked();
    for (QLineEdit* box : {margin_, web_, minimum_}) box->setEnabled(holes);
    cornerRadius_->setEnabled(holes && !round_->isChecked());
}

bool HolesPage::leave() {
    RibProperties p = edited();
    for (HoleStyle style : {HoleStyle::None, HoleStyle::Round, HoleStyle::Slots, HoleStyle::Truss})
        if (buttonFor(style)->isChecked()) p.setStyle(style);
    if (!readLengths({{margin_, &RibProperties::holeMargin, "Margin along the skin"},
                      {web_, &RibProperties::holeWeb, "Web"},
                      {cornerRadius_, &RibProperties::holeCornerRadius, "Corner radius"},
                      {minimum_, &RibProperties::holeMinimum, "Smallest hole"},
                      {thickness_, &RibProperties::materialThickness, "Sheet thickness"},
                      {density_, &RibProperties::materialDensity, "Density"}},
                     p))
        return false;
    edited() = p;
    return true;
}

} // namespace parvelin::dialogs
