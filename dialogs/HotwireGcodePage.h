// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hot-wire side of Export for Cutting as G-code, for a wing: the foam
// cutter's settings (feed, towers, the panel's place between them, the kerf
// at root and tip, the axes' names, the travel, the wire's heat) beside the
// two profiles each tower's carriage traces, one core a panel.
#include <QWidget>
#include <string>
#include <vector>

#include "machine/HotwireGcode.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSettings;

namespace parvelin::dialogs {

class PathPreview;

// One core to cut: a right-hand panel has its root at the left tower.
struct HotwireCore {
    std::string name;  // "right", "left"
    bool rootAtLeft = true;
};

class HotwireGcodePage : public QWidget {
    Q_OBJECT
public:
    HotwireGcodePage(const machine::HotwireSettings& offered, machine::CoreSections sections,
                     std::vector<HotwireCore> cores, std::string title, QWidget* parent = nullptr);

    // Reads and checks the boxes and makes every core's program. Empty when
    // they can all be written; otherwise what is wrong, and `wrong` the box
    // to correct.
    std::string check(machine::HotwireSettings& settings, std::vector<machine::HotwireProgram>& programs,
                      QLineEdit*& wrong) const;
    const std::vector<HotwireCore>& cores() const { return cores_; }
    // The picture of the core shown (empty while the settings are not sound).
    const std::string& previewSvg() const { return svg_; }
    void showCore(int index);

private:
    void makeBoxes(const machine::HotwireSettings& offered);
    QFormLayout* form();
    QLineEdit* box(const char* name, const QString& text);
    void refresh();

    machine::CoreSections sections_;
    std::vector<HotwireCore> cores_;
    std::string title_;
    std::string svg_;
    int shown_ = 0;
    QLineEdit* feed_ = nullptr;
    QLineEdit* towers_ = nullptr;
    QLineEdit* offset_ = nullptr;
    QLineEdit* kerfRoot_ = nullptr;
    QLineEdit* kerfTip_ = nullptr;
    QLineEdit* axes_ = nullptr;
    QLineEdit* travelX_ = nullptr;
    QLineEdit* travelY_ = nullptr;
    QLineEdit* heat_ = nullptr;
    QComboBox* core_ = nullptr;
    PathPreview* preview_ = nullptr;
    QLabel* summary_ = nullptr;
};

// The settings last written with, or the defaults (no feed, no towers).
machine::HotwireSettings rememberedHotwireSettings(QSettings& store);
void rememberHotwireSettings(QSettings& store, const machine::HotwireSettings& settings);

} // namespace parvelin::dialogs
