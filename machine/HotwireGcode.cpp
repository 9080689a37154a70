// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/HotwireGcode.h"
#include "clip/Clipping.h"
#include "geom/Constants.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace parvelin::machine {
namespace {

// Clipper works on integers: a tenth of a micrometre.
// Round corners of the grown section keep within 2 um of the true arc.
constexpr double kArcTolerance = 0.002;
// Fractions along a surface closer than this are one point.
constexpr double kSameFraction = 1e-6;
// Longest coordinate taken (a 10 km core is not a core).
constexpr double kLargest = 1e7;
// The wire travels this far above the path unless told otherwise.
constexpr double kSafeClearance = 10.0;
constexpr const char* kAxisLetters = "XYZABCUVW";

bool finite(const Polygon& polygon) {
    for (const Vec2& p : polygon)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > kLargest || std::fabs(p.y) > kLargest)
            return false;
    return true;
}

Polygon sectionPolygon(AirfoilPoints points, double chord, double shift, double washoutDegrees) {
    Polygon polygon;
    for (const AirfoilPoint& p : points) polygon.push_back(Vec2{shift + p.modelX * chord, p.modelY * chord});
    if (polygon.size() > 2 && polygon.front() == polygon.back()) polygon.pop_back();
    // Repeated neighbours give no direction; drop them.
    Polygon clean;
    for (const Vec2& p : polygon)
        if (clean.empty() || !(clean.back() == p)) clean.push_back(p);
    if (clean.size() > 1 && clean.front() == clean.back()) clean.pop_back();
    if (wing::signedArea(clean) < 0.0) std::reverse(clean.begin(), clean.end());
    // Nose down about the trailing edge (the point farthest aft).
    if (washoutDegrees != 0.0 && !clean.empty()) {
        Vec2 te = clean.front();
        for (const Vec2& p : clean)
            if (p.x > te.x) te = p;
        const double a = washoutDegrees * geom::kPi / 180.0;
        const double c = std::cos(a), s = std::sin(a);
        for (Vec2& p : clean) {
            const double dx = p.x - te.x, dy = p.y - te.y;
            p = Vec2{te.x + c * dx - s * dy, te.y + s * dx + c * dy};
        }
    }
    return clean;
}

// A surface run: its points and each point's fraction of the run's length.
struct Run {
    std::vector<Vec2> points;
    std::vector<double> at;
};

Run makeRun(std::vector<Vec2> points) {
    Run run;
    run.points = std::move(points);
    double length = 0.0;
    run.at.push_back(0.0);
    for (std::size_t i = 1; i < run.points.size(); ++i) {
        length += std::hypot(run.points[i].x - run.points[i - 1].x, run.points[i].y - run.points[i - 1].y);
        run.at.push_back(length);
    }
    for (double& f : run.at) f = length > 0.0 ? f / length : 0.0;
    if (!run.at.empty()) run.at.back() = 1.0;
    return run;
}

Vec2 pointAt(const Run& run, double f) {
    if (run.points.size() == 1) return run.points.front();
    const auto it = std::upper_bound(run.at.begin(), run.at.end(), f);
    std::size_t i = static_cast<std::size_t>(it - run.at.begin());
    if (i == 0) return run.points.front();
    if (i >= run.points.size()) return run.points.back();
    const double span = run.at[i] - run.at[i - 1];
    const double t = span > 0.0 ? (f - run.at[i - 1]) / span : 0.0;
    const Vec2 a = run.points[i - 1], b = run.points[i];
    return Vec2{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// The upper run (trailing edge to nose) and the lower one (nose to trailing
// edge) of an anticlockwise loop.
std::pair<Run, Run> surfaceRuns(const Polygon& loop) {
    std::size_t nose = 0;
    for (std::size_t i = 1; i < loop.size(); ++i)
        if (loop[i].x < loop[nose].x) nose = i;
    std::size_t te = nose;
    double far = -1.0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const double d = std::hypot(loop[i].x - loop[nose].x, loop[i].y - loop[nose].y);
        if (d > far) {
            far = d;
            te = i;
        }
    }
    const std::size_t n = loop.size();
    std::vector<Vec2> upper, lower;
    for (std::size_t i = te;; i = (i + 1) % n) {
        upper.push_back(loop[i]);
        if (i == nose) break;
    }
    for (std::size_t i = nose;; i = (i + 1) % n) {
        lower.push_back(loop[i]);
        if (i == te) break;
    }
    return {makeRun(std::move(upper)), makeRun(std::move(lower))};
}

std::vector<double> mergedFractions(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> all(a);
    all.insert(all.end(), b.begin(), b.end());
    std::sort(all.begin(), all.end());
    std::vector<double> merged;
    for (const double f : all)
        if (merged.empty() || f - merged.back() > kSameFraction) merged.push_back(f);
    merged.back() = 1.0;
    return merged;
}

std::string word(char axis, double value) { return std::string(1, axis) + gcodeNumber(value); }

} // namespace

