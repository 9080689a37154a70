// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ImportReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "geom/Constants.h"
#include "geom/Point.h"
#include "text/FileBytes.h"

namespace parvelin {
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
// No coordinate is larger (a chord of a kilometre in micrometres).
constexpr double kLargestCoordinate = 1e9;
// Largest x of a file in percent of the chord.
constexpr double kPercentLow = 5.0;
constexpr double kPercentHigh = 110.0;
// Open's reading of a file counts as whole when its outline's area lies
// within this share of Import's.
constexpr double kOpenAreaTolerance = 0.01;

struct Point {
    double x = 0.0;
    double y = 0.0;
    float fx = 0.0f;  // the number text read straight into a float, as Open reads it
    float fy = 0.0f;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

double distance(const Point& a, const Point& b) { return std::hypot(a.x - b.x, a.y - b.y); }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// One number field; a '+' sign and a missing leading zero ("-.0104") are
// allowed, text after the number is not. Infinities, NaN and magnitudes
// beyond kLargestCoordinate are no coordinates, so that every distance and
// area computed from them stays finite.
bool parseNumber(std::string field, double& value, float& single) {
    if (!field.empty() && field[0] == '+') field.erase(0, 1);
    if (field.empty() || field[0] == '+') return false;
    const char* first = field.data();
    const char* last = first + field.size();
    const auto d = std::from_chars(first, last, value);
    if (d.ec != std::errc() || d.ptr != last || !(std::fabs(value) <= kLargestCoordinate)) return false;
    const auto f = std::from_chars(first, last, single);
    if (f.ptr != last) return false;
    // Out of float range: the float conversion reports it; such a number can
    // only belong to a file that needs scaling, where the double is used.
    if (f.ec != std::errc()) single = geom::modelFloat(value);
    return true;
}

// Splits a line into number fields: white space and semicolons separate; a
// comma separates too, except in a field of digits with one comma and no
// point, where it is a decimal comma. Returns false when a field is no number.
bool numberFields(std::string_view line, std::vector<double>& values, std::vector<float>& singles,
                  bool& decimalComma) {
    std::vector<std::string> fields;
    std::string current;
    for (char c : line) {
        if (isSpace(c) || c == ';') {
            if (!current.empty()) fields.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) fields.push_back(std::move(current));
    // Fixed-width columns run a negative number into the one before it
    // (".9500000-.0126000"): a sign after a digit or a point starts a field.
    std::vector<std::string> split;
    for (const std::string& field : fields) {
        std::size_t start = 0;
        for (std::size_t i = 1; i < field.size(); ++i) {
            const char before = field[i - 1];
            if ((field[i] == '-' || field[i] == '+') && (std::isdigit(static_cast<unsigned char>(before)) || before == '.')) {
                split.push_back(field.substr(start, i - start));
                start = i;
            }
        }
        split.push_back(field.substr(start));
    }
    fields = std::move(split);

    std::vector<std::string> numbers;
    bool commaAsPoint = false;
    for (std::string& field : fields) {
        const auto commas = std::count(field.begin(), field.end(), ',');
        const bool hasPoint = field.find('.') != std::string::npos;
        if (commas == 0) {
            numbers.push_back(field);
        } else if (fields.size() >= 2 && commas == 1 && !hasPoint && field.front() != ',' && field.back() != ',') {
            // "0,5 0,03" or "0,5;0,03": the comma stands for the point.
            field[field.find(',')] = '.';
            numbers.push_back(field);
            commaAsPoint = true;
        } else {
            // "1.0,0.5", "1,0" or "1.0, 0.5": the comma separates numbers.
            std::string part;
            for (char c : field) {
                if (c == ',') {
                    if (!part.empty()) numbers.push_back(part);
                    part.clear();
                } else {
                    part += c;
                }
            }
            if (!part.empty()) numbers.push_back(part);
        }
    }
    if (numbers.empty()) return false;
    values.clear();
    singles.clear();
    for (const std::string& n : numbers) {
        double v = 0.0;
        float f = 0.0f;
        if (!parseNumber(n, v, f)) return false;
        values.push_back(v);
        singles.push_back(f);
    }
    if (commaAsPoint) decimalComma = true;
    return true;
}

// Text saved as UTF-16 (with its byte-order mark, as Windows editors write
// it) becomes 8-bit text: characters beyond ASCII turn into '?', which only
// names can hold. Other bytes are returned as they are.
std::string_view fromUtf16(std::string_view bytes, std::string& storage) {
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    const bool big = bytes.substr(0, 2) == "\xFE\xFF";
    if (!little && !big) return bytes;
    storage.clear();
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
        storage += hi == 0 && lo < 0x80 ? static_cast<char>(lo) : '?';
    }
    return storage;
}

bool looksBinary(std::string_view bytes) {
    std::size_t control = 0;
    for (unsigned char c : bytes) {
        if (c == 0) return true;
        // Tab, line ends, form feed and the Ctrl-Z end mark of old editors are text.
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A) ++control;
    }
    return control * 100 > bytes.size();
}

std::string trim(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (isSpace(text[b]) || text[b] == '\r')) ++b;
    while (e > b && (isSpace(text[e - 1]) || text[e - 1] == '\r')) --e;
    return std::string(text.substr(b, e - b));
}

