// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every rib of a wing panel's set at true scale on its own page or pages,
// labelled: for File > Print and Print Preview with a wing and for the
// command line's ribs.pdf. Each rib is laid out as a single rib's print is
// (tiled with overlaps, registration crosses, scale bar), with its building
// tabs and its label on every page.
#include <memory>
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "view/PrintLayout.h"
#include "wing/RibSet.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::app {

// The label on a rib's page: the airfoil's name, the rib, its sides and chord.
std::string ribPageLabel(const wing::WingRib& rib, wing::WingSide side, const std::string& name);

// One rib ready to print: the wing's rib, its name, its tabs and label,
// and its pages. It prints as a single rib does, with the view's default
// guides (edge lines and chord line).
struct RibPrint {
    Rib rib;
    std::string name;
    PrintExtras extras;
    PrintLayout layout;
    RibPicture picture() const { return RibPicture{rib, RibViewFlags{}, name, true}; }
};

// The band a rib takes on a shared page: its label, a gap, the rib (its
// guide lines and tabs), a gap, in device pixels.
int packedBandHeight(const RibPrint& rib, int pixelsPerInch);
// The height of a packed rib's label.
int packedLabelHeight(int pixelsPerInch);

// One page of the set: ribs that fit on a page share one, stacked top to
// bottom at true scale, each under its label, with one scale bar at the
// foot; a rib too large for a page has its tiled pages to itself.
struct RibSetPage {
    struct Placed {
        std::size_t rib = 0;
        int tile = 0;     // the rib's page, for a tiled rib
        int top = 0;      // packed: page y where the rib's label starts
    };
    bool packed = false;
    std::vector<Placed> ribs;
};

// The whole set laid out on pages of one size and resolution.
struct RibSetPrint {
    PrintLayoutStatus status = PrintLayoutStatus::Refused;
    std::vector<RibPrint> ribs;
    std::vector<RibSetPage> sheets;  // the pages in printing order
    int pages = 0;        // sheets.size()
    std::string refused;  // the rib that cannot be drawn, or that needs too many pages: "R3"
    int pagesNeeded = 0;  // TooManyPages: what that rib would take
};

// Lays every rib out; Ready only when every rib can be drawn, each on at
// most kMaxPrintPages pages (more is a mistake in the chord). A set of many
// ribs may take many more pages in all: each rib was asked for.
RibSetPrint layoutRibSet(const wing::RibSet& set, wing::WingSide side, const std::string& name, int pixelsPerInchX,
                         int pixelsPerInchY, int pageWidth, int pageHeight);

// What the user is told when the set needs too many pages.
std::string ribSetTooManyPagesMessage(const std::string& rib, int pagesNeeded);

// The painter is active on `device`; the pages of every rib in turn (the
// first one is the page the painter starts on). Nothing is drawn, and false
// comes back with the reason, when the set cannot be laid out on the
// device's pages (a rib that cannot be drawn, too many pages).
bool printRibSetPages(const wing::RibSet& set, wing::WingSide side, const std::string& name,
                      QPagedPaintDevice& device, QPainter& painter, std::string& error);
// The same for a set already laid out on the device's pages.
bool printRibSetPages(const RibSetPrint& print, QPagedPaintDevice& device, QPainter& painter, std::string& error);

// Why a set that is not Ready cannot be printed, as the user is told.
std::string ribSetRefusal(const RibSetPrint& print);

// The job on a printer, without a dialog: checks the layout before anything
// is sent, prints every page and tells the user (message box) when it cannot.
bool printRibSetJob(const wing::RibSet& set, wing::WingSide side, const std::string& name, QPrinter& printer);

// File > Print while the window has a wing: the print dialog, then every
// rib's pages on the page size and orientation chosen there.
bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame);
// The same on a given printer (the frame's, which keeps the page chosen for
// the next print). With `document`, a print to a file is offered under the
// document's name, as a single rib's print offers it.
bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame,
                           QPrinter& printer, const AirfoilDocument* document = nullptr);

// File > Print Preview while the window has a wing: Qt's print preview of
// exactly the pages File > Print sends, printed from its own Print button.
bool runRibSetPrintPreviewCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name,
                                  QWidget* frame, QPrinter& printer, const AirfoilDocument* document = nullptr);

} // namespace parvelin::app
