// SPDX-License-Identifier: GPL-3.0-or-later
// Cut files as their readers see them: the DXF read back by ezdxf (when it
// is installed), the SVG measured from its own numbers, both through the
// command-line tool as a user runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "cut/CutFile.h"
#include "document/AirfoilDocument.h"

namespace fs = std::filesystem;

namespace {

struct Scratch {
    fs::path dir;
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "parvelin-cut-test-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
    }
    ~Scratch() { fs::remove_all(dir); }
};

std::string airfoil(const char* name) { return std::string(PARVELIN_AIRFOIL_DIR) + "/" + name; }

int run(const std::string& arguments) {
    return std::system((std::string(PARVELIN_CLI) + " " + arguments + " 2>/dev/null").c_str());
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The x extent of the SVG outline and the page's width with its unit.
struct SvgMeasure {
    double left = 1e30, right = -1e30;
    std::string width, viewBox;
};

SvgMeasure measure(const std::string& svg) {
    SvgMeasure m;
    std::smatch match;
    if (std::regex_search(svg, match, std::regex("width=\"([0-9.]+[a-z]+)\""))) m.width = match[1];
    if (std::regex_search(svg, match, std::regex("viewBox=\"([^\"]+)\""))) m.viewBox = match[1];
    const std::size_t start = svg.find("<path d=\"M");
    const std::size_t end = svg.find('"', start + 9);
    std::istringstream path(svg.substr(start + 10, end - start - 10));
    std::string token;
    while (path >> token) {
        if (token == "L" || token == "Z") continue;
        const double x = std::stod(token.substr(0, token.find(',')));
        m.left = std::min(m.left, x);
        m.right = std::max(m.right, x);
    }
    return m;
}

} // namespace

TEST(CutFile, SvgSpansTheChordAndTheKerfWidensIt) {
    Scratch s;
    const std::string builds[] = {"", "--set sparStyle=1 --set sheetingStyle=1",
                                  "--set leadingEdgeStyle=2 --set trailingEdgeStyle=2 --set sheetingStyle=4"};
    for (const char* file : {"asb__clarky.dat", "asb__naca2412.dat", "asb__e387.dat"})
        for (const std::string& build : builds) {
            const fs::path plain = s.dir / "plain.svg", kerf = s.dir / "kerf.svg";
            fs::remove(plain), fs::remove(kerf);
            ASSERT_EQ(run("cut --chord 200 " + build + " " + airfoil(file) + " " + plain.string()), 0) << file << build;
            ASSERT_EQ(run("cut --chord 200 --kerf 0.2 " + build + " " + airfoil(file) + " " + kerf.string()), 0);
            const SvgMeasure a = measure(slurp(plain)), b = measure(slurp(kerf));
            if (build.empty() && std::string(file) == "asb__clarky.dat") {
                // Nothing built: the rib spans the whole chord (Clark Y runs
                // from x 0 to 1; E387's nose lies at 0.00044).
                EXPECT_NEAR(a.right - a.left, 200.0, 0.05) << file;
            }
            EXPECT_NEAR((b.right - b.left) - (a.right - a.left), 0.2, 0.01) << file << build;
            // The page is in millimetres and its viewBox in the same unit.
            EXPECT_EQ(a.width.substr(a.width.size() - 2), "mm");
            const double page = std::stod(a.width);
            const double box = std::stod(a.viewBox.substr(a.viewBox.find(' ', a.viewBox.find(' ') + 1) + 1));
            EXPECT_NEAR(page, box, 1e-6) << a.viewBox;
        }
    // Inches: a 10 inch rib spans 10 inches on a page sized in inches.
    const fs::path inch = s.dir / "inch.svg";
    ASSERT_EQ(run("cut --inches --chord 10 " + airfoil("asb__clarky.dat") + " " + inch.string()), 0);
    const SvgMeasure i = measure(slurp(inch));
    EXPECT_NEAR(i.right - i.left, 10.0, 0.0025);
    EXPECT_EQ(i.width.substr(i.width.size() - 2), "in");
}

TEST(CutFile, NeverOverwritesNeverHalfWrittenClearMessages) {
    Scratch s;
    const fs::path existing = s.dir / "rib.svg";
    std::ofstream(existing) << "keep me";
    EXPECT_EQ(run("cut " + airfoil("asb__clarky.dat") + " " + existing.string()), 256);
    EXPECT_EQ(slurp(existing), "keep me");
    // A name of another kind is a usage error, and so is a chord of 0 (no rib
    // is built from it); neither leaves a file behind.
    EXPECT_EQ(run("cut " + airfoil("asb__clarky.dat") + " " + (s.dir / "rib.pdf").string()), 512);
    EXPECT_EQ(run("cut --chord 0 " + airfoil("asb__clarky.dat") + " " + (s.dir / "zero.dxf").string()), 512);
    EXPECT_FALSE(fs::exists(s.dir / "zero.dxf"));
    EXPECT_EQ(run("cut --kerf -1 " + airfoil("asb__clarky.dat") + " " + (s.dir / "k.dxf").string()), 512);
    EXPECT_EQ(run("cut --dxf-version R14 " + airfoil("asb__clarky.dat") + " " + (s.dir / "v.dxf").string()), 512);
    EXPECT_EQ(std::distance(fs::directory_iterator(s.dir), fs::directory_iterator{}), 1);
}

