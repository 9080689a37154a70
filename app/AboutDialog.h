// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help > About (dialog 129): the program's name and version, what it does
// (string 4), its licence and the Qt it runs on, and an OK button.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace parvelin::app {

inline constexpr const char* kLicenceText =
    "Free software under the GNU General Public License, version 3 or later (GPL-3.0-or-later); "
    "it comes with ABSOLUTELY NO WARRANTY.";

// The About text: name and version, the sentence, the licence, the Qt version.
QString aboutText();

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);
    // Control 1029 and control 1 (OK).
    QLabel* textControl() const { return text_; }
    QPushButton* okButton() const { return ok_; }

private:
    QLabel* text_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace parvelin::app
