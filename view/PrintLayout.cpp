// SPDX-License-Identifier: GPL-3.0-or-later
// Laying a rib out over as many pages as it needs, with registration
// crosses, a scale bar and page labels.
#include "view/PrintLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

#include "geom/DeviceCoord.h"
#include "geom/Units.h"

namespace parvelin {

using platform::Pen;
using platform::PenScope;
using platform::PenStyle;
using platform::Rect;

namespace {

// Sizes on paper, in millimetres.
constexpr double kEdgeMarginMm = 2.0;    // furniture stays this far inside the printable area
constexpr double kClearanceMm = 4.0;     // and this far from the rib and the overlap strips
constexpr double kCrossArmMm = 3.0;
constexpr double kCrossGapMm = 6.0;      // crosses above and below the rib stand off this far
constexpr double kTextHeightMm = 3.0;
constexpr double kLabelGapMm = 1.5;      // between the scale bar's baseline and its label
constexpr double kMinorTickMm = 1.5;
constexpr double kMiddleTickMm = 2.5;
constexpr double kMajorTickMm = 4.0;
// Text is not measured by the core; this many text heights per character is
// wider than the usual sans-serif faces, so boxes err on the large side.
constexpr double kCharWidthPerHeight = 0.62;

struct ScaleChoice {
    int units;            // ticks: millimetres, or tenths of an inch
    double pixelsPerUnit;
    const char* label;
};

long long overlapArea(const Rect& a, const Rect& b) {
    const long long w = static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left) + 1;
    const long long h = static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top) + 1;
    return w > 0 && h > 0 ? w * h : 0;
}

Rect grown(const Rect& r, int by) {
    return Rect{deviceOffset(r.left, -by), deviceOffset(r.top, -by), deviceOffset(r.right, by),
                deviceOffset(r.bottom, by)};
}

// The rectangle as a page whose top-left corner lies at `origin` sees it.
Rect seenFrom(const Rect& r, const PrintTile& origin) {
    const double dx = origin.offsetX;
    const double dy = origin.offsetY;
    return Rect{deviceCoord(r.left - dx), deviceCoord(r.top - dy), deviceCoord(r.right - dx),
                deviceCoord(r.bottom - dy)};
}

// One axis of the tiling: the pages needed to cover [lo, hi] and the sheet
// coordinate where the first one starts. A span that lies on the page keeps
// it where it is; one that is shorter than the page but reaches past an edge
// is centred; a longer one is spread over pages that share `overlap` pixels,
// the spare room split evenly before and after.
struct Axis {
    long long count = 1;
    long long start = 0;
    long long step = 0;
};

Axis tileAxis(long long lo, long long hi, int page, int overlap) {
    Axis axis;
    axis.step = static_cast<long long>(page) - overlap;
    const long long length = hi - lo + 1;
    if (lo >= 0 && hi < page) return axis;
    if (length <= page) {
        axis.start = lo - (page - length) / 2;
        return axis;
    }
    axis.count = 1 + (length - page + axis.step - 1) / axis.step;
    const long long total = page + (axis.count - 1) * axis.step;
    axis.start = lo - (total - length) / 2;
    return axis;
}

int clampInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::string formatLength(float value) {
    // Two decimals at most, trailing zeros dropped; the same in every locale.
    char buffer[64];
    const double rounded = std::round(static_cast<double>(value) * 100.0) / 100.0;
    auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 2);
    if (result.ec != std::errc()) return "?";
    std::string text(buffer, result.ptr);
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// Chooses where a box goes: of the candidate places, in order, the first
// whose box lies on the page and clear of every obstacle (the rib, the strips
// shared with neighbours, furniture already placed); failing that, the one
// on the page that covers least of them.
template <typename MakeBox>
std::optional<std::pair<int, int>> place(const std::vector<std::pair<int, int>>& candidates, MakeBox&& box,
                                         const Rect& page, const std::vector<Rect>& obstacles) {
    std::optional<std::pair<int, int>> best;
    long long bestCover = std::numeric_limits<long long>::max();
    for (const auto& c : candidates) {
        const Rect b = box(c.first, c.second);
        if (b.left < page.left || b.top < page.top || b.right > page.right || b.bottom > page.bottom) continue;
        long long cover = 0;
        for (const Rect& o : obstacles) cover += overlapArea(b, o);
        if (cover == 0) return c;
        if (cover < bestCover) {
            bestCover = cover;
            best = c;
        }
    }
    return best;
}

} // namespace

