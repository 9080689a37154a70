// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Properties > Wing Properties: the panel of which the document's airfoil is
// the root rib. OK applies the panel, Cancel discards every change.
#include <QDialog>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"
#include "wing/WingPanel.h"

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace parvelin::platform {
class Window;
}

namespace parvelin::dialogs {

inline constexpr const char* kWingDialogTitle = "Wing Properties";

// What a document window keeps of its wing: the panel and the tip section
// (read from its file when the dialog closes with OK).
struct WingSettings {
    wing::WingPanel panel;
    std::string tipAirfoilPath;             // empty: every rib has the document's section
    std::vector<AirfoilPoint> tipSection;
};

// A panel to start from for a document that has none: its chord at root and
// tip, its spar setting at both ends, its washout.
WingSettings defaultWingSettings(const RibProperties& document);

class WingDialog : public QDialog {
    Q_OBJECT
public:
    WingDialog(const WingSettings& settings, const RibProperties& document, platform::Window* owner,
               QWidget* parent = nullptr);
    // The settings the boxes hold; valid once the dialog was accepted.
    const WingSettings& settings() const { return result_; }

    // OK: reads and checks every box; tells the user what is wrong and stays
    // open, or closes with the new settings.
    void accept() override;

private:
    void makePanelBoxes(const wing::WingPanel& panel);
    // The tip airfoil's box with its Browse... and Library... buttons.
    QHBoxLayout* makeTipAirfoilRow(const std::string& path);
    void layOut(const QString& unit, QHBoxLayout* tipAirfoil);
    QLineEdit* lengthBox(const char* name, double value);
    QRadioButton* radioButton(const char* name, const QString& text);
    // The widgets side by side, then the unit's label (if any) and a stretch.
    QHBoxLayout* row(std::initializer_list<QWidget*> widgets, const QString& unit = QString());
    void browseTipAirfoil();
    void showCountOrSpacing();

    WingSettings result_;
    int precision_;
    platform::Window* owner_;
    QLineEdit* span_ = nullptr;
    QLineEdit* rootChord_ = nullptr;
    QLineEdit* tipChord_ = nullptr;
    QRadioButton* byCount_ = nullptr;
    QRadioButton* bySpacing_ = nullptr;
    QSpinBox* ribCount_ = nullptr;
    QLineEdit* spacing_ = nullptr;
    QLineEdit* sweep_ = nullptr;
    QLineEdit* sparRoot_ = nullptr;
    QLineEdit* sparTip_ = nullptr;
    QRadioButton* sparPercent_ = nullptr;
    QRadioButton* sparFixed_ = nullptr;
    QLineEdit* tipAirfoil_ = nullptr;
    QLineEdit* washout_ = nullptr;
    QComboBox* side_ = nullptr;
};

// Runs the dialog; the new settings on OK, nothing on Cancel.
std::optional<WingSettings> runWingDialog(const WingSettings& settings, const RibProperties& document,
                                          platform::Window* owner, QWidget* parent);

} // namespace parvelin::dialogs
