// SPDX-License-Identifier: GPL-3.0-or-later
// Wing panels: the rib stations, the blended sections, the building tabs, the
// sheets the ribs are nested on, and the files of a set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "support/PolygonDistance.h"
#include "wing/AirfoilBlend.h"
#include "wing/AirfoilSurfaces.h"
#include "wing/RibSet.h"
#include "wing/WingFiles.h"

using namespace parvelin;
using namespace parvelin::wing;
namespace fs = std::filesystem;

namespace {

std::vector<AirfoilPoint> toPoints(const CoordinateFileContents& contents) {
    std::vector<AirfoilPoint> points = contents.drawingOrder;
    return points;
}

std::vector<AirfoilPoint> section(const char* file) {
    return toPoints(readCoordinateFile((fs::path(PARVELIN_AIRFOIL_DIR) / file).string()));
}

// Every loadable airfoil of the corpus, by file name.
const std::map<std::string, std::vector<AirfoilPoint>>& corpus() {
    static const std::map<std::string, std::vector<AirfoilPoint>> sections = [] {
        std::map<std::string, std::vector<AirfoilPoint>> m;
        for (const fs::directory_entry& e : fs::directory_iterator(PARVELIN_AIRFOIL_DIR)) {
            const CoordinateFileContents c = readCoordinateFile(e.path().string());
            if (c.status == ReadStatus::Loaded) m[e.path().filename().string()] = toPoints(c);
        }
        return m;
    }();
    return sections;
}

// The distance from v to the polyline through the points in drawing order.
double distanceToOutline(const std::vector<AirfoilPoint>& points, Vec2 v) {
    double best = INFINITY;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const double ax = points[i].modelX, ay = points[i].modelY;
        const double dx = points[i + 1].modelX - ax, dy = points[i + 1].modelY - ay;
        const double length2 = dx * dx + dy * dy;
        const double t = length2 > 0 ? std::clamp(((v.x - ax) * dx + (v.y - ay) * dy) / length2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(ax + t * dx - v.x, ay + t * dy - v.y));
    }
    return best;
}

// The nesting's options for a kerf, the first layout only (no search).
NestOptions quickOptions(double kerf, bool metric) {
    NestOptions options = nestOptions(kerf, metric);
    options.seconds = 0.0;
    return options;
}

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// A point of the rib's frame in the building frame: the rib turned nose down
// by its washout about its trailing edge (chord, 0).
Vec2 onBoard(Vec2 p, double chord, double washoutDegrees) {
    const double w = radians(washoutDegrees);
    const double dx = p.x - chord;
    return Vec2{chord + dx * std::cos(w) - p.y * std::sin(w), dx * std::sin(w) + p.y * std::cos(w)};
}

// Whether v lies inside the closed polygon (even-odd crossings).
bool inside(const Polygon& polygon, Vec2 v) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Vec2 a = polygon[i], b = polygon[j];
        if ((a.y > v.y) != (b.y > v.y) && v.x < a.x + (v.y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
    }
    return in;
}

RibProperties everyComponent() {
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = 2;
    p.sparStyle = 1;
    p.trailingEdgeStyle = 3;
    p.sheetingStyle = 4;
    p.sparWidth = 4.0f;
    return p;
}

