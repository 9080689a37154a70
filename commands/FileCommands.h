// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Open and File > Export as the user meets them: the file dialogs,
// the current folder they start in and move to, and the messages when
// nothing was written. The document itself only reads and writes files.
#include <functional>
#include <string>

#include "document/AirfoilDocument.h"
#include "platform/Window.h"

namespace parvelin {

inline constexpr const char* kOpenDialogTitle = "Open Airfoil Coordinate File";
inline constexpr const char* kExportDialogTitle = "Export to DXF format";

// Reads a coordinate file into an empty document as File > Open does: a
// refused file's message in an ownerless error box, and for a file Open took
// only in part the hint pointing to File > Import, owned by `window`. The
// window is titled with the airfoil's name. Returns the read's status.
ReadStatus loadCoordinateFile(AirfoilDocument& document, const std::string& path, platform::Window* window);

// File > Open for an empty document: the open dialog, then
// loadCoordinateFile. Returns true when a file was loaded.
bool openCoordinateFile(AirfoilDocument& document, platform::Window* window);

// Whether the existing file at `path` may be replaced (the user's answer).
using ReplaceQuestion = std::function<bool(const std::string& path)>;

// File > Export: the save dialog (offering `suggestedName`, or the
// document's own export name when it is empty), then writeRibDxfFile; an
// existing file is replaced only when `mayReplace` agrees. Tells the user when
// nothing was written, in boxes owned by `window`. Returns true when a file
// was written.
bool exportDxf(const AirfoilDocument& document, platform::Window* window, const std::string& suggestedName = {},
               const ReplaceQuestion& mayReplace = {});

// The process's current directory with a separator at the end, as the file
// dialogs start in it.
std::string currentFolderForDialog();
// Makes the folder of `path` the current directory and returns the file's
// name within it (the dialogs' rule: a chosen file's folder becomes current).
std::string enterFolderOf(const std::string& path);

} // namespace parvelin
