// SPDX-License-Identifier: GPL-3.0-or-later
// Hot-wire G-code read back by the tests' own interpreter: both ends move
// in every move, the root and tip traces are the sections (grown by half
// the kerf at each end) once the projection out to the towers is undone,
// the faster end runs at the feed, and no axis leaves the machine's travel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "machine/HotwireGcode.h"
#include "machine/ToolPathSvg.h"
#include "support/GcodeReader.h"
#include "support/PolygonDistance.h"
#include "wing/WingDesign.h"

using namespace parvelin;
using namespace parvelin::machine;
using parvelin::testing::GcodeRun;
using parvelin::testing::pointToSegment;
using parvelin::testing::readGcode;

namespace {

struct Ends {
    std::vector<Vec2> left, right;  // each move's end on each tower
    std::vector<double> feeds;      // the F of each cutting move
    std::vector<bool> cutting;
    double travelLowest = INFINITY;  // the lowest height a travel move runs across at
};

// Reads the file; every move must name all four axes.
Ends readEnds(const std::string& text, const std::string& axes, const HotwireSettings& settings) {
    const GcodeRun run = readGcode(text);
    EXPECT_TRUE(run.error.empty()) << run.error;
    Ends ends;
    for (const auto& m : run.moves) {
        EXPECT_EQ(m.named.size(), 4u) << "a move that leaves an end behind";
        for (const char axis : axes) EXPECT_EQ(m.named.count(axis), 1u);
        const Vec2 p{m.to.at(axes[0]), m.to.at(axes[1])};
        const Vec2 q{m.to.at(axes[2]), m.to.at(axes[3])};
        for (const Vec2& v : {p, q}) {
            EXPECT_GE(v.x, 0.0);
            EXPECT_GE(v.y, 0.0);
            EXPECT_LE(v.x, settings.travelX);
            EXPECT_LE(v.y, settings.travelY);
        }
        // The faster end runs at the feed, F taken along all four axes.
        if (m.motion == 1 && m.from.size() == 4) {
            const double dp = std::hypot(p.x - m.from.at(axes[0]), p.y - m.from.at(axes[1]));
            const double dq = std::hypot(q.x - m.from.at(axes[2]), q.y - m.from.at(axes[3]));
            const double minutes = std::hypot(dp, dq) / m.feed;
            if (std::max(dp, dq) > 0.05) {
                EXPECT_NEAR(std::max(dp, dq) / minutes, settings.feed, 0.002 * settings.feed);
            }
        }
        // Travel runs straight up or down at X 0 (in front of the block), or level.
        if (m.motion == 0 && m.from.size() == 4) {
            const Vec2 fp{m.from.at(axes[0]), m.from.at(axes[1])};
            const Vec2 fq{m.from.at(axes[2]), m.from.at(axes[3])};
            const bool vertical = fp.x == 0.0 && p.x == 0.0 && fq.x == 0.0 && q.x == 0.0;
            const bool level = fp.y == p.y && fq.y == q.y;
            EXPECT_TRUE(vertical || level) << "a travel move across the block";
            if (!vertical) ends.travelLowest = std::min({ends.travelLowest, p.y, q.y});
        }
        ends.left.push_back(p);
        ends.right.push_back(q);
        ends.cutting.push_back(m.motion == 1);
    }
    return ends;
}

double toPolygon(Vec2 p, const Polygon& polygon) {
    double best = INFINITY;
    for (std::size_t i = 0; i < polygon.size(); ++i)
        best = std::min(best, pointToSegment(p, polygon[i], polygon[(i + 1) % polygon.size()]));
    return best;
}

bool same(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y) < 1e-9; }

// The profile within the moves: the innermost stretch that both ends
// leave from and come back to (the lead-in comes and goes the same way
// round it, so it is not part of it).
void loopOf(const Ends& ends, std::vector<Vec2>& left, std::vector<Vec2>& right) {
    for (std::size_t i = ends.left.size(); i-- > 0;)
        for (std::size_t j = ends.left.size(); j-- > i + 2;)
            if (ends.cutting[i] && ends.cutting[j] && same(ends.left[i], ends.left[j]) && same(ends.right[i], ends.right[j])) {
                left.assign(ends.left.begin() + static_cast<std::ptrdiff_t>(i), ends.left.begin() + static_cast<std::ptrdiff_t>(j) + 1);
                right.assign(ends.right.begin() + static_cast<std::ptrdiff_t>(i), ends.right.begin() + static_cast<std::ptrdiff_t>(j) + 1);
                return;
            }
}

// The section at distance z along the wire, from the two towers' points.
std::vector<Vec2> unprojected(const std::vector<Vec2>& left, const std::vector<Vec2>& right, double z, double L,
                              Vec2 offset) {
    std::vector<Vec2> out;
    for (std::size_t i = 0; i < left.size(); ++i)
        out.push_back(Vec2{left[i].x + (right[i].x - left[i].x) * z / L - offset.x,
                           left[i].y + (right[i].y - left[i].y) * z / L - offset.y});
    return out;
}

