// SPDX-License-Identifier: GPL-3.0-or-later
// The wing in a rib design file: what is saved comes back as the same rib
// set, and a bad wing refuses the whole file with the problem named.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "wing/RibSet.h"
#include "wing/WingDesign.h"
#include "wing/WingFiles.h"

using namespace parvelin;
using namespace parvelin::wing;
namespace fs = std::filesystem;

namespace {

std::vector<CoordinatePair> pairs(const char* file) {
    const CoordinateFileContents contents = readCoordinateFile((fs::path(PARVELIN_AIRFOIL_DIR) / file).string());
    EXPECT_EQ(contents.status, ReadStatus::Loaded) << file;
    EXPECT_GT(contents.drawingOrder.size(), 10U) << file;
    return contents.drawingOrder;
}

std::string slurpFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<AirfoilPoint> points(const std::vector<CoordinatePair>& pairs) {
    return pairs;
}

std::vector<std::string> ribDxfs(const RibDesign& design, const WingDesign& wing) {
    const RibSet set = buildRibSet(wing.panel, design.properties, points(design.points), points(wing.tipPoints));
    EXPECT_TRUE(set.error.empty()) << set.error;
    std::vector<std::string> out;
    for (const WingRib& rib : set.ribs) out.push_back(ribDrawing(rib).text());
    return out;
}

RibDesign rootDesign() {
    RibDesign design;
    design.name = "CLARK Y";
    design.points = pairs("asb__clarky.dat");
    design.properties.leadingEdgeStyle = 1;
    design.properties.leadingEdgeHeight = 5.0F;
    design.properties.leadingEdgeDepth = 5.0F;
    return design;
}

std::string goodWingText() {
    WingDesign wing;
    std::string error;
    return wingText(wing, error);
}

} // namespace

TEST(WingDesign, SavedWingReadsBackToTheSameRibs) {
    const RibDesign root = rootDesign();
    std::vector<WingDesign> wings;
    {
        WingDesign w;  // the defaults: tapered, 11 ribs, spar in percent, both sides
        wings.push_back(w);
        w.panel = {623.7, 181.3, 97.1, 7, 0.0, 41.9, 12.5, 20.0, false, 2.75, WingSide::Left};
        wings.push_back(w);
        w.tipName = "asb__goe417a.dat";
        w.tipPoints = pairs("asb__goe417a.dat");
        wings.push_back(w);
        w.panel = {300.0, 120.0, 120.0, 2, 29.3, -5.0, 25.0, 35.0, true, -1.0 / 3.0, WingSide::Right};
        w.tipName = "asb__naca23021.dat";
        w.tipPoints = pairs("asb__naca23021.dat");
        wings.push_back(w);
    }
    for (const WingDesign& wing : wings) {
        SCOPED_TRACE(wing.tipName + " span " + std::to_string(wing.panel.span));
        std::string error;
        const RibDesign design = withWing(root, wing, error);
        ASSERT_TRUE(error.empty()) << error;
        const std::string text = ribDesignText(design, error);
        ASSERT_TRUE(error.empty()) << error;

        const WingDesignRead read = parseDesignWithWing(text);
        ASSERT_TRUE(read.rib.loaded) << read.rib.error;
        ASSERT_TRUE(read.wing.has_value());
        EXPECT_EQ(*read.wing, wing);  // doubles and the tip's floats bit for bit
        const std::vector<std::string> before = ribDxfs(root, wing);
        EXPECT_EQ(ribDxfs(read.rib.design, *read.wing), before);
        EXPECT_EQ(before.size(), static_cast<std::size_t>(ribCountOf(wing.panel)));
        // Written again, the file is the same text.
        EXPECT_EQ(ribDesignText(read.rib.design, error), text);
    }

    // Without a wing the file stays a single rib, and clearing a wing removes it.
    std::string error;
    const RibDesign cleared = withWing(withWing(root, wings[2], error), std::nullopt, error);
    const WingDesignRead single = parseDesignWithWing(ribDesignText(cleared, error));
    ASSERT_TRUE(single.rib.loaded) << single.rib.error;
    EXPECT_FALSE(single.wing.has_value());
    EXPECT_EQ(single.rib.design, root);
}

