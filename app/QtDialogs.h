// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file dialogs and message boxes of the core, shown with Qt.
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/Dialogs.h"

class QWidget;

namespace parvelin::app {

class QtDialogs : public platform::Dialogs {
public:
    std::optional<std::string> openFile(platform::Window* owner, const platform::FileDialogSettings& settings) override;
    std::optional<std::string> saveFile(platform::Window* owner, const platform::FileDialogSettings& settings) override;
    void messageBox(platform::Window* owner, const std::string& text, const std::string& caption,
                    platform::MessageIcon icon) override;
    std::optional<platform::CuttingSheetSettings> cuttingSheet(platform::Window* owner,
                                                               const platform::CuttingSheetSettings& offered,
                                                               const platform::CuttingSheetCheck& check) override;
};

// The widget behind a window of the core (a document window), or null.
QWidget* widgetOf(platform::Window* window);

// "Airfoil Coordinate Files (*.DAT *.dat)": name filters as Qt writes them.
// File names on this system are case-sensitive, so each pattern also matches
// its lower-case spelling, and "*.*" matches every file, with or without a dot.
QStringList nameFilters(const platform::FileDialogSettings& settings);

// Sets up a file dialog from the core's settings (title, filters, starting
// folder, default extension, must-exist check).
void configureFileDialog(QFileDialog& dialog, const platform::FileDialogSettings& settings, bool save);

QMessageBox::Icon toQtIcon(platform::MessageIcon icon);

} // namespace parvelin::app