// The largest distance from the trace's points to the section, and from the
// section's corners to the trace.
double traceDeviation(const std::vector<Vec2>& trace, const Polygon& section, double kerfHalf) {
    double worst = 0.0;
    for (const Vec2& p : trace) worst = std::max(worst, std::fabs(toPolygon(p, section) - kerfHalf));
    if (kerfHalf == 0.0) {
        const Polygon loop(trace.begin(), trace.end() - 1);
        for (const Vec2& q : section) worst = std::max(worst, toPolygon(q, loop));
    }
    return worst;
}

struct Airfoils {
    std::vector<AirfoilPoint> root, tip;
    wing::WingPanel panel;
};

Airfoils designAirfoils() {
    const wing::WingDesignRead read =
        wing::readDesignWithWing(std::string(PARVELIN_SOURCE_DIR) + "/tests/data/rib_designs/clarky-wing.parvelin");
    Airfoils a;
    EXPECT_TRUE(read.rib.loaded && read.wing);
    if (!read.wing) return a;
    for (const auto& p : read.rib.design.points) a.root.push_back(AirfoilPoint{p.modelX, p.modelY});
    for (const auto& p : read.wing->tipPoints) a.tip.push_back(AirfoilPoint{p.modelX, p.modelY});
    a.panel = read.wing->panel;
    return a;
}

} // namespace

