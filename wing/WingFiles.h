// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of a rib set: each rib's drawing (the airfoil, its components and
// its tabs as DXF LINE entities, as File > Export writes a single rib), and
// the nested sheets as DXF (closed polylines on layer CUT, labels on layer
// MARK) and SVG (sized in the chord's unit).
#include <string>
#include <vector>

#include "cut/CutFile.h"
#include "dxf/DxfWriter.h"
#include "wing/Nesting.h"
#include "wing/RibSet.h"

namespace parvelin::wing {

// The drawing of one rib in the chord's unit: header, the airfoil's lines,
// every built component's lines (leading edge, trailing edge, spars,
// sheeting), each tab's three outer sides, trailer.
DxfWriter ribDrawing(const WingRib& rib);

// Every rib of the set in one drawing, as File > Export writes a single rib:
// each rib's lines moved to its own place, root at the bottom, each next rib
// above the one before with a gap of a tenth of the root chord, so that no
// two overlap. `offsets` receives each rib's move (x 0, y up).
DxfWriter setDrawing(const RibSet& set, std::vector<double>* offsets = nullptr);

// The labelled parts for the sheets: every rib once per side, in rib order,
// "R1 L", "R1 R", "R2 L" ...
std::vector<NestPart> nestPartsOf(const RibSet& set, WingSide side);

// One sheet as a cut file's layout: every part's cut path a closed outline
// (layer CUT), every label a text (layer MARK), the page the sheet, the
// title `title` (the sheet's yield).
// Two cut paths closer than this (in millimetres) along a straight stretch
// share it: a hundredth of a millimetre, far below any kerf.
inline constexpr double kCommonLineTolerance = 0.01;

CutLayout sheetLayout(const Sheet& sheet, const SheetSize& size, bool metric, const std::string& title = {});
// One sheet as DXF and SVG text, written as a single rib's cut file is
// (R2000 LWPOLYLINE with $INSUNITS, or R12 POLYLINE; SVG in mm or inches
// with hairline strokes, y up as in the drawing).
std::string sheetDxf(const Sheet& sheet, bool metric, DxfVersion version = DxfVersion::R2000);
std::string sheetSvg(const Sheet& sheet, const SheetSize& size, bool metric, const std::string& title = {});

// Every number in both formats is finite (nothing else is written).
bool sheetFinite(const Sheet& sheet);

struct OutputFile {
    std::string name;   // within the output folder
    std::string bytes;
};

// Writes the files into `folder`, which must be new or empty: the folder is
// created when missing; an existing file is never touched. When any write
// fails, every file this call wrote is removed again (and the folder when it
// made it), so that nothing half-written remains. Returns an empty text on
// success, otherwise what went wrong.
std::string writeOutputFolder(const std::string& folder, const std::vector<OutputFile>& files);

} // namespace parvelin::wing

namespace parvelin::wing {

// A sheet's SVG title: its yield and the set's.
std::string sheetTitle(const Nesting& nesting, std::size_t sheet);

// The set's ribs (once per side) nested on sheets.
Nesting nestSet(const RibSet& set, WingSide side, const SheetSize& sheet, const NestOptions& options);

// The nested sheets written beside `fileName`: for "wing.dxf" the files
// wing-sheet-1.dxf, wing-sheet-2.dxf ... (SVG when the name ends in .svg).
// Nothing is written when the nesting failed, when a sheet is not finite or
// when any of those files exists already; when a write fails, the files this
// call wrote are removed again. Returns an empty text on success (with the
// names written in `written`), otherwise what went wrong.
std::string writeSheetFiles(const std::string& fileName, const Nesting& nesting, const SheetSize& sheet, bool metric,
                            DxfVersion version = DxfVersion::R2000, std::vector<std::string>* written = nullptr);

} // namespace parvelin::wing
