// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cut drawing of the DXF writer as dxflib writes it: cut files and
// nested sheets, R2000 (LWPOLYLINE) or R12 (POLYLINE with its vertices).
#include <string>
#include <utility>
#include <vector>

namespace parvelin {

// The cut drawing's versions.
enum class DxfVersion { R12, R2000 };

struct DxfCutEntity {
    enum class Kind { Polyline, Line, Text };
    Kind kind = Kind::Line;
    std::string layer;
    std::vector<std::pair<double, double>> points;  // a polyline's points, a line's two ends, a text's start
    bool closed = false;       // a polyline joining its last point to its first
    double height = 0.0;       // a text's height
    double angle = 0.0;        // a text's turn, degrees anticlockwise
    std::string words;
};

struct DxfCutDrawing {
    DxfVersion version = DxfVersion::R2000;
    bool metric = true;
    std::vector<std::pair<std::string, int>> layers;  // name and colour, after layer "0"
    double textHeight = 0.0;                          // the text style's height (0: each text gives its own)
    std::vector<DxfCutEntity> entities;
};

// The drawing's text, written by dxflib with its unit ($INSUNITS, $MEASUREMENT),
// its layers and one text style; empty when dxflib could not write it.
std::string dxflibText(const DxfCutDrawing& drawing);

} // namespace parvelin
