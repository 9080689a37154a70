// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImportReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>

#include "geom/Constants.h"
#include "geom/Point.h"
#include "model/ImportText.h"
#include "geom/Polygon.h"

namespace parvelin {

using namespace importing;

namespace {

// A file counts as already on the unit chord when its x runs from 0 to 1 and
// both edges lie near the chord line: the largest x within kMaxXTolerance of
// 1, the smallest within kMinXTolerance of 0 (real noses reach x = -0.0011),
// and the leading and trailing edges within kEdgeHeight of y = 0 (real files
// have a trailing edge at y = -0.026 or a drooped nose at y = 0.018). Such
// files keep their numbers exactly as written; a file turned by 2 degrees
// about its nose or tail fails one of these.
constexpr double kMaxXTolerance = 1e-4;
constexpr double kMinXTolerance = 2e-3;
constexpr double kEdgeHeight = 0.03;
// Crossings between segments this close along the outline are the wiggles
// of a trailing edge written with its surfaces a hair apart, not a fault.
constexpr std::size_t kNearSegments = 3;
// A last point whose x lies this close to the first point's closes the
// outline at the trailing edge (files rounded to a few digits, then moved
// onto the unit chord, leave the two a little apart).
constexpr float kClosingX = 1e-4f;
// The two ends of an outline are one trailing edge when they lie closer
// together than this share of the outline's size.
constexpr double kTrailingEdgeGap = 0.1;
// Ends farther apart than this share of the size: one surface only.
constexpr double kOneSurfaceGap = 0.5;
// Largest x of a file in percent of the chord.
constexpr double kPercentLow = 5.0;
constexpr double kPercentHigh = 110.0;

// A point as read: its value in double precision, with the point as it is
// stored (the number text read straight into floats, as Open reads it, or the
// value rounded once it has been moved). Two are the same point when their
// values are.
struct ReadPoint : geom::ModelPoint {
    geom::Point stored;
    bool operator==(const ReadPoint& o) const { return x == o.x && y == o.y; }
};

// A coordinate row taken as x and y, and whether both are whole numbers
// (as in a Lednicer point-count line).
struct ScannedPair {
    ReadPoint p;
    bool wholeNumbers;
};

double distance(const ReadPoint& a, const ReadPoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

int orientation(const ReadPoint& a, const ReadPoint& b, const ReadPoint& c) {
    const double v = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return (v > 0.0) - (v < 0.0);
}

// True when the segments ab and cd cross at a point inside both (touching
// ends and overlapping collinear pieces do not count).
bool properlyCross(const ReadPoint& a, const ReadPoint& b, const ReadPoint& c, const ReadPoint& d) {
    const int o1 = orientation(a, b, c);
    const int o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a);
    const int o4 = orientation(c, d, b);
    return o1 * o2 < 0 && o3 * o4 < 0;
}

// Whether the closed outline (last point joined back to the first) crosses
// itself. Segments are swept in order of their left end, so each is only
// compared with those that overlap it along x.
bool crossesItself(const std::vector<ReadPoint>& p) {
    const std::size_t n = p.size();
    if (n < 4) return false;
    struct Segment {
        double minX, maxX;
        std::size_t i;  // from p[i] to p[(i + 1) % n]
    };
    std::vector<Segment> segments;
    segments.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const ReadPoint& a = p[i];
        const ReadPoint& b = p[(i + 1) % n];
        if (a == b) continue;
        segments.push_back({std::min(a.x, b.x), std::max(a.x, b.x), i});
    }
    std::sort(segments.begin(), segments.end(), [](const Segment& l, const Segment& r) { return l.minX < r.minX; });
    std::vector<const Segment*> active;
    for (const Segment& s : segments) {
        std::erase_if(active, [&](const Segment* a) { return a->maxX < s.minX; });
        const ReadPoint& a = p[s.i];
        const ReadPoint& b = p[(s.i + 1) % n];
        for (const Segment* other : active) {
            const std::size_t j = other->i;
            const std::size_t apart = j > s.i ? j - s.i : s.i - j;
            if (std::min(apart, n - apart) <= kNearSegments) continue;
            if (properlyCross(a, b, p[j], p[(j + 1) % n])) return true;
        }
        active.push_back(&s);
    }
    return false;
}

CoordinatePair asPair(const ReadPoint& p) { return p.stored; }

// Open's drawing order for an outline that starts at the trailing edge: every
// point, without a last one that returns to the first point, closed by the
// first point again. A last point at the first one's x but another height is
// the lower end of a blunt trailing edge: it stays, and the closing edge
// joins it to the upper end, so the rib keeps its trailing edge's thickness.
std::vector<CoordinatePair> drawingOrderOf(const std::vector<CoordinatePair>& outline) {
    std::vector<CoordinatePair> order = outline;
    if (order.size() > 2 && std::fabs(order.back().modelX - order.front().modelX) <= kClosingX &&
        std::fabs(order.back().modelY - order.front().modelY) <= kClosingX)
        order.pop_back();
    if (order.size() >= 2) order.push_back(order.front());
    return order;
}

// Points sorted by x with the two surfaces interleaved (each station's upper
// and lower point side by side) become one run around the airfoil: from the
// trailing edge over the upper surface to the nose and back along the lower
// one. Where two points share an x, the higher is on the upper surface; a
// lone point at the first or last x is the nose or the trailing edge, one in
// between lies above or below the line from nose to trailing edge. False,
// leaving the points as they are, when they are not sorted so.
bool rebuildSortedByX(std::vector<ReadPoint>& points) {
    const std::size_t n = points.size();
    if (n < 5) return false;
    const bool falling = points.front().x > points.back().x;
    for (std::size_t i = 1; i < n; ++i)
        if (falling ? points[i].x > points[i - 1].x : points[i].x < points[i - 1].x) return false;
    std::vector<ReadPoint> sorted = points;
    if (falling) std::reverse(sorted.begin(), sorted.end());
    std::size_t twins = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (sorted[i].x == sorted[i - 1].x && sorted[i].y != sorted[i - 1].y) ++twins;
    if (twins * 4 < n) return false;

    const ReadPoint nose = sorted.front();
    const ReadPoint tail = sorted.back();
    auto chordY = [&](double x) {
        return tail.x == nose.x ? nose.y : nose.y + (tail.y - nose.y) * (x - nose.x) / (tail.x - nose.x);
    };
    std::vector<ReadPoint> upper;
    std::vector<ReadPoint> lower;
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && sorted[j].x == sorted[i].x) ++j;
        if (j - i == 1 && (i == 0 || j == n)) {
            upper.push_back(sorted[i]);
            lower.push_back(sorted[i]);
        } else if (j - i == 2) {
            const bool firstHigher = sorted[i].y > sorted[i + 1].y;
            upper.push_back(sorted[firstHigher ? i : i + 1]);
            lower.push_back(sorted[firstHigher ? i + 1 : i]);
        } else {
            for (std::size_t k = i; k < j; ++k) (sorted[k].y >= chordY(sorted[k].x) ? upper : lower).push_back(sorted[k]);
        }
        i = j;
    }
    if (upper.size() < 2 || lower.size() < 2) return false;
    std::vector<ReadPoint> outline(upper.rbegin(), upper.rend());
    outline.insert(outline.end(), lower.begin() + (lower.front() == upper.front() ? 1 : 0), lower.end());
    points = std::move(outline);
    return true;
}