int millimetresToPixels(double mm, int pixelsPerInch) {
    return deviceCoord(std::round(mm * pixelsPerInch / geom::kMillimetresPerInch));
}

int textWidth(const std::string& text, int height) {
    return static_cast<int>(std::ceil(static_cast<double>(text.size()) * height * kCharWidthPerHeight));
}

// --- Layout ---

void printExtraLines(const RibPicture& picture, platform::DeviceContext& dc, const PrintExtras& extras,
                     DevicePoint sheetOrigin) {
    if (extras.lines.empty() || dc.pixelsPerInchX() != dc.pixelsPerInchY()) return;
    const RibProperties& properties = picture.rib.properties;
    const ViewTransform page =
        ViewTransform::trueScale(dc.pixelsPerInchX(), dc.pageHeight(), properties.chord, inMillimetres(properties))
            .shifted(sheetOrigin);
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kBlack});
    for (const std::vector<geom::Point>& line : extras.lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            const DevicePoint p = page.map(line[i]);
            if (i == 0)
                dc.moveTo(p.x, p.y);
            else
                dc.lineTo(p.x, p.y);
        }
    }
}

namespace {

// Registration crosses in the middle of every overlap strip: on the chord
// line and above and below the rib across a vertical join, at a quarter
// and three quarters of the page across a horizontal one. Each lies on
// both pages of its strip (four at a corner where strips cross).
void addRegistrationCrosses(PrintLayout& layout, const Axis& across, const Axis& down) {
    const int ppiX = layout.pixelsPerInch;
    const int pageWidth = layout.pageWidth;
    const int pageHeight = layout.pageHeight;
    const int arm = millimetresToPixels(kCrossArmMm, ppiX);
    const int gap = millimetresToPixels(kCrossGapMm, ppiX);
    auto addCross = [&](int x, int y) {
        for (const auto& [cx, cy] : layout.registration)
            if (std::abs(static_cast<long long>(cx) - x) <= 2 * arm && std::abs(static_cast<long long>(cy) - y) <= 2 * arm)
                return;
        layout.registration.emplace_back(x, y);
    };
    for (int column = 0; column + 1 < layout.columns; ++column) {
        const int x = clampInt(across.start + (column + 1) * across.step + layout.overlap / 2);
        for (int row = 0; row < layout.rows; ++row) {
            const long long bandTop = down.start + row * down.step + arm + 1;
            const long long bandBottom = down.start + row * down.step + pageHeight - arm - 2;
            for (long long y : {static_cast<long long>(layout.chordLineY),
                                static_cast<long long>(layout.rib.top) - gap,
                                static_cast<long long>(layout.rib.bottom) + gap})
                addCross(x, clampInt(std::clamp(y, bandTop, std::max(bandTop, bandBottom))));
        }
    }
    for (int row = 0; row + 1 < layout.rows; ++row) {
        const int y = clampInt(down.start + (row + 1) * down.step + layout.overlap / 2);
        for (int column = 0; column < layout.columns; ++column) {
            const long long left = across.start + column * across.step;
            addCross(clampInt(left + pageWidth / 4), y);
            addCross(clampInt(left + 3LL * pageWidth / 4), y);
        }
    }
}

} // namespace

