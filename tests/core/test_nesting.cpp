// SPDX-License-Identifier: GPL-3.0-or-later
// Nested sheets as a cutter sees them: the parts' cut paths half the kerf
// outside the parts, read back from the written files by ezdxf, against the
// same rib's single cut file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "model/CoordinateFile.h"
#include "support/PolygonDistance.h"
#include "wing/CommonLine.h"
#include "wing/RibSet.h"
#include "wing/WingFiles.h"

namespace fs = std::filesystem;
using namespace parvelin;
using namespace parvelin::wing;

namespace {

struct Scratch {
    fs::path dir;
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "parvelin-nest-test-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
    }
    ~Scratch() { fs::remove_all(dir); }
};

std::string airfoil(const char* name) { return std::string(PARVELIN_AIRFOIL_DIR) + "/" + name; }

int run(const std::string& arguments) {
    return std::system(("env -u DISPLAY QT_QPA_PLATFORM=offscreen " + std::string(PARVELIN_CLI) + " " + arguments +
                        " >/dev/null 2>&1")
                           .c_str());
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// For every closed polyline on layer CUT: its extent along x (the chord, the
// grain of the sheet), and the narrowest gap between two inside spans on a
// line 3 units inside its top and its bottom (a spar notch, whichever way up
// the part lies).
const char* const kMeasureScript = R"(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    if e.dxf.layer != 'CUT' or e.dxftype() not in ('LWPOLYLINE', 'POLYLINE'):
        continue
    pts = list(e.get_points('xy')) if e.dxftype() == 'LWPOLYLINE' else [(v.dxf.location[0], v.dxf.location[1]) for v in e.vertices]
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    gaps = []
    for y in (max(ys) - 3.0, min(ys) + 3.0):
        cross = []
        for i in range(len(pts)):
            (ax, ay), (bx, by) = pts[i], pts[(i + 1) % len(pts)]
            if (ay <= y) != (by <= y):
                cross.append(ax + (y - ay) / (by - ay) * (bx - ax))
        cross.sort()
        gaps += [cross[k + 1] - cross[k] for k in range(1, len(cross) - 1, 2)]
    print('%.4f %.4f' % (max(xs) - min(xs), min(gaps) if gaps else -1))
)";

struct Measured {
    double chord = 0;
    double notch = 0;
};

std::vector<Measured> measureDxf(const fs::path& dxf, const fs::path& scratch) {
    const fs::path script = scratch / "measure.py";
    std::ofstream(script) << kMeasureScript;
    const fs::path out = scratch / "measured.txt";
    std::vector<Measured> found;
    if (std::system(("/usr/bin/python3 " + script.string() + " '" + dxf.string() + "' > '" + out.string() + "'").c_str()) != 0)
        return found;
    std::istringstream in(slurp(out));
    Measured m;
    while (in >> m.chord >> m.notch) found.push_back(m);
    return found;
}

std::vector<AirfoilPoint> section(const char* file) {
    std::vector<AirfoilPoint> points;
    for (const CoordinatePair& p : readCoordinateFile(airfoil(file)).drawingOrder) points.push_back(AirfoilPoint{p.modelX, p.modelY});
    return points;
}

bool samePlaces(const Nesting& a, const Nesting& b) {
    if (a.sheets.size() != b.sheets.size()) return false;
    for (std::size_t s = 0; s < a.sheets.size(); ++s) {
        if (a.sheets[s].parts.size() != b.sheets[s].parts.size()) return false;
        for (std::size_t i = 0; i < a.sheets[s].parts.size(); ++i)
            if (a.sheets[s].parts[i].outline != b.sheets[s].parts[i].outline) return false;
    }
    return true;
}

} // namespace