std::string nameFromFile(std::string_view fileName) {
    const auto slash = fileName.find_last_of('/');
    if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
    const auto dot = fileName.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) fileName = fileName.substr(0, dot);
    return std::string(fileName);
}

double signedArea(const std::vector<Point>& p) {
    double twice = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

int orientation(const Point& a, const Point& b, const Point& c) {
    const double v = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return (v > 0.0) - (v < 0.0);
}

// True when the segments ab and cd cross at a point inside both (touching
// ends and overlapping collinear pieces do not count).
bool properlyCross(const Point& a, const Point& b, const Point& c, const Point& d) {
    const int o1 = orientation(a, b, c);
    const int o2 = orientation(a, b, d);
    const int o3 = orientation(c, d, a);
    const int o4 = orientation(c, d, b);
    return o1 * o2 < 0 && o3 * o4 < 0;
}

// Whether the closed outline (last point joined back to the first) crosses
// itself. Segments are swept in order of their left end, so each is only
// compared with those that overlap it along x.
bool crossesItself(const std::vector<Point>& p) {
    const std::size_t n = p.size();
    if (n < 4) return false;
    struct Segment {
        double minX, maxX;
        std::size_t i;  // from p[i] to p[(i + 1) % n]
    };
    std::vector<Segment> segments;
    segments.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % n];
        if (a == b) continue;
        segments.push_back({std::min(a.x, b.x), std::max(a.x, b.x), i});
    }
    std::sort(segments.begin(), segments.end(), [](const Segment& l, const Segment& r) { return l.minX < r.minX; });
    std::vector<const Segment*> active;
    for (const Segment& s : segments) {
        std::erase_if(active, [&](const Segment* a) { return a->maxX < s.minX; });
        const Point& a = p[s.i];
        const Point& b = p[(s.i + 1) % n];
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

CoordinatePair asPair(const Point& p) { return {p.fx, p.fy}; }

// Open's drawing order for an outline that starts at the trailing edge: every
// point, without a last one that returns to the first point, closed by the
// first point again. A last point at the first one's x but another height is
// the lower end of a blunt trailing edge: it stays, and the closing edge
// joins it to the upper end, so the rib keeps its trailing edge's thickness.
std::vector<CoordinatePair> drawingOrderOf(const std::vector<CoordinatePair>& outline) {
    std::vector<CoordinatePair> order = outline;
    if (order.size() > 2 && std::fabs(order.back().x - order.front().x) <= kClosingX &&
        std::fabs(order.back().y - order.front().y) <= kClosingX)
        order.pop_back();
    if (order.size() >= 2) order.push_back(order.front());
    return order;
}

// Lines of more numbers than this are no coordinate rows (a row number, x,
// y and one more column at most).
constexpr std::size_t kMaxColumns = 4;

// What the lines of a file hold, before any geometry.
struct ScannedLines {
    std::optional<std::string> name;  // the first line of text, as it stands
    struct Pair {
        Point p;
        bool wholeNumbers;
    };
    struct Row {
        std::array<double, kMaxColumns> values{};
        std::array<float, kMaxColumns> singles{};
        std::size_t count = 0;
        bool decimalComma = false;
    };
    std::vector<Row> rows;  // lines of two to kMaxColumns numbers, in file order
    std::size_t otherNumberLines = 0;  // lines of one number or more than kMaxColumns
};

// Lines end at LF, CR LF or a lone CR; comments run from '#' or '!' to the
// line's end; blank lines and the Ctrl-Z end mark are passed over.
ScannedLines scanLines(std::string_view bytes) {
    ScannedLines scanned;
    std::vector<double> values;
    std::vector<float> singles;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') start = end + 2;
        if (const auto mark = line.find_first_of("#!"); mark != std::string_view::npos) line = line.substr(0, mark);
        const std::string text = trim(line);
        if (text.empty() || text == "\x1A") continue;
        bool lineComma = false;
        if (numberFields(text, values, singles, lineComma)) {
            if (values.size() >= 2 && values.size() <= kMaxColumns) {
                ScannedLines::Row row;
                std::copy(values.begin(), values.end(), row.values.begin());
                std::copy(singles.begin(), singles.end(), row.singles.begin());
                row.count = values.size();
                row.decimalComma = lineComma;
                scanned.rows.push_back(row);
            } else {
                ++scanned.otherNumberLines;
            }
        } else if (!scanned.name) {
            // The name as it stands, as Open takes it; only a comment is cut off.
            scanned.name = std::string(line);
        }
    }
    return scanned;
}