struct Scratch {
    fs::path path;
    Scratch() {
        char pattern[] = "/tmp/parvelin-wing-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(WingPanel, RibsTakeChordSparAndWashoutFromStraightLinesOverTheSpan) {
    int panels = 0;
    for (double span : {300.0, 1000.5})
        for (auto [root, tip] : {std::pair{200.0, 120.0}, std::pair{90.0, 150.0}, std::pair{133.3, 133.3}})
            for (double spacing : {0.0, 30.0, 77.0})
                for (int count : {2, 3, 7, 40, 500})
                    for (bool percent : {false, true}) {
                        if (spacing > 0.0 && count != 2) continue;
                        WingPanel panel;
                        panel.span = span;
                        panel.rootChord = root;
                        panel.tipChord = tip;
                        panel.ribCount = count;
                        panel.ribSpacing = spacing;
                        panel.sweep = 55.0;
                        panel.sparInPercent = percent;
                        panel.sparRoot = percent ? 25.0 : 40.0;
                        panel.sparTip = percent ? 35.0 : 20.0;
                        panel.washout = 3.0;
                        ASSERT_EQ(validatePanel(panel), "");
                        const std::vector<RibStation> ribs = ribStations(panel);
                        ++panels;
                        const std::size_t expected =
                            spacing == 0.0 ? std::size_t(count)
                                           : std::size_t(std::ceil(span / spacing - 1e-9)) + 1;
                        ASSERT_EQ(ribs.size(), expected) << span << " " << spacing;
                        EXPECT_EQ(ribs.front().chord, root);
                        EXPECT_EQ(ribs.back().chord, tip);
                        EXPECT_EQ(ribs.front().station, 0.0);
                        EXPECT_EQ(ribs.back().station, span);
                        const double sparRoot = percent ? 0.25 * root : 40.0;
                        const double sparTip = percent ? 0.35 * tip : 20.0;
                        for (std::size_t i = 0; i < ribs.size(); ++i) {
                            const RibStation& r = ribs[i];
                            const double t = r.station / span;
                            EXPECT_EQ(r.number, int(i) + 1);
                            EXPECT_NEAR(r.chord, root + (tip - root) * t, 1e-9);
                            EXPECT_NEAR(r.washout, 3.0 * t, 1e-12);
                            // The spar's front edge in plan lies on the line
                            // from its root point to its tip point.
                            EXPECT_NEAR(r.leadingEdge + r.sparDistance, sparRoot + (55.0 + sparTip - sparRoot) * t, 1e-9);
                            if (i > 0) {
                                const double gap = r.station - ribs[i - 1].station;
                                EXPECT_GT(gap, 0.0);
                                if (spacing > 0.0 && i + 1 < ribs.size()) {
                                    EXPECT_NEAR(gap, spacing, 1e-9);
                                }
                                if (spacing > 0.0) {
                                    EXPECT_LE(gap, spacing + 1e-9);
                                }
                            }
                        }
                    }
    EXPECT_EQ(panels, 84);
}

TEST(WingPanel, BadValuesAreRefusedWithAMessageThatNamesThem) {
    struct Case {
        WingPanel panel;
        const char* words;
    };
    auto with = [](auto change) {
        WingPanel p;
        change(p);
        return p;
    };
    const std::vector<Case> cases{
        {with([](WingPanel& p) { p.span = 0; }), "span"},
        {with([](WingPanel& p) { p.span = -300; }), "span"},
        {with([](WingPanel& p) { p.span = std::nan(""); }), "span"},
        {with([](WingPanel& p) { p.rootChord = 0; }), "root chord"},
        {with([](WingPanel& p) { p.tipChord = -1; }), "tip chord"},
        {with([](WingPanel& p) { p.tipChord = INFINITY; }), "tip chord"},
        {with([](WingPanel& p) { p.ribCount = 1; }), "at least 2"},
        {with([](WingPanel& p) { p.ribCount = -4; }), "at least 2"},
        {with([](WingPanel& p) { p.ribCount = 501; }), "at most 500"},
        {with([](WingPanel& p) { p.ribSpacing = 0.5; }), "at most 500"},
        {with([](WingPanel& p) { p.ribSpacing = 1e-300; }), "at most 500"},
        {with([](WingPanel& p) { p.ribSpacing = -30; }), "spacing"},
        {with([](WingPanel& p) { p.washout = 60; }), "washout"},
        {with([](WingPanel& p) { p.sparTip = -3; }), "spar"},
    };
    const std::vector<AirfoilPoint> clarkY = section("asb__clarky.dat");
    for (const Case& c : cases) {
        const std::string message = validatePanel(c.panel);
        EXPECT_NE(message.find(c.words), std::string::npos) << message;
        EXPECT_TRUE(ribStations(c.panel).empty());
        const RibSet set = buildRibSet(c.panel, kDefaultRibProperties, clarkY);
        EXPECT_EQ(set.error, message);
        EXPECT_TRUE(set.ribs.empty());
    }
    // A section far beyond any sheet is refused, not laid out.
    for (float huge : {1e20f, INFINITY}) {
        std::vector<AirfoilPoint> wild = clarkY;
        wild[5].modelY = huge;
        const RibSet set = buildRibSet(WingPanel{}, kDefaultRibProperties, wild);
        EXPECT_NE(set.error.find("too large"), std::string::npos) << set.error;
        EXPECT_TRUE(set.ribs.empty());
    }
    for (int count : {2, 500}) {
        WingPanel p;
        p.ribCount = count;
        EXPECT_EQ(validatePanel(p), "");
        EXPECT_EQ(ribStations(p).size(), std::size_t(count));
    }
}

// Each rib is the rib a document computes from the same points and
// properties; lengths stay lengths and the spar notches follow the spar line.
TEST(RibSet, EveryRibIsTheDocumentsOwnRibAtItsStation) {
    WingPanel panel;
    panel.span = 600;
    panel.rootChord = 220;
    panel.tipChord = 110;
    panel.ribCount = 7;
    panel.sweep = 30;
    panel.sparInPercent = true;
    panel.sparRoot = 30;
    panel.sparTip = 40;
    RibProperties document = everyComponent();
    document.height = 0.0f;  // no tabs: the drawings must match byte for byte
    const std::vector<AirfoilPoint> root = section("asb__clarky.dat");
    const std::vector<AirfoilPoint> tip = section("asb__naca2412.dat");
    for (bool blended : {false, true}) {
        const RibSet set = buildRibSet(panel, document, root, blended ? tip : std::vector<AirfoilPoint>{});
        ASSERT_EQ(set.error, "");
        ASSERT_EQ(set.ribs.size(), 7u);
        for (const WingRib& rib : set.ribs) {
            EXPECT_EQ(rib.properties.sparWidth, document.sparWidth);
            EXPECT_EQ(rib.properties.sheetingThickness, document.sheetingThickness);
            EXPECT_EQ(rib.properties.chord, static_cast<float>(rib.station.chord));

            AirfoilDocument single;
            CoordinateFileContents contents;
            for (const AirfoilPoint& p : rib.points) contents.drawingOrder.push_back({p.modelX, p.modelY});
            single.takeContents(contents);
            single.applyProperties(rib.properties);
            EXPECT_EQ(ribDrawing(rib).text(), ribDxfDrawing(single.rib()).text()) << rib.name();

            // The stick spar's notches: front edge on the spar line, width as given.
            const ComponentOutline& notch = rib.spars.outline();
            ASSERT_EQ(notch.size(), 10u);
            const double c = rib.properties.chord;
            EXPECT_NEAR(notch[1].modelX * c, rib.station.sparDistance, 1e-3);
            EXPECT_NEAR((notch[0].modelX - notch[1].modelX) * c, document.sparWidth, 1e-3);
        }
        if (blended) {
            auto same = [](const std::vector<AirfoilPoint>& a, const std::vector<AirfoilPoint>& b) {
                return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const AirfoilPoint& u, const AirfoilPoint& v) {
                    return u.modelX == v.modelX && u.modelY == v.modelY;
                });
            };
            EXPECT_TRUE(same(set.ribs.front().points, root));
            EXPECT_TRUE(same(set.ribs.back().points, tip));
        }
    }
}

