#include "wing/Nesting.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "document/NumberText.h"

namespace parvelin::wing {
namespace {

constexpr double kMmPerInch = 25.4;

struct Row {
    std::size_t sheet;
    double y;       // bottom of the row
    double height;  // the tallest part's height: the row's first part
    double nextX;   // where the next part may start
};

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

    // Tallest first, longest among equals; the order given breaks ties.
    std::vector<std::size_t> order(parts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (boxes[a].height() != boxes[b].height()) return boxes[a].height() > boxes[b].height();
        return boxes[a].width() > boxes[b].width();
    });

    std::vector<Row> rows;
    std::vector<double> sheetTop;  // the height used on each sheet, gaps included
    for (const std::size_t i : order) {
        const Box& box = boxes[i];
        Row* row = nullptr;
        for (Row& r : rows)
            if (r.nextX + box.width() <= margin + usableW && box.height() <= r.height) {
                row = &r;
                break;
            }
        if (row == nullptr) {
            std::size_t s = 0;
            while (s < sheetTop.size() && sheetTop[s] + box.height() > usableH) ++s;
            if (s == sheetTop.size()) {
                sheetTop.push_back(0.0);
                result.sheets.emplace_back();
            }
            rows.push_back(Row{s, margin + sheetTop[s], box.height(), margin});
            sheetTop[s] += box.height() + gap;
            row = &rows.back();
        }
        PlacedPart placed;
        placed.part = i;
        const double dx = row->nextX - box.minX;
        const double dy = row->y - box.minY;
        placed.outline = translated(parts[i].outline, dx, dy);
        placed.label = parts[i].label;
        placed.labelAt = Vec2{parts[i].labelAt.x + dx, parts[i].labelAt.y + dy};
        placed.labelHeight = parts[i].labelHeight;
        row->nextX += box.width() + gap;
        result.sheets[row->sheet].parts.push_back(std::move(placed));
    }
    return result;
}

} // namespace parvelin::wing