// Two columns of the coordinate rows taken as x and y, and what became of
// the others.
struct ColumnChoice {
    std::size_t x = 0;
    std::size_t y = 1;
    std::vector<DroppedColumn> dropped;
};

// A first column of whole numbers counting up by one (starting again where
// a second block starts) numbers the rows.
bool rowNumbers(const std::vector<const ScannedLines::Row*>& rows) {
    if (rows.size() < 3) return false;
    const double first = rows[0]->values[0];
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double n = rows[i]->values[0];
        if (n != std::floor(n)) return false;
        if (i > 0 && n != rows[i - 1]->values[0] + 1.0 && n != first) return false;
    }
    return true;
}

bool constantColumn(const std::vector<const ScannedLines::Row*>& rows, std::size_t column) {
    for (const ScannedLines::Row* row : rows)
        if (row->values[column] != rows[0]->values[column]) return false;
    return rows.size() >= 3;
}

// The rows of the width most lines have (two numbers when as many lines
// have two as any other count), and the column pairs to try as x and y, in
// order: a column of row numbers and columns holding one number throughout
// are left out; of three or more others every pair is a candidate, the
// first two columns first, and the first that forms an airfoil is taken.
std::vector<ColumnChoice> columnChoices(const ScannedLines& scanned, std::size_t& width,
                                        std::vector<const ScannedLines::Row*>& rows) {
    std::array<std::size_t, kMaxColumns + 1> perWidth{};
    for (const ScannedLines::Row& row : scanned.rows) ++perWidth[row.count];
    width = 2;
    for (std::size_t w = 3; w <= kMaxColumns; ++w)
        if (perWidth[w] > perWidth[width]) width = w;
    rows.clear();
    for (const ScannedLines::Row& row : scanned.rows)
        if (row.count == width) rows.push_back(&row);
    if (width == 2) return {ColumnChoice{}};

    std::vector<DroppedColumn> dropped;
    std::vector<std::size_t> kept;
    for (std::size_t c = 0; c < width; ++c) {
        if (c == 0 && rowNumbers(rows))
            dropped.push_back({c, DroppedColumn::Reason::RowNumbers});
        else if (constantColumn(rows, c))
            dropped.push_back({c, DroppedColumn::Reason::Constant});
        else
            kept.push_back(c);
    }
    std::vector<ColumnChoice> choices;
    for (std::size_t i = 0; i < kept.size(); ++i)
        for (std::size_t j = i + 1; j < kept.size(); ++j) {
            ColumnChoice choice{kept[i], kept[j], dropped};
            for (std::size_t c : kept)
                if (c != kept[i] && c != kept[j]) choice.dropped.push_back({c, DroppedColumn::Reason::NoCoordinate});
            std::sort(choice.dropped.begin(), choice.dropped.end(),
                      [](const DroppedColumn& a, const DroppedColumn& b) { return a.column < b.column; });
            choices.push_back(std::move(choice));
        }
    return choices;
}

