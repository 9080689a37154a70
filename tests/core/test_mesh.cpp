// SPDX-License-Identifier: GPL-3.0-or-later
// The wing as solids: filling outlines with holes, extruding and lofting
// them into closed meshes, the wing's structure in place, picking, and the
// STL and OBJ files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "clip/CutOutline.h"
#include "geom/Polygon.h"
#include "document/AirfoilDocument.h"
#include "model/CoordinateFile.h"
#include "mesh/ModelFiles.h"
#include "mesh/WingModel.h"
#include "wing/RibSet.h"

using namespace parvelin;
using namespace parvelin::mesh;
namespace fs = std::filesystem;

namespace {

std::vector<AirfoilPoint> section(const char* file) {
    const CoordinateFileContents c = readCoordinateFile((fs::path(PARVELIN_AIRFOIL_DIR) / file).string());
    std::vector<AirfoilPoint> points = c.drawingOrder;
    return points;
}

Polygon circle(double cx, double cy, double r, int n, bool clockwise = false) {
    Polygon p;
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * std::numbers::pi * i / n * (clockwise ? -1.0 : 1.0);
        p.push_back(Vec2{cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return p;
}

// A star with `n` points whose tips wobble by a random amount: concave
// everywhere, never crossing itself.
Polygon star(std::mt19937& random, double r, int n) {
    std::uniform_real_distribution<double> wobble(0.55, 1.0);
    Polygon p;
    for (int i = 0; i < 2 * n; ++i) {
        const double a = std::numbers::pi * i / n;
        const double radius = i % 2 == 0 ? r : r * 0.5 * wobble(random);
        p.push_back(Vec2{radius * std::cos(a), radius * std::sin(a)});
    }
    return p;
}

double triangleArea(const std::vector<Vec2>& pts, const Triangle& t) {
    const Vec2 &a = pts[t[0]], &b = pts[t[1]], &c = pts[t[2]];
    return 0.5 * ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
}

// Fills the shape and checks the triangles against it: none turned the
// wrong way, their areas add up to the shape's, every outline and hole edge
// in exactly one triangle and every other edge in two, facing opposite ways.
void expectFilled(const Shape& raw, const std::string& what) {
    const Shape shape = normalized(raw);
    const std::vector<Vec2> pts = shapePoints(shape);
    const std::vector<Triangle> triangles = triangulate(shape);
    double sum = 0.0;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    for (const Triangle& t : triangles) {
        const double a = triangleArea(pts, t);
        EXPECT_GE(a, -1e-12) << what;
        sum += a;
        for (int i = 0; i < 3; ++i) ++edges[{t[i], t[(i + 1) % 3]}];
    }
    EXPECT_NEAR(sum, shapeArea(shape), 1e-9 * std::max(1.0, shapeArea(shape))) << what;
    std::set<std::pair<std::uint32_t, std::uint32_t>> boundary;
    std::uint32_t start = 0;
    auto ring = [&](const Polygon& r) {
        for (std::uint32_t i = 0; i < r.size(); ++i)
            boundary.insert({start + i, start + (i + 1) % static_cast<std::uint32_t>(r.size())});
        start += static_cast<std::uint32_t>(r.size());
    };
    ring(shape.outer);
    for (const Polygon& h : shape.holes) ring(h);
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1) << what;
        const bool reverse = edges.contains({edge.second, edge.first});
        EXPECT_NE(reverse, boundary.contains(edge)) << what << ": edge " << edge.first << "-" << edge.second;
    }
    for (const auto& edge : boundary) EXPECT_TRUE(edges.contains(edge)) << what << ": boundary edge left out";
}

void expectSolid(const TriangleMesh& mesh, const std::string& what) {
    std::string problem;
    EXPECT_TRUE(isClosed(mesh, &problem)) << what << ": " << problem;
    EXPECT_GT(volume(mesh), 0.0) << what;
}

Shape plate() {
    // A 100 x 40 plate with a round hole, a square hole and a star-shaped
    // hole, given in either turning.
    Polygon outer{{0, 0}, {100, 0}, {100, 40}, {0, 40}};
    Polygon square{{40, 10}, {55, 10}, {55, 30}, {40, 30}};
    std::mt19937 random(7);
    Polygon starHole = star(random, 9.0, 6);
    for (Vec2& p : starHole) p = Vec2{p.x + 78.0, p.y + 20.0};
    return Shape{outer, {circle(18, 20, 9, 40, true), square, starHole}};
}

const std::vector<PartKind> kRibs{PartKind::Rib};

struct Panel {
    wing::WingPanel panel;
    RibProperties properties = kDefaultRibProperties;
};

} // namespace

