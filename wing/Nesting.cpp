// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/Nesting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "clip/CutOutline.h"
#include "text/NumberText.h"
#include "wing/NestHoles.h"
#include "wing/NestSkyline.h"
#include "geom/Tolerances.h"
#include "geom/Units.h"

namespace parvelin::wing {
namespace {


// Sizes in messages: two decimals are enough to recognise them.
std::string twoDecimals(double value) {
    std::string text = formatFixed6(value);
    return text.substr(0, text.size() - 4);
}

std::string size2(double w, double h) { return twoDecimals(w) + " x " + twoDecimals(h); }

} // namespace

SheetSize defaultSheet(bool metric) {
    const SheetSize millimetres;
    const double per = geom::millimetresPer(metric);
    return SheetSize{millimetres.width / per, millimetres.height / per};
}

NestOptions nestOptions(double kerf, bool metric) {
    NestOptions options;
    options.kerf = std::max(0.0, kerf);
    options.gap = kDefaultGapMm / geom::millimetresPer(metric);
    options.margin = kDefaultMarginMm / geom::millimetresPer(metric);
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
    return static_cast<std::size_t>(std::ceil(nesting.partsArea / nesting.sheetArea - geom::kFitSlack));
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

// The ways a part may lie: half turns along the grain, quarter turns when the
// grain is free, each mirrored too when allowed.
std::vector<Pose> posesFor(const NestOptions& options) {
    std::vector<Pose> poses;
    const int step = options.grain == Grain::Any ? 1 : 2;
    for (int mirrored = 0; mirrored <= (options.mirror ? 1 : 0); ++mirrored)
        for (int turns = 0; turns < 4; turns += step) poses.push_back(Pose{turns, mirrored == 1});
    return poses;
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
constexpr double kLayoutsPerSecond = 600.0;

} // namespace

Polygon posed(const Polygon& polygon, const Pose& pose) {
    Polygon out;
    out.reserve(polygon.size());
    for (const Vec2& p : polygon) out.push_back(posed(p, pose));
    // Mirroring reverses the way round; keep it anticlockwise.
    if (pose.mirrored) std::reverse(out.begin(), out.end());
    return out;
}

Vec2 posed(Vec2 p, const Pose& pose) {
    if (pose.mirrored) p.y = -p.y;
    for (int k = 0; k < pose.quarterTurns % 4; ++k) p = Vec2{-p.y, p.x};
    return p;
}

std::size_t layoutsFor(double seconds) {
    if (!(seconds > 0.0)) return 1;
    return static_cast<std::size_t>(std::ceil(std::min(seconds, 3600.0) * kLayoutsPerSecond));
}

namespace {

// The parts as they are cut (grown by half the kerf) and the balsa each
// holds (its outline less its holes).
struct CutParts {
    std::vector<Polygon> paths;
    std::vector<double> areas;
};

CutParts cutParts(const std::vector<NestPart>& given, double kerf) {
    CutParts parts;
    for (const NestPart& part : given) {
        double area = std::fabs(signedArea(part.outline));
        for (const Polygon& hole : part.holes) area -= std::fabs(signedArea(hole));
        parts.areas.push_back(std::max(0.0, area));
        parts.paths.push_back(cutPath(part.outline, kerf));
    }
    return parts;
}

// The first part that fits on no sheet in any pose, refused by name.
std::string tooLarge(const std::vector<NestPart>& given, const CutParts& parts, const std::vector<Pose>& poses,
                     const SheetSize& sheet, double margin) {
    for (std::size_t i = 0; i < given.size(); ++i) {
        bool fits = false;
        for (const Pose& pose : poses) {
            const Box b = bounds(posed(parts.paths[i], pose));
            fits = fits || (b.width() <= sheet.width - 2.0 * margin && b.height() <= sheet.height - 2.0 * margin);
        }
        if (!fits) {
            const Box b = bounds(parts.paths[i]);
            return "The sheet (" + size2(sheet.width, sheet.height) + ") is too small for " + given[i].label + " (" +
                   size2(b.width(), b.height()) + " and a margin of " + twoDecimals(margin) + " all round).";
        }
    }
    return {};
}

// A part laid at `move` in `pose`, with its label and the cut paths of its holes.
PlacedPart placedPart(const NestPart& part, std::size_t index, const Polygon& path, const Pose& pose, Vec2 move,
                      double kerf) {
    PlacedPart out;
    out.part = index;
    out.quarterTurns = pose.quarterTurns;
    out.mirrored = pose.mirrored;
    out.turned = out.quarterTurns == 2;
    out.outline = translated(posed(path, pose), move.x, move.y);
    out.label = part.label;
    out.labelHeight = part.labelHeight;
    poseLabel(out, part, pose);
    out.labelAt = Vec2{out.labelAt.x + move.x, out.labelAt.y + move.y};
    for (const Polygon& hole : part.holes)
        if (Polygon holePath = holeCutPath(hole, kerf); holePath.size() >= 3)
            out.holes.push_back(translated(posed(holePath, pose), move.x, move.y));
    return out;
}

// The sheets of a layout: every part at its spot, the parts in its holes
// before it (they must be cut free before the hole around them is).
void fillSheets(Nesting& result, const std::vector<NestPart>& given, const CutParts& parts,
                const skyline::Layout& best, const std::vector<std::vector<skyline::Profile>>& shapes,
                const std::vector<Pose>& poses, const std::vector<Guest>& guests, const NestOptions& options,
                double margin, double cell) {
    result.sheets.resize(best.sheets);
    for (Sheet& s : result.sheets) s.commonLine = options.commonLine;
    auto add = [&](std::size_t sheet, PlacedPart part) {
        const double area = parts.areas[part.part];
        result.sheets[sheet].parts.push_back(std::move(part));
        result.sheets[sheet].partsArea += area;
        result.partsArea += area;
    };
    for (const skyline::Spot& spot : best.spots) {
        const std::size_t i = spot.part;
        const Pose& hostPose = poses[spot.pose];
        // The profile's shift puts the posed part's box at the spot.
        const Vec2 at = shapes[i][spot.pose].shift;
        const Vec2 move{at.x + margin + spot.column * cell, at.y + margin + spot.y};
        for (const Guest& g : guests) {
            if (g.host != i) continue;
            const Vec2 o = posed(g.offset, hostPose);
            PlacedPart guest = placedPart(given[g.part], g.part, parts.paths[g.part], composed(g.pose, hostPose),
                                          Vec2{o.x + move.x, o.y + move.y}, options.kerf);
            guest.host = static_cast<long>(i);
            add(spot.sheet, std::move(guest));
        }
        add(spot.sheet, placedPart(given[i], i, parts.paths[i], hostPose, move, options.kerf));
    }
}

} // namespace

Nesting nestParts(const std::vector<NestPart>& given, const SheetSize& sheet, const NestOptions& options) {
    Nesting result;
    if (!(sheet.width > 0.0) || !(sheet.height > 0.0) || !std::isfinite(sheet.width) || !std::isfinite(sheet.height)) {
        result.error = "The sheet must have a width and a height above 0.";
        return result;
    }
    const double gap = options.commonLine ? 0.0 : std::max(0.0, options.gap);
    const double margin = std::max(0.0, options.margin);
    result.sheetArea = sheet.width * sheet.height;
    const std::vector<Pose> poses = posesFor(options);
    const CutParts parts = cutParts(given, options.kerf);
    result.error = tooLarge(given, parts, poses, sheet, margin);
    if (!result.error.empty() || given.empty()) return result;

    const skyline::Sheets k = skyline::sheetsFor(sheet.width - 2.0 * margin, sheet.height - 2.0 * margin, gap);
    std::vector<std::vector<skyline::Profile>> shapes(given.size());
    for (std::size_t i = 0; i < given.size(); ++i)
        for (const Pose& pose : poses) shapes[i].push_back(skyline::profileOf(posed(parts.paths[i], pose), k.cell));

    // Largest first (the order given breaks ties); the parts that ride in
    // another's hole are carried with it.
    std::vector<std::size_t> order(given.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return parts.areas[a] > parts.areas[b]; });
    const std::vector<Guest> guests =
        options.nestInHoles ? guestsInHoles(given, parts.paths, order, poses, options.kerf, std::max(0.0, options.gap))
                            : std::vector<Guest>{};
    std::erase_if(order, [&](std::size_t i) {
        return std::any_of(guests.begin(), guests.end(), [i](const Guest& g) { return g.part == i; });
    });
    skyline::Search how;
    how.layouts = layoutsFor(options.seconds);
    how.seed = options.seed;
    how.progress = options.progress;
    double total = 0.0;
    for (const double a : parts.areas) total += a;
    how.least = static_cast<std::size_t>(std::ceil(total / result.sheetArea - geom::kFitSlack));
    const skyline::Found found = skyline::search(order, shapes, parts.areas, k, how);
    result.layoutsTried = found.tried;
    if (found.best.unplaced >= 0) {
        result.error = "The sheet (" + size2(sheet.width, sheet.height) + ") is too small for " +
                       given[static_cast<std::size_t>(found.best.unplaced)].label + ".";
        return result;
    }
    fillSheets(result, given, parts, found.best, shapes, poses, guests, options, margin, k.cell);
    return result;
}

} // namespace parvelin::wing
