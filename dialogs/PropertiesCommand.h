#pragma once
// Airfoil Properties: edits a copy of the document's rib properties in the
// five-page sheet and applies it to the document.
class QWidget;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::dialogs {

// Runs the sheet modally over `parent` for a loaded document. Returns true
// when the sheet was shown (whichever button closed it).
bool runPropertiesCommand(AirfoilDocument& document, QWidget* parent);

} // namespace parvelin::dialogs
