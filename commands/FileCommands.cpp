// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/FileCommands.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "dxf/RibDxf.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

namespace parvelin {

ReadStatus loadCoordinateFile(AirfoilDocument& document, const std::string& path, platform::Window* window) {
    std::string hint;
    const ReadStatus status = document.loadFile(path, &hint);
    platform::Dialogs* dialogs = platform::dialogs();
    if (status != ReadStatus::Loaded) {
        if (dialogs != nullptr)
            dialogs->messageBox(nullptr, readStatusMessage(status), "", platform::MessageIcon::Error);
        return status;
    }
    if (window != nullptr) {
        window->setTitle(document.getName().value_or(std::string()));
        window->invalidate(true);
    }
    if (!hint.empty() && dialogs != nullptr)
        dialogs->messageBox(window, hint, "Open", platform::MessageIcon::Information);
    return status;
}

bool openCoordinateFile(AirfoilDocument& document, platform::Window* window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return false;
    platform::FileDialogSettings settings;
    settings.title = kOpenDialogTitle;
    settings.filters = {{"Airfoil Coordinate Files", "*.DAT"}, {"All Files", "*.*"}};
    settings.initialFileName = "*.DAT";
    settings.initialFolder = currentFolderForDialog();
    settings.fileMustExist = true;
    const std::optional<std::string> chosen = dialogs->openFile(window, settings);
    if (!chosen) return false;
    // The chosen file's folder becomes the current directory; the file is
    // opened by its name there.
    const std::string fileName = enterFolderOf(*chosen);
    return loadCoordinateFile(document, fileName, window) == ReadStatus::Loaded;
}

bool exportDxf(const AirfoilDocument& document, platform::Window* window, const std::string& suggestedName,
               const ReplaceQuestion& mayReplace) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return false;
    platform::FileDialogSettings settings;
    settings.title = kExportDialogTitle;
    settings.filters = {{"Drawing Interchange Format", "*.dxf"}};
    settings.initialFileName = suggestedName.empty() ? document.exportFileName() : suggestedName;
    settings.defaultExtension = "dxf";
    settings.initialFolder = currentFolderForDialog();
    const std::optional<std::string> chosen = dialogs->saveFile(window, settings);
    if (!chosen) return false;
    const std::string fileName = enterFolderOf(*chosen);
    std::error_code ec;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(fileName, ec));
    // Declining to replace leaves the file as it was, with nothing more said.
    if (exists && mayReplace && !mayReplace(*chosen)) return false;
    const FileWriteResult result = writeRibDxfFile(fileName, document.rib(), exists && mayReplace);
    if (result == FileWriteResult::Written) return true;
    dialogs->messageBox(window, fileWriteMessage(result), "Export to DXF format",
                        result == FileWriteResult::AlreadyExists ? platform::MessageIcon::Warning
                                                                 : platform::MessageIcon::Error);
    return false;
}

std::string currentFolderForDialog() {
    std::error_code ec;
    std::string folder = std::filesystem::current_path(ec).string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string enterFolderOf(const std::string& path) {
    const std::filesystem::path chosen(path);
    std::error_code ec;
    if (chosen.has_parent_path()) {
        std::filesystem::current_path(chosen.parent_path(), ec);
        if (ec) return path;  // could not enter the folder: use the path as given
    }
    return chosen.filename().string();
}

} // namespace parvelin
