// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Import: the import dialog, the tolerant reader and loading into an
// empty document, followed by one message listing what the import changed.
#include <string>

#include "document/AirfoilDocument.h"
#include "model/ImportReader.h"
#include "app/DocumentWindow.h"

namespace parvelin::app {

inline constexpr const char* kImportDialogTitle = "Import Airfoil File";
inline constexpr const char* kImportCaption = "Import";

// Asks for a file and imports it into `document`, which must be empty.
// Returns true when a file was loaded.
bool runImportCommand(AirfoilDocument& document, DocumentWindow* window);

// Imports `path` into the empty `document`: a refused file is reported in an
// error box and leaves the document empty; a loaded one is taken in as Open
// takes its files (shown in `window`), then its changes are reported.
ImportStatus importFile(AirfoilDocument& document, const std::string& path, DocumentWindow* window);

} // namespace parvelin::app
