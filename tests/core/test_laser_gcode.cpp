// SPDX-License-Identifier: GPL-3.0-or-later
// Laser G-code read back by a small interpreter of the tests' own: the beam
// is never on during a travel move, every contour closes where it began, a
// contour inside another is cut first, the path cut with the beam on is the
// cut outline grown by half the kerf, and S never exceeds the maximum.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "cut/CutFile.h"
#include "document/AirfoilDocument.h"
#include "machine/LaserGcode.h"
#include "machine/MachineJobs.h"
#include "machine/ToolPathSvg.h"
#include "support/GcodeReader.h"
#include "support/PolygonDistance.h"
#include "wing/Nesting.h"
#include "wing/RibSet.h"
#include "wing/WingFiles.h"
#include "wing/WingDesign.h"

namespace fs = std::filesystem;
using namespace parvelin;
using namespace parvelin::machine;
using parvelin::testing::GcodeRun;
using parvelin::testing::pointToSegment;
using parvelin::testing::readGcode;

namespace {

// A run of cutting moves with the beam on, between two times it is off.
using Trace = std::vector<Vec2>;

Vec2 xy(const std::map<char, double>& at) {
    const auto x = at.find('X'), y = at.find('Y');
    return Vec2{x == at.end() ? 0.0 : x->second, y == at.end() ? 0.0 : y->second};
}

// The traces of a run, and the file's faults against the rules of a laser file.
std::vector<Trace> checkedTraces(const std::string& text, double sMax) {
    const GcodeRun run = readGcode(text);
    EXPECT_TRUE(run.error.empty()) << run.error;
    EXPECT_LE(run.largestS, sMax);
    EXPECT_EQ(run.letters.count('Z'), 0u);
    EXPECT_EQ(run.letters.count('E'), 0u);
    if (run.codes.size() < 3) return {};
    EXPECT_EQ(run.codes[0], "G21");
    EXPECT_EQ(run.codes[1], "G90");
    std::vector<Trace> traces;
    bool open = false;
    for (const auto& m : run.moves) {
        EXPECT_FALSE(m.motion == 0 && m.beamOn) << "the beam is on during a travel move";
        if (m.motion == 1 && m.beamOn) {
            if (!open) traces.push_back({xy(m.from)});
            traces.back().push_back(xy(m.to));
            open = true;
        } else {
            open = false;
        }
    }
    // The head ends at the origin with the beam off.
    if (!run.moves.empty()) {
        const Vec2 end = xy(run.moves.back().to);
        EXPECT_EQ(run.moves.back().motion, 0);
        EXPECT_EQ(end.x, 0.0);
        EXPECT_EQ(end.y, 0.0);
    }
    const auto m5 = std::find(run.codes.rbegin(), run.codes.rend(), "M5");
    const auto on = std::find_if(run.codes.rbegin(), run.codes.rend(), [](const std::string& c) { return c == "M3" || c == "M4"; });
    EXPECT_TRUE(m5 < on) << "the file ends with the beam on";
    return traces;
}

bool insidePolygon(const Polygon& polygon, Vec2 p) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Vec2& a = polygon[i];
        const Vec2& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

double toPolygon(Vec2 p, const Polygon& polygon) {
    double best = INFINITY;
    for (std::size_t i = 0; i < polygon.size(); ++i)
        best = std::min(best, pointToSegment(p, polygon[i], polygon[(i + 1) % polygon.size()]));
    return best;
}

double toPolyline(Vec2 p, const Trace& line) {
    double best = INFINITY;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) best = std::min(best, pointToSegment(p, line[i], line[i + 1]));
    return best;
}

// Every trace closes, traces no contour after one it lies inside, and the
// traces are the contours, each exactly once, within `tolerance`.
void expectTracesAreContours(const std::vector<Trace>& traces, const std::vector<Polygon>& contours, double tolerance) {
    ASSERT_EQ(traces.size(), contours.size());
    std::vector<int> used(contours.size(), 0);
    for (std::size_t t = 0; t < traces.size(); ++t) {
        const Trace& trace = traces[t];
        ASSERT_GE(trace.size(), 4u);
        EXPECT_LE(std::hypot(trace.front().x - trace.back().x, trace.front().y - trace.back().y), 0.01)
            << "contour " << t << " does not close";
        // The contour it is: the one whose corners all lie on it.
        std::size_t match = contours.size();
        for (std::size_t c = 0; c < contours.size() && match == contours.size(); ++c) {
            bool all = true;
            for (const Vec2& p : trace) all = all && toPolygon(p, contours[c]) <= tolerance;
            for (const Vec2& q : contours[c]) all = all && toPolyline(q, trace) <= tolerance;
            if (all) match = c;
        }
        ASSERT_LT(match, contours.size()) << "trace " << t << " is none of the contours";
        ++used[match];
        // Nothing cut later lies inside it.
        Polygon polygon(trace.begin(), trace.end() - 1);
        for (std::size_t later = t + 1; later < traces.size(); ++later)
            EXPECT_FALSE(insidePolygon(polygon, traces[later].front()))
                << "contour " << later << " lies inside contour " << t << ", cut before it";
    }
    for (std::size_t c = 0; c < contours.size(); ++c) EXPECT_EQ(used[c], 1) << "contour " << c;
}

