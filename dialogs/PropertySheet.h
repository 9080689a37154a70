// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Airfoil Properties" sheet: six pages on tabs, OK and Cancel. It
// works on two copies of a document's rib properties that its caller owns:
// the pages edit one and read the other only to restore their controls on
// Cancel. The caller applies the edited copy when the sheet ends with OK.
#include <QDialog>
#include <array>

#include "dialogs/PropertyPage.h"

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace parvelin::dialogs {

class PropertySheet : public QDialog {
    Q_OBJECT
public:
    // Tab positions.
    enum Position { General = 0, LeadingEdge, Spars, TrailingEdge, Sheeting, Holes, PageCount };

    PropertySheet(RibProperties& edited, RibProperties& kept, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    // The page at a tab position; null until it was first shown.
    PropertyPage* page(int position) const { return pages_[static_cast<std::size_t>(position)]; }
    QPushButton* okButton() const;
    QPushButton* cancelButton() const;

    // OK: the shown page stores its controls first; a page that refuses
    // keeps the sheet open.
    void accept() override;
    // Cancel (also Escape and closing the window): every page made so far
    // restores its controls from the kept copy.
    void reject() override;

private:
    void tabChanged(int index);
    void showPage(int index);
    PropertyPage* makePage(int index, QWidget* parent);
    QSize largestPageSize();

    SheetCopies copies_;
    QTabWidget* tabs_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    std::array<QWidget*, PageCount> holders_{};
    std::array<PropertyPage*, PageCount> pages_{};
    int current_ = General;
};

} // namespace parvelin::dialogs
