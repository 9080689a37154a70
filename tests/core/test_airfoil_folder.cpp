// SPDX-License-Identifier: GPL-3.0-or-later
// The Airfoil Browser's folder listing, its measures against `parvelin-cli
// info`, and the command line's NACA sections.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "airfoil/AirfoilFolder.h"
#include "airfoil/NacaSection.h"
#include "document/AirfoilDocument.h"

namespace fs = std::filesystem;
using namespace parvelin;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class AirfoilFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/parvelin-folder-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path at(const std::string& name) const { return folder_ / name; }
    std::string q(const fs::path& p) const { return "'" + p.string() + "'"; }
    int run(const std::string& arguments) {
        const std::string command = "'" + std::string(PARVELIN_CLI) + "' " + arguments + " >'" +
                                    at("out.txt").string() + "' 2>'" + at("err.txt").string() + "'";
        const int status = std::system(command.c_str());
        errors = readAll(at("err.txt"));
        output = readAll(at("out.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // info's "thickness: T at X" and "camber: C at X" lines.
    static std::string measureLines(const std::string& info) {
        std::istringstream in(info);
        std::string line, lines;
        while (std::getline(in, line))
            if (line.starts_with("thickness: ") || line.starts_with("camber: ")) lines += line + "\n";
        return lines;
    }
    static std::string fixed5(double value) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 5);
        return std::string(buffer, result.ptr);
    }

    fs::path folder_;
    std::string errors;
    std::string output;
};

} // namespace

