// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import's reader: every real file imports, files Open reads whole
// come out exactly as Open gives them, hand-made variants of one real file
// come back to the original, and refused files say why.
#include <gtest/gtest.h>

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <sstream>
#include <sys/wait.h>
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "model/ImportReader.h"

namespace parvelin {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> corpus() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR))
        if (entry.path().filename() != "SOURCES.md") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string dxfOf(const CoordinateFileContents& contents) {
    AirfoilDocument document;
    document.takeContents(contents);
    return ribDxfDrawing(document.rib()).text();
}

// Open reads a file whole when it takes every pair Import takes and its
// drawing order keeps them all (a closing point aside).
bool openReadsWhole(const CoordinateFileContents& open, const ImportResult& imported) {
    if (open.status != ReadStatus::Loaded || open.accepted.size() != imported.pairsTaken) return false;
    for (std::size_t i = 0; i + 1 < open.accepted.size(); ++i)
        if (std::find(open.drawingOrder.begin(), open.drawingOrder.end(), open.accepted[i]) == open.drawingOrder.end())
            return false;
    return true;
}

double signedArea(const std::vector<CoordinatePair>& p) {
    double twice = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const CoordinatePair& a = p[i];
        const CoordinatePair& b = p[(i + 1) % p.size()];
        twice += double(a.modelX) * b.modelY - double(b.modelX) * a.modelY;
    }
    return twice / 2.0;
}

// One line per file: name, points in drawing order, how Open fares
// ("same": Open reads it whole and Import gives the same; "hint": Open
// loads it and points to Import; "-": otherwise), and the changes.
TEST(ImportReader, EveryRealFileImportsAndOpenReadableOnesComeOutAsOpenGivesThem) {
    std::string table;
    int same = 0;
    for (const fs::path& path : corpus()) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = readAll(path);
        const ImportResult imported = parseImportFile(bytes, path.filename().string());
        ASSERT_EQ(imported.status, ImportStatus::Imported);
        const CoordinateFileContents& contents = imported.contents;
        ASSERT_EQ(contents.status, ReadStatus::Loaded);
        ASSERT_GE(contents.drawingOrder.size(), 30u);
        EXPECT_FALSE(contents.name.empty());

        // On the unit chord, counter-clockwise from the trailing edge, and
        // the drawing order made of the outline's points.
        EXPECT_GT(signedArea(imported.outline), 0.0);
        EXPECT_GE(imported.outline.front().modelX, 0.9f);
        for (const CoordinatePair& p : imported.outline) {
            EXPECT_TRUE(p.modelX >= -0.002f && p.modelX <= 1.0001f && std::fabs(p.modelY) < 0.3f) << p.modelX << " " << p.modelY;
        }
        for (const CoordinatePair& p : contents.drawingOrder)
            EXPECT_NE(std::find(imported.outline.begin(), imported.outline.end(), p), imported.outline.end());

        const CoordinateFileContents open = parseCoordinateFile(bytes);
        std::string openColumn = "-";
        if (openReadsWhole(open, imported)) {
            openColumn = "same";
            ++same;
            // Open's points, and a blunt trailing edge's lower point, which
            // Open leaves out, before the closing one.
            CoordinateFileContents asOpen = contents;
            std::vector<CoordinatePair>& order = asOpen.drawingOrder;
            if (order.size() == open.drawingOrder.size() + 1) {
                const CoordinatePair lower = order[order.size() - 2];
                EXPECT_EQ(lower.modelX, order.front().modelX);
                EXPECT_NE(lower.modelY, order.front().modelY);
                order.erase(order.end() - 2);
            }
            EXPECT_EQ(order, open.drawingOrder);
            EXPECT_EQ(dxfOf(asOpen), dxfOf(open));
            EXPECT_EQ(openReadHint(open, imported, "File > Import"), "");
        } else if (!openReadHint(open, imported, "File > Import").empty()) {
            openColumn = "hint";
        }
        std::string changes;
        for (ImportChange change : imported.changes)
            changes += (changes.empty() ? "" : "; ") + importChangeText(imported, change);
        table += path.filename().string() + "\t" + std::to_string(contents.drawingOrder.size()) + "\t" + openColumn +
                 "\t" + (changes.empty() ? "-" : changes) + "\n";
    }
    EXPECT_GT(same, 30);
    const fs::path stored = fs::path(PARVELIN_SOURCE_DIR) / "tests/data/import/corpus.tsv";
    if (table != readAll(stored)) {
        std::ofstream(fs::current_path() / "import_corpus.actual.tsv") << table;
        ADD_FAILURE() << "the corpus table differs from " << stored << "; this run's is in "
                      << (fs::current_path() / "import_corpus.actual.tsv") << ":\n"
                      << table;
    }
}