TEST(MeshFill, OutlinesWithAndWithoutHolesAreFilledExactly) {
    expectFilled(Shape{{{0, 0}, {1, 0}, {1, 1}}, {}}, "triangle");
    expectFilled(plate(), "plate with three holes");
    // Collinear runs and repeated points, as Clipper and resampling leave them.
    expectFilled(Shape{{{0, 0}, {5, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}, {5, 10}, {0, 10}, {0, 5}}, {}}, "collinear");
    // A hole whose rightmost point lies level with an outline corner, and
    // holes side by side on one line.
    expectFilled(Shape{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{{2, 2}, {4, 5}, {2, 8}}, {{6, 2}, {8, 5}, {6, 8}}}},
                 "holes in a row");
    // Stars with star holes, rotated, at many sizes.
    std::mt19937 random(42);
    for (int k = 0; k < 60; ++k) {
        Polygon outer = star(random, 100.0, 5 + k % 9);
        std::vector<Polygon> holes;
        const int count = k % 4;
        for (int h = 0; h < count; ++h) holes.push_back(circle(14.0 * std::cos(h * 2.1), 14.0 * std::sin(h * 2.1), 6.0, 5 + k % 7));
        expectFilled(Shape{outer, holes}, "star " + std::to_string(k));
    }
    // Every airfoil of a few shapes, as a rib's side is filled.
    for (const char* file : {"asb__clarky.dat", "asb__s1223.dat", "asb__naca0012.dat", "asb__e387.dat"}) {
        Polygon p;
        for (const AirfoilPoint& a : section(file)) p.push_back(Vec2{a.modelX * 200.0, a.modelY * 200.0});
        expectFilled(Shape{p, {circle(60, p.size() > 0 ? 4 : 0, 3, 24)}}, file);
    }
}

