// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the machine files are made from: the single rib's cut outline and a
// wing's nested sheets as contours in millimetres, and the writing of a set
// of new files all at once or not at all.
#include <string>
#include <vector>

#include "cut/CutFile.h"
#include "machine/ToolPath.h"
#include "wing/Nesting.h"
#include "wing/RibSet.h"

namespace parvelin::machine {

// A single rib on the machine's bed: the box round its outline this far from
// the origin, so that every coordinate is positive.
inline constexpr double kRibMarginMm = 1.0;

// The cut outline of a rib's drawing (already grown by half the kerf) in
// millimetres, moved so that the box round it lies kRibMarginMm from the
// origin; empty when the drawing is not sound.
std::vector<Polygon> ribContours(const CutDrawing& drawing);

struct SheetContours {
    std::vector<std::vector<Polygon>> sheets;  // each sheet's outlines, in millimetres
    std::string error;                         // why the ribs cannot be laid out
};

// The set's ribs nested on `sheet` as File > Export for Cutting nests them
// (2 mm plus the kerf apart), each outline grown by half the kerf; `kerf`
// and the sheet in the ribs' unit.
SheetContours wingSheetContours(const wing::RibSet& set, wing::WingSide side, const wing::SheetSize& sheet,
                                double kerf, bool metric);

// The sheets of a nesting already made, as wingSheetContours gives them
// (`metric`: the nesting's lengths are millimetres, otherwise inches).
SheetContours nestedContours(const wing::Nesting& nesting, bool metric);

// "wing.nc" with "sheet-2" gives "wing-sheet-2.nc", beside it.
std::string besideName(const std::string& path, const std::string& suffix);

struct NewFile {
    std::string path;
    std::string bytes;
};

// Writes every file as a new file. Nothing is written when any of them
// exists already; when a write fails, the files this call wrote are removed
// again. Returns an empty text on success, otherwise what went wrong.
std::string writeNewFiles(const std::vector<NewFile>& files);

} // namespace parvelin::machine
