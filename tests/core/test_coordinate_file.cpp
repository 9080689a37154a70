// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/CoordinateFile.h"
#include "support/Recorders.h"

using namespace parvelin;

namespace {

std::vector<CoordinatePair> pairs(std::initializer_list<std::pair<float, float>> list) {
    std::vector<CoordinatePair> out;
    for (auto [x, y] : list) out.push_back({x, y});
    return out;
}

} // namespace

TEST(Reorder, FileStartingAtTheTrailingEdgeClosesOnItsFirstPoint) {
    // The file's own closing point is left out and its first point closes
    // the outline, also when the two trailing-edge points differ (Clark Y:
    // an open trailing edge 0.0012 chord thick).
    const auto in = pairs({{1, 0}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}, {1, 0}});
    EXPECT_EQ(reorderToDrawingOrder(in), pairs({{1, 0}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}, {1, 0}}));
    const auto open = pairs({{1, 0.0006f}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}, {0.99f, -0.001f}, {1, -0.0006f}});
    EXPECT_EQ(reorderToDrawingOrder(open),
              pairs({{1, 0.0006f}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}, {0.99f, -0.001f}, {1, 0.0006f}}));
}

TEST(Reorder, TwoBlocksFromTheLeadingEdge) {
    // Upper block 0 -> 1, then lower block 0 -> 1.
    const auto in = pairs({{0, 0}, {0.5f, 0.1f}, {1, 0.01f}, {0, 0}, {0.5f, -0.1f}, {1, -0.01f}});
    EXPECT_EQ(reorderToDrawingOrder(in),
              pairs({{1, 0.01f}, {0.5f, 0.1f}, {0, 0}, {0, 0}, {0.5f, -0.1f}, {1, 0.01f}}));
}

TEST(Reorder, LowerSurfaceReadBackwardsWhenTheNextBlockDoesNotStartAtTheNose) {
    // Upper 0 -> 1, then the lower surface written from the trailing edge forward.
    const auto in = pairs({{0, 0}, {0.5f, 0.1f}, {1, 0}, {0.9f, -0.02f}, {0.5f, -0.1f}, {0.1f, -0.05f}});
    EXPECT_EQ(reorderToDrawingOrder(in),
              pairs({{1, 0}, {0.5f, 0.1f}, {0, 0}, {0.1f, -0.05f}, {0.5f, -0.1f}, {0.9f, -0.02f}}));
}

TEST(Reorder, TheOtherSurfaceStopsAtItsOwnBlock) {
    // The second block has no point at x 0.0: its walk back from the end of
    // the file ends at the block's first point instead of running on through
    // the trailing edge into the first block (which would draw it twice).
    const auto in = pairs({{0, 0}, {0.5f, 0.05f}, {1, 0}, {0.5f, -0.05f}, {0.01f, -0.01f}});
    EXPECT_EQ(reorderToDrawingOrder(in),
              pairs({{1, 0}, {0.5f, 0.05f}, {0, 0}, {0.01f, -0.01f}, {0.5f, -0.05f}}));
}

TEST(Reorder, NoPointAtOneUsesTheLargestXAndNoWalkLeavesTheList) {
    // E387-like: nose not at 0, trailing edge at 0.99999.
    const auto in = pairs({{0.99999f, 0}, {0.5f, 0.1f}, {0.0004f, 0}, {0.5f, -0.1f}, {0.99999f, 0}});
    EXPECT_EQ(reorderToDrawingOrder(in),
              pairs({{0.99999f, 0}, {0.5f, 0.1f}, {0.0004f, 0}, {0.5f, -0.1f}, {0.99999f, 0}}));
    // Starting at the nose with no point at 0.0: the walk back stops at index 0.
    const auto fromNose = pairs({{0.001f, 0}, {0.5f, 0.1f}, {0.9f, 0}});
    EXPECT_EQ(reorderToDrawingOrder(fromNose), pairs({{0.9f, 0}, {0.5f, 0.1f}, {0.001f, 0}}));
    EXPECT_TRUE(reorderToDrawingOrder({}).empty());
    EXPECT_EQ(reorderToDrawingOrder(pairs({{0.3f, 0.2f}})).size(), 1u);
}

TEST(CoordinateFile, CrLfFileReadExactly) {
    const auto c = parseCoordinateFile("NACA 0012 test\r\n1.0 0.0\r\n0.5 0.05\r\n0.0 0.0\r\n0.5 -0.05\r\n1.0 0.0\r\n");
    EXPECT_EQ(c.status, ReadStatus::Loaded);
    EXPECT_EQ(c.name, "NACA 0012 test");
    EXPECT_EQ(c.accepted.size(), 5u);
    EXPECT_EQ(c.drawingOrder, pairs({{1, 0}, {0.5f, 0.05f}, {0, 0}, {0.5f, -0.05f}, {1, 0}}));
}

TEST(CoordinateFile, LineEndsOfEveryKindKeepTheWholeName) {
    for (const char* eol : {"\n", "\r", "\r\n"}) {
        std::string text = std::string("E387") + eol + "1 0" + eol + "0 0" + eol + "1 -0.01" + eol;
        const auto c = parseCoordinateFile(text);
        EXPECT_EQ(c.name, "E387") << "line end " << (eol[0] == '\n' ? "LF" : eol[1] ? "CRLF" : "CR");
        EXPECT_EQ(c.accepted.size(), 3u);
    }
}