TEST(WingDesign, BadWingsAreRefusedNamingTheProblem) {
    const nlohmann::json good = nlohmann::json::parse(goodWingText());
    struct Case {
        const char* key;
        nlohmann::json value;  // null: the key is removed
        const char* named;     // a word the refusal must hold
    };
    const nlohmann::json tip = {{"name", "T"}, {"points", {{1.0, 0.0}, {0.0, 0.0}, {1.0, 0.01}}}};
    const std::vector<Case> cases = {
        {"span", "500", "span"},
        {"span", -10.0, "span"},
        {"span", 0.0, "span"},
        {"span", nullptr, "span"},
        {"rootChord", 1.0, "JSON"},  // written as 1e400 below: too large for any number
        {"tipChord", true, "tipChord"},
        {"ribCount", 1, "at least 2 ribs"},
        {"ribCount", 600, "at most 500"},
        {"ribCount", 2.5, "ribCount"},
        {"ribCount", -4000000000LL, "at least 2 ribs"},
        {"ribCount", 18446744073709551615ULL, "at most 500"},
        {"ribSpacing", 0.1, "at most 500"},
        {"ribSpacing", -3.0, "spacing"},
        {"sparRoot", -1.0, "spar"},
        {"washout", 60.0, "washout"},
        {"sparInPercent", 1, "sparInPercent"},
        {"side", "up", "side"},
        {"tipAirfoil", "x", "tipAirfoil"},
        {"tipAirfoil", {{"name", "T"}, {"points", {{1.0, 0.0}}}}, "1 points"},
        {"tipAirfoil", {{"name", 3}, {"points", tip["points"]}}, "name"},
        {"tipAirfoil", {{"name", "T"}, {"points", {{1.0, 0.0}, {0.0, "a"}}}}, "point 2"},
        {"tipAirfoil", {{"name", "T"}, {"points", {{1.0, 0.0}, {0.0, 1e39}}}}, "point 2"},
    };
    RibDesign root = rootDesign();
    std::string error;
    const std::string base = ribDesignText(root, error);
    for (const Case& c : cases) {
        nlohmann::json wing = good;
        if (c.value.is_null())
            wing.erase(c.key);
        else
            wing[c.key] = c.value;
        nlohmann::json file = nlohmann::json::parse(base);
        file["wing"] = wing;
        std::string text = file.dump();
        if (std::string(c.key) == "rootChord") {  // json cannot hold 1e400 itself
            const auto at = text.find("\"rootChord\":");
            text.replace(at, text.find(',', at) - at, "\"rootChord\":1e400");
        }
        const WingDesignRead read = parseDesignWithWing(text);
        SCOPED_TRACE(std::string(c.key) + " = " + c.value.dump());
        EXPECT_FALSE(read.rib.loaded);
        EXPECT_FALSE(read.wing.has_value());
        EXPECT_NE(read.rib.error.find(c.named), std::string::npos) << read.rib.error;
    }
    // A wing that is not an object, and NaN, which JSON writes as null.
    for (const char* wing : {"[1,2]", "3", "\"wing\""}) {
        nlohmann::json file = nlohmann::json::parse(base);
        file["wing"] = nlohmann::json::parse(wing);
        const WingDesignRead read = parseDesignWithWing(file.dump());
        EXPECT_FALSE(read.rib.loaded);
        EXPECT_NE(read.rib.error.find("\"wing\" is not an object"), std::string::npos) << read.rib.error;
    }
    WingDesign nan;
    nan.panel.sweep = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(wingText(nan, error).empty());
    EXPECT_NE(error.find("sweep"), std::string::npos) << error;
    // The good wing itself reads.
    nlohmann::json file = nlohmann::json::parse(base);
    file["wing"] = good;
    file["wing"]["tipAirfoil"] = tip;
    EXPECT_TRUE(parseDesignWithWing(file.dump()).wing.has_value());
}

TEST(WingDesign, StoredDesignWithAWingOpensWithIt) {
    const WingDesignRead read = readDesignWithWing(
        (fs::path(PARVELIN_SOURCE_DIR) / "tests/data/rib_designs/clarky-wing.parvelin").string());
    ASSERT_TRUE(read.rib.loaded) << read.rib.error;
    ASSERT_TRUE(read.wing.has_value());
    EXPECT_EQ(read.wing->tipName, "GOE 417A");
    EXPECT_EQ(read.wing->tipPoints.size(), 5U);
    EXPECT_EQ(read.wing->panel.side, WingSide::Both);
    EXPECT_EQ(ribDxfs(read.rib.design, *read.wing).size(), 9U);
}

