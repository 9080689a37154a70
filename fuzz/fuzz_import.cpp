// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to File > Import's reader. A refused file must hand
// over nothing; an imported one an outline of finite points on the unit
// chord (when moved there, every point within the chord's length of the
// trailing edge; when already there, x within the chord), whose
// drawing order loads, fits, paints and writes DXF text like any other.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/AirfoilDocument.h"
#include "view/ScreenView.h"
#include "dxf/RibDxf.h"
#include "model/ImportReader.h"
#include "platform/Services.h"

namespace {

using namespace parvelin;

class FuzzWindow : public platform::Window {
public:
    platform::Rect clientRect() const override { return {0, 0, 650, 400}; }
    void invalidate(bool) override {}
    void setTitle(const std::string&) override {}
};

class CountingDeviceContext : public platform::DeviceContext {
public:
    platform::Pen selectPen(const platform::Pen& pen) override { return pen; }
    void moveTo(int, int) override { ++calls; }
    void lineTo(int, int) override { ++calls; }
    void arc(int, int, int, int, int, int, int, int) override { ++calls; }
    void text(int, int, int, const std::string&) override { ++calls; }
    int pixelsPerInchX() const override { return 96; }
    int pixelsPerInchY() const override { return 96; }
    int pageWidth() const override { return 794; }
    int pageHeight() const override { return 1123; }
    unsigned calls = 0;
};

void silent(std::string_view) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::setDebugSink(&silent);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ImportResult result = parseImportFile(bytes, "fuzz.dat");
    if (result.status != ImportStatus::Imported) {
        if (!result.contents.drawingOrder.empty() || !result.outline.empty()) __builtin_trap();
        if (importStatusMessage(result.status) == nullptr) __builtin_trap();
        return 0;
    }
    if (result.contents.status != ReadStatus::Loaded || result.outline.size() < 3 ||
        result.contents.drawingOrder.size() < 2)
        __builtin_trap();
    // A moved and scaled outline has its leading edge, the point farthest
    // from the trailing edge, at (0, 0): nothing lies farther than the chord
    // from (1, 0). A file already on the unit chord keeps its numbers as
    // written; only its x is bounded (a spike of y = 0.98 is the file's own).
    const bool moved = result.changed(ImportChange::Normalised);
    for (const CoordinatePair& p : result.outline) {
        if (!std::isfinite(p.modelX) || !std::isfinite(p.modelY)) __builtin_trap();
        if (moved && std::hypot(p.modelX - 1.0, double(p.modelY)) > 1.0 + 1e-5) __builtin_trap();
        if (!moved && (p.modelX < -0.0021f || p.modelX > 1.00011f)) __builtin_trap();
    }
    (void)importChangesMessage(result);

    FuzzWindow window;
    AirfoilDocument document;
    document.takeContents(result.contents);
    CountingDeviceContext dc;
    ScreenView view;
    view.fit(document.rib(), window);
    paintRib(dc, document.picture(), view.transform(), window.clientRect());
    printRib(dc, document.picture());
    const DxfWriter drawing = ribDxfDrawing(document.rib());
    if (!drawing.allFinite()) __builtin_trap();
    return 0;
}
