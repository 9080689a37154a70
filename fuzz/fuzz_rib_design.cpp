// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the rib design reader and its wing reader. A design it accepts is
// loaded into a document (every component computed, fitted and drawn into
// the DXF text) and written out again; that text must read back to the same
// design.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "document/RibDesignFile.h"
#include "wing/WingDesign.h"

namespace {

using namespace parvelin;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const wing::WingDesignRead withWing =
        wing::parseDesignWithWing(std::string_view(reinterpret_cast<const char*>(data), size));
    const RibDesignRead& read = withWing.rib;
    if (!read.loaded) {
        if (read.error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    AirfoilDocument document;
    loadDesign(document, read.design);
    (void)ribDxfDrawing(document.rib());

    std::string error;
    // A wing that was read is written again and must come back the same.
    const RibDesign design = wing::withWing(designOf(document), withWing.wing, error);
    if (!error.empty()) std::abort();
    const std::string text = ribDesignText(design, error);
    if (!error.empty()) std::abort();
    const wing::WingDesignRead againWithWing = wing::parseDesignWithWing(text);
    if (againWithWing.wing != withWing.wing) std::abort();
    const RibDesignRead& again = againWithWing.rib;
    if (!again.loaded || again.design.name != read.design.name ||
        again.design.points.size() != read.design.points.size() ||
        std::memcmp(again.design.points.data(), read.design.points.data(),
                    read.design.points.size() * sizeof(CoordinatePair)) != 0 ||
        std::memcmp(&again.design.properties, &read.design.properties, sizeof(RibProperties)) != 0)
        std::abort();
    return 0;
}
