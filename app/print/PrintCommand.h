#pragma once
// File > Print: the print dialog and a one-page job with the rib at true scale.
class QWidget;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::app {

// Does nothing without a loaded document. Returns true after the dialog ran.
bool runPrintCommand(AirfoilDocument* document, QWidget* frame);

} // namespace parvelin::app
