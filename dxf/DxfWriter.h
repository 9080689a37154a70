// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DXF drawing: a header naming the unit, LINE entities on layer "lines", and the
// trailer. Text is composed in memory so that a file is only created once the
// whole drawing is known to be sound.
#include <string>
#include <string_view>

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
// The whole header for a drawing in millimetres (metric) or inches.
std::string dxfHeader(bool metric);
inline constexpr std::string_view kDxfTrailer = "0\nENDSEC\n0\nEOF";

// The text of one LINE entity from (x1, y1) to (x2, y2), numbers as "%f".
std::string dxfLineEntity(double x1, double y1, double x2, double y2);

class DxfWriter {
public:
    void header(bool metric) { text_ += dxfHeader(metric); }
    void line(double x1, double y1, double x2, double y2);
    // A TEXT entity on the same layer, its baseline starting at (x, y); a
    // wing's drawing names its ribs with it (a single rib's has none).
    void text(double x, double y, double height, std::string_view words);
    void trailer() { text_ += kDxfTrailer; }
    // Moves every following line by (x, y): several drawings side by side in one.
    void setOrigin(double x, double y) {
        originX_ = x;
        originY_ = y;
    }

    const std::string& text() const { return text_; }
    // False once any coordinate written was infinite or not a number.
    bool allFinite() const { return allFinite_; }
    int lineCount() const { return lineCount_; }

private:
    std::string text_;
    bool allFinite_ = true;
    int lineCount_ = 0;
    double originX_ = 0.0;
    double originY_ = 0.0;
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

} // namespace parvelin