TEST(AirfoilBlend, ASectionBlendedWithItselfIsItselfAndBlendsAreSymmetric) {
    const auto& sections = corpus();
    ASSERT_GT(sections.size(), 30u);
    const std::vector<AirfoilPoint>* previous = nullptr;
    for (const auto& [name, points] : sections) {
        const AirfoilSurfaces own = splitSurfaces(points);
        for (double t : {0.0, 0.37, 1.0}) {
            const std::vector<AirfoilPoint> blended = blendAirfoils(points, points, t);
            ASSERT_GE(blended.size(), 2u * kBlendStations - 1) << name;
            EXPECT_EQ(blended.front().modelX, points.front().modelX) << name;
            EXPECT_EQ(blended.front().modelY, points.front().modelY) << name;
            const AirfoilSurfaces b = splitSurfaces(blended);
            EXPECT_EQ(b.closed, own.closed) << name;
            for (const AirfoilPoint& v : blended)
                EXPECT_LT(distanceToOutline(points, Vec2{v.modelX, v.modelY}), 2e-7) << name << " x=" << v.modelX;
            EXPECT_EQ(b.upper.back(), own.upper.back()) << name;
            EXPECT_EQ(b.lower.back(), own.lower.back()) << name;
        }
        if (previous != nullptr) {
            // Root to tip at t is tip to root at 1 - t.
            const std::vector<AirfoilPoint> ab = blendAirfoils(*previous, points, 0.3);
            const std::vector<AirfoilPoint> ba = blendAirfoils(points, *previous, 0.7);
            for (const AirfoilPoint& v : ab) EXPECT_LT(distanceToOutline(ba, Vec2{v.modelX, v.modelY}), 1e-6) << name;
            for (const AirfoilPoint& v : ba) EXPECT_LT(distanceToOutline(ab, Vec2{v.modelX, v.modelY}), 1e-6) << name;
        }
        previous = &points;
    }
}