Polygon square(double x0, double y0, double size) {
    return {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
}

} // namespace

// Parts with holes, a part inside another part's hole, given outlines
// first: every hole is cut before the outline round it, the island before
// the hole round it, each contour the given number of times round.
TEST(LaserGcode, InnerContoursComeBeforeTheOutlinesRoundThem) {
    std::vector<Polygon> contours{
        square(0, 0, 100),      // part A
        square(150, 0, 100),    // part B
        square(10, 10, 20),     // holes of A
        square(60, 60, 30),
        square(160, 10, 80),    // a hole of B ...
        square(180, 30, 20),    // ... holding a small part C
        square(185, 35, 5),     // with a hole of its own
        square(300, 300, 10),   // a part far away
    };
    std::reverse(contours[1].begin(), contours[1].end());  // direction does not matter
    for (const int passes : {1, 3}) {
        LaserSettings settings;
        settings.feed = 1200;
        settings.power = 80;
        settings.passes = passes;
        const LaserProgram program = laserProgram(contours, settings, "test parts");
        ASSERT_TRUE(program.error.empty()) << program.error;
        const std::vector<Trace> traces = checkedTraces(program.text, settings.sMax);
        expectTracesAreContours(traces, contours, 0.01);
        for (const Trace& trace : traces) {
            // Round `passes` times: every corner of the contour passes by that often.
            EXPECT_EQ(trace.size() % 4, 1u);
            EXPECT_EQ((trace.size() - 1) / 4, static_cast<std::size_t>(passes));
        }
        // Power as asked: 80 % of 1000.
        EXPECT_NE(program.text.find("M4 S800\n"), std::string::npos);
        // The far part comes last: the parts are taken nearest first.
        EXPECT_LE(std::fabs(traces.back().front().x - 300.0), 10.0);
    }
}

// Every real airfoil under several builds, in millimetres and in inches,
// with and without kerf: the traced path is the cut outline grown by half
// the kerf (in millimetres), S stays within its maximum.
TEST(LaserGcode, TheTracedPathIsTheGrownCutOutlineForEveryAirfoil) {
    struct Build {
        int leadingEdge, spar, trailingEdge, sheeting, metric;
        float chord, kerf;
    };
    const Build builds[] = {
        {0, 0, 0, 0, 1, 200.0f, 0.0f},
        {1, 1, 2, 4, 1, 180.0f, 0.2f},
        {3, 2, 3, 1, 0, 8.0f, 0.008f},
    };
    int files = 0;
    for (const auto& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name == "SOURCES.md") continue;
        for (const Build& b : builds) {
            AirfoilDocument document;
            if (document.loadFile(entry.path().string()) != ReadStatus::Loaded) break;
            RibProperties p = kDefaultRibProperties;
            p.leadingEdgeStyle = b.leadingEdge;
            p.sparStyle = b.spar;
            p.trailingEdgeStyle = b.trailingEdge;
            p.sheetingStyle = b.sheeting;
            p.metric = b.metric;
            p.chord = b.chord;
            if (b.metric == 0) {
                p.sparWidth = p.sparHeight = 0.2f;
                p.sheetingThickness = 0.06f;
                p.leadingEdgeHeight = 0.4f;
                p.leadingEdgeDepth = 0.12f;
                p.trailingEdgeWidth = 0.8f;
                p.trailingEdgeHeight = 0.5f;
                p.sparDistance = 2.0f;
            }
            document.applyProperties(p);
            const CutDrawing drawing = cutDrawing(document, b.kerf);
            if (drawing.pieces == 0) continue;
            const std::vector<Polygon> contours = ribContours(drawing);
            ASSERT_EQ(contours.size(), 1u) << name;
            // Independently of ribContours: the drawing's own outline in
            // millimetres, its lowest and foremost points 1 mm from the origin.
            const double unit = b.metric == 1 ? 1.0 : 25.4;
            double left = INFINITY, bottom = INFINITY;
            for (const ModelPoint& q : drawing.outline) {
                left = std::min(left, q.x * unit);
                bottom = std::min(bottom, q.y * unit);
            }
            Polygon expected;
            for (const ModelPoint& q : drawing.outline)
                expected.push_back(Vec2{q.x * unit - left + 1.0, q.y * unit - bottom + 1.0});
            LaserSettings settings;
            settings.feed = 900;
            settings.power = 100;
            settings.sMax = 255;
            settings.constantPower = b.metric == 0;
            const LaserProgram program = laserProgram(contours, settings, drawing.label);
            ASSERT_TRUE(program.error.empty()) << name << ": " << program.error;
            SCOPED_TRACE(name);
            expectTracesAreContours(checkedTraces(program.text, settings.sMax), {expected}, 0.01);
            EXPECT_NE(program.text.find(b.metric == 0 ? "M3 S255\n" : "M4 S255\n"), std::string::npos);
            ++files;
        }
    }
    EXPECT_GT(files, 100);
}