// A Lednicer point-count line leads the pairs: two whole numbers, at least
// 2 each, that add up to the pairs after it (give or take two) or stand far
// above every coordinate. Returns the number of pairs to skip (0 or 1) and
// sets `firstBlock` to the first surface's count when the counts add up.
std::size_t countLine(const std::vector<ScannedPair>& pairs, std::size_t& firstBlock) {
    firstBlock = 0;
    if (pairs.size() < 5 || !pairs[0].wholeNumbers || pairs[0].p.x < 2 || pairs[0].p.y < 2) return 0;
    const double sum = pairs[0].p.x + pairs[0].p.y;
    if (std::fabs(sum - static_cast<double>(pairs.size() - 1)) <= 2.0) {
        firstBlock = static_cast<std::size_t>(pairs[0].p.x);
        return 1;
    }
    double largest = 0.0;
    for (std::size_t i = 1; i < pairs.size(); ++i)
        largest = std::max({largest, std::fabs(pairs[i].p.x), std::fabs(pairs[i].p.y)});
    return pairs[0].p.x > largest && pairs[0].p.y > largest ? 1 : 0;
}

// Where the second of two surface blocks starts (Lednicer): after the
// first block's count when known, otherwise at the one jump across most of
// the outline. 0 for one run around the airfoil (Selig).
std::size_t blockSplit(const std::vector<ReadPoint>& pairs, std::size_t firstBlock, double size) {
    if (firstBlock >= 2 && firstBlock + 2 <= pairs.size()) return firstBlock;
    double longest = 0.0;
    std::size_t at = 0;
    for (std::size_t i = 1; i < pairs.size(); ++i) {
        const double step = distance(pairs[i - 1], pairs[i]);
        if (step > longest) {
            longest = step;
            at = i;
        }
    }
    return longest > kOneSurfaceGap * size && at >= 2 && at + 2 <= pairs.size() ? at : 0;
}