// The tabs' bottoms stand on the board: turned into the building frame (the
// rib nose down by its washout about its trailing edge) they lie at the
// board height below the trailing edge, for every section and every style.
TEST(BuildingTabs, BottomsStandOnTheBoardAndTabsKeepClearOfTheNotches) {
    int ribsWithTabs = 0;
    for (const auto& [name, points] : corpus())
        for (double washout : {0.0, 1.5, -3.0})
            for (int percent : {0, 1})
                for (int le : {0, 2})
                    for (int spar : {0, 1, 2})
                        for (int te : {0, 3}) {
                            RibProperties p = kDefaultRibProperties;
                            p.chord = 180.0f;
                            p.height = percent == 1 ? 9.0f : 14.0f;
                            p.heightInPercent = percent;
                            p.leadingEdgeStyle = le;
                            p.sparStyle = spar;
                            p.trailingEdgeStyle = te;
                            const double board = percent == 1 ? 0.09 * 180.0 : 14.0;
                            const BuildingTabs tabs = buildingTabs(points, p, washout);
                            if (!tabs.error.empty()) {
                                // Only a section that dips far below its chord
                                // line may reach the board.
                                EXPECT_NE(tabs.error.find("building board"), std::string::npos) << name;
                                continue;
                            }
                            ++ribsWithTabs;
                            ASSERT_EQ(tabs.tabs.size(), 2u) << name;
                            const AirfoilSurfaces s = splitSurfaces(points);
                            for (const BuildingTab& tab : tabs.tabs) {
                                for (int corner : {0, 1})
                                    EXPECT_NEAR(onBoard(tab.polygon[corner], 180.0, washout).y, -board, 1e-9) << name;
                                const double mid = 0.5 * (tab.front + tab.back);
                                EXPECT_GT(heightAt(s.lower, mid / 180.0) * 180.0, tab.polygon[0].y) << name;
                                if (spar != 0) {
                                    const double d = p.sparDistance;
                                    EXPECT_TRUE(tab.back < d || tab.front > d + p.sparWidth) << name;
                                }
                                if (le != 0) {
                                    EXPECT_GT(tab.front, 2.0 * p.leadingEdgeDepth);
                                }
                                if (te != 0) {
                                    EXPECT_LT(tab.back, 180.0 - p.trailingEdgeWidth);
                                }
                            }
                            const Polygon outline = joinOutline(airfoilPolygon(points, 180.0), tabs.tabs);
                            const Box box = bounds(outline);
                            EXPECT_NEAR(box.minY, std::min(tabs.tabs[0].polygon[0].y, tabs.tabs[1].polygon[1].y), 1e-3)
                                << name;
                            EXPECT_GT(signedArea(outline), std::abs(signedArea(airfoilPolygon(points, 180.0)))) << name;
                        }
    EXPECT_GT(ribsWithTabs, 1500);
}

TEST(BuildingTabs, WashoutShortensTheTipRibsFrontTab) {
    const std::vector<AirfoilPoint> clarkY = section("asb__clarky.dat");
    RibProperties p = kDefaultRibProperties;
    p.height = 10.0f;
    const AirfoilSurfaces s = splitSurfaces(clarkY);
    auto frontLength = [&](double washout) {
        const BuildingTabs tabs = buildingTabs(clarkY, p, washout);
        EXPECT_EQ(tabs.error, "");
        const BuildingTab& front = tabs.tabs.at(0);
        EXPECT_NEAR(front.front, 12.0, 1e-9);  // nothing to keep clear of: the nominal place
        return heightAt(s.lower, front.front / 100.0) * 100.0 - front.polygon[0].y;
    };
    // Washout 0: every tab reaches 10 below the chord line.
    const BuildingTabs flat = buildingTabs(clarkY, p, 0.0);
    for (const BuildingTab& tab : flat.tabs) {
        EXPECT_DOUBLE_EQ(tab.polygon[0].y, -10.0);
    }
    // 3 degrees nose down: the front tab, 88 mm ahead of the trailing edge,
    // is 88 tan 3 = 4.61 mm shorter (and 0.014 longer from the turned board).
    EXPECT_NEAR(frontLength(0.0) - frontLength(3.0), 4.598, 0.002);

    p.height = 2.0f;
    EXPECT_NE(buildingTabs(clarkY, p, 3.0).error.find("raise the Height"), std::string::npos);
    // In a set, such ribs are still built, without tabs, and the first is named.
    WingPanel panel;
    panel.washout = 3.0;
    const RibSet set = buildRibSet(panel, p, clarkY);
    EXPECT_EQ(set.error, "");
    EXPECT_EQ(set.tabProblem.rfind("Rib R1: ", 0), 0u) << set.tabProblem;
    ASSERT_EQ(set.ribs.size(), std::size_t(panel.ribCount));
    for (const WingRib& rib : set.ribs) EXPECT_TRUE(rib.tabs.empty());
    p.height = 10.0f;
    p.sparStyle = 2;
    p.sparWidth = 70.0f;
    p.sparDistance = 10.0f;
    EXPECT_NE(buildingTabs(clarkY, p, 0.0).error.find("no room"), std::string::npos);
}

