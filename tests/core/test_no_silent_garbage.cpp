// SPDX-License-Identifier: GPL-3.0-or-later
// No silent wrong rib: every command of parvelin-cli over every airfoil file
// either writes a rib whose area is the airfoil's as File > Import reads it,
// or says why it does not (a refusal with its status, or a warning naming
// --import where the command keeps Open's reading and its status).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "clip/CutOutline.h"
#include "dxf/RibDxf.h"
#include "document/AirfoilDocument.h"
#include "model/ImportReader.h"
#include "document/RibDesignFile.h"
#include "text/NumberText.h"

namespace parvelin {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Scratch {
    fs::path dir;
    Scratch() {
        char pattern[] = "/tmp/parvelin-garbage-XXXXXX";
        dir = ::mkdtemp(pattern) != nullptr ? fs::path(pattern) : fs::path();
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

CliRun runCli(const fs::path& folder, const std::string& arguments) {
    const fs::path out = folder / "stdout.txt";
    const fs::path err = folder / "stderr.txt";
    const std::string command = "cd " + quoted(folder) + " && env -u DISPLAY QT_QPA_PLATFORM=offscreen '" +
                                std::string(PARVELIN_CLI) + "' " + arguments + " >" + quoted(out) + " 2>" + quoted(err);
    const int status = std::system(command.c_str());
    return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
}

double shoelace(const std::vector<std::pair<double, double>>& p) {
    double twice = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const auto& [ax, ay] = p[i];
        const auto& [bx, by] = p[(i + 1) % p.size()];
        twice += ax * by - bx * ay;
    }
    return std::fabs(twice) / 2.0;
}

double number(const std::string& text) {
    std::size_t used = 0;
    return parseDouble(text.c_str(), &used);
}

// The area the LINE entities of a DXF drawing enclose, taken as one closed
// chain in drawing order (the airfoil of a rib without components).
double dxfLineArea(const std::string& dxf) {
    std::istringstream in(dxf);
    std::string code;
    std::string value;
    bool inLine = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, twice = 0.0;
    auto trim = [](std::string s) {
        while (!s.empty() && (s.back() == '\r' || s.back() == ' ')) s.pop_back();
        while (!s.empty() && s.front() == ' ') s.erase(0, 1);
        return s;
    };
    while (std::getline(in, code) && std::getline(in, value)) {
        code = trim(code);
        value = trim(value);
        if (code == "0") {
            if (inLine) twice += x1 * y2 - x2 * y1;
            inLine = value == "LINE";
        } else if (inLine) {
            if (code == "10") x1 = number(value);
            if (code == "20") y1 = number(value);
            if (code == "11") x2 = number(value);
            if (code == "21") y2 = number(value);
        }
    }
    return std::fabs(twice) / 2.0;
}

// The area of the cut outline in a cut SVG ("M x,y L x,y ... Z" in the CUT group).
double svgCutArea(const std::string& svg) {
    const std::size_t group = svg.find("id=\"CUT\"");
    const std::size_t d = svg.find("d=\"M", group);
    if (group == std::string::npos || d == std::string::npos) return -1.0;
    const std::size_t end = svg.find('"', d + 3);
    std::istringstream in(svg.substr(d + 4, end - d - 4));
    std::vector<std::pair<double, double>> points;
    std::string token;
    while (in >> token) {
        const std::size_t comma = token.find(',');
        if (comma == std::string::npos) continue;  // "L", "Z"
        points.emplace_back(number(token.substr(0, comma)), number(token.substr(comma + 1)));
    }
    return shoelace(points);
}

// The area of the points `info` lists after its "points:" line.
double infoArea(const std::string& out) {
    std::istringstream in(out);
    std::string line;
    std::vector<std::pair<double, double>> points;
    bool listing = false;
    while (std::getline(in, line)) {
        if (line.starts_with("points:")) {
            listing = true;
            continue;
        }
        // The measure lines ("thickness: ...", "camber: ...") are not points.
        if (!listing || line.find(':') != std::string::npos) continue;
        std::istringstream pair(line);
        std::string x, y;
        if (pair >> x >> y) points.emplace_back(number(x), number(y));
    }
    return shoelace(points);
}

double importedArea(const fs::path& file) {
    const ImportResult imported = parseImportFile(readAll(file), file.filename().string());
    if (imported.status != ImportStatus::Imported) return -1.0;
    std::vector<std::pair<double, double>> points;
    for (const CoordinatePair& p : imported.contents.drawingOrder) points.emplace_back(p.modelX, p.modelY);
    return shoelace(points);
}

// The real airfoil files of the suite, the shared corpus beside the source
// tree when there is one (files the suite holds already left out), and the
// hand-made files of every layout Import reads.
std::vector<fs::path> airfoilFiles() {
    std::vector<fs::path> files;
    std::set<std::string> seen;
    auto add = [&](const fs::path& folder) {
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) return;
        std::vector<fs::path> here;
        for (const fs::directory_entry& e : fs::directory_iterator(folder))
            if (e.is_regular_file() && e.path().extension() != ".md") here.push_back(e.path());
        std::sort(here.begin(), here.end());
        for (const fs::path& p : here)
            if (seen.insert(readAll(p)).second) files.push_back(p);
    };
    add(PARVELIN_AIRFOIL_DIR);
    add(fs::path(PARVELIN_SOURCE_DIR) / "tests/data/import/forms");
    add(fs::path(PARVELIN_SOURCE_DIR).parent_path() / "shared/airfoils");
    return files;
}

bool warnsNamingImport(const CliRun& run) {
    return run.err.find("warning") != std::string::npos && run.err.find("--import") != std::string::npos;
}

constexpr double kChord = 200.0;

TEST(NoSilentWrongRib, EveryCommandOverEveryAirfoilWritesItsAreaOrSaysWhy) {
    const std::vector<fs::path> files = airfoilFiles();
    ASSERT_GE(files.size(), 50u);
    int warned = 0;
    int written = 0;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const double area = importedArea(file) * kChord * kChord;
        Scratch scratch;
        const std::string chord = "--chord 200 ";
        // Within 1 %, or the command says why not: a refusal with a non-zero
        // status, or (where it keeps Open's reading) a warning naming --import.
        auto check = [&](const char* command, const CliRun& run, double ribArea, bool mayWarn) {
            SCOPED_TRACE(command);
            if (run.status != 0) {
                EXPECT_NE(run.err.find("parvelin-cli: "), std::string::npos) << "refused without a word";
                return;
            }
            if (mayWarn && warnsNamingImport(run)) {
                ++warned;
                return;
            }
            ASSERT_GT(area, 0.0) << "a rib written from a file Import refuses";
            EXPECT_NEAR(ribArea, area, 0.01 * area) << run.err;
            ++written;
        };

        const CliRun exported = runCli(scratch.dir, "export " + chord + quoted(file) + " rib.dxf");
        check("export", exported, dxfLineArea(readAll(scratch.dir / "rib.dxf")), true);

        const CliRun cut = runCli(scratch.dir, "cut " + chord + quoted(file) + " rib.svg");
        check("cut", cut, svgCutArea(readAll(scratch.dir / "rib.svg")), false);

        const CliRun project = runCli(scratch.dir, "project " + chord + quoted(file) + " rib.parvelin");
        const RibDesignRead design = readRibDesignFile((scratch.dir / "rib.parvelin").string());
        std::vector<std::pair<double, double>> designPoints;
        for (const CoordinatePair& p : design.design.points) designPoints.emplace_back(p.modelX * kChord, p.modelY * kChord);
        check("project", project, shoelace(designPoints), true);

        const CliRun info = runCli(scratch.dir, "info " + quoted(file));
        check("info", info, infoArea(info.out) * kChord * kChord, true);

        // Printing reads as export does: the same warning, or none, and the
        // status of export. Each print starts Qt, so it runs for the files
        // export warns about and for every tenth of the rest.
        if (warnsNamingImport(exported) || exported.status != 0 || (&file - files.data()) % 10 == 0) {
            const CliRun print = runCli(scratch.dir, "print " + chord + quoted(file) + " rib.pdf");
            EXPECT_EQ(print.status, exported.status);
            EXPECT_EQ(warnsNamingImport(print), warnsNamingImport(exported)) << print.err;
        }

        // One rib a side of a straight panel at the same chord, no tabs.
        const CliRun wing = runCli(scratch.dir, "wing --span 300 --root-chord 200 --tip-chord 200 --ribs 2 "
                                                "--side left --set height=0 " + quoted(file) + " ribs");
        double wingArea = -1.0;
        if (wing.status == 0)
            for (const fs::directory_entry& e : fs::directory_iterator(scratch.dir / "ribs"))
                if (e.path().filename().string().ends_with("-R01.dxf")) wingArea = dxfLineArea(readAll(e.path()));
        check("wing", wing, wingArea, false);
    }
    // Open takes five files only in part (four real ones and the one sorted
    // by x): export, project and info warn about each; the rest is read whole.
    EXPECT_GE(warned, 5 * 3);
    EXPECT_GE(written, static_cast<int>(files.size()) * 4);
}

