#pragma once
// File dialogs and message boxes as the core asks for them.
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

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(Window* owner, const FileDialogSettings& settings) = 0;
    virtual std::optional<std::string> saveFile(Window* owner, const FileDialogSettings& settings) = 0;
    // owner null: a box that belongs to no window.
    virtual void messageBox(Window* owner, const std::string& text, const std::string& caption,
                            MessageIcon icon) = 0;
};

} // namespace parvelin::platform