TEST(Nesting, PartsNeverOverlapStayOnTheSheetAndEachIsPlacedOnce) {
    const std::vector<AirfoilPoint> clarkY = section("asb__clarky.dat");
    const std::vector<AirfoilPoint> tip = section("asb__e205.dat");
    int sheetsChecked = 0;
    int turned = 0;
    for (int count : {2, 9, 40})
        for (WingSide side : {WingSide::Left, WingSide::Both})
            for (SheetSize sheet : {SheetSize{600, 100}, SheetSize{260, 75}, SheetSize{1000, 300}})
                for (double kerf : {0.0, 0.3}) {
                    WingPanel panel;
                    panel.span = 700;
                    panel.rootChord = 240;
                    panel.tipChord = 120;
                    panel.ribCount = count;
                    panel.side = side;
                    panel.washout = 2.0;
                    // The spar moves back over the label's usual place.
                    panel.sparInPercent = true;
                    panel.sparRoot = 28;
                    panel.sparTip = 36;
                    RibProperties p = everyComponent();
                    p.height = 12.0f;
                    const RibSet set = buildRibSet(panel, p, clarkY, tip);
                    ASSERT_EQ(set.error, "");
                    ASSERT_EQ(set.tabProblem, "");
                    // Each rib is cut: one simple outline inside the airfoil and
                    // its tabs, smaller than they are, open at the spar notch,
                    // whole under each tab.
                    for (const WingRib& rib : set.ribs) {
                        const double c = rib.properties.chord;
                        const Polygon whole = joinOutline(airfoilPolygon(rib.points, c), rib.tabs);
                        const double area = std::abs(signedArea(rib.outline));
                        EXPECT_NEAR(overlapArea(rib.outline, rib.outline), area, 1e-6 * area) << rib.name();
                        EXPECT_NEAR(overlapArea(rib.outline, whole), area, 1e-6 * area) << rib.name();
                        EXPECT_LT(area, std::abs(signedArea(whole)) - p.sparWidth * p.sparHeight) << rib.name();
                        const AirfoilSurfaces s = splitSurfaces(rib.points);
                        const double notchX = rib.station.sparDistance + 0.5 * p.sparWidth;
                        const double below = p.sheetingThickness + 1.0;
                        EXPECT_FALSE(inside(rib.outline, Vec2{notchX, heightAt(s.upper, notchX / c) * c - below}))
                            << rib.name();
                        EXPECT_FALSE(inside(rib.outline, Vec2{notchX, heightAt(s.lower, notchX / c) * c + below}))
                            << rib.name();
                        EXPECT_TRUE(inside(rib.outline, Vec2{notchX - p.sparWidth, heightAt(s.upper, notchX / c) * c - below}))
                            << rib.name();
                        // Its label stands on the rib: the corners of the text's box.
                        ASSERT_GT(rib.labelHeight, 0.0) << rib.name();
                        const double w = 0.7 * rib.labelHeight * static_cast<double>(rib.name().size() + 2);
                        const Vec2 at = rib.labelAt;
                        for (const Vec2 corner : {at, Vec2{at.x + w, at.y}, Vec2{at.x, at.y + rib.labelHeight},
                                                  Vec2{at.x + w, at.y + rib.labelHeight}})
                            EXPECT_TRUE(inside(rib.outline, corner)) << rib.name() << " label at " << at.x << ", " << at.y;
                        ASSERT_EQ(rib.tabs.size(), 2u);
                        for (const BuildingTab& tab : rib.tabs) {
                            const double x = 0.5 * (tab.front + tab.back);
                            const double board = boardLineY(c, boardDistance(rib.properties), rib.station.washout, x);
                            EXPECT_TRUE(inside(rib.outline, Vec2{x, board + 0.2})) << rib.name();
                        }
                    }
                    const std::vector<NestPart> parts = nestPartsOf(set, side);
                    ASSERT_EQ(parts.size(), set.ribs.size() * (side == WingSide::Both ? 2 : 1));
                    const NestOptions options = quickOptions(kerf, true);
                    const double gap = options.gap;
                    const double margin = options.margin;
                    const Nesting nesting = nestParts(parts, sheet, options);
                    ASSERT_EQ(nesting.error, "");
                    std::vector<std::string> labels;
                    for (const Sheet& s : nesting.sheets) {
                        ++sheetsChecked;
                        ASSERT_FALSE(s.parts.empty());
                        for (std::size_t i = 0; i < s.parts.size(); ++i) {
                            const PlacedPart& a = s.parts[i];
                            labels.push_back(a.label);
                            const Box box = bounds(a.outline);
                            EXPECT_GE(box.minX, margin - 1e-9);
                            EXPECT_GE(box.minY, margin - 1e-9);
                            EXPECT_LE(box.maxX, sheet.width - margin + 1e-9);
                            EXPECT_LE(box.maxY, sheet.height - margin + 1e-9);
                            // The part's cut path, moved: half the kerf outside the part.
                            EXPECT_NEAR(std::abs(signedArea(a.outline)),
                                        std::abs(signedArea(cutPath(parts[a.part].outline, kerf))), 1e-6);
                            // Its label, upright, on the part however it was turned.
                            const double w = labelWidth(a.labelHeight, a.label.size());
                            for (const Vec2 corner : {a.labelAt, Vec2{a.labelAt.x + w, a.labelAt.y + a.labelHeight}})
                                EXPECT_TRUE(inside(a.outline, corner)) << a.label << (a.turned ? " turned" : "");
                            turned += a.turned;
                            for (std::size_t j = i + 1; j < s.parts.size(); ++j) {
                                const PlacedPart& b = s.parts[j];
                                EXPECT_EQ(overlapArea(a.outline, b.outline), 0.0) << a.label << " " << b.label;
                                // The gap between the outlines themselves (the boxes
                                // may overlap: a turned rib settles over another).
                                const Box other = bounds(b.outline);
                                const double boxesApart = std::max({other.minX - box.maxX, box.minX - other.maxX,
                                                                    other.minY - box.maxY, box.minY - other.maxY});
                                if (boxesApart < gap) {
                                    EXPECT_GE(parvelin::testing::outlineDistance(a.outline, b.outline), gap - 1e-9)
                                        << a.label << " " << b.label;
                                }
                            }
                        }
                    }
                    std::vector<std::string> expected;
                    for (const NestPart& part : parts) expected.push_back(part.label);
                    std::sort(labels.begin(), labels.end());
                    std::sort(expected.begin(), expected.end());
                    EXPECT_EQ(labels, expected);
                    // A sheet shorter than the root rib with its tabs is refused by name.
                    const Nesting refused = nestParts(parts, SheetSize{200, 100}, options);
                    EXPECT_NE(refused.error.find("too small for R1 "), std::string::npos) << refused.error;
                    EXPECT_TRUE(refused.sheets.empty());
                }
    EXPECT_GT(sheetsChecked, 36);
    EXPECT_GT(turned, 0);  // the check above saw turned parts too
}

