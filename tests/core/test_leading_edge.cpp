// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "components/LeadingEdge.h"
#include "view/ComponentPainting.h"
#include "document/AirfoilDocument.h"
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

RibProperties leadingEdgeStyle(int style) {
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = style;
    return p;
}

void expectCorners(const ComponentOutline& outline, std::initializer_list<std::pair<double, double>> corners,
                   double tolerance = 1e-7) {
    ASSERT_EQ(outline.size(), corners.size());
    std::size_t i = 0;
    for (const auto& [x, y] : corners) {
        EXPECT_NEAR(outline[i].modelX, x, tolerance) << "corner " << i;
        EXPECT_NEAR(outline[i].modelY, y, tolerance) << "corner " << i;
        EXPECT_EQ(outline[i].penDown, 1) << "corner " << i;
        ++i;
    }
}

std::string airfoilPath(const char* name) { return std::string(PARVELIN_AIRFOIL_DIR) + "/" + name; }

} // namespace

TEST(LeadingEdge, DefaultCornersOfTheShapes) {
    const std::vector<AirfoilPoint> none;
    LeadingEdge le;

    le.compute(none, leadingEdgeStyle(1));
    expectCorners(le.outline(), {{0, 0.03}, {0.06, 0.03}, {0.06, -0.03}, {0, -0.03}, {0, 0.03}});

    le.rebuild(none, leadingEdgeStyle(2));
    expectCorners(le.outline(),
                  {{0.015, 0.0212132}, {-0.0062132, 0}, {0.015, -0.0212132}, {0.0362132, 0}, {0.015, 0.0212132}});
    // The front corner lies ahead of the nose, at h (1 - sqrt 2).
    EXPECT_NEAR(le.outline()[1].modelX, 0.015 * (1.0 - std::sqrt(2.0)), 1e-8);

    le.rebuild(none, leadingEdgeStyle(4));
    expectCorners(le.outline(), {{0, 0.05}, {0.03, 0.05}, {0.03, -0.05}, {0, -0.05}, {0, 0.05}});
}

TEST(LeadingEdge, BuiltForEveryCodeButDrawsNothingWithoutAShape) {
    const std::vector<AirfoilPoint> points = airfoil({{1, 0}, {0, 0}, {1, 0}});
    LeadingEdge le;
    EXPECT_FALSE(le.isBuilt());
    for (int code : {0, 5, -1}) {
        le.rebuild(points, leadingEdgeStyle(code));
        EXPECT_TRUE(le.isBuilt());
        EXPECT_TRUE(le.outline().empty());

        RecordingDeviceContext dc;
        EXPECT_TRUE(drawComponent(dc, le, windowView()));
        EXPECT_TRUE(dc.calls.empty());
        EXPECT_FALSE(printComponent(dc, le, pageView(dc, leadingEdgeStyle(code))));
        DxfWriter writer;
        EXPECT_TRUE(writeComponentDxf(le, &writer, leadingEdgeStyle(code)));
        EXPECT_EQ(writer.lineCount(), 0);
    }
    le.clear();
    EXPECT_FALSE(le.isBuilt());
}

TEST(LeadingEdge, StockCutTakesTheForwardPointsHeightPlusOrMinusTheStep) {
    // Upper pair rising towards the nose (d < 0): still above the forward
    // point by the step's magnitude. Lower pair rising aft (d2 > 0): below the
    // forward point by the step's magnitude.
    const std::vector<AirfoilPoint> rising =
        airfoil({{1, 0}, {0.05f, 0.02f}, {0.01f, 0.04f}, {0, 0}, {0.01f, -0.03f}, {0.05f, -0.02f}, {1, 0}});
    LeadingEdge le;
    le.compute(rising, leadingEdgeStyle(3));
    ASSERT_EQ(le.outline().size(), 2u);
    EXPECT_FLOAT_EQ(le.outline()[0].modelX, 0.03f);
    EXPECT_FLOAT_EQ(le.outline()[1].modelX, 0.03f);
    EXPECT_NEAR(le.outline()[0].modelY, 0.04 + 0.01, 1e-7);
    EXPECT_NEAR(le.outline()[1].modelY, -0.03 - 0.005, 1e-7);

    // Equal heights take the forward point's height without dividing.
    const std::vector<AirfoilPoint> level =
        airfoil({{1, 0}, {0.05f, 0.02f}, {0.01f, 0.02f}, {0, 0}, {0.01f, -0.02f}, {0.05f, -0.02f}, {1, 0}});
    le.rebuild(level, leadingEdgeStyle(3));
    ASSERT_EQ(le.outline().size(), 2u);
    EXPECT_EQ(le.outline()[0].modelY, 0.02f);
    EXPECT_EQ(le.outline()[1].modelY, -0.02f);
}

TEST(LeadingEdge, StockCutOnClarkYExportsOneLine) {
    const CoordinateFileContents contents = readCoordinateFile(airfoilPath("asb__clarky.dat"));
    ASSERT_EQ(contents.status, ReadStatus::Loaded);
    AirfoilDocument doc;
    doc.takeContents(contents);
    doc.applyProperties(leadingEdgeStyle(3));
    const ComponentOutline& cut = doc.leadingEdge().outline();
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_FLOAT_EQ(cut[0].modelX, 0.03f);
    EXPECT_FLOAT_EQ(cut[1].modelX, 0.03f);
    EXPECT_GT(cut[0].modelY, 0.02f);  // on the upper surface
    EXPECT_LT(cut[1].modelY, -0.01f);  // on the lower surface

    DxfWriter writer;
    writeComponentDxf(doc.leadingEdge(), &writer, doc.properties());
    EXPECT_EQ(writer.lineCount(), 1);
    EXPECT_EQ(writer.text(), dxfLineEntity(100.0 * cut[0].modelX, 100.0 * cut[0].modelY, 100.0 * cut[1].modelX,
                                           100.0 * cut[1].modelY));
}

