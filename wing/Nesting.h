#pragma once
// Laying rib outlines out on sheets of balsa for cutting. The parts, largest
// first, drop onto the sheet from above, as they are or turned half a turn
// (the grain still runs along the chord), wherever that leaves them lowest:
// a rib turned over settles its thick middle above the thin tail of the one
// below. Parts keep the gap from each other and half of it from the sheet's
// edges; a part that fits on no sheet starts a new one.
#include <string>
#include <vector>

#include "wing/Polygon.h"

namespace parvelin::wing {

// The gap the cutter needs between two parts beyond its kerf: 2 mm.
inline constexpr double kMinimumGapMm = 2.0;

struct SheetSize {
    double width = 600.0;   // default: a 600 x 100 mm balsa sheet
    double height = 100.0;
};

struct NestPart {
    Polygon outline;
    std::string label;
    Vec2 labelAt;           // in the outline's coordinates
    double labelHeight = 0.0;
};

// How wide a label of `height` is taken to be: the width the parts keep
// clear for it (sans-serif capitals and digits are about 0.7 of the height).
inline double labelWidth(double height, std::size_t characters) {
    return 0.7 * height * static_cast<double>(characters);
}

struct PlacedPart {
    std::size_t part = 0;   // index into the parts given
    bool turned = false;    // turned half a turn
    Polygon outline;        // moved (and turned) to its place on the sheet
    std::string label;
    Vec2 labelAt;
    double labelHeight = 0.0;
};

struct Sheet {
    std::vector<PlacedPart> parts;
};

struct Nesting {
    std::vector<Sheet> sheets;
    std::string error;      // empty when every part found a place
};

// The gap between parts for a kerf, in the chord's unit (`metric` 1: mm).
double partGap(double kerf, bool metric);

// Lays out every part; refuses (with the first part that cannot fit) when a
// part is larger than the sheet less its margins. The sheet's margin is half
// the gap, so parts of neighbouring sheets laid side by side keep it too.
Nesting nestParts(const std::vector<NestPart>& parts, const SheetSize& sheet, double gap);

} // namespace parvelin::wing
