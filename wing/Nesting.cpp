#include "wing/Nesting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "text/NumberText.h"

namespace parvelin::wing {
namespace {

constexpr double kMmPerInch = 25.4;

// Sizes in messages: two decimals are enough to recognise them.
std::string twoDecimals(double value) {
    std::string text = formatFixed6(value);
    return text.substr(0, text.size() - 4);
}

std::string size2(double w, double h) { return twoDecimals(w) + " x " + twoDecimals(h); }

} // namespace

double partGap(double kerf, bool metric) {
    const double minimum = metric ? kMinimumGapMm : kMinimumGapMm / kMmPerInch;
    return minimum + std::max(0.0, kerf);
}

namespace {

// The sheet is seen as columns kCellsPerGap to the gap wide. Each part's
// lower and upper edges are taken per column, exactly: a straight edge's
// lowest and highest points in a column lie at the column's sides or at a
// corner inside it.
constexpr int kCellsPerGap = 4;
// At most this many columns across a sheet (a long sheet gets wider ones).
constexpr double kMostColumns = 4000.0;
// Places tried along the sheet, every so many columns.
constexpr int kStride = 4;

struct Profile {
    Polygon outline;             // moved so that its box starts at (0, 0)
    Vec2 shift;                  // added to the given outline to get there
    int columns = 0;
    double width = 0.0;
    double height = 0.0;
    std::vector<double> bottom;  // per column, the lowest point of the part
    std::vector<double> top;     // per column, the highest
};

Profile profileOf(const Polygon& given, bool turned, double cell) {
    Profile p;
    Polygon outline = given;
    if (turned)
        for (Vec2& v : outline) v = Vec2{-v.x, -v.y};
    const Box box = bounds(outline);
    p.shift = Vec2{-box.minX, -box.minY};
    p.outline = translated(outline, p.shift.x, p.shift.y);
    p.width = box.width();
    p.height = box.height();
    p.columns = std::max(1, static_cast<int>(std::ceil(box.width() / cell - 1e-9)));
    p.bottom.assign(static_cast<std::size_t>(p.columns), std::numeric_limits<double>::infinity());
    p.top.assign(static_cast<std::size_t>(p.columns), -std::numeric_limits<double>::infinity());
    auto take = [&](int column, double y) {
        if (column < 0 || column >= p.columns) return;
        p.bottom[static_cast<std::size_t>(column)] = std::min(p.bottom[static_cast<std::size_t>(column)], y);
        p.top[static_cast<std::size_t>(column)] = std::max(p.top[static_cast<std::size_t>(column)], y);
    };
    const Polygon& o = p.outline;
    for (std::size_t i = 0; i < o.size(); ++i) {
        const Vec2 a = o[i];
        const Vec2 b = o[(i + 1) % o.size()];
        // The edge's ends, and where it crosses the sides of the columns it spans.
        take(static_cast<int>(a.x / cell), a.y);
        take(static_cast<int>(a.x / cell) - (a.x / cell == std::floor(a.x / cell) ? 1 : 0), a.y);
        const double lo = std::min(a.x, b.x);
        const double hi = std::max(a.x, b.x);
        for (int k = static_cast<int>(std::ceil(lo / cell)); k * cell <= hi; ++k) {
            const double y = (hi == lo) ? a.y : a.y + (k * cell - a.x) / (b.x - a.x) * (b.y - a.y);
            take(k - 1, y);
            take(k, y);
        }
    }
    for (int k = 0; k < p.columns; ++k)  // a column no edge reached keeps the part's box
        if (!std::isfinite(p.bottom[static_cast<std::size_t>(k)])) {
            p.bottom[static_cast<std::size_t>(k)] = 0.0;
            p.top[static_cast<std::size_t>(k)] = p.height;
        }
    return p;
}

struct Skyline {
    std::vector<double> level;  // per column of the usable area: where a part may start
};

} // namespace

Nesting nestParts(const std::vector<NestPart>& parts, const SheetSize& sheet, double gap) {
    Nesting result;
    const double margin = gap * 0.5;
    const double usableW = sheet.width - 2.0 * margin;
    const double usableH = sheet.height - 2.0 * margin;
    if (!(sheet.width > 0.0) || !(sheet.height > 0.0) || !std::isfinite(sheet.width) || !std::isfinite(sheet.height)) {
        result.error = "The sheet must have a width and a height above 0.";
        return result;
    }

    std::vector<Box> boxes;
    boxes.reserve(parts.size());
    for (const NestPart& part : parts) boxes.push_back(bounds(part.outline));
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (boxes[i].width() > usableW || boxes[i].height() > usableH) {
            result.error = "The sheet (" + size2(sheet.width, sheet.height) + ") is too small for " + parts[i].label +
                           " (" + size2(boxes[i].width(), boxes[i].height()) + " and a margin of " +
                           twoDecimals(margin) + " all round).";
            return result;
        }
    if (parts.empty()) return result;

    // Largest first; the order given breaks ties.
    std::vector<std::size_t> order(parts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return boxes[a].width() * boxes[a].height() > boxes[b].width() * boxes[b].height();
    });

