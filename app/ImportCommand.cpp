// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ImportCommand.h"

#include "commands/FileCommands.h"
#include "platform/Services.h"

namespace parvelin::app {

bool runImportCommand(AirfoilDocument& document, DocumentWindow* window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return false;
    platform::FileDialogSettings settings;
    settings.title = kImportDialogTitle;
    // The reader goes by the content; the filter only narrows the list.
    settings.filters = {{"Airfoil files", "*.dat;*.txt;*.cor;*.csv"}, {"All files", "*.*"}};
    settings.initialFolder = currentFolderForDialog();
    settings.fileMustExist = true;
    const std::optional<std::string> chosen = dialogs->openFile(window, settings);
    if (!chosen) return false;
    // As with Open, the chosen file's folder becomes the current directory.
    const std::string fileName = enterFolderOf(*chosen);
    return importFile(document, fileName, window) == ImportStatus::Imported;
}

ImportStatus importFile(AirfoilDocument& document, const std::string& path, DocumentWindow* window) {
    const ImportResult result = readImportFile(path);
    platform::Dialogs* dialogs = platform::dialogs();
    if (result.status != ImportStatus::Imported) {
        if (dialogs != nullptr)
            dialogs->messageBox(nullptr, importStatusMessage(result.status), kImportCaption,
                                platform::MessageIcon::Error);
        return result.status;
    }
    document.takeContents(result.contents);
    if (window != nullptr) window->showDocument();
    const std::string report = importChangesMessage(result);
    if (!report.empty() && dialogs != nullptr)
        dialogs->messageBox(window, report, kImportCaption, platform::MessageIcon::Information);
    return ImportStatus::Imported;
}

} // namespace parvelin::app