// The sheets' files hold one closed polyline and one label per part, in the
// chord's unit, and the output folder is written whole or not at all.
TEST(WingFiles, SheetsHoldEveryPartAndTheFolderIsWrittenWholeOrNotAtAll) {
    WingPanel panel;
    panel.ribCount = 12;
    RibProperties p = everyComponent();
    p.height = 8.0f;
    const RibSet set = buildRibSet(panel, p, section("asb__clarky.dat"));
    ASSERT_EQ(set.error, "");
    const SheetSize size{600, 100};
    const Nesting nesting = nestParts(nestPartsOf(set, WingSide::Both), size, quickOptions(0.2, true));
    ASSERT_EQ(nesting.error, "");
    std::size_t closedPolylines = 0;
    std::vector<OutputFile> files;
    for (const Sheet& sheet : nesting.sheets) {
        const std::string dxf = sheetDxf(sheet, true);
        const std::string svg = sheetSvg(sheet, size, true);
        // Group codes (right-aligned) and values alternate; an LWPOLYLINE's
        // 70 flag 1 closes it, each of its points a 10 and a 20.
        std::istringstream in(dxf);
        std::string code, value, entity;
        std::size_t texts = 0, vertices = 0;
        while (std::getline(in, code) && std::getline(in, value)) {
            code.erase(0, code.find_first_not_of(' '));
            if (code == "0") entity = value;
            if (code == "0" && value == "TEXT") ++texts;
            if (entity == "LWPOLYLINE" && code == "10") ++vertices;
            if (entity == "LWPOLYLINE" && code == "70" && value == "1") ++closedPolylines;
            if (code == "10" || code == "20") {
                EXPECT_EQ(value.find(','), std::string::npos) << value;
            }
        }
        EXPECT_EQ(texts, sheet.parts.size());
        std::size_t points = 0;
        for (const PlacedPart& part : sheet.parts) points += part.outline.size();
        EXPECT_EQ(vertices, points);
        EXPECT_NE(dxf.find("$INSUNITS\n 70\n4\n"), std::string::npos);
        EXPECT_NE(svg.find("width=\"600.000000mm\" height=\"100.000000mm\" viewBox=\"0.000000 -100.000000 600.000000 "
                           "100.000000\""),
                  std::string::npos);
        // Commas only between a point's x and y, never as a decimal sign.
        EXPECT_FALSE(std::regex_search(svg, std::regex("[0-9],[0-9]{6}[^0-9.]")));
        files.push_back({"sheet-" + std::to_string(files.size() + 1) + ".dxf", dxf});
    }
    EXPECT_EQ(closedPolylines, 2 * set.ribs.size());

    // Export of the whole set: every rib's own lines, each rib above the one before.
    std::vector<double> offsets;
    const DxfWriter drawing = setDrawing(set, &offsets);
    ASSERT_EQ(offsets.size(), set.ribs.size());
    int lines = 0;
    for (std::size_t i = 0; i < set.ribs.size(); ++i) {
        lines += ribDrawing(set.ribs[i]).lineCount();
        if (i == 0) continue;
        const Box below = bounds(translated(set.ribs[i - 1].outline, 0, offsets[i - 1]));
        const Box above = bounds(translated(set.ribs[i].outline, 0, offsets[i]));
        EXPECT_GT(above.minY, below.maxY + 1.0);
    }
    EXPECT_EQ(drawing.lineCount(), lines);
    EXPECT_EQ(drawing.text().rfind(kDxfTrailer), drawing.text().size() - kDxfTrailer.size());
    // Each rib is named once, inside its own place in the drawing.
    for (std::size_t i = 0; i < set.ribs.size(); ++i) {
        const WingRib& rib = set.ribs[i];
        const std::string name = "\n1\n" + rib.name() + "\n";
        const std::size_t at = drawing.text().find(name);
        ASSERT_NE(at, std::string::npos) << rib.name();
        EXPECT_EQ(drawing.text().find(name, at + 1), std::string::npos) << rib.name();
        EXPECT_TRUE(inside(translated(rib.outline, 0, offsets[i]), Vec2{rib.labelAt.x, rib.labelAt.y + offsets[i]}))
            << rib.name();
    }

    Scratch scratch;
    const fs::path out = scratch.path / "set";
    ASSERT_EQ(writeOutputFolder(out.string(), files), "");
    EXPECT_EQ(slurp(out / "sheet-1.dxf"), files[0].bytes);
    // Written once: the full folder is refused and keeps what it holds.
    std::vector<OutputFile> other = files;
    other[0].bytes = "changed";
    EXPECT_NE(writeOutputFolder(out.string(), other).find("not empty"), std::string::npos);
    EXPECT_EQ(slurp(out / "sheet-1.dxf"), files[0].bytes);
    // A write failing after others succeeded takes them back with the folder.
    other.push_back({"no-such-folder/x.dxf", "x"});
    const fs::path fresh = scratch.path / "fresh";
    EXPECT_NE(writeOutputFolder(fresh.string(), other), "");
    EXPECT_FALSE(fs::exists(fresh));
    // An empty folder that was there stays, empty.
    fs::create_directory(fresh);
    EXPECT_NE(writeOutputFolder(fresh.string(), other), "");
    EXPECT_TRUE(fs::is_directory(fresh));
    EXPECT_TRUE(fs::is_empty(fresh));

    // Export for Cutting of the set: one file per sheet beside the chosen
    // name (its extension in lower case), the same sheets; never over a file
    // that is there, all or nothing.
    const SheetSize small{260, 60};
    const Nesting onSmall = nestSet(set, WingSide::Both, small, quickOptions(0.2, true));
    ASSERT_GE(onSmall.sheets.size(), 2u);
    const fs::path beside = scratch.path / "cut";
    fs::create_directory(beside);
    std::vector<std::string> written;
    ASSERT_EQ(writeSheetFiles((beside / "wing.DXF").string(), onSmall, small, true, DxfVersion::R2000, &written), "");
    ASSERT_EQ(written.size(), onSmall.sheets.size());
    for (std::size_t s = 0; s < onSmall.sheets.size(); ++s)
        EXPECT_EQ(slurp(beside / ("wing-sheet-" + std::to_string(s + 1) + ".dxf")), sheetDxf(onSmall.sheets[s], true));
    EXPECT_NE(writeSheetFiles((beside / "wing.DXF").string(), onSmall, small, true), "");
    EXPECT_EQ(slurp(beside / "wing-sheet-1.dxf"), sheetDxf(onSmall.sheets[0], true));
    std::ofstream(beside / "other-sheet-2.svg") << "kept";
    EXPECT_NE(writeSheetFiles((beside / "other.svg").string(), onSmall, small, true), "");
    EXPECT_FALSE(fs::exists(beside / "other-sheet-1.svg"));
    EXPECT_EQ(slurp(beside / "other-sheet-2.svg"), "kept");
    EXPECT_NE(writeSheetFiles((beside / "wing.txt").string(), onSmall, small, true), "");
    const SheetSize tiny{100, 20};
    EXPECT_NE(writeSheetFiles((beside / "tiny.dxf").string(), nestSet(set, WingSide::Both, tiny, quickOptions(0.2, true)),
                              tiny, true)
                  .find("too small"),
              std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(beside), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(onSmall.sheets.size() + 1));
}

