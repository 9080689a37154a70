// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "document/AirfoilDocument.h"
#include "view/ScreenView.h"
#include "dxf/RibDxf.h"

namespace {

using namespace parvelin;

class BenchWindow : public platform::Window {
public:
    platform::Rect clientRect() const override { return {0, 0, 1200, 700}; }
    void invalidate(bool) override {}
    void setTitle(const std::string&) override {}
};

CoordinateFileContents clarkY() {
    std::ifstream in(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return parseCoordinateFile(s.str());
}

RibProperties everything(int leadingEdge, int spar, int trailingEdge, int sheeting) {
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = leadingEdge;
    p.sparStyle = spar;
    p.sparDistanceInPercent = 1;
    p.trailingEdgeStyle = trailingEdge;
    p.sheetingStyle = sheeting;
    p.chord = 200.0f;
    return p;
}

// Rebuilding all four components, once for every combination of styles.
void BM_ComputeAllComponentsEveryStyle(benchmark::State& state) {
    const CoordinateFileContents contents = clarkY();
    BenchWindow window;
    AirfoilDocument document;
    document.takeContents(contents);
    for (auto _ : state) {
        for (int le = 0; le <= 4; ++le)
            for (int sp = 0; sp <= 2; ++sp)
                for (int te = 0; te <= 3; ++te)
                    for (int sh = 0; sh <= 4; ++sh) document.applyProperties(everything(le, sp, te, sh));
    }
    state.SetItemsProcessed(state.iterations() * 5 * 3 * 4 * 5);
}
BENCHMARK(BM_ComputeAllComponentsEveryStyle)->Unit(benchmark::kMillisecond);

// Fitting the airfoil and every built component to the window.
void BM_FitToWindowAndRescale(benchmark::State& state) {
    const CoordinateFileContents contents = clarkY();
    BenchWindow window;
    AirfoilDocument document;
    document.takeContents(contents);
    document.applyProperties(everything(1, 1, 1, 4));
    ScreenView view;
    for (auto _ : state) benchmark::DoNotOptimize(view.fit(document.rib(), window));
}
BENCHMARK(BM_FitToWindowAndRescale);

// Composing the whole DXF drawing in memory.
void BM_DxfToMemory(benchmark::State& state) {
    const CoordinateFileContents contents = clarkY();
    AirfoilDocument document;
    document.takeContents(contents);
    document.applyProperties(everything(1, 1, 1, 4));
    for (auto _ : state) {
        DxfWriter drawing = ribDxfDrawing(document.rib());
        benchmark::DoNotOptimize(drawing);
    }
}
BENCHMARK(BM_DxfToMemory);

} // namespace
