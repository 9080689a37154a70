// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>

#include "document/AirfoilDocument.h"
#include "support/Recorders.h"
#include "support/ShownDocument.h"

using namespace parvelin;
using parvelin::testing::DrawCall;
using parvelin::testing::RecordingDeviceContext;
using parvelin::testing::RecordingWindow;
using parvelin::testing::ShownDocument;

namespace {

constexpr platform::Pen kGuidePen{platform::PenStyle::DashDot, 0, platform::kBlack};
constexpr platform::Pen kAirfoilPen{platform::PenStyle::Solid, 0, platform::kWhite};

// Loads the points into the document as a file would, fitted to its window.
void load(ShownDocument& doc, std::initializer_list<CoordinatePair> points) {
    CoordinateFileContents contents;
    contents.name = "test";
    contents.drawingOrder = points;
    doc.take(contents);
}

// The diamond (1, 0), (0.5, 0.1), (0, 0), (0.5, -0.1).
void loadDiamond(ShownDocument& doc) {
    load(doc, {{1.0f, 0.0f}, {0.5f, 0.1f}, {0.0f, 0.0f}, {0.5f, -0.1f}});
}

std::vector<std::pair<int, int>> screen(const ShownDocument& doc) {
    std::vector<std::pair<int, int>> s;
    for (const DevicePoint& p : doc.screenPoints()) s.emplace_back(p.x, p.y);
    return s;
}

using Points = std::vector<std::pair<int, int>>;

struct Segment {
    int x0, y0, x1, y1;
    platform::Pen pen;
    bool operator==(const Segment&) const = default;
};

// Move-to / line-to pairs as segments, with the pen of the line.
std::vector<Segment> segments(const RecordingDeviceContext& dc) {
    std::vector<Segment> out;
    int x = 0, y = 0;
    for (const DrawCall& c : dc.calls) {
        if (c.kind == DrawCall::LineTo) out.push_back({x, y, c.x, c.y, c.pen});
        x = c.x;
        y = c.y;
    }
    return out;
}

} // namespace

TEST(ScreenView, FitSpansTheChordAcrossTheWidthAtMidHeight) {
    RecordingWindow window(650, 400);
    ShownDocument doc(window);
    loadDiamond(doc);
    // 600 pixels of chord; 0.1f x 600 truncates to 60.
    EXPECT_EQ(screen(doc), (Points{{625, 200}, {325, 140}, {25, 200}, {325, 260}}));

    // The scale follows the width alone: a low window lets the section run off.
    window.resize(650, 20);
    EXPECT_TRUE(doc.fitToWindow());
    EXPECT_EQ(screen(doc), (Points{{625, 10}, {325, -50}, {25, 10}, {325, 70}}));

    // An odd height halves toward zero; an odd width keeps the 25-pixel margins.
    window.resize(651, 401);
    EXPECT_TRUE(doc.fitToWindow());
    EXPECT_EQ(screen(doc), (Points{{626, 200}, {325, 140}, {25, 200}, {325, 260}}));
}

TEST(ScreenView, FitNeedsFiftyPixelsAndPoints) {
    RecordingWindow window(650, 400);
    ShownDocument doc(window);
    loadDiamond(doc);

    window.resize(50, 120);
    EXPECT_TRUE(doc.fitToWindow());
    EXPECT_EQ(screen(doc), (Points{{25, 60}, {25, 60}, {25, 60}, {25, 60}}));

    window.resize(49, 300);
    EXPECT_FALSE(doc.fitToWindow());
    EXPECT_EQ(screen(doc), (Points{{25, 60}, {25, 60}, {25, 60}, {25, 60}}));
    window.resize(300, -1);
    EXPECT_FALSE(doc.fitToWindow());
    EXPECT_EQ(screen(doc), (Points{{25, 60}, {25, 60}, {25, 60}, {25, 60}}));

    ShownDocument empty(window);
    EXPECT_FALSE(empty.fitToWindow());
}

TEST(ScreenView, FitSaturatesHugeCoordinates) {
    RecordingWindow window(650, 400);
    ShownDocument doc(window);
    load(doc, {{1.0f, 0.0f}, {0.5f, 3.0e38f}, {0.0f, -3.0e38f}});
    EXPECT_EQ(screen(doc), (Points{{625, 200}, {325, INT_MIN}, {25, INT_MAX}}));
}

