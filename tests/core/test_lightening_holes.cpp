// SPDX-License-Identifier: GPL-3.0-or-later
// Lightening holes over the corpus: every airfoil with every hole style, at
// several chords, with several sets of components. Each hole keeps the
// margin from the skin and the web from every notch, band, edge piece and
// other hole (all measured), and the outline with its holes stays a set of
// simple contours, none crossing another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "components/LighteningHoles.h"
#include "cut/CutFile.h"
#include "document/AirfoilDocument.h"
#include "model/PropertyChecks.h"
#include "geom/Polygon.h"
#include "document/RibDesignFile.h"
#include "model/RibPropertyFields.h"
#include "machine/MachineJobs.h"
#include "wing/RibSet.h"
#include "wing/WingFiles.h"

using namespace parvelin;
namespace fs = std::filesystem;

namespace {

// Measured distances may fall short of the asked ones by Clipper's integer
// grid and nothing more (in chords: 2e-7 mm on a 200 mm rib).
constexpr double kGrid = 1e-9;

double segmentDistance(const ModelPoint& p, const ModelPoint& a, const ModelPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

bool inside(const ModelPolygon& polygon, const ModelPoint& p) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const ModelPoint& a = polygon[i];
        const ModelPoint& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

// The least distance between the edges of two polygons.
double distance(const ModelPolygon& a, const ModelPolygon& b) {
    double best = 1e300;
    for (int pass = 0; pass < 2; ++pass) {
        const ModelPolygon& from = pass == 0 ? a : b;
        const ModelPolygon& to = pass == 0 ? b : a;
        for (const ModelPoint& p : from)
            for (std::size_t i = 0; i < to.size(); ++i)
                best = std::min(best, segmentDistance(p, to[i], to[(i + 1) % to.size()]));
    }
    return best;
}

// Crossings are decided on Clipper's grid (every outline and hole lies on
// it), in whole numbers, so that nearly parallel edges are judged exactly.
bool segmentsCross(const ModelPoint& a, const ModelPoint& b, const ModelPoint& c, const ModelPoint& d) {
    const auto grid = [](double v) { return std::llround(v * 1e8); };
    const auto side = [&](const ModelPoint& p, const ModelPoint& q, const ModelPoint& r) {
        const long long v = (grid(q.x) - grid(p.x)) * (grid(r.y) - grid(p.y)) -
                            (grid(q.y) - grid(p.y)) * (grid(r.x) - grid(p.x));
        return (v > 0) - (v < 0);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

bool simplePolygon(const ModelPolygon& polygon) {
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;
            if (segmentsCross(polygon[i], polygon[i + 1], polygon[j], polygon[(j + 1) % n])) return false;
        }
    return true;
}

struct ComponentSet {
    const char* name;
    int leadingEdge, spar, trailingEdge, sheeting;
};

constexpr ComponentSet kComponentSets[] = {
    {"bare", 0, 0, 0, 0},
    {"LE stock, stick spar, TE stock", 3, 1, 3, 0},
    {"round LE, stock spar, sheeted TE, top sheeting", 1, 2, 1, 1},
    {"rectangular LE, stick spar, sheeted bottom, fully sheeted", 4, 1, 2, 4},
};

std::vector<fs::path> corpusFiles() {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

RibProperties holeProperties(int style, float chord, const ComponentSet& set) {
    RibProperties p = kDefaultRibProperties;
    p.chord = chord;
    p.leadingEdgeStyle = set.leadingEdge;
    p.sparStyle = set.spar;
    p.sparDistance = 30.0f;
    p.sparDistanceInPercent = 1;
    p.trailingEdgeStyle = set.trailingEdge;
    p.sheetingStyle = set.sheeting;
    p.holeStyle = style;
    return p;
}

// The Clark Y rib of 200 mm with a stick spar at 30 %, LE and TE stock,
// margin and web 4 mm: the share of its area the holes take.
double clarkYShare(int style) {
    AirfoilDocument doc;
    doc.takeContents(readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"));
    RibProperties p = holeProperties(style, 200.0f, kComponentSets[1]);
    p.holeMargin = 4.0f;
    p.holeWeb = 4.0f;
    doc.applyProperties(p);
    const RibWeight w = ribWeight(doc.cutOutline().outline, doc.lighteningHoles(), p);
    std::printf("Clark Y 200 mm, hole style %d: %s\n", style, ribWeightText(w).c_str());
    return w.holeShare;
}

} // namespace

TEST(LighteningHoles, EveryHoleKeepsItsMarginAndWebsOverTheCorpus) {
    const std::vector<fs::path> files = corpusFiles();
    ASSERT_FALSE(files.empty());
    int ribsWithHoles = 0;
    int holesChecked = 0;
    for (const fs::path& file : files) {
        const CoordinateFileContents contents = readCoordinateFile(file.string());
        if (contents.status != ReadStatus::Loaded) continue;
        AirfoilDocument doc;
        doc.takeContents(contents);
        ModelPolygon airfoil;
        for (const AirfoilPoint& q : doc.points()) airfoil.push_back({q.modelX, q.modelY});
        if (!simplePolygon(airfoil)) continue;  // a crossed coordinate file has no inside to measure from
        for (int style = 1; style <= 3; ++style)
            for (float chord : {90.0f, 300.0f})
                for (const ComponentSet& set : kComponentSets) {
                    RibProperties p = holeProperties(style, chord, set);
                    p.holeMargin = style == 2 ? 4.0f : 3.0f;
                    p.holeWeb = style == 3 ? 3.0f : 4.0f;
                    if (!checkRibProperties(p).empty()) continue;
                    doc.applyProperties(p);
                    const std::string where = file.filename().string() + " style " + std::to_string(style) +
                                              " chord " + std::to_string(chord) + " " + set.name;
                    const std::vector<ModelPolygon> holes = doc.lighteningHoles();
                    const CutOutline cut = doc.cutOutline();
                    ASSERT_TRUE(simplePolygon(cut.outline)) << where;
                    const HoleObstacles obstacles =
                        holeObstacles(doc.leadingEdge(), doc.trailingEdge(), doc.spars(), doc.sheeting());
                    const double margin = p.holeMargin / chord;
                    const double web = p.holeWeb / chord;
                    const double minimum = p.holeMinimum / chord;
                    ribsWithHoles += !holes.empty();
                    for (std::size_t h = 0; h < holes.size(); ++h) {
                        const ModelPolygon& hole = holes[h];
                        ++holesChecked;
                        ASSERT_GE(hole.size(), 3u) << where;
                        ASSERT_TRUE(simplePolygon(hole)) << where << " hole " << h;
                        // Inside the rib as cut, the margin from the skin.
                        ASSERT_TRUE(inside(cut.outline, hole.front())) << where << " hole " << h;
                        ASSERT_GE(distance(hole, airfoil), margin - kGrid) << where << " hole " << h;
                        ASSERT_GT(distance(hole, cut.outline), 0.0) << where << " hole " << h;
                        // Clear of every notch, seat, band and edge piece by the web.
                        for (const ModelPolygon& region : obstacles.removed) {
                            ASSERT_FALSE(inside(region, hole.front())) << where << " hole " << h;
                            ASSERT_GE(distance(hole, region), web - kGrid) << where << " hole " << h;
                        }
                        ASSERT_GE(holes[h].front().x, obstacles.noseX + web - kGrid) << where;
                        // The web between two holes; neither inside the other.
                        for (std::size_t k = h + 1; k < holes.size(); ++k) {
                            ASSERT_FALSE(inside(holes[k], hole.front())) << where;
                            ASSERT_FALSE(inside(hole, holes[k].front())) << where;
                            ASSERT_GE(distance(hole, holes[k]), web - kGrid) << where << " holes " << h << ", " << k;
                        }
                        // Nothing smaller than the least hole worth cutting: its
                        // box holds the least diameter both ways.
                        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
                        for (const ModelPoint& q : hole) {
                            x0 = std::min(x0, q.x), x1 = std::max(x1, q.x);
                            y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
                        }
                        ASSERT_GE(std::min(x1 - x0, y1 - y0), minimum * 0.99) << where << " hole " << h;
                    }
                }
    }
    // The sweep is not vacuous: most ribs get holes.
    EXPECT_GT(ribsWithHoles, 400);
    EXPECT_GT(holesChecked, 2000);
}

TEST(LighteningHoles, ClarkYSlotsTakeFortyPercent) {
    const double round = clarkYShare(1);
    const double slots = clarkYShare(2);
    const double truss = clarkYShare(3);
    EXPECT_GE(slots, 0.40);
    EXPECT_GT(round, 0.15);
    EXPECT_GT(truss, 0.15);
    // Solid material left round each hole: no style takes the whole rib.
    EXPECT_LT(std::max({round, slots, truss}), 0.75);
}

TEST(LighteningHoles, NoStyleNoHolesAndBadValuesRefusedByName) {
    AirfoilDocument doc;
    doc.takeContents(readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"));
    RibProperties p = holeProperties(0, 200.0f, kComponentSets[1]);
    doc.applyProperties(p);
    EXPECT_TRUE(doc.lighteningHoles().empty());
    // Each bad value is refused, and the refusal names its field.
    struct Bad {
        const char* field;
        const char* value;
    };
    for (const Bad& bad : {Bad{"holeMargin", "-1"}, Bad{"holeWeb", "0"}, Bad{"materialDensity", "0"},
                           Bad{"materialDensity", "nan"}, Bad{"materialThickness", "0"}, Bad{"holeStyle", "4"},
                           Bad{"holeCornerRadius", "-0.5"}, Bad{"holeMinimum", "inf"}}) {
        RibProperties q = kDefaultRibProperties;
        std::string error;
        const bool set = setRibPropertyField(q, bad.field, bad.value, error);
        if (!set) {
            EXPECT_NE(error.find(bad.field), std::string::npos) << error;
            continue;
        }
        const std::vector<PropertyProblem> problems = checkRibProperties(q);
        ASSERT_EQ(problems.size(), 1u) << bad.field << "=" << bad.value;
        EXPECT_NE(problems.front().message().find(bad.field), std::string::npos) << problems.front().message();
    }
}

TEST(LighteningHoles, WeightFollowsTheUnitAndTheNumbersReadAsShown) {
    // A 100 x 10 mm strip with a 50 x 5 mm hole: 1,000 mm², 25 %, and
    // 750 mm² x 2 mm x 160 kg/m³ = 0.24 g; the same in inches weighs the same.
    RibProperties mm = kDefaultRibProperties;
    mm.chord = 100.0f;
    const ModelPolygon strip{{0.0, 0.0}, {1.0, 0.0}, {1.0, 0.1}, {0.0, 0.1}};
    const ModelPolygon hole{{0.2, 0.025}, {0.7, 0.025}, {0.7, 0.075}, {0.2, 0.075}};
    const RibWeight a = ribWeight(strip, {hole}, mm);
    EXPECT_EQ(ribWeightText(a), "rib 1,000 mm\u00b2, holes 25 %, 0.24 g");
    EXPECT_NEAR(a.gramsSolid, 0.32, 1e-9);
    RibProperties in = mm;
    in.metric = 0;
    in.chord = static_cast<float>(100.0 / 25.4);
    in.materialThickness = static_cast<float>(2.0 / 25.4);
    const RibWeight b = ribWeight(strip, {hole}, in);
    EXPECT_NEAR(b.grams, a.grams, 1e-6);
    EXPECT_NEAR(b.areaMm2, a.areaMm2, 1e-3);
    EXPECT_EQ(thousandsText(1234567.4), "1,234,567");
    EXPECT_EQ(thousandsText(999.6), "1,000");
    EXPECT_EQ(gramsText(0.0456), "0.046");
}

TEST(LighteningHoles, CutFilesAndSheetsCutEveryHoleBeforeItsOutline) {
    AirfoilDocument doc;
    doc.takeContents(readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"));
    for (int style = 1; style <= 3; ++style)
        for (double kerf : {0.0, 0.2, 0.5}) {
            const std::string where = "style " + std::to_string(style) + " kerf " + std::to_string(kerf);
            RibProperties p = holeProperties(style, 200.0f, kComponentSets[1]);
            doc.applyProperties(p);
            const std::vector<ModelPolygon> holes = doc.lighteningHoles();
            const CutDrawing drawing = cutDrawing(doc, kerf);
            ASSERT_FALSE(holes.empty()) << where;
            ASSERT_EQ(drawing.holes.size(), holes.size()) << where;
            for (std::size_t h = 0; h < holes.size(); ++h) {
                // Inner contours run clockwise, inside the outline, and the
                // kerf takes half its width off every edge.
                const double area = std::fabs(geom::signedArea(holes[h])) * 200.0 * 200.0;
                double perimeter = 0.0;
                for (std::size_t i = 0; i < holes[h].size(); ++i) {
                    const ModelPoint& a = holes[h][i];
                    const ModelPoint& b = holes[h][(i + 1) % holes[h].size()];
                    perimeter += std::hypot(b.x - a.x, b.y - a.y) * 200.0;
                }
                EXPECT_LT(geom::signedArea(drawing.holes[h]), 0.0) << where;
                EXPECT_NEAR(-geom::signedArea(drawing.holes[h]), area - perimeter * kerf / 2.0, 0.02 * area + 0.05)
                    << where << " hole " << h;
                for (const ModelPoint& q : drawing.holes[h]) ASSERT_TRUE(inside(drawing.outline, q)) << where;
            }
            // The file lists the holes first, the outline that holds them last.
            const CutLayout layout = cutLayoutOf(drawing);
            ASSERT_EQ(layout.outlines.size(), holes.size() + 1) << where;
            EXPECT_EQ(layout.outlines.back(), drawing.outline) << where;
            const std::string dxf = cutDxfText(drawing, DxfVersion::R2000);
            std::size_t polylines = 0;
            for (std::size_t at = dxf.find("\nLWPOLYLINE\n"); at != std::string::npos; at = dxf.find("\nLWPOLYLINE\n", at + 1))
                ++polylines;
            EXPECT_EQ(polylines, holes.size() + 1) << where;
            // The laser's contours carry them too.
            EXPECT_EQ(machine::ribContours(drawing).size(), holes.size() + 1) << where;
        }
    // No hole style: the cut file is the outline alone.
    doc.applyProperties(holeProperties(0, 200.0f, kComponentSets[1]));
    EXPECT_EQ(cutLayoutOf(cutDrawing(doc, 0.2)).outlines.size(), 1u);
}

TEST(LighteningHoles, TaperedWingRibsGetTheirOwnHolesAndSheetsKeepThem) {
    const CoordinateFileContents contents = readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat");
    std::vector<AirfoilPoint> root;
    for (const CoordinatePair& q : contents.drawingOrder) root.push_back(AirfoilPoint{q.modelX, q.modelY});
    wing::WingPanel panel;
    panel.span = 600;
    panel.rootChord = 240;
    panel.tipChord = 110;
    panel.ribCount = 8;
    RibProperties p = holeProperties(2, 200.0f, kComponentSets[1]);
    p.height = 12.0f;
    const wing::RibSet set = wing::buildRibSet(panel, p, root);
    ASSERT_TRUE(set.error.empty()) << set.error;
    std::size_t holes = 0;
    double previousArea = 1e300;
    for (const wing::WingRib& rib : set.ribs) {
        ASSERT_FALSE(rib.holes.empty()) << rib.name();
        holes += rib.holes.size();
        // Each rib's holes from its own depth: the smaller ribs towards the tip
        // lose less area to them.
        double area = 0.0;
        for (const wing::Polygon& hole : rib.holes) area += std::fabs(wing::signedArea(hole));
        EXPECT_LT(area, previousArea) << rib.name();
        previousArea = area;
        // Clear of its tabs by the web.
        for (const wing::BuildingTab& tab : rib.tabs)
            for (const wing::Polygon& hole : rib.holes) {
                ModelPolygon a, b;
                for (const wing::Vec2& q : hole) a.push_back({q.x, q.y});
                for (const wing::Vec2& q : tab.polygon) b.push_back({q.x, q.y});
                EXPECT_GE(distance(a, b), p.holeWeb - 1e-6) << rib.name();
            }
        const RibWeight w = wing::ribWeightOf(rib);
        EXPECT_LT(w.grams, w.gramsSolid) << rib.name();
    }
    EXPECT_NE(wing::weightLines(set).find(" g without holes"), std::string::npos);
    // Nested with a kerf, every placed hole lies inside its own part's cut
    // path, and the sheet files cut it before the part's outline.
    const wing::Nesting nesting =
        wing::nestParts(wing::nestPartsOf(set, panel.side), wing::SheetSize{600, 100}, wing::nestOptions(0.2, true));
    ASSERT_TRUE(nesting.error.empty()) << nesting.error;
    std::size_t placed = 0;
    for (const wing::Sheet& sheet : nesting.sheets) {
        const CutLayout layout = wing::sheetLayout(sheet, wing::SheetSize{600, 100}, true);
        std::size_t next = 0;
        for (const wing::PlacedPart& part : sheet.parts) {
            ModelPolygon outline;
            for (const wing::Vec2& q : part.outline) outline.push_back({q.x, q.y});
            for (const wing::Polygon& hole : part.holes) {
                for (const wing::Vec2& q : hole) ASSERT_TRUE(inside(outline, {q.x, q.y})) << part.label;
                ASSERT_LT(next, layout.outlines.size());
                EXPECT_EQ(layout.outlines[next++].size(), hole.size()) << part.label;
            }
            ASSERT_LT(next, layout.outlines.size());
            EXPECT_EQ(layout.outlines[next++], outline) << part.label;
            placed += part.holes.size();
        }
    }
    EXPECT_EQ(placed, holes * std::string(wing::traits(panel.side).letters).size());
    const machine::SheetContours contours = machine::wingSheetContours(set, panel.side, wing::SheetSize{600, 100}, 0.2, true);
    std::size_t cutContours = 0;
    for (const auto& sheet : contours.sheets) cutContours += sheet.size();
    EXPECT_EQ(cutContours, placed + set.ribs.size() * std::string(wing::traits(panel.side).letters).size());
}

TEST(LighteningHoles, DesignsWithoutHoleFieldsReadTheDefaultsOfTheirUnit) {
    RibDesign design;
    design.name = "CLARK Y";
    design.points = {{1.0f, 0.0f}, {0.5f, 0.08f}, {0.0f, 0.0f}, {0.5f, -0.03f}, {1.0f, 0.0f}};
    for (int metric : {1, 0}) {
        design.properties = kDefaultRibProperties;
        design.properties.metric = metric;
        setHoleDefaultsForUnit(design.properties);
        std::string error;
        // The unit's defaults are left out, as a design saved before the
        // holes existed; they read back as the same bits.
        const std::string plain = ribDesignText(design, error);
        EXPECT_EQ(plain.find("hole"), std::string::npos) << plain;
        EXPECT_EQ(plain.find("material"), std::string::npos) << plain;
        const RibDesignRead read = parseRibDesign(plain);
        ASSERT_TRUE(read.loaded) << read.error;
        EXPECT_EQ(std::memcmp(&read.design.properties, &design.properties, sizeof(RibProperties)), 0);
        EXPECT_FLOAT_EQ(read.design.properties.holeMargin * (metric ? 1.0f : 25.4f), 3.0f);
        EXPECT_FLOAT_EQ(read.design.properties.materialThickness * (metric ? 1.0f : 25.4f), 2.0f);
        // Any other value is written, every field, and read back bit for bit.
        for (const RibPropertyField& field : ribPropertyFields()) {
            RibProperties changed = design.properties;
            if (field.integer == &RibProperties::holeStyle) changed.holeStyle = 3;
            else if (!field.isInteger && (std::string_view(field.name).starts_with("hole") ||
                                          std::string_view(field.name).starts_with("material")))
                changed.*field.real = std::nextafter(changed.*field.real, 1e9f);
            else continue;
            RibDesign other = design;
            other.properties = changed;
            const std::string text = ribDesignText(other, error);
            EXPECT_NE(text.find("\"holeStyle\""), std::string::npos) << field.name;
            const RibDesignRead back = parseRibDesign(text);
            ASSERT_TRUE(back.loaded) << back.error;
            EXPECT_EQ(std::memcmp(&back.design.properties, &changed, sizeof(RibProperties)), 0) << field.name;
        }
    }
}
