// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli gcode as a user runs it: files written only when every one
// can be, never over an existing file, bad settings refused naming the
// option with nothing written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "support/GcodeReader.h"

namespace fs = std::filesystem;

namespace {

struct Scratch {
    fs::path dir;
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "parvelin-gcode-test-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
    }
    ~Scratch() { fs::remove_all(dir); }
};

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

CliRun cli(const fs::path& dir, const std::string& arguments) {
    const std::string command = "cd '" + dir.string() + "' && '" + std::string(PARVELIN_CLI) + "' " + arguments +
                                " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "out.txt"), slurp(dir / "err.txt")};
    fs::remove(dir / "out.txt");
    fs::remove(dir / "err.txt");
    return run;
}

std::size_t filesIn(const fs::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++n;
    return n;
}

const std::string kClarkY = "'" + std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat'";
const std::string kWing = "'" + std::string(PARVELIN_SOURCE_DIR) + "/tests/data/rib_designs/clarky-wing.parvelin'";

} // namespace

TEST(GcodeCommand, LaserFilesAreWrittenOnceAndBadSettingsNamed) {
    Scratch s;
    CliRun run = cli(s.dir, "gcode laser --feed 1000 --power 50 --kerf 0.2 --set sparStyle=1 --svg rib.svg " + kClarkY + " rib.nc");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = slurp(s.dir / "rib.nc");
    const auto read = parvelin::testing::readGcode(text);
    EXPECT_TRUE(read.error.empty());
    EXPECT_EQ(read.largestS, 500.0);
    EXPECT_GT(read.moves.size(), 50u);
    EXPECT_NE(slurp(s.dir / "rib.svg").find("<svg"), std::string::npos);

    // Never over an existing file: the file stays as it was.
    run = cli(s.dir, "gcode laser --feed 800 " + kClarkY + " rib.nc");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("already exists"), std::string::npos) << run.err;
    EXPECT_EQ(slurp(s.dir / "rib.nc"), text);

    struct Case {
        std::string arguments;
        std::string names;
    };
    const Case refused[] = {
        {"gcode laser " + kClarkY + " x.nc", "--feed"},
        {"gcode laser --feed 0 " + kClarkY + " x.nc", "--feed"},
        {"gcode laser --feed 1000 --power 120 " + kClarkY + " x.nc", "--power"},
        {"gcode laser --feed 1000 --passes 0 " + kClarkY + " x.nc", "--passes"},
        {"gcode laser --feed 1000 --passes 1.5 " + kClarkY + " x.nc", "--passes"},
        {"gcode laser --feed 1000 --tower-distance 5 " + kClarkY + " x.nc", "--tower-distance"},
        // A kerf that closes the spar's notch: the rib could not be cut as drawn.
        {"gcode laser --feed 1000 --kerf 3 --set sparStyle=1 " + kClarkY + " x.nc", "narrowest notch"},
        {"gcode hotwire --feed 300 " + kWing + " x.nc", "--tower-distance"},
        {"gcode hotwire --feed 300 --tower-distance 400 " + kWing + " x.nc", "--tower-distance"},
        {"gcode hotwire --feed 300 --tower-distance 800 --panel-offset 400 " + kWing + " x.nc", "--panel-offset"},
        {"gcode hotwire --tower-distance 800 " + kWing + " x.nc", "--feed"},
        {"gcode hotwire --feed 300 --tower-distance 800 --axes XYX " + kWing + " x.nc", "--axes"},
        {"gcode hotwire --feed 300 --tower-distance 800 " + kClarkY + " x.nc", "rib design"},
        {"gcode mill " + kClarkY + " x.nc", "laser or hotwire"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.arguments);
        run = cli(s.dir, c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(c.names), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(s.dir / "x.nc"));
    }
    EXPECT_EQ(filesIn(s.dir), 2u);
}

TEST(GcodeCommand, AWingGivesOneFilePerSheetAndOneCorePerPanel) {
    Scratch s;
    CliRun run = cli(s.dir, "gcode laser --feed 600 --power 40 --sheet 250x60 --set height=0 " + kWing + " wing.nc");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(s.dir / "wing-sheet-1.nc"));
    EXPECT_TRUE(fs::exists(s.dir / "wing-sheet-2.nc"));
    EXPECT_FALSE(fs::exists(s.dir / "wing.nc"));

    run = cli(s.dir, "gcode hotwire --feed 300 --tower-distance 800 --kerf-root 0.8 --kerf-tip 1.2 --svg core.svg " +
                         kWing + " core.nc");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"core-left.nc", "core-right.nc", "core-left.svg", "core-right.svg"})
        EXPECT_TRUE(fs::exists(s.dir / name)) << name;
    const std::string right = slurp(s.dir / "core-right.nc");
    EXPECT_NE(right.find("root at the left tower"), std::string::npos);
    EXPECT_NE(slurp(s.dir / "core-left.nc").find("root at the right tower"), std::string::npos);
    EXPECT_TRUE(parvelin::testing::readGcode(right).error.empty());

    // One of the files exists: nothing more is written.
    const std::size_t before = filesIn(s.dir);
    fs::remove(s.dir / "core-left.nc");
    run = cli(s.dir, "gcode hotwire --feed 300 --tower-distance 800 " + kWing + " core.nc");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(fs::exists(s.dir / "core-left.nc"));
    EXPECT_EQ(filesIn(s.dir), before - 1);
    // One side only: the file is OUTPUT itself.
    run = cli(s.dir, "gcode hotwire --feed 300 --tower-distance 800 --side left --axes xyza " + kWing + " one.nc");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(slurp(s.dir / "one.nc").find(" Z"), std::string::npos);
}