CoreSections coreSections(AirfoilPoints root, AirfoilPoints tip, const wing::WingPanel& panel, double unitMm) {
    CoreSections core;
    core.span = panel.span * unitMm;
    core.root = sectionPolygon(root, panel.rootChord * unitMm, 0.0, 0.0);
    core.tip = sectionPolygon(tip.size() >= 2 ? tip : root, panel.tipChord * unitMm, panel.sweep * unitMm,
                              panel.washout);
    return core;
}

SettingProblem hotwireSettingsProblem(const HotwireSettings& s, double span) {
    if (!std::isfinite(s.feed) || !(s.feed > 0.0)) return {"feed", "No feed: the speed of the faster end must be above 0 mm/min."};
    if (!std::isfinite(s.towerDistance) || !(s.towerDistance > 0.0) || s.towerDistance > kLargest)
        return {"tower-distance", "The tower distance must be a length above 0."};
    if (s.towerDistance < span)
        return {"tower-distance", "The towers stand closer together (" + gcodeNumber(s.towerDistance) + " mm) than the panel's span (" +
               gcodeNumber(span) + " mm)."};
    if (!std::isnan(s.panelOffset) &&
        (!std::isfinite(s.panelOffset) || s.panelOffset < 0.0 || s.panelOffset + span > s.towerDistance))
        return {"panel-offset", "The panel offset must place the whole panel between the towers (0 to " +
               gcodeNumber(s.towerDistance - span) + " mm)."};
    if (!std::isfinite(s.kerfRoot) || !std::isfinite(s.kerfTip) || s.kerfRoot < 0.0 || s.kerfTip < 0.0 ||
        s.kerfRoot > 100.0 || s.kerfTip > 100.0)
        return {"kerf", "The kerf must be a length from 0 to 100 mm at either end."};
    if (s.axes.size() != 4) return {"axes", "The axis names must be four letters, such as XYUV or XYZA."};
    for (std::size_t i = 0; i < 4; ++i) {
        if (std::string(kAxisLetters).find(s.axes[i]) == std::string::npos)
            return {"axes", "The axis names must be four of the letters X Y Z A B C U V W."};
        if (s.axes.find(s.axes[i]) != i) return {"axes", "The axis names must be four different letters."};
    }
    if (!std::isfinite(s.travelX) || !std::isfinite(s.travelY) || !(s.travelX > 0.0) || !(s.travelY > 0.0))
        return {"travel", "The machine's travel must be above 0 in both directions."};
    if (!std::isfinite(s.margin) || s.margin < 0.0) return {"margin", "The margin must be a length of 0 or more."};
    if (!std::isfinite(s.lead) || s.lead < 0.0) return {"lead", "The lead-in must be a length of 0 or more."};
    if (!std::isnan(s.safeHeight) && !std::isfinite(s.safeHeight)) return {"safe-height", "The safe height must be a length."};
    if (!std::isfinite(s.heat) || s.heat < 0.0 || s.heat > 100.0) return {"heat", "The heat must lie from 0 to 100 %."};
    if (!std::isfinite(s.sMax) || !(s.sMax >= 1.0) || s.sMax > 1e6)
        return {"s-max", "The maximum S must be a number from 1 to 1000000."};
    return {};
}

Polygon grownSection(const Polygon& polygon, double distance) {
    if (!(distance > 0.0) || polygon.size() < 3) return polygon;
    const clipping::Paths grown = clipping::offset({clipping::toPath(polygon, clipping::kLengthGrid)}, distance, kArcTolerance, clipping::kLengthGrid);
    const clipping::Path* largest = clipping::largestPath(grown);
    if (largest == nullptr) return {};
    Polygon out = clipping::fromPath<Polygon>(*largest, clipping::kLengthGrid);
    if (wing::signedArea(out) < 0.0) std::reverse(out.begin(), out.end());
    return out;
}

std::pair<Polygon, Polygon> matchedLoops(const Polygon& a, const Polygon& b) {
    if (a.size() < 3 || b.size() < 3) return {};
    const auto [upperA, lowerA] = surfaceRuns(a);
    const auto [upperB, lowerB] = surfaceRuns(b);
    const std::vector<double> upper = mergedFractions(upperA.at, upperB.at);
    const std::vector<double> lower = mergedFractions(lowerA.at, lowerB.at);
    std::pair<Polygon, Polygon> loops;
    for (const double f : upper) {
        loops.first.push_back(pointAt(upperA, f));
        loops.second.push_back(pointAt(upperB, f));
    }
    // The nose ends the upper run and starts the lower one: taken once.
    for (std::size_t i = 1; i < lower.size(); ++i) {
        loops.first.push_back(pointAt(lowerA, lower[i]));
        loops.second.push_back(pointAt(lowerB, lower[i]));
    }
    // Both end exactly where they began.
    loops.first.back() = loops.first.front();
    loops.second.back() = loops.second.front();
    return loops;
}