TEST(MeshSolid, ExtrudedShapesAreClosedWithTheirAreaTimesThickness) {
    const Shape shape = plate();
    const double area = shapeArea(normalized(shape));
    double holes = 0.0;
    for (const Polygon& h : shape.holes) holes += std::abs(signedArea(h));
    EXPECT_NEAR(area, 100 * 40 - holes, 1e-9);
    const PlaneToModel straight = [](double u, double v, double w) { return Vec3{u, v, w}; };
    const PlaneToModel mirrored = [](double u, double v, double w) { return Vec3{u, w, v}; };
    const PlaneToModel turned = [](double u, double v, double w) {
        const double c = std::cos(0.3), s = std::sin(0.3);
        return Vec3{u * c - v * s + 5, -w, u * s + v * c};
    };
    for (const auto& [name, place] : std::vector<std::pair<std::string, PlaneToModel>>{
             {"straight", straight}, {"mirrored", mirrored}, {"turned and mirrored", turned}}) {
        const TriangleMesh m = extrude(shape, -1.0, 2.0, place);
        expectSolid(m, name);
        EXPECT_NEAR(volume(m), area * 3.0, 1e-9 * area) << name;
    }
    // A loft of a square into a smaller one is a closed frustum of the
    // right volume.
    Polygon big{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, small{{1, 1}, {3, 1}, {3, 3}, {1, 3}};
    std::vector<std::vector<Vec3>> sections;
    for (const auto& [ring, z] : {std::pair{big, 0.0}, std::pair{small, 6.0}}) {
        std::vector<Vec3> s;
        for (const Vec2& p : ring) s.push_back(Vec3{p.x, p.y, z});
        sections.push_back(s);
    }
    const TriangleMesh frustum = loft(sections, big, small);
    expectSolid(frustum, "frustum");
    EXPECT_NEAR(volume(frustum), 6.0 / 3.0 * (16 + 4 + 8), 1e-9);
}

// A tapered, swept, washed-out panel of every kind of build: each solid is
// closed and turned outward; each rib holds its cut outline's area times
// the thickness; the bars are there.
TEST(MeshWing, EverySolidIsClosedAndEachRibHoldsItsArea) {
    const auto root = section("asb__clarky.dat");
    const auto tip = section("asb__naca2412.dat");
    int checkedRibs = 0;
    for (int build = 0; build < 6; ++build) {
        RibProperties p = kDefaultRibProperties;
        p.chord = 200.0f;
        p.leadingEdgeStyle = build % 5;
        p.sparStyle = build % 3;
        p.sparDistance = 30.0f;
        p.sparDistanceInPercent = 1;
        p.trailingEdgeStyle = build % 4;
        p.sheetingStyle = build % 5;
        p.metric = build == 5 ? 0 : 1;
        if (p.metric == 0) {
            p.chord = 8.0f, p.leadingEdgeHeight = 0.4f, p.leadingEdgeDepth = 0.12f, p.sparWidth = 0.2f,
            p.sparHeight = 0.2f, p.trailingEdgeHeight = 0.6f, p.trailingEdgeWidth = 1.0f,
            p.trailingEdgeThickness = 0.08f, p.sheetingThickness = 0.06f, p.height = 0.1f;
        }
        wing::WingPanel panel;
        const double unit = p.metric == 1 ? 1.0 : 1.0 / 25.4;
        panel.span = 500 * unit, panel.rootChord = 200 * unit, panel.tipChord = 120 * unit, panel.ribCount = 7;
        panel.sweep = 40 * unit, panel.washout = 3.0;
        panel.side = build % 2 == 0 ? wing::WingSide::Both : wing::WingSide::Left;
        const wing::RibSet set = wing::buildRibSet(panel, p, root, tip);
        ASSERT_TRUE(set.error.empty()) << set.error;
        ModelOptions options;
        options.thickness = 2.5 * unit;
        options.side = panel.side;
        const Model model = wingModel(set, panel, options);
        ASSERT_TRUE(model.error.empty()) << model.error;
        EXPECT_EQ(modelProblem(model), "");
        std::map<PartKind, int> kinds;
        for (const Part& part : model.parts) {
            ++kinds[part.kind];
            expectSolid(part.mesh, "build " + std::to_string(build) + " " + part.name);
            if (part.kind != PartKind::Rib) continue;
            const wing::WingRib& rib = set.ribs[static_cast<std::size_t>(part.rib)];
            const CutOutline& cut = rib.cut;
            const double c = rib.properties.chord / unit;  // in mm
            const double areaMm = geom::signedArea(cut.outline) * c * c;
            EXPECT_NEAR(volume(part.mesh), areaMm * 2.5, areaMm * 2.5 * 0.005) << part.name;
            ++checkedRibs;
        }
        const int sides = panel.side == wing::WingSide::Both ? 2 : 1;
        EXPECT_EQ(kinds[PartKind::Rib], 7 * sides);
        EXPECT_EQ(kinds[PartKind::Spar] > 0, p.sparStyle != 0) << build;
        EXPECT_EQ(kinds[PartKind::TrailingEdge] > 0, p.trailingEdgeStyle == 3) << build;
        EXPECT_EQ(kinds[PartKind::Sheeting] > 0, p.sheetingStyle != 0 || p.trailingEdgeStyle == 1 ||
                                                     p.trailingEdgeStyle == 2)
            << build;
    }
    EXPECT_EQ(checkedRibs, 7 * 2 * 3 + 7 * 3);
}

TEST(MeshWing, RibsWithHolesKeepThemOpen) {
    // The rib's side with a lightening hole: extruded, its volume is the
    // outline's less the hole's, and a ray through the hole passes.
    const auto points = section("asb__clarky.dat");
    Polygon outer;
    for (const AirfoilPoint& a : points) outer.push_back(Vec2{a.modelX * 200.0, a.modelY * 200.0});
    const Polygon hole = circle(80.0, 8.0, 6.0, 32);
    const Shape shape{outer, {hole}};
    const TriangleMesh m = extrude(shape, 0.0, 3.0, [](double u, double v, double w) { return Vec3{u, w, v}; });
    expectSolid(m, "rib with a hole");
    EXPECT_NEAR(volume(m), (std::abs(signedArea(outer)) - std::abs(signedArea(hole))) * 3.0, 1e-6);
    EXPECT_LT(rayHit(m, Vec3{80.0, -10.0, 8.0}, Vec3{0, 1, 0}), 0.0);
    EXPECT_NEAR(rayHit(m, Vec3{60.0, -10.0, 8.0}, Vec3{0, 1, 0}), 10.0, 1e-9);
}

TEST(MeshWing, TheBoxIsTheSpanTheSweepAndTheChords) {
    const auto root = section("asb__clarky.dat");
    double lowest = 0.0, highest = 0.0;
    for (const AirfoilPoint& a : root) lowest = std::min<double>(lowest, a.modelY), highest = std::max<double>(highest, a.modelY);
    for (const auto& [span, rootChord, tipChord, sweep, metric] :
         {std::tuple{600.0, 200.0, 120.0, 40.0, 1}, std::tuple{400.0, 150.0, 150.0, 0.0, 1},
          std::tuple{20.0, 8.0, 4.0, 5.0, 0}}) {
        for (const wing::WingSide side : {wing::WingSide::Right, wing::WingSide::Left, wing::WingSide::Both}) {
            RibProperties p = kDefaultRibProperties;
            p.metric = metric;
            wing::WingPanel panel;
            panel.span = span, panel.rootChord = rootChord, panel.tipChord = tipChord, panel.sweep = sweep;
            panel.ribCount = 9, panel.side = side;
            p.height = 0.0f;
            const wing::RibSet set = wing::buildRibSet(panel, p, root);
            ASSERT_TRUE(set.error.empty()) << set.error;
            ModelOptions options;
            options.thickness = metric ? 2.0 : 0.08;
            options.side = side;
            const Model model = wingModel(set, panel, options);
            ASSERT_TRUE(model.error.empty());
            const double mm = metric ? 1.0 : 25.4;
            const Box3 box = bounds(model);
            const double tol = 1e-3 * mm;
            EXPECT_NEAR(box.min.x, 0.0, tol);
            EXPECT_NEAR(box.max.x, std::max(rootChord, sweep + tipChord) * mm, tol);
            EXPECT_NEAR(box.max.y, side == wing::WingSide::Left ? 0.0 : span * mm, tol);
            EXPECT_NEAR(box.min.y, side == wing::WingSide::Right ? 0.0 : -span * mm, tol);
            // The root is the deepest rib: its section sets the height.
            EXPECT_NEAR(box.min.z, lowest * rootChord * mm, tol);
            EXPECT_NEAR(box.max.z, highest * rootChord * mm, tol);
        }
    }
}

TEST(MeshWing, WashoutTurnsTheTipNoseDownAndPickingFindsTheRib) {
    const auto root = section("asb__naca0012.dat");
    RibProperties p = kDefaultRibProperties;
    p.height = 0.0f;
    wing::WingPanel panel;
    panel.span = 300, panel.rootChord = 100, panel.tipChord = 100, panel.ribCount = 4, panel.washout = 10.0;
    panel.side = wing::WingSide::Right;
    const wing::RibSet set = wing::buildRibSet(panel, p, root);
    ModelOptions options;
    options.side = wing::WingSide::Right;
    const Model model = wingModel(set, panel, options);
    ASSERT_TRUE(model.error.empty());
    // The tip rib (R4) turned 10 degrees about its trailing edge: the nose
    // 100 sin 10 below the chord line, and 100 (1 - cos 10) aft.
    const auto tip = std::find_if(model.parts.begin(), model.parts.end(), [](const Part& q) { return q.name == "R4 R"; });
    ASSERT_NE(tip, model.parts.end());
    const Box3 box = bounds(tip->mesh);
    const double w = 10.0 * std::numbers::pi / 180.0;
    EXPECT_NEAR(box.min.x, 100.0 * (1.0 - std::cos(w)), 0.3);
    EXPECT_LT(box.min.z, -100.0 * std::sin(w) + 1.0);
    EXPECT_GT(box.max.x, 99.9);
    // A ray straight down through each rib's station at 30 % of the chord
    // picks that rib; between the ribs it meets none.
    for (std::size_t i = 0; i < set.ribs.size(); ++i) {
        const double y = std::clamp(set.ribs[i].station.station, 1.0, 299.0);
        const int hit = pickPart(model, Vec3{30.0, y, 100.0}, Vec3{0, 0, -1}, kRibs);
        ASSERT_GE(hit, 0) << i;
        EXPECT_EQ(model.parts[static_cast<std::size_t>(hit)].rib, static_cast<int>(i));
    }
    EXPECT_EQ(pickPart(model, Vec3{30.0, 50.0, 100.0}, Vec3{0, 0, -1}, kRibs), -1);
}

TEST(MeshFiles, StlAndObjHoldOneNamedClosedSolidPerPart) {
    const auto root = section("asb__clarky.dat");
    RibProperties p = kDefaultRibProperties;
    p.sparStyle = 2;
    p.height = 0.0f;
    wing::WingPanel panel;
    panel.ribCount = 5, panel.side = wing::WingSide::Left;
    const wing::RibSet set = wing::buildRibSet(panel, p, root);
    ModelOptions options;
    options.side = wing::WingSide::Left;
    const Model model = wingModel(set, panel, options);
    ASSERT_TRUE(model.error.empty());

    // OBJ read back: each group's faces form a closed solid of the same volume.
    std::istringstream obj(objText(model));
    std::vector<Vec3> vertices;
    std::map<std::string, std::vector<Triangle>> groups;
    std::vector<std::string> order;
    std::string line, group;
    while (std::getline(obj, line)) {
        std::istringstream in(line);
        std::string tag;
        in >> tag;
        if (tag == "g") {
            group = line.substr(2);
            order.push_back(group);
        } else if (tag == "v") {
            Vec3 v;
            in >> v.x >> v.y >> v.z;
            vertices.push_back(v);
        } else if (tag == "f") {
            Triangle t;
            in >> t[0] >> t[1] >> t[2];
            for (auto& i : t) --i;
            groups[group].push_back(t);
        }
    }
    ASSERT_EQ(order.size(), model.parts.size());
    EXPECT_EQ(order.front(), "R1 L");
    EXPECT_NE(std::find(order.begin(), order.end(), "spar"), order.end());
    for (const Part& part : model.parts) {
        TriangleMesh back{vertices, groups[part.name]};
        expectSolid(back, "OBJ " + part.name);
        EXPECT_NEAR(volume(back), volume(part.mesh), 1e-4 * volume(part.mesh)) << part.name;
    }

    // STL: one solid per part, three vertices a facet.
    const std::string stl = stlText(model);
    std::size_t solids = 0, facets = 0, vertexLines = 0;
    std::istringstream s(stl);
    while (std::getline(s, line)) {
        solids += line.starts_with("solid ");
        facets += line.starts_with("  facet normal ");
        vertexLines += line.starts_with("      vertex ");
    }
    std::size_t triangles = 0;
    for (const Part& part : model.parts) triangles += part.mesh.triangles.size();
    EXPECT_EQ(solids, model.parts.size());
    EXPECT_EQ(facets, triangles);
    EXPECT_EQ(vertexLines, 3 * triangles);

    // A new file only: the second write refuses and leaves the first.
    const fs::path folder = fs::temp_directory_path() / ("parvelin-mesh-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "wing.OBJ").string();
    EXPECT_EQ(modelFormatFor(path), ModelFormat::Obj);
    EXPECT_EQ(modelFormatFor("wing.stl"), ModelFormat::Stl);
    EXPECT_FALSE(modelFormatFor("wing.dxf").has_value());
    EXPECT_EQ(writeModelFile(path, model), FileWriteResult::Written);
    EXPECT_EQ(writeModelFile(path, ribModel(AirfoilDocument{}, 2.0)), FileWriteResult::AlreadyExists);
    std::ifstream written(path);
    std::stringstream bytes;
    bytes << written.rdbuf();
    EXPECT_EQ(bytes.str(), objText(model));
    fs::remove_all(folder);
}

TEST(MeshCli, ModelWritesARibOrTheWholeWingAndNeverOverwrites) {
    const fs::path folder = fs::temp_directory_path() / ("parvelin-model-cli-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    auto run = [&](const std::string& arguments) {
        return WEXITSTATUS(std::system(("'" + std::string(PARVELIN_CLI) + "' model " + arguments + " >'" +
                                        (folder / "out.txt").string() + "' 2>'" + (folder / "err.txt").string() + "'")
                                           .c_str()));
    };
    auto read = [](const fs::path& path) {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    const std::string design = std::string(PARVELIN_SOURCE_DIR) + "/tests/data/rib_designs/clarky-wing.parvelin";
    const std::string airfoil = std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat";
    ASSERT_EQ(run("'" + design + "' '" + (folder / "wing.obj").string() + "'"), 0) << read(folder / "err.txt");
    const std::string obj = read(folder / "wing.obj");
    for (const char* name : {"\ng R3 L\n", "\ng R9 R\n", "\ng spar L\n", "\ng leading edge R\n", "\ng sheeting L\n"})
        EXPECT_NE(obj.find(name), std::string::npos) << name;
    EXPECT_EQ(run("--side right '" + design + "' '" + (folder / "right.stl").string() + "'"), 0);
    const std::string stl = read(folder / "right.stl");
    EXPECT_NE(stl.find("solid R1 R\n"), std::string::npos);
    EXPECT_EQ(stl.find("solid R1 L\n"), std::string::npos);
    // A single rib, 3 mm thick: its STL lies between z = 0 and 3.
    ASSERT_EQ(run("--chord 150 --thickness 3 --set sparStyle=1 '" + airfoil + "' '" + (folder / "rib.stl").string() + "'"), 0);
    const std::string rib = read(folder / "rib.stl");
    EXPECT_NE(rib.find(" 3\n"), std::string::npos);
    // Never over an existing file; bad values and names are refused.
    EXPECT_EQ(run("'" + airfoil + "' '" + (folder / "rib.stl").string() + "'"), 1);
    EXPECT_EQ(read(folder / "rib.stl"), rib);
    EXPECT_EQ(run("--thickness 0 '" + airfoil + "' '" + (folder / "x.stl").string() + "'"), 2);
    EXPECT_EQ(run("'" + airfoil + "' '" + (folder / "x.ply").string() + "'"), 2);
    EXPECT_EQ(run("--side up '" + design + "' '" + (folder / "x.stl").string() + "'"), 2);
    EXPECT_FALSE(fs::exists(folder / "x.stl"));
    fs::remove_all(folder);
}
