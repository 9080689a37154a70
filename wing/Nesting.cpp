// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/Nesting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "clip/CutOutline.h"
#include "text/NumberText.h"
#include "wing/ClipperPaths.h"

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

NestOptions nestOptions(double kerf, bool metric) {
    NestOptions options;
    options.kerf = std::max(0.0, kerf);
    options.gap = metric ? kDefaultGapMm : kDefaultGapMm / kMmPerInch;
    options.margin = metric ? kDefaultMarginMm : kDefaultMarginMm / kMmPerInch;
    return options;
}

double utilisation(const Nesting& nesting, std::size_t sheet) {
    if (sheet >= nesting.sheets.size() || !(nesting.sheetArea > 0.0)) return 0.0;
    return nesting.sheets[sheet].partsArea / nesting.sheetArea;
}

double utilisation(const Nesting& nesting) {
    if (nesting.sheets.empty() || !(nesting.sheetArea > 0.0)) return 0.0;
    return nesting.partsArea / (nesting.sheetArea * static_cast<double>(nesting.sheets.size()));
}

std::size_t leastSheets(const Nesting& nesting) {
    if (!(nesting.sheetArea > 0.0) || !(nesting.partsArea > 0.0)) return 0;
    // A hair of rounding does not ask for another sheet.
    return static_cast<std::size_t>(std::ceil(nesting.partsArea / nesting.sheetArea - 1e-9));
}

