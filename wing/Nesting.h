// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Laying rib outlines out on sheets of balsa for cutting. The parts, largest
// first, drop onto the sheet from above, as they are or turned half a turn
// (the grain still runs along the chord), where they waste the least balsa
// under them: a rib turned over settles its thick middle above the thin tail
// of the one below. A search over the order of the parts then looks for
// fewer, fuller sheets. Each part is cut half the kerf outside its outline, so that it
// comes out at its size; those cut paths keep the gap from each other and the
// margin from the sheet's edges. A part that fits on no sheet starts a new one.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "wing/Polygon.h"

namespace parvelin::wing {

// The gap between two parts' cut paths and their margin from the sheet's
// edges unless chosen otherwise: 2 mm.
inline constexpr double kDefaultGapMm = 2.0;
inline constexpr double kDefaultMarginMm = 2.0;

struct SheetSize {
    double width = 600.0;   // default: a 600 x 100 mm balsa sheet
    double height = 100.0;
};
// The default sheet in a design's unit (`metric`: millimetres, otherwise inches).
SheetSize defaultSheet(bool metric);

struct NestPart {
    Polygon outline;
    std::string label;
    Vec2 labelAt;           // in the outline's coordinates
    double labelHeight = 0.0;
    std::vector<Polygon> holes;  // inner contours cut out of the part, in the outline's coordinates
};

// How wide a label of `height` is taken to be: the width the parts keep
// clear for it (sans-serif capitals and digits are about 0.7 of the height).
inline double labelWidth(double height, std::size_t characters) {
    return 0.7 * height * static_cast<double>(characters);
}

// Which way a part may lie on the sheet, whose grain runs along its length:
// a rib's chord along the grain (as it is or turned half a turn), or turned
// by any quarter turn.
enum class Grain { Chord, Any };

// A way a part lies: mirrored (y to -y) when `mirrored`, then turned by
// quarter turns anticlockwise.
struct Pose {
    int quarterTurns = 0;
    bool mirrored = false;
};
Vec2 posed(Vec2 p, const Pose& pose);
Polygon posed(const Polygon& polygon, const Pose& pose);  // kept anticlockwise

// How the parts are laid out, in the parts' unit.
struct NestOptions {
    double kerf = 0.0;                  // the cutter's kerf: cut paths lie half of it outside the parts
    double gap = kDefaultGapMm;         // between the cut paths of two parts
    double margin = kDefaultMarginMm;   // between a cut path and the sheet's edge
    Grain grain = Grain::Chord;
    bool mirror = false;                // parts may be laid mirrored
    double seconds = 2.0;               // the search's budget (see layoutsFor)
    std::uint32_t seed = 1;             // the search's start: the same seed, the same layout
    // Parts may touch (no gap between cut paths), and a straight stretch two
    // cut paths share is cut once (see CommonLine.h).
    bool commonLine = false;
    // A part may be laid in a hole of a larger one (one part a hole, the
    // gap kept from the hole's edge) and is carried with it.
    bool nestInHoles = false;
    // Told the share of the search done; returns false to stop it there,
    // keeping the best layout found so far.
    std::function<bool(double)> progress;
};

// The layouts the search tries for a budget of seconds. They are counted,
// not timed, so that a seed gives the same layout on any machine; the count
// is what this machine lays out in that time for a wing of 80 ribs.
std::size_t layoutsFor(double seconds);

// The options for a kerf with the default gap and margin in the unit
// (`metric`: millimetres, otherwise inches).
NestOptions nestOptions(double kerf, bool metric);

struct PlacedPart {
    std::size_t part = 0;   // index into the parts given
    bool turned = false;    // turned half a turn
    int quarterTurns = 0;   // its pose: turned this many quarter turns anticlockwise
    bool mirrored = false;  // after being mirrored
    Polygon outline;        // the cut path (the part grown by half the kerf), moved (and turned) to its place
    std::string label;
    Vec2 labelAt;
    double labelHeight = 0.0;
    double labelAngle = 0.0;  // degrees: 0, or 90 on a part turned a quarter turn
    std::vector<Polygon> holes;  // the holes' cut paths (shrunk by half the kerf), moved with the outline
    long host = -1;              // the part whose hole it lies in (an index into the parts given), or -1
};

struct Sheet {
    std::vector<PlacedPart> parts;
    double partsArea = 0.0;  // the parts' own area (not their cut paths')
    bool commonLine = false; // written with the lines parts share cut once
};

struct Nesting {
    std::vector<Sheet> sheets;
    std::string error;       // empty when every part found a place
    double sheetArea = 0.0;  // one sheet's whole area
    double partsArea = 0.0;  // every part's own area
    std::size_t layoutsTried = 0;
};

// The yield: the share of a sheet's (or of all the sheets') area that ends
// up in parts, 0 to 1.
double utilisation(const Nesting& nesting, std::size_t sheet);
double utilisation(const Nesting& nesting);
// The least number of sheets any layout needs: the parts' area over a
// sheet's, rounded up.
std::size_t leastSheets(const Nesting& nesting);
// The yield as the user reads it: "Sheet 2: 14 parts, 61.3 % of the sheet"
// and "80 parts on 5 sheets: 58.2 % of the balsa in parts; at least 3
// sheets are needed (the parts' area over a sheet's), 2 more were used".
std::string sheetYieldText(const Nesting& nesting, std::size_t sheet);
std::string setYieldText(const Nesting& nesting);

// The cut path of an outline: grown by half the kerf with round corners, as
// a single rib's cut file grows its outline.
Polygon cutPath(const Polygon& outline, double kerf);
// The cut path of a hole: shrunk by half the kerf, so it comes out at its size.
Polygon holeCutPath(const Polygon& hole, double kerf);

// Lays out every part; refuses (with the first part that cannot fit) when a
// part's cut path is larger than the sheet less its margins.
Nesting nestParts(const std::vector<NestPart>& parts, const SheetSize& sheet, const NestOptions& options);

} // namespace parvelin::wing