// A wing design's ribs on their sheets: one program per sheet, each cutting
// every part on it once, on the cut path the nesting placed.
TEST(LaserGcode, AWingIsCutSheetBySheet) {
    const wing::WingDesignRead read =
        wing::readDesignWithWing(std::string(PARVELIN_SOURCE_DIR) + "/tests/data/rib_designs/clarky-wing.parvelin");
    ASSERT_TRUE(read.rib.loaded && read.wing);
    std::vector<AirfoilPoint> root, tip;
    for (const auto& p : read.rib.design.points) root.push_back(AirfoilPoint{p.modelX, p.modelY});
    for (const auto& p : read.wing->tipPoints) tip.push_back(AirfoilPoint{p.modelX, p.modelY});
    const wing::RibSet set = wing::buildRibSet(read.wing->panel, read.rib.design.properties, root, tip);
    ASSERT_TRUE(set.error.empty());
    const double kerf = 0.3;
    const SheetContours sheets = wingSheetContours(set, wing::WingSide::Both, wing::SheetSize{250, 60}, kerf, true);
    ASSERT_TRUE(sheets.error.empty()) << sheets.error;
    ASSERT_GE(sheets.sheets.size(), 2u);
    // The same nesting: each part's cut path, the part grown by half the kerf
    // (the nesting's own tests measure that growth).
    const wing::Nesting nesting = wing::nestParts(wing::nestPartsOf(set, wing::WingSide::Both), wing::SheetSize{250, 60},
                                                  wing::nestOptions(kerf, true));
    ASSERT_EQ(nesting.sheets.size(), sheets.sheets.size());
    std::size_t parts = 0;
    for (std::size_t s = 0; s < sheets.sheets.size(); ++s) {
        const std::vector<Polygon>& sheet = sheets.sheets[s];
        ASSERT_EQ(sheet.size(), nesting.sheets[s].parts.size());
        // Cut on the nesting's cut paths, where they were placed.
        for (std::size_t k = 0; k < sheet.size(); ++k) {
            ASSERT_EQ(sheet[k].size(), nesting.sheets[s].parts[k].outline.size());
            for (std::size_t i = 0; i < sheet[k].size(); ++i) {
                EXPECT_NEAR(sheet[k][i].x, nesting.sheets[s].parts[k].outline[i].x, 1e-9);
                EXPECT_NEAR(sheet[k][i].y, nesting.sheets[s].parts[k].outline[i].y, 1e-9);
            }
        }
        LaserSettings settings;
        settings.feed = 600;
        settings.power = 55;
        const LaserProgram program = laserProgram(sheet, settings, "sheet");
        ASSERT_TRUE(program.error.empty());
        expectTracesAreContours(checkedTraces(program.text, settings.sMax), sheet, 0.01);
        parts += sheet.size();
        // The preview draws one red path a contour and the travel in grey.
        const std::string svg = laserPreviewSvg(program.path, PreviewArea{250, 60}, "sheet");
        std::size_t red = 0;
        for (std::size_t at = svg.find("#e00000"); at != std::string::npos; at = svg.find("#e00000", at + 1)) ++red;
        EXPECT_EQ(red, sheet.size());
        EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
    }
    EXPECT_EQ(parts, 2 * set.ribs.size());
}

TEST(LaserGcode, BadSettingsAreRefusedByName) {
    const std::vector<Polygon> contours{square(0, 0, 10)};
    struct Case {
        LaserSettings settings;
        const char* setting;
    };
    auto with = [](auto change) {
        LaserSettings s;
        s.feed = 1000;
        change(s);
        return s;
    };
    const Case cases[] = {
        {with([](LaserSettings& s) { s.feed = 0; }), "feed"},
        {with([](LaserSettings& s) { s.feed = NAN; }), "feed"},
        {with([](LaserSettings& s) { s.power = 100.5; }), "power"},
        {with([](LaserSettings& s) { s.power = 0; }), "power"},
        {with([](LaserSettings& s) { s.sMax = 0; }), "s-max"},
        {with([](LaserSettings& s) { s.sMax = 1; s.power = 0.5; }), "power"},
        {with([](LaserSettings& s) { s.passes = 0; }), "passes"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(laserSettingsProblem(c.settings).setting, c.setting);
        const LaserProgram program = laserProgram(contours, c.settings, "x");
        EXPECT_FALSE(program.error.empty());
        EXPECT_TRUE(program.text.empty());
    }
    LaserSettings fine;
    fine.feed = 1000;
    EXPECT_FALSE(laserSettingsProblem(fine));
    EXPECT_FALSE(laserProgram({}, fine, "x").error.empty());
    EXPECT_FALSE(laserProgram({{{0, 0}, {1, NAN}, {0, 1}}}, fine, "x").error.empty());
    // The S never exceeds the maximum, however the percentage rounds.
    fine.sMax = 1.4;
    fine.power = 99.99;
    EXPECT_LE(laserS(fine), 1);
}
