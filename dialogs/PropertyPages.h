// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five pages of the "Airfoil Properties" sheet.
#include "dialogs/PropertyPage.h"

class QComboBox;
class QLineEdit;
class QLabel;
class QCheckBox;
class QRadioButton;

namespace parvelin::dialogs {

// "General Properties": chord, unit and the precision of every length shown.
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
    void load(const RibProperties& properties, LoadStage stage);
    void setUnits(const QString& unit);

    QLineEdit* chord_;
    QLineEdit* height_;
    QLineEdit* washout_;
    QLabel* chordUnit_;
    QLabel* heightUnit_;
    QLabel* washoutUnit_;
    QString unit_ = QStringLiteral("mm");  // the length unit the labels show
    QCheckBox* metric_;
    QCheckBox* inches_;
    QCheckBox* heightPercent_;
    QCheckBox* heightFixed_;
    QComboBox* precision_;
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
    QCheckBox* buttonFor(std::int32_t style) const;

    QCheckBox* leStock_;
    QCheckBox* round_;
    QCheckBox* rectangular_;
    QCheckBox* square_;
    QCheckBox* none_;
    QLineEdit* depth_;
    QLineEdit* height_;
    QLabel* unit_;
};

// "Spars": the spar notches, their size and their distance from the nose,
// always taken in percent of the chord.
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
    // Sets the loaded copy's distance to percent of the chord.
    void load(RibProperties& properties, LoadStage stage);
    void setBoxesEnabled(bool enabled);

    QCheckBox* stick_;
    QCheckBox* stock_;
    QCheckBox* none_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* distance_;
    QCheckBox* percent_;
    QCheckBox* fixed_;
    QLabel* sizeUnit_;
    QLabel* distanceUnit_;
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

    QCheckBox* teStock_;
    QCheckBox* sheetedBottom_;
    QCheckBox* sheetedTopAndBottom_;
    QCheckBox* none_;
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

    QCheckBox* frontOnly_;
    QCheckBox* topFrontOnly_;
    QCheckBox* top_;
    QCheckBox* fullySheeted_;
    QCheckBox* none_;
    QLineEdit* thickness_;
};

} // namespace parvelin::dialogs
