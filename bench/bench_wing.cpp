// SPDX-License-Identifier: GPL-3.0-or-later
// A 40-rib wing panel from the root section to a tip section, with every
// component, building tabs and outlines, nested on 600 x 100 mm sheets and
// written as per-rib DXF drawings and sheet DXF and SVG text in memory.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/CoordinateFile.h"
#include "wing/RibSet.h"
#include "wing/WingFiles.h"

using namespace parvelin;
using namespace parvelin::wing;

namespace {

std::vector<AirfoilPoint> section(const char* name) {
    const CoordinateFileContents contents = readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/" + name);
    std::vector<AirfoilPoint> points = contents.drawingOrder;
    return points;
}

// A swept, twisted left panel of 40 ribs from 220 mm to 130 mm, Clark Y at
// the root blended to E205 at the tip, its tabs for a 14 mm board.
WingPanel fortyRibPanel() {
    WingPanel panel;
    panel.span = 800;
    panel.rootChord = 220;
    panel.tipChord = 130;
    panel.ribCount = 40;
    panel.sweep = 40;
    panel.washout = 2.0;
    panel.side = WingSide::Left;
    return panel;
}

// The whole job for the panel with these properties: the ribs built, nested
// (the first layout: this measures the job, not the search) and every file
// written. Returns the holes of the set.
std::size_t wingJob(benchmark::State& state, const RibProperties& properties) {
    const std::vector<AirfoilPoint> root = section("asb__clarky.dat");
    const std::vector<AirfoilPoint> tip = section("asb__e205.dat");
    const WingPanel panel = fortyRibPanel();
    const SheetSize sheet{600, 100};
    NestOptions options = nestOptions(0.2, true);
    options.seconds = 0.0;
    std::size_t holes = 0;
    for (auto _ : state) {
        const RibSet set = buildRibSet(panel, properties, root, tip);
        const Nesting nesting = nestParts(nestPartsOf(set, panel.side), sheet, options);
        std::size_t bytes = weightLines(set).size();
        holes = 0;
        for (const WingRib& rib : set.ribs) {
            bytes += ribDrawing(rib).text().size();
            holes += rib.holes.size();
        }
        for (const Sheet& s : nesting.sheets) bytes += sheetDxf(s, true).size() + sheetSvg(s, sheet, true).size();
        if (!set.error.empty() || !nesting.error.empty()) state.SkipWithError("the panel was refused");
        benchmark::DoNotOptimize(bytes);
    }
    return holes;
}

void BM_WingFortyRibsNestedAndWritten(benchmark::State& state) {
    RibProperties properties = kDefaultRibProperties;
    properties.leadingEdgeStyle = 2;
    properties.sparStyle = 1;
    properties.trailingEdgeStyle = 3;
    properties.sheetingStyle = 4;
    properties.height = 14.0f;
    wingJob(state, properties);
}
BENCHMARK(BM_WingFortyRibsNestedAndWritten)->Unit(benchmark::kMillisecond);

// The same panel with slots in every rib (no sheeting, so that the bays have
// room): each rib's holes, their weights, the nesting carrying the holes and
// the files holding them. The counter gives the holes of the set.
void BM_WingFortyRibsWithHoles(benchmark::State& state) {
    RibProperties properties = kDefaultRibProperties;
    properties.leadingEdgeStyle = 3;
    properties.sparStyle = 1;
    properties.sparDistance = 30.0f;
    properties.sparDistanceInPercent = 1;
    properties.trailingEdgeStyle = 3;
    properties.height = 14.0f;
    properties.holeStyle = 2;
    const std::size_t holes = wingJob(state, properties);
    if (holes == 0) state.SkipWithError("the ribs have no holes");
    state.counters["holes"] = static_cast<double>(holes);
}
BENCHMARK(BM_WingFortyRibsWithHoles)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The set of the command line's example: 40 Clark Y ribs from 200 to 120 mm
// over 1000 mm, tabs for a 12 mm board, a stick spar, both panels (80
// parts) on 600 x 100 mm sheets, nested with a search budget of the
// argument's tenths of a second. The counters give the sheets, the yield
// and the least number of sheets the parts' area allows.
void BM_NestEightyClarkYRibs(benchmark::State& state) {
    WingPanel panel;
    panel.span = 1000;
    panel.rootChord = 200;
    panel.tipChord = 120;
    panel.ribCount = 40;
    RibProperties properties = kDefaultRibProperties;
    properties.height = 12.0f;
    properties.sparStyle = 1;
    const RibSet set = buildRibSet(panel, properties, section("asb__clarky.dat"));
    const std::vector<NestPart> parts = nestPartsOf(set, panel.side);
    NestOptions options = nestOptions(0.0, true);
    options.seconds = static_cast<double>(state.range(0)) / 10.0;
    Nesting nesting;
    for (auto _ : state) {
        nesting = nestParts(parts, SheetSize{600, 100}, options);
        if (!nesting.error.empty()) state.SkipWithError("the parts were refused");
    }
    state.counters["sheets"] = static_cast<double>(nesting.sheets.size());
    state.counters["yield_percent"] = 100.0 * utilisation(nesting);
    state.counters["least_sheets"] = static_cast<double>(leastSheets(nesting));
    state.counters["layouts"] = static_cast<double>(nesting.layoutsTried);
}
BENCHMARK(BM_NestEightyClarkYRibs)->Arg(0)->Arg(5)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