fs::path corpusFile(const char* name) { return fs::path(PARVELIN_AIRFOIL_DIR) / name; }

std::string openDxf(const fs::path& file, float chord) {
    AirfoilDocument document;
    document.takeContents(parseCoordinateFile(readAll(file)));
    RibProperties p = kDefaultRibProperties;
    p.chord = chord;
    document.applyProperties(p);
    return ribDxfDrawing(document.rib()).text();
}

// Files Open takes only in part (percent of the chord, no name line, one
// surface read as the whole): export, print, info and project keep Open's
// reading and status 0 but warn, naming --import; cut reads them as Import
// does and says what Import changed.
TEST(NoSilentWrongRib, CommandsWarnOrImportWhereOpenTakesAFileOnlyInPart) {
    for (const char* name : {"wgc__mh30.dat", "anu__naca4415.dat", "asb__naca23021.dat", "suave__airfoil_geometry_1.txt"}) {
        SCOPED_TRACE(name);
        Scratch scratch;
        const fs::path file = corpusFile(name);
        const CliRun exported = runCli(scratch.dir, "export --chord 200 " + quoted(file) + " rib.dxf");
        EXPECT_EQ(exported.status, 0);
        EXPECT_TRUE(warnsNamingImport(exported)) << exported.err;
        EXPECT_EQ(readAll(scratch.dir / "rib.dxf"), openDxf(file, 200.0f));
        for (const char* command : {"info", "project --chord 200", "print --chord 200"}) {
            const std::string output = std::string(command) == "info" ? "" : std::string(command).starts_with("project") ? " rib.parvelin" : " rib.pdf";
            const CliRun run = runCli(scratch.dir, std::string(command) + " " + quoted(file) + output);
            EXPECT_EQ(run.status, 0) << command;
            EXPECT_TRUE(warnsNamingImport(run)) << command << ": " << run.err;
        }
        const CliRun cut = runCli(scratch.dir, "cut --chord 200 " + quoted(file) + " rib.svg");
        EXPECT_EQ(cut.status, 0) << cut.err;
        EXPECT_FALSE(warnsNamingImport(cut)) << cut.err;
        const double area = importedArea(file) * kChord * kChord;
        EXPECT_NEAR(svgCutArea(readAll(scratch.dir / "rib.svg")), area, 0.01 * area);
    }
    // A file Open reads whole: no word on standard error.
    Scratch scratch;
    const CliRun clean = runCli(scratch.dir, "export " + quoted(corpusFile("asb__clarky.dat")) + " rib.dxf");
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.err, "");
}

