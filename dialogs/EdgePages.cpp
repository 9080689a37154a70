// SPDX-License-Identifier: GPL-3.0-or-later
// "Leading Edge" and "Trailing Edge": the stock at the two ends of the rib.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <utility>

#include "dialogs/PropertyPages.h"

namespace parvelin::dialogs {

namespace {

// The size row of both pages: label, first box, "X", second box, unit.
QGroupBox* sizeGroup(QWidget* page, QLabel* label, QLineEdit* first, QLineEdit* second, QLabel* unit) {
    auto* group = new QGroupBox(QStringLiteral("Size"), page);
    auto* row = new QHBoxLayout(group);
    row->addWidget(label);
    row->addWidget(first);
    row->addWidget(new QLabel(QStringLiteral("X"), group));
    row->addWidget(second);
    row->addWidget(unit);
    row->addStretch(1);
    return group;
}

} // namespace

// --- Leading Edge ---

LeadingEdgePage::LeadingEdgePage(SheetCopies copies, QWidget* parent)
    : PropertyPage(copies, kLeadingEdgePage, parent) {
    using namespace leadingEdge;
    leStock_ = makeCheckBox(kLeStock, styleLabel(LeadingEdgeStyle::LeStock), true);
    round_ = makeCheckBox(kRound, styleLabel(LeadingEdgeStyle::Round), true);
    rectangular_ = makeCheckBox(kRectangular, styleLabel(LeadingEdgeStyle::Rectangular), true);
    square_ = makeCheckBox(kSquare, styleLabel(LeadingEdgeStyle::Square), true);
    none_ = makeCheckBox(kNone, styleLabel(LeadingEdgeStyle::None), false);
    for (auto [box, id] : {std::pair{leStock_, kLeStock}, std::pair{round_, kRound},
                           std::pair{rectangular_, kRectangular}, std::pair{square_, kSquare},
                           std::pair{none_, kNone}})
        onClick(box, id);
    depth_ = makeLengthBox(kDepth);
    height_ = makeLengthBox(kHeight);
    unit_ = makeUnitLabel(kUnit, "Units");

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    const QSize pictureSize(96, 56);
    const std::pair<StylePicture, QCheckBox*> columns[] = {{StylePicture::LeStock, leStock_},
                                                           {StylePicture::LeRound, round_},
                                                           {StylePicture::LeRectangular, rectangular_},
                                                           {StylePicture::LeSquare, square_}};
    int column = 0;
    for (auto [picture, box] : columns) {
        grid->addWidget(makePicture(picture, pictureSize), 0, column, Qt::AlignHCenter);
        grid->addWidget(box, 1, column, Qt::AlignHCenter);
        ++column;
    }
    grid->addWidget(none_, 2, 0, 1, 4);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    page->addWidget(sizeGroup(this, makeLabel("Leading Edge Size"), depth_, height_, unit_));
    page->addStretch(1);
}

QCheckBox* LeadingEdgePage::buttonFor(std::int32_t style) const {
    switch (static_cast<LeadingEdgeStyle>(style)) {
    case LeadingEdgeStyle::None: return none_;
    case LeadingEdgeStyle::Round: return round_;
    case LeadingEdgeStyle::Square: return square_;
    case LeadingEdgeStyle::LeStock: return leStock_;
    case LeadingEdgeStyle::Rectangular: return rectangular_;
    default: return nullptr;
    }
}

void LeadingEdgePage::load(const RibProperties& p, LoadStage stage) {
    showLength(height_, p.leadingEdgeHeight, p.precision);
    showLength(depth_, p.leadingEdgeDepth, p.precision);
    unit_->setText(unitText(p));
    setState({leStock_, round_, rectangular_, square_, none_}, Qt::Unchecked);
    if (QCheckBox* button = buttonFor(p.leadingEdgeStyle)) button->setCheckState(Qt::Checked);
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
    storeStyle({{round_, styleCode(LeadingEdgeStyle::Round)},
                {square_, styleCode(LeadingEdgeStyle::Square)},
                {rectangular_, styleCode(LeadingEdgeStyle::Rectangular)},
                {leStock_, styleCode(LeadingEdgeStyle::LeStock)},
                {none_, styleCode(LeadingEdgeStyle::None)}},
               p.leadingEdgeStyle);
    if (!readLengths({{height_, &RibProperties::leadingEdgeHeight, "Leading Edge Size (height)"},
                      {depth_, &RibProperties::leadingEdgeDepth, "Leading Edge Size (depth)"}},
                     p))
        return false;
    edited() = p;
    return true;
}

void LeadingEdgePage::command(int id) {
    using namespace leadingEdge;
    QCheckBox* const stocks[] = {round_, square_, rectangular_, leStock_};
    QCheckBox* chosen = nullptr;
    switch (id) {
    case kRound:
        chosen = round_;
        height_->setEnabled(false);
        depth_->setEnabled(true);
        break;
    case kSquare:
        chosen = square_;
        height_->setEnabled(false);
        depth_->setEnabled(true);
        break;
    case kRectangular:
        chosen = rectangular_;
        height_->setEnabled(true);
        depth_->setEnabled(true);
        break;
    case kLeStock:
        chosen = leStock_;
        height_->setEnabled(true);
        depth_->setEnabled(true);
        break;
    case kNone:
        // The stocks are shown undecided rather than off.
        height_->setEnabled(false);
        depth_->setEnabled(false);
        for (QCheckBox* box : stocks) box->setCheckState(Qt::PartiallyChecked);
        none_->setCheckState(Qt::Checked);
        return;
    default: return;
    }
    for (QCheckBox* box : stocks) box->setCheckState(box == chosen ? Qt::Checked : Qt::Unchecked);
    none_->setCheckState(Qt::Unchecked);
}

// --- Trailing Edge ---

TrailingEdgePage::TrailingEdgePage(SheetCopies copies, QWidget* parent)
    : PropertyPage(copies, kTrailingEdgePage, parent) {
    using namespace trailingEdge;
    teStock_ = makeCheckBox(kTeStock, styleLabel(TrailingEdgeStyle::TeStock), false);
    sheetedBottom_ = makeCheckBox(kSheetedBottom, styleLabel(TrailingEdgeStyle::SheetedBottom), false);
    sheetedTopAndBottom_ =
        makeCheckBox(kSheetedTopAndBottom, styleLabel(TrailingEdgeStyle::SheetedTopAndBottom), false);
    none_ = makeCheckBox(kNone, styleLabel(TrailingEdgeStyle::None), false);
    width_ = makeLengthBox(kWidth);
    height_ = makeLengthBox(kHeight);
    unit_ = makeUnitLabel(kUnit, "Unit");

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    const QSize pictureSize(150, 34);
    addPictureRows(grid,
                   {{StylePicture::TeStock, teStock_, kTeStock},
                    {StylePicture::TeSheetedBottom, sheetedBottom_, kSheetedBottom},
                    {StylePicture::TeSheetedTopAndBottom, sheetedTopAndBottom_, kSheetedTopAndBottom},
                    {StylePicture::TeNone, none_, kNone}},
                   pictureSize);
    grid->setColumnStretch(1, 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(style);
    page->addWidget(sizeGroup(this, makeLabel("Trailing Edge Size :"), width_, height_, unit_));
    page->addStretch(1);
}

void TrailingEdgePage::load(const RibProperties& p, LoadStage stage) {
    if (stage != LoadStage::Reset) unit_->setText(unitText(p));
    // The second box carries the thickness of the trailing-edge sheeting,
    // the size the trailing-edge outline is computed from.
    showLength(height_, p.trailingEdgeHeight, p.precision);
    showLength(width_, p.trailingEdgeWidth, p.precision);
    setState({teStock_, sheetedTopAndBottom_, sheetedBottom_, none_}, Qt::Unchecked);
    // These are plain two-state boxes; an indeterminate mark set when the
    // page was made must not leave them three-state.
    for (QCheckBox* box : {teStock_, sheetedTopAndBottom_, sheetedBottom_}) box->setTristate(false);
    switch (p.trailingEdge()) {
    case TrailingEdgeStyle::None: none_->setCheckState(Qt::Checked); break;
    case TrailingEdgeStyle::SheetedTopAndBottom: sheetedTopAndBottom_->setCheckState(Qt::Checked); break;
    case TrailingEdgeStyle::SheetedBottom: sheetedBottom_->setCheckState(Qt::Checked); break;
    case TrailingEdgeStyle::TeStock: teStock_->setCheckState(Qt::Checked); break;
    default: break;
    }
    if (stage == LoadStage::Reset) return;
    if (stage == LoadStage::Activate) {
        width_->setEnabled(true);
        height_->setEnabled(true);
    }
    if (p.trailingEdge() == TrailingEdgeStyle::None) {
        width_->setEnabled(false);
        height_->setEnabled(false);
        if (stage == LoadStage::Create)
            setState({sheetedBottom_, sheetedTopAndBottom_, teStock_}, Qt::PartiallyChecked);
    }
}

bool TrailingEdgePage::leave() {
    RibProperties p = edited();
    storeStyle({{teStock_, styleCode(TrailingEdgeStyle::TeStock)},
                {none_, styleCode(TrailingEdgeStyle::None)},
                {sheetedTopAndBottom_, styleCode(TrailingEdgeStyle::SheetedTopAndBottom)},
                {sheetedBottom_, styleCode(TrailingEdgeStyle::SheetedBottom)}},
               p.trailingEdgeStyle);
    if (!readLengths({{width_, &RibProperties::trailingEdgeWidth, "Trailing Edge Size (width)"},
                      {height_, &RibProperties::trailingEdgeHeight, "Trailing Edge Size (thickness)"}},
                     p))
        return false;
    edited() = p;
    return true;
}

void TrailingEdgePage::command(int id) {
    using namespace trailingEdge;
    QCheckBox* chosen = nullptr;
    switch (id) {
    case kTeStock: chosen = teStock_; break;
    case kSheetedTopAndBottom: chosen = sheetedTopAndBottom_; break;
    case kSheetedBottom: chosen = sheetedBottom_; break;
    case kNone: chosen = none_; break;
    default: return;
    }
    const bool sized = chosen != none_;
    height_->setEnabled(sized);
    width_->setEnabled(sized);
    for (QCheckBox* box : {teStock_, sheetedTopAndBottom_, sheetedBottom_, none_})
        box->setCheckState(box == chosen ? Qt::Checked : Qt::Unchecked);
}

} // namespace parvelin::dialogs