namespace {

// Both ends of the wire: the profile each tower traces (the matched root and
// tip points projected along the wire), and where each enters, level with
// its trailing edge, `lead` behind the aftmost point of its path.
struct TowerEnds {
    Polygon left, right;
    Vec2 entryLeft, entryRight;
};

TowerEnds towerEnds(const Polygon& rootLoop, const Polygon& tipLoop, double zR, double zT, double towerDistance,
                    double lead) {
    TowerEnds ends;
    auto project = [&](Vec2 r, Vec2 t, double z) {
        const double f = (z - zR) / (zT - zR);
        return Vec2{r.x + f * (t.x - r.x), r.y + f * (t.y - r.y)};
    };
    for (std::size_t i = 0; i < rootLoop.size(); ++i) {
        ends.left.push_back(project(rootLoop[i], tipLoop[i], 0.0));
        ends.right.push_back(project(rootLoop[i], tipLoop[i], towerDistance));
    }
    auto entryFor = [&](const Polygon& loop) {
        double aft = loop.front().x;
        for (const Vec2& p : loop) aft = std::max(aft, p.x);
        return Vec2{aft + lead, loop.front().y};
    };
    ends.entryLeft = entryFor(ends.left);
    ends.entryRight = entryFor(ends.right);
    return ends;
}

// Places the core so that the foremost and lowest points of both ends lie
// `margin` from the origin (program.offset), and finds the safe height;
// false (with program.error) when the safe height or the machine's travel
// does not allow the core.
bool placeCore(HotwireProgram& program, const TowerEnds& ends, const HotwireSettings& settings, double& safe) {
    geom::Box box{ends.entryLeft.x, ends.entryLeft.y, ends.entryLeft.x, ends.entryLeft.y};
    for (const Polygon* loop : {&ends.left, &ends.right})
        for (const Vec2& p : *loop) box.add(p);
    box.maxX = std::max(box.maxX, ends.entryRight.x);
    program.offset = Vec2{settings.margin - box.minX, settings.margin - box.minY};
    const double top = box.maxY + program.offset.y;
    safe = std::isnan(settings.safeHeight) ? top + kSafeClearance : settings.safeHeight;
    if (safe <= top) {
        program.error = "The safe height must lie above the core's path (above " + gcodeNumber(top) + " mm).";
        return false;
    }
    const double farX = box.maxX + program.offset.x;
    if (farX > settings.travelX || safe > settings.travelY) {
        program.error = "The core does not fit the machine's travel: it needs " + gcodeNumber(farX) + " x " +
                        gcodeNumber(safe) + " mm of " + gcodeNumber(settings.travelX) + " x " +
                        gcodeNumber(settings.travelY) + " mm.";
        return false;
    }
    return true;
}

// The G-code's opening comments: the title, the towers and the kerf.
std::string coreComments(const HotwireProgram& program, const HotwireSettings& settings, bool rootAtLeft,
                         const std::string& title, std::size_t points) {
    const std::string& a = settings.axes;
    std::string clean;
    for (char ch : title) clean += (ch == '\n' || ch == '\r') ? ' ' : ch;
    clean.erase(0, clean.find_first_not_of(' '));
    std::string g = "; Parvelin hot-wire core: " + clean + "\n";
    g += "; starts and ends with both carriages at the origin\n";
    g += "; root at the " + std::string(rootAtLeft ? "left" : "right") + " tower (" + a.substr(0, 2) + " left, " +
         a.substr(2, 2) + " right), towers " + gcodeNumber(settings.towerDistance) + " mm apart, root " +
         gcodeNumber(program.rootZ) + " mm and tip " + gcodeNumber(program.tipZ) + " mm from the left tower\n";
    g += "; kerf " + gcodeNumber(settings.kerfRoot) + " mm at the root, " + gcodeNumber(settings.kerfTip) +
         " mm at the tip; faster end at " + gcodeNumber(settings.feed) + " mm/min; " + std::to_string(points) +
         " matched points a profile\n";
    return g;
}

// The moves of the placed core into the program's text and tool path.
class CoreWriter {
public:
    CoreWriter(HotwireProgram& program, const HotwireSettings& settings) : program_(program), settings_(settings) {}

