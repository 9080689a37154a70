// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File dialogs, message boxes and the cutting-sheet question as the core asks for them.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace parvelin::platform {

class Window;

struct FileFilter {
    std::string description;  // "Airfoil Coordinate Files"
    std::string pattern;      // "*.DAT"
};

struct FileDialogSettings {
    std::string title;
    std::vector<FileFilter> filters;
    std::string initialFileName;   // "*.DAT"
    std::string initialFolder;     // the current directory, with a separator at the end
    std::string defaultExtension;  // "DXF" for the save dialog, empty otherwise
    bool fileMustExist = false;    // the open dialog checks the file too; both check the path
    bool confirmOverwrite = false; // the save dialog asks before it hands back an existing file
};

enum class MessageIcon { None, Warning, Error, Question, Information };

// The sheet a wing's ribs are nested on for cutting, and the cutter's kerf,
// in the ribs' unit.
struct CuttingSheetSettings {
    double width = 600.0;
    double height = 100.0;
    double kerf = 0.0;
    bool metric = true;   // the unit shown: mm, or inches when false
    int precision = 3;    // decimals shown, as the property pages show them
    bool askSheet = true; // false for a single rib: only the kerf is asked
};
// What is wrong with a sheet the user chose (a rib that does not fit on it);
// empty when the ribs can be nested on it.
using CuttingSheetCheck = std::function<std::string(const CuttingSheetSettings&)>;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(Window* owner, const FileDialogSettings& settings) = 0;
    virtual std::optional<std::string> saveFile(Window* owner, const FileDialogSettings& settings) = 0;
    // owner null: a box that belongs to no window.
    virtual void messageBox(Window* owner, const std::string& text, const std::string& caption,
                            MessageIcon icon) = 0;
    // Asks for the cutting sheet, starting from `offered`. A choice `check`
    // refuses is said to the user, who may correct it. Nothing when cancelled.
    virtual std::optional<CuttingSheetSettings> cuttingSheet(Window* owner, const CuttingSheetSettings& offered,
                                                             const CuttingSheetCheck& check) = 0;
};

} // namespace parvelin::platform
