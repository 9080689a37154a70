// SPDX-License-Identifier: GPL-3.0-or-later
// Laying ribs out on pages: swept over airfoils, chords, units, page sizes
// and resolutions, every layout must cover the whole rib, overlap its pages
// by 10 mm in reading order, put its crosses on both pages of an overlap and
// keep the scale bar and label on the page and clear of the rib; a rib that
// fits prints exactly the one-page print plus the scale bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/Recorders.h"
#include "support/StoredOutputs.h"
#include "view/PrintLayout.h"

using namespace parvelin;
using parvelin::testing::DrawCall;
using parvelin::testing::RecordingDeviceContext;
namespace stored = parvelin::testing::stored;

namespace {

struct PageSize {
    const char* name;
    double widthMm;   // printable area
    double heightMm;
};

// Printable areas inside the program's 6.35 mm border.
const PageSize kPages[] = {
    {"A4 portrait", 210.0 - 12.7, 297.0 - 12.7},
    {"A4 landscape", 297.0 - 12.7, 210.0 - 12.7},
    {"A5 portrait", 148.0 - 12.7, 210.0 - 12.7},
    {"Letter landscape", 279.4 - 12.7, 215.9 - 12.7},
};

bool inside(const platform::Rect& r, int w, int h) {
    return r.left >= 0 && r.top >= 0 && r.right < w && r.bottom < h;
}

bool meets(const platform::Rect& a, const platform::Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

platform::Rect ribOnPage(const PrintLayout& layout, const PrintTile& tile) {
    return {layout.rib.left - tile.offsetX, layout.rib.top - tile.offsetY, layout.rib.right - tile.offsetX,
            layout.rib.bottom - tile.offsetY};
}

// The scale bar's calls as they follow the rib: the baseline, one upright per
// tick, the label.
void expectScaleBarCalls(const std::vector<DrawCall>& calls, std::size_t from, const ScaleBar& bar) {
    ASSERT_EQ(calls.size(), from + 2 + 2 * bar.ticks.size() + 1);
    const platform::Pen black{platform::PenStyle::Solid, 0, platform::kBlack};
    for (std::size_t i = from; i < calls.size(); ++i) EXPECT_EQ(calls[i].pen, black);
    EXPECT_EQ(calls[from].kind, DrawCall::MoveTo);
    EXPECT_EQ(calls[from + 1].kind, DrawCall::LineTo);
    EXPECT_EQ(calls[from + 1].x - calls[from].x, bar.length);
    EXPECT_EQ(calls[from + 1].y, calls[from].y);
    for (std::size_t t = 0; t < bar.ticks.size(); ++t) {
        const DrawCall& foot = calls[from + 2 + 2 * t];
        const DrawCall& top = calls[from + 3 + 2 * t];
        EXPECT_EQ(foot.y, calls[from].y);
        EXPECT_EQ(top.x, foot.x);
        EXPECT_LT(top.y, foot.y);
    }
    EXPECT_EQ(calls.back().kind, DrawCall::Text);
    EXPECT_EQ(calls.back().text, bar.label);
}

} // namespace

TEST(PrintLayout, ARibThatFitsPrintsTheOnePagePrintPlusTheScaleBar) {
    // Every loadable airfoil under every stored property set, on A4 at 600 ppi.
    int onePage = 0;
    int tiled = 0;
    for (const std::string& airfoil : stored::loadableAirfoils())
        for (const stored::PropertySet& set : stored::readPropertySets()) {
            SCOPED_TRACE(airfoil + " " + set.name);
            stored::LoadedRib rib(airfoil, set.properties);
            const PrintLayout layout =
                layoutPrint(rib.doc.picture(), 600, 600, stored::kPrintWidth, stored::kPrintHeight);
            ASSERT_EQ(layout.status, PrintLayoutStatus::Ready);
            if (!inside(layout.rib, stored::kPrintWidth, stored::kPrintHeight)) {
                // The one-page print would cut it off: more pages, or one
                // page moved to show all of it.
                EXPECT_TRUE(layout.tiled() || layout.tiles[0].offsetX != 0 || layout.tiles[0].offsetY != 0);
                ++tiled;
                continue;
            }
            ++onePage;
            ASSERT_EQ(layout.pageCount(), 1);
            ASSERT_EQ(layout.tiles[0].offsetX, 0);
            ASSERT_EQ(layout.tiles[0].offsetY, 0);

            RecordingDeviceContext alone(600, 600, stored::kPrintWidth, stored::kPrintHeight);
            printRib(alone, rib.doc.picture());
            RecordingDeviceContext page(600, 600, stored::kPrintWidth, stored::kPrintHeight);
            ASSERT_TRUE(printLayoutPage(rib.doc.picture(), page, layout, 0));
            ASSERT_GE(page.calls.size(), alone.calls.size());
            for (std::size_t i = 0; i < alone.calls.size(); ++i) {
                const DrawCall& a = alone.calls[i];
                const DrawCall& b = page.calls[i];
                ASSERT_TRUE(a.kind == b.kind && a.x == b.x && a.y == b.y && a.pen == b.pen &&
                            std::equal(std::begin(a.arc), std::end(a.arc), std::begin(b.arc)))
                    << "call " << i;
            }
            const PageFurniture furniture =
                pageFurniture(layout, 0, set.properties.metric != 0, rib.doc.getName().value_or(""), set.properties.chord);
            EXPECT_FALSE(furniture.hasLabel);
            EXPECT_TRUE(furniture.crosses.empty());
            expectScaleBarCalls(page.calls, alone.calls.size(), furniture.scaleBar);
            EXPECT_EQ(furniture.scaleBar.label, set.properties.metric != 0 ? "100 mm" : "4 in");
            EXPECT_TRUE(inside(furniture.scaleBar.box(), stored::kPrintWidth, stored::kPrintHeight));
            EXPECT_FALSE(meets(furniture.scaleBar.box(), layout.rib));
        }
    // The stored sets hold both kinds on A4.
    EXPECT_GT(onePage, 100);
    EXPECT_GT(tiled, 10);
}

TEST(PrintLayout, PagesCoverTheRibInReadingOrderOverlappingByTenMillimetres) {
    const char* airfoils[] = {"asb__clarky.dat", "asb__naca0012.dat", "asb__e387.dat", "asb__naca23021.dat"};
    struct Chord {
        float length;
        int metric;
    };
    const Chord chords[] = {{50, 1}, {180, 1}, {260, 1}, {300, 1}, {450, 1}, {900, 1}, {1600, 1}, {6, 0}, {12, 0}, {30, 0}};
    int tiledLayouts = 0;
    for (const char* airfoil : airfoils)
        for (const Chord& chord : chords)
            for (const PageSize& size : kPages)
                for (int ppi : {300, 600}) {
                    SCOPED_TRACE(::testing::Message() << airfoil << " chord " << chord.length << (chord.metric ? " mm " : " in ")
                                                      << size.name << " " << ppi << " ppi");
                    RibProperties p = kDefaultRibProperties;
                    p.chord = chord.length;
                    p.metric = chord.metric;
                    p.leadingEdgeStyle = 1;
                    p.sparStyle = 1;
                    p.trailingEdgeStyle = 3;
                    stored::LoadedRib rib(airfoil, p);
                    const int w = static_cast<int>(size.widthMm / 25.4 * ppi);
                    const int h = static_cast<int>(size.heightMm / 25.4 * ppi);
                    const PrintLayout layout = layoutPrint(rib.doc.picture(), ppi, ppi, w, h);
                    ASSERT_EQ(layout.status, PrintLayoutStatus::Ready);
                    ASSERT_TRUE(layout.hasRib);
                    ASSERT_EQ(layout.pageCount(), layout.columns * layout.rows);
                    EXPECT_EQ(layout.overlap, millimetresToPixels(10.0, ppi));
                    // One page exactly when the one-page print shows all of it.
                    EXPECT_EQ(layout.pageCount() == 1 && layout.tiles[0].offsetX == 0 && layout.tiles[0].offsetY == 0,
                              inside(layout.rib, w, h));
                    if (layout.tiled()) ++tiledLayouts;

                    // Reading order; neighbours share exactly the overlap.
                    for (int i = 0; i < layout.pageCount(); ++i) {
                        const PrintTile& t = layout.tiles[static_cast<std::size_t>(i)];
                        ASSERT_EQ(t.column, i % layout.columns);
                        ASSERT_EQ(t.row, i / layout.columns);
                        if (t.column > 0) {
                            EXPECT_EQ(t.offsetX - layout.tiles[i - 1].offsetX, w - layout.overlap);
                        }
                        if (t.row > 0) {
                            EXPECT_EQ(t.offsetY - layout.tiles[i - layout.columns].offsetY, h - layout.overlap);
                        }
                    }
                    // Together the pages show every pixel of the rib and its guides.
                    const PrintTile& first = layout.tiles.front();
                    const PrintTile& last = layout.tiles.back();
                    EXPECT_GE(layout.rib.left, first.offsetX);
                    EXPECT_GE(layout.rib.top, first.offsetY);
                    EXPECT_LT(layout.rib.right, last.offsetX + w);
                    EXPECT_LT(layout.rib.bottom, last.offsetY + h);

                    int crossesSeen = 0;
                    for (int i = 0; i < layout.pageCount(); ++i) {
                        const PrintTile& t = layout.tiles[static_cast<std::size_t>(i)];
                        const PageFurniture f = pageFurniture(layout, i, p.metric != 0, "CLARK Y", p.chord);
                        crossesSeen += static_cast<int>(f.crosses.size());
                        // Every cross on a page lies, whole, in a strip it shares.
                        for (const auto& [x, y] : f.crosses) {
                            EXPECT_TRUE(inside({x - f.crossArm, y - f.crossArm, x + f.crossArm, y + f.crossArm}, w, h));
                            const bool inStrip = (t.column > 0 && x < layout.overlap) ||
                                                 (t.column + 1 < layout.columns && x >= w - layout.overlap) ||
                                                 (t.row > 0 && y < layout.overlap) ||
                                                 (t.row + 1 < layout.rows && y >= h - layout.overlap);
                            EXPECT_TRUE(inStrip) << "cross at " << x << ", " << y << " on page " << i + 1;
                        }
                        // Scale bar and label on the page, clear of each other,
                        // and clear of the rib where the page has room for both.
                        const platform::Rect bar = f.scaleBar.box();
                        EXPECT_TRUE(inside(bar, w, h)) << "page " << i + 1;
                        const platform::Rect rib = ribOnPage(layout, t);
                        const int spare = h - (std::min(rib.bottom, h - 1) - std::max(rib.top, 0));
                        if (spare > millimetresToPixels(40.0, ppi)) {
                            EXPECT_FALSE(meets(bar, rib)) << "page " << i + 1;
                        }
                        // Nothing covers the strips shared with a neighbour,
                        // where the crosses are.
                        std::vector<platform::Rect> strips;
                        if (t.column > 0) strips.push_back({0, 0, layout.overlap - 1, h - 1});
                        if (t.column + 1 < layout.columns) strips.push_back({w - layout.overlap, 0, w - 1, h - 1});
                        if (t.row > 0) strips.push_back({0, 0, w - 1, layout.overlap - 1});
                        if (t.row + 1 < layout.rows) strips.push_back({0, h - layout.overlap, w - 1, h - 1});
                        for (const platform::Rect& strip : strips) {
                            EXPECT_FALSE(meets(bar, strip)) << "page " << i + 1;
                            if (f.hasLabel) {
                                EXPECT_FALSE(meets(f.label.box(), strip)) << "page " << i + 1;
                            }
                        }
                        EXPECT_EQ(f.hasLabel, layout.tiled());
                        if (f.hasLabel) {
                            EXPECT_TRUE(inside(f.label.box(), w, h));
                            EXPECT_FALSE(meets(f.label.box(), bar));
                            EXPECT_NE(f.label.text.find("page " + std::to_string(i + 1) + " of " +
                                                        std::to_string(layout.pageCount())),
                                      std::string::npos);
                            if (spare > millimetresToPixels(40.0, ppi)) {
                                EXPECT_FALSE(meets(f.label.box(), rib));
                            }
                        }
                        EXPECT_NEAR(f.scaleBar.length, (p.metric ? 100.0 / 25.4 : 4.0) * ppi, 1.0);
                    }
                    // Each cross is printed on both pages of its overlap (four
                    // where two strips cross).
                    EXPECT_GE(crossesSeen, 2 * static_cast<int>(layout.registration.size()));
                    if (layout.columns > 1) {
                        EXPECT_GE(layout.registration.size(), 3u * (layout.columns - 1));
                    }
                }
    EXPECT_GT(tiledLayouts, 100);
}

TEST(PrintLayout, LabelsNameTheRibAndAbsurdChordsAreRefused) {
    EXPECT_EQ(pageLabelText(" CLARK Y AIRFOIL\r", 300.0f, true, 2, 3), "CLARK Y AIRFOIL   300 mm   page 2 of 3");
    EXPECT_EQ(pageLabelText("", 12.5f, false, 1, 2), "Untitled   12.5 in   page 1 of 2");
    EXPECT_EQ(pageLabelText("E387", 149.999f, true, 1, 2), "E387   150 mm   page 1 of 2");

    stored::LoadedRib rib("asb__clarky.dat", kDefaultRibProperties);
    for (float chord : {1.0e5f, 1.0e30f, std::numeric_limits<float>::infinity()}) {
        RibProperties p = kDefaultRibProperties;
        p.chord = chord;
        rib.doc.applyProperties(p);
        const PrintLayout layout = layoutPrint(rib.doc.picture(), 600, 600, 4660, 6714);
        EXPECT_EQ(layout.status, PrintLayoutStatus::TooManyPages) << chord;
        EXPECT_GT(layout.pagesNeeded, kMaxPrintPages);
        RecordingDeviceContext dc(600, 600, 4660, 6714);
        EXPECT_FALSE(printLayoutPage(rib.doc.picture(), dc, layout, 0));
        EXPECT_TRUE(dc.calls.empty());
    }
    // Hostile chords lay out within the page limit and print every page.
    for (float chord : {-1.0e30f, -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                        -300.0f, 0.0f, 1.0e-30f}) {
        RibProperties p = kDefaultRibProperties;
        p.chord = chord;
        p.leadingEdgeStyle = 1;
        p.sparStyle = 2;
        rib.doc.applyProperties(p);
        const PrintLayout layout = layoutPrint(rib.doc.picture(), 600, 600, 4660, 6714);
        ASSERT_NE(layout.status, PrintLayoutStatus::Refused) << chord;
        EXPECT_LE(layout.pageCount(), kMaxPrintPages) << chord;
        for (int i = 0; i < layout.pageCount(); ++i) {
            RecordingDeviceContext dc(600, 600, 4660, 6714);
            EXPECT_TRUE(printLayoutPage(rib.doc.picture(), dc, layout, i)) << chord;
        }
    }
    // Non-square pixels and an empty document: nothing to lay out.
    EXPECT_EQ(layoutPrint(rib.doc.picture(), 600, 300, 4660, 6714).status, PrintLayoutStatus::Refused);
    AirfoilDocument empty;
    EXPECT_EQ(layoutPrint(empty.picture(), 600, 600, 4660, 6714).status, PrintLayoutStatus::Refused);
}
