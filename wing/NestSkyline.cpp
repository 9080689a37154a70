// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/NestSkyline.h"
#include "geom/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace parvelin::wing::skyline {
namespace {

// Columns are a fraction of the gap wide (a part's edge is taken per column,
// so the gap is kept to within that fraction's slope), and parts are tried
// every kStride columns along the sheet.
constexpr int kCellsPerGap = 2;
constexpr double kMostColumns = 4000.0;
constexpr int kStride = 2;
// The search keeps the sheets as they stood every so many parts, and lays
// out a changed order from the last of those before its first change.
constexpr std::size_t kSnapshotEvery = 8;
// How much a place's height counts against the balsa wasted under the part:
// both are lengths, so the choice does not depend on the unit.
constexpr double kLowWeight = 1.0;
// The search walks from layout to layout, taking a changed order when it
// scores no worse than the current layout or than the one it had so many
// steps ago: it can cross a worse layout to reach a better one, and keeps
// the best it has seen.
constexpr std::size_t kHistory = 20;

struct Packing {
    std::vector<std::vector<double>> levels;  // per sheet and column: where a part may start
    std::vector<Spot> spots;
};

struct Place {
    double top = std::numeric_limits<double>::infinity();  // its score (see bestPlace)
    double y = 0.0;
    int column = 0;
    std::size_t pose = 0;
};

// The place, over every pose and every column along the sheet, that wastes
// the least balsa under the part (the area between the sheet's skyline and
// the part's lower edge, per length of the part) and lies low: the score is
// that waste plus the height the part starts at. A place is given up as soon
// as its height alone puts it above the best score (or the sheet's top).
Place bestPlace(const std::vector<double>& level, const std::vector<Profile>& poses, const Sheets& k) {
    // Sums of the skyline from the sheet's left edge, for the waste under any stretch.
    std::vector<double> sum(level.size() + 1, 0.0);
    for (std::size_t c = 0; c < level.size(); ++c) sum[c + 1] = sum[c] + level[c];
    Place best;
    for (std::size_t pose = 0; pose < poses.size(); ++pose) {
        const Profile& p = poses[pose];
        const int last = static_cast<int>(std::floor((k.usableW - p.width) / k.cell + geom::kFitSlack));
        if (last < 0 || p.height > k.usableH + geom::kFitSlack) continue;
        const double perColumn = k.cell / p.width;  // a column's share of the part's length
        const double n = p.columns;
        for (int c = 0;; c = std::min(c + kStride, last)) {
            const double under = sum[static_cast<std::size_t>(c + p.columns)] - sum[static_cast<std::size_t>(c)];
            // score = (n y + sum of bottom - under) perColumn + kLowWeight y, rising with y.
            const double fixed = (p.bottomSum - under) * perColumn;
            const double highest = std::min((best.top - geom::kFitSlack - fixed) / (n * perColumn + kLowWeight),
                                            k.usableH + geom::kFitSlack - p.height);
            double y = 0.0;
            for (int col = 0; col < p.columns && y <= highest; ++col)
                y = std::max(y, level[static_cast<std::size_t>(c + col)] - p.bottom[static_cast<std::size_t>(col)]);
            if (y <= highest) best = Place{fixed + y * (n * perColumn + kLowWeight), y, c, pose};
            if (c == last) break;
        }
    }
    return best;
}

// Raises the sheet's columns over the part's upper edge, and beside it, by the gap.
void settle(std::vector<double>& level, const Profile& p, const Place& at, const Sheets& k) {
    for (int col = 0; col < p.columns; ++col) {
        const double clear = at.y + p.top[static_cast<std::size_t>(col)] + k.gap;
        const int from = std::max(0, at.column + col - k.reach);
        const int to = std::min(k.columns - 1, at.column + col + k.reach);
        for (int c = from; c <= to; ++c) level[static_cast<std::size_t>(c)] = std::max(level[static_cast<std::size_t>(c)], clear);
    }
}

// Lays part i on the first sheet it fits on, starting a sheet when none
// does; false when it does not fit even on an empty sheet.
bool place(Packing& packing, std::size_t i, const std::vector<Profile>& poses, const Sheets& k) {
    for (std::size_t s = 0;; ++s) {
        const bool fresh = s == packing.levels.size();
        if (fresh) packing.levels.emplace_back(static_cast<std::size_t>(k.columns), 0.0);
        std::vector<double>& level = packing.levels[s];
        const Place at = bestPlace(level, poses, k);
        if (!std::isfinite(at.top)) {
            if (!fresh) continue;
            packing.levels.pop_back();
            return false;
        }
        settle(level, poses[at.pose], at, k);
        packing.spots.push_back(Spot{i, s, at.pose, at.column, at.y});
        return true;
    }
}

// Lays out order[from...] onto `packing` (which holds order[0..from)),
// keeping a copy of the packing before every kSnapshotEvery-th part.
Layout layOutFrom(Packing packing, const std::vector<std::size_t>& order, std::size_t from,
                  const std::vector<std::vector<Profile>>& shapes, const std::vector<double>& areas, const Sheets& k,
                  std::vector<Packing>* snapshots) {
    Layout layout;
    for (std::size_t n = from; n < order.size(); ++n) {
        if (snapshots && n % kSnapshotEvery == 0) (*snapshots)[n / kSnapshotEvery] = packing;
        if (!place(packing, order[n], shapes[order[n]], k)) {
            layout.unplaced = static_cast<long>(order[n]);
            return layout;
        }
    }
    layout.sheets = packing.levels.size();
    std::vector<double> filled(layout.sheets, 0.0);
    for (const Spot& spot : packing.spots) filled[spot.sheet] += areas[spot.part];
    for (const double f : filled) layout.fullness += f * f;
    layout.spots = std::move(packing.spots);
    return layout;
}

} // namespace