TEST(ScreenView, PointBoundsStartInsideOut) {
    RecordingWindow window(650, 400);
    ShownDocument doc(window);
    loadDiamond(doc);
    platform::Rect b = doc.pointBounds();
    EXPECT_EQ(b.left, 25);
    EXPECT_EQ(b.top, 140);
    EXPECT_EQ(b.right, 626);
    EXPECT_EQ(b.bottom, 261);

    // Points below the client area: top stays at the client's bottom edge.
    RecordingWindow lowWindow(650, 400);
    ShownDocument low(lowWindow);
    load(low, {{1.0f, -1.0f}, {0.0f, -1.0f}});
    b = low.pointBounds();
    EXPECT_EQ(b.top, 400);
    EXPECT_EQ(b.bottom, 801);
}

TEST(ScreenView, EmptyDocumentShowsEdgeMarksAndChordLine) {
    RecordingWindow window(650, 400);
    ShownDocument doc(window);
    RecordingDeviceContext dc;
    const platform::Pen before = dc.currentPen();
    doc.paint(dc);
    const std::vector<Segment> expected{
        {25, 175, 25, 225, kGuidePen},    // leading-edge mark, 50 pixels about mid-height
        {625, 175, 625, 225, kGuidePen},  // trailing-edge mark
        {12, 200, 638, 200, kGuidePen},   // chord line
    };
    EXPECT_EQ(segments(dc), expected);
    ASSERT_FALSE(dc.penSelections.empty());
    EXPECT_EQ(dc.penSelections.front(), kAirfoilPen);
    EXPECT_EQ(dc.currentPen(), before);  // every pen put back
}

TEST(ScreenView, FlagsChooseTheGuideLines) {
    RecordingWindow window(650, 400);
    ShownDocument doc(window);
    doc.setShowEdgeLines(false);
    doc.setShowChordLine(false);
    RecordingDeviceContext dc;
    doc.paint(dc);
    EXPECT_TRUE(dc.calls.empty());

    doc.setShowChordLine(true);
    RecordingDeviceContext chordOnly;
    doc.paint(chordOnly);
    EXPECT_EQ(segments(chordOnly), (std::vector<Segment>{{12, 200, 638, 200, kGuidePen}}));
}

TEST(ScreenView, LoadedDocumentDrawsGuidesThenTheAirfoil) {
    RecordingWindow window(650, 400);
    ShownDocument doc(window);
    loadDiamond(doc);
    RecordingDeviceContext dc;
    doc.paint(dc);
    const std::vector<Segment> expected{
        // Edge marks span the points' bounds.
        {25, 140, 25, 261, kGuidePen},
        {625, 140, 625, 261, kGuidePen},
        {12, 200, 638, 200, kGuidePen},
        // The airfoil polyline, from point to point in list order.
        {625, 200, 325, 140, kAirfoilPen},
        {325, 140, 25, 200, kAirfoilPen},
        {25, 200, 325, 260, kAirfoilPen},
    };
    EXPECT_EQ(segments(dc), expected);
}

TEST(ScreenView, TakesTheWindowsZoomUntilCleared) {
    // A window the user zoomed: 1000 pixels per chord, the nose at (100, 50).
    struct ZoomedWindow : RecordingWindow {
        std::optional<platform::ZoomedView> zoomedView() const override {
            return platform::ZoomedView{1000.0, 100.0, 50.0};
        }
    } window;
    ShownDocument doc(window);
    loadDiamond(doc);
    EXPECT_EQ(screen(doc), (Points{{1100, 50}, {600, -50}, {100, 50}, {600, 150}}));
    const std::optional<ModelPosition> nose = doc.view().modelAt(100.0, 50.0);
    ASSERT_TRUE(nose.has_value());
    EXPECT_DOUBLE_EQ(nose->x, 0.0);
    EXPECT_DOUBLE_EQ(nose->y, 0.0);

    // A view that was cleared shows nothing and places nothing.
    ScreenView view = doc.view();
    view.clear();
    EXPECT_FALSE(view.transform().has_value());
    EXPECT_TRUE(view.points(doc.rib()).empty());
    EXPECT_FALSE(view.modelAt(100.0, 50.0).has_value());
}
