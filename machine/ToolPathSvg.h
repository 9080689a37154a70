// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preview of a machine file as SVG, in millimetres, y up as on the
// machine: cutting moves in colour, travel moves as grey dashes, the work
// area (the sheet, or the hot-wire machine's travel) as a thin grey frame.
#include <string>

#include "machine/ToolPath.h"

namespace parvelin::machine {

struct PreviewArea {
    double width = 0.0;   // 0: the drawing's own extent
    double height = 0.0;
};

// A laser's path: cuts in red, travel (beam off) in grey dashes.
std::string laserPreviewSvg(const ToolPath& path, const PreviewArea& area, const std::string& title);

// A hot wire's two ends: the left tower's path in red, the right tower's in
// blue, travel in grey dashes, each end's start marked with a small circle.
// The picture holds the paths and the origin; the travel's frame shows
// where it comes into view.
std::string hotwirePreviewSvg(const ToolPath& path, const PreviewArea& travel, const std::string& title);

} // namespace parvelin::machine
