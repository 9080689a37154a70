// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// G-code for a four-axis hot-wire foam cutter: one foam core per wing panel.
// The wire spans two towers; each tower's carriage moves its end of the wire
// chordwise and up (X Y on the left tower, U V on the right one by default).
// The root and tip sections are resampled to the same number of points,
// matched by arc length from the trailing edge over each surface so that
// the noses and trailing edges meet, grown by half the kerf at each end,
// and projected along the wire out to the towers. Every move names all four
// axes, so both ends always take the same number of moves and arrive at
// each matched point together.
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "model/AirfoilPoint.h"
#include "machine/ToolPath.h"
#include "wing/WingPanel.h"

namespace parvelin::machine {

// A panel's core in its own frame, in millimetres: x chordwise from the
// root's leading edge aft, y up, both sections closed anticlockwise (the
// last point joins the first). The root lies at the panel's one end, the tip
// `span` along the wire from it.
struct CoreSections {
    Polygon root;
    Polygon tip;
    double span = 0.0;
};

// The sections of `panel` from the root and tip airfoils (model
// coordinates, drawing order; an empty tip takes the root's): each scaled by
// its chord, the tip moved aft by the sweep and turned nose down by the
// washout about its trailing edge. `unitMm` is the millimetres in one of
// the panel's units (1, or 25.4 for inches).
CoreSections coreSections(AirfoilPoints root, AirfoilPoints tip, const wing::WingPanel& panel, double unitMm);

struct HotwireSettings {
    double feed = 0.0;            // mm/min of the faster end; there is no default
    double towerDistance = 0.0;   // between the towers along the wire
    // The panel's end nearer the left tower this far from it; NaN: the panel
    // stands in the middle between the towers.
    double panelOffset = std::numeric_limits<double>::quiet_NaN();
    double kerfRoot = 0.0;        // the width the wire melts away at the root end
    double kerfTip = 0.0;         // ... and at the tip end (slower there, so often wider)
    std::string axes = "XYUV";    // left tower's chordwise and vertical axis, then the right tower's
    double travelX = 1000.0;      // the carriages' travel from the origin
    double travelY = 300.0;
    double margin = 10.0;         // the path's foremost and lowest points this far from the origin
    double lead = 10.0;           // the wire enters and leaves this far behind the trailing edge
    // The height the wire travels at above the block; NaN: 10 mm above the
    // highest point of the path.
    double safeHeight = std::numeric_limits<double>::quiet_NaN();
    double heat = 0.0;            // percent of sMax for the wire (M3); 0: the wire is switched at the machine
    double sMax = 1000.0;
};

// The first setting the core cannot be cut with. `span` is the panel's
// along the wire, in millimetres.
SettingProblem hotwireSettingsProblem(const HotwireSettings& settings, double span);

// Both closed loops resampled to the same count of points: split at the
// nose (the smallest x) and the trailing edge (the point farthest from the
// nose), each surface measured by arc length, and every point of either
// loop taken at its fraction along the surface on both. Each result starts
// and ends at its trailing edge (the first point repeated last), runs over
// the upper surface to the nose and back along the lower one.
std::pair<Polygon, Polygon> matchedLoops(const Polygon& a, const Polygon& b);

// A closed polygon grown outward by `distance` (mm) with round corners;
// itself for a distance of 0.
Polygon grownSection(const Polygon& polygon, double distance);

struct HotwireProgram {
    std::string text;    // the G-code; empty when `error` is set
    ToolPath path;       // `to` on the left tower, `toSecond` on the right one
    std::string error;   // why nothing can be written
    Vec2 offset;         // the core frame's origin in machine coordinates (X, Y)
    double rootZ = 0.0;  // the root's and the tip's distance from the left tower
    double tipZ = 0.0;
};

// The program for one core. `rootAtLeft`: the root end faces the left
// tower (a right-hand panel), otherwise the right tower (a left-hand panel).
HotwireProgram hotwireProgram(const CoreSections& core, const HotwireSettings& settings, bool rootAtLeft,
                              const std::string& title);

} // namespace parvelin::machine