// Points sorted by x with the two surfaces interleaved (each station's upper
// and lower point side by side) become one run around the airfoil: from the
// trailing edge over the upper surface to the nose and back along the lower
// one. Where two points share an x, the higher is on the upper surface; a
// lone point at the first or last x is the nose or the trailing edge, one in
// between lies above or below the line from nose to trailing edge. False,
// leaving the points as they are, when they are not sorted so.
bool rebuildSortedByX(std::vector<Point>& points) {
    const std::size_t n = points.size();
    if (n < 5) return false;
    const bool falling = points.front().x > points.back().x;
    for (std::size_t i = 1; i < n; ++i)
        if (falling ? points[i].x > points[i - 1].x : points[i].x < points[i - 1].x) return false;
    std::vector<Point> sorted = points;
    if (falling) std::reverse(sorted.begin(), sorted.end());
    std::size_t twins = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (sorted[i].x == sorted[i - 1].x && sorted[i].y != sorted[i - 1].y) ++twins;
    if (twins * 4 < n) return false;

    const Point nose = sorted.front();
    const Point tail = sorted.back();
    auto chordY = [&](double x) {
        return tail.x == nose.x ? nose.y : nose.y + (tail.y - nose.y) * (x - nose.x) / (tail.x - nose.x);
    };
    std::vector<Point> upper;
    std::vector<Point> lower;
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
    std::vector<Point> outline(upper.rbegin(), upper.rend());
    outline.insert(outline.end(), lower.begin() + (lower.front() == upper.front() ? 1 : 0), lower.end());
    points = std::move(outline);
    return true;
}

