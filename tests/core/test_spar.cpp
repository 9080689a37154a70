// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "components/Spar.h"
#include "view/ComponentPainting.h"
#include "dxf/DxfWriter.h"
#include "dxf/RibDxf.h"
#include "support/Airfoils.h"
#include "support/Recorders.h"

using namespace parvelin;
using parvelin::testing::airfoil;
using parvelin::testing::DrawCall;
using parvelin::testing::RecordingDeviceContext;
using parvelin::testing::RecordingWindow;
using parvelin::testing::pageView;
using parvelin::testing::windowView;

namespace {

// Trailing edge, upper surface, nose at index 5, lower surface.
const std::vector<AirfoilPoint> kSection = airfoil({{1, 0},
                                                    {0.6f, 0.06f},
                                                    {0.3f, 0.08f},
                                                    {0.1f, 0.05f},
                                                    {0.02f, 0.02f},
                                                    {0, 0},
                                                    {0.01f, -0.012f},
                                                    {0.1f, -0.03f},
                                                    {0.3f, -0.04f},
                                                    {0.6f, -0.02f},
                                                    {1, 0}});

RibProperties spar(int style, float distance = 30.0f, int percent = 0, float chord = 100.0f) {
    RibProperties p = kDefaultRibProperties;
    p.sparStyle = style;
    p.sparDistance = distance;
    p.sparDistanceInPercent = percent;
    p.chord = chord;
    return p;
}

struct Corner {
    float x, y;
    int pen;
};

void expectOutline(const ComponentOutline& outline, std::initializer_list<Corner> corners) {
    ASSERT_EQ(outline.size(), corners.size());
    std::size_t i = 0;
    for (const Corner& c : corners) {
        EXPECT_EQ(outline[i].modelX, c.x) << "node " << i;
        EXPECT_EQ(outline[i].modelY, c.y) << "node " << i;
        EXPECT_EQ(outline[i].penDown, c.pen) << "node " << i;
        ++i;
    }
}

} // namespace

TEST(Spar, NoSparByDefault) {
    Spar s;
    s.compute(kSection, kDefaultRibProperties);
    EXPECT_FALSE(s.isBuilt());
    EXPECT_TRUE(s.outline().empty());
}

TEST(Spar, DistanceInPercentOrFixedAtTwoChords) {
    Spar s;
    // Fixed 30 at chord 100 and percent 30 both sit at 0.3 (the percentage
    // through the single-precision 0.01); fixed 30 at chord 200 at 0.15.
    s.compute(kSection, spar(2, 30.0f, 0, 100.0f));
    ASSERT_FALSE(s.outline().empty());
    EXPECT_EQ(s.outline()[0].modelX, 0.3f);

    s.rebuild(kSection, spar(2, 30.0f, 1, 100.0f));
    ASSERT_FALSE(s.outline().empty());
    EXPECT_EQ(s.outline()[0].modelX, 30.0f * 0.01f);
    EXPECT_NEAR(s.outline()[0].modelX, 0.3, 1e-7);

    s.rebuild(kSection, spar(2, 30.0f, 0, 200.0f));
    ASSERT_FALSE(s.outline().empty());
    EXPECT_EQ(s.outline()[0].modelX, 0.15f);
    EXPECT_EQ(s.outline()[2].modelX, 0.15f + 0.025f);  // the width shrinks with the chord too

    s.rebuild(kSection, spar(2, 30.0f, 1, 200.0f));
    ASSERT_FALSE(s.outline().empty());
    EXPECT_EQ(s.outline()[0].modelX, 30.0f * 0.01f);
}

TEST(Spar, StockNotchStandsOnTheLowerSurface) {
    Spar s;
    s.compute(kSection, spar(2));
    // A lower point exactly at D is the bracket's second point: yb is its y.
    const float top = -0.04f + 0.05f;
    const float back = 0.3f + 0.05f;
    expectOutline(s.outline(), {{0.3f, -0.04f, 1}, {0.3f, top, 1}, {back, top, 1}, {back, top - 0.05f, 1},
                                {0.3f, top - 0.05f, 1}});
    EXPECT_TRUE(s.isBuilt());

    DxfWriter writer;
    writeComponentDxf(s, &writer, spar(2));
    EXPECT_EQ(writer.lineCount(), 4);
}

