// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sheets as skylines: the usable area of a sheet is cut into narrow
// columns, and each column keeps the height from which a part may start.
// Parts drop in from above, in a given order, each onto the first sheet it
// fits on, in the pose and place that waste the least balsa under it and lie
// low; a search over the order keeps the layout with the fewest and fullest
// sheets.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "wing/Polygon.h"

namespace parvelin::wing::skyline {

// A part's lower and upper edge per column, taken exactly: a straight edge's
// lowest and highest points in a column lie at the column's sides or at a
// corner inside it.
struct Profile {
    Polygon outline;             // moved so that its box starts at (0, 0)
    Vec2 shift;                  // added to the given outline to get there
    int columns = 0;
    double width = 0.0;
    double height = 0.0;
    std::vector<double> bottom;  // per column, the lowest point of the part
    std::vector<double> top;     // per column, the highest
    double bottomSum = 0.0;      // the sum of `bottom`
};
Profile profileOf(const Polygon& outline, double cell);

// The usable area of one sheet, in columns.
struct Sheets {
    double usableW = 0.0;
    double usableH = 0.0;
    double cell = 0.0;
    int columns = 0;
    int reach = 0;     // columns kept clear beside a part: the gap
    double gap = 0.0;
};
// Columns a fraction of the gap wide, at most a few thousand across a sheet.
Sheets sheetsFor(double usableW, double usableH, double gap);

struct Spot {
    std::size_t part = 0;
    std::size_t sheet = 0;
    std::size_t pose = 0;
    int column = 0;
    double y = 0.0;
};

struct Layout {
    std::vector<Spot> spots;
    std::size_t sheets = 0;
    double fullness = 0.0;  // the sum over the sheets of the square of their parts' area
    long unplaced = -1;     // a part that fits on no sheet in any pose

    // Fewer sheets; then fuller ones: the sum of squares grows as parts
    // move from a sparse sheet to a full one, which empties the last sheet.
    bool betterThan(const Layout& other) const;
};

// The parts in `order`, each in the first sheet it fits on. `shapes` holds
// each part's profile per pose, `areas` each part's own area.
Layout layOut(const std::vector<std::size_t>& order, const std::vector<std::vector<Profile>>& shapes,
              const std::vector<double>& areas, const Sheets& k);

struct Search {
    std::size_t layouts = 1;  // layouts tried, the first included
    std::uint32_t seed = 1;
    std::size_t least = 0;    // stop at this many sheets: none can do better
    std::function<bool(double)> progress;  // returns false to stop
};
struct Found {
    Layout best;
    std::size_t tried = 0;
};
// From `order`, changes the order (two parts swapped, a part moved, a part
// of the last sheet moved earlier) for `how.layouts` layouts in all and
// returns the best: deterministic for a seed.
Found search(std::vector<std::size_t> order, const std::vector<std::vector<Profile>>& shapes,
             const std::vector<double>& areas, const Sheets& k, const Search& how);

} // namespace parvelin::wing::skyline