    void line(const char* code, Vec2 p, Vec2 q, double feed) {
        const std::string& a = settings_.axes;
        std::string& g = program_.text;
        g += std::string(code) + " " + word(a[0], p.x) + " " + word(a[1], p.y) + " " + word(a[2], q.x) + " " +
             word(a[3], q.y);
        if (feed > 0.0) g += " F" + gcodeNumber(feed);
        g += "\n";
        program_.path.moves.push_back({code[1] == '0' ? MoveKind::Travel : MoveKind::Cut, p, q});
    }
    void travelTo(Vec2 p, Vec2 q) {
        line("G0", p, q, 0.0);
        atP_ = p;
        atQ_ = q;
    }
    // A cutting move at the speed that gives the faster end the feed, taken
    // as the controller takes F: along the length of all four axes at once.
    void cut(Vec2 p, Vec2 q) {
        // The lengths the controller sees: between the positions as written.
        p = Vec2{gcodeRounded(p.x), gcodeRounded(p.y)};
        q = Vec2{gcodeRounded(q.x), gcodeRounded(q.y)};
        const double dp = std::hypot(p.x - atP_.x, p.y - atP_.y);
        const double dq = std::hypot(q.x - atQ_.x, q.y - atQ_.y);
        const double faster = std::max(dp, dq);
        if (!(faster > 0.0)) return;
        line("G1", p, q, settings_.feed * std::hypot(dp, dq) / faster);
        atP_ = p;
        atQ_ = q;
    }

private:
    HotwireProgram& program_;
    const HotwireSettings& settings_;
    Vec2 atP_{0.0, 0.0}, atQ_{0.0, 0.0};
};

void writeCore(HotwireProgram& program, const TowerEnds& ends, const HotwireSettings& settings, double safe) {
    const Vec2 shift = program.offset;
    auto placed = [&](Vec2 p) { return Vec2{p.x + shift.x, p.y + shift.y}; };
    std::string& g = program.text;
    g += "G21\nG90\n";
    const Vec2 entryP = placed(ends.entryLeft), entryQ = placed(ends.entryRight);
    program.path.start = program.path.startSecond = Vec2{0.0, 0.0};
    CoreWriter out(program, settings);
    // From the origin straight up in front of the block, across above it,
    // and the same way back at the end: travel never passes through the foam.
    out.travelTo(Vec2{0.0, safe}, Vec2{0.0, safe});
    out.travelTo(Vec2{entryP.x, safe}, Vec2{entryQ.x, safe});
    if (settings.heat > 0.0)
        g += "M3 S" + std::to_string(std::min(std::lround(settings.sMax * settings.heat / 100.0),
                                              std::lround(std::floor(settings.sMax)))) +
             "\n";
    out.cut(entryP, entryQ);
    for (std::size_t i = 0; i < ends.left.size(); ++i) out.cut(placed(ends.left[i]), placed(ends.right[i]));
    out.cut(entryP, entryQ);
    out.cut(Vec2{entryP.x, safe}, Vec2{entryQ.x, safe});
    if (settings.heat > 0.0) g += "M5\n";
    out.travelTo(Vec2{0.0, safe}, Vec2{0.0, safe});
    out.travelTo(Vec2{0.0, 0.0}, Vec2{0.0, 0.0});
    g += "M2\n";
}

} // namespace

HotwireProgram hotwireProgram(const CoreSections& core, const HotwireSettings& settings, bool rootAtLeft,
                              const std::string& title) {
    HotwireProgram program;
    if (core.root.size() < 3 || core.tip.size() < 3 || !finite(core.root) || !finite(core.tip) ||
        !std::isfinite(core.span) || !(core.span > 0.0) || core.span > kLargest) {
        program.error = "The panel's sections or span cannot be cut (too few points, or not finite numbers).";
        return program;
    }
    if (const SettingProblem problem = hotwireSettingsProblem(settings, core.span)) {
        program.error = problem.message;
        return program;
    }
    const Polygon root = grownSection(core.root, settings.kerfRoot / 2.0);
    const Polygon tip = grownSection(core.tip, settings.kerfTip / 2.0);
    if (root.size() < 3 || tip.size() < 3) {
        program.error = "The panel's sections have no area to cut.";
        return program;
    }
    const auto [rootLoop, tipLoop] = matchedLoops(root, tip);

    // Along the wire: the left tower at 0, the right one at the tower distance.
    const double L = settings.towerDistance;
    const double near = std::isnan(settings.panelOffset) ? (L - core.span) / 2.0 : settings.panelOffset;
    program.rootZ = rootAtLeft ? near : near + core.span;
    program.tipZ = rootAtLeft ? near + core.span : near;
    const TowerEnds ends = towerEnds(rootLoop, tipLoop, program.rootZ, program.tipZ, L, settings.lead);
    double safe = 0.0;
    if (!placeCore(program, ends, settings, safe)) return program;
    program.text = coreComments(program, settings, rootAtLeft, title, rootLoop.size() - 1);
    writeCore(program, ends, settings, safe);
    return program;
}

} // namespace parvelin::machine
