// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five pages of the "Airfoil Properties" sheet.
#include "dialogs/PropertyPage.h"
#include "dialogs/UnitSwitch.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QLabel;
class QRadioButton;

namespace parvelin::dialogs {

// "General Properties": chord, unit and the precision of every length shown.
// Switching the unit converts the lengths: the chord and height boxes at
// once, every other length of the edited copy when the page is left.
class GeneralPage : public PropertyPage {
    Q_OBJECT
public:
    GeneralPage(SheetCopies copies, QWidget* parent);
    void initialize() override { load(edited(), LoadStage::Create); }
    void activate() override { load(edited(), LoadStage::Activate); }
    bool leave() override;
    void reset() override { load(kept(), LoadStage::Reset); }

protected:
    void command(int id) override;

private:
    QGroupBox* airfoilBox();
    QGroupBox* measurementsBox();
    QHBoxLayout* orientationRow();
    void load(const RibProperties& properties, LoadStage stage);
    void setUnits();
    int shownPrecision();
    // The boxes' lengths in the chosen unit; the height too when it is a length.
    void convertBoxes(bool toMillimetres);
    // The height box between a length and a percent of the chord in the chord box.
    void convertHeight(bool toPercent);

    QLineEdit* chord_;
    QLineEdit* height_;
    QLineEdit* washout_;
    QLabel* chordUnit_;
    QLabel* heightUnit_;
    QLabel* washoutUnit_;
    QRadioButton* metric_;
    QRadioButton* inches_;
    QRadioButton* heightPercent_;
    QRadioButton* heightFixed_;
    QComboBox* precision_;
    // What the boxes show: their unit, and whether the height is a percent.
    bool boxesInMillimetres_ = true;
    bool heightInPercent_ = false;
};

// "Leading Edge": the stock at the nose and its two sizes.
class LeadingEdgePage : public PropertyPage {
    Q_OBJECT
public:
    LeadingEdgePage(SheetCopies copies, QWidget* parent);
    void initialize() override { load(edited(), LoadStage::Create); }
    void activate() override { load(edited(), LoadStage::Activate); }
    bool leave() override;
    void reset() override { load(kept(), LoadStage::Reset); }

protected:
    void command(int id) override;

private:
    void load(const RibProperties& properties, LoadStage stage);

    QButtonGroup* style_;
    QLineEdit* depth_;
    QLineEdit* height_;
    QLabel* unit_;
};

// "Spars": the spar notches, their size and their distance from the nose,
// a length or a percent of the chord.
class SparsPage : public PropertyPage {
    Q_OBJECT
public:
    SparsPage(SheetCopies copies, QWidget* parent);
    void initialize() override { load(edited(), LoadStage::Create); }
    void activate() override { load(edited(), LoadStage::Activate); }
    bool leave() override;
    void reset() override { load(kept(), LoadStage::Reset); }

protected:
    void command(int id) override;

private:
    void load(const RibProperties& properties, LoadStage stage);
    void setBoxesEnabled(bool enabled);
    // The distance box between a length and a percent of the chord; the
    // spar stays where it is.
    void convertDistance(bool toPercent);

    QButtonGroup* style_;
    QButtonGroup* placing_;  // Percent or Fixed
    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* distance_;
    QLabel* sizeUnit_;
    QLabel* distanceUnit_;
    bool distanceInPercent_ = false;  // what the distance box shows
};

// "Trailing Edge": the trailing-edge stock or sheeting and its two sizes.
class TrailingEdgePage : public PropertyPage {
    Q_OBJECT
public:
    TrailingEdgePage(SheetCopies copies, QWidget* parent);
    void initialize() override { load(edited(), LoadStage::Create); }
    void activate() override { load(edited(), LoadStage::Activate); }
    bool leave() override;
    void reset() override { load(kept(), LoadStage::Reset); }

protected:
    void command(int id) override;

private:
    void load(const RibProperties& properties, LoadStage stage);

    QButtonGroup* style_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLabel* unit_;
};

// "Sheeting": which surfaces are sheeted and the sheeting's thickness.
class SheetingPage : public PropertyPage {
    Q_OBJECT
public:
    SheetingPage(SheetCopies copies, QWidget* parent);
    void initialize() override { load(edited(), LoadStage::Create); }
    void activate() override { load(edited(), LoadStage::Activate); }
    bool leave() override;
    void reset() override { load(kept(), LoadStage::Reset); }

protected:
    void command(int id) override;

private:
    void load(const RibProperties& properties, LoadStage stage);

    QButtonGroup* style_;
    QLineEdit* thickness_;
    QLabel* unit_;
};

} // namespace parvelin::dialogs
