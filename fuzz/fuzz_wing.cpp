// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reader as a root section (the whole input) and
// a tip section (its second half), takes the panel's numbers from the first
// bytes, builds the rib set with tabs, nests it and writes every file's text
// to memory.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "model/CoordinateFile.h"
#include "wing/RibSet.h"
#include "wing/WingFiles.h"

namespace {

using namespace parvelin;
using namespace parvelin::wing;

std::vector<AirfoilPoint> section(std::string_view bytes) {
    const CoordinateFileContents contents = parseCoordinateFile(bytes);
    return contents.drawingOrder;
}

// A number from four input bytes, in a range that reaches past every limit.
double number(const std::uint8_t* data, std::size_t size, std::size_t at, double scale) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) bits = bits << 8 | (at + i < size ? data[at + i] : 0u);
    return (static_cast<double>(bits) / 4294967295.0 * 2.0 - 0.5) * scale;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<AirfoilPoint> root = section(bytes);
    const std::vector<AirfoilPoint> tip = section(bytes.substr(size / 2));

    WingPanel panel;
    panel.span = number(data, size, 0, 2000.0);
    panel.rootChord = number(data, size, 4, 600.0);
    panel.tipChord = number(data, size, 8, 600.0);
    // A dozen ribs at most: the counts the panel refuses are still reached,
    // and one input stays seconds long under the sanitizers.
    panel.ribCount = static_cast<int>(number(data, size, 12, 8.0));
    panel.sweep = number(data, size, 16, 300.0);
    panel.sparRoot = number(data, size, 20, 100.0);
    panel.washout = number(data, size, 24, 20.0);
    panel.side = size % 3 == 0 ? WingSide::Left : WingSide::Both;
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = size % 5;
    p.sparStyle = size % 3;
    p.trailingEdgeStyle = size % 4;
    p.sheetingStyle = (size / 7) % 5;
    p.height = static_cast<float>(number(data, size, 28, 60.0));
    p.heightInPercent = size % 2 == 0 ? 1 : 0;

    const RibSet set = buildRibSet(panel, p, root, tip);
    std::size_t total = 0;
    for (const WingRib& rib : set.ribs) total += ribDrawing(rib).text().size();
    total += setDrawing(set).text().size();
    const SheetSize sheet{number(data, size, 32, 2000.0), number(data, size, 36, 600.0)};
    NestOptions options = nestOptions(0.2, true);
    options.seconds = 0.0;
    options.grain = size % 2 == 0 ? Grain::Chord : Grain::Any;
    options.mirror = size % 3 == 0;
    const Nesting nesting = nestParts(nestPartsOf(set, panel.side), sheet, options);
    for (const Sheet& s : nesting.sheets) total += sheetDxf(s, true).size() + sheetSvg(s, sheet, true).size();
    volatile std::size_t sink = total;
    (void)sink;
    return 0;
}
