// SPDX-License-Identifier: GPL-3.0-or-later
// "Leading Edge" and "Trailing Edge": the stock at the two ends of the rib.
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "dialogs/PropertyPages.h"

namespace parvelin::dialogs {

namespace {

// The size row of both pages: its label, then the labelled pair.
QGroupBox* sizeGroup(QWidget* page, QLabel* label, QHBoxLayout* pair) {
    auto* group = new QGroupBox(QStringLiteral("Size"), page);
    auto* row = new QHBoxLayout(group);
    row->addWidget(label);
    row->addLayout(pair);
    row->addStretch(1);
    return group;
}

} // namespace

// --- Leading Edge ---

namespace {

// The style buttons of the page and the codes they stand for.
constexpr StyleButton kLeadingEdgeButtons[] = {
    {leadingEdge::kNone, styleCode(LeadingEdgeStyle::None)},
    {leadingEdge::kRound, styleCode(LeadingEdgeStyle::Round)},
    {leadingEdge::kSquare, styleCode(LeadingEdgeStyle::Square)},
    {leadingEdge::kLeStock, styleCode(LeadingEdgeStyle::LeStock)},
    {leadingEdge::kRectangular, styleCode(LeadingEdgeStyle::Rectangular)},
};

} // namespace

LeadingEdgePage::LeadingEdgePage(SheetCopies copies, QWidget* parent)
    : PropertyPage(copies, kLeadingEdgePage, parent) {
    using namespace leadingEdge;
    auto* leStock = makeRadioButton(kLeStock, styleLabel(LeadingEdgeStyle::LeStock));
    auto* round = makeRadioButton(kRound, styleLabel(LeadingEdgeStyle::Round));
    auto* rectangular = makeRadioButton(kRectangular, styleLabel(LeadingEdgeStyle::Rectangular));
    auto* square = makeRadioButton(kSquare, styleLabel(LeadingEdgeStyle::Square));
    auto* none = makeRadioButton(kNone, styleLabel(LeadingEdgeStyle::None));
    style_ = makeChoice({leStock, round, rectangular, square, none});
    depth_ = makeLengthBox(kDepth);
    height_ = makeLengthBox(kHeight);
    unit_ = makeUnitLabel(kUnit, "Units");

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    const QSize pictureSize(96, 56);
    const std::pair<StylePicture, QRadioButton*> columns[] = {{StylePicture::LeStock, leStock},
                                                              {StylePicture::LeRound, round},
                                                              {StylePicture::LeRectangular, rectangular},
                                                              {StylePicture::LeSquare, square}};
    int column = 0;
    for (auto [picture, button] : columns) {
        grid->addWidget(makePicture(picture, pictureSize), 0, column, Qt::AlignHCenter);
        grid->addWidget(button, 1, column, Qt::AlignHCenter);
        ++column;
    }
    grid->addWidget(none, 2, 0, 1, 4);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    page->addWidget(
        sizeGroup(this, makeLabel("Leading Edge Size"), makeSizePair("depth", depth_, "height", height_, unit_)));
    page->addStretch(1);
}

void LeadingEdgePage::load(const RibProperties& p, LoadStage stage) {
    showLength(height_, p.leadingEdgeHeight, p.precision);
    showLength(depth_, p.leadingEdgeDepth, p.precision);
    unit_->setText(unitText(p));
    showStyle(style_, kLeadingEdgeButtons, p.leadingEdgeStyle);
    if (stage == LoadStage::Reset) return;
    // The depth serves every stock; the height only the stocks with a flat
    // back face (the LE Stock cut and the rectangle). Unknown codes leave the
    // boxes as they are.
    const LeadingEdgeTraits traits = traitsOf(p.leadingEdge());
    if (traits.label != nullptr) {
        depth_->setEnabled(traits.drawable);
        height_->setEnabled(traits.flatBackFace);
    }
}

bool LeadingEdgePage::leave() {
    RibProperties p = edited();
    storeStyle(style_, kLeadingEdgeButtons, p.leadingEdgeStyle);
    if (!readLengths({{height_, &RibProperties::leadingEdgeHeight, "Leading Edge Size (height)"},
                      {depth_, &RibProperties::leadingEdgeDepth, "Leading Edge Size (depth)"}},
                     p))
        return false;
    edited() = p;
    return true;
}

void LeadingEdgePage::command(int id) {
    for (const StyleButton& button : kLeadingEdgeButtons) {
        if (button.id != id) continue;
        const LeadingEdgeTraits traits = traitsOf(static_cast<LeadingEdgeStyle>(button.code));
        depth_->setEnabled(traits.drawable);
        height_->setEnabled(traits.flatBackFace);
    }
}

// --- Trailing Edge ---

namespace {

constexpr StyleButton kTrailingEdgeButtons[] = {
    {trailingEdge::kNone, styleCode(TrailingEdgeStyle::None)},
    {trailingEdge::kSheetedTopAndBottom, styleCode(TrailingEdgeStyle::SheetedTopAndBottom)},
    {trailingEdge::kSheetedBottom, styleCode(TrailingEdgeStyle::SheetedBottom)},
    {trailingEdge::kTeStock, styleCode(TrailingEdgeStyle::TeStock)},
};

} // namespace

TrailingEdgePage::TrailingEdgePage(SheetCopies copies, QWidget* parent)
    : PropertyPage(copies, kTrailingEdgePage, parent) {
    using namespace trailingEdge;
    auto* teStock = makeRadioButton(kTeStock, styleLabel(TrailingEdgeStyle::TeStock));
    auto* sheetedBottom = makeRadioButton(kSheetedBottom, styleLabel(TrailingEdgeStyle::SheetedBottom));
    auto* sheetedTopAndBottom =
        makeRadioButton(kSheetedTopAndBottom, styleLabel(TrailingEdgeStyle::SheetedTopAndBottom));
    auto* none = makeRadioButton(kNone, styleLabel(TrailingEdgeStyle::None));
    style_ = makeChoice({teStock, sheetedBottom, sheetedTopAndBottom, none});
    width_ = makeLengthBox(kWidth);
    height_ = makeLengthBox(kHeight);
    unit_ = makeUnitLabel(kUnit, "Unit");

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    const QSize pictureSize(150, 34);
    addPictureRows(grid,
                   {{StylePicture::TeStock, teStock},
                    {StylePicture::TeSheetedBottom, sheetedBottom},
                    {StylePicture::TeSheetedTopAndBottom, sheetedTopAndBottom},
                    {StylePicture::TeNone, none}},
                   pictureSize);
    grid->setColumnStretch(1, 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    // The second box carries the thickness of the trailing-edge sheeting,
    // the size the trailing-edge outline is computed from.
    page->addWidget(sizeGroup(this, makeLabel("Trailing Edge Size"),
                              makeSizePair("width", width_, "thickness", height_, unit_)));
    page->addStretch(1);
}

void TrailingEdgePage::load(const RibProperties& p, LoadStage stage) {
    unit_->setText(unitText(p));
    showLength(height_, p.trailingEdgeHeight, p.precision);
    showLength(width_, p.trailingEdgeWidth, p.precision);
    showStyle(style_, kTrailingEdgeButtons, p.trailingEdgeStyle);
    if (stage == LoadStage::Reset) return;
    const bool sized = p.trailingEdge() != TrailingEdgeStyle::None;
    width_->setEnabled(sized);
    height_->setEnabled(sized);
}

bool TrailingEdgePage::leave() {
    RibProperties p = edited();
    storeStyle(style_, kTrailingEdgeButtons, p.trailingEdgeStyle);
    if (!readLengths({{width_, &RibProperties::trailingEdgeWidth, "Trailing Edge Size (width)"},
                      {height_, &RibProperties::trailingEdgeHeight, "Trailing Edge Size (thickness)"}},
                     p))
        return false;
    edited() = p;
    return true;
}

void TrailingEdgePage::command(int id) {
    const bool sized = id != trailingEdge::kNone;
    height_->setEnabled(sized);
    width_->setEnabled(sized);
}

} // namespace parvelin::dialogs
