// SPDX-License-Identifier: GPL-3.0-or-later
// What parvelin-cli writes besides its results: no Qt message for any
// command (run with no runtime folder and no display, as in a batch job), and
// a usage error as one line that names the problem and points at --help.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CliRun runCli(const fs::path& folder, const std::string& arguments) {
    const fs::path out = folder / "out.txt";
    const fs::path err = folder / "err.txt";
    const std::string command = "cd '" + folder.string() +
                                "' && env -u XDG_RUNTIME_DIR -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                std::string(PARVELIN_CLI) + "' " + arguments + " >'" + out.string() + "' 2>'" +
                                err.string() + "'";
    const int status = std::system(command.c_str());
    return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
}

TEST(CommandLineMessages, NoCommandPrintsQtMessagesAndUsageErrorsAreOneLine) {
    char pattern[] = "/tmp/parvelin-cli-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    const std::string clarkY = "'" + std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat'";

    struct Case {
        std::string arguments;
        int status;
    };
    const Case successes[] = {
        {"--help", 0},
        {"fields", 0},
        {"info " + clarkY, 0},
        {"export --set leadingEdgeStyle=1 --set sheetingStyle=4 " + clarkY + " rib.dxf", 0},
        {"print --set sparStyle=1 " + clarkY + " rib.pdf", 0},
        {"export " + clarkY + " rib.dxf", 1},  // exists already: refused, with the tool's own message
        {"export --force --chord 300 " + clarkY + " rib.dxf", 0},  // replaced when told to
        {"info missing.dat", 1},
    };
    for (const Case& c : successes) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = runCli(folder, c.arguments);
        if (run.err.find("without Qt") != std::string::npos) continue;  // a build without printing
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.err.find("Qt"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("QStandardPaths"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("XDG_RUNTIME_DIR"), std::string::npos) << run.err;
        if (c.status == 1) {
            EXPECT_EQ(run.err.rfind("parvelin-cli: ", 0), 0u) << run.err;
        }
    }

    // The replaced drawing is the new one: its trailing edge at 300 mm.
    EXPECT_NE(readAll(folder / "rib.dxf").find("\n10\n300.000000\n"), std::string::npos);

    const std::string usageErrors[] = {
        "",
        "cut --force " + clarkY + " x.dxf",
        "bogus",
        "export",
        "export --set chord " + clarkY + " x.dxf",
        "export --set nosuchfield=1 " + clarkY + " x.dxf",
        "export --set metric=2 " + clarkY + " x.dxf",
        "export --chord",
        "print --frobnicate " + clarkY + " x.pdf",
        "info",
        "naca",
        "naca 2412",
        "naca 2400 x.dat",
        "naca 26012 x.dat",
        "naca --points 5 2412 x.dat",
        "naca --closed 2412 x.dat",
    };
    for (const std::string& arguments : usageErrors) {
        SCOPED_TRACE(arguments);
        const CliRun run = runCli(folder, arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty()) << run.out;
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.rfind("parvelin-cli: ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "more than one line:\n" << run.err;
        EXPECT_NE(run.err.find("see parvelin-cli --help"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(folder / "x.dxf"));
    EXPECT_FALSE(fs::exists(folder / "x.pdf"));
    EXPECT_FALSE(fs::exists(folder / "x.dat"));

    std::error_code ec;
    fs::remove_all(folder, ec);
}

} // namespace
