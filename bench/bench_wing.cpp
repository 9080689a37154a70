// A 40-rib wing panel from the root section to a tip section, with every
// component, building tabs and outlines, nested on 600 x 100 mm sheets and
// written as per-rib DXF drawings and sheet DXF and SVG text in memory.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "document/CoordinateFile.h"
#include "wing/RibSet.h"
#include "wing/WingFiles.h"

using namespace parvelin;
using namespace parvelin::wing;

namespace {

std::vector<AirfoilPoint> section(const char* name) {
    const CoordinateFileContents contents = readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/" + name);
    std::vector<AirfoilPoint> points;
    for (const CoordinatePair& p : contents.drawingOrder) points.push_back(AirfoilPoint{p.x, p.y});
    return points;
}

void BM_WingFortyRibsNestedAndWritten(benchmark::State& state) {
    const std::vector<AirfoilPoint> root = section("asb__clarky.dat");
    const std::vector<AirfoilPoint> tip = section("asb__e205.dat");
    WingPanel panel;
    panel.span = 800;
    panel.rootChord = 220;
    panel.tipChord = 130;
    panel.ribCount = 40;
    panel.sweep = 40;
    panel.washout = 2.0;
    panel.side = WingSide::Left;
    RibProperties properties = kDefaultRibProperties;
    properties.leadingEdgeStyle = 2;
    properties.sparStyle = 1;
    properties.trailingEdgeStyle = 3;
    properties.sheetingStyle = 4;
    properties.height = 14.0f;
    const SheetSize sheet{600, 100};
    for (auto _ : state) {
        const RibSet set = buildRibSet(panel, properties, root, tip);
        const Nesting nesting = nestParts(nestPartsOf(set, panel.side), sheet, partGap(0.2, true));
        std::size_t bytes = 0;
        for (const WingRib& rib : set.ribs) bytes += ribDrawing(rib).text().size();
        for (const Sheet& s : nesting.sheets) bytes += sheetDxf(s, true).size() + sheetSvg(s, sheet, true).size();
        if (!set.error.empty() || !nesting.error.empty()) state.SkipWithError("the panel was refused");
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_WingFortyRibsNestedAndWritten)->Unit(benchmark::kMillisecond);

} // namespace