TEST(CutFile, DxfReadsBackInEzdxfClosedOnItsLayersInItsUnit) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    Scratch s;
    const std::string build = "--set leadingEdgeStyle=1 --set sparStyle=1 --set trailingEdgeStyle=3 --set sheetingStyle=4";
    const std::string inchSizes = " --set sheetingThickness=0.0625 --set leadingEdgeDepth=0.125 --set sparWidth=0.25"
                                  " --set sparHeight=0.25 --set sparDistance=2 --set trailingEdgeWidth=1";
    struct Case {
        const char* options;
        const char* name;
        const char* version;
        int units;
        double chord;
    } cases[] = {{"--chord 200", "mm2000.dxf", "AC1015", 4, 200},
                 {"--chord 200 --dxf-version R12", "mm12.dxf", "AC1009", 4, 200},
                 {"--inches --chord 8", "in2000.dxf", "AC1015", 1, 8},
                 {"--inches --chord 8 --dxf-version R12", "in12.dxf", "AC1009", 1, 8}};
    const fs::path script = s.dir / "check.py";
    std::ofstream(script) << R"(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
polylines = [e for e in doc.modelspace() if e.dxftype() in ('LWPOLYLINE', 'POLYLINE')]
closed = all(e.closed if e.dxftype() == 'LWPOLYLINE' else e.is_closed for e in polylines)
layers = sorted(set(e.dxf.layer for e in doc.modelspace()))
xs = [p[0] for e in polylines for p in (e.get_points('xy') if e.dxftype() == 'LWPOLYLINE' else [v.dxf.location for v in e.vertices])]
print(doc.dxfversion, len(auditor.errors) + len(auditor.fixes), len(polylines), int(closed), doc.header.get('$INSUNITS', -1), ','.join(layers), round(max(xs) - min(xs), 4))
)";
    for (const Case& c : cases) {
        const fs::path dxf = s.dir / c.name;
        const std::string sizes = c.units == 1 ? inchSizes : std::string();
        ASSERT_EQ(run(std::string("cut ") + c.options + " " + build + sizes + " " + airfoil("asb__clarky.dat") + " " +
                      dxf.string()),
                  0);
        const fs::path out = s.dir / "out.txt";
        ASSERT_EQ(std::system(("/usr/bin/python3 " + script.string() + " " + dxf.string() + " > " + out.string()).c_str()), 0);
        std::istringstream line(slurp(out));
        std::string version, layers;
        int errors = -1, polylines = 0, closed = 0, units = 0;
        double span = 0;
        line >> version >> errors >> polylines >> closed >> units >> layers >> span;
        EXPECT_EQ(version, c.version) << c.name;
        EXPECT_EQ(errors, 0) << c.name << ": the audit found errors or had to fix the file";
        EXPECT_EQ(polylines, 1) << c.name;
        EXPECT_EQ(closed, 1) << c.name;
        EXPECT_EQ(units, c.units) << c.name;
        EXPECT_EQ(layers, "CUT,MARK") << c.name;
        // From the round dowel's seat to the trailing-edge stock at 87.5 %.
        EXPECT_GT(span, 0.8 * c.chord) << c.name;
        EXPECT_LE(span, 0.875 * c.chord + 1e-4) << c.name;
    }
}

// With the camber line shown it is etched among the marks: on the chord line
// for a symmetric section, within the thin band of Clark Y's camber (3.5 %
// of the chord at most, a hair below the chord line at the nose).
TEST(CutFile, TheCamberLineIsEtchedWhenShown) {
    using namespace parvelin;
    for (const char* file : {"asb__naca0012.dat", "asb__clarky.dat"}) {
        AirfoilDocument doc;
        ASSERT_EQ(doc.loadFile(airfoil(file)), ReadStatus::Loaded);
        RibProperties p = kDefaultRibProperties;
        p.chord = 200.0f;
        doc.applyProperties(p);
        const CutDrawing hidden = cutDrawing(doc, 0.0);
        doc.setShowCamberLine(true);
        const CutDrawing shown = cutDrawing(doc, 0.0);
        ASSERT_GT(shown.marks.size(), hidden.marks.size() + 20) << file;
        const bool symmetric = std::string(file) == "asb__naca0012.dat";
        for (std::size_t i = hidden.marks.size(); i < shown.marks.size(); ++i)
            for (const ModelPoint& q : {shown.marks[i].from, shown.marks[i].to}) {
                EXPECT_GE(q.x, 0.0) << file;
                EXPECT_LE(q.x, 200.0) << file;
                if (symmetric)
                    EXPECT_NEAR(q.y, 0.0, 0.01) << file << " at x " << q.x;
                else
                    EXPECT_TRUE(q.y > -1.0 && q.y < 10.0) << file << " at x " << q.x << " y " << q.y;
            }
    }
}