    const double cell = std::max({gap / kCellsPerGap, usableW / kMostColumns, 1e-9});
    const int sheetColumns = static_cast<int>(std::ceil(usableW / cell - 1e-9));
    // Columns kept clear beside a part: the gap.
    const int reach = static_cast<int>(std::ceil(gap / cell - 1e-9));
    std::vector<Skyline> skylines;
    for (const std::size_t i : order) {
        const Profile shapes[2] = {profileOf(parts[i].outline, false, cell), profileOf(parts[i].outline, true, cell)};
        bool placed = false;
        for (std::size_t s = 0; !placed; ++s) {
            if (s == skylines.size()) {
                skylines.push_back(Skyline{std::vector<double>(static_cast<std::size_t>(sheetColumns), 0.0)});
                result.sheets.emplace_back();
            }
            std::vector<double>& level = skylines[s].level;
            // The lowest top over both ways round and every place along the sheet.
            double bestTop = std::numeric_limits<double>::infinity();
            double bestY = 0.0;
            int bestColumn = 0;
            int bestShape = 0;
            for (int shape = 0; shape < 2; ++shape) {
                const Profile& p = shapes[shape];
                // The part's right side stays within the usable width.
                const int last = static_cast<int>(std::floor((usableW - p.width) / cell + 1e-9));
                std::vector<int> places;
                for (int c = 0; c < last; c += kStride) places.push_back(c);
                if (last >= 0) places.push_back(last);
                // A place is given up as soon as it cannot beat the best one
                // (or the sheet's top): on a nearly full sheet that is at once.
                for (const int c : places) {
                    const double limit = std::min(bestTop - 1e-9, usableH + 1e-9) - p.height;
                    double y = 0.0;
                    for (int k = 0; k < p.columns && y <= limit; ++k)
                        y = std::max(y, level[static_cast<std::size_t>(c + k)] - p.bottom[static_cast<std::size_t>(k)]);
                    const double top = y + p.height;
                    if (top <= usableH + 1e-9 && top < bestTop - 1e-9) {
                        bestTop = top;
                        bestY = y;
                        bestColumn = c;
                        bestShape = shape;
                    }
                }
            }
            if (!std::isfinite(bestTop)) {
                // The first sheet it was tried on was empty: it fits nowhere.
                if (result.sheets[s].parts.empty()) break;
                continue;
            }
            const Profile& p = shapes[bestShape];
            // The part's upper edge and the gap above and beside it.
            for (int k = 0; k < p.columns; ++k) {
                const double clear = bestY + p.top[static_cast<std::size_t>(k)] + gap;
                const int from = std::max(0, bestColumn + k - reach);
                const int to = std::min(sheetColumns - 1, bestColumn + k + reach);
                for (int c = from; c <= to; ++c)
                    level[static_cast<std::size_t>(c)] = std::max(level[static_cast<std::size_t>(c)], clear);
            }
            PlacedPart out;
            out.part = i;
            out.turned = bestShape == 1;
            const double dx = margin + bestColumn * cell;
            const double dy = margin + bestY;
            out.outline = translated(p.outline, dx, dy);
            out.label = parts[i].label;
            out.labelHeight = parts[i].labelHeight;
            // A turned part's label stays upright: its box turned about its
            // middle is the same box, starting from the other corner.
            Vec2 at = parts[i].labelAt;
            if (out.turned) at = Vec2{-at.x - labelWidth(out.labelHeight, out.label.size()), -at.y - out.labelHeight};
            out.labelAt = Vec2{at.x + p.shift.x + dx, at.y + p.shift.y + dy};
            result.sheets[s].parts.push_back(std::move(out));
            placed = true;
        }
        if (!placed) {
            result.sheets.clear();
            result.error = "The sheet (" + size2(sheet.width, sheet.height) + ") is too small for " + parts[i].label + ".";
            return result;
        }
    }
    return result;
}

} // namespace parvelin::wing
