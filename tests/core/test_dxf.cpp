// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "dxf/DxfWriter.h"
#include "support/Recorders.h"

using namespace parvelin;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A scratch folder removed at the end of each test.
struct ScratchDir {
    fs::path path;
    ScratchDir() {
        path = fs::temp_directory_path() / ("parvelin-dxf-" + std::to_string(::getpid()) + "-" +
                                            std::to_string(counter++));
        fs::create_directories(path);
    }
    ~ScratchDir() { fs::remove_all(path); }
    static inline int counter = 0;
};

void loadPoints(AirfoilDocument& doc, std::initializer_list<std::pair<float, float>> pts) {
    CoordinateFileContents c;
    for (auto [x, y] : pts) c.drawingOrder.push_back({x, y});
    c.name = "test";
    doc.takeContents(c);
}

} // namespace

TEST(Dxf, TwoEntityExampleByteForByte) {
    AirfoilDocument doc;
    loadPoints(doc, {{1.0f, 0.0f}, {0.5f, 0.1f}, {0.0f, 0.0f}});
    const std::string expected = dxfHeader(true) +
        "0\nLINE\n8\nlines\n62\n7\n10\n100.000000\n20\n0.000000\n11\n50.000000\n21\n10.000000\n"
        "0\nLINE\n8\nlines\n62\n7\n10\n50.000000\n20\n10.000000\n11\n0.000000\n21\n0.000000\n"
        "0\nENDSEC\n0\nEOF";
    EXPECT_EQ(ribDxfDrawing(doc.rib()).text(), expected);
}

TEST(Dxf, HeaderAndTrailerText) {
    // The header names the unit ($INSUNITS 4 millimetres, 1 inches) and nothing else differs.
    EXPECT_TRUE(dxfHeader(true).starts_with("0\nSECTION\n2\nHEADER\n9\n$CECOLOR\n62\n0\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"));
    std::string inches = dxfHeader(false);
    EXPECT_TRUE(inches.starts_with("0\nSECTION\n2\nHEADER\n9\n$CECOLOR\n62\n0\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n"));
    inches.replace(inches.find("$INSUNITS\n70\n1\n"), 15, "$INSUNITS\n70\n4\n");
    EXPECT_EQ(inches, dxfHeader(true));
    EXPECT_TRUE(dxfHeader(true).ends_with("0\nSECTION\n2\nENTITIES\n"));
    EXPECT_EQ(dxfLineEntity(-1.5, -0.25, 2, 3),
              "0\nLINE\n8\nlines\n62\n7\n10\n-1.500000\n20\n-0.250000\n11\n2.000000\n21\n3.000000\n");
    AirfoilDocument doc;
    loadPoints(doc, {{1.0f, 0.0f}});
    EXPECT_EQ(ribDxfDrawing(doc.rib()).text(), dxfHeader(doc.properties().metric != 0) + std::string(kDxfTrailer));
}

TEST(Dxf, NeverOverwritesAndLeavesNothingHalfWritten) {
    ScratchDir dir;
    AirfoilDocument doc;
    loadPoints(doc, {{1.0f, 0.0f}, {0.0f, 0.0f}});
    const std::string path = (dir.path / "rib.dxf").string();
    EXPECT_EQ(writeRibDxfFile(path, doc.rib()), FileWriteResult::Written);
    const std::string first = slurp(path);
    EXPECT_TRUE(first.ends_with("EOF"));

    AirfoilDocument other;
    loadPoints(other, {{1.0f, 0.5f}, {0.0f, 0.0f}, {0.5f, 0.5f}});
    EXPECT_EQ(writeRibDxfFile(path, other.rib()), FileWriteResult::AlreadyExists);
    EXPECT_EQ(slurp(path), first);

    EXPECT_EQ(writeRibDxfFile((dir.path / "no" / "such" / "folder.dxf").string(), doc.rib()), FileWriteResult::CannotCreate);
}

TEST(Dxf, NonFiniteCoordinatesAreRefusedWithoutAFile) {
    ScratchDir dir;
    AirfoilDocument doc;
    loadPoints(doc, {{1.0f, 0.0f}, {0.0f, 0.0f}});
    RibProperties p = kDefaultRibProperties;
    p.chord = INFINITY;
    doc.applyProperties(p);
    const std::string path = (dir.path / "inf.dxf").string();
    EXPECT_EQ(writeRibDxfFile(path, doc.rib()), FileWriteResult::NotFinite);
    EXPECT_FALSE(fs::exists(path));
}

TEST(Dxf, SameBytesUnderAGermanLocale) {
    AirfoilDocument doc;
    loadPoints(doc, {{1.0f, 0.0f}, {0.5f, -0.1234567f}, {0.0f, 0.0f}});
    const std::string inC = ribDxfDrawing(doc.rib()).text();
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const std::string inGerman = ribDxfDrawing(doc.rib()).text();
    const auto reread = parseCoordinateFile("N\n1.5 0.25\n0.5 -0.125\n0 0\n");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(inGerman, inC);
    EXPECT_NE(inGerman.find("-12.345670"), std::string::npos);
    ASSERT_EQ(reread.accepted.size(), 2u);
    EXPECT_EQ(reread.accepted[0].modelY, -0.125f);
}
