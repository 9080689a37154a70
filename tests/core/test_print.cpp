// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the rib at true scale, on a recording printer device.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "document/AirfoilDocument.h"
#include "view/ComponentPainting.h"
#include "support/ShownDocument.h"
#include "support/Recorders.h"

using namespace parvelin;
using parvelin::testing::DrawCall;
using parvelin::testing::RecordingDeviceContext;
using parvelin::testing::RecordingWindow;

namespace {

constexpr int kPageWidth = 4800;   // 8 x 11 inches at 600 pixels per inch
constexpr int kPageHeight = 6601;  // odd, so that half the height is truncated

// Clark Y: its nose is the model point (0, 0), its trailing edge lies at x 1.
struct PrintedClarkY {
    RecordingWindow window{650, 400};
    parvelin::testing::ShownDocument doc{window};

    explicit PrintedClarkY(const RibProperties& properties = kDefaultRibProperties) {
        EXPECT_EQ(doc.load(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"), ReadStatus::Loaded);
        doc.applyProperties(properties);
    }
};

std::vector<DrawCall> callsWith(const RecordingDeviceContext& dc, platform::PenStyle style) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : dc.calls)
        if (c.pen.style == style) out.push_back(c);
    return out;
}

struct Extent {
    int minX, maxX, minY, maxY;
};

Extent extentOf(const std::vector<DrawCall>& calls) {
    Extent e{calls.at(0).x, calls.at(0).x, calls.at(0).y, calls.at(0).y};
    for (const DrawCall& c : calls) {
        e.minX = std::min(e.minX, c.x);
        e.maxX = std::max(e.maxX, c.x);
        e.minY = std::min(e.minY, c.y);
        e.maxY = std::max(e.maxY, c.y);
    }
    return e;
}

// Where the window shows the airfoil and every component.
std::vector<std::pair<int, int>> windowCoords(const parvelin::testing::ShownDocument& doc) {
    std::vector<std::pair<int, int>> out;
    for (const DevicePoint& p : doc.screenPoints()) out.emplace_back(p.x, p.y);
    if (!doc.view().transform()) return out;
    auto addOutline = [&](const ComponentOutline& outline) {
        for (const OutlineSegment& n : outline) {
            const DevicePoint p = doc.view().transform()->map(n.point());
            out.emplace_back(p.x, p.y);
        }
    };
    addOutline(doc.leadingEdge().outline());
    addOutline(doc.trailingEdge().outline());
    addOutline(doc.spars().outline());
    addOutline(doc.sheeting().outline());
    return out;
}

bool sameCall(const DrawCall& a, const DrawCall& b) {
    return a.kind == b.kind && a.x == b.x && a.y == b.y && a.pen == b.pen &&
           std::equal(std::begin(a.arc), std::end(a.arc), std::begin(b.arc));
}

RibProperties everyComponent() {
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = 1;
    p.trailingEdgeStyle = 3;
    p.sparStyle = 1;
    p.sheetingStyle = 4;
    return p;
}

} // namespace