// Over many sets and options: no two cut paths overlap, each keeps the
// margin from its sheet's edges and the gap from every other, every rib is
// placed once, turned only as the grain allows and mirrored only when asked,
// and the yield adds up. The same seed gives the same sheets.
TEST(NestedSheets, EveryLayoutKeepsItsPromises) {
    const std::vector<AirfoilPoint> root = section("asb__clarky.dat");
    const std::vector<AirfoilPoint> tip = section("asb__e205.dat");
    struct Case {
        double tipChord;
        float height;
        WingSide side;
        SheetSize sheet;
        double kerf;
        Grain grain;
        bool mirror;
        double gap;
        double margin;
        bool commonLine = false;  // the gap is then 0: parts may touch
    } cases[] = {
        {120, 12, WingSide::Both, {600, 100}, 0.0, Grain::Chord, false, 2, 2},
        {200, 0, WingSide::Left, {600, 100}, 0.4, Grain::Chord, true, 2, 2},
        {90, 12, WingSide::Both, {300, 120}, 0.2, Grain::Any, false, 1.5, 3},
        {150, 8, WingSide::Right, {1000, 300}, 0.3, Grain::Any, true, 0.5, 0},
        {60, 15, WingSide::Both, {260, 75}, 1.0, Grain::Chord, false, 3, 1},
        {120, 0, WingSide::Both, {600, 100}, 0.2, Grain::Chord, false, 0, 2, true},
    };
    int sheetsChecked = 0;
    for (const Case& c : cases) {
        WingPanel panel;
        panel.span = 600;
        panel.rootChord = 200;
        panel.tipChord = c.tipChord;
        panel.ribCount = 12;
        panel.side = c.side;
        RibProperties p = kDefaultRibProperties;
        p.sparStyle = 1;
        p.trailingEdgeStyle = 3;
        p.height = c.height;
        const RibSet set = buildRibSet(panel, p, root, tip);
        ASSERT_EQ(set.error, "");
        const std::vector<NestPart> parts = nestPartsOf(set, c.side);
        NestOptions options = nestOptions(c.kerf, true);
        options.gap = c.gap;
        options.margin = c.margin;
        options.grain = c.grain;
        options.mirror = c.mirror;
        options.seconds = 0.2;
        options.seed = 7;
        options.commonLine = c.commonLine;
        const Nesting nesting = nestParts(parts, c.sheet, options);
        ASSERT_EQ(nesting.error, "");
        std::vector<int> placed(parts.size(), 0);
        double area = 0.0;
        for (const Sheet& s : nesting.sheets) {
            ++sheetsChecked;
            double sheetArea = 0.0;
            for (std::size_t i = 0; i < s.parts.size(); ++i) {
                const PlacedPart& a = s.parts[i];
                ++placed.at(a.part);
                const Box box = bounds(a.outline);
                EXPECT_GE(box.minX, c.margin - 1e-9);
                EXPECT_GE(box.minY, c.margin - 1e-9);
                EXPECT_LE(box.maxX, c.sheet.width - c.margin + 1e-9);
                EXPECT_LE(box.maxY, c.sheet.height - c.margin + 1e-9);
                if (c.grain == Grain::Chord) {
                    EXPECT_EQ(a.quarterTurns % 2, 0) << a.label;
                }
                if (!c.mirror) {
                    EXPECT_FALSE(a.mirrored) << a.label;
                }
                // The part's own cut path in its pose, moved: the same size.
                Polygon posedPath;
                for (const Vec2& q : cutPath(parts[a.part].outline, c.kerf))
                    posedPath.push_back(posed(q, Pose{a.quarterTurns, a.mirrored}));
                const Box own = bounds(posedPath);
                EXPECT_NEAR(box.width(), own.width(), 1e-9) << a.label;
                EXPECT_NEAR(box.height(), own.height(), 1e-9) << a.label;
                sheetArea += std::abs(signedArea(parts[a.part].outline));
                for (std::size_t j = i + 1; j < s.parts.size(); ++j) {
                    const PlacedPart& b = s.parts[j];
                    EXPECT_LE(overlapArea(a.outline, b.outline), 1e-9) << a.label << " " << b.label;
                    EXPECT_GE(parvelin::testing::outlineDistance(a.outline, b.outline), c.gap - 1e-9)
                        << a.label << " " << b.label;
                }
            }
            EXPECT_NEAR(s.partsArea, sheetArea, 1e-6);
            area += sheetArea;
        }
        for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_EQ(placed[i], 1) << parts[i].label;
        EXPECT_NEAR(nesting.partsArea, area, 1e-6);
        EXPECT_GE(nesting.sheets.size(), leastSheets(nesting));
        EXPECT_LE(utilisation(nesting), 1.0);
        EXPECT_TRUE(samePlaces(nesting, nestParts(parts, c.sheet, options)));
    }
    EXPECT_GT(sheetsChecked, 8);
}

