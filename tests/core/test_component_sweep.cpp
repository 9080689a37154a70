// Every airfoil of the corpus with every style of every component: the
// outlines stay finite, draw, and export.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
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
        AirfoilDocument doc;
        doc.setWindow(&window);
        doc.takeContents(contents, &window);

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
                                const DxfWriter drawing = doc.dxfDrawing();
                                ASSERT_TRUE(drawing.allFinite()) << where;
                            }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(builtOutlines, 0);
}
