// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Lightening Holes": the style of the holes cut out of every rib (with a
// picture of each), the material they keep, and the rib sheet's thickness
// and density that give the rib's weight.
#include "dialogs/PropertyPage.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace parvelin::dialogs {

inline constexpr const char* kHolesPageTitle = "Lightening Holes";

class HolesPage : public PropertyPage {
    Q_OBJECT
public:
    HolesPage(SheetCopies copies, QWidget* parent);
    void initialize() override { load(edited()); }
    void activate() override { load(edited()); }
    bool leave() override;
    void reset() override { load(kept()); }

private:
    QGroupBox* styleBox();
    QGroupBox* sizesBox();
    QGroupBox* materialBox();
    void load(const RibProperties& properties);
    void styleChosen();
    QRadioButton* buttonFor(HoleStyle style) const;

    QRadioButton* none_;
    QRadioButton* round_;
    QRadioButton* slots_;
    QRadioButton* truss_;
    QLineEdit* margin_;
    QLineEdit* web_;
    QLineEdit* cornerRadius_;
    QLineEdit* minimum_;
    QLineEdit* thickness_;
    QLineEdit* density_;
    QLabel* unit_;
    QLabel* thicknessUnit_;
};

} // namespace parvelin::dialogs