// --- Hand-made variants of one real file ---

struct XY {
    double x, y;
};

std::string number(double v, int decimals) {
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    return std::string(text, r.ptr);
}

std::string lines(const std::string& head, const std::vector<XY>& points, const std::string& separator,
                  int decimals = 9, double factor = 1.0) {
    std::string text = head;
    for (const XY& p : points) text += number(p.x * factor, decimals) + separator + number(p.y * factor, decimals) + "\n";
    return text;
}

// Numbers as many published files write them: no digit before the point,
// right-aligned in columns of nine, so that a minus sign runs into the
// number before it (" .9900000-.0009666").
std::string fixedColumns(const std::string& head, const std::vector<XY>& points) {
    auto column = [](double v) {
        std::string text = number(v, 7);
        if (text.starts_with("0."))
            text.erase(0, 1);
        else if (text.starts_with("-0."))
            text.erase(1, 1);
        return std::string(text.size() < 9 ? 9 - text.size() : 0, ' ') + text;
    };
    std::string text = head;
    for (const XY& p : points) text += column(p.x) + column(p.y) + "\n";
    return text;
}

// Rows of more than two numbers: `row` gives the line of point i.
std::string rows(const std::string& head, const std::vector<XY>& points,
                 const std::function<std::string(std::size_t, const XY&)>& row) {
    std::string text = head;
    for (std::size_t i = 0; i < points.size(); ++i) text += row(i, points[i]) + "\n";
    return text;
}