TEST(PrintRib, ChordMeasuresItsLengthAtThePrintersResolution) {
    struct Case {
        float chord;
        int metric;
        int ppi;
        int trailingEdgeX;
    };
    // 100 mm at 600 ppi: s = 2362.2047..., 25 + 2362 = 2387. 4 inches: 25 + 2400.
    // 100 mm at 300 ppi: 25 + 1181. 4 mm taken as inches when metric is 0.
    for (const Case& c : {Case{100.0f, 1, 600, 2387}, Case{4.0f, 0, 600, 2425}, Case{100.0f, 1, 300, 1206},
                          Case{4.0f, 1, 600, 119}}) {
        SCOPED_TRACE(::testing::Message() << c.chord << (c.metric ? " mm at " : " in at ") << c.ppi);
        RibProperties p = kDefaultRibProperties;
        p.chord = c.chord;
        p.metric = c.metric;
        PrintedClarkY printed(p);
        RecordingDeviceContext dc(c.ppi, c.ppi, kPageWidth, kPageHeight);
        ASSERT_TRUE(printRib(dc, printed.doc.picture()));

        const std::vector<DrawCall> outline = callsWith(dc, platform::PenStyle::Solid);
        ASSERT_FALSE(outline.empty());
        const Extent e = extentOf(outline);
        EXPECT_EQ(e.minX, 25);
        EXPECT_EQ(e.maxX, c.trailingEdgeX);
        // The nose lies on the chord line, at half the page height.
        bool noseOnChordLine = false;
        for (const DrawCall& call : outline) noseOnChordLine |= call.x == 25 && call.y == kPageHeight / 2;
        EXPECT_TRUE(noseOnChordLine);
        // The polyline starts at the first point (the trailing edge) and
        // draws one line per neighbouring pair of points.
        EXPECT_EQ(outline.front().kind, DrawCall::MoveTo);
        EXPECT_EQ(outline.front().x, c.trailingEdgeX);
        const auto lines = std::count_if(outline.begin(), outline.end(),
                                         [](const DrawCall& call) { return call.kind == DrawCall::LineTo; });
        EXPECT_EQ(static_cast<std::size_t>(lines), printed.doc.points().size() - 1);
    }
}

TEST(PrintRib, GuideLinesFollowTheViewFlags) {
    PrintedClarkY printed;
    struct Case {
        bool edges, chord;
        std::size_t guideCalls;
    };
    for (const Case& c : {Case{true, true, 6}, Case{true, false, 4}, Case{false, true, 2}, Case{false, false, 0}}) {
        SCOPED_TRACE(::testing::Message() << "edges " << c.edges << " chord " << c.chord);
        printed.doc.setShowEdgeLines(c.edges);
        printed.doc.setShowChordLine(c.chord);
        RecordingDeviceContext dc(600, 600, kPageWidth, kPageHeight);
        ASSERT_TRUE(printRib(dc, printed.doc.picture()));

        const std::vector<DrawCall> guides = callsWith(dc, platform::PenStyle::DashDot);
        ASSERT_EQ(guides.size(), c.guideCalls);
        // The guides come before the airfoil.
        for (std::size_t i = 0; i < guides.size(); ++i) EXPECT_EQ(dc.calls[i].pen.style, platform::PenStyle::DashDot);

        const Extent a = extentOf(callsWith(dc, platform::PenStyle::Solid));
        std::vector<std::pair<int, int>> expected;
        if (c.edges) {
            // At the bounds of the points, the right and bottom one pixel beyond.
            expected.insert(expected.end(), {{25, a.minY}, {25, a.maxY + 1}, {2388, a.minY}, {2388, a.maxY + 1}});
        }
        if (c.chord) expected.insert(expected.end(), {{0, kPageHeight / 2}, {2413, kPageHeight / 2}});
        for (std::size_t i = 0; i < guides.size(); ++i) {
            EXPECT_EQ(guides[i].kind, i % 2 == 0 ? DrawCall::MoveTo : DrawCall::LineTo);
            EXPECT_EQ(std::make_pair(guides[i].x, guides[i].y), expected[i]) << "call " << i;
        }
    }
}

TEST(PrintRib, RefusesWithoutALoadedDocumentOrOnNonSquarePixels) {
    AirfoilDocument empty;
    RecordingDeviceContext blank(600, 600, kPageWidth, kPageHeight);
    EXPECT_FALSE(printRib(blank, empty.picture()));
    EXPECT_TRUE(blank.calls.empty());

    PrintedClarkY printed(everyComponent());
    const auto before = windowCoords(printed.doc);
    for (auto [ppiX, ppiY] : {std::pair{600, 300}, std::pair{300, 600}}) {
        RecordingDeviceContext dc(ppiX, ppiY, kPageWidth, kPageHeight);
        EXPECT_FALSE(printRib(dc, printed.doc.picture()));
        EXPECT_TRUE(dc.calls.empty());
        EXPECT_TRUE(dc.penSelections.empty());
        EXPECT_EQ(windowCoords(printed.doc), before);
    }
}

