// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli with rib designs: `project` writes one, every command reads it
// where it reads a coordinate file with --set over its own properties, and
// values the rib cannot be built from end the run with status 2.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliRibDesigns : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/parvelin-cli-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path at(const std::string& name) const { return folder_ / name; }
    static std::string clarkY() { return std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"; }

    // Runs parvelin-cli with `arguments`; keeps what it wrote to stderr.
    int run(const std::string& arguments) {
        const std::string command =
            "'" + std::string(PARVELIN_CLI) + "' " + arguments + " >'" + at("out.txt").string() + "' 2>'" +
            at("err.txt").string() + "'";
        const int status = std::system(command.c_str());
        errors = readAll(at("err.txt"));
        output = readAll(at("out.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string q(const fs::path& p) const { return "'" + p.string() + "'"; }

    fs::path folder_;
    std::string errors;
    std::string output;
};

} // namespace

TEST_F(CliRibDesigns, ADesignExportsAsItsAirfoilWithTheSameSettings) {
    const std::string sets = "--set leadingEdgeStyle=3 --set sparStyle=1 --set trailingEdgeStyle=1 --chord 150 --inches";
    ASSERT_EQ(run("project " + sets + " " + q(clarkY()) + " " + q(at("rib.parvelin"))), 0) << errors;
    ASSERT_EQ(run("export " + sets + " " + q(clarkY()) + " " + q(at("direct.dxf"))), 0) << errors;
    ASSERT_EQ(run("export " + q(at("rib.parvelin")) + " " + q(at("design.dxf"))), 0) << errors;
    EXPECT_EQ(readAll(at("design.dxf")), readAll(at("direct.dxf")));

    // --set changes the design's own properties, keeping the rest.
    ASSERT_EQ(run("export " + sets + " --set sheetingStyle=4 --set chord=90 " + q(clarkY()) + " " + q(at("a.dxf"))),
              0)
        << errors;
    ASSERT_EQ(run("export --set sheetingStyle=4 --set chord=90 " + q(at("rib.parvelin")) + " " + q(at("b.dxf"))), 0)
        << errors;
    EXPECT_EQ(readAll(at("b.dxf")), readAll(at("a.dxf")));

    // info shows the design's airfoil as it shows the coordinate file's; the
    // last line, the rib's weight, is the design's own rib for the design.
    const auto withoutWeight = [](const std::string& text) {
        const std::size_t at = text.find("weight: rib ");
        return at == std::string::npos ? text : text.substr(0, at);
    };
    ASSERT_EQ(run("info " + q(clarkY())), 0);
    const std::string fromFile = output;
    ASSERT_EQ(run("info " + q(at("rib.parvelin"))), 0);
    EXPECT_NE(output.find("weight: rib "), std::string::npos) << output;
    EXPECT_NE(fromFile.find("weight: rib "), std::string::npos) << fromFile;
    EXPECT_EQ(withoutWeight(output), withoutWeight(fromFile));

    // An existing design is never overwritten.
    const std::string before = readAll(at("rib.parvelin"));
    EXPECT_EQ(run("project " + q(clarkY()) + " " + q(at("rib.parvelin"))), 1);
    EXPECT_EQ(readAll(at("rib.parvelin")), before);
}

TEST_F(CliRibDesigns, UnbuildableValuesAndBadDesignsAreRefused) {
    struct Case {
        const char* options;
        const char* says;
    };
    const Case unbuildable[] = {
        {"--set sparStyle=3", "sparStyle must be a whole number from 0 to 2"},
        {"--set leadingEdgeStyle=-1", "leadingEdgeStyle"},
        {"--set chord=0", "chord must be greater than 0"},
        {"--set sparDistance=-5", "sparDistance must not be negative"},
        {"--set washout=nan", "washout must be a finite number"},
        {"--set trailingEdgeStyle=2 --set trailingEdgeWidth=0", "trailingEdgeWidth must be greater than 0"},
        {"--set precision=7", "precision"},
    };
    for (const Case& c : unbuildable) {
        for (const char* command : {"export", "project"}) {
            const fs::path output = at(std::string("out.") + (command[0] == 'e' ? "dxf" : "parvelin"));
            EXPECT_EQ(run(std::string(command) + " " + c.options + " " + q(clarkY()) + " " + q(output)), 2)
                << c.options;
            EXPECT_NE(errors.find(c.says), std::string::npos) << c.options << ": " << errors;
            EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "more than one line: " << errors;
            EXPECT_FALSE(fs::exists(output)) << c.options;
        }
    }
    // The same values reached over a design's own properties.
    ASSERT_EQ(run("project --set sparStyle=1 " + q(clarkY()) + " " + q(at("rib.parvelin"))), 0) << errors;
    EXPECT_EQ(run("export --set sparWidth=0 " + q(at("rib.parvelin")) + " " + q(at("x.dxf"))), 2);
    EXPECT_NE(errors.find("sparWidth must be greater than 0"), std::string::npos) << errors;

    // A damaged design is a refused input (status 1), with its reason.
    std::ofstream(at("cut.parvelin"), std::ios::binary) << readAll(at("rib.parvelin")).substr(0, 200);
    EXPECT_EQ(run("export " + q(at("cut.parvelin")) + " " + q(at("y.dxf"))), 1);
    EXPECT_NE(errors.find("not JSON"), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(at("y.dxf")));
}
