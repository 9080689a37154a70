// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Print and File > Print Preview: the print dialog or Qt's print
// preview, and a job with as many pages as the rib needs.
#include <QString>
#include <string>

class QPrinter;
class QWidget;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::app {

inline constexpr const char* kPrintDocumentName = "Parvelin";
inline constexpr const char* kMessagePrintFailed = "The printer could not start the page.\nNothing was printed.";
inline constexpr const char* kPrintFailedCaption = "Print";
inline constexpr const char* kMessagePrintNeedsDocument = "You need to create or open an airfoil to\nprint the selected airfoil.";
inline constexpr const char* kPrintNeedsDocumentCaption = "Print Dialog";
inline constexpr const char* kPrintPreviewNeedsDocumentCaption = "Print Preview Dialog";

// The printer both commands use, so that the page size and orientation chosen
// in one are the other's too: high resolution, "Parvelin", one copy, the
// program's page border.
void preparePrinter(QPrinter& printer);

// Where a print to a file goes unless the user says otherwise: the document's
// name with ".pdf", in the folder the last such print went to (the current
// folder before the first).
QString defaultPrintFileName(const AirfoilDocument& document);

// Offers that file: in the print dialog's file field (Qt's dialog would
// otherwise offer "Parvelin.pdf", the spooler name), and on a printer that
// already writes PDF. `dialog` may be null.
void offerDefaultFile(const AirfoilDocument& document, QPrinter& printer, QWidget* dialog);

// Keeps the folder of a print to a file for the next print's offer.
void rememberFolder(const QPrinter& printer);

// Does nothing without a loaded document (returns false). Otherwise shows the
// print dialog, owned by `frame`, and on OK prints every page of the rib.
// Returns true after the dialog ran, whether it was confirmed or cancelled.
bool runPrintCommand(AirfoilDocument* document, QWidget* frame, QPrinter& printer);

// The same through Qt's print preview: it shows exactly the pages that print
// and prints them from its own Print button.
bool runPrintPreviewCommand(AirfoilDocument* document, QWidget* frame, QPrinter& printer);

// The job itself, without a dialog: starts the document, prints every page
// of the rib and ends the document. Returns false (and has told the user)
// when the printer could not start or the rib needs too many pages.
bool printPages(const AirfoilDocument& document, QPrinter& printer);

std::string tooManyPagesMessage(int pagesNeeded);

} // namespace parvelin::app
