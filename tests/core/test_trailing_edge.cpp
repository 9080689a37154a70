// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "components/AirfoilBoundary.h"
#include "view/ComponentPainting.h"
#include "components/TrailingEdge.h"
#include "document/AirfoilDocument.h"
#include "dxf/DxfWriter.h"
#include "dxf/RibDxf.h"
#include "geom/Geometry.h"
#include "platform/Services.h"
#include "support/Airfoils.h"
#include "support/Recorders.h"

using namespace parvelin;
using parvelin::testing::airfoil;
using parvelin::testing::DrawCall;
using parvelin::testing::RecordingDeviceContext;
using parvelin::testing::RecordingWindow;
namespace fs = std::filesystem;

namespace {

RibProperties trailingEdge(int style, float width = 25.0f, float height = 15.0f, float chord = 100.0f) {
    RibProperties p = kDefaultRibProperties;
    p.trailingEdgeStyle = style;
    p.trailingEdgeWidth = width;
    p.trailingEdgeHeight = height;
    p.chord = chord;
    return p;
}

// Lower surface: level from 0.3 to 0.6, slope 1 from 0.6 to 0.7, level to 1.
const std::vector<AirfoilPoint> kStepped =
    airfoil({{1, 0.05f}, {0.5f, 0.15f}, {0, 0}, {0.3f, -0.1f}, {0.6f, -0.1f}, {0.7f, 0}, {1, 0}});

// A symmetric wedge aft of mid-chord, surfaces of slope -0.1 and 0.1.
const std::vector<AirfoilPoint> kWedge = airfoil({{1, 0},
                                                  {0.85f, 0.015f},
                                                  {0.75f, 0.025f},
                                                  {0.5f, 0.05f},
                                                  {0, 0},
                                                  {0.5f, -0.05f},
                                                  {0.75f, -0.025f},
                                                  {0.85f, -0.015f},
                                                  {1, 0}});

std::string gTrace;
void recordTrace(std::string_view bytes) { gTrace.append(bytes); }

struct TraceRecorded {
    TraceRecorded() {
        gTrace.clear();
        platform::setDebugSink(&recordTrace);
    }
    ~TraceRecorded() { platform::setDebugSink(nullptr); }
};

std::string airfoilPath(const char* name) { return std::string(PARVELIN_AIRFOIL_DIR) + "/" + name; }

bool allFinite(const ComponentOutline& outline) {
    for (const OutlineSegment& s : outline)
        if (!std::isfinite(s.modelX) || !std::isfinite(s.modelY)) return false;
    return true;
}

} // namespace

TEST(TrailingEdge, NoneByDefault) {
    TrailingEdge te;
    te.compute(kWedge, kDefaultRibProperties);
    EXPECT_FALSE(te.isBuilt());

    // Codes the pages never set: built, with nothing to draw or export.
    te.compute(kWedge, trailingEdge(4));
    EXPECT_TRUE(te.isBuilt());
    EXPECT_TRUE(te.outline().empty());
}

TEST(TrailingEdge, StockCutAtTheStartOfTheRegion) {
    const CoordinateFileContents contents = readCoordinateFile(airfoilPath("asb__clarky.dat"));
    ASSERT_EQ(contents.status, ReadStatus::Loaded);
    std::vector<AirfoilPoint> points = contents.drawingOrder;

    TrailingEdge te;
    for (const auto& [chord, station] : {std::pair{100.0f, 0.75f}, std::pair{50.0f, 0.5f}}) {
        te.rebuild(points, trailingEdge(3, 25.0f, 15.0f, chord));
        ASSERT_EQ(te.outline().size(), 2u);
        EXPECT_EQ(te.outline()[0].modelX, station);
        EXPECT_EQ(te.outline()[1].modelX, station);
        EXPECT_GT(te.outline()[0].modelY, te.outline()[1].modelY);
        DxfWriter writer;
        writeComponentDxf(te, &writer, trailingEdge(3, 25.0f, 15.0f, chord));
        EXPECT_EQ(writer.lineCount(), 1);
    }

    // On the stepped section the cut at 0.5 meets the upper point (0.5, 0.15)
    // exactly and the lower surface on its level stretch.
    te.rebuild(kStepped, trailingEdge(3, 50.0f));
    ASSERT_EQ(te.outline().size(), 2u);
    EXPECT_EQ(te.outline()[0].modelY, 0.15f);
    EXPECT_EQ(te.outline()[1].modelY, -0.1f);
}

