// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Airfoil Properties: edits a copy of the document's rib properties in the
// five-page sheet and applies it to the document.
class QUndoStack;
class QWidget;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::dialogs {

// The name of the undo step that OK makes.
inline constexpr const char* kPropertiesStepText = "Airfoil Properties";

// Runs the sheet modally over `parent` for a loaded document. OK applies the
// edited record as one step on `undo` (directly when there is no stack);
// Cancel changes nothing. Returns true when the sheet was shown (whichever
// button closed it).
bool runPropertiesCommand(AirfoilDocument& document, QWidget* parent, QUndoStack* undo = nullptr);

} // namespace parvelin::dialogs
