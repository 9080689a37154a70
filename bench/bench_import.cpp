// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>

#include "model/ImportReader.h"

namespace {

// File > Import of a real Selig file (the same one the strict reader's
// benchmark reads, 201 points, 4.5 KB).
void BM_ImportRealFile(benchmark::State& state) {
    std::ifstream in(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__tp66.dat", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const std::string bytes = s.str();
    for (auto _ : state) {
        auto result = parvelin::parseImportFile(bytes, "tp66.dat");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ImportRealFile);

// The largest file the reader takes by points: 20,000 pairs of a lens in
// millimetres, turned 2 degrees, so every step runs (percent check, turning,
// scaling, the crossing sweep).
void BM_ImportTwentyThousandPoints(benchmark::State& state) {
    std::string bytes = "lens\n";
    const int perSurface = 10000;
    const double a = 2.0 * std::numbers::pi / 180.0;
    char line[96];
    for (int i = 0; i < 2 * perSurface; ++i) {
        const bool upper = i < perSurface;
        const double x = upper ? 1.0 - double(i) / perSurface : double(i - perSurface + 1) / perSurface;
        const double y = (upper ? 0.06 : -0.04) * std::sin(std::numbers::pi * x);
        std::snprintf(line, sizeof line, "%.6f %.6f\n", 250.0 * (x * std::cos(a) - y * std::sin(a)),
                      250.0 * (x * std::sin(a) + y * std::cos(a)));
        bytes += line;
    }
    for (auto _ : state) {
        auto result = parvelin::parseImportFile(bytes, "lens.dat");
        if (result.status != parvelin::ImportStatus::Imported) state.SkipWithError("not imported");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ImportTwentyThousandPoints)->Unit(benchmark::kMillisecond);

} // namespace