namespace {

// "61.3 %": one decimal, the same in every locale.
std::string percent(double share) {
    std::string text = formatFixed6(std::round(share * 1000.0) / 10.0);
    return text.substr(0, text.size() - 5) + " %";
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string sheetYieldText(const Nesting& nesting, std::size_t sheet) {
    if (sheet >= nesting.sheets.size()) return {};
    return "Sheet " + std::to_string(sheet + 1) + ": " + counted(nesting.sheets[sheet].parts.size(), "part", "parts") +
           ", " + percent(utilisation(nesting, sheet)) + " of the sheet";
}

std::string setYieldText(const Nesting& nesting) {
    std::size_t parts = 0;
    for (const Sheet& sheet : nesting.sheets) parts += sheet.parts.size();
    const std::size_t used = nesting.sheets.size();
    const std::size_t least = leastSheets(nesting);
    std::string text = counted(parts, "part", "parts") + " on " + counted(used, "sheet", "sheets") + ": " +
                       percent(utilisation(nesting)) + " of the balsa in parts; at least " +
                       counted(least, "sheet is", "sheets are") + " needed (the parts' area over a sheet's), ";
    text += used > least ? counted(used - least, "more was", "more were") + " used" : std::string("no more were used");
    return text;
}

Polygon cutPath(const Polygon& outline, double kerf) {
    if (!(kerf > 0.0) || outline.size() < 3) return outline;
    // The offset works in fractions of a length as a single rib's works in
    // fractions of its chord: the part's largest extent from the origin
    // stands for the chord, so that the rounded corners get as many points.
    double extent = 0.0;
    for (const Vec2& p : outline) extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
    if (!(extent > 0.0) || !std::isfinite(extent)) return outline;
    ModelPolygon model;
    model.reserve(outline.size());
    for (const Vec2& p : outline) model.push_back({p.x / extent, p.y / extent});
    Polygon grown;
    for (const ModelPoint& q : grownOutline(model, kerf / 2.0 / extent)) grown.push_back(Vec2{q.x * extent, q.y * extent});
    return grown.size() >= 3 ? grown : outline;
}

Polygon holeCutPath(const Polygon& hole, double kerf) {
    if (!(kerf > 0.0) || hole.size() < 3) return hole;
    double extent = 0.0;
    for (const Vec2& p : hole) extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
    if (!(extent > 0.0) || !std::isfinite(extent)) return hole;
    ModelPolygon model;
    for (const Vec2& p : hole) model.push_back({p.x / extent, p.y / extent});
    Polygon shrunk;
    for (const ModelPoint& q : grownOutline(model, -kerf / 2.0 / extent)) shrunk.push_back(Vec2{q.x * extent, q.y * extent});
    return shrunk;
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

} // namespace

namespace {

// The ways a part may lie: half turns along the grain, quarter turns when the
// grain is free, each mirrored too when allowed.
std::vector<Pose> posesFor(const NestOptions& options) {
    std::vector<Pose> poses;
    const int step = options.grain == Grain::Any ? 1 : 2;
    for (int mirrored = 0; mirrored <= (options.mirror ? 1 : 0); ++mirrored)
        for (int turns = 0; turns < 4; turns += step) poses.push_back(Pose{turns, mirrored == 1});
    return poses;
}

Polygon posedPolygon(const Polygon& polygon, const Pose& pose) {
    Polygon out;
    out.reserve(polygon.size());
    for (const Vec2& p : polygon) out.push_back(posed(p, pose));
    // Mirroring reverses the way round; keep it anticlockwise.
    if (pose.mirrored) std::reverse(out.begin(), out.end());
    return out;
}

// One layout of the parts in a given order: each part, in whichever pose
// leaves its top lowest, on the first sheet it fits on.
struct Layout {
    struct Spot {
        std::size_t part = 0;
        std::size_t sheet = 0;
        std::size_t pose = 0;
        int column = 0;
        double y = 0.0;
    };
    std::vector<Spot> spots;
    std::size_t sheets = 0;
    double lastTop = 0.0;  // how high the last sheet is filled
    long unplaced = -1;    // a part that fits on no sheet in any pose

    // Fewer sheets, then a lower last sheet: the other sheets hold more.
    bool betterThan(const Layout& other) const {
        if (unplaced >= 0 || other.unplaced >= 0) return unplaced < 0 && other.unplaced >= 0;
        return sheets != other.sheets ? sheets < other.sheets : lastTop < other.lastTop - 1e-9;
    }
};

struct Skylines {
    double usableW = 0.0;
    double usableH = 0.0;
    double cell = 0.0;
    int sheetColumns = 0;
    int reach = 0;  // columns kept clear beside a part: the gap
    double gap = 0.0;
};

Layout layOut(const std::vector<std::size_t>& order, const std::vector<std::vector<Profile>>& shapes,
              const Skylines& k) {
    Layout layout;
    std::vector<std::vector<double>> levels;  // per sheet and column of the usable area: where a part may start
    for (const std::size_t i : order) {
        bool placed = false;
        for (std::size_t s = 0; !placed; ++s) {
            if (s == levels.size()) levels.emplace_back(static_cast<std::size_t>(k.sheetColumns), 0.0);
            std::vector<double>& level = levels[s];
            // The lowest top over every pose and every place along the sheet.
            double bestTop = std::numeric_limits<double>::infinity();
            double bestY = 0.0;
            int bestColumn = 0;
            std::size_t bestPose = 0;
            for (std::size_t pose = 0; pose < shapes[i].size(); ++pose) {
                const Profile& p = shapes[i][pose];
                // The part's right side stays within the usable width.
                const int last = static_cast<int>(std::floor((k.usableW - p.width) / k.cell + 1e-9));
                if (last < 0 || p.height > k.usableH + 1e-9) continue;
                for (int c = 0;; c = std::min(c + kStride, last)) {
                    // A place is given up as soon as it cannot beat the best
                    // one (or the sheet's top): on a nearly full sheet at once.
                    const double limit = std::min(bestTop - 1e-9, k.usableH + 1e-9) - p.height;
                    double y = 0.0;
                    for (int col = 0; col < p.columns && y <= limit; ++col)
                        y = std::max(y, level[static_cast<std::size_t>(c + col)] - p.bottom[static_cast<std::size_t>(col)]);
                    if (y <= limit) {
                        bestTop = y + p.height;
                        bestY = y;
                        bestColumn = c;
                        bestPose = pose;
                    }
                    if (c == last) break;
                }
            }
            if (!std::isfinite(bestTop)) {
                // The first sheet it was tried on was empty: it fits nowhere.
                if (s + 1 == levels.size() && std::all_of(level.begin(), level.end(), [](double v) { return v == 0.0; })) {
                    levels.pop_back();
                    break;
                }
                continue;
            }
            const Profile& p = shapes[i][bestPose];
            // The part's upper edge and the gap above and beside it.
            for (int col = 0; col < p.columns; ++col) {
                const double clear = bestY + p.top[static_cast<std::size_t>(col)] + k.gap;
                const int from = std::max(0, bestColumn + col - k.reach);
                const int to = std::min(k.sheetColumns - 1, bestColumn + col + k.reach);
                for (int c = from; c <= to; ++c)
                    level[static_cast<std::size_t>(c)] = std::max(level[static_cast<std::size_t>(c)], clear);
            }
            layout.spots.push_back(Layout::Spot{i, s, bestPose, bestColumn, bestY});
            placed = true;
        }
        if (!placed) {
            layout.unplaced = static_cast<long>(i);
            return layout;
        }
    }
    layout.sheets = levels.size();
    if (!levels.empty()) layout.lastTop = *std::max_element(levels.back().begin(), levels.back().end());
    return layout;
}

// A part laid in a hole of another: its cut path in `pose`, moved by
// `offset`, in the host's own coordinates (before the host is posed).
struct Guest {
    std::size_t part = 0;
    std::size_t host = 0;
    Pose pose;
    Vec2 offset;
};

// Pose `first`, then pose `then`: mirroring turns the other way.
Pose composed(const Pose& first, const Pose& then) {
    const int turns = then.mirrored ? then.quarterTurns - first.quarterTurns : then.quarterTurns + first.quarterTurns;
    return Pose{((turns % 4) + 4) % 4, first.mirrored != then.mirrored};
}

// Whether `inner` lies wholly inside `outer` (Clipper paths).
bool liesInside(const ClipperLib::Path& inner, const ClipperLib::Path& outer) {
    ClipperLib::Clipper clipper;
    clipper.AddPath(inner, ClipperLib::ptSubject, true);
    clipper.AddPath(outer, ClipperLib::ptClip, true);
    ClipperLib::Paths outside;
    clipper.Execute(ClipperLib::ctDifference, outside, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    double area = 0.0;
    for (const ClipperLib::Path& p : outside) area += std::fabs(ClipperLib::Area(p));
    return area <= 1.0;  // a square ten-thousandth of the unit: rounding only
}

// Per hole of the larger parts (largest first), the largest smaller part
// that fits in it, the gap kept from the hole's cut path: found from the
// hole's lower left corner along rows. A part in a hole holds no guest.
std::vector<Guest> guestsInHoles(const std::vector<NestPart>& parts, const std::vector<Polygon>& cut,
                                 const std::vector<std::size_t>& largestFirst, const std::vector<Pose>& poses,
                                 double kerf, double gap) {
    std::vector<Guest> guests;
    std::vector<bool> taken(parts.size(), false);  // a guest, or a host of one
    for (const std::size_t host : largestFirst) {
        if (parts[host].holes.empty() || taken[host]) continue;
        for (const Polygon& hole : parts[host].holes) {
            const Polygon path = holeCutPath(hole, kerf);
            if (path.size() < 3 || !layable(path)) continue;
            ClipperLib::ClipperOffset shrink;
            shrink.AddPath(toPath(path), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
            shrink.ArcTolerance = 0.01 * kClipperScale;
            ClipperLib::Paths rooms;
            shrink.Execute(rooms, -gap * kClipperScale);
            for (const ClipperLib::Path& room : rooms) {
                const Polygon roomPolygon = fromPath(room);
                const Box box = bounds(roomPolygon);
                bool filled = false;
                for (const std::size_t guest : largestFirst) {
                    if (filled) break;
                    if (guest == host || taken[guest] || !parts[guest].holes.empty() || !layable(cut[guest])) continue;
                    for (const Pose& pose : poses) {
                        if (filled) break;
                        const Polygon posedPath = posedPolygon(cut[guest], pose);
                        const Box own = bounds(posedPath);
                        if (own.width() > box.width() || own.height() > box.height()) continue;
                        // Rows a twentieth of the room apart, from its lower left.
                        const double stepX = std::max(box.width() / 20.0, 1e-6);
                        const double stepY = std::max(box.height() / 20.0, 1e-6);
                        for (double y = box.minY; !filled && y + own.height() <= box.maxY + 1e-9; y += stepY)
                            for (double x = box.minX; !filled && x + own.width() <= box.maxX + 1e-9; x += stepX) {
                                const Vec2 offset{x - own.minX, y - own.minY};
                                if (!liesInside(toPath(translated(posedPath, offset.x, offset.y)), room)) continue;
                                guests.push_back(Guest{guest, host, pose, offset});
                                taken[guest] = taken[host] = true;
                                filled = true;
                            }
                    }
                }
            }
        }
    }
    return guests;
}

// The label of a posed part: its box moved with the part, the text upright
// (a half turn puts the box's other corner first) or, on a quarter turn,
// reading upwards.
void poseLabel(PlacedPart& out, const NestPart& part, const Pose& pose) {
    const double w = labelWidth(part.labelHeight, part.label.size());
    const double h = part.labelHeight;
    const Vec2 a = part.labelAt;
    Box box;
    bool first = true;
    for (const Vec2 corner : {a, Vec2{a.x + w, a.y}, Vec2{a.x, a.y + h}, Vec2{a.x + w, a.y + h}}) {
        const Vec2 q = posed(corner, pose);
        box = first ? Box{q.x, q.y, q.x, q.y}
                    : Box{std::min(box.minX, q.x), std::min(box.minY, q.y), std::max(box.maxX, q.x), std::max(box.maxY, q.y)};
        first = false;
    }
    out.labelAngle = pose.quarterTurns % 2 == 0 ? 0.0 : 90.0;
    // Text at 90 degrees runs up its base line, its letters to the left of it.
    out.labelAt = out.labelAngle == 0.0 ? Vec2{box.minX, box.minY} : Vec2{box.maxX, box.minY};
}

// How many layouts the search tries for a budget of seconds: counted, not
// timed, so that a seed gives the same layout on any machine.
constexpr double kLayoutsPerSecond = 40.0;

} // namespace

Vec2 posed(Vec2 p, const Pose& pose) {
    if (pose.mirrored) p.y = -p.y;
    for (int k = 0; k < pose.quarterTurns % 4; ++k) p = Vec2{-p.y, p.x};
    return p;
}

std::size_t layoutsFor(double seconds) {
    if (!(seconds > 0.0)) return 1;
    return static_cast<std::size_t>(std::ceil(std::min(seconds, 3600.0) * kLayoutsPerSecond));
}

Nesting nestParts(const std::vector<NestPart>& given, const SheetSize& sheet, const NestOptions& options) {
    Nesting result;
    if (!(sheet.width > 0.0) || !(sheet.height > 0.0) || !std::isfinite(sheet.width) || !std::isfinite(sheet.height)) {
        result.error = "The sheet must have a width and a height above 0.";
        return result;
    }
    const double gap = options.commonLine ? 0.0 : std::max(0.0, options.gap);
    const double margin = std::max(0.0, options.margin);
    result.sheetArea = sheet.width * sheet.height;
    Skylines k;
    k.usableW = sheet.width - 2.0 * margin;
    k.usableH = sheet.height - 2.0 * margin;
    k.gap = gap;
    const std::vector<Pose> poses = posesFor(options);

    // The parts as they are cut, in every pose.
    std::vector<Polygon> cut;
    std::vector<double> areas;
    for (const NestPart& part : given) {
        // The balsa a part holds: its outline less its holes.
        double area = std::fabs(signedArea(part.outline));
        for (const Polygon& hole : part.holes) area -= std::fabs(signedArea(hole));
        areas.push_back(std::max(0.0, area));
        cut.push_back(cutPath(part.outline, options.kerf));
    }
    for (std::size_t i = 0; i < given.size(); ++i) {
        bool fits = false;
        for (const Pose& pose : poses) {
            const Box b = bounds(posedPolygon(cut[i], pose));
            fits = fits || (b.width() <= k.usableW && b.height() <= k.usableH);
        }
        if (!fits) {
            const Box b = bounds(cut[i]);
            result.error = "The sheet (" + size2(sheet.width, sheet.height) + ") is too small for " + given[i].label +
                           " (" + size2(b.width(), b.height()) + " and a margin of " + twoDecimals(margin) +
                           " all round).";
            return result;
        }
    }
    if (given.empty()) return result;

    k.cell = std::max({gap / kCellsPerGap, k.usableW / kMostColumns, 1e-9});
    k.sheetColumns = static_cast<int>(std::ceil(k.usableW / k.cell - 1e-9));
    k.reach = static_cast<int>(std::ceil(gap / k.cell - 1e-9));
    std::vector<std::vector<Profile>> shapes(given.size());
    for (std::size_t i = 0; i < given.size(); ++i)
        for (const Pose& pose : poses) shapes[i].push_back(profileOf(posedPolygon(cut[i], pose), false, k.cell));

    // Largest first (the order given breaks ties), then the search: a
    // layout with two parts swapped, or one moved, is kept when it is no
    // worse than the best so far.
    std::vector<std::size_t> order(given.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return areas[a] > areas[b]; });
    const std::vector<Guest> guests =
        options.nestInHoles ? guestsInHoles(given, cut, order, poses, options.kerf, std::max(0.0, options.gap))
                            : std::vector<Guest>{};
    std::erase_if(order, [&](std::size_t i) {
        return std::any_of(guests.begin(), guests.end(), [i](const Guest& g) { return g.part == i; });
    });
    Layout best = layOut(order, shapes, k);
    std::size_t least = 0;
    {
        double total = 0.0;
        for (double a : areas) total += a;
        least = static_cast<std::size_t>(std::ceil(total / result.sheetArea - 1e-9));
    }
    std::mt19937 random(options.seed);
    const std::size_t layouts = layoutsFor(options.seconds);
    std::size_t tried = 1;
    for (; tried < layouts && best.unplaced < 0 && best.sheets > least && order.size() > 1; ++tried) {
        if (options.progress && !options.progress(static_cast<double>(tried) / static_cast<double>(layouts))) break;
        std::vector<std::size_t> next = order;
        const std::size_t a = random() % next.size();
        const std::size_t b = random() % next.size();
        if (random() % 2 == 0) {
            std::swap(next[a], next[b]);
        } else {
            const std::size_t part = next[a];
            next.erase(next.begin() + static_cast<std::ptrdiff_t>(a));
            next.insert(next.begin() + static_cast<std::ptrdiff_t>(std::min(b, next.size())), part);
        }
        Layout candidate = layOut(next, shapes, k);
        if (!best.betterThan(candidate)) {
            best = std::move(candidate);
            order = std::move(next);
        }
    }
    result.layoutsTried = tried;
    if (best.unplaced >= 0) {
        result.error = "The sheet (" + size2(sheet.width, sheet.height) + ") is too small for " +
                       given[static_cast<std::size_t>(best.unplaced)].label + ".";
        return result;
    }

    result.sheets.resize(best.sheets);
    for (Sheet& s : result.sheets) s.commonLine = options.commonLine;
    for (const Layout::Spot& spot : best.spots) {
        const std::size_t i = spot.part;
        const Profile& p = shapes[i][spot.pose];
        // The parts in its holes first: they must be cut free before the
        // hole around them is.
        for (const Guest& g : guests) {
            if (g.host != i) continue;
            const Pose hostPose = poses[spot.pose];
            const Pose pose = composed(g.pose, hostPose);
            const Vec2 o = posed(g.offset, hostPose);
            const Vec2 move{o.x + p.shift.x + margin + spot.column * k.cell, o.y + p.shift.y + margin + spot.y};
            PlacedPart out;
            out.part = g.part;
            out.host = static_cast<long>(i);
            out.quarterTurns = pose.quarterTurns;
            out.mirrored = pose.mirrored;
            out.turned = out.quarterTurns == 2;
            out.outline = translated(posedPolygon(cut[g.part], pose), move.x, move.y);
            out.label = given[g.part].label;
            out.labelHeight = given[g.part].labelHeight;
            poseLabel(out, given[g.part], pose);
            out.labelAt = Vec2{out.labelAt.x + move.x, out.labelAt.y + move.y};
            for (const Polygon& hole : given[g.part].holes)
                if (Polygon path = holeCutPath(hole, options.kerf); path.size() >= 3)
                    out.holes.push_back(translated(posedPolygon(path, pose), move.x, move.y));
            result.sheets[spot.sheet].parts.push_back(std::move(out));
            result.sheets[spot.sheet].partsArea += areas[g.part];
            result.partsArea += areas[g.part];
        }
        PlacedPart out;
        out.part = i;
        out.quarterTurns = poses[spot.pose].quarterTurns;
        out.mirrored = poses[spot.pose].mirrored;
        out.turned = out.quarterTurns == 2;
        const double dx = margin + spot.column * k.cell;
        const double dy = margin + spot.y;
        out.outline = translated(p.outline, dx, dy);
        out.label = given[i].label;
        out.labelHeight = given[i].labelHeight;
        poseLabel(out, given[i], poses[spot.pose]);
        out.labelAt = Vec2{out.labelAt.x + p.shift.x + dx, out.labelAt.y + p.shift.y + dy};
        for (const Polygon& hole : given[i].holes)
            if (Polygon path = holeCutPath(hole, options.kerf); path.size() >= 3)
                out.holes.push_back(translated(posedPolygon(path, poses[spot.pose]), p.shift.x + dx, p.shift.y + dy));
        result.sheets[spot.sheet].parts.push_back(std::move(out));
        result.sheets[spot.sheet].partsArea += areas[i];
        result.partsArea += areas[i];
    }
    return result;
}

} // namespace parvelin::wing
