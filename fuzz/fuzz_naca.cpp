// SPDX-License-Identifier: GPL-3.0-or-later
// NACA designations as typed (the New from NACA box, naca:DESIGNATION on the
// command line, the wing's tip box): arbitrary text through the designation
// reader; a designation it accepts made into a section with point counts and
// trailing edges from the same bytes, its file read back by Open and Import,
// measured and loaded into a document.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "airfoil/NacaSection.h"
#include "dxf/RibDxf.h"
#include "airfoil/SectionMeasure.h"
#include "document/AirfoilDocument.h"
#include "model/ImportReader.h"

using namespace parvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string error;
    const std::optional<NacaDesignation> section = parseNacaDesignation(text, error);
    if (!section) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    NacaOptions options;
    options.points = kNacaMinPoints + data[0] % 120;
    options.closedTrailingEdge = (data[0] & 0x80) != 0;
    const CoordinateFileContents contents = nacaSectionContents(*section, options);
    for (const CoordinatePair& p : contents.accepted)
        if (!std::isfinite(p.modelX) || !std::isfinite(p.modelY) || p.modelX > 1.0f) __builtin_trap();
    const std::string file = nacaSeligText(*section, options);
    if (file.size() <= kMaxCoordinateFileSize) {
        const CoordinateFileContents opened = parseCoordinateFile(file);
        if (opened.drawingOrder != contents.drawingOrder) __builtin_trap();
    }
    const ImportResult imported = parseImportFile(file, "naca.dat");
    (void)imported;
    (void)measureSection(contents.drawingOrder);
    AirfoilDocument document;
    document.takeContents(contents);
    (void)ribDxfDrawing(document.rib()).text();
    return 0;
}