// Two blocks joined into one run around the airfoil. They meet at the nose:
// at their first points as a Lednicer file writes them, or at their last
// ones when written backwards; a nose point both give is taken once.
std::vector<ReadPoint> joinBlocks(const std::vector<ReadPoint>& a, const std::vector<ReadPoint>& b) {
    std::vector<ReadPoint> outline;
    if (distance(a.front(), b.front()) <= distance(a.back(), b.back())) {
        outline.assign(a.rbegin(), a.rend());
        outline.insert(outline.end(), b.begin() + (b.front() == a.front() ? 1 : 0), b.end());
    } else {
        outline = a;
        outline.insert(outline.end(), b.rbegin() + (b.back() == a.back() ? 1 : 0), b.rend());
    }
    return outline;
}

// Open's drawing of a two-block file (the first block backwards from its
// trailing edge, the nose twice, the second block up to its trailing edge,
// the first block's trailing edge again), when Open's reorder gives exactly
// that for these blocks; empty otherwise.
std::vector<CoordinatePair> openDrawingOfBlocks(const std::vector<ReadPoint>& a, const std::vector<ReadPoint>& b,
                                                std::vector<CoordinatePair>& blocks) {
    blocks.clear();
    for (const ReadPoint& p : a) blocks.push_back(asPair(p));
    for (const ReadPoint& p : b) blocks.push_back(asPair(p));
    const CoordinatePair tail = blocks[a.size() - 1];
    std::vector<CoordinatePair> expected(blocks.rend() - static_cast<std::ptrdiff_t>(a.size()), blocks.rend());
    std::size_t i = a.size();
    for (; i < blocks.size() && blocks[i].modelX != tail.modelX; ++i) expected.push_back(blocks[i]);
    expected.push_back(tail);
    if (i + 1 < blocks.size() || reorderToDrawingOrder(blocks) != expected) return {};
    // Open leaves out the second block's trailing-edge point; a blunt
    // trailing edge keeps it, joined to the first block's by a short edge.
    if (i < blocks.size() && !(blocks[i] == tail)) expected.insert(expected.end() - 1, blocks[i]);
    return expected;
}

// Moves, turns and scales the outline onto the unit chord unless it already
// lies there. The trailing edge is the middle of the two ends when they lie
// close together, otherwise (a surface that stops short) the end farther
// from the rest; the leading edge is the point farthest from it. Returns
// false for an outline without extent.
bool normalise(std::vector<ReadPoint>& outline, double reach, ImportResult& result) {
    ReadPoint te;
    if (distance(outline.front(), outline.back()) <= kTrailingEdgeGap * reach) {
        te.x = (outline.front().x + outline.back().x) / 2.0;
        te.y = (outline.front().y + outline.back().y) / 2.0;
    } else {
        double fromFront = 0.0;
        double fromBack = 0.0;
        for (const ReadPoint& p : outline) {
            fromFront = std::max(fromFront, distance(outline.front(), p));
            fromBack = std::max(fromBack, distance(outline.back(), p));
        }
        te = fromFront >= fromBack ? outline.front() : outline.back();
    }
    ReadPoint le = outline.front();
    for (const ReadPoint& p : outline)
        if (distance(p, te) > distance(le, te)) le = p;
    const double chord = distance(le, te);
    if (!(chord > 0.0) || !std::isfinite(chord)) return false;

    double lowX = outline.front().x;
    double highX = outline.front().x;
    for (const ReadPoint& p : outline) {
        lowX = std::min(lowX, p.x);
        highX = std::max(highX, p.x);
    }
    if (std::fabs(highX - 1.0) <= kMaxXTolerance && std::fabs(lowX) <= kMinXTolerance &&
        std::fabs(te.y) <= kEdgeHeight && std::fabs(le.y) <= kEdgeHeight)
        return true;

    const double angle = std::atan2(te.y - le.y, te.x - le.x);
    const double c = std::cos(-angle) / chord;
    const double s = std::sin(-angle) / chord;
    for (ReadPoint& p : outline) {
        const double dx = p.x - le.x;
        const double dy = p.y - le.y;
        p.x = dx * c - dy * s;
        p.y = dx * s + dy * c;
        p.stored = {geom::modelFloat(p.x), geom::modelFloat(p.y)};
    }
    result.turnedDegrees = -angle * 180.0 / geom::kPi;
    result.chordFound = chord;
    result.changes.push_back(ImportChange::Normalised);
    return true;
}

} // namespace