PrintLayout layoutPrint(const RibPicture& picture, int ppiX, int ppiY, int pageWidth, int pageHeight,
                        const PrintExtras& extras) {
    PrintLayout layout;
    layout.pixelsPerInch = ppiX;
    layout.pageWidth = pageWidth;
    layout.pageHeight = pageHeight;
    layout.chordLineY = pageHeight / 2;
    if (!picture.loaded || ppiX != ppiY || ppiX <= 0 || pageWidth <= 0 || pageHeight <= 0) return layout;

    // Never more than a quarter of the page, so that every page shows some
    // sheet of its own however small the paper.
    layout.overlap = std::min({millimetresToPixels(kPrintOverlapMm, ppiX), pageWidth / 4, pageHeight / 4});

    MeasuringDeviceContext measure(ppiX, ppiY, pageWidth, pageHeight);
    if (!printRib(measure, picture)) return layout;
    printExtraLines(picture, measure, extras);

    if (measure.empty()) {
        layout.status = PrintLayoutStatus::Ready;
        layout.tiles.push_back(PrintTile{});
        return layout;
    }
    layout.hasRib = true;
    layout.rib = measure.extent();

    const Axis across = tileAxis(layout.rib.left, layout.rib.right, pageWidth, layout.overlap);
    const Axis down = tileAxis(layout.rib.top, layout.rib.bottom, pageHeight, layout.overlap);
    const long long pages = across.count * down.count;
    if (pages > kMaxPrintPages) {
        layout.status = PrintLayoutStatus::TooManyPages;
        layout.pagesNeeded = clampInt(pages);
        return layout;
    }
    layout.columns = static_cast<int>(across.count);
    layout.rows = static_cast<int>(down.count);
    for (int row = 0; row < layout.rows; ++row)
        for (int column = 0; column < layout.columns; ++column)
            layout.tiles.push_back(PrintTile{column, row, clampInt(across.start + column * across.step),
                                             clampInt(down.start + row * down.step)});

    addRegistrationCrosses(layout, across, down);
    layout.status = PrintLayoutStatus::Ready;
    return layout;
}

// --- Furniture ---

Rect ScaleBar::box() const {
    int tallest = 0;
    for (const Tick& t : ticks) tallest = std::max(tallest, t.height);
    const int labelRight = deviceOffset(labelX, textWidth(label, textHeight));
    return Rect{left, deviceOffset(baseline, -tallest), std::max(deviceOffset(left, length), labelRight),
                deviceOffset(labelY, textHeight)};
}

Rect PageLabel::box() const {
    return Rect{x, y, deviceOffset(x, textWidth(text, textHeight)), deviceOffset(y, textHeight)};
}

std::string pageLabelText(const std::string& name, float chord, bool metric, int page, int pages) {
    std::string shown = trimmed(name);
    if (shown.empty()) shown = "Untitled";
    return shown + "   " + formatLength(chord) + geom::unitSuffix(metric) + "   page " + std::to_string(page) +
           " of " + std::to_string(pages);
}

std::string ownPageLabelText(const std::string& label, int page, int pages) {
    if (pages <= 1) return label;
    return label + "   page " + std::to_string(page) + " of " + std::to_string(pages);
}

