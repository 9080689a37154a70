// SPDX-License-Identifier: GPL-3.0-or-later
// The one Clipper adapter: each grid keeps its unit to its precision over the
// range it is used in (chords near the nose, millimetres across a sheet and
// far beyond), and the operations measure right on both.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "clip/Clipping.h"
#include "geom/Constants.h"
#include "geom/Polygon.h"
#include "wing/Polygon.h"

using namespace parvelin;
using clipping::Grid;
using clipping::kChordGrid;
using clipping::kLengthGrid;

namespace {

wing::Polygon square(double x0, double y0, double side) {
    return {{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}};
}

double areaOf(const clipping::Paths& paths, const Grid& grid) {
    double area = 0.0;
    for (const clipping::Path& p : paths) area += ClipperLib::Area(p);
    return clipping::toSquareUnits(area, grid);
}

struct Range {
    const Grid* grid;
    double reach;  // the coordinates swept run to this many units
};

// Chords up to the grid's bound; millimetres over a sheet and out to a
// kilometre-long part.
const Range kRanges[] = {{&kChordGrid, 1.0}, {&kChordGrid, 8.0}, {&kLengthGrid, 250.0}, {&kLengthGrid, 3000.0},
                         {&kLengthGrid, 1e6}};

} // namespace

TEST(Clipping, RoundTripKeepsEachUnitToItsGrid) {
    for (const Range& range : kRanges) {
        const Grid& grid = *range.grid;
        wing::Polygon polygon;
        for (int i = 0; i < 997; ++i) {
            const double t = (i - 498) / 498.0;
            polygon.push_back({range.reach * t * std::cos(i * 0.37), range.reach * t * std::sin(i * 0.91) + 1e-9 * i});
        }
        ASSERT_TRUE(clipping::layable(polygon, grid));
        const wing::Polygon back = clipping::fromPath<wing::Polygon>(clipping::toPath(polygon, grid), grid);
        ASSERT_EQ(back.size(), polygon.size());
        // Half a grid step, plus the double's own rounding of the value.
        const double allowed = 0.5 / grid.scale + 4e-16 * range.reach;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            EXPECT_LE(std::fabs(back[i].x - polygon[i].x), allowed) << range.reach << " " << i;
            EXPECT_LE(std::fabs(back[i].y - polygon[i].y), allowed) << range.reach << " " << i;
        }
        // Beyond the bound a value is held at it, never wrapped.
        EXPECT_EQ(clipping::toUnits(clipping::toInt(1e30, grid), grid), grid.largest);
        EXPECT_EQ(clipping::toUnits(clipping::toInt(-1e30, grid), grid), -grid.largest);
    }
    // The chord grid needs no wide products within its bound.
    EXPECT_LE(kChordGrid.largest * kChordGrid.scale, 0x3FFFFFFF);
}

TEST(Clipping, LayableOnlyForNumbersWithinTheBound) {
    for (const Grid* grid : {&kChordGrid, &kLengthGrid}) {
        EXPECT_TRUE(clipping::layable(square(-1.0, -1.0, 2.0), *grid));
        EXPECT_TRUE(clipping::layable(square(0.0, 0.0, grid->largest), *grid));
        EXPECT_FALSE(clipping::layable(square(0.0, 0.0, 2.0 * grid->largest), *grid));
        EXPECT_TRUE(clipping::finite(square(0.0, 0.0, 2.0 * grid->largest)));
        const wing::Polygon notANumber{{0, 0}, {1, std::nan("")}, {1, 1}};
        EXPECT_FALSE(clipping::layable(notANumber, *grid));
        EXPECT_FALSE(clipping::finite(notANumber));
        EXPECT_FALSE(clipping::layable(wing::Polygon{{0, 0}, {INFINITY, 0}, {1, 1}}, *grid));
    }
}

TEST(Clipping, OperationsMeasureRightOverEachGridsRange) {
    // Side and position: a rib-sized square near the nose and at the chord
    // bound; a part on a sheet, thousands of millimetres out, and at the far
    // end of the length grid, where Clipper multiplies in 128 bits.
    struct Case {
        const Grid* grid;
        double side, at;
    };
    const Case cases[] = {{&kChordGrid, 0.2, 0.0},   {&kChordGrid, 1.0, 7.0},    {&kLengthGrid, 200.0, 0.0},
                          {&kLengthGrid, 200.0, 4000.0}, {&kLengthGrid, 50.0, 1e6}, {&kLengthGrid, 1e3, 1e11}};
    for (const Case& c : cases) {
        const Grid& grid = *c.grid;
        const double side = c.side;
        const clipping::Path outer = clipping::toPath(square(c.at - side, -c.at, side), grid);
        const clipping::Path inner = clipping::toPath(square(c.at - 0.75 * side, -c.at + side / 4, side / 2), grid);
        const double tolerance = 8.0 * side / grid.scale;  // a grid step along each edge
        EXPECT_NEAR(areaOf(clipping::combine(ClipperLib::ctDifference, {outer}, {inner}), grid), 0.75 * side * side,
                    tolerance)
            << side << " at " << c.at;
        EXPECT_NEAR(areaOf(clipping::combine(ClipperLib::ctIntersection, {outer}, {inner}), grid), 0.25 * side * side,
                    tolerance);
        EXPECT_NEAR(areaOf(clipping::combine(ClipperLib::ctUnion, {outer}, {inner}), grid), side * side, tolerance);

        // Grown by d with round corners: the square, four strips and a
        // circle of radius d (its chords within the arc tolerance inside it).
        const double d = side / 20, arc = d / 1000;
        const clipping::Path grown = clipping::largestAnticlockwise(clipping::offset({outer}, d, arc, grid));
        const double expected = side * side + 4 * side * d + geom::kPi * d * d;
        EXPECT_NEAR(clipping::toSquareUnits(ClipperLib::Area(grown), grid), expected,
                    2 * geom::kPi * d * arc + 4 * tolerance)
            << side << " at " << c.at;
        EXPECT_TRUE(ClipperLib::Orientation(grown));
        // Shrunk by d: a square of side - 2d, corners kept.
        const clipping::Paths shrunk = clipping::offset({outer}, -d, arc, grid);
        ASSERT_EQ(shrunk.size(), 1u);
        EXPECT_NEAR(areaOf(shrunk, grid), (side - 2 * d) * (side - 2 * d), 2 * tolerance);
    }
    EXPECT_EQ(clipping::largestPath({}), nullptr);
    EXPECT_TRUE(clipping::largestAnticlockwise({}).empty());
}

TEST(Clipping, SimplifiedSplitsAFigureEightIntoItsLoops) {
    // Two triangles meeting at (1, 1), drawn as one self-crossing path.
    const wing::Polygon eight{{0, 0}, {2, 2}, {2, 0}, {0, 2}};
    const clipping::Paths loops = clipping::simplified(clipping::toPath(eight, kChordGrid));
    ASSERT_EQ(loops.size(), 2u);
    for (const clipping::Path& loop : loops)
        EXPECT_NEAR(std::fabs(clipping::toSquareUnits(ClipperLib::Area(loop), kChordGrid)), 1.0, 1e-12);
}
