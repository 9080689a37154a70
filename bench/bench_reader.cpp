// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "model/CoordinateFile.h"

namespace {

std::string fileBytes(const char* name) {
    std::ifstream in(std::string(PARVELIN_AIRFOIL_DIR) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Reading and reordering a file of nearly 4 KB (the largest the reader takes).
void BM_ParseCoordinateFile(benchmark::State& state) {
    const std::string bytes = fileBytes("asb__tp66.dat").substr(0, 4000);
    for (auto _ : state) {
        auto contents = parvelin::parseCoordinateFile(bytes);
        benchmark::DoNotOptimize(contents);
    }
}
BENCHMARK(BM_ParseCoordinateFile);

} // namespace