// The command-line tool takes a design's wing in every command that reads a
// design: `wing` without the panel options (and with any of them changing
// it), export, cut and print of every rib, info's wing line, and project
// copying the design with its wing.
TEST(CliDesignWing, EveryCommandTakesTheDesignsWing) {
    const fs::path design = fs::path(PARVELIN_SOURCE_DIR) / "tests/data/rib_designs/clarky-wing.parvelin";
    const fs::path dir = fs::temp_directory_path() / ("parvelin-cli-wing-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    auto run = [&](const std::string& arguments, std::string* out = nullptr) {
        const fs::path captured = dir / "stdout.txt";
        const std::string command = std::string(PARVELIN_CLI) + " " + arguments + " >'" + captured.string() +
                                    "' 2>/dev/null";
        const int status = std::system(command.c_str());
        if (out != nullptr) *out = slurpFile(captured);
        fs::remove(captured);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string input = "'" + design.string() + "'";
    // The stored design's 2 mm board touches the Clark Y's lower surface.
    const std::string height = "--set height=10 ";

    // The set the program builds when it opens the design: the design's
    // properties, the tip's washout from its washout field.
    WingDesignRead read = readDesignWithWing(design.string());
    ASSERT_TRUE(read.rib.loaded && read.wing);
    read.rib.design.properties.height = 10.0f;
    WingPanel panel = read.wing->panel;
    panel.washout = read.rib.design.properties.washout;
    const RibSet set =
        buildRibSet(panel, read.rib.design.properties, points(read.rib.design.points), points(read.wing->tipPoints));
    ASSERT_EQ(set.ribs.size(), 9U);
    // Its thin tip section: the sheeting and the notches leave slivers of the
    // outer ribs, which are named; every label still stands on its rib.
    EXPECT_EQ(splitRibs(set), "R6, R7, R8 and R9");
    for (const WingRib& rib : set.ribs) {
        ASSERT_GT(rib.labelHeight, 0.0) << rib.name();
        const double w = 0.7 * rib.labelHeight * static_cast<double>(rib.name().size() + 2);
        for (const double dx : {0.0, w})
            for (const double dy : {0.0, rib.labelHeight}) {
                const Vec2 v{rib.labelAt.x + dx, rib.labelAt.y + dy};
                bool in = false;
                const Polygon& o = rib.outline;
                for (std::size_t i = 0, j = o.size() - 1; i < o.size(); j = i++)
                    if ((o[i].y > v.y) != (o[j].y > v.y) &&
                        v.x < o[i].x + (v.y - o[i].y) * (o[j].x - o[i].x) / (o[j].y - o[i].y))
                        in = !in;
                EXPECT_TRUE(in) << rib.name() << " label corner " << v.x << ", " << v.y;
            }
    }

    // The design's own board cannot hold the ribs: without a height given
    // they are built without tabs; a height given that cannot stand refuses.
    EXPECT_EQ(run("wing " + input + " '" + (dir / "untabbed").string() + "'"), 0);
    EXPECT_TRUE(fs::exists(dir / "untabbed" / "sheet-1.dxf"));
    EXPECT_EQ(run("wing --set height=2 " + input + " '" + (dir / "refused").string() + "'"), 1);
    EXPECT_FALSE(fs::exists(dir / "refused"));
    ASSERT_EQ(run("wing " + height + input + " '" + (dir / "all").string() + "'"), 0);
    for (const WingRib& rib : set.ribs) {
        char file[32];
        std::snprintf(file, sizeof file, "clarky-wing-R%02d.dxf", rib.station.number);
        EXPECT_EQ(slurpFile(dir / "all" / file), ribDrawing(rib).text()) << file;
    }
    // Options given change the design's panel.
    ASSERT_EQ(run("wing " + height + "--ribs 5 --side left " + input + " '" + (dir / "five").string() + "'"), 0);
    EXPECT_TRUE(fs::exists(dir / "five" / "clarky-wing-R05.dxf"));
    EXPECT_FALSE(fs::exists(dir / "five" / "clarky-wing-R06.dxf"));
    const std::string sheet = slurpFile(dir / "five" / "sheet-1.svg");
    EXPECT_NE(sheet.find("R5 L"), std::string::npos);
    EXPECT_EQ(sheet.find("R1 R"), std::string::npos);

    // export: every rib side by side, as File > Export writes a wing.
    ASSERT_EQ(run("export " + height + input + " '" + (dir / "set.dxf").string() + "'"), 0);
    EXPECT_EQ(slurpFile(dir / "set.dxf"), setDrawing(set).text());
    // cut: the ribs nested on the sheets given, named on standard output;
    // a sheet too small for a rib writes nothing.
    std::string names;
    ASSERT_EQ(run("cut " + height + "--sheet 300x80 " + input + " '" + (dir / "cut.svg").string() + "'", &names), 0);
    EXPECT_EQ(names.substr(0, names.find('\n')), (dir / "cut-sheet-1.svg").string());
    EXPECT_TRUE(fs::exists(dir / "cut-sheet-2.svg"));
    EXPECT_EQ(run("cut " + height + "--sheet 100x80 " + input + " '" + (dir / "small.dxf").string() + "'"), 1);
    EXPECT_FALSE(fs::exists(dir / "small-sheet-1.dxf"));
    // info ends with the wing.
    std::string info;
    ASSERT_EQ(run("info " + input, &info), 0);
    EXPECT_NE(info.find("\nwing: span 450 mm, root chord 160 mm, tip chord 110.5 mm, 9 ribs, sides both, sweep "
                        "12.25 mm, spar 28 % to 30 %, washout 0 degrees, tip airfoil GOE 417A\n"),
              std::string::npos) << info.substr(info.rfind("wing:"));
    // project: the copy keeps the wing, byte for byte.
    ASSERT_EQ(run("project " + input + " '" + (dir / "copy.parvelin").string() + "'"), 0);
    EXPECT_EQ(slurpFile(dir / "copy.parvelin"), slurpFile(design));
    fs::remove_all(dir);
}