TEST(PrintRib, WindowShowsTheAirfoilAsBeforeAfterPrinting) {
    PrintedClarkY printed(everyComponent());
    const auto before = windowCoords(printed.doc);
    ASSERT_EQ(before.front(), std::make_pair(625, 200));  // fitted to the 650 x 400 window
    RecordingDeviceContext dc(600, 600, kPageWidth, kPageHeight);
    ASSERT_TRUE(printRib(dc, printed.doc.picture()));
    EXPECT_EQ(windowCoords(printed.doc), before);

    // A window too narrow to fit into keeps the coordinates it had, rather
    // than the printer's pixels.
    printed.window.resize(40, 400);
    RecordingDeviceContext again(600, 600, kPageWidth, kPageHeight);
    ASSERT_TRUE(printRib(again, printed.doc.picture()));
    EXPECT_EQ(windowCoords(printed.doc), before);
}

TEST(PrintRib, PrintsInBlackTheLeadingEdgeTrailingEdgeSparsAndTheSheetingsLine) {
    PrintedClarkY printed(everyComponent());
    RecordingDeviceContext dc(600, 600, kPageWidth, kPageHeight);
    ASSERT_TRUE(printRib(dc, printed.doc.picture()));

    for (const platform::Pen& pen : dc.penSelections) EXPECT_EQ(pen.color, platform::kBlack);
    for (const DrawCall& call : dc.calls) EXPECT_EQ(call.pen.color, platform::kBlack);
    EXPECT_EQ(dc.currentPen(), (platform::Pen{platform::PenStyle::Solid, 0, platform::kBlack}));

    // After the guides and the airfoil come exactly the leading edge, the
    // trailing edge, the spars and the sheeting's line, each as it prints on
    // its own with the document's properties: nothing else.
    const std::size_t airfoilCalls = 6 + 1 + 2 * (printed.doc.points().size() - 1);
    RecordingDeviceContext expected(600, 600, kPageWidth, kPageHeight);
    LeadingEdge leadingEdge = printed.doc.leadingEdge();
    TrailingEdge trailingEdge = printed.doc.trailingEdge();
    Spar spars = printed.doc.spars();
    const ViewTransform page = parvelin::testing::pageView(expected, printed.doc.properties());
    if (leadingEdge.isBuilt()) printComponent(expected, leadingEdge, page);
    if (trailingEdge.isBuilt()) printComponent(expected, trailingEdge, page);
    if (spars.isBuilt()) printComponent(expected, spars, page);
    const Sheeting sheeting = printed.doc.sheeting();
    ASSERT_TRUE(sheeting.isBuilt());
    printComponent(expected, sheeting, page);
    ASSERT_EQ(dc.calls.size(), airfoilCalls + expected.calls.size());
    for (std::size_t i = 0; i < expected.calls.size(); ++i)
        EXPECT_TRUE(sameCall(dc.calls[airfoilCalls + i], expected.calls[i])) << "component call " << i;
}

// With View > Cut outline on, the page carries the cut outline too, closed
// and in its own colour, at the same true scale as the rib.
TEST(PrintRib, TheCutOutlineIsPrintedWhenTheWindowShowsIt) {
    PrintedClarkY printed(everyComponent());
    RecordingDeviceContext plain(600, 600, kPageWidth, kPageHeight);
    ASSERT_TRUE(printRib(plain, printed.doc.picture()));
    printed.doc.setShowCutOutline(true);
    RecordingDeviceContext shown(600, 600, kPageWidth, kPageHeight);
    ASSERT_TRUE(printRib(shown, printed.doc.picture()));
    std::size_t cutCalls = 0;
    for (const DrawCall& call : shown.calls) cutCalls += call.pen.color == platform::kCutOutline ? 1 : 0;
    EXPECT_EQ(cutCalls, printed.doc.cutOutline().outline.size() + 1);  // a move to its last point, a line to each
    EXPECT_EQ(shown.calls.size(), plain.calls.size() + cutCalls);
}