namespace {

// Every written cut as its straight pieces.
struct Piece {
    Vec2 a, b;
};
std::vector<Piece> piecesOf(const CutLayout& layout) {
    std::vector<Piece> pieces;
    for (const ModelPolygon& o : layout.outlines)
        for (std::size_t i = 0; i < o.size(); ++i)
            pieces.push_back({{o[i].x, o[i].y}, {o[(i + 1) % o.size()].x, o[(i + 1) % o.size()].y}});
    for (const ModelPolygon& line : layout.openCuts)
        for (std::size_t i = 0; i + 1 < line.size(); ++i)
            pieces.push_back({{line[i].x, line[i].y}, {line[i + 1].x, line[i + 1].y}});
    return pieces;
}

// How much of piece q lies along piece p (both ends of q on p's line).
double collinearOverlap(const Piece& p, const Piece& q, double tolerance) {
    const double len = std::hypot(p.b.x - p.a.x, p.b.y - p.a.y);
    if (!(len > 0.0)) return 0.0;
    const double ux = (p.b.x - p.a.x) / len, uy = (p.b.y - p.a.y) / len;
    auto off = [&](Vec2 v) { return std::fabs((v.x - p.a.x) * uy - (v.y - p.a.y) * ux); };
    if (off(q.a) > tolerance || off(q.b) > tolerance) return 0.0;
    auto along = [&](Vec2 v) { return (v.x - p.a.x) * ux + (v.y - p.a.y) * uy; };
    const double lo = std::max(0.0, std::min(along(q.a), along(q.b)));
    const double hi = std::min(len, std::max(along(q.a), along(q.b)));
    return std::max(0.0, hi - lo);
}

double perimeter(const Polygon& p) {
    double sum = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) sum += std::hypot(p[(i + 1) % p.size()].x - p[i].x, p[(i + 1) % p.size()].y - p[i].y);
    return sum;
}

} // namespace