TEST(TrailingEdge, OffsetPointsOfLevelAndSlopedSegments) {
    // Region from 0.5, thickness 0.01.
    TrailingEdge te;
    te.compute(kStepped, trailingEdge(2, 50.0f, 1.0f));
    const ComponentOutline& o = te.outline();
    ASSERT_EQ(o.size(), 4u);
    const double t = 0.01f;
    // The start on the lower surface, then straight up by T over the level
    // bracket (0.3, -0.1)-(0.6, -0.1).
    EXPECT_EQ(o[0].modelX, 0.5f);
    EXPECT_EQ(o[0].modelY, -0.1f);
    EXPECT_EQ(o[1].modelX, 0.5f);
    EXPECT_EQ(o[1].modelY, static_cast<float>(static_cast<double>(-0.1f) + t));
    // (0.6, -0.1) on a segment of slope 1: T/sqrt 2 up and T/sqrt 2 forward.
    EXPECT_NEAR(o[2].modelX, 0.6 - t / std::sqrt(2.0), 1e-7);
    EXPECT_NEAR(o[2].modelY, -0.1 + t / std::sqrt(2.0), 1e-7);
    // (0.7, 0) on a level segment: exactly T above, same x. The trailing
    // edge point itself gets no offset point.
    EXPECT_EQ(o[3].modelX, 0.7f);
    EXPECT_EQ(o[3].modelY, 0.01f);
    for (const OutlineSegment& s : o) EXPECT_EQ(s.penDown, 1);
}

TEST(TrailingEdge, LowerLineEndsWhereItLeavesThroughTheUpperSurface) {
    // Thickness 0.15: the third segment, from the slope-1 corner's offset to
    // the offset of (0.7, 0), climbs through the upper segment (1, 0.05)-(0.5, 0.15).
    TrailingEdge te;
    te.compute(kStepped, trailingEdge(2, 50.0f, 15.0f));
    const ComponentOutline& o = te.outline();
    ASSERT_EQ(o.size(), 4u);
    const OutlineSegment& c = o[3];
    EXPECT_EQ(c.penDown, 1);
    EXPECT_NEAR(c.modelY, 0.25 - 0.2 * c.modelX, 1e-6);  // on the upper segment's line
    EXPECT_GT(c.modelX, o[2].modelX);
    EXPECT_LT(c.modelX, 0.7f);
}

TEST(TrailingEdge, SheetedTopAndBottomTrimsBothInnerLines) {
    TraceRecorded trace;
    TrailingEdge te;
    te.compute(kWedge, trailingEdge(1, 50.0f, 2.0f));
    const ComponentOutline& o = te.outline();
    // Inner lines lie 0.02 inside surfaces of slope +-0.1.
    const double k = 0.02 * std::sqrt(1.01);
    ASSERT_EQ(o.size(), 10u);

    // Lower line: start on the surface at 0.5 (the point at X is the
    // bracket's second point), three offsets, the crossing with the upper
    // line, then the hidden offset of (0.85, -0.015).
    EXPECT_EQ(o[0].modelX, 0.5f);
    EXPECT_EQ(o[0].modelY, -0.05f);
    EXPECT_NEAR(o[3].modelX, 0.75 - 0.1 * 0.02 / std::sqrt(1.01), 1e-7);
    EXPECT_NEAR(o[4].modelX, 1.0 - 10.0 * k, 1e-6);
    EXPECT_NEAR(o[4].modelY, 0.0, 1e-6);
    EXPECT_EQ(o[4].penDown, 1);
    EXPECT_EQ(o[5].penDown, 0);  // kept in the list, no longer drawn

    // Upper line: starts with a move at (0.5, 0.05); the first offset takes
    // its x along the signed slope; ends where it meets the lower surface.
    EXPECT_EQ(o[6].modelX, 0.5f);
    EXPECT_EQ(o[6].modelY, 0.05f);
    EXPECT_EQ(o[6].penDown, 0);
    EXPECT_NEAR(o[7].modelX, 0.5 - 0.1 * 0.02 / std::sqrt(1.01), 1e-7);
    EXPECT_NEAR(o[7].modelY, 0.05 - 0.02 / std::sqrt(1.01), 1e-7);
    EXPECT_NEAR(o[9].modelX, 1.0 - 5.0 * k, 1e-6);
    EXPECT_NEAR(o[9].modelY, -0.1 + 0.1 * (1.0 - 5.0 * k), 1e-6);

    DxfWriter writer;
    writeComponentDxf(te, &writer, trailingEdge(1, 50.0f, 2.0f));
    EXPECT_EQ(writer.lineCount(), 7);  // 4 lower, 3 upper; the hidden node and the move write nothing

    RecordingDeviceContext dc;
    drawComponent(dc, te, parvelin::testing::windowView());
    EXPECT_EQ(dc.countLinesWith(platform::kComponentGrey), 7);
}

