// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <string>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "document/RibDesignFile.h"

namespace {

using namespace parvelin;

// Clark Y (120 points) with every component, as File > Save writes it.
RibDesign clarkYDesign() {
    AirfoilDocument document;
    document.takeContents(readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"));
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = 1;
    p.sparStyle = 1;
    p.trailingEdgeStyle = 3;
    p.sheetingStyle = 4;
    document.applyProperties(p);
    return designOf(document);
}

void BM_RibDesignText(benchmark::State& state) {
    const RibDesign design = clarkYDesign();
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(ribDesignText(design, error));
}
BENCHMARK(BM_RibDesignText);

void BM_ParseRibDesign(benchmark::State& state) {
    std::string error;
    const std::string text = ribDesignText(clarkYDesign(), error);
    for (auto _ : state) benchmark::DoNotOptimize(parseRibDesign(text));
}
BENCHMARK(BM_ParseRibDesign);

// Opening a design: reading the text and computing every component.
void BM_OpenRibDesign(benchmark::State& state) {
    std::string error;
    const std::string text = ribDesignText(clarkYDesign(), error);
    for (auto _ : state) {
        AirfoilDocument document;
        loadDesign(document, parseRibDesign(text).design);
        benchmark::DoNotOptimize(ribDxfDrawing(document.rib()));
    }
}
BENCHMARK(BM_OpenRibDesign);

} // namespace