// A Lednicer point-count line leads the pairs: two whole numbers, at least
// 2 each, that add up to the pairs after it (give or take two) or stand far
// above every coordinate. Returns the number of pairs to skip (0 or 1) and
// sets `firstBlock` to the first surface's count when the counts add up.
std::size_t countLine(const std::vector<ScannedLines::Pair>& pairs, std::size_t& firstBlock) {
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
std::size_t blockSplit(const std::vector<Point>& pairs, std::size_t firstBlock, double size) {
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
std::vector<Point> joinBlocks(const std::vector<Point>& a, const std::vector<Point>& b) {
    std::vector<Point> outline;
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
std::vector<CoordinatePair> openDrawingOfBlocks(const std::vector<Point>& a, const std::vector<Point>& b,
                                                std::vector<CoordinatePair>& blocks) {
    blocks.clear();
    for (const Point& p : a) blocks.push_back(asPair(p));
    for (const Point& p : b) blocks.push_back(asPair(p));
    const CoordinatePair tail = blocks[a.size() - 1];
    std::vector<CoordinatePair> expected(blocks.rend() - static_cast<std::ptrdiff_t>(a.size()), blocks.rend());
    std::size_t i = a.size();
    for (; i < blocks.size() && blocks[i].x != tail.x; ++i) expected.push_back(blocks[i]);
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
bool normalise(std::vector<Point>& outline, double reach, ImportResult& result) {
    Point te;
    if (distance(outline.front(), outline.back()) <= kTrailingEdgeGap * reach) {
        te.x = (outline.front().x + outline.back().x) / 2.0;
        te.y = (outline.front().y + outline.back().y) / 2.0;
    } else {
        double fromFront = 0.0;
        double fromBack = 0.0;
        for (const Point& p : outline) {
            fromFront = std::max(fromFront, distance(outline.front(), p));
            fromBack = std::max(fromBack, distance(outline.back(), p));
        }
        te = fromFront >= fromBack ? outline.front() : outline.back();
    }
    Point le = outline.front();
    for (const Point& p : outline)
        if (distance(p, te) > distance(le, te)) le = p;
    const double chord = distance(le, te);
    if (!(chord > 0.0) || !std::isfinite(chord)) return false;

    double lowX = outline.front().x;
    double highX = outline.front().x;
    for (const Point& p : outline) {
        lowX = std::min(lowX, p.x);
        highX = std::max(highX, p.x);
    }
    if (std::fabs(highX - 1.0) <= kMaxXTolerance && std::fabs(lowX) <= kMinXTolerance &&
        std::fabs(te.y) <= kEdgeHeight && std::fabs(le.y) <= kEdgeHeight)
        return true;

    const double angle = std::atan2(te.y - le.y, te.x - le.x);
    const double c = std::cos(-angle) / chord;
    const double s = std::sin(-angle) / chord;
    for (Point& p : outline) {
        const double dx = p.x - le.x;
        const double dy = p.y - le.y;
        p.x = dx * c - dy * s;
        p.y = dx * s + dy * c;
        p.fx = geom::modelFloat(p.x);
        p.fy = geom::modelFloat(p.y);
    }
    result.turnedDegrees = -angle * 180.0 / geom::kPi;
    result.chordFound = chord;
    result.changes.push_back(ImportChange::Normalised);
    return true;
}

} // namespace

bool ImportResult::changed(ImportChange change) const {
    return std::find(changes.begin(), changes.end(), change) != changes.end();
}

const char* importStatusMessage(ImportStatus status) {
    switch (status) {
    case ImportStatus::Imported: return nullptr;
    case ImportStatus::OpenFailed: return kMessageOpenFailed;
    case ImportStatus::TooLarge: return "The file is larger than 1 MiB (1,048,576 bytes).\nNothing was imported...";
    case ImportStatus::Binary: return "The file holds binary data, not text.\nNothing was imported...";
    case ImportStatus::NoPairs:
        return "The file holds fewer than three usable x, y pairs.\nNothing was imported...";
    case ImportStatus::TooFewPoints: return kMessageTooFewPoints;
    case ImportStatus::TooManyPoints: return "The file holds more than 20,000 points.\nNothing was imported...";
    case ImportStatus::OneSurface:
        return "The points run along one surface only and never return\nto the trailing edge.\nNothing was "
               "imported...";
    case ImportStatus::SelfCrossing: return "The airfoil outline crosses itself.\nNothing was imported...";
    }
    return nullptr;
}

std::string importChangeText(const ImportResult& result, ImportChange change) {
    char buffer[200];
    switch (change) {
    case ImportChange::NamedAfterFile: return "no name line: named after the file";
    case ImportChange::DecimalCommas: return "decimal commas read as decimal points";
    case ImportChange::OtherNumberLines:
        std::snprintf(buffer, sizeof buffer, "%zu line%s with one or more than two numbers skipped",
                      result.otherNumberLines, result.otherNumberLines == 1 ? "" : "s");
        return buffer;
    case ImportChange::Columns: {
        std::string text;
        for (const DroppedColumn& dropped : result.droppedColumns) {
            text += text.empty() ? "column " : ", column ";
            text += std::to_string(dropped.column + 1);
            switch (dropped.reason) {
            case DroppedColumn::Reason::RowNumbers: text += " (row numbers)"; break;
            case DroppedColumn::Reason::Constant: text += " (the same number on every line)"; break;
            case DroppedColumn::Reason::NoCoordinate: text += " (not a coordinate)"; break;
            }
        }
        return text + " left out";
    }
    case ImportChange::Percent: return "coordinates in percent of the chord divided by 100";
    case ImportChange::Duplicates:
        std::snprintf(buffer, sizeof buffer, "%zu repeated point%s dropped", result.duplicatesDropped,
                      result.duplicatesDropped == 1 ? "" : "s");
        return buffer;
    case ImportChange::SortedByX: return "points sorted by x rebuilt into upper and lower surfaces";
    case ImportChange::Clockwise: return "clockwise order reversed";
    case ImportChange::Normalised: {
        // Locale-free numbers: the angle in hundredths of a degree, the
        // chord to six significant digits.
        char angle[64];
        char chord[64];
        const auto a = std::to_chars(angle, angle + sizeof angle, result.turnedDegrees, std::chars_format::fixed, 2);
        const auto c = std::to_chars(chord, chord + sizeof chord, result.chordFound, std::chars_format::general, 6);
        return "moved, turned by " + std::string(angle, a.ptr) + " degrees and scaled from a chord of " +
               std::string(chord, c.ptr) + " to 1, so the leading edge lies at (0, 0) and the trailing edge at (1, 0)";
    }
    }
    return {};
}

std::string importChangesMessage(const ImportResult& result) {
    if (result.changes.empty()) return {};
    std::string text = "Imported with these changes: ";
    for (std::size_t i = 0; i < result.changes.size(); ++i) {
        if (i > 0) text += "; ";
        text += importChangeText(result, result.changes[i]);
    }
    text += '.';
    return text;
}

namespace {

ImportResult refused(ImportStatus status) {
    ImportResult result;
    result.status = status;
    result.contents.status = ReadStatus::NoCoordinates;
    return result;
}

// The geometry of one choice of x and y: percent, repeats, the layout
// (one run, two blocks or points sorted by x), the direction, the chord.
// `result` arrives with the name and the line changes filled in.
ImportResult importPairs(ImportResult result, std::vector<Point> pairs, std::size_t firstBlock, std::size_t pairLines) {
    result.pairsTaken = pairs.size();
    if (pairs.empty()) return refused(ImportStatus::NoPairs);

    // Percent of the chord.
    double maxX = pairs[0].x;
    for (const Point& p : pairs) maxX = std::max(maxX, p.x);
    if (maxX >= kPercentLow && maxX <= kPercentHigh) {
        for (Point& p : pairs) {
            p.x /= 100.0;
            p.y /= 100.0;
            p.fx = geom::modelFloat(p.x);
            p.fy = geom::modelFloat(p.y);
        }
        result.changes.push_back(ImportChange::Percent);
    }

    // Consecutive repeats; the first block's count shrinks with its own.
    std::vector<Point> kept;
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
    if (pairs.size() < 3) return refused(ImportStatus::TooFewPoints);

    // The size of the outline: the largest distance from its first point.
    double size = 0.0;
    for (const Point& p : pairs) size = std::max(size, distance(pairs.front(), p));
    if (!(size > 0.0) || !std::isfinite(size)) return refused(ImportStatus::NoPairs);

    std::vector<Point> blockA;
    std::vector<Point> blockB;
    std::vector<Point> outline = pairs;
    if (rebuildSortedByX(outline)) {
        result.changes.push_back(ImportChange::SortedByX);
    } else if (const std::size_t split = blockSplit(pairs, keptFirstBlock, size); split > 0) {
        blockA.assign(pairs.begin(), pairs.begin() + static_cast<std::ptrdiff_t>(split));
        blockB.assign(pairs.begin() + static_cast<std::ptrdiff_t>(split), pairs.end());
        outline = joinBlocks(blockA, blockB);
    }

    // One surface only: the ends lie about a chord apart.
    double reach = 0.0;
    for (const Point& p : outline)
        reach = std::max({reach, distance(outline.front(), p), distance(outline.back(), p)});
    if (distance(outline.front(), outline.back()) > kOneSurfaceGap * reach) return refused(ImportStatus::OneSurface);

    // Upper surface first: the outline runs counter-clockwise.
    if (signedArea(outline) < 0.0) {
        std::reverse(outline.begin(), outline.end());
        result.changes.push_back(ImportChange::Clockwise);
    }
    if (!normalise(outline, reach, result)) return refused(ImportStatus::NoPairs);
    if (crossesItself(outline)) return refused(ImportStatus::SelfCrossing);

    for (const Point& p : outline) result.outline.push_back(asPair(p));
    result.contents.status = ReadStatus::Loaded;
    result.contents.pairLines = pairLines;
    result.contents.accepted = result.outline;
    result.contents.drawingOrder = drawingOrderOf(result.outline);

    // A two-block file taken as it stands keeps Open's own drawing of such
    // files, so that both commands draw it alike.
    if (!blockA.empty() && !result.changed(ImportChange::Clockwise) && !result.changed(ImportChange::Normalised)) {
        std::vector<CoordinatePair> blocks;
        std::vector<CoordinatePair> order = openDrawingOfBlocks(blockA, blockB, blocks);
        if (!order.empty()) {
            result.contents.accepted = std::move(blocks);
            result.contents.drawingOrder = std::move(order);
        }
    }
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
        std::vector<ScannedLines::Pair> taken;
        taken.reserve(rows.size());
        for (const ScannedLines::Row* row : rows) {
            const double x = row->values[choice.x];
            const double y = row->values[choice.y];
            taken.push_back({Point{x, y, row->singles[choice.x], row->singles[choice.y]},
                             x == std::floor(x) && y == std::floor(y)});
        }
        // A Lednicer point-count line only leads plain two-number rows.
        std::size_t firstBlock = 0;
        const std::size_t skip = width == 2 ? countLine(taken, firstBlock) : 0;
        std::vector<Point> pairs;
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

ImportResult readImportFile(const std::string& path) {
    const FileBytes file = readFileBytes(path, kMaxImportFileSize);
    if (file.status == FileBytesStatus::Read) return parseImportFile(file.bytes, path);
    ImportResult refused;
    const bool tooLarge = file.status == FileBytesStatus::TooLarge;
    refused.status = tooLarge ? ImportStatus::TooLarge : ImportStatus::OpenFailed;
    refused.contents.status = tooLarge ? ReadStatus::TooLarge : ReadStatus::OpenFailed;
    return refused;
}

namespace {

double areaOf(const std::vector<CoordinatePair>& points) {
    double twice = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const CoordinatePair& a = points[i];
        const CoordinatePair& b = points[(i + 1) % points.size()];
        twice += double(a.x) * b.y - double(b.x) * a.y;
    }
    return std::fabs(twice) / 2.0;
}

} // namespace

std::string openReadHint(const CoordinateFileContents& contents, const ImportResult& imported,
                         std::string_view importWay) {
    if (contents.status != ReadStatus::Loaded) return {};
    std::string said;
    char buffer[400];
    if (contents.accepted.size() * 2 < contents.pairLines) {
        std::snprintf(buffer, sizeof buffer,
                      "Only %zu of the file's %zu coordinate lines were read: the others\n"
                      "have x above 1, as in files given in percent of the chord.\n",
                      contents.accepted.size(), contents.pairLines);
        said += buffer;
    }
    std::vector<double> values;
    std::vector<float> singles;
    bool comma = false;
    if (const std::string name = trim(contents.name);
        !name.empty() && numberFields(name, values, singles, comma) && values.size() >= 2)
        said += "The file has no name line: its first coordinate line was taken as the name.\n";
    if (said.empty() && imported.status == ImportStatus::Imported) {
        // The outline Open drew against the one Import finds in the same file.
        const double opened = areaOf(contents.drawingOrder);
        const double whole = areaOf(imported.contents.drawingOrder);
        if (std::isfinite(opened) && whole > 0.0 && std::fabs(opened - whole) > kOpenAreaTolerance * whole) {
            const double percent = opened / whole * 100.0;
            char share[64];
            const auto end = std::to_chars(share, share + sizeof share, percent, std::chars_format::fixed,
                                           percent < 10.0 ? 1 : 0);
            said += "The points read outline " + std::string(share, end.ptr) +
                    " % of the airfoil's area: part of the file\nwas left out or read in another order.\n";
        }
    }
    if (said.empty()) return {};
    return said + std::string(importWay) + " reads such files.";
}

std::optional<CoordinateFileContents> readAirfoilSection(const std::string& path, std::string& error) {
    ImportResult imported = readImportFile(path);
    if (imported.status == ImportStatus::Imported) return std::move(imported.contents);
    CoordinateFileContents opened = readCoordinateFile(path);
    if (opened.status == ReadStatus::Loaded) return opened;
    // Import's reason is the telling one: it reads everything Open reads.
    std::string message = importStatusMessage(imported.status);
    if (const std::size_t cut = message.find("\nNothing was"); cut != std::string::npos) message.resize(cut);
    error = message;
    return std::nullopt;
}

} // namespace parvelin
