#pragma once
// Laying rib outlines out on sheets of balsa for cutting: rows of parts,
// tallest first, each part as far left as it goes, a new row when the row is
// full and a new sheet when the sheet is; parts and rows keep a gap between
// them and from the sheet's edges.
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

struct PlacedPart {
    std::size_t part = 0;   // index into the parts given
    Polygon outline;        // moved to its place on the sheet
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