TEST(CoordinateFile, AcceptanceRules) {
    // 1.0 is accepted, 1.0001 is not; negative x is; the count line of a
    // two-block file is skipped; a last line without a line end is read.
    const auto c = parseCoordinateFile("T\n 17. 17.\n1.0 0.0\n1.0001 0.5\n-0.01 0.0\n0.5 -0.1");
    EXPECT_EQ(c.accepted, pairs({{1, 0}, {-0.01f, 0}, {0.5f, -0.1f}}));
}

TEST(CoordinateFile, BlankLinesAreNotReadTwice) {
    const auto c = parseCoordinateFile("Two blocks\r\n\r\n0.0 0.0\r\n1.0 0.1\r\n\r\n0.0 0.0\r\n1.0 -0.1\r\n");
    EXPECT_EQ(c.accepted, pairs({{0, 0}, {1, 0.1f}, {0, 0}, {1, -0.1f}}));
}

TEST(CoordinateFile, SingleNumberTakesItsYFromTheNextLine) {
    const auto c = parseCoordinateFile("N\r\n0.5\r\n0.25\r\n1.0 0.0\r\n");
    // "0.5" pairs with "0.25"; then "0.25 1.0" is read from the next line.
    EXPECT_EQ(c.accepted, pairs({{0.5f, 0.25f}, {0.25f, 1.0f}, {1.0f, 0.0f}}));
}

TEST(CoordinateFile, BomIsNotPartOfTheNameAndLongNamesAreCut) {
    EXPECT_EQ(parseCoordinateFile("\xEF\xBB\xBF" "AG40d\n1 0\n0 0\n").name, "AG40d");
    const auto c = parseCoordinateFile(std::string(300, 'N') + "\n1 0\n0 0\n");
    EXPECT_EQ(c.name.size(), 255u);
}

TEST(CoordinateFile, RefusedFiles) {
    EXPECT_EQ(parseCoordinateFile(std::string(4097, ' ')).status, ReadStatus::TooLarge);
    EXPECT_EQ(parseCoordinateFile(std::string(4096, ' ')).status, ReadStatus::NoCoordinates);
    EXPECT_EQ(parseCoordinateFile("").status, ReadStatus::NoCoordinates);
    EXPECT_EQ(parseCoordinateFile("Name only\n").status, ReadStatus::NoCoordinates);
    EXPECT_EQ(parseCoordinateFile("One\n0.5 0.1\n").status, ReadStatus::NoCoordinates);
    EXPECT_EQ(parseCoordinateFile("Wide\n2 0\n3 0\n").status, ReadStatus::NoCoordinates);
    EXPECT_STREQ(readStatusMessage(ReadStatus::TooLarge), "The file is larger than 4096 bytes.\nNothing was loaded...");
    EXPECT_EQ(readCoordinateFile("/nonexistent/file.dat").status, ReadStatus::OpenFailed);
    EXPECT_EQ(readCoordinateFile("/").status, ReadStatus::OpenFailed);
}

// Every real airfoil file either loads, with its first and last drawing-order
// point found in the file, or is refused for a reason the file shows.
TEST(CoordinateFile, EveryFileOfTheCorpus) {
    namespace fs = std::filesystem;
    int loaded = 0;
    int refused = 0;
    for (const auto& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR)) {
        if (entry.path().filename() == "SOURCES.md") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto c = readCoordinateFile(entry.path().string());
        const std::string file = entry.path().filename().string();
        if (fs::file_size(entry.path()) > kMaxCoordinateFileSize) {
            EXPECT_EQ(c.status, ReadStatus::TooLarge);
            ++refused;
            continue;
        }
        // Two files hold no pair the reader accepts: x in percent of the
        // chord (every x > 1), and numbers separated by commas.
        if (file == "fca__naca2412.dat" || file == "wbat__rg15.dat") {
            EXPECT_EQ(c.status, ReadStatus::NoCoordinates);
            ++refused;
            continue;
        }
        ASSERT_EQ(c.status, ReadStatus::Loaded);
        ++loaded;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string first;
        std::getline(in, first);
        if (!first.empty() && first.back() == '\r') first.pop_back();
        if (first.rfind("\xEF\xBB\xBF", 0) == 0) first.erase(0, 3);
        EXPECT_EQ(c.name, first.substr(0, 255));
        ASSERT_GE(c.drawingOrder.size(), 2u);
        // The drawing order starts at the trailing edge: the largest x.
        float largest = c.accepted.front().modelX;
        for (const auto& p : c.accepted) largest = std::max(largest, p.modelX);
        EXPECT_EQ(c.drawingOrder.front().modelX, largest);
        // Every drawing-order point is one of the file's accepted pairs.
        for (const auto& p : {c.drawingOrder.front(), c.drawingOrder.back()})
            EXPECT_NE(std::find(c.accepted.begin(), c.accepted.end(), p), c.accepted.end());
        // A file that starts at its trailing edge closes: the outline ends
        // where it starts.
        if (c.accepted.front().modelX == 1.0f) {
            EXPECT_EQ(c.drawingOrder.back(), c.drawingOrder.front()) << file;
        }
        EXPECT_LE(c.drawingOrder.size(), c.accepted.size() + 1);
    }
    EXPECT_GT(loaded, 30);
    EXPECT_GT(refused, 0);
}
