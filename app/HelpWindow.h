// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help > Contents: the user manual that ships with the program, shown in a
// window of its own.
#include <QString>
#include <QTextBrowser>

namespace parvelin::app {

inline constexpr const char* kMessageManualMissing =
    "The user manual could not be found.\nIt is installed with the program, in share/doc/parvelin/manual.";

// The manual's first page: beside the installed program
// (../share/doc/parvelin/manual), else in the source tree the program was
// built from; empty when neither holds it.
QString manualIndexPath();

class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& indexPath, QWidget* parent = nullptr);
};

} // namespace parvelin::app