TEST(Spar, StickNotchesTopAndBottomJoinedByAMove) {
    Spar s;
    s.compute(kSection, spar(1));
    const float d = 0.3f;
    const float d2 = d + 0.05f;  // D + W in single precision
    // Upper bracket (0.6, 0.06)-(0.3, 0.08) at 0.35; the bottom takes the
    // last lower point ahead of D, (0.1, -0.03), without interpolating.
    const float yT = 0.06f + (d2 - 0.6f) / (0.3f - 0.6f) * (0.08f - 0.06f);
    EXPECT_NEAR(s.outline()[0].modelY, 0.0766667, 1e-6);
    const float low = s.outline()[0].modelY - 0.05f;
    const float yL = -0.03f;
    const float top = yL + 0.05f;
    expectOutline(s.outline(), {{d2, s.outline()[0].modelY, 1},
                                {d, s.outline()[0].modelY, 1},
                                {d, low, 1},
                                {d2, low, 1},
                                {d2, low + 0.05f, 1},
                                {d, yL, 0},
                                {d2, yL, 1},
                                {d2, top, 1},
                                {d, top, 1},
                                {d, top - 0.05f, 1}});
    EXPECT_NEAR(s.outline()[0].modelY, yT, 1e-7);

    DxfWriter writer;
    writeComponentDxf(s, &writer, spar(1));
    EXPECT_EQ(writer.lineCount(), 8);
    // No line joins the top notch's last corner to the bottom notch.
    const auto& o = s.outline();
    const std::string link = dxfLineEntity(100.0 * o[4].modelX, 100.0 * o[4].modelY, 100.0 * o[5].modelX,
                                           100.0 * o[5].modelY);
    EXPECT_EQ(writer.text().find(link), std::string::npos);
}

TEST(Spar, StickNotchBeyondTheFirstPointUsesTheHeadBracket) {
    Spar s;
    s.compute(kSection, spar(1, 60.0f));  // D2 = 0.65 lies aft of (0.6, 0.06)
    ASSERT_EQ(s.outline().size(), 10u);
    EXPECT_NEAR(s.outline()[0].modelY, 0.875 * 0.06, 1e-7);
}

TEST(Spar, StationsOutsideTheAirfoilLeaveNoOutline) {
    Spar s;
    for (int style : {1, 2}) {
        for (float distance : {120.0f, -10.0f}) {
            s.rebuild(kSection, spar(style, distance));
            EXPECT_TRUE(s.isBuilt()) << style << " " << distance;
            EXPECT_TRUE(s.outline().empty()) << style << " " << distance;
        }
        s.rebuild({}, spar(style));
        EXPECT_TRUE(s.outline().empty());
    }
    // A list that never passes the nose region: no lower surface to stand on.
    const std::vector<AirfoilPoint> upperOnly = airfoil({{1, 0}, {0.6f, 0.06f}, {0.3f, 0.08f}, {0.1f, 0.05f}});
    s.rebuild(upperOnly, spar(1));
    EXPECT_TRUE(s.outline().empty());
    s.rebuild(upperOnly, spar(2));
    EXPECT_TRUE(s.outline().empty());
}

TEST(Spar, StickInsideTheNoseRegionStillStandsOnTheLowerSurface) {
    // D = 0.015, D2 = 0.065: the walk to the last point before the nose
    // region stops on the upper surface at (0.1, 0.05); the bottom notch goes
    // on from the nose to the last lower point ahead of D, (0.01, -0.012).
    Spar s;
    s.compute(kSection, spar(1, 1.5f));
    ASSERT_EQ(s.outline().size(), 10u);
    EXPECT_EQ(s.outline()[5].modelY, -0.012f);
    EXPECT_EQ(s.outline()[5].penDown, 0);

    // At D = 0 the bottom notch sits on the nose point.
    s.rebuild(kSection, spar(1, 0.0f));
    ASSERT_EQ(s.outline().size(), 10u);
    EXPECT_EQ(s.outline()[5].modelY, 0.0f);
}

TEST(Spar, DrawAndPrintHonourTheMoveBetweenTheNotches) {
    Spar s;
    s.compute(kSection, spar(1));
    const ViewTransform view = windowView();

    RecordingDeviceContext dc;
    drawComponent(dc, s, view);
    ASSERT_EQ(dc.calls.size(), 10u);
    EXPECT_EQ(dc.calls[0].kind, DrawCall::MoveTo);
    EXPECT_EQ(dc.calls[5].kind, DrawCall::MoveTo);
    EXPECT_EQ(dc.countLinesWith(platform::kComponentGrey), 8);
    EXPECT_EQ(dc.calls[5].x, view.map(s.outline()[5].point()).x);
    EXPECT_EQ(dc.calls[5].y, view.map(s.outline()[5].point()).y);

    RecordingDeviceContext printer(300, 300, 2400, 3400);
    RibProperties inches = spar(1);
    inches.metric = 0;
    inches.chord = 4.0f;
    EXPECT_TRUE(printComponent(printer, s, pageView(printer, inches)));
    EXPECT_EQ(printer.countLinesWith(platform::kBlack), 8);
    // 300 pixels per inch times a 4-inch chord: the spar front at 0.3 chord.
    EXPECT_EQ(printer.calls[1].x, static_cast<int>(1200.0 * static_cast<double>(0.3f) + 25.0));

    // A code the pages never set builds nothing drawable.
    s.rebuild(kSection, spar(3));
    EXPECT_TRUE(s.isBuilt());
    RecordingDeviceContext other;
    drawComponent(other, s, view);
    EXPECT_TRUE(other.calls.empty());
}
