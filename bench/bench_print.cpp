// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <string>

#include "document/AirfoilDocument.h"
#include "view/PrintLayout.h"

namespace {

using namespace parvelin;

// Laying a 300 mm Clark Y rib with every printed component out on A4
// portrait at 600 ppi (two pages) and drawing every page, furniture and all,
// onto a device that only measures.
void BM_LayOutAndPrintEveryPage(benchmark::State& state) {
    AirfoilDocument document;
    document.loadFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat");
    RibProperties p = kDefaultRibProperties;
    p.chord = 300.0f;
    p.leadingEdgeStyle = 1;
    p.sparStyle = 1;
    p.trailingEdgeStyle = 3;
    document.applyProperties(p);
    constexpr int kWidth = 4660;
    constexpr int kHeight = 6714;
    for (auto _ : state) {
        const PrintLayout layout = layoutPrint(document.picture(), 600, 600, kWidth, kHeight);
        MeasuringDeviceContext page(600, 600, kWidth, kHeight);
        for (int i = 0; i < layout.pageCount(); ++i) printLayoutPage(document.picture(), page, layout, i);
        benchmark::DoNotOptimize(page.extent());
    }
}
BENCHMARK(BM_LayOutAndPrintEveryPage);

} // namespace
