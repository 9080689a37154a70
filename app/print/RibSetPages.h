#pragma once
// Every rib of a wing panel's set on its own page, at true scale, labelled:
// for File > Print with a wing and for the command line's ribs.pdf.
#include <string>

#include "wing/RibSet.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace parvelin::app {

// The label on a rib's page: the airfoil's name, the rib, its sides and chord.
std::string ribPageLabel(const wing::WingRib& rib, wing::WingSide side, const std::string& name);

// The painter is active on `device`; one page per rib (the first one is the
// page the painter starts on). Each page is what Print makes of a single
// rib, plus the rib's building tabs and its label. False with the reason
// when a rib cannot be drawn.
bool printRibSetPages(const wing::RibSet& set, wing::WingSide side, const std::string& name,
                      QPagedPaintDevice& device, QPainter& painter, std::string& error);

// File > Print while the window has a wing: the print dialog, then every
// rib on its own page (landscape when the longest rib needs it).
bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame);
// The same on a given printer.
bool runRibSetPrintCommand(const wing::RibSet& set, wing::WingSide side, const std::string& name, QWidget* frame,
                           QPrinter& printer);

} // namespace parvelin::app
