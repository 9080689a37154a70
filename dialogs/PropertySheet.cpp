// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/PropertySheet.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "dialogs/HolesPage.h"
#include "dialogs/PropertyPages.h"

namespace parvelin::dialogs {

namespace {

constexpr const char* kTabTexts[PropertySheet::PageCount] = {"General Properties", "Leading Edge", "Spars",
                                                             "Trailing Edge", "Sheeting", kHolesPageTitle};

// The pages were laid out for 235 x 156 dialog units: a quarter of the
// average character width across, an eighth of the line height down.
QSize pageAreaSize(const QFontMetrics& metrics) {
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double characterWidth = metrics.horizontalAdvance(sample) / 52.0;
    return QSize(static_cast<int>(235 * characterWidth / 4.0), 156 * metrics.height() / 8);
}

} // namespace

PropertySheet::PropertySheet(RibProperties& edited, RibProperties& kept, QWidget* parent)
    : QDialog(parent), copies_{edited, kept} {
    setWindowTitle(QString::fromUtf8(kSheetCaption));
    setModal(true);

    tabs_ = new QTabWidget(this);
    // All five tabs stay in sight: the sheet is made as wide as they need.
    tabs_->setUsesScrollButtons(false);
    // One page area for all five, so the sheet keeps its size whichever
    // pages are made later.
    const QSize area = pageAreaSize(fontMetrics()).expandedTo(largestPageSize());
    for (int i = 0; i < PageCount; ++i) {
        auto* holder = new QWidget;
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        holder->setMinimumSize(area);
        holders_[static_cast<std::size_t>(i)] = holder;
        tabs_->addTab(holder, QString::fromUtf8(kTabTexts[i]));
    }

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &PropertySheet::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Every page is made when it is first shown; the sheet opens on General.
    showPage(General);
    connect(tabs_, &QTabWidget::currentChanged, this, &PropertySheet::tabChanged);
}

QPushButton* PropertySheet::okButton() const { return buttons_->button(QDialogButtonBox::Ok); }
QPushButton* PropertySheet::cancelButton() const { return buttons_->button(QDialogButtonBox::Cancel); }

void PropertySheet::tabChanged(int index) {
    if (index == current_ || index < 0) return;
    PropertyPage* left = page(current_);
    if (left != nullptr && !left->leave()) {
        // The page keeps the user: back to its tab.
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(current_);
        return;
    }
    current_ = index;
    showPage(index);
}

PropertyPage* PropertySheet::makePage(int index, QWidget* parent) {
    switch (index) {
    case General: return new GeneralPage(copies_, parent);
    case LeadingEdge: return new LeadingEdgePage(copies_, parent);
    case Spars: return new SparsPage(copies_, parent);
    case TrailingEdge: return new TrailingEdgePage(copies_, parent);
    case Sheeting: return new SheetingPage(copies_, parent);
    case Holes: return new HolesPage(copies_, parent);
    default: return nullptr;
    }
}

QSize PropertySheet::largestPageSize() {
    QSize largest;
    for (int i = 0; i < PageCount; ++i) {
        // Only measured: the page is not loaded and never shown.
        const std::unique_ptr<PropertyPage> probe(makePage(i, nullptr));
        largest = largest.expandedTo(probe->sizeHint());
    }
    return largest;
}

void PropertySheet::showPage(int index) {
    const auto slot = static_cast<std::size_t>(index);
    if (pages_[slot] == nullptr) {
        QWidget* holder = holders_[slot];
        PropertyPage* made = makePage(index, holder);
        if (made == nullptr) return;
        holder->layout()->addWidget(made);
        // The holder is already on screen when a later page is made.
        if (holder->isVisible()) made->show();
        pages_[slot] = made;
        made->initialize();
    }
    pages_[slot]->activate();
}

void PropertySheet::accept() {
    if (PropertyPage* shown = page(current_); shown != nullptr && !shown->leave()) return;
    QDialog::accept();
}

void PropertySheet::reject() {
    for (PropertyPage* made : pages_)
        if (made != nullptr) made->reset();
    QDialog::reject();
}

} // namespace parvelin::dialogs
