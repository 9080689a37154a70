// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one DXF writer, with two kinds of drawing:
// - the Export drawing (File > Export, `parvelin-cli export`, a wing's rib
//   drawings): a short header naming the unit, LINE (and TEXT) entities on
//   layer "lines", numbers as "%f";
// - the cut drawing (cut files and nested sheets): closed and open
//   polylines, lines and texts on named layers, written by dxflib as R2000
//   (LWPOLYLINE, $INSUNITS) or R12 (POLYLINE with its VERTEX entities) for
//   older programs (see DxfCutDrawing.h).
// Text is composed in memory so that a file is only created once the whole
// drawing is known to be sound.
#include <span>
#include <string>
#include <string_view>

#include "dxf/DxfCutDrawing.h"

namespace parvelin {

// The header's variables up to the drawing unit, and what follows the unit:
// the end of the header, the layer table and the start of the entities.
inline constexpr std::string_view kDxfHeaderVariables = "0\nSECTION\n2\nHEADER\n9\n$CECOLOR\n62\n0\n";
inline constexpr std::string_view kDxfHeaderTables =
    "0\nENDSEC\n0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n"
    "0\nLAYER\n2\nlines\n70\n0\n62\n7\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
// $INSUNITS: 4 for millimetres, 1 for inches, so that a reader takes the
// numbers in the drawing's unit.
inline constexpr int kDxfUnitsMillimetres = 4;
inline constexpr int kDxfUnitsInches = 1;
// The Export drawing's whole header, in millimetres (metric) or inches.
std::string dxfHeader(bool metric);
inline constexpr std::string_view kDxfTrailer = "0\nENDSEC\n0\nEOF";

// The text of one LINE entity of the Export drawing from (x1, y1) to (x2, y2), numbers as "%f".
std::string dxfLineEntity(double x1, double y1, double x2, double y2);

// A layer of the cut drawing: its name and its colour (a DXF colour number).
struct DxfLayer {
    std::string_view name;
    int colour = 7;
};

class DxfWriter {
public:
    // The Export drawing.
    DxfWriter() = default;
    // A cut drawing of the given version.
    explicit DxfWriter(DxfVersion version) : cut_(true) { drawing_.version = version; }

    // The Export drawing's header.
    void header(bool metric);
    // The cut drawing's header and tables: its unit, its layers (after
    // layer "0") and the height its text style names (0: each text gives
    // its own). Entities follow on the first layer until setLayer.
    void header(bool metric, std::span<const DxfLayer> layers, double textHeight);
    // The layer of the cut drawing's following entities.
    void setLayer(std::string_view name) { layer_ = name; }

    void line(double x1, double y1, double x2, double y2);
    // A TEXT entity, its baseline starting at (x, y), turned `angle` degrees
    // anticlockwise; a wing's drawing names its ribs with it (a single rib's
    // has none), a cut drawing its parts.
    void text(double x, double y, double height, std::string_view words, double angle = 0.0);
    // A polyline through the points (anything with members x and y); a
    // closed one joins its last point to its first. The Export drawing
    // writes it as LINE entities.
    template <class Points>
    void polyline(const Points& points, bool closed) {
        beginPolyline(points.size(), closed);
        for (const auto& p : points) vertex(p.x, p.y);
        endPolyline(closed);
    }
    void trailer();
    // Moves every following entity by (x, y): several drawings side by side in one.
    void setOrigin(double x, double y) {
        originX_ = x;
        originY_ = y;
    }

    const std::string& text() const { return text_; }
    // False once any coordinate written was infinite or not a number.
    bool allFinite() const { return allFinite_; }
    int lineCount() const { return lineCount_; }

private:
    void beginPolyline(std::size_t count, bool closed);
    void vertex(double x, double y);
    void endPolyline(bool closed);
    void checkFinite(double value) {
        if (!(value - value == 0.0)) allFinite_ = false;
    }

    bool cut_ = false;
    DxfCutDrawing drawing_;  // the cut drawing, written at the trailer
    std::string text_;
    std::string layer_;
    bool allFinite_ = true;
    int lineCount_ = 0;
    double originX_ = 0.0;
    double originY_ = 0.0;
    // The Export drawing's polyline: its first point and the one before.
    double firstX_ = 0.0, firstY_ = 0.0, lastX_ = 0.0, lastY_ = 0.0;
    std::size_t vertices_ = 0;
};

enum class FileWriteResult {
    Written,
    AlreadyExists,   // nothing was touched
    CannotCreate,    // no file was made
    NotFinite,       // the drawing holds a coordinate that is not a finite number; no file was made
    WriteFailed,     // the disk refused the bytes; the partial file was removed
};

// Creates `path` as a new file only and writes `bytes` into it. An existing
// file is never opened, truncated or appended to; a failed write leaves no
// file behind.
FileWriteResult writeNewFile(const std::string& path, std::string_view bytes);

// Messages of the export command; the file commands give them for any
// FileWriteResult.
inline constexpr const char* kMessageExportExists = "The file already exists.\nNothing was exported.";
inline constexpr const char* kMessageExportCannotCreate = "The file could not be created.\nNothing was exported.";
inline constexpr const char* kMessageExportNotFinite =
    "The drawing holds a coordinate that is not a finite number\n(check the chord and the sizes).\nNothing was exported.";
inline constexpr const char* kMessageExportWriteFailed =
    "The file could not be written completely.\nNothing was exported.";
const char* fileWriteMessage(FileWriteResult result);

} // namespace parvelin
