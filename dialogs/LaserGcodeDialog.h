// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Export for Cutting as G-code: the laser's settings (feed, power, the S of
// full power, passes, M3 or M4) beside a preview of the tool path over the
// sheet, asked after the file name and before anything is written. The
// settings are kept in the user's settings for the next export.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/HotwireGcodePage.h"
#include "machine/LaserGcode.h"
#include "machine/ToolPathSvg.h"
#include "platform/Dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSettings;
class QTabWidget;

namespace parvelin::dialogs {

class PathPreview;

inline constexpr const char* kLaserGcodeDialogTitle = "Laser G-code";
// A wing's dialog offers the hot wire's foam cores beside the laser's sheets.
inline constexpr const char* kGcodeDialogTitle = "G-code";

// One file to write: the contours in millimetres and the area drawn round
// them in the preview (a wing's sheet; zero: the contours' own extent).
struct LaserJob {
    std::string name;  // "sheet-2"; empty for a single rib
    std::vector<machine::Polygon> contours;
    machine::PreviewArea area;
};

// What a wing can be cut as on a hot wire: its panel's sections, and the
// settings offered.
struct HotwireOffer {
    machine::HotwireSettings settings;
    machine::CoreSections sections;
    std::vector<HotwireCore> cores;
};

// What Write chose: the laser's files, or the hot wire's (with its programs made).
struct GcodeChoice {
    bool hotwire = false;
    machine::LaserSettings laser;
    machine::HotwireSettings wire;
    std::vector<machine::HotwireProgram> programs;  // one a core, in the order offered
};

class LaserGcodeDialog : public QDialog {
    Q_OBJECT
public:
    LaserGcodeDialog(const machine::LaserSettings& offered, std::vector<LaserJob> jobs, std::string title,
                     platform::Window* owner, QWidget* parent = nullptr,
                     const std::optional<HotwireOffer>& hotwire = std::nullopt);
    const GcodeChoice& choice() const { return choice_; }
    // The hot wire's page, shown as the dialog's second tab; null without a wing.
    HotwireGcodePage* hotwirePage() const { return wirePage_; }
    QTabWidget* tabs() const { return tabs_; }
    // The settings the boxes hold; valid once the dialog was accepted.
    const machine::LaserSettings& settings() const { return result_; }
    // The job the preview shows.
    int shownJob() const { return shown_; }
    void showJob(int index);
    // The picture the preview draws (the same SVG the command line's --svg writes).
    const std::string& previewSvg() const { return svg_; }
    // Whether the preview could read that picture.
    bool previewShown() const;

    // Write: reads and checks every box; tells the user what is wrong and
    // stays open, or closes.
    void accept() override;

private:
    void makeBoxes(const machine::LaserSettings& offered);
    // The laser's settings beside the preview of the sheets.
    QWidget* makeLaserPage();
    QLineEdit* numberBox(const char* name, const QString& text);
    // Reads the boxes into `settings`; the box that holds no number, or null.
    QLineEdit* readBoxes(machine::LaserSettings& settings) const;
    void updateSummary();

    machine::LaserSettings offered_;
    machine::LaserSettings result_;
    GcodeChoice choice_;
    HotwireGcodePage* wirePage_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::vector<LaserJob> jobs_;
    std::vector<machine::ToolPath> paths_;
    std::string title_;
    std::string svg_;
    platform::Window* owner_;
    int shown_ = 0;
    QLineEdit* feed_ = nullptr;
    QLineEdit* power_ = nullptr;
    QLineEdit* sMax_ = nullptr;
    QLineEdit* passes_ = nullptr;
    QCheckBox* constant_ = nullptr;
    QComboBox* sheet_ = nullptr;
    PathPreview* preview_ = nullptr;
    QLabel* summary_ = nullptr;
};

// Runs the dialog; the chosen settings on Write, nothing on Cancel.
std::optional<machine::LaserSettings> runLaserGcodeDialog(const machine::LaserSettings& offered,
                                                          std::vector<LaserJob> jobs, const std::string& title,
                                                          platform::Window* owner, QWidget* parent);

// The same for a wing that may also be cut on a hot wire.
std::optional<GcodeChoice> runGcodeDialog(const machine::LaserSettings& offered, std::vector<LaserJob> jobs,
                                          const std::string& title, const std::optional<HotwireOffer>& hotwire,
                                          platform::Window* owner, QWidget* parent);

// The settings last written with, or the defaults (no feed) when none were
// or what is stored is unusable.
machine::LaserSettings rememberedLaserSettings(QSettings& store);
void rememberLaserSettings(QSettings& store, const machine::LaserSettings& settings);

// The length cut and the length travelled of a path, in millimetres.
struct PathLengths {
    double cut = 0.0;
    double travel = 0.0;
};
PathLengths pathLengths(const machine::ToolPath& path);

} // namespace parvelin::dialogs