TEST(TrailingEdge, DebugTextForSheetedTopAndBottomOnly) {
    TraceRecorded trace;
    TrailingEdge te;
    for (int code : {0, 2, 3, 4}) te.rebuild(kWedge, trailingEdge(code, 50.0f, 2.0f));
    EXPECT_TRUE(gTrace.empty());

    te.rebuild(kWedge, trailingEdge(1, 50.0f, 2.0f));
    const std::string text("sd\xF8kgjsdg2\n", 11);
    EXPECT_EQ(gTrace, text);
    // Every compute writes it, also when the inner lines do not cross or no
    // outline can be built.
    te.rebuild(kStepped, trailingEdge(1, 50.0f, 0.5f));
    te.rebuild(kWedge, trailingEdge(1, 150.0f));
    EXPECT_EQ(gTrace, text + text + text);
}

TEST(TrailingEdge, RegionsTheListDoesNotSpanLeaveNoOutline) {
    TrailingEdge te;
    const std::vector<AirfoilPoint> upperOnly = airfoil({{1, 0}, {0.6f, 0.06f}, {0.3f, 0.08f}, {0.1f, 0.05f}});
    for (int code : {1, 2, 3}) {
        // Deeper than the chord, or the chord itself.
        for (float width : {100.0f, 250.0f}) {
            te.rebuild(kWedge, trailingEdge(code, width));
            EXPECT_TRUE(te.isBuilt());
            EXPECT_TRUE(te.outline().empty()) << code << " " << width;
        }
        // A list that never reaches the nose region, and an empty list.
        te.rebuild(upperOnly, trailingEdge(code));
        EXPECT_TRUE(te.outline().empty()) << code;
        te.rebuild({}, trailingEdge(code));
        EXPECT_TRUE(te.outline().empty()) << code;
    }
}

TEST(TrailingEdge, UprightSegmentsGiveFinitePoints) {
    // An upright step in the lower surface at 0.6 inside the region, and a
    // doubled trailing-edge point on the upper surface.
    const std::vector<AirfoilPoint> stepped =
        airfoil({{1, 0}, {1, 0}, {0.5f, 0.1f}, {0, 0}, {0.3f, -0.05f}, {0.6f, -0.05f}, {0.6f, -0.03f}, {1, 0}});
    TrailingEdge te;
    for (int code : {1, 2, 3}) {
        te.rebuild(stepped, trailingEdge(code, 50.0f, 1.0f));
        EXPECT_FALSE(te.outline().empty()) << code;
        EXPECT_TRUE(allFinite(te.outline())) << code;
    }
    te.rebuild(stepped, trailingEdge(2, 50.0f, 1.0f));
    // The offset of (0.6, -0.05) on the upright segment lies T forward at the
    // same height.
    ASSERT_GE(te.outline().size(), 3u);
    EXPECT_NEAR(te.outline()[2].modelX, 0.6 - 0.01, 1e-7);
    EXPECT_EQ(te.outline()[2].modelY, -0.05f);
}

TEST(TrailingEdge, DrawsFittedAndPrintsWithTheBlackPen) {
    TrailingEdge te;
    te.compute(kWedge, trailingEdge(3, 50.0f));
    ASSERT_EQ(te.outline().size(), 2u);
    RecordingDeviceContext screen;
    drawComponent(screen, te, parvelin::testing::windowView());
    ASSERT_EQ(screen.calls.size(), 2u);
    EXPECT_EQ(screen.calls[0].x, 25 + 300);

    RecordingDeviceContext printer(600, 600, 4800, 6000);
    EXPECT_TRUE(printComponent(printer, te, parvelin::testing::pageView(printer, trailingEdge(3, 50.0f))));
    ASSERT_EQ(printer.calls.size(), 2u);
    EXPECT_EQ(printer.calls[1].pen.color, platform::kBlack);
    const double e = 600.0 * 100.0 * static_cast<double>(0.03937008f);
    EXPECT_EQ(printer.calls[0].x, static_cast<int>(e * 0.5 + 25.0));
}

