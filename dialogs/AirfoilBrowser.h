// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Airfoil Browser...: the .dat files of a folder as a list, each with
// a small drawing, its name, points, thickness and camber (and where each
// lies), searchable by name and filtered by thickness. Files that cannot be
// read are listed with the reason. The airfoils shipped with the program are
// the first folder; the last folder shown is remembered.
#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

#include "airfoil/AirfoilFolder.h"

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace parvelin::dialogs {

inline constexpr const char* kAirfoilBrowserTitle = "Airfoil Browser";
inline constexpr const char* kTipAirfoilBrowserTitle = "Tip Airfoil";

// Open: a double-click (or Open) chooses a file to open as a document;
// PickTip: it chooses the wing's tip airfoil.
enum class BrowserMode { Open, PickTip };

// The folder of the airfoils shipped with the program: installed beside the
// program (share/parvelin/airfoils), or the source tree's in a build.
QString shippedAirfoilsFolder();

class AirfoilBrowser : public QDialog {
    Q_OBJECT
public:
    explicit AirfoilBrowser(BrowserMode mode, QWidget* parent = nullptr);

    // Lists `folder` and remembers it as the last folder.
    void showFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The file chosen when the dialog was accepted.
    QString chosenPath() const { return chosen_; }
    // The rows shown after the search and the thickness filter.
    int shownCount() const;
    QTreeWidget* list() const { return list_; }

    void accept() override;

private:
    // The folder box and its Folder... button (returned), the search and
    // thickness filters.
    QPushButton* makeFilters();
    void makeList();
    void layOut(QPushButton* otherFolder, QDialogButtonBox* buttons);
    void connectControls(QPushButton* otherFolder);
    void showStartFolder();
    void chooseFolder();
    void applyFilter();
    void updateButtons();
    const AirfoilEntry* entryOf(const QTreeWidgetItem* item) const;

    BrowserMode mode_;
    QString folder_;
    QString chosen_;
    AirfoilFolderListing listing_;
    QComboBox* folders_ = nullptr;
    QLineEdit* search_ = nullptr;
    QDoubleSpinBox* minThickness_ = nullptr;
    QDoubleSpinBox* maxThickness_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* choose_ = nullptr;
};

// Runs the browser; the chosen file, or nothing on Cancel.
std::optional<QString> runAirfoilBrowser(BrowserMode mode, QWidget* parent);

} // namespace parvelin::dialogs
