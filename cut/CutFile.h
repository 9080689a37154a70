// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files for the laser or the CNC cutter: the rib's cut outline as one closed
// polyline (layer CUT), its lightening holes as closed polylines before it with marks beside it (layer MARK: spar and chord-line
// ticks, a label with the airfoil's name and chord), as DXF or as SVG, in
// the rib's unit (millimetres or inches).
#include <string>
#include <vector>

#include "clip/CutOutline.h"
#include "dxf/DxfWriter.h"
#include "platform/Dialogs.h"
#include "platform/Window.h"

namespace parvelin {

class AirfoilDocument;

enum class CutFileFormat { Dxf, Svg };

struct CutMark {
    ModelPoint from;
    ModelPoint to;
};

// The drawing in output units: model coordinates times the chord, y up.
struct CutDrawing {
    ModelPolygon outline;  // closed, counter-clockwise
    // The lightening holes, closed, clockwise (inner contours), shrunk by
    // half the kerf; cut before the outline.
    std::vector<ModelPolygon> holes;
    std::vector<CutMark> marks;
    std::string label;
    ModelPoint labelAt;      // left end of the label's base line
    double labelHeight = 0;  // cap height in output units
    bool metric = true;      // millimetres; inches otherwise
    int pieces = 0;          // pieces of the rib the components left (1 when whole)
};

// The drawing of a loaded document: its cut outline grown by half the kerf
// (kerf in the chord's unit, >= 0), the marks and the label.
CutDrawing cutDrawing(const AirfoilDocument& document, double kerf);

// False when any coordinate is not a finite number, or there is no outline
// (none left, or one without area).
bool drawingIsSound(const CutDrawing& drawing);

// A label on layer MARK: its text, the left end of its base line and its
// cap height.
struct CutLabel {
    std::string text;
    ModelPoint at;
    double height = 0;
    double angle = 0;  // degrees anticlockwise
};

// What a cut file holds, in output units (y up): closed outlines on layer
// CUT (a part's holes before the outline round them, so that the part stays
// put while its inside is cut), marks and labels on layer MARK. A single rib's cut file is one
// outline; a sheet of nested parts is many. Both are written by the same
// DXF and SVG code below.
struct CutLayout {
    std::vector<ModelPolygon> outlines;
    // Open lines on layer CUT: what is left of a part's cut path when a line
    // it shares with another part is cut with that part.
    std::vector<ModelPolygon> openCuts;
    std::vector<CutMark> marks;
    std::vector<CutLabel> labels;
    bool metric = true;
    // The SVG page: its lower left corner and its size in the unit.
    ModelPoint pageAt;
    double pageWidth = 0;
    double pageHeight = 0;
    std::string title;           // the SVG's title
    double styleHeight = 0;      // the DXF text style's height (0: each text gives its own)
};

// The layout of a single rib's drawing: its page the outline's extent with a
// margin of 2 % of it, its title the label.
CutLayout cutLayoutOf(const CutDrawing& drawing);

std::string cutLayoutDxf(const CutLayout& layout, DxfVersion version);
std::string cutLayoutSvg(const CutLayout& layout);

// File texts. The DXF is a complete drawing with its tables, the outline as
// one closed POLYLINE (R12) or LWPOLYLINE (R2000), $INSUNITS 4 for
// millimetres or 1 for inches. The SVG holds the page
// size in the unit, a viewBox in the same unit, hairline strokes, the outline
// in one colour and the marks in another.
std::string cutDxfText(const CutDrawing& drawing, DxfVersion version);
std::string cutSvgText(const CutDrawing& drawing);

// Takes the format from the name's extension (.dxf or .svg, any case).
bool cutFormatFor(const std::string& path, CutFileFormat& format);

// Creates `path` as a new file holding the drawing: never touches an existing
// file, never leaves half a file, refuses a drawing that is not sound
// (FileWriteResult::NotFinite; an empty outline counts as that too).
FileWriteResult writeCutFile(const std::string& path, const CutDrawing& drawing, CutFileFormat format,
                             DxfVersion version);

inline constexpr const char* kExportCutDialogTitle = "Export for Cutting";
inline constexpr const char* kMessageCutNothingLeft =
    "The components leave nothing of the rib to cut\n(the sheeting or the notches are deeper than the rib).\nNothing was exported.";
inline constexpr const char* kMessageCutFileName = "The file's name must end in .dxf or .svg.\nNothing was exported.";

// File > Export for Cutting: the save dialog (DXF or SVG), then the cut file
// of the document (its outline grown by half the kerf, in the chord's unit;
// R2000 DXF); tells the user when nothing was written. Returns true when a
// file was written.
bool exportCutFile(const AirfoilDocument& document, platform::Window* owner, double kerf = 0.0);
// The save dialog exportCutFile shows (DXF or SVG, "clarky-cut.dxf" offered).
platform::FileDialogSettings cutFileDialogSettings(const AirfoilDocument& document);
// exportCutFile once the name is chosen: the file of the name's format, or
// what went wrong said to the user.
bool exportCutFileAs(const AirfoilDocument& document, platform::Window* owner, double kerf,
                     const std::string& fileName);

} // namespace parvelin
