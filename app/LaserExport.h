// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Export for Cutting as laser G-code: the rib, or a wing's nested
// sheets one file each, written with the settings and after the preview the
// laser dialog shows. DXF and SVG files go on as before.
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "wing/Nesting.h"

class QSettings;

namespace parvelin::app {

class DocumentWindow;

inline constexpr const char* kGcodeFilterDescription = "G-code for a laser";
inline constexpr const char* kGcodeFilterPattern = "*.nc";
inline constexpr const char* kMessageCutOrGcodeFileName =
    "The file's name must end in .dxf, .svg or .nc.\nNothing was exported.";

// A name the laser's G-code is written under: .nc, .ngc or .gcode, any case.
bool isGcodeName(const std::string& path);

// The single rib: the save dialog (DXF, SVG or G-code), then the file of the
// chosen kind. `kerf` in the rib's unit; `store` keeps the laser settings.
// Returns true when a file was written.
bool exportRibForCutting(const AirfoilDocument& document, DocumentWindow* window, double kerf, QSettings& store);

// A wing as G-code, after the G-code dialog: either the sheets of `nesting`
// (lengths in millimetres when `metric`, otherwise inches) for the laser,
// "wing.nc" giving "wing-sheet-1.nc" ..., or on the hot wire's tab one foam
// core a panel ("wing-right.nc", "wing-left.nc"; "wing.nc" for one side).
// Returns what went wrong (said by the caller), or an empty text: then
// `written` holds the sheets' files. The cores' files are said here, and
// leave `written` empty, as Cancel does.
std::string exportSheetsGcode(const wing::Nesting& nesting, const wing::SheetSize& sheet, bool metric,
                              const std::string& fileName, DocumentWindow& window, QSettings& store,
                              std::vector<std::string>& written);

} // namespace parvelin::app