TEST(LeadingEdge, StockCutOutsideTheAirfoilLeavesNoOutline) {
    // No point at or ahead of the cut: the nose of this list lies at 0.001.
    const std::vector<AirfoilPoint> bluntNose =
        airfoil({{1, 0}, {0.5f, 0.05f}, {0.001f, 0}, {0.5f, -0.05f}, {1, 0}});
    RibProperties p = leadingEdgeStyle(3);
    p.leadingEdgeDepth = 0.05f;  // t = 0.0005
    LeadingEdge le;
    le.compute(bluntNose, p);
    EXPECT_TRUE(le.isBuilt());
    EXPECT_TRUE(le.outline().empty());

    // A cut beyond the trailing edge.
    p.leadingEdgeDepth = 150.0f;
    le.rebuild(bluntNose, p);
    EXPECT_TRUE(le.outline().empty());

    // An empty point list.
    le.rebuild({}, leadingEdgeStyle(3));
    EXPECT_TRUE(le.isBuilt());
    EXPECT_TRUE(le.outline().empty());
}

TEST(LeadingEdge, RoundExportsTheBoundingSquare) {
    LeadingEdge le;
    le.compute({}, leadingEdgeStyle(1));
    DxfWriter writer;
    writeComponentDxf(le, &writer, kDefaultRibProperties);
    EXPECT_EQ(writer.lineCount(), 4);
    const auto& o = le.outline();
    std::string expected;
    for (std::size_t i = 1; i < o.size(); ++i)
        expected += dxfLineEntity(100.0 * o[i - 1].modelX, 100.0 * o[i - 1].modelY, 100.0 * o[i].modelX,
                                  100.0 * o[i].modelY);
    EXPECT_EQ(writer.text(), expected);
    EXPECT_NE(writer.text().find("6.000000"), std::string::npos);
    EXPECT_NE(writer.text().find("-3.000000"), std::string::npos);
    EXPECT_FALSE(writeComponentDxf(le, nullptr, kDefaultRibProperties));
}

TEST(LeadingEdge, DrawsRoundAsAFullCircleWithTheGreyPen) {
    const ViewTransform view = windowView(650, 400);  // s = 600, mid-height 200
    LeadingEdge le;
    le.compute({}, leadingEdgeStyle(1));

    RecordingDeviceContext dc;
    const platform::Pen before = dc.currentPen();
    drawComponent(dc, le, view);
    ASSERT_EQ(dc.calls.size(), 1u);
    const DrawCall& arc = dc.calls[0];
    EXPECT_EQ(arc.kind, DrawCall::Arc);
    EXPECT_EQ(arc.pen, (platform::Pen{platform::PenStyle::Solid, 0, platform::kComponentGrey}));
    const auto& o = le.outline();
    const DevicePoint topLeft = view.map(o[0].point()), bottomRight = view.map(o[2].point());
    const int left = topLeft.x, top = topLeft.y, right = bottomRight.x, bottom = bottomRight.y;
    // 0.03 as a float is a hair below 0.03, so 600 x it truncates to 17.
    EXPECT_EQ(left, 25);
    EXPECT_EQ(top, 183);
    EXPECT_EQ(right, 60);
    EXPECT_EQ(bottom, 217);
    const int m = top + (bottom - top) / 2;
    const int expected[8] = {left, top, right, bottom, right, m, right, m + 1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(arc.arc[i], expected[i]) << i;
    EXPECT_EQ(dc.currentPen(), before);
}

TEST(LeadingEdge, DrawsTheOtherShapesCornerToCorner) {
    LeadingEdge le;
    for (int code : {2, 4}) {
        le.rebuild({}, leadingEdgeStyle(code));
        RecordingDeviceContext dc;
        drawComponent(dc, le, windowView());
        ASSERT_EQ(dc.calls.size(), 5u);
        EXPECT_EQ(dc.calls[0].kind, DrawCall::MoveTo);
        EXPECT_EQ(dc.countLinesWith(platform::kComponentGrey), 4);
        EXPECT_EQ(dc.calls[4].x, dc.calls[0].x);
        EXPECT_EQ(dc.calls[4].y, dc.calls[0].y);
    }
}

TEST(LeadingEdge, PrintsAtTrueScale) {
    LeadingEdge le;
    le.compute({}, leadingEdgeStyle(1));

    RecordingDeviceContext printer(600, 600, 4800, 7000);
    EXPECT_TRUE(printComponent(printer, le, pageView(printer, kDefaultRibProperties)));
    ASSERT_EQ(printer.calls.size(), 1u);
    const DrawCall& arc = printer.calls[0];
    EXPECT_EQ(arc.kind, DrawCall::Arc);
    EXPECT_EQ(arc.pen.color, platform::kBlack);
    const double e = 600.0 * 100.0 * static_cast<double>(0.03937008f);
    EXPECT_EQ(arc.arc[0], 25);
    EXPECT_EQ(arc.arc[1], static_cast<int>(3500.0 - e * static_cast<double>(0.03f)));
    EXPECT_EQ(arc.arc[2], static_cast<int>(e * static_cast<double>(le.outline()[2].modelX) + 25.0));
    EXPECT_EQ(arc.arc[3], static_cast<int>(3500.0 + e * static_cast<double>(0.03f)));

}
