// SPDX-License-Identifier: GPL-3.0-or-later
// Output a user can trust: values no rib can be cut from and options that do
// not apply are refused, a wing without a board height is built without
// tabs, and the marks of a cut file stay on the part and on the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "cut/CutFile.h"
#include "cut/CutMarks.h"
#include "document/AirfoilDocument.h"

namespace fs = std::filesystem;
using namespace parvelin;

namespace {

struct Scratch {
    fs::path dir;
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "parvelin-trust-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
    }
    ~Scratch() { fs::remove_all(dir); }
    std::size_t files() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }
};

struct CliResult {
    int status = -1;
    std::string err;
};

CliResult cli(const Scratch& s, const std::string& arguments) {
    const fs::path err = s.dir / "stderr.txt";
    const int status = std::system(("cd '" + s.dir.string() + "' && '" + PARVELIN_CLI + "' " + arguments + " >/dev/null 2>'" +
                                    err.string() + "'")
                                       .c_str());
    std::ifstream in(err);
    CliResult run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(std::istreambuf_iterator<char>(in), {})};
    fs::remove(err);
    return run;
}

const std::string kClarkY = "'" + std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat'";

} // namespace

// Each of these once wrote a file with exit status 0: points all at one spot,
// notches closed by the kerf, a rib swallowed by it, or an option ignored.
TEST(TrustedOutput, ValuesAndOptionsThatMakeNoSoundFileAreRefused) {
    Scratch s;
    struct Case {
        std::string arguments;
        const char* named;  // what the message must name
    } refused[] = {
        {"cut --chord 1e-20 " + kClarkY + " tiny.svg", "chord"},
        {"cut --chord 0.9 " + kClarkY + " small.dxf", "chord"},
        {"cut --inches --chord 0.03 " + kClarkY + " small-in.dxf", "chord"},
        {"cut --chord 200 --set sparStyle=1 --kerf 5 " + kClarkY + " closed.dxf", "notch"},
        {"cut --chord 200 --set sparStyle=1 --kerf 2.5 " + kClarkY + " half.dxf", "notch"},
        {"cut --chord 200 --set leadingEdgeStyle=4 --set leadingEdgeHeight=3 --kerf 1.6 " + kClarkY + " le.dxf",
         "notch"},
        {"cut --chord 200 --kerf 1000 " + kClarkY + " blob.dxf", "twentieth"},
        {"export --kerf 0.2 " + kClarkY + " kerf.dxf", "--kerf"},
        {"export --dxf-version R12 " + kClarkY + " version.dxf", "--dxf-version"},
        {"cut --dxf-version R12 " + kClarkY + " version.svg", "--dxf-version"},
        {"print --kerf 0.2 " + kClarkY + " kerf.pdf", "--kerf"},
        {"export --page A3 " + kClarkY + " page.dxf", "--page"},
        {"cut --sheet 600x100 " + kClarkY + " sheet.dxf", "--sheet"},
        {"info --chord 200 " + kClarkY, "--chord"},
    };
    for (const Case& c : refused) {
        const CliResult run = cli(s, c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << c.arguments << "\n" << run.err;
        EXPECT_EQ(s.files(), 0u) << c.arguments;
    }
    // Just inside every limit the files are written.
    for (const std::string& ok : {"cut --chord 1 " + kClarkY + " one.dxf",
                                 "cut --chord 200 --set sparStyle=1 --kerf 2.4 " + kClarkY + " kerf.svg",
                                 "cut --chord 200 --dxf-version R12 " + kClarkY + " r12.dxf"})
        EXPECT_EQ(cli(s, ok).status, 0) << ok;
    EXPECT_EQ(s.files(), 3u);
}

// The default board height is too low for Clark Y's lower surface: the set
// is built without tabs and the user told, as the program does; a height the
// user chose that cannot stand still refuses the whole set.
TEST(TrustedOutput, AWingWithoutAChosenHeightIsBuiltWithoutTabs) {
    Scratch s;
    const std::string wing = "wing --span 600 --root-chord 200 --tip-chord 120 --ribs 3 ";
    const CliResult built = cli(s, wing + kClarkY + " ribs");
    EXPECT_EQ(built.status, 0) << built.err;
    EXPECT_NE(built.err.find("without tabs"), std::string::npos) << built.err;
    EXPECT_TRUE(fs::exists(s.dir / "ribs" / "sheet-1.dxf"));
    const CliResult refused = cli(s, wing + "--set height=2 " + kClarkY + " chosen");
    EXPECT_EQ(refused.status, 1) << refused.err;
    EXPECT_NE(refused.err.find("building board"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(s.dir / "chosen"));
}

// Over every airfoil file, several component sets and chords: every etched
// camber mark lies on the part, the label stands wholly on the part or
// wholly below it (never across a cut), and the SVG page holds every mark
// and the label.
TEST(TrustedOutput, MarksAndLabelsStayOnThePartAndOnThePage) {
    struct Build {
        int le, spar, te, sheeting;
    } builds[] = {{0, 0, 0, 0}, {1, 1, 3, 0}, {3, 2, 1, 4}, {4, 1, 2, 1}};
    int files = 0, inside = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR)) {
        AirfoilDocument doc;
        if (doc.loadFile(entry.path().string()) != ReadStatus::Loaded) continue;
        ++files;
        for (const Build& b : builds)
            for (const float chord : {60.0f, 200.0f}) {
                RibProperties p = kDefaultRibProperties;
                p.chord = chord;
                p.leadingEdgeStyle = b.le;
                p.sparStyle = b.spar;
                p.trailingEdgeStyle = b.te;
                p.sheetingStyle = b.sheeting;
                p.sparDistanceInPercent = 1;
                doc.applyProperties(p);
                doc.setShowCamberLine(true);
                const CutDrawing d = cutDrawing(doc, 0.0);
                if (d.pieces == 0) continue;
                const std::string where = entry.path().filename().string() + " chord " + std::to_string(chord);
                ModelPolygon part = d.outline;
                // The chord-line and spar ticks stand beside the part; everything after them is the camber line.
                const std::size_t ticks = b.spar != 0 ? 4 : 2;
                for (std::size_t i = ticks; i < d.marks.size(); ++i) {
                    const ModelPoint mid{0.5 * (d.marks[i].from.x + d.marks[i].to.x),
                                         0.5 * (d.marks[i].from.y + d.marks[i].to.y)};
                    EXPECT_TRUE(pointInside(part, mid)) << where << " camber mark at " << mid.x << ", " << mid.y;
                }
                const double width = labelTextWidth(d.labelHeight, d.label.size());
                const bool onPart =
                    boxInside(part, d.labelAt.x, d.labelAt.y, d.labelAt.x + width, d.labelAt.y + d.labelHeight);
                double bottom = part.front().y;
                for (const ModelPoint& q : part) bottom = std::min(bottom, q.y);
                EXPECT_TRUE(onPart || d.labelAt.y + d.labelHeight < bottom) << where << " label " << d.label;
                inside += onPart ? 1 : 0;
                if (onPart) {
                    EXPECT_GE(d.labelHeight, std::min(1.5, 0.015 * chord) * 0.999) << where;
                }

                std::istringstream box(cutSvgText(d).substr(cutSvgText(d).find("viewBox=\"") + 9));
                double left = 0, top = 0, w = 0, h = 0;
                box >> left >> top >> w >> h;
                auto onPage = [&](ModelPoint q) {
                    return q.x >= left && q.x <= left + w && -q.y >= top && -q.y <= top + h;
                };
                for (const CutMark& m : d.marks) EXPECT_TRUE(onPage(m.from) && onPage(m.to)) << where;
                EXPECT_TRUE(onPage(d.labelAt) && onPage({d.labelAt.x + width, d.labelAt.y + d.labelHeight})) << where;
            }
    }
    EXPECT_GT(files, 30);
    // Most labels find room on the part itself.
    EXPECT_GT(inside, files * 6);
}