namespace {

ImportResult refused(ImportStatus status) {
    ImportResult result;
    result.status = status;
    result.contents.status = ReadStatus::NoCoordinates;
    return result;
}

// Coordinates in percent of the chord become fractions of it.
void fromPercent(std::vector<ReadPoint>& pairs, ImportResult& result) {
    double maxX = pairs[0].x;
    for (const ReadPoint& p : pairs) maxX = std::max(maxX, p.x);
    if (!(maxX >= kPercentLow && maxX <= kPercentHigh)) return;
    for (ReadPoint& p : pairs) {
        p.x /= 100.0;
        p.y /= 100.0;
        p.stored = {geom::modelFloat(p.x), geom::modelFloat(p.y)};
    }
    result.changes.push_back(ImportChange::Percent);
}

// Consecutive repeats are dropped; returns the first block's count, which
// shrinks with its own.
std::size_t dropRepeats(std::vector<ReadPoint>& pairs, std::size_t firstBlock, ImportResult& result) {
    std::vector<ReadPoint> kept;
    std::size_t keptFirstBlock = firstBlock;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (!kept.empty() && kept.back() == pairs[i]) {
            ++result.duplicatesDropped;
            if (i < firstBlock) --keptFirstBlock;
            continue;
        }
        kept.push_back(pairs[i]);
    }
    if (result.duplicatesDropped > 0) result.changes.push_back(ImportChange::Duplicates);
    pairs = std::move(kept);
    return keptFirstBlock;
}

// The pairs as one run around the airfoil: as they stand, rebuilt from
// points sorted by x, or two blocks joined (`blockA` and `blockB` then hold
// them).
std::vector<ReadPoint> runAround(const std::vector<ReadPoint>& pairs, std::size_t firstBlock, double size,
                             ImportResult& result, std::vector<ReadPoint>& blockA, std::vector<ReadPoint>& blockB) {
    std::vector<ReadPoint> outline = pairs;
    if (rebuildSortedByX(outline)) {
        result.changes.push_back(ImportChange::SortedByX);
    } else if (const std::size_t split = blockSplit(pairs, firstBlock, size); split > 0) {
        blockA.assign(pairs.begin(), pairs.begin() + static_cast<std::ptrdiff_t>(split));
        blockB.assign(pairs.begin() + static_cast<std::ptrdiff_t>(split), pairs.end());
        outline = joinBlocks(blockA, blockB);
    }
    return outline;
}

// The outline as the import hands it over, in drawing order. A two-block
// file taken as it stands keeps Open's own drawing of such files, so that
// both commands draw it alike.
void handOver(const std::vector<ReadPoint>& outline, const std::vector<ReadPoint>& blockA, const std::vector<ReadPoint>& blockB,
              std::size_t pairLines, ImportResult& result) {
    for (const ReadPoint& p : outline) result.outline.push_back(asPair(p));
    result.contents.status = ReadStatus::Loaded;
    result.contents.pairLines = pairLines;
    result.contents.accepted = result.outline;
    result.contents.drawingOrder = drawingOrderOf(result.outline);
    if (!blockA.empty() && !result.changed(ImportChange::Clockwise) && !result.changed(ImportChange::Normalised)) {
        std::vector<CoordinatePair> blocks;
        std::vector<CoordinatePair> order = openDrawingOfBlocks(blockA, blockB, blocks);
        if (!order.empty()) {
            result.contents.accepted = std::move(blocks);
            result.contents.drawingOrder = std::move(order);
        }
    }
}

