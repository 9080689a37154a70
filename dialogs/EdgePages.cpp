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
    leStock_ = makeCheckBox(kLeStock, "LE Stock", true);
    round_ = makeCheckBox(kRound, "Round", true);
    rectangular_ = makeCheckBox(kRectangular, "Rectangular", true);
    square_ = makeCheckBox(kSquare, "Square", true);
    none_ = makeCheckBox(kNone, "No Leading Edge", false);
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
    switch (style) {
    case 0: return none_;
    case 1: return round_;
    case 2: return square_;
    case 3: return leStock_;
    case 4: return rectangular_;
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
    // The depth serves every stock; the height only the LE Stock cut and the rectangle.
    switch (p.leadingEdgeStyle) {
    case 0:
        depth_->setEnabled(false);
        height_->setEnabled(false);
        break;
    case 1:
    case 2:
        depth_->setEnabled(true);
        height_->setEnabled(false);
        break;
    case 3:
    case 4:
        depth_->setEnabled(true);
        height_->setEnabled(true);
        break;
    default: break;
    }
}

bool LeadingEdgePage::leave() {
    RibProperties p = edited();
    storeStyle({{round_, 1}, {square_, 2}, {rectangular_, 4}, {leStock_, 3}, {none_, 0}}, p.leadingEdgeStyle);
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
    teStock_ = makeCheckBox(kTeStock, "TE Stock", false);
    sheetedBottom_ = makeCheckBox(kSheetedBottom, "Sheeted bottom", false);
    sheetedTopAndBottom_ = makeCheckBox(kSheetedTopAndBottom, "Sheeted top and bottom", false);
    none_ = makeCheckBox(kNone, "No trailing edge", false);
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
    switch (p.trailingEdgeStyle) {
    case 0: none_->setCheckState(Qt::Checked); break;
    case 1: sheetedTopAndBottom_->setCheckState(Qt::Checked); break;
    case 2: sheetedBottom_->setCheckState(Qt::Checked); break;
    case 3: teStock_->setCheckState(Qt::Checked); break;
    default: break;
    }
    if (stage == LoadStage::Reset) return;
    if (stage == LoadStage::Activate) {
        width_->setEnabled(true);
        height_->setEnabled(true);
    }
    if (p.trailingEdgeStyle == 0) {
        width_->setEnabled(false);
        height_->setEnabled(false);
        if (stage == LoadStage::Create)
            setState({sheetedBottom_, sheetedTopAndBottom_, teStock_}, Qt::PartiallyChecked);
    }
}

bool TrailingEdgePage::leave() {
    RibProperties p = edited();
    storeStyle({{teStock_, 3}, {none_, 0}, {sheetedTopAndBottom_, 1}, {sheetedBottom_, 2}}, p.trailingEdgeStyle);
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
