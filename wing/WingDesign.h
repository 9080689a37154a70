// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wing of a rib design file: the "wing" object beside "rib", holding the
// panel's values and the tip airfoil's name and points as they were read.
//
//   "wing": {
//     "span": 500.0, "rootChord": 150.0, "tipChord": 100.0,
//     "ribCount": 11, "ribSpacing": 0.0, "sweep": 0.0,
//     "sparRoot": 30.0, "sparTip": 30.0, "sparInPercent": true,
//     "washout": 0.0, "side": "both",
//     "tipAirfoil": { "name": "NACA 2412", "points": [[1.0, 0.0013], ...] }
//   }
//
// "tipAirfoil" is left out when every rib has the root's section. A wing
// read back is checked as the Wing Properties dialog checks it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/CoordinateFile.h"
#include "document/RibDesignFile.h"
#include "wing/WingPanel.h"

namespace parvelin::wing {

struct WingDesign {
    WingPanel panel;
    std::string tipName;                   // the tip file's name or path; empty without a tip airfoil
    std::vector<CoordinatePair> tipPoints; // drawing order; empty: the root's section throughout
    friend bool operator==(const WingDesign&, const WingDesign&) = default;
};

// The "wing" object's JSON text; `error` is set (and the text empty) when
// the wing cannot be written as one that reads back (a bad panel, a point
// that is not a finite number).
std::string wingText(const WingDesign& wing, std::string& error);

// Reads a "wing" object's JSON text; refuses anything the panel's own
// checks refuse, with `error` naming the problem.
std::optional<WingDesign> parseWing(std::string_view text, std::string& error);

// A rib design with its wing.
struct WingDesignRead {
    RibDesignRead rib;                // rib.loaded false: nothing is loaded, rib.error says why
    std::optional<WingDesign> wing;   // none: a single rib
};

// Reads a rib design file and its wing, if any; a bad wing refuses the
// whole file.
WingDesignRead parseDesignWithWing(std::string_view bytes);
WingDesignRead readDesignWithWing(const std::string& path);

// The design with `wing` (or none) set into it.
RibDesign withWing(RibDesign design, const std::optional<WingDesign>& wing, std::string& error);

} // namespace parvelin::wing