// The geometry of one choice of x and y: percent, repeats, the layout
// (one run, two blocks or points sorted by x), the direction, the chord.
// `result` arrives with the name and the line changes filled in.
ImportResult importPairs(ImportResult result, std::vector<ReadPoint> pairs, std::size_t firstBlock, std::size_t pairLines) {
    result.pairsTaken = pairs.size();
    if (pairs.empty()) return refused(ImportStatus::NoPairs);
    fromPercent(pairs, result);
    const std::size_t keptFirstBlock = dropRepeats(pairs, firstBlock, result);
    if (pairs.size() < 3) return refused(ImportStatus::TooFewPoints);

    // The size of the outline: the largest distance from its first point.
    double size = 0.0;
    for (const ReadPoint& p : pairs) size = std::max(size, distance(pairs.front(), p));
    if (!(size > 0.0) || !std::isfinite(size)) return refused(ImportStatus::NoPairs);
    std::vector<ReadPoint> blockA;
    std::vector<ReadPoint> blockB;
    std::vector<ReadPoint> outline = runAround(pairs, keptFirstBlock, size, result, blockA, blockB);

    // One surface only: the ends lie about a chord apart.
    double reach = 0.0;
    for (const ReadPoint& p : outline)
        reach = std::max({reach, distance(outline.front(), p), distance(outline.back(), p)});
    if (distance(outline.front(), outline.back()) > kOneSurfaceGap * reach) return refused(ImportStatus::OneSurface);

    // Upper surface first: the outline runs counter-clockwise.
    if (geom::signedArea(outline) < 0.0) {
        std::reverse(outline.begin(), outline.end());
        result.changes.push_back(ImportChange::Clockwise);
    }
    if (!normalise(outline, reach, result)) return refused(ImportStatus::NoPairs);
    if (crossesItself(outline)) return refused(ImportStatus::SelfCrossing);
    handOver(outline, blockA, blockB, pairLines, result);
    return result;
}

} // namespace

ImportResult parseImportFile(std::string_view bytes, std::string_view fileName) {
    if (bytes.size() > kMaxImportFileSize) return refused(ImportStatus::TooLarge);
    std::string decoded;
    bytes = fromUtf16(bytes, decoded);
    if (looksBinary(bytes)) return refused(ImportStatus::Binary);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);

    ScannedLines scanned = scanLines(bytes);
    std::size_t width = 2;
    std::vector<const ScannedLines::Row*> rows;
    const std::vector<ColumnChoice> choices = columnChoices(scanned, width, rows);
    if (rows.size() > kMaxImportPoints + 1) return refused(ImportStatus::TooManyPoints);

    ImportResult base;
    if (scanned.name) {
        if (scanned.name->size() > kMaxNameLength) scanned.name->resize(kMaxNameLength);
        base.contents.name = *scanned.name;
    } else {
        base.contents.name = nameFromFile(fileName);
        base.changes.push_back(ImportChange::NamedAfterFile);
    }
    base.otherNumberLines = scanned.otherNumberLines + (scanned.rows.size() - rows.size());
    if (std::any_of(rows.begin(), rows.end(), [](const ScannedLines::Row* r) { return r->decimalComma; }))
        base.changes.push_back(ImportChange::DecimalCommas);
    if (base.otherNumberLines > 0) base.changes.push_back(ImportChange::OtherNumberLines);
    if (choices.empty()) return refused(ImportStatus::NoPairs);

    std::optional<ImportResult> first;
    for (const ColumnChoice& choice : choices) {
        std::vector<ScannedPair> taken;
        taken.reserve(rows.size());
        for (const ScannedLines::Row* row : rows) {
            const double x = row->values[choice.x];
            const double y = row->values[choice.y];
            taken.push_back({ReadPoint{{x, y}, {row->singles[choice.x], row->singles[choice.y]}},
                             x == std::floor(x) && y == std::floor(y)});
        }
        // A Lednicer point-count line only leads plain two-number rows.
        std::size_t firstBlock = 0;
        const std::size_t skip = width == 2 ? countLine(taken, firstBlock) : 0;
        std::vector<ReadPoint> pairs;
        for (std::size_t i = skip; i < taken.size(); ++i) pairs.push_back(taken[i].p);
        if (pairs.size() > kMaxImportPoints) return refused(ImportStatus::TooManyPoints);

        ImportResult attempt = base;
        attempt.droppedColumns = choice.dropped;
        if (!choice.dropped.empty()) {
            // After the line changes, before the geometry's.
            attempt.changes.push_back(ImportChange::Columns);
        }
        ImportResult result = importPairs(std::move(attempt), std::move(pairs), firstBlock, rows.size());
        if (result.status == ImportStatus::Imported) return result;
        if (!first) first = std::move(result);
    }
    return std::move(*first);
}

} // namespace parvelin
