#pragma once
// File > Print: the print dialog and a one-page job with the rib at true scale.
class QPrinter;
class QWidget;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::app {

inline constexpr const char* kPrintDocumentName = "Parvelin";
inline constexpr const char* kMessagePrintFailed = "The printer could not start the page.\nNothing was printed.";
inline constexpr const char* kPrintFailedCaption = "Print";

// Does nothing without a loaded document. Otherwise shows the print dialog,
// owned by `frame`, and on OK prints one page named "Parvelin" with the rib.
// Returns true after the dialog ran, whether it was confirmed or cancelled.
bool runPrintCommand(AirfoilDocument* document, QWidget* frame);

// The same on a printer the caller prepared (its output settings are where
// the dialog starts from).
bool runPrintCommand(AirfoilDocument* document, QWidget* frame, QPrinter& printer);

// The job itself, without the dialog: starts the document, draws the rib on
// its one page and ends the document, whatever the drawing returned. Returns
// false only when the printer could not start the job.
bool printOnePage(AirfoilDocument& document, QPrinter& printer);

} // namespace parvelin::app