std::string commas(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::vector<XY> transformed(const std::vector<XY>& points, double degrees, double scale, XY shift) {
    const double a = degrees * std::numbers::pi / 180.0;
    std::vector<XY> out;
    for (const XY& p : points)
        out.push_back({scale * (p.x * std::cos(a) - p.y * std::sin(a)) + shift.x,
                       scale * (p.x * std::sin(a) + p.y * std::cos(a)) + shift.y});
    return out;
}

struct Variant {
    const char* name;
    std::function<std::string(const std::vector<XY>&)> make;
    std::vector<ImportChange> changes;
    bool sameDrawingOrder = true;  // false for two blocks, which Open draws in its own way
    double turnedDegrees = 0.0;    // what Normalised reports
    double chordFound = 1.0;
};

TEST(ImportReader, HandMadeVariantsOfARealFileComeBackToTheOriginal) {
    const std::string original = readAll(fs::path(PARVELIN_AIRFOIL_DIR) / "asb__clarky.dat");
    const ImportResult reference = parseImportFile(original, "clarky.dat");
    ASSERT_EQ(reference.status, ImportStatus::Imported);
    ASSERT_TRUE(reference.changes.empty());
    std::vector<XY> points;
    for (const CoordinatePair& p : reference.outline) points.push_back({p.modelX, p.modelY});
    std::size_t nose = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].x < points[nose].x) nose = i;
    const std::vector<XY> upper(points.rend() - static_cast<std::ptrdiff_t>(nose) - 1, points.rend());
    const std::vector<XY> lower(points.begin() + static_cast<std::ptrdiff_t>(nose), points.end());
    const std::vector<XY> reversed(points.rbegin(), points.rend());
    const std::string name = "CLARK Y\n";

    using C = ImportChange;
    const std::vector<Variant> variants = {
        {"percent", [&](auto& p) { return lines(name, p, "  ", 7, 100.0); }, {C::Percent}},
        {"decimal comma", [&](auto& p) { return commas(lines(name, p, " ")); }, {C::DecimalCommas}},
        {"semicolons", [&](auto& p) { return lines(name, p, ";"); }, {}},
        {"comma separated", [&](auto& p) { return lines(name + "x,y\n", p, ","); }, {}},
        {"semicolons and decimal commas", [&](auto& p) { return commas(lines(name, p, ";")); }, {C::DecimalCommas}},
        {"tabs", [&](auto& p) { return lines(name, p, "\t"); }, {}},
        {"reversed", [&](auto&) { return lines(name, reversed, " "); }, {C::Clockwise}},
        {"turned 2 degrees about the nose", [&](auto& p) { return lines(name, transformed(p, 2.0, 1.0, {0, 0}), " "); },
         {C::Normalised}, true, -2.0},
        {"turned -2 degrees about mid-chord",
         [&](auto& p) {
             std::vector<XY> t = transformed(p, -2.0, 1.0, {0, 0});
             const XY mid = transformed({{0.5, 0.0}}, -2.0, 1.0, {0, 0})[0];
             for (XY& q : t) q = {q.x - mid.x + 0.5, q.y - mid.y};
             return lines(name, t, " ");
         },
         {C::Normalised}, true, 2.0},
        {"chord 250, shifted", [&](auto& p) { return lines(name, transformed(p, 0.0, 250.0, {40.0, -12.5}), " ", 7); },
         {C::Normalised}, true, 0.0, 250.0},
        {"millimetres to three decimals, turned 2 degrees, shifted",
         [&](auto& p) { return lines(name, transformed(p, 2.0, 250.0, {-20.0, 7.0}), " ", 3); },
         {C::Normalised}, true, -2.0, 250.0},
        {"header and comment lines",
         [&](auto& p) {
             std::string text = "# exported by a plotting tool\n" + name + "Smoothed copy, 121 points\n\n! units: chord\n";
             text += lines("", p, " ");
             text.insert(text.find("\n0.5") + 1, "# the middle\n");
             return text + "\nEnd of data, with the number 3 in prose.\n";
         },
         {}},
        {"Lednicer with its count line",
         [&](auto&) {
             return lines(name + number(double(upper.size()), 1) + " " + number(double(lower.size()), 1) + "\n\n",
                          upper, " ") +
                    "\n" + lines("", lower, " ");
         },
         {},
         false},
        {"Lednicer without a count line", [&](auto&) { return lines(lines(name, upper, " "), lower, " "); }, {}, false},
        {"repeated points",
         [&](auto& p) {
             std::vector<XY> twice = p;
             twice.insert(twice.begin() + 10, p[10]);
             twice.insert(twice.begin() + 61, p[60]);
             return lines(name, twice, " ");
         },
         {C::Duplicates}},
        {"UTF-16 with its byte-order mark",
         [&](auto& p) {
             std::string text = "\xFF\xFE";
             for (char c : lines(name, p, "\t")) text += std::string{c, '\0'};
             return text;
         },
         {}},
        {"CR line ends", [&](auto& p) {
             std::string text = lines(name, p, " ");
             std::replace(text.begin(), text.end(), '\n', '\r');
             return text;
         },
         {}},
        {"all at once: percent, decimal commas, tabs, reversed, turned, shifted, CR LF",
         [&](auto&) {
             std::string text = commas(lines("# hand-typed\r\n" + name, transformed(reversed, -3.0, 1.0, {0.05, 0.1}),
                                             "\t", 7, 100.0));
             std::string crlf;
             for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
             return crlf;
         },
         {C::DecimalCommas, C::Percent, C::Clockwise, C::Normalised}, true, 3.0},
    };

    // Points sorted by x, each station's upper point before its lower one.
    std::vector<XY> byX = upper;
    byX.insert(byX.end(), lower.begin() + 1, lower.end());
    std::stable_sort(byX.begin(), byX.end(), [](const XY& a, const XY& b) { return a.x < b.x; });
    const std::vector<Variant> layouts = {
        {"two blocks, no digit before the point, signs run into the number before",
         [&](auto&) { return fixedColumns(fixedColumns(name + "\n", upper) + "\n", lower); }, {}, false},
        {"a constant third column",
         [&](auto& p) { return rows(name, p, [](std::size_t, const XY& q) { return number(q.x, 9) + " " + number(q.y, 9) + " 0.25"; }); },
         {C::Columns}},
        {"pressure coefficients in a third column",
         [&](auto& p) {
             return rows(name + "x/c y/c Cp\n", p, [](std::size_t i, const XY& q) {
                 return number(q.x, 9) + " " + number(q.y, 9) + " " + number(1.0 - 3.0 * std::sin(0.05 * double(i)), 4);
             });
         },
         {C::Columns}},
        {"numbered rows, tab-separated",
         [&](auto& p) {
             return rows(name, p, [](std::size_t i, const XY& q) {
                 return std::to_string(i + 1) + "\t" + number(q.x, 9) + "\t" + number(q.y, 9);
             });
         },
         {C::Columns}},
        {"numbered rows with a constant z",
         [&](auto& p) {
             return rows(name, p, [](std::size_t i, const XY& q) {
                 return std::to_string(i + 1) + " " + number(q.x, 9) + " " + number(q.y, 9) + " 12.5";
             });
         },
         {C::Columns}},
        {"sorted by x, the surfaces interleaved", [&](auto&) { return lines(name, byX, " "); }, {C::SortedByX}},
    };
    std::vector<Variant> all = variants;
    all.insert(all.end(), layouts.begin(), layouts.end());

    for (const Variant& variant : all) {
        SCOPED_TRACE(variant.name);
        const ImportResult imported = parseImportFile(variant.make(points), "variant.txt");
        ASSERT_EQ(imported.status, ImportStatus::Imported);
        EXPECT_EQ(imported.changes, variant.changes);
        EXPECT_NEAR(imported.turnedDegrees, variant.turnedDegrees, 1e-4);
        EXPECT_NEAR(imported.chordFound, variant.chordFound, 1e-6 * variant.chordFound);
        EXPECT_EQ(imported.contents.name, "CLARK Y");
        ASSERT_EQ(imported.outline.size(), reference.outline.size());
        for (std::size_t i = 0; i < imported.outline.size(); ++i) {
            EXPECT_NEAR(imported.outline[i].modelX, reference.outline[i].modelX, 1e-5) << i;
            EXPECT_NEAR(imported.outline[i].modelY, reference.outline[i].modelY, 1e-5) << i;
        }
        if (!variant.sameDrawingOrder) continue;
        ASSERT_EQ(imported.contents.drawingOrder.size(), reference.contents.drawingOrder.size());
        for (std::size_t i = 0; i < imported.contents.drawingOrder.size(); ++i) {
            EXPECT_NEAR(imported.contents.drawingOrder[i].modelX, reference.contents.drawingOrder[i].modelX, 1e-5) << i;
            EXPECT_NEAR(imported.contents.drawingOrder[i].modelY, reference.contents.drawingOrder[i].modelY, 1e-5) << i;
        }
    }
}

