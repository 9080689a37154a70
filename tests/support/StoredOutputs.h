// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored expected outputs: every loadable airfoil of tests/data/airfoils
// under every rib property set of tests/data/expected/property_sets.txt, as
// DXF text, as the drawing calls of a 650 x 400 window paint and as the
// drawing calls of a 600 ppi print. The test and the generator both compose
// the outputs with these functions, so they can only differ in what the
// program computes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "model/RibPropertyFields.h"
#include "support/ShownDocument.h"
#include "support/Recorders.h"
#include "view/PrintLayout.h"

namespace parvelin::testing::stored {

namespace fs = std::filesystem;

// A printer page of 8.27 x 11.69 inches (A4) at 600 pixels per inch.
inline constexpr int kPrintPpi = 600;
inline constexpr int kPrintWidth = 4960;
inline constexpr int kPrintHeight = 7015;
inline constexpr int kWindowWidth = 650;
inline constexpr int kWindowHeight = 400;

// The airfoils whose drawing calls are stored as well (the DXF is stored for
// every loadable file): both file orders (fpv__clarky is the two-block one, with CR LF line ends), a thin and a thick
// section, a symmetric one.
inline const std::vector<std::string> kDrawingSubset{
    "asb__clarky.dat", "fpv__clarky.dat", "paso__sd7003.dat", "anu__naca4415.dat", "asb__PW75.dat", "asb__naca0012.dat",
};

// Cases whose whole text is stored beside the digests, so that a difference
// can be read: {airfoil, property set}.
inline const std::vector<std::pair<std::string, std::string>> kFullTextCases{
    {"asb__clarky.dat", "all-round"},
    {"asb__clarky.dat", "sheet-top"},
    {"anu__naca4415.dat", "inch-all"},
};

struct PropertySet {
    std::string name;
    RibProperties properties;
};

inline fs::path dataDir() { return fs::path(PARVELIN_SOURCE_DIR) / "tests" / "data"; }
inline fs::path airfoilDir() { return dataDir() / "airfoils"; }
inline fs::path expectedDir() { return dataDir() / "expected"; }

inline std::vector<PropertySet> readPropertySets() {
    std::ifstream in(expectedDir() / "property_sets.txt");
    if (!in) throw std::runtime_error("property_sets.txt is missing");
    std::vector<PropertySet> sets;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        PropertySet set{{}, kDefaultRibProperties};
        words >> set.name;
        std::string pair;
        while (words >> pair) {
            const std::size_t eq = pair.find('=');
            std::string error;
            if (eq == std::string::npos ||
                !setRibPropertyField(set.properties, pair.substr(0, eq), pair.substr(eq + 1), error))
                throw std::runtime_error("property_sets.txt: " + set.name + ": " + pair + " " + error);
        }
        sets.push_back(set);
    }
    return sets;
}

// The loadable files of the corpus, sorted by name.
inline std::vector<std::string> loadableAirfoils() {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(airfoilDir())) {
        if (!e.is_regular_file() || e.path().extension() == ".md") continue;
        if (readCoordinateFile(e.path().string()).status == ReadStatus::Loaded)
            names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A document as the program holds it after Open and the property sheet's OK.
struct LoadedRib {
    RecordingWindow window{kWindowWidth, kWindowHeight};
    ShownDocument doc{window};

    LoadedRib(const std::string& airfoil, const RibProperties& properties) {
        if (doc.load((airfoilDir() / airfoil).string()) != ReadStatus::Loaded)
            throw std::runtime_error(airfoil + " does not load");
        doc.applyProperties(properties);
    }
};

inline std::string dxfText(LoadedRib& rib) { return ribDxfDrawing(rib.doc.rib()).text(); }

// One line a drawing call: kind, coordinates, and the pen it was made with.
inline std::string callText(const RecordingDeviceContext& dc) {
    std::string out;
    char buf[160];
    for (const DrawCall& c : dc.calls) {
        const char kind = c.kind == DrawCall::MoveTo ? 'M' : c.kind == DrawCall::LineTo ? 'L' : 'A';
        if (c.kind == DrawCall::Text)
            std::snprintf(buf, sizeof buf, "T %d %d %d \"%s\"", c.x, c.y, c.arc[0], c.text.c_str());
        else if (c.kind == DrawCall::Arc)
            std::snprintf(buf, sizeof buf, "A %d %d %d %d %d %d %d %d", c.arc[0], c.arc[1], c.arc[2], c.arc[3],
                          c.arc[4], c.arc[5], c.arc[6], c.arc[7]);
        else
            std::snprintf(buf, sizeof buf, "%c %d %d", kind, c.x, c.y);
        out += buf;
        std::snprintf(buf, sizeof buf, " pen %s %d %u,%u,%u\n", c.pen.style == platform::PenStyle::Solid ? "solid" : "dashdot",
                      c.pen.width, unsigned(c.pen.color.r), unsigned(c.pen.color.g), unsigned(c.pen.color.b));
        out += buf;
    }
    return out;
}

inline std::string screenText(LoadedRib& rib) {
    RecordingDeviceContext dc(96, 96, kWindowWidth, kWindowHeight);
    rib.doc.paint(dc);
    return callText(dc);
}

// Every page of the print; a rib on more than one page has a line before
// each page saying which it is.
inline std::string printText(LoadedRib& rib) {
    const PrintLayout layout = layoutPrint(rib.doc.picture(), kPrintPpi, kPrintPpi, kPrintWidth, kPrintHeight);
    std::string out;
    for (int page = 0; page < layout.pageCount(); ++page) {
        if (layout.tiled())
            out += "page " + std::to_string(page + 1) + " of " + std::to_string(layout.pageCount()) + "\n";
        RecordingDeviceContext dc(kPrintPpi, kPrintPpi, kPrintWidth, kPrintHeight);
        printLayoutPage(rib.doc.picture(), dc, layout, page);
        out += callText(dc);
    }
    return out;
}

// FNV-1a, 64 bits: a digest that is the same on every machine.
inline std::string digest(const std::string& text) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) {
        h ^= c;
        h *= 0x100000001b3ULL;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%016llx %zu", static_cast<unsigned long long>(h), text.size());
    return buf;
}

enum class Output { Dxf, Screen, Print };
inline const char* outputName(Output o) { return o == Output::Dxf ? "dxf" : o == Output::Screen ? "screen" : "print"; }

inline std::string compose(LoadedRib& rib, Output o) {
    return o == Output::Dxf ? dxfText(rib) : o == Output::Screen ? screenText(rib) : printText(rib);
}

// The digest file of one output: "airfoil set digest length" a line.
inline fs::path digestFile(Output o) { return expectedDir() / (std::string(outputName(o)) + "_digests.txt"); }
// The whole text of one case.
inline fs::path fullTextFile(Output o, const std::string& airfoil, const std::string& set) {
    return expectedDir() / "cases" / (fs::path(airfoil).stem().string() + "__" + set + "." + outputName(o) + ".txt");
}

inline std::vector<std::string> airfoilsFor(Output o) {
    return o == Output::Dxf ? loadableAirfoils() : kDrawingSubset;
}

} // namespace parvelin::testing::stored