// A blunt trailing edge is cut as it is drawn: its two points joined by a
// short edge, the full thickness of the file's trailing edge.
TEST(NoSilentWrongRib, ABluntTrailingEdgeKeepsItsThicknessInTheCut) {
    const struct {
        const char* file;
        double thickness;  // of the trailing edge, in chords
    } cases[] = {{"asb__clarky.dat", 0.0011986}, {"asb__usa35b.dat", 0.0025}, {"asb__naca2412.dat", 0.0025146}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ImportResult imported = readImportFile(corpusFile(c.file).string());
        ASSERT_EQ(imported.status, ImportStatus::Imported);
        AirfoilDocument document;
        document.takeContents(imported.contents);
        RibProperties p = kDefaultRibProperties;
        p.chord = 200.0f;
        document.applyProperties(p);
        const ModelPolygon outline = document.cutOutline().outline;
        double top = -1.0, bottom = 1.0;
        int atTail = 0;
        for (const ModelPoint& q : outline)
            if (q.x > 1.0 - 1e-6) {
                ++atTail;
                top = std::max(top, q.y);
                bottom = std::min(bottom, q.y);
            }
        EXPECT_EQ(atTail, 2);
        EXPECT_NEAR(top - bottom, c.thickness, 1e-6);
        // In the cut file too, in millimetres.
        Scratch scratch;
        const CliRun cut = runCli(scratch.dir, "cut --chord 200 " + quoted(corpusFile(c.file)) + " rib.svg");
        ASSERT_EQ(cut.status, 0) << cut.err;
        const std::string svg = readAll(scratch.dir / "rib.svg");
        EXPECT_NE(svg.find(" 200.000000," + formatFixed6(-top * 200.0)), std::string::npos);
        EXPECT_NE(svg.find(" 200.000000," + formatFixed6(-bottom * 200.0)), std::string::npos);
    }
}