// --- Refusals ---

std::string pairs(const std::vector<XY>& points) { return lines("refused\n", points, " "); }

// A closed outline of n points per surface; `lowerLift` bends the aft half
// of the lower surface up through the upper one.
std::vector<XY> lens(int n, double lowerLift) {
    std::vector<XY> out;
    for (int i = 0; i <= n; ++i) {
        const double x = 1.0 - double(i) / n;
        out.push_back({x, 0.06 * std::sin(std::numbers::pi * x)});
    }
    for (int i = 1; i <= n; ++i) {
        const double x = double(i) / n;
        out.push_back({x, -0.04 * std::sin(std::numbers::pi * x) + (x > 0.5 ? lowerLift * (x - 0.5) : 0.0)});
    }
    return out;
}

TEST(ImportReader, RefusedFilesLoadNothingAndSayWhy) {
    std::vector<XY> oneSurface = lens(20, 0.0);
    oneSurface.resize(21);
    std::string binary = "\x89PNG\r\n\x1a\n";
    binary += std::string("\0\0\0\rIHDR", 8) + lines("", lens(10, 0.0), " ");
    std::string tooMany = "far too many\n";
    for (int i = 0; i < 20001; ++i) tooMany += "0.5 " + std::to_string(i % 7) + "\n";

    const struct {
        const char* name;
        std::string bytes;
        ImportStatus status;
        const char* message;
    } cases[] = {
        {"binary", binary, ImportStatus::Binary, "The file holds binary data, not text.\nNothing was imported..."},
        {"no pairs", "NACA 0012\nno numbers here\n1 2 3 4 5\n", ImportStatus::NoPairs,
         "The file holds fewer than three usable x, y pairs.\nNothing was imported..."},
        {"one row of three numbers", "NACA 0012\n1 2 3\n", ImportStatus::TooFewPoints,
         "The file holds too few points for an airfoil.\nNothing was imported..."},
        {"two points", "TWO\n1.0 0.0\n0.0 0.0\n", ImportStatus::TooFewPoints,
         "The file holds too few points for an airfoil.\nNothing was imported..."},
        {"numbers beyond any chord", "huge\n1e300 0\n0 1e300\n-1e300 0\ninf 0\nnan 1\n", ImportStatus::NoPairs,
         "The file holds fewer than three usable x, y pairs.\nNothing was imported..."},
        {"one point thrice", "dot\n0.5 0.5\n0.5 0.5\n0.5 0.5\n", ImportStatus::TooFewPoints,
         "The file holds too few points for an airfoil.\nNothing was imported..."},
        {"one surface", pairs(oneSurface), ImportStatus::OneSurface,
         "The points run along one surface only and never return\nto the trailing edge.\nNothing was imported..."},
        {"crossing", pairs(lens(20, 0.4)), ImportStatus::SelfCrossing,
         "The airfoil outline crosses itself.\nNothing was imported..."},
        {"too many points", tooMany, ImportStatus::TooManyPoints,
         "The file holds more than 20,000 points.\nNothing was imported..."},
        {"over 1 MiB", std::string(kMaxImportFileSize + 1, ' '), ImportStatus::TooLarge,
         "The file is larger than 1 MiB (1,048,576 bytes).\nNothing was imported..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result = parseImportFile(c.bytes, "refused.dat");
        EXPECT_EQ(result.status, c.status);
        EXPECT_STREQ(importStatusMessage(result.status), c.message);
        EXPECT_TRUE(result.contents.drawingOrder.empty());
        EXPECT_NE(result.contents.status, ReadStatus::Loaded);
    }
    // The same outline without its crossing imports.
    EXPECT_EQ(parseImportFile(pairs(lens(20, 0.0)), "lens.dat").status, ImportStatus::Imported);

    // Files: the size is checked before reading, a missing file cannot be opened.
    const fs::path big = fs::temp_directory_path() / "parvelin_import_big.dat";
    {
        std::ofstream out(big, std::ios::binary);
        out << "big\n";
        out.seekp(static_cast<std::streamoff>(kMaxImportFileSize));
        out << "\n";
    }
    EXPECT_EQ(readImportFile(big.string()).status, ImportStatus::TooLarge);
    fs::remove(big);
    EXPECT_EQ(readImportFile((fs::temp_directory_path() / "parvelin_no_such_file.dat").string()).status,
              ImportStatus::OpenFailed);
}

// A wing's tip airfoil is any file Open or Import reads: Import's reading
// when it takes the file, Open's when only Open does, a short reason when
// neither does.
TEST(ImportReader, ASectionIsWhatImportOrElseOpenReads) {
    const fs::path dir = fs::temp_directory_path() / ("parvelin-section-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    };
    const ImportResult clarky = parseImportFile(readAll(fs::path(PARVELIN_AIRFOIL_DIR) / "asb__clarky.dat"), "c");
    ASSERT_EQ(clarky.status, ImportStatus::Imported);
    std::vector<XY> points;
    for (const CoordinatePair& p : clarky.outline) points.push_back({p.modelX, p.modelY});

    std::string error;
    // In percent: Open would take x up to 100; the section is on the unit chord.
    const std::optional<CoordinateFileContents> percent =
        readAirfoilSection(write("percent.dat", lines("CLARK Y\n", points, "  ", 7, 100.0)), error);
    ASSERT_TRUE(percent.has_value()) << error;
    ASSERT_EQ(percent->drawingOrder.size(), clarky.contents.drawingOrder.size());
    for (std::size_t i = 0; i < percent->drawingOrder.size(); ++i) {
        EXPECT_NEAR(percent->drawingOrder[i].modelX, clarky.contents.drawingOrder[i].modelX, 1e-6) << i;
        EXPECT_NEAR(percent->drawingOrder[i].modelY, clarky.contents.drawingOrder[i].modelY, 1e-6) << i;
    }
    // An outline that crosses itself: Import refuses it, Open reads it.
    const std::string crossing = write("crossing.dat", pairs(lens(20, 0.4)));
    const CoordinateFileContents opened = readCoordinateFile(crossing);
    ASSERT_EQ(opened.status, ReadStatus::Loaded);
    const std::optional<CoordinateFileContents> section = readAirfoilSection(crossing, error);
    ASSERT_TRUE(section.has_value());
    EXPECT_EQ(section->drawingOrder.size(), opened.drawingOrder.size());
    // Neither reads it.
    EXPECT_FALSE(readAirfoilSection(write("none.dat", "NACA 0012\nno numbers here\n"), error).has_value());
    EXPECT_EQ(error, "The file holds fewer than three usable x, y pairs.");
    fs::remove_all(dir);
}

// parvelin-cli: --import reads as File > Import does, for info and export.
TEST(ImportReader, CommandLineImportReadsAndListsTheChanges) {
    const fs::path folder = fs::temp_directory_path() / "parvelin_cli_import";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string input = std::string(PARVELIN_AIRFOIL_DIR) + "/wgc__mh30.dat";
    auto run = [&](const std::string& arguments, const fs::path& out) {
        const std::string command =
            "'" + std::string(PARVELIN_CLI) + "' " + arguments + " > '" + out.string() + "' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("info --import '" + input + "'", folder / "info.txt"), 0);
    const std::string info = readAll(folder / "info.txt");
    const std::string head =
        "name: MH 30 Originally developed for electric powered pylon racing models. MH.\n"
        "points: 62\n"
        "thickness: 0.07836 at 0.29663\n"
        "camber: 0.01715 at 0.44107\n"
        "changes: 1\n"
        "  coordinates in percent of the chord divided by 100\n"
        "1 0\n";
    EXPECT_EQ(info.substr(0, head.size()), head);

    EXPECT_EQ(run("export --import --chord 180 '" + input + "' '" + (folder / "mh30.dxf").string() + "'",
                  folder / "export.txt"),
              0);
    AirfoilDocument document;
    document.takeContents(parseImportFile(readAll(input), input).contents);
    RibProperties properties = kDefaultRibProperties;
    properties.chord = 180.0f;
    document.applyProperties(properties);
    EXPECT_EQ(readAll(folder / "mh30.dxf"), ribDxfDrawing(document.rib()).text());

    // A refused file: the message on standard error, status 1.
    std::ofstream(folder / "half.dat") << "half\n1 0\n0.5 0.05\n0 0\n";
    EXPECT_EQ(run("info --import '" + (folder / "half.dat").string() + "'", folder / "refused.txt"), 1);
    EXPECT_NE(readAll(folder / "refused.txt").find("one surface only"), std::string::npos);
    fs::remove_all(folder);
}

} // namespace
} // namespace parvelin
