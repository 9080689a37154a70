// SPDX-License-Identifier: GPL-3.0-or-later
// The one polygon area and bounding box, over the point types outlines are
// held in: the sign follows the running direction, the size the shape, the
// box touches the outermost points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/CoordinateFile.h"
#include "geom/Constants.h"
#include "geom/Geometry.h"
#include "geom/Point.h"
#include "geom/Polygon.h"
#include "wing/Polygon.h"

using namespace parvelin;

namespace {

// A regular n-gon round (cx, cy), anticlockwise, starting at `turn` radians.
wing::Polygon regular(int n, double r, double cx, double cy, double turn) {
    wing::Polygon p;
    for (int i = 0; i < n; ++i) {
        const double a = turn + 2.0 * geom::kPi * i / n;
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return p;
}

} // namespace

TEST(GeomPolygon, AreaSignAndSizeOverShapesAndScales) {
    for (const double r : {0.01, 0.5, 1.0, 200.0, 3000.0})
        for (int n = 3; n <= 60; n += 3)
            for (const double turn : {0.0, 0.3, 1.9}) {
                const wing::Polygon ccw = regular(n, r, 0.25 * r, -0.5 * r, turn);
                const double exact = 0.5 * n * r * r * std::sin(2.0 * geom::kPi / n);
                const double area = geom::signedArea(ccw);
                EXPECT_NEAR(area, exact, 1e-12 * exact) << n << " " << r;
                wing::Polygon cw(ccw.rbegin(), ccw.rend());
                EXPECT_NEAR(geom::signedArea(cw), -area, 1e-12 * exact);

                // The same outline stored in single precision: same sign,
                // same size to float precision, and the orientation test agrees.
                std::vector<geom::Point> stored;
                std::vector<CoordinatePair> pairs;
                for (const auto& p : ccw) {
                    stored.push_back({static_cast<float>(p.x), static_cast<float>(p.y)});
                    pairs.push_back({static_cast<float>(p.x), static_cast<float>(p.y)});
                }
                EXPECT_NEAR(geom::signedArea(stored), exact, 1e-5 * exact);
                EXPECT_EQ(geom::signedArea(stored), geom::signedArea(pairs));
                EXPECT_FALSE(geom::runsClockwise(stored));
                std::reverse(stored.begin(), stored.end());
                EXPECT_TRUE(geom::runsClockwise(stored));
            }
}

TEST(GeomPolygon, AreaOfANotchedOutlineAndDegenerateOnes) {
    // A 4 x 3 plate with a 1 x 2 notch from its top edge: 12 - 2.
    const wing::Polygon notched{{0, 0}, {4, 0}, {4, 3}, {2.5, 3}, {2.5, 1}, {1.5, 1}, {1.5, 3}, {0, 3}};
    EXPECT_DOUBLE_EQ(geom::signedArea(notched), 10.0);
    // Moving the outline far from the origin leaves its area.
    EXPECT_NEAR(geom::signedArea(wing::translated(notched, 2500.0, -1800.0)), 10.0, 1e-9);
    EXPECT_EQ(geom::signedArea(wing::Polygon{}), 0.0);
    EXPECT_EQ(geom::signedArea(wing::Polygon{{1, 1}, {2, 2}}), 0.0);
}

TEST(GeomPolygon, BoxTouchesTheOutermostPoints) {
    for (int n = 3; n <= 40; ++n) {
        const wing::Polygon p = regular(n, 50.0, 10.0, -7.0, 0.1 * n);
        const geom::Box box = geom::bounds(p);
        int onLeft = 0, onRight = 0, onBottom = 0, onTop = 0;
        for (const auto& q : p) {
            EXPECT_TRUE(q.x >= box.minX && q.x <= box.maxX && q.y >= box.minY && q.y <= box.maxY);
            onLeft += q.x == box.minX;
            onRight += q.x == box.maxX;
            onBottom += q.y == box.minY;
            onTop += q.y == box.maxY;
        }
        EXPECT_TRUE(onLeft && onRight && onBottom && onTop) << n;
        EXPECT_LE(box.width(), 100.0);
        EXPECT_GT(box.width(), 50.0);
    }
    const geom::Box empty = geom::bounds(wing::Polygon{});
    EXPECT_EQ(empty.width(), 0.0);
    EXPECT_EQ(empty.height(), 0.0);
}
