// SPDX-License-Identifier: GPL-3.0-or-later
// The Airfoil Browser's listing of a folder of 1,000 .dat files: every file
// read as Import reads it, measured for thickness and camber, sorted.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "airfoil/AirfoilFolder.h"
#include "airfoil/NacaSection.h"

namespace fs = std::filesystem;
using namespace parvelin;

namespace {

// 1,000 files: NACA sections of many designations and point counts, and the
// real files of the test corpus over and over.
fs::path makeFolder() {
    char pattern[] = "/tmp/parvelin-bench-folder-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return {};
    const fs::path folder = pattern;
    std::vector<std::string> real;
    for (const auto& file : fs::directory_iterator(PARVELIN_AIRFOIL_DIR))
        if (isAirfoilFileName(file.path().filename().string())) {
            std::ifstream in(file.path(), std::ios::binary);
            real.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    const char* camber[] = {"00", "14", "24", "44", "63", "230", "231", "250"};
    for (int i = 0; i < 1000; ++i) {
        const fs::path path = folder / ("airfoil" + std::to_string(i) + ".dat");
        std::ofstream out(path, std::ios::binary);
        if (i % 2 == 1 && !real.empty()) {
            out << real[static_cast<std::size_t>(i / 2) % real.size()];
            continue;
        }
        const int thickness = 6 + (i / 2) % 15;
        std::string designation = camber[(i / 2) % 8] + std::to_string(thickness / 10) + std::to_string(thickness % 10);
        std::string error;
        if (const auto section = parseNacaDesignation(designation, error))
            out << nacaSeligText(*section, NacaOptions{41 + (i / 2) % 60, (i / 2) % 3 == 0});
    }
    return folder;
}

void BM_ListFolderOf1000Files(benchmark::State& state) {
    const fs::path folder = makeFolder();
    std::size_t listed = 0;
    for (auto _ : state) {
        const AirfoilFolderListing listing = listAirfoilFolder(folder.string());
        listed = listing.entries.size();
        benchmark::DoNotOptimize(listing.entries.data());
    }
    state.counters["files"] = static_cast<double>(listed);
    std::error_code ec;
    fs::remove_all(folder, ec);
}
BENCHMARK(BM_ListFolderOf1000Files)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GenerateNaca23012(benchmark::State& state) {
    std::string error;
    const NacaDesignation section = parseNacaDesignation("23012", error).value();
    for (auto _ : state) benchmark::DoNotOptimize(nacaSeligText(section, {}));
}
BENCHMARK(BM_GenerateNaca23012)->Unit(benchmark::kMicrosecond);

} // namespace