// The sample wing (Clark Y root, a five-point tip, sweep, washout) cut as a
// right and a left panel, with and without kerf, on XYUV and XYZA machines:
// the traces undo to the sections within 0.05 mm.
TEST(HotwireGcode, TheTracesAreTheSectionsOnceTheProjectionIsUndone) {
    const Airfoils a = designAirfoils();
    struct Case {
        bool rootAtLeft;
        double kerfRoot, kerfTip, washout, offset;
        const char* axes;
    };
    const Case cases[] = {
        {true, 0.0, 0.0, 0.0, 100.0, "XYUV"},
        {false, 0.0, 0.0, 3.0, 40.0, "XYZA"},
        {true, 0.8, 1.4, 1.5, NAN, "XYUV"},
        {false, 1.0, 1.0, -2.0, 250.0, "UVXY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.axes);
        wing::WingPanel panel = a.panel;
        panel.washout = c.washout;
        const CoreSections core = coreSections(a.root, a.tip, panel, 1.0);
        HotwireSettings settings;
        settings.feed = 300;
        settings.towerDistance = 800;
        settings.panelOffset = c.offset;
        settings.kerfRoot = c.kerfRoot;
        settings.kerfTip = c.kerfTip;
        settings.axes = c.axes;
        settings.heat = 60;
        const HotwireProgram program = hotwireProgram(core, settings, c.rootAtLeft, "test core");
        ASSERT_TRUE(program.error.empty()) << program.error;
        EXPECT_NE(program.text.find("M3 S600\n"), std::string::npos);
        const Ends ends = readEnds(program.text, c.axes, settings);
        std::vector<Vec2> left, right;
        loopOf(ends, left, right);
        ASSERT_GT(left.size(), core.root.size());
        // Where root and tip stand along the wire, from the settings alone.
        const double near = std::isnan(c.offset) ? (800 - core.span) / 2 : c.offset;
        const double zRoot = c.rootAtLeft ? near : near + core.span;
        const double zTip = c.rootAtLeft ? near + core.span : near;
        EXPECT_LE(traceDeviation(unprojected(left, right, zRoot, 800, program.offset), core.root, c.kerfRoot / 2), 0.05);
        EXPECT_LE(traceDeviation(unprojected(left, right, zTip, 800, program.offset), core.tip, c.kerfTip / 2), 0.05);
        // Travel runs above the whole path, and the file ends at the origin.
        for (const std::vector<Vec2>* loop : {&left, &right})
            for (const Vec2& p : *loop) EXPECT_GT(ends.travelLowest, p.y);
        EXPECT_FALSE(ends.cutting.front());
        EXPECT_TRUE(same(ends.left.back(), Vec2{0, 0}) && same(ends.right.back(), Vec2{0, 0}));
        // The preview draws both ends.
        const std::string svg = hotwirePreviewSvg(program.path, PreviewArea{1000, 300}, "core");
        EXPECT_NE(svg.find("#e00000"), std::string::npos);
        EXPECT_NE(svg.find("#0040e0"), std::string::npos);
    }
}

// The sections are sections of the design: chords, sweep and washout.
TEST(HotwireGcode, SectionsTakeChordSweepAndWashout) {
    Airfoils a = designAirfoils();
    a.panel.washout = 4.0;
    const CoreSections core = coreSections(a.root, a.tip, a.panel, 25.4);
    EXPECT_DOUBLE_EQ(core.span, a.panel.span * 25.4);
    auto extent = [](const Polygon& p) {
        wing::Box box = wing::bounds(p);
        return box;
    };
    const wing::Box root = extent(core.root);
    EXPECT_NEAR(root.minX, 0.0, 1e-6);
    EXPECT_NEAR(root.width(), a.panel.rootChord * 25.4, 0.01 * a.panel.rootChord * 25.4);
    // The tip turned nose down about its trailing edge: its nose lies below
    // the trailing edge by about chord * sin(washout).
    Vec2 nose = core.tip.front(), tail = core.tip.front();
    for (const Vec2& p : core.tip) {
        if (p.x < nose.x) nose = p;
        if (p.x > tail.x) tail = p;
    }
    const double chord = a.panel.tipChord * 25.4;
    EXPECT_NEAR(tail.x, (a.panel.sweep + a.panel.tipChord) * 25.4, 0.01 * chord);
    EXPECT_NEAR(tail.y - nose.y, chord * std::sin(4.0 * 3.14159265358979 / 180.0), 0.02 * chord);
    EXPECT_GT(wing::signedArea(core.root), 0.0);
    EXPECT_GT(wing::signedArea(core.tip), 0.0);
}

// Matched by arc length: the noses and the trailing edges meet at the same
// index, and each point stands at the same fraction along its surface.
TEST(HotwireGcode, MatchedLoopsMeetAtTheirCorners) {
    const Airfoils a = designAirfoils();
    wing::WingPanel panel = a.panel;
    panel.washout = 2.0;
    const CoreSections core = coreSections(a.root, a.tip, panel, 1.0);
    for (const double kerf : {0.0, 1.2}) {
        const auto [r, t] = matchedLoops(grownSection(core.root, kerf / 2), grownSection(core.tip, kerf / 2));
        ASSERT_EQ(r.size(), t.size());
        ASSERT_GT(r.size(), 10u);
        EXPECT_TRUE(same(r.front(), r.back()));
        EXPECT_TRUE(same(t.front(), t.back()));
        auto noseIndex = [](const Polygon& p) {
            return static_cast<std::size_t>(std::min_element(p.begin(), p.end(), [](Vec2 u, Vec2 v) { return u.x < v.x; }) - p.begin());
        };
        const std::size_t nose = noseIndex(r);
        EXPECT_EQ(nose, noseIndex(t));
        // Fractions along each surface agree point by point.
        for (const auto& [from, to] : {std::pair{std::size_t{0}, nose}, std::pair{nose, r.size() - 1}}) {
            auto fractions = [&](const Polygon& p) {
                std::vector<double> f{0.0};
                for (std::size_t i = from + 1; i <= to; ++i)
                    f.push_back(f.back() + std::hypot(p[i].x - p[i - 1].x, p[i].y - p[i - 1].y));
                for (double& v : f) v /= f.back();
                return f;
            };
            const std::vector<double> fr = fractions(r), ft = fractions(t);
            for (std::size_t i = 0; i < fr.size(); ++i) EXPECT_NEAR(fr[i], ft[i], 1e-6);
        }
    }
}

TEST(HotwireGcode, BadSettingsAreRefusedByName) {
    const Airfoils a = designAirfoils();
    const CoreSections core = coreSections(a.root, a.tip, a.panel, 1.0);
    auto with = [](auto change) {
        HotwireSettings s;
        s.feed = 250;
        s.towerDistance = 900;
        change(s);
        return s;
    };
    struct Case {
        HotwireSettings settings;
        const char* setting;
    };
    const Case cases[] = {
        {with([](HotwireSettings& s) { s.feed = 0; }), "feed"},
        {with([](HotwireSettings& s) { s.towerDistance = 449; }), "tower-distance"},
        {with([](HotwireSettings& s) { s.panelOffset = 451; }), "panel-offset"},
        {with([](HotwireSettings& s) { s.panelOffset = -1; }), "panel-offset"},
        {with([](HotwireSettings& s) { s.kerfTip = -0.1; }), "kerf"},
        {with([](HotwireSettings& s) { s.axes = "XYXV"; }), "axes"},
        {with([](HotwireSettings& s) { s.axes = "XYF"; }), "axes"},
        {with([](HotwireSettings& s) { s.axes = "XYGV"; }), "axes"},
        {with([](HotwireSettings& s) { s.heat = 101; }), "heat"},
        {with([](HotwireSettings& s) { s.travelY = 0; }), "travel"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hotwireSettingsProblem(c.settings, core.span).setting, c.setting);
        const HotwireProgram program = hotwireProgram(core, c.settings, true, "x");
        EXPECT_FALSE(program.error.empty());
        EXPECT_TRUE(program.text.empty());
    }
    // Settings that are sound but a core the machine cannot reach.
    for (const HotwireSettings& s : {with([](HotwireSettings& s) { s.travelX = 100; }),
                                     with([](HotwireSettings& s) { s.travelY = 40; }),
                                     with([](HotwireSettings& s) { s.safeHeight = 5; })}) {
        const HotwireProgram program = hotwireProgram(core, s, true, "x");
        EXPECT_FALSE(program.error.empty());
        EXPECT_TRUE(program.text.empty());
    }
}