Profile profileOf(const Polygon& given, double cell) {
    Profile p;
    const Box box = bounds(given);
    p.shift = Vec2{-box.minX, -box.minY};
    p.outline = translated(given, p.shift.x, p.shift.y);
    p.width = box.width();
    p.height = box.height();
    p.columns = std::max(1, static_cast<int>(std::ceil(box.width() / cell - geom::kFitSlack)));
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
    for (const double b : p.bottom) p.bottomSum += b;
    return p;
}

Sheets sheetsFor(double usableW, double usableH, double gap) {
    Sheets k;
    k.usableW = usableW;
    k.usableH = usableH;
    k.gap = gap;
    k.cell = std::max({gap / kCellsPerGap, usableW / kMostColumns, geom::kFitSlack});
    k.columns = static_cast<int>(std::ceil(usableW / k.cell - geom::kFitSlack));
    k.reach = static_cast<int>(std::ceil(gap / k.cell - geom::kFitSlack));
    return k;
}

bool Layout::betterThan(const Layout& other) const {
    if (unplaced >= 0 || other.unplaced >= 0) return unplaced < 0 && other.unplaced >= 0;
    if (sheets != other.sheets) return sheets < other.sheets;
    return fullness > other.fullness * (1.0 + geom::kRelativeMargin);
}

Layout layOut(const std::vector<std::size_t>& order, const std::vector<std::vector<Profile>>& shapes,
              const std::vector<double>& areas, const Sheets& k) {
    return layOutFrom(Packing{}, order, 0, shapes, areas, k, nullptr);
}

Found search(std::vector<std::size_t> order, const std::vector<std::vector<Profile>>& shapes,
             const std::vector<double>& areas, const Sheets& k, const Search& how) {
    const std::size_t kept = order.size() / kSnapshotEvery + 1;
    std::vector<Packing> snapshots(kept);
    Layout current = layOutFrom(Packing{}, order, 0, shapes, areas, k, &snapshots);
    Found found{current, 1};
    double total = 0.0;
    for (const double a : areas) total += a;
    // Fewer sheets first, then the fullness (at most 1 once divided by the
    // square of the parts' whole area).
    auto score = [&](const Layout& l) {
        return l.unplaced >= 0 ? -std::numeric_limits<double>::infinity()
                               : l.fullness / (total * total) - static_cast<double>(l.sheets);
    };
    std::vector<double> history(kHistory, score(current));
    std::mt19937 random(how.seed);
    std::vector<Packing> trial(kept);
    for (; found.tried < how.layouts && found.best.unplaced < 0 && found.best.sheets > how.least && order.size() > 1;
         ++found.tried) {
        if (how.progress && !how.progress(static_cast<double>(found.tried) / static_cast<double>(how.layouts))) break;
        std::vector<std::size_t> next = order;
        std::size_t a = random() % next.size();
        std::size_t b = random() % next.size();
        const unsigned move = random() % 3;
        if (move == 2) {
            // A part from the last sheet, moved ahead to empty that sheet.
            std::vector<std::size_t> last;
            for (const Spot& spot : current.spots)
                if (spot.sheet + 1 == current.sheets) last.push_back(spot.part);
            a = static_cast<std::size_t>(std::find(next.begin(), next.end(), last[random() % last.size()]) - next.begin());
            b = a == 0 ? 0 : random() % a;
        }
        if (move == 0) {
            std::swap(next[a], next[b]);
        } else {
            const std::size_t part = next[a];
            next.erase(next.begin() + static_cast<std::ptrdiff_t>(a));
            next.insert(next.begin() + static_cast<std::ptrdiff_t>(std::min(b, next.size())), part);
        }
        // Everything before the first change lies as in the current layout.
        const std::size_t from = std::min(a, b) / kSnapshotEvery * kSnapshotEvery;
        Layout candidate = layOutFrom(snapshots[from / kSnapshotEvery], next, from, shapes, areas, k, &trial);
        const double now = score(candidate);
        double& then = history[found.tried % history.size()];
        if (now >= score(current) || now >= then) {
            if (candidate.betterThan(found.best)) found.best = candidate;
            current = std::move(candidate);
            order = std::move(next);
            for (std::size_t j = from / kSnapshotEvery + 1; j < kept; ++j) std::swap(snapshots[j], trial[j]);
        }
        then = score(current);
    }
    return found;
}

} // namespace parvelin::wing::skyline