// What no rib can be cut from is refused, naming what the user can change.
TEST(NoSilentWrongRib, TooFewPointsAndASparBehindTheTrailingEdgeAreRefusedNamingThem) {
    Scratch scratch;
    const fs::path two = scratch.dir / "two.dat";
    std::ofstream(two) << "TWO POINTS\n1.0 0.0\n0.0 0.0\n";
    for (const char* command : {"cut", "wing --span 300 --root-chord 200 --tip-chord 200 --ribs 2 --set height=0"}) {
        const std::string output = std::string(command) == "cut" ? " rib.svg" : " ribs";
        const CliRun run = runCli(scratch.dir, std::string(command) + " " + quoted(two) + output);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find("The file holds too few points for an airfoil"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("components"), std::string::npos) << run.err;
    }
    // A design of two points (the design reader takes two) is refused alike.
    RibDesign design;
    design.name = "TWO POINTS";
    design.points = {{1.0f, 0.0f}, {0.0f, 0.0f}};
    design.properties = kDefaultRibProperties;
    ASSERT_TRUE(writeRibDesignFile((scratch.dir / "two.parvelin").string(), design).written);
    const CliRun fromDesign = runCli(scratch.dir, "cut two.parvelin design.svg");
    EXPECT_EQ(fromDesign.status, 1);
    EXPECT_NE(fromDesign.err.find("The file holds too few points for an airfoil"), std::string::npos) << fromDesign.err;

    const std::string clarkY = quoted(corpusFile("asb__clarky.dat"));
    for (const char* spar : {"--set sparDistance=210", "--set sparDistance=197", "--set sparDistanceInPercent=1 --set sparDistance=101",
                             "--inches --chord 6 --set sparDistance=6.5"}) {
        for (const char* command : {"cut", "export", "project"}) {
            SCOPED_TRACE(std::string(command) + " " + spar);
            const std::string output = std::string(command) == "cut" ? "s.svg" : std::string(command) == "export" ? "s.dxf" : "s.parvelin";
            const std::string chord = std::string(spar).find("--chord") == std::string::npos ? " --chord 200 " : " ";
            const CliRun run = runCli(scratch.dir, std::string(command) + chord + "--set sparStyle=1 " + spar + " " + clarkY + " " + output);
            EXPECT_EQ(run.status, 2);
            EXPECT_NE(run.err.find("sparDistance places the spar behind the trailing edge"), std::string::npos) << run.err;
            EXPECT_FALSE(fs::exists(scratch.dir / output));
        }
    }
    // A spar whose rear face meets the trailing edge still stands in the rib.
    const CliRun atTail = runCli(scratch.dir, "cut --chord 200 --set sparStyle=1 --set sparDistance=195 " + clarkY + " tail.svg");
    EXPECT_EQ(atTail.status, 0) << atTail.err;
}

} // namespace
} // namespace parvelin
