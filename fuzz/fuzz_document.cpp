// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the coordinate-file reader, then computes every
// component with properties taken from the same input, fits to windows of
// several sizes, paints, prints and writes the DXF text to memory.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "document/AirfoilDocument.h"
#include "view/ScreenView.h"
#include "dxf/RibDxf.h"
#include "view/PrintLayout.h"
#include "platform/Services.h"

namespace {

using namespace parvelin;

class FuzzWindow : public platform::Window {
public:
    platform::Rect client{0, 0, 650, 400};
    platform::Rect clientRect() const override { return client; }
    void invalidate(bool) override {}
    void setTitle(const std::string&) override {}
};

class FuzzDeviceContext : public platform::DeviceContext {
public:
    FuzzDeviceContext(int ppiX, int ppiY) : ppiX_(ppiX), ppiY_(ppiY) {}
    platform::Pen selectPen(const platform::Pen& pen) override {
        platform::Pen previous = pen_;
        pen_ = pen;
        return previous;
    }
    void moveTo(int x, int y) override { sum_ += static_cast<unsigned>(x) ^ static_cast<unsigned>(y); }
    void lineTo(int x, int y) override { sum_ += static_cast<unsigned>(x) + static_cast<unsigned>(y); }
    void arc(int l, int t, int r, int b, int, int, int, int) override {
        sum_ += static_cast<unsigned>(l) + static_cast<unsigned>(t) + static_cast<unsigned>(r) +
                static_cast<unsigned>(b);
    }
    void text(int x, int y, int height, const std::string& text) override {
        sum_ += static_cast<unsigned>(x) + static_cast<unsigned>(y) + static_cast<unsigned>(height) +
                static_cast<unsigned>(text.size());
    }
    int pixelsPerInchX() const override { return ppiX_; }
    int pixelsPerInchY() const override { return ppiY_; }
    int pageWidth() const override { return 4960; }
    int pageHeight() const override { return 7016; }
    unsigned sum() const { return sum_; }

private:
    int ppiX_, ppiY_;
    platform::Pen pen_{};
    unsigned sum_ = 0;
};

constexpr float kInterestingLengths[16] = {
    0.0f, -0.0f, 1.0f, -1.0f, 3.0f, 5.0f, 15.0f, 25.0f, 30.0f, 100.0f, 200.0f, 1e-30f, 1e30f,
    std::numeric_limits<float>::max(), std::numeric_limits<float>::infinity(),
    std::numeric_limits<float>::quiet_NaN(),
};

// The last 21 bytes of the input choose the fields: style codes from -1 to
// 5, lengths from a table of ordinary and hostile values.
RibProperties propertiesFrom(const std::uint8_t* data, std::size_t size) {
    RibProperties p = kDefaultRibProperties;
    auto pick = [&](std::size_t field) -> std::uint8_t {
        return size > field ? data[size - 1 - field] : static_cast<std::uint8_t>(field * 37);
    };
    auto style = [](std::uint8_t b) { return static_cast<std::int32_t>(b % 7) - 1; };
    auto length = [](std::uint8_t b) { return kInterestingLengths[b % 16]; };
    p.leadingEdgeStyle = style(pick(0));
    p.leadingEdgeHeight = length(pick(1));
    p.leadingEdgeDepth = length(pick(2));
    p.sparStyle = style(pick(3));
    p.sparWidth = length(pick(4));
    p.sparHeight = length(pick(5));
    p.sparDistance = length(pick(6));
    p.sparDistanceInPercent = pick(7) % 3;
    p.trailingEdgeStyle = style(pick(8));
    p.trailingEdgeHeight = length(pick(9));
    p.trailingEdgeWidth = length(pick(10));
    p.trailingEdgeThickness = length(pick(11));
    p.sheetingStyle = style(pick(12));
    p.sheetingThickness = length(pick(13));
    p.chord = length(pick(14));
    p.metric = pick(15) % 2;
    p.precision = static_cast<std::int32_t>(pick(16) % 8) - 2;
    // The holes: a style from -1 to 5 and hostile sizes, so that the hole
    // placement meets every component's outline.
    p.holeStyle = style(pick(17));
    p.holeMargin = length(pick(18));
    p.holeWeb = length(pick(19));
    p.holeMinimum = length(pick(20));
    return p;
}

void silent(std::string_view) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::setDebugSink(&silent);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CoordinateFileContents contents = parseCoordinateFile(bytes);
    if (contents.status != ReadStatus::Loaded) return 0;

    FuzzWindow window;
    AirfoilDocument document;
    document.takeContents(contents);
    document.applyProperties(propertiesFrom(data, size));

    FuzzDeviceContext screen(96, 96);
    ScreenView view;
    view.fit(document.rib(), window);
    paintRib(screen, document.picture(), view.transform(), window.clientRect());
    for (const platform::Rect client : {platform::Rect{0, 0, 50, 10}, platform::Rect{0, 0, 10, 10},
                                        platform::Rect{0, 0, 4000, 3000}}) {
        window.client = client;
        view.fit(document.rib(), window);
        paintRib(screen, document.picture(), view.transform(), window.clientRect());
    }
    FuzzDeviceContext printer(600, 600);
    printRib(printer, document.picture());
    FuzzDeviceContext skewed(600, 300);
    printRib(skewed, document.picture());

    // The pages of a print: whatever the chord, the pages cover the rib and
    // stay within the page limit.
    for (int ppi : {600, 150}) {
        FuzzDeviceContext page(ppi, ppi);
        const PrintLayout layout = layoutPrint(document.picture(), ppi, ppi, page.pageWidth(), page.pageHeight());
        if (layout.status != PrintLayoutStatus::Ready) continue;
        if (layout.pageCount() < 1 || layout.pageCount() > kMaxPrintPages) __builtin_trap();
        if (layout.hasRib) {
            const PrintTile& first = layout.tiles.front();
            const PrintTile& last = layout.tiles.back();
            if (layout.rib.left < first.offsetX || layout.rib.top < first.offsetY ||
                static_cast<long long>(layout.rib.right) >= static_cast<long long>(last.offsetX) + page.pageWidth() ||
                static_cast<long long>(layout.rib.bottom) >= static_cast<long long>(last.offsetY) + page.pageHeight())
                __builtin_trap();
        }
        for (int i = 0; i < layout.pageCount(); ++i) printLayoutPage(document.picture(), page, layout, i);
    }

    const DxfWriter drawing = ribDxfDrawing(document.rib());
    if (drawing.allFinite() && drawing.text().find("nan") != std::string::npos) __builtin_trap();
    return 0;
}