namespace {

// The part of a page the furniture may use: inside the edge margin, clear of
// the strips the page shares with its neighbours, and what it keeps clear
// of (the rib as it lies on the page, those strips).
struct PageRoom {
    Rect page;
    std::vector<Rect> obstacles;
    int clearLeft = 0;
    int clearRight = 0;
    int clearTop = 0;
    int clearBottom = 0;
    int clearance = 0;
};

PageRoom pageRoom(const PrintLayout& layout, const PrintTile& tile) {
    const int ppi = layout.pixelsPerInch;
    const int w = layout.pageWidth;
    const int h = layout.pageHeight;
    const int edge = millimetresToPixels(kEdgeMarginMm, ppi);
    PageRoom room;
    room.clearance = millimetresToPixels(kClearanceMm, ppi);
    room.page = Rect{edge, edge, w - 1 - edge, h - 1 - edge};
    if (layout.hasRib) room.obstacles.push_back(grown(seenFrom(layout.rib, tile), room.clearance));
    const int strip = layout.overlap + room.clearance;
    room.clearLeft = room.page.left;
    room.clearRight = room.page.right;
    room.clearTop = room.page.top;
    room.clearBottom = room.page.bottom;
    if (tile.column > 0) {
        room.obstacles.push_back(Rect{0, 0, strip, h - 1});
        room.clearLeft = std::max(room.clearLeft, strip + 1);
    }
    if (tile.column + 1 < layout.columns) {
        room.obstacles.push_back(Rect{w - 1 - strip, 0, w - 1, h - 1});
        room.clearRight = std::min(room.clearRight, w - 2 - strip);
    }
    if (tile.row > 0) {
        room.obstacles.push_back(Rect{0, 0, w - 1, strip});
        room.clearTop = std::max(room.clearTop, strip + 1);
    }
    if (tile.row + 1 < layout.rows) {
        room.obstacles.push_back(Rect{0, h - 1 - strip, w - 1, h - 1});
        room.clearBottom = std::min(room.clearBottom, h - 2 - strip);
    }
    return room;
}

// The scale bar, not yet placed: the longest of 100, 50, 20 or 10 mm (4, 2
// or 1 in) that fits across `width`, with its ticks and label.
ScaleBar scaleBarShape(bool metric, int ppi, int width) {
    const double pxPerMm = ppi / geom::kMillimetresPerInch;
    const std::vector<ScaleChoice> choices =
        metric ? std::vector<ScaleChoice>{{100, pxPerMm, "100 mm"}, {50, pxPerMm, "50 mm"}, {20, pxPerMm, "20 mm"},
                                          {10, pxPerMm, "10 mm"}}
               : std::vector<ScaleChoice>{{40, ppi / 10.0, "4 in"}, {20, ppi / 10.0, "2 in"}, {10, ppi / 10.0, "1 in"}};
    ScaleChoice choice = choices.back();
    for (const ScaleChoice& c : choices) {
        if (std::lround(c.units * c.pixelsPerUnit) <= width) {
            choice = c;
            break;
        }
    }
    ScaleBar bar;
    bar.length = static_cast<int>(std::lround(choice.units * choice.pixelsPerUnit));
    bar.label = choice.label;
    bar.textHeight = millimetresToPixels(kTextHeightMm, ppi);
    const int minor = millimetresToPixels(kMinorTickMm, ppi);
    const int middle = millimetresToPixels(kMiddleTickMm, ppi);
    const int major = millimetresToPixels(kMajorTickMm, ppi);
    for (int i = 0; i <= choice.units; ++i) {
        const int height = i % 10 == 0 ? major : i % 5 == 0 ? middle : minor;
        bar.ticks.push_back(ScaleBar::Tick{static_cast<int>(std::lround(i * choice.pixelsPerUnit)), height});
    }
    return bar;
}

// The scale bar placed under or over the rib, else in a free corner.
ScaleBar placedScaleBar(ScaleBar bar, const PrintLayout& layout, const PrintTile& tile, const PageRoom& room) {
    const int ppi = layout.pixelsPerInch;
    const int major = millimetresToPixels(kMajorTickMm, ppi);
    const int labelGap = millimetresToPixels(kLabelGapMm, ppi);
    auto barAt = [&](int left, int baseline) {
        ScaleBar b = bar;
        b.left = left;
        b.baseline = baseline;
        b.labelX = left;
        b.labelY = deviceOffset(baseline, labelGap);
        return b;
    };
    const int below = labelGap + bar.textHeight;  // from the baseline to the bottom of the label
    std::vector<std::pair<int, int>> barPlaces;
    if (layout.hasRib) {
        const Rect rib = seenFrom(layout.rib, tile);
        const int left = std::clamp(rib.left, room.clearLeft, std::max(room.clearLeft, room.clearRight - bar.length));
        barPlaces.emplace_back(left, deviceOffset(rib.bottom, room.clearance + 1 + major));
        barPlaces.emplace_back(left, deviceOffset(rib.top, -(room.clearance + 1 + below)));
    }
    barPlaces.emplace_back(room.clearLeft, room.clearBottom - below);
    barPlaces.emplace_back(room.clearRight - bar.length, room.clearBottom - below);
    barPlaces.emplace_back(room.clearLeft, room.clearTop + major);
    barPlaces.emplace_back(room.clearRight - bar.length, room.clearTop + major);
    const auto barPlace = place(barPlaces, [&](int x, int y) { return barAt(x, y).box(); }, room.page, room.obstacles);
    return barPlace ? barAt(barPlace->first, barPlace->second) : barAt(room.clearLeft, room.clearBottom - below);
}

// The label in a corner away from the rib.
void placeLabel(PageLabel& label, const PageRoom& room) {
    const int width = textWidth(label.text, label.textHeight);
    const std::vector<std::pair<int, int>> corners{{room.clearLeft, room.clearTop},
                                                   {room.clearRight - width, room.clearTop},
                                                   {room.clearLeft, room.clearBottom - label.textHeight},
                                                   {room.clearRight - width, room.clearBottom - label.textHeight}};
    auto labelAt = [&](int x, int y) {
        PageLabel l = label;
        l.x = x;
        l.y = y;
        return l.box();
    };
    const auto corner = place(corners, labelAt, room.page, room.obstacles);
    label.x = corner ? corner->first : room.clearLeft;
    label.y = corner ? corner->second : room.clearTop;
}

} // namespace