// A small set's first sheet against the stored one: the sections, the blend,
// the tabs, the outlines, the nesting and the SVG text together. The stored
// file is written anew only on purpose, with PARVELIN_REGENERATE_WING=1 set
// for this test, after a change of behaviour that is meant.
TEST(WingFiles, ASmallSetsSheetMatchesTheStoredOne) {
    WingPanel panel;
    panel.span = 480;
    panel.rootChord = 190;
    panel.tipChord = 120;
    panel.ribCount = 6;
    panel.sweep = 30;
    panel.washout = 1.5;
    panel.sparInPercent = true;
    panel.sparRoot = 28;
    panel.sparTip = 32;
    RibProperties p = everyComponent();
    p.height = 12.0f;
    const RibSet set = buildRibSet(panel, p, section("asb__clarky.dat"), section("asb__e205.dat"));
    ASSERT_EQ(set.error, "");
    ASSERT_EQ(set.tabProblem, "");
    const Nesting nesting = nestParts(nestPartsOf(set, WingSide::Both), SheetSize{}, quickOptions(0.2, true));
    ASSERT_EQ(nesting.error, "");
    const std::string svg = sheetSvg(nesting.sheets.at(0), SheetSize{}, true);
    const fs::path stored = fs::path(PARVELIN_SOURCE_DIR) / "tests/data/wing/clarky-e205-6-ribs-sheet-1.svg";
    if (std::getenv("PARVELIN_REGENERATE_WING") != nullptr) {
        fs::create_directories(stored.parent_path());
        std::ofstream(stored, std::ios::binary) << svg;
    }
    EXPECT_EQ(svg, slurp(stored));
}