TEST_F(AirfoilFolderTest, EveryReadableFileIsListedWithTheMeasuresInfoGives) {
    for (const char* dir : {PARVELIN_SHIPPED_AIRFOILS_DIR, PARVELIN_AIRFOIL_DIR}) {
        SCOPED_TRACE(dir);
        const AirfoilFolderListing listing = listAirfoilFolder(dir);
        ASSERT_TRUE(listing.folderRead) << listing.error;
        std::size_t datFiles = 0;
        for (const auto& file : fs::directory_iterator(dir))
            if (isAirfoilFileName(file.path().filename().string())) ++datFiles;
        ASSERT_EQ(listing.entries.size(), datFiles);
        ASSERT_GT(datFiles, 10u);
        // By file name, case ignored.
        for (std::size_t i = 1; i < listing.entries.size(); ++i) {
            std::string a = listing.entries[i - 1].fileName, b = listing.entries[i].fileName;
            for (std::string* t : {&a, &b})
                for (char& c : *t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_LT(a, b);
        }

        for (const AirfoilEntry& entry : listing.entries) {
            SCOPED_TRACE(entry.fileName);
            // The browser reads as Import does and falls back on Open; info
            // with and without --import says the same.
            const int status = run("info --import " + q(entry.path));
            const int plain = status == 0 ? 0 : run("info " + q(entry.path));
            if (!entry.readable) {
                EXPECT_NE(plain, 0);
                EXPECT_FALSE(entry.error.empty());
                continue;
            }
            ASSERT_EQ(plain, 0) << errors;
            ASSERT_TRUE(entry.measure);
            EXPECT_EQ(output.substr(0, output.find('\n')), "name: " + entry.name);
            EXPECT_NE(output.find("\npoints: " + std::to_string(entry.drawingOrder.size()) + "\n"), std::string::npos);
            EXPECT_EQ(measureLines(output), "thickness: " + fixed5(entry.measure->thickness) + " at " +
                                                fixed5(entry.measure->thicknessAt) + "\ncamber: " +
                                                fixed5(entry.measure->camber) + " at " +
                                                fixed5(entry.measure->camberAt) + "\n");
            // Real sections: thicknesses between 2 % and 40 %, camber within
            // 20 % (S9104 is cambered 14.6 %).
            EXPECT_GT(entry.measure->thickness, 0.02);
            EXPECT_LT(entry.measure->thickness, 0.40);
            EXPECT_LT(std::fabs(entry.measure->camber), 0.20);
            EXPECT_GE(entry.measure->thicknessAt, 0.0);
            EXPECT_LE(entry.measure->thicknessAt, 1.0);
        }
    }
    // The shipped sections are what their names say.
    const AirfoilEntry naca4412 = readAirfoilEntry(std::string(PARVELIN_SHIPPED_AIRFOILS_DIR) + "/naca4412.dat");
    ASSERT_TRUE(naca4412.measure);
    EXPECT_EQ(naca4412.name, "NACA 4412");
    EXPECT_NEAR(naca4412.measure->thickness, 0.12, 5e-4);
    EXPECT_NEAR(naca4412.measure->camber, 0.04, 5e-4);
    EXPECT_NEAR(naca4412.measure->camberAt, 0.40, 0.02);
}

TEST_F(AirfoilFolderTest, UnreadableFilesAreListedWithTheirReasonAndTheFilterFindsByNameAndThickness) {
    std::ofstream(at("b_binary.DAT"), std::ios::binary) << std::string("\0\1\2\3\0\0\7", 7) << std::string(64, '\0');
    std::ofstream(at("c_words.dat")) << "no coordinates here\njust words\n";
    std::ofstream(at("notes.txt")) << "thin\n1 0\n0 0\n1 0\n";
    fs::create_directory(at("d_folder.dat"));
    ASSERT_EQ(run("naca 0009 " + q(at("a_thin.dat"))), 0) << errors;
    ASSERT_EQ(run("naca --points 30 4415 " + q(at("e_thick.dat"))), 0) << errors;

    const AirfoilFolderListing listing = listAirfoilFolder(folder_.string());
    ASSERT_TRUE(listing.folderRead);
    ASSERT_EQ(listing.entries.size(), 4u);  // no .txt, no folder
    EXPECT_EQ(listing.entries[0].fileName, "a_thin.dat");
    EXPECT_EQ(listing.entries[1].fileName, "b_binary.DAT");
    EXPECT_FALSE(listing.entries[1].readable);
    EXPECT_NE(listing.entries[1].error.find("binary"), std::string::npos) << listing.entries[1].error;
    EXPECT_EQ(listing.entries[1].error.find('\n'), std::string::npos);
    EXPECT_FALSE(listing.entries[2].readable);
    EXPECT_NE(listing.entries[2].error.find("pairs"), std::string::npos) << listing.entries[2].error;
    const AirfoilEntry& thin = listing.entries[0];
    const AirfoilEntry& thick = listing.entries[3];
    ASSERT_TRUE(thin.measure && thick.measure);
    std::string error;
    // Read as Import reads it: the open trailing edge joined back to the first point.
    std::vector<CoordinatePair> expected = nacaSectionPoints(parseNacaDesignation("4415", error).value(), {30, false});
    expected.push_back(expected.front());
    EXPECT_EQ(thick.drawingOrder, expected);

    EXPECT_TRUE(airfoilEntryMatches(thin, "", 0.0, 1.0));
    EXPECT_TRUE(airfoilEntryMatches(thin, "naca 00", 0.0, 1.0));
    EXPECT_TRUE(airfoilEntryMatches(thin, "A_THIN", 0.0, 1.0));  // the file's name
    EXPECT_FALSE(airfoilEntryMatches(thin, "4415", 0.0, 1.0));
    EXPECT_TRUE(airfoilEntryMatches(thin, "", 0.08, 0.10));
    EXPECT_FALSE(airfoilEntryMatches(thin, "", 0.10, 0.20));
    EXPECT_TRUE(airfoilEntryMatches(thick, "", 0.10, 0.20));
    EXPECT_FALSE(airfoilEntryMatches(thick, "", 0.0, 0.12));
    // An unreadable file shows with its reason until a thickness is asked for.
    EXPECT_TRUE(airfoilEntryMatches(listing.entries[1], "binary", 0.0, 1.0));
    EXPECT_FALSE(airfoilEntryMatches(listing.entries[1], "", 0.05, 1.0));

    const AirfoilFolderListing missing = listAirfoilFolder(at("nowhere").string());
    EXPECT_FALSE(missing.folderRead);
    EXPECT_FALSE(missing.error.empty());
}

TEST_F(AirfoilFolderTest, TheCommandLineWritesAndUsesNacaSections) {
    // naca writes the Selig file; Open reads it to the section itself.
    ASSERT_EQ(run("naca 23012 " + q(at("23012.dat"))), 0) << errors;
    std::string error;
    const NacaDesignation s23012 = parseNacaDesignation("23012", error).value();
    EXPECT_EQ(readAll(at("23012.dat")), nacaSeligText(s23012, {}));
    ASSERT_EQ(run("naca --closed-te --points 12 NACA23112 " + q(at("23112.dat"))), 0) << errors;
    EXPECT_EQ(readAll(at("23112.dat")), nacaSeligText(parseNacaDesignation("23112", error).value(), {12, true}));

    // Never over an existing file; bad designations and counts are usage errors.
    const std::string before = readAll(at("23012.dat"));
    EXPECT_EQ(run("naca 2412 " + q(at("23012.dat"))), 1);
    EXPECT_NE(errors.find("already exists"), std::string::npos);
    EXPECT_EQ(readAll(at("23012.dat")), before);
    EXPECT_EQ(run("naca 2400 " + q(at("x.dat"))), 2);
    EXPECT_EQ(run("naca --points 9 2412 " + q(at("x.dat"))), 2);
    EXPECT_EQ(run("naca --points 12x 2412 " + q(at("x.dat"))), 2);
    EXPECT_EQ(run("naca 2412"), 2);
    EXPECT_FALSE(fs::exists(at("x.dat")));

    // naca:23012 stands for the file everywhere an input does.
    ASSERT_EQ(run("info " + q(at("23012.dat"))), 0);
    const std::string fromFile = output;
    ASSERT_EQ(run("info naca:23012"), 0) << errors;
    EXPECT_EQ(output, fromFile);
    EXPECT_NE(output.find("\nthickness: 0.120"), std::string::npos) << output;
    EXPECT_NE(output.find("\ncamber: 0.0184"), std::string::npos) << output;
    ASSERT_EQ(run("export --chord 180 --set sparStyle=1 " + q(at("23012.dat")) + " " + q(at("file.dxf"))), 0);
    ASSERT_EQ(run("export --chord 180 --set sparStyle=1 naca:23012 " + q(at("naca.dxf"))), 0) << errors;
    EXPECT_EQ(readAll(at("naca.dxf")), readAll(at("file.dxf")));
    EXPECT_EQ(run("info naca:2400"), 1);
    EXPECT_NE(errors.find("naca:2400"), std::string::npos);

    ASSERT_EQ(run("wing --span 300 --root-chord 150 --tip-chord 100 --ribs 3 --set height=0 --tip-airfoil naca:0009 naca:2412 " +
                  q(at("ribs"))),
              0)
        << errors;
    EXPECT_TRUE(fs::exists(at("ribs") / "sheet-1.dxf"));
    EXPECT_EQ(run("wing --span 300 --root-chord 150 --tip-chord 100 --ribs 3 --set height=0 --tip-airfoil naca:2400 naca:2412 " +
                  q(at("ribs2"))),
              1);
    EXPECT_NE(errors.find("naca:2400"), std::string::npos) << errors;
}