PageFurniture pageFurniture(const PrintLayout& layout, int index, bool metric, const std::string& name,
                            float chord, const std::string& ownLabel) {
    PageFurniture furniture;
    if (layout.status != PrintLayoutStatus::Ready || index < 0 || index >= layout.pageCount()) return furniture;
    const PrintTile& tile = layout.tiles[static_cast<std::size_t>(index)];
    const int ppi = layout.pixelsPerInch;
    PageRoom room = pageRoom(layout, tile);
    furniture.scaleBar = placedScaleBar(scaleBarShape(metric, ppi, room.clearRight - room.clearLeft), layout, tile, room);
    room.obstacles.push_back(grown(furniture.scaleBar.box(), room.clearance));

    // Registration crosses that fall on this page.
    furniture.crossArm = millimetresToPixels(kCrossArmMm, ppi);
    for (const auto& [x, y] : layout.registration) {
        const long long px = static_cast<long long>(x) - tile.offsetX;
        const long long py = static_cast<long long>(y) - tile.offsetY;
        if (px >= 0 && px < layout.pageWidth && py >= 0 && py < layout.pageHeight)
            furniture.crosses.emplace_back(static_cast<int>(px), static_cast<int>(py));
    }

    // The label of a tiled page (of every page with a label of its own).
    if (layout.tiled() || !ownLabel.empty()) {
        furniture.hasLabel = true;
        PageLabel& label = furniture.label;
        label.text = ownLabel.empty() ? pageLabelText(name, chord, metric, index + 1, layout.pageCount())
                                      : ownPageLabelText(ownLabel, index + 1, layout.pageCount());
        label.textHeight = millimetresToPixels(kTextHeightMm, ppi);
        placeLabel(label, room);
    }
    return furniture;
}

bool printLayoutPage(const RibPicture& picture, platform::DeviceContext& dc, const PrintLayout& layout, int index,
                     const PrintExtras& extras) {
    if (layout.status != PrintLayoutStatus::Ready || index < 0 || index >= layout.pageCount()) return false;
    const PrintTile& tile = layout.tiles[static_cast<std::size_t>(index)];
    const DevicePoint origin{tile.offsetX, tile.offsetY};
    const bool drawn = printRib(dc, picture, origin);
    if (drawn) printExtraLines(picture, dc, extras, origin);

    const RibProperties& properties = picture.rib.properties;
    const PageFurniture furniture =
        pageFurniture(layout, index, inMillimetres(properties), picture.name,
                      properties.chord, extras.label);
    PenScope pen(dc, Pen{PenStyle::Solid, 0, platform::kBlack});
    const int arm = furniture.crossArm;
    for (const auto& [x, y] : furniture.crosses) {
        dc.moveTo(deviceOffset(x, -arm), y);
        dc.lineTo(deviceOffset(x, arm), y);
        dc.moveTo(x, deviceOffset(y, -arm));
        dc.lineTo(x, deviceOffset(y, arm));
    }
    const ScaleBar& bar = furniture.scaleBar;
    dc.moveTo(bar.left, bar.baseline);
    dc.lineTo(deviceOffset(bar.left, bar.length), bar.baseline);
    for (const ScaleBar::Tick& tick : bar.ticks) {
        const int x = deviceOffset(bar.left, tick.x);
        dc.moveTo(x, bar.baseline);
        dc.lineTo(x, deviceOffset(bar.baseline, -tick.height));
    }
    dc.text(bar.labelX, bar.labelY, bar.textHeight, bar.label);
    if (furniture.hasLabel) dc.text(furniture.label.x, furniture.label.y, furniture.label.textHeight, furniture.label.text);
    return drawn;
}

} // namespace parvelin
