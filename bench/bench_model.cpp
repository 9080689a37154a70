// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilding the 3D scene of a 40-rib panel, as the 3D view does when a
// property or the wing changes: the rib set, then every rib extruded and
// the spar, edge stock and sheeting lofted from rib to rib, both panels;
// and the solids alone from a rib set already built.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/CoordinateFile.h"
#include "mesh/WingModel.h"
#include "wing/RibSet.h"

using namespace parvelin;
using namespace parvelin::wing;

namespace {

std::vector<AirfoilPoint> airfoil(const char* name) {
    const CoordinateFileContents contents = readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/" + name);
    std::vector<AirfoilPoint> points = contents.drawingOrder;
    return points;
}

struct FortyRibs {
    std::vector<AirfoilPoint> root = airfoil("asb__clarky.dat");
    std::vector<AirfoilPoint> tip = airfoil("asb__e205.dat");
    WingPanel panel;
    RibProperties properties = kDefaultRibProperties;
    mesh::ModelOptions options;
    FortyRibs() {
        panel.span = 800, panel.rootChord = 220, panel.tipChord = 130, panel.ribCount = 40;
        panel.sweep = 40, panel.washout = 2.0, panel.side = WingSide::Both;
        properties.leadingEdgeStyle = 2, properties.sparStyle = 1, properties.trailingEdgeStyle = 3;
        properties.sheetingStyle = 4, properties.height = 14.0f;
        options.side = WingSide::Both;
    }
};

void BM_ModelFortyRibsFromTheWing(benchmark::State& state) {
    const FortyRibs w;
    for (auto _ : state) {
        const RibSet set = buildRibSet(w.panel, w.properties, w.root, w.tip);
        const mesh::Model model = mesh::wingModel(set, w.panel, w.options);
        if (!model.error.empty()) state.SkipWithError(model.error.c_str());
        benchmark::DoNotOptimize(model.parts.data());
    }
}
BENCHMARK(BM_ModelFortyRibsFromTheWing)->Unit(benchmark::kMillisecond);

void BM_ModelFortyRibsSolidsOnly(benchmark::State& state) {
    const FortyRibs w;
    const RibSet set = buildRibSet(w.panel, w.properties, w.root, w.tip);
    std::size_t triangles = 0;
    for (auto _ : state) {
        const mesh::Model model = mesh::wingModel(set, w.panel, w.options);
        triangles = 0;
        for (const mesh::Part& p : model.parts) triangles += p.mesh.triangles.size();
        benchmark::DoNotOptimize(triangles);
    }
    state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_ModelFortyRibsSolidsOnly)->Unit(benchmark::kMillisecond);

} // namespace
