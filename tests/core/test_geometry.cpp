// SPDX-License-Identifier: GPL-3.0-or-later
// Invariants of the geometry kernel and the view transform over many
// generated inputs: offset points keep their distance from the surface
// segment, a crossing lies on both lines, a height at a station lies on its
// segment, and the two views map a chord to its length in pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geom/Geometry.h"
#include "geom/ViewTransform.h"

using namespace parvelin;
using geom::Point;

namespace {

// Distance of (x, y) from the infinite line through a and b.
double distanceFromLine(double x, double y, Point a, Point b) {
    const double dx = static_cast<double>(b.modelX) - a.modelX;
    const double dy = static_cast<double>(b.modelY) - a.modelY;
    return std::fabs(dy * (x - a.modelX) - dx * (y - a.modelY)) / std::hypot(dx, dy);
}

Point randomPoint(std::mt19937& rng) {
    std::uniform_real_distribution<float> coordinate(-0.2f, 1.2f);
    return {coordinate(rng), coordinate(rng) * 0.3f};
}

} // namespace

// The offsets are built for the surfaces they serve: the lower surface
// rising towards the trailing edge, the upper one falling towards it, and
// the upper surface's front walked forward (its segments rising aft). On
// such segments each keeps exactly its thickness from the segment's line.
TEST(GeometryKernel, OffsetsKeepTheirThicknessFromTheSegment) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> thickness(0.001, 0.05);
    std::uniform_real_distribution<float> station(0.0f, 1.0f);
    std::uniform_real_distribution<float> run(0.001f, 0.2f);
    std::uniform_real_distribution<float> rise(0.0f, 0.3f);
    for (int n = 0; n < 20000; ++n) {
        const double t = thickness(rng);
        const Point a{station(rng), rise(rng) - 0.15f};
        const float dx = run(rng);
        const float dy = rise(rng) * dx * 4.0f;
        const Point lowerAft{a.modelX + dx, a.modelY + dy};   // rising aft
        const Point upperAft{a.modelX + dx, a.modelY - dy};   // falling aft

        const Point above = geom::offsetPoint(a.modelX, a.modelY, a, lowerAft, t, geom::InnerSide::AboveLower);
        EXPECT_NEAR(distanceFromLine(above.modelX, above.modelY, a, lowerAft), t, 1e-6);
        EXPECT_GT(above.modelY, a.modelY);
        EXPECT_LE(above.modelX, a.modelX);

        const Point below = geom::offsetPoint(a.modelX, a.modelY, a, upperAft, t, geom::InnerSide::BelowUpper);
        EXPECT_NEAR(distanceFromLine(below.modelX, below.modelY, a, upperAft), t, 1e-6);
        EXPECT_LT(below.modelY, a.modelY);
        EXPECT_LE(below.modelX, a.modelX);

        // Walking the upper front forward: from the aft end to the front one.
        const geom::OffsetEnd e = geom::parallelEnd(lowerAft, a, t);
        EXPECT_NEAR(distanceFromLine(e.x, e.y, a, lowerAft), t, 1e-7);  // the slope is held in single precision
        EXPECT_LT(e.y, a.modelY);
    }
}

TEST(GeometryKernel, CrossingsLieOnBothLinesAndHeightsOnTheirSegment) {
    std::mt19937 rng(11);
    int crossings = 0;
    for (int n = 0; n < 20000; ++n) {
        const Point a1 = randomPoint(rng), a2 = randomPoint(rng), b1 = randomPoint(rng), b2 = randomPoint(rng);
        if (const std::optional<Point> c = geom::crossing(a1, a2, b1, b2)) {
            ++crossings;
            EXPECT_LT(distanceFromLine(c->modelX, c->modelY, a1, a2), 1e-5);
            EXPECT_LT(distanceFromLine(c->modelX, c->modelY, b1, b2), 1e-5);
            EXPECT_GE(c->modelX, std::min(a1.modelX, a2.modelX));
            EXPECT_LE(c->modelX, std::max(a1.modelX, a2.modelX));
            // The order of A's ends does not matter.
            const std::optional<Point> reversed = geom::crossing(a2, a1, b1, b2);
            ASSERT_TRUE(reversed.has_value());
            EXPECT_NEAR(reversed->modelX, c->modelX, 1e-5);
            EXPECT_NEAR(reversed->modelY, c->modelY, 1e-5);
        }
        // A height at a station between the ends lies on the segment.
        if (a1.modelX != a2.modelX) {
            const float station = std::min(a1.modelX, a2.modelX) + 0.5f * std::fabs(a2.modelX - a1.modelX);
            const float h = geom::heightAt(station, a1, a2);
            EXPECT_LT(distanceFromLine(station, h, a1, a2), 1e-6);
            EXPECT_EQ(geom::heightAt(a2.modelX, a1, a2), a2.modelY);
        }
        // Slope is rise over run, infinite for an upright segment.
        const double k = geom::slope(a1, a2);
        if (a1.modelX == a2.modelX)
            EXPECT_TRUE(std::isinf(k) || std::isnan(k));
        else
            EXPECT_DOUBLE_EQ(k, (static_cast<double>(a2.modelY) - a1.modelY) / (static_cast<double>(a2.modelX) - a1.modelX));
    }
    EXPECT_GT(crossings, 1000);
}

TEST(ViewTransform, TheChordSpansTheWindowAndMeasuresItsLengthOnPaper) {
    for (int width = 50; width <= 2050; width += 37) {
        for (int height : {0, 1, 399, 400}) {
            const std::optional<ViewTransform> fit = ViewTransform::fitToWindow({0, 0, width, height}, 0.0f);
            ASSERT_TRUE(fit.has_value());
            // Nose and trailing edge 25 pixels in from the sides, on the chord line at mid-height.
            EXPECT_EQ(fit->map(0.0f, 0.0f), (DevicePoint{25, height / 2}));
            EXPECT_EQ(fit->map(1.0f, 0.0f), (DevicePoint{width - 25, height / 2}));
            EXPECT_EQ(fit->mapAirfoil({1.0f, 0.0f}), (DevicePoint{width - 25, height / 2}));
            EXPECT_EQ(fit->mapAirfoil({0.0f, 0.0f}), (DevicePoint{25, height / 2}));
        }
    }
    EXPECT_FALSE(ViewTransform::fitToWindow({0, 0, 49, 400}, 0.0f).has_value());
    EXPECT_FALSE(ViewTransform::fitToWindow({0, 0, 400, -1}, 0.0f).has_value());

    for (int ppi : {72, 300, 600, 1200}) {
        for (float chord : {50.0f, 127.0f, 400.0f}) {
            const ViewTransform mm = ViewTransform::trueScale(ppi, 7000, chord, true);
            const ViewTransform inches = ViewTransform::trueScale(ppi, 7000, chord / 25.4f, false);
            const int length = mm.map(1.0f, 0.0f).x - mm.map(0.0f, 0.0f).x;
            EXPECT_NEAR(length, ppi * chord / 25.4, 1.0) << ppi << " " << chord;
            EXPECT_NEAR(inches.map(1.0f, 0.0f).x - inches.map(0.0f, 0.0f).x, length, 1.0);
            EXPECT_EQ(mm.map(0.0f, 0.0f), (DevicePoint{25, 3500}));
            EXPECT_EQ(mm.mapAirfoil({0.3f, 0.1f}), mm.map(0.3f, 0.1f));
        }
    }
}
