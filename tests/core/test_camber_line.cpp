// SPDX-License-Identifier: GPL-3.0-or-later
// The mean camber line, over the whole airfoil corpus: mirror images,
// symmetric sections and the camber the NACA four-digit names promise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "model/CamberLine.h"
#include "model/CoordinateFile.h"
#include "support/Airfoils.h"

using namespace parvelin;
namespace fs = std::filesystem;

namespace {

struct CorpusAirfoil {
    std::string name;
    std::vector<AirfoilPoint> points;
};

std::vector<CorpusAirfoil> corpus() {
    std::vector<CorpusAirfoil> airfoils;
    for (const fs::directory_entry& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR)) {
        const CoordinateFileContents contents = readCoordinateFile(entry.path().string());
        if (contents.status != ReadStatus::Loaded) continue;
        CorpusAirfoil a{entry.path().filename().string(), {}};
        for (const CoordinatePair& p : contents.drawingOrder) a.points.push_back(AirfoilPoint{p.modelX, p.modelY});
        airfoils.push_back(std::move(a));
    }
    std::sort(airfoils.begin(), airfoils.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return airfoils;
}

std::size_t noseOf(const std::vector<AirfoilPoint>& points) {
    std::size_t nose = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].modelX < points[nose].modelX) nose = i;
    return nose;
}

} // namespace

TEST(CamberLine, RunsAftFromTheNoseInsideEveryCorpusAirfoilAndFlipsWithIt) {
    int withTwoSurfaces = 0;
    for (const CorpusAirfoil& a : corpus()) {
        SCOPED_TRACE(a.name);
        const std::vector<CamberPoint> line = camberLine(a.points);
        // A file read as one surface only (its nose at an end of the list)
        // has no camber line.
        const std::size_t nose = noseOf(a.points);
        if (nose == 0 || nose + 1 == a.points.size()) {
            EXPECT_TRUE(line.empty());
            continue;
        }
        ++withTwoSurfaces;
        ASSERT_GE(line.size(), 2u);
        // From the nose as far aft as both surfaces reach (files cut short at
        // the reader's size limit lose the end of their lower surface),
        // stations strictly increasing.
        float upperReach = 0.0f, lowerReach = 0.0f;
        // A list closed on its first point: that point is the upper surface's.
        std::size_t end = a.points.size();
        if (a.points.back().modelX == a.points.front().modelX && a.points.back().modelY == a.points.front().modelY) --end;
        for (std::size_t i = 0; i < end; ++i)
            (i <= nose ? upperReach : lowerReach) = std::max(i <= nose ? upperReach : lowerReach, a.points[i].modelX);
        EXPECT_EQ(line.front().x, a.points[nose].modelX);
        EXPECT_EQ(line.back().x, std::min(upperReach, lowerReach));
        for (std::size_t i = 1; i < line.size(); ++i) EXPECT_LT(line[i - 1].x, line[i].x);
        // A camber line never leaves the section: at most half its thickness
        // from the chord, which no real airfoil exceeds by 30 %.
        for (const CamberPoint& c : line) EXPECT_LT(std::abs(c.y), 0.15);

        // The mirror image across the chord line has the mirrored camber line.
        std::vector<AirfoilPoint> mirrored = a.points;
        for (AirfoilPoint& p : mirrored) p.modelY = -p.modelY;
        const std::vector<CamberPoint> flipped = camberLine(mirrored);
        ASSERT_EQ(flipped.size(), line.size());
        for (std::size_t i = 0; i < line.size(); ++i) {
            EXPECT_EQ(flipped[i].x, line[i].x);
            EXPECT_NEAR(flipped[i].y, -line[i].y, 1e-12);
        }
    }
    EXPECT_GE(withTwoSurfaces, 30);
}

TEST(CamberLine, OfASymmetricSectionLiesOnTheChordLine) {
    // Every corpus airfoil's upper surface with its own mirror image as the
    // lower surface (the nose put on the chord line), plus the symmetric
    // sections of the corpus as they are.
    int symmetricFiles = 0;
    for (const CorpusAirfoil& a : corpus()) {
        SCOPED_TRACE(a.name);
        const std::size_t nose = noseOf(a.points);
        if (nose == 0) continue;
        std::vector<AirfoilPoint> symmetric(a.points.begin(), a.points.begin() + static_cast<long>(nose) + 1);
        symmetric.back().modelY = 0.0f;
        for (std::size_t i = nose; i-- > 0;)
            symmetric.push_back(AirfoilPoint{a.points[i].modelX, -a.points[i].modelY});
        std::vector<std::vector<AirfoilPoint>> cases{symmetric};
        if (a.name.find("0012") != std::string::npos) {
            cases.push_back(a.points);
            ++symmetricFiles;
        }
        for (const std::vector<AirfoilPoint>& points : cases) {
            const std::vector<CamberPoint> line = camberLine(points);
            ASSERT_FALSE(line.empty());
            for (const CamberPoint& c : line) EXPECT_NEAR(c.y, 0.0, 1e-6) << "at x " << c.x;
        }
    }
    EXPECT_GE(symmetricFiles, 1);
}

TEST(CamberLine, NacaFourDigitFilesHaveTheCamberTheirNamesGive) {
    // NACA MPxx: maximum camber M % of the chord at P tenths of the chord.
    struct Expected {
        const char* file;
        double camber;
        double station;
    };
    const Expected expected[] = {{"asb__naca2412.dat", 0.02, 0.4},
                                 {"wd__naca4415.dat", 0.04, 0.4},
                                 {"suave__NACA_4412.txt", 0.04, 0.4}};
    const std::vector<CorpusAirfoil> airfoils = corpus();
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.file);
        const auto it = std::find_if(airfoils.begin(), airfoils.end(), [&](const auto& a) { return a.name == e.file; });
        ASSERT_NE(it, airfoils.end());
        const std::vector<CamberPoint> line = camberLine(it->points);
        const auto top = std::max_element(line.begin(), line.end(), [](auto& a, auto& b) { return a.y < b.y; });
        EXPECT_NEAR(top->y, e.camber, 0.0015);
        EXPECT_NEAR(top->x, e.station, 0.06);
    }
}

TEST(CamberLine, IsEmptyWithoutTwoSurfaces) {
    using parvelin::testing::airfoil;
    EXPECT_TRUE(camberLine({}).empty());
    EXPECT_TRUE(camberLine(airfoil({{1, 0}, {0, 0}})).empty());
    // The nose at either end of the list: only one surface.
    EXPECT_TRUE(camberLine(airfoil({{0, 0}, {0.5, 0.1}, {1, 0}})).empty());
    EXPECT_TRUE(camberLine(airfoil({{1, 0}, {0.5, 0.1}, {0, 0}})).empty());
    // Not-a-number coordinates give no stations rather than a line through them.
    const float nan = std::nanf("");
    EXPECT_TRUE(camberLine(airfoil({{1, 0}, {nan, 0.1f}, {nan, 0}, {nan, -0.1f}, {1, 0}})).empty());
}