// With --common-line the parts may touch, and a straight line two of them
// share is written once: every part is still cut all round (each point of
// its cut path lies on a written cut), no stretch is written twice, and the
// cut length saved is what was shared. Two squares side by side share one side.
TEST(NestedSheets, ALineTwoPartsShareIsCutOnce) {
    const SharedCuts squares = shareCommonLines({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{10, 2}, {20, 2}, {20, 8}, {10, 8}}}, 0.01);
    ASSERT_EQ(squares.closed.size(), 1u);
    ASSERT_EQ(squares.open.size(), 1u);
    EXPECT_EQ(squares.open[0], (std::vector<Vec2>{{10, 2}, {20, 2}, {20, 8}, {10, 8}}));
    EXPECT_NEAR(squares.sharedLength, 6.0, 1e-12);

    WingPanel panel;
    panel.span = 600;
    panel.rootChord = 200;
    panel.tipChord = 120;
    panel.ribCount = 10;
    panel.side = WingSide::Both;
    RibProperties p = kDefaultRibProperties;
    p.sparStyle = 1;
    p.leadingEdgeStyle = 1;  // a square nose piece: straight ends to share
    const RibSet set = buildRibSet(panel, p, section("asb__clarky.dat"), section("asb__clarky.dat"));
    ASSERT_EQ(set.error, "");
    double sharedOnSheets = 0.0;
    for (const double kerf : {0.0, 0.3}) {
        NestOptions options = nestOptions(kerf, true);
        options.commonLine = true;
        options.seconds = 0.2;
        const Nesting nesting = nestParts(nestPartsOf(set, WingSide::Both), SheetSize{600, 100}, options);
        ASSERT_EQ(nesting.error, "");
        for (const Sheet& sheet : nesting.sheets) {
            ASSERT_TRUE(sheet.commonLine);
            const std::vector<Piece> written = piecesOf(sheetLayout(sheet, SheetSize{600, 100}, true));
            double writtenLength = 0.0;
            for (const Piece& w : written) writtenLength += std::hypot(w.b.x - w.a.x, w.b.y - w.a.y);
            double cutLength = 0.0;
            for (const PlacedPart& part : sheet.parts) {
                cutLength += perimeter(part.outline);
                const Box box = bounds(part.outline);
                std::vector<Piece> near;
                for (const Piece& w : written)
                    if (std::max(w.a.x, w.b.x) >= box.minX - 0.1 && std::min(w.a.x, w.b.x) <= box.maxX + 0.1 &&
                        std::max(w.a.y, w.b.y) >= box.minY - 0.1 && std::min(w.a.y, w.b.y) <= box.maxY + 0.1)
                        near.push_back(w);
                for (std::size_t i = 0; i < part.outline.size(); ++i) {
                    const Vec2 a = part.outline[i], b = part.outline[(i + 1) % part.outline.size()];
                    for (const Vec2 v : {a, Vec2{(a.x + b.x) / 2, (a.y + b.y) / 2}}) {
                        double nearest = INFINITY;
                        for (const Piece& w : near) nearest = std::min(nearest, parvelin::testing::pointToSegment(v, w.a, w.b));
                        ASSERT_LT(nearest, 0.011) << part.label << " is not cut all round";
                    }
                }
            }
            double twice = 0.0;
            for (std::size_t i = 0; i < written.size(); ++i)
                for (std::size_t j = i + 1; j < written.size(); ++j) {
                    const Piece& u = written[i];
                    const Piece& w = written[j];
                    if (std::max(u.a.x, u.b.x) < std::min(w.a.x, w.b.x) - 0.01 || std::max(w.a.x, w.b.x) < std::min(u.a.x, u.b.x) - 0.01)
                        continue;
                    twice += collinearOverlap(u, w, 0.005);
                }
            EXPECT_LT(twice, 0.05) << "a stretch is written twice";
            // What is not written again is exactly what the parts share.
            std::vector<Polygon> paths;
            for (const PlacedPart& part : sheet.parts) paths.push_back(part.outline);
            const double shared = shareCommonLines(paths, kCommonLineTolerance).sharedLength;
            EXPECT_NEAR(writtenLength + shared, cutLength, 0.05 * static_cast<double>(sheet.parts.size()));
            sharedOnSheets += shared;
        }
    }
    EXPECT_GT(sharedOnSheets, 100.0);
}