TEST(WingCommand, WritesEveryRibTheSheetsAndThePdfIntoANewFolderOnly) {
    Scratch scratch;
    const fs::path out = scratch.path / "ribs";
    const std::string input = (fs::path(PARVELIN_AIRFOIL_DIR) / "asb__clarky.dat").string();
    auto run = [&](const std::string& options) {
        const std::string command = std::string("env -u DISPLAY QT_QPA_PLATFORM=offscreen ") + PARVELIN_CLI +
                                    " wing " + options + " '" + input + "' '" + out.string() + "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string panel = "--span 500 --root-chord 180 --tip-chord 110 --ribs 11 --set height=10 --set sparStyle=1 ";
    EXPECT_EQ(run(panel + "--ribs 1"), 1);
    EXPECT_EQ(run(panel + "--sheet 150x100"), 1);
    EXPECT_FALSE(fs::exists(out));

    ASSERT_EQ(run(panel + "--side left --kerf 0.2"), 0);
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(out)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 14u);
    EXPECT_EQ(names.front(), "asb__clarky-R01.dxf");
    EXPECT_EQ(names[10], "asb__clarky-R11.dxf");
    EXPECT_EQ(names[11], "ribs.pdf");
    EXPECT_EQ(names[12], "sheet-1.dxf");
    EXPECT_EQ(names[13], "sheet-1.svg");
    // The ribs that fit on a page share it: fewer pages than ribs.
    const std::string pdf = slurp(out / "ribs.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    std::size_t pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    EXPECT_GE(pages, 1u);
    EXPECT_LT(pages, 11u);
    const std::string first = slurp(out / "asb__clarky-R01.dxf");

    EXPECT_EQ(run(panel + "--tip-chord 90"), 1);  // never into a folder that holds files
    EXPECT_EQ(slurp(out / "asb__clarky-R01.dxf"), first);

    // Ribs longer than the portrait page go on several pages each, none cut off.
    const fs::path longOut = scratch.path / "long";
    const std::string command = std::string("env -u DISPLAY QT_QPA_PLATFORM=offscreen ") + PARVELIN_CLI +
                                " wing --span 600 --root-chord 400 --tip-chord 150 --ribs 5 --set height=30 "
                                "--sheet 800x150 '" + input + "' '" + longOut.string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string longPdf = slurp(longOut / "ribs.pdf");
    std::size_t longPages = 0;
    for (std::size_t at = longPdf.find("/Type /Page"); at != std::string::npos; at = longPdf.find("/Type /Page", at + 1))
        if (longPdf.compare(at, 12, "/Type /Pages") != 0) ++longPages;
    EXPECT_EQ(longPages, 10u);  // 3 + 2 + 2 + 2 + 1 on A4 portrait
}
