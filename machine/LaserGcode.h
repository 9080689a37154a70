// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// G-code for a laser cutter running GRBL or a controller like it: millimetres
// (G21), absolute (G90), power that follows the speed (M4, or M3 for
// constant power), the beam switched off (M5) before every travel move (G0),
// each closed contour cut from one of its corners round and back to it, the
// contours inside a part before its outline, the parts in nearest-neighbour
// order, and M5 and a return to the origin at the end. No Z words: the focus
// stays where the user set it.
#include <string>
#include <vector>

#include "machine/ToolPath.h"

namespace parvelin::machine {

struct LaserSettings {
    double feed = 0.0;           // mm/min while cutting; there is no default
    double power = 100.0;        // percent of sMax
    double sMax = 1000.0;        // the S that means full power ($30 in GRBL)
    int passes = 1;              // times round each contour
    bool constantPower = false;  // M3 instead of M4
};

// The first setting a laser file cannot be written with.
SettingProblem laserSettingsProblem(const LaserSettings& settings);

// The S word of the settings' power (rounded to a whole number, at most sMax).
long laserS(const LaserSettings& settings);

// The order the contours are cut in: for each part (an outline with the
// holes directly inside it) its holes, then its outline. A part inside a
// hole of another is cut before that hole. Parts come in nearest-neighbour
// order from the origin; each contour starts at its corner nearest to where
// the head stands. Contours need no particular direction.
struct CutStep {
    std::size_t contour = 0;  // index into the contours given
    std::size_t first = 0;    // the corner the cut starts and ends at
};
std::vector<CutStep> laserCutOrder(const std::vector<Polygon>& contours);

struct LaserProgram {
    std::string text;   // the G-code; empty when `error` is set
    ToolPath path;      // the moves, for the preview
    std::string error;  // why nothing can be written
};

// The program for `contours` (closed, in millimetres, the last corner joins
// the first). `title` goes into the opening comment. Refuses bad settings,
// contours with fewer than three corners or with a coordinate that is not a
// finite number, and an empty list.
LaserProgram laserProgram(const std::vector<Polygon>& contours, const LaserSettings& settings,
                          const std::string& title);

} // namespace parvelin::machine