TEST(SurfaceSearch, NoseAndHeightsNeverLeaveTheList) {
    // The nose is the first point at x <= 0, else the first with the smallest x.
    EXPECT_EQ(geom::noseIndex(kWedge), 4u);
    const std::vector<AirfoilPoint> blunt =
        airfoil({{1, 0}, {0.5f, 0.05f}, {0.001f, 0.001f}, {0.001f, -0.001f}, {0.5f, -0.05f}, {1, 0}});
    EXPECT_EQ(geom::noseIndex(blunt), 2u);
    EXPECT_EQ(geom::noseIndex({}), 0u);

    // Walks stop at the last point.
    EXPECT_EQ(geom::advanceWhileNextAbove(kWedge, 0, -1.0), kWedge.size() - 1);
    EXPECT_EQ(geom::advanceWhileNextBelow(kWedge, 4, 2.0), kWedge.size() - 1);
    EXPECT_EQ(geom::advanceWhileNextAtOrAbove({}, 0, 0.5), 0u);

    // Equal x at both ends: the second end's height, not a division by zero.
    EXPECT_EQ(geom::heightAt(0.5f, {0.5f, 0.1f}, {0.5f, 0.2f}), 0.2f);
    EXPECT_EQ(geom::heightAt(0.7f, {0.5f, 0.1f}, {0.5f, 0.2f}), 0.2f);
    // A point at the station gives exactly its height.
    EXPECT_EQ(geom::heightAt(0.3f, {0.1f, 0.001f}, {0.3f, -0.04f}), -0.04f);
}

// The sheeted styles' inner lines leave the surface into the rib for every
// corpus airfoil, whichever surface its file gives first: the drawing order
// as read, and the same list reversed (lower surface first, clockwise). A
// drawn segment that starts on the airfoil's outline ends inside it.
TEST(TrailingEdge, InnerLinesLeaveTheSurfaceIntoTheRibInEitherOrder) {
    int checked = 0;
    int allLeaving = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR)) {
        const CoordinateFileContents contents = readCoordinateFile(entry.path().string());
        if (contents.status != ReadStatus::Loaded) continue;
        std::vector<AirfoilPoint> forward;
        for (const CoordinatePair& c : contents.drawingOrder) forward.push_back(AirfoilPoint{c.modelX, c.modelY});
        // A list that does not come back to the trailing edge (a file read
        // as one surface only) has no inside to go into.
        if (forward.size() < 3 || forward.front().modelX < 0.9f || forward.back().modelX < 0.9f) continue;
        const std::vector<AirfoilPoint> reversed(forward.rbegin(), forward.rend());
        for (const bool reverse : {false, true}) {
            const std::vector<AirfoilPoint>& points = reverse ? reversed : forward;
            const AirfoilBoundary rib(points);
            for (int style : {1, 2})
                for (const auto& [width, height] : {std::pair{25.0f, 1.5f}, std::pair{40.0f, 3.0f}}) {
                    TrailingEdge te;
                    te.compute(points, trailingEdge(style, width, height, 200.0f));
                    const ComponentOutline& o = te.outline();
                    int leaving = 0;
                    for (std::size_t i = 1; i < o.size(); ++i) {
                        if (o[i].penDown != 1 || rib.distance(o[i - 1].modelX, o[i - 1].modelY) > 1e-6) continue;
                        if (rib.distance(o[i].modelX, o[i].modelY) <= 1e-6) continue;
                        ++leaving;
                        EXPECT_TRUE(rib.contains(o[i].modelX, o[i].modelY))
                            << entry.path().filename() << (reverse ? " reversed" : "") << " style " << style
                            << " width " << width << ": node " << i << " at " << o[i].modelX << ", " << o[i].modelY;
                    }
                    allLeaving += leaving;
                    ++checked;
                }
        }
    }
    EXPECT_GT(checked, 100);
    // Most lines start on the outline (one line for Sheeted bottom, two for
    // top and bottom): the check above is not an empty one.
    EXPECT_GT(allLeaving, checked);
}
