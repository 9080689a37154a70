// SPDX-License-Identifier: GPL-3.0-or-later
// Every airfoil of the corpus with every style of every component: the
// outlines stay finite, draw, and export.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "support/ShownDocument.h"
#include "support/Recorders.h"

using namespace parvelin;
using parvelin::testing::RecordingDeviceContext;
using parvelin::testing::RecordingWindow;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> corpusFiles() {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool finite(const ComponentOutline& outline) {
    for (const OutlineSegment& s : outline)
        if (!std::isfinite(s.modelX) || !std::isfinite(s.modelY)) return false;
    return true;
}

} // namespace

TEST(ComponentSweep, EveryCorpusFileWithEveryStyleStaysFinite) {
    const std::vector<fs::path> files = corpusFiles();
    ASSERT_FALSE(files.empty());
    int loaded = 0;
    int builtOutlines = 0;
    for (const fs::path& file : files) {
        const CoordinateFileContents contents = readCoordinateFile(file.string());
        if (contents.status != ReadStatus::Loaded) continue;
        ++loaded;
        RecordingWindow window;
        parvelin::testing::ShownDocument doc(window);
        doc.take(contents);

        RibProperties p = kDefaultRibProperties;
        for (float chord : {100.0f, 200.0f})
            for (int percent : {0, 1})
                for (int le = 0; le <= 4; ++le)
                    for (int spar = 0; spar <= 2; ++spar)
                        for (int te = 0; te <= 3; ++te)
                            for (int sheeting = 0; sheeting <= 4; ++sheeting) {
                                p.chord = chord;
                                p.sparDistanceInPercent = percent;
                                p.leadingEdgeStyle = le;
                                p.sparStyle = spar;
                                p.trailingEdgeStyle = te;
                                p.sheetingStyle = sheeting;
                                doc.applyProperties(p);
                                const std::string where = file.filename().string() + " chord " +
                                                          std::to_string(chord) + " percent " +
                                                          std::to_string(percent) + " styles " +
                                                          std::to_string(le) + std::to_string(spar) +
                                                          std::to_string(te) + std::to_string(sheeting);
                                ASSERT_TRUE(finite(doc.leadingEdge().outline())) << where;
                                ASSERT_TRUE(finite(doc.trailingEdge().outline())) << where;
                                ASSERT_TRUE(finite(doc.spars().outline())) << where;
                                ASSERT_TRUE(finite(doc.sheeting().outline())) << where;
                                builtOutlines += !doc.trailingEdge().outline().empty();
                                builtOutlines += !doc.spars().outline().empty();

                                RecordingDeviceContext dc;
                                doc.paint(dc);
                                const DxfWriter drawing = ribDxfDrawing(doc.rib());
                                ASSERT_TRUE(drawing.allFinite()) << where;
                            }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(builtOutlines, 0);
}

TEST(ComponentSweep, AbsurdSizesKeepOutlinesWellFormed) {
    // Sizes no page would produce: the walks still stop at the list's ends,
    // the outlines keep their shapes' node counts, and device coordinates
    // saturate instead of overflowing.
    const CoordinateFileContents contents =
        readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat");
    ASSERT_EQ(contents.status, ReadStatus::Loaded);
    RecordingWindow window;
    parvelin::testing::ShownDocument doc(window);
    doc.take(contents);
    const std::size_t pointCount = doc.points().size();

    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float chord : {0.0f, 1e-30f, -100.0f, inf, nan})
        for (float size : {0.0f, -50.0f, 1e30f, 3e38f})
            for (int style = 0; style <= 4; ++style) {
                RibProperties p = kDefaultRibProperties;
                p.chord = chord;
                p.leadingEdgeStyle = p.trailingEdgeStyle = p.sparStyle = p.sheetingStyle = style;
                p.leadingEdgeDepth = p.leadingEdgeHeight = p.sparDistance = p.sparWidth = p.sparHeight = size;
                p.trailingEdgeWidth = p.trailingEdgeHeight = p.sheetingThickness = size;
                p.sparDistanceInPercent = style % 2;
                doc.applyProperties(p);
                EXPECT_LE(doc.leadingEdge().outline().size(), 5u);
                const std::size_t spar = doc.spars().outline().size();
                EXPECT_TRUE(spar == 0 || spar == 5 || spar == 10) << spar;
                // Two inner lines of at most one point per airfoil point each,
                // their starts and two crossings.
                EXPECT_LE(doc.trailingEdge().outline().size(), 2 * pointCount + 4);
                RecordingDeviceContext dc;
                doc.paint(dc);
                RecordingDeviceContext printer(600, 600, 4800, 7000);
                printRib(printer, doc.picture());
                (void)ribDxfDrawing(doc.rib());
            }
}