// With nesting in holes, a part small enough lies in a hole of a larger one,
// the gap kept from the hole's cut path, and comes before its host on the
// sheet (cut free before the hole around it is); one part a hole, every
// part placed once, and no more sheets than without.
TEST(NestedSheets, SmallPartsLieInTheHolesOfLargeOnes) {
    auto rectangle = [](double x0, double y0, double x1, double y1) { return Polygon{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; };
    std::vector<NestPart> parts;
    for (int f = 0; f < 2; ++f) {
        NestPart frame;
        frame.outline = rectangle(0, 0, 180, 80);
        frame.holes = {rectangle(15, 15, 165, 65)};
        frame.label = "F" + std::to_string(f + 1);
        parts.push_back(frame);
    }
    for (int i = 0; i < 6; ++i) parts.push_back(NestPart{rectangle(0, 0, 40, 12), "S" + std::to_string(i + 1), {}, 0.0, {}});
    NestOptions options = nestOptions(0.2, true);
    options.seconds = 0.0;
    const Nesting apart = nestParts(parts, SheetSize{400, 100}, options);
    options.nestInHoles = true;
    const Nesting inHoles = nestParts(parts, SheetSize{400, 100}, options);
    ASSERT_EQ(inHoles.error, "");
    EXPECT_LE(inHoles.sheets.size(), apart.sheets.size());
    std::vector<int> placed(parts.size(), 0);
    int guests = 0;
    for (const Sheet& sheet : inHoles.sheets)
        for (std::size_t i = 0; i < sheet.parts.size(); ++i) {
            const PlacedPart& a = sheet.parts[i];
            ++placed.at(a.part);
            for (std::size_t j = i + 1; j < sheet.parts.size(); ++j) {
                const PlacedPart& b = sheet.parts[j];
                if (a.host == static_cast<long>(b.part)) {
                    ASSERT_EQ(b.holes.size(), 1u);
                    // Inside the host's hole, the gap from its edge.
                    EXPECT_NEAR(overlapArea(a.outline, b.holes[0]), std::abs(signedArea(a.outline)), 1e-6) << a.label;
                    EXPECT_GE(parvelin::testing::outlineDistance(a.outline, b.holes[0]), options.gap - 1e-6) << a.label;
                    ++guests;
                } else {
                    EXPECT_LE(overlapArea(a.outline, b.outline), 1e-9) << a.label << " " << b.label;
                }
            }
            if (a.host >= 0) {
                EXPECT_LT(a.host, 2) << a.label << " lies in a part that comes before it";
            }
        }
    EXPECT_EQ(guests, 2);  // one small part in each frame's hole
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_EQ(placed[i], 1) << parts[i].label;
}

// The yield as it is reported: each sheet's share and the set's, and the
// least number of sheets the parts' area allows.
TEST(NestedSheets, TheYieldIsReported) {
    Nesting n;
    n.sheetArea = 100.0;
    n.sheets.resize(3);
    n.sheets[0].partsArea = 61.25;
    n.sheets[0].parts.resize(4);
    n.sheets[1].partsArea = 70.0;
    n.sheets[1].parts.resize(5);
    n.sheets[2].partsArea = 9.0;
    n.sheets[2].parts.resize(1);
    n.partsArea = 140.25;
    EXPECT_EQ(leastSheets(n), 2u);
    EXPECT_EQ(sheetYieldText(n, 0), "Sheet 1: 4 parts, 61.3 % of the sheet");
    EXPECT_EQ(sheetYieldText(n, 2), "Sheet 3: 1 part, 9.0 % of the sheet");
    EXPECT_EQ(setYieldText(n), "10 parts on 3 sheets: 46.8 % of the balsa in parts; at least 2 sheets are needed "
                               "(the parts' area over a sheet's), 1 more was used");
}

// Kerf means one thing everywhere: a 200 mm rib with a 5 mm stick spar, cut
// with a 0.4 mm kerf, is cut on a path 200.4 mm long with a 4.6 mm notch,
// whether it is cut alone or from a nested sheet (in either DXF version).
TEST(NestedSheets, ARibFromASheetIsCutAsTheSameRibAlone) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    Scratch s;
    const std::string rib = "--set sparStyle=1 --set sparWidth=5 --set sparHeight=5 --set sparDistance=30";
    ASSERT_EQ(run("cut --chord 200 --kerf 0.4 " + rib + " " + airfoil("asb__clarky.dat") + " " +
                  (s.dir / "alone.dxf").string()),
              0);
    const std::vector<Measured> alone = measureDxf(s.dir / "alone.dxf", s.dir);
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_NEAR(alone[0].chord, 200.4, 0.002);
    EXPECT_NEAR(alone[0].notch, 4.6, 0.002);

    for (const char* version : {"R2000", "R12"}) {
        const fs::path out = s.dir / version;
        ASSERT_EQ(run("wing --span 300 --root-chord 200 --tip-chord 200 --ribs 3 --set height=0 --kerf 0.4 " + rib +
                      " --dxf-version " + version + " " + airfoil("asb__clarky.dat") + " " + out.string()),
                  0)
            << version;
        std::vector<Measured> sheet;
        for (int n = 1; fs::exists(out / ("sheet-" + std::to_string(n) + ".dxf")); ++n)
            for (const Measured& m : measureDxf(out / ("sheet-" + std::to_string(n) + ".dxf"), s.dir)) sheet.push_back(m);
        ASSERT_EQ(sheet.size(), 6u) << version;  // three ribs, both panels
        for (const Measured& m : sheet) {
            EXPECT_NEAR(m.chord, alone[0].chord, 0.002) << version;
            EXPECT_NEAR(m.notch, alone[0].notch, 0.002) << version;
        }
    }
}
