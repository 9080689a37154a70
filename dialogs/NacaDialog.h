// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > New from NACA...: a NACA four- or five-digit section made from its
// equations, with its number of points and its trailing edge, shown as it
// is typed. OK gives the section as a new document's contents.
#include <QDialog>
#include <optional>

#include "airfoil/NacaSection.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace parvelin::dialogs {

class SectionPicture;

inline constexpr const char* kNacaDialogTitle = "New from NACA";

class NacaDialog : public QDialog {
    Q_OBJECT
public:
    explicit NacaDialog(QWidget* parent = nullptr);
    // The section the boxes hold, nothing while the designation is not one.
    std::optional<CoordinateFileContents> contents() const;
    void accept() override;

private:
    void refresh();

    QLineEdit* designation_ = nullptr;
    QSpinBox* points_ = nullptr;
    QCheckBox* closed_ = nullptr;
    SectionPicture* preview_ = nullptr;
    QLabel* summary_ = nullptr;
};

// Runs the dialog; the section's contents on OK, nothing on Cancel.
std::optional<CoordinateFileContents> runNacaDialog(QWidget* parent);

} // namespace parvelin::dialogs
