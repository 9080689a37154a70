// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/LaserGcode.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "machine/ToolPath.h"

namespace parvelin::machine {
namespace {

// Passes beyond this are taken as a typing error.
constexpr int kMaxPasses = 100;

bool finitePolygon(const Polygon& polygon) {
    for (const Vec2& p : polygon)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return true;
}

// Even-odd test of a point against a closed polygon.
bool inside(const Polygon& polygon, Vec2 p) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Vec2& a = polygon[i];
        const Vec2& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

double distance2(Vec2 a, Vec2 b) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y); }

std::size_t nearestCorner(const Polygon& polygon, Vec2 from) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < polygon.size(); ++i)
        if (distance2(polygon[i], from) < distance2(polygon[best], from)) best = i;
    return best;
}

} // namespace

SettingProblem laserSettingsProblem(const LaserSettings& s) {
    if (!std::isfinite(s.feed) || !(s.feed > 0.0)) return {"feed", "No feed: the cutting speed must be above 0 mm/min."};
    if (!std::isfinite(s.power) || !(s.power > 0.0) || s.power > 100.0)
        return {"power", "The power must lie above 0 and at most 100 % of the maximum S."};
    if (!std::isfinite(s.sMax) || !(s.sMax >= 1.0) || s.sMax > 1e6)
        return {"s-max", "The maximum S must be a number from 1 to 1000000."};
    // A power so low that S rounds to 0 would run the whole file with the beam off.
    if (laserS(s) < 1) return {"power", "The power is too low: at this maximum S it gives S0, and nothing would be cut."};
    if (s.passes < 1 || s.passes > kMaxPasses) return {"passes", "The passes must be a whole number from 1 to 100."};
    return {};
}

long laserS(const LaserSettings& s) {
    const long sMax = std::lround(std::floor(s.sMax));
    const long value = std::lround(s.sMax * s.power / 100.0);
    return value > sMax ? sMax : value;
}

namespace {

// Each contour's parent: the smallest contour holding its first corner (n
// for none).
std::vector<std::size_t> containingContours(const std::vector<Polygon>& contours) {
    const std::size_t n = contours.size();
    std::vector<double> areas(n);
    for (std::size_t i = 0; i < n; ++i) areas[i] = std::fabs(wing::signedArea(contours[i]));
    std::vector<std::size_t> parent(n, n);
    for (std::size_t i = 0; i < n; ++i) {
        if (contours[i].empty()) continue;
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i || contours[j].size() < 3 || !(areas[j] > areas[i])) continue;
            if (!inside(contours[j], contours[i].front())) continue;
            if (parent[i] == n || areas[j] < areas[parent[i]]) parent[i] = j;
        }
    }
    return parent;
}

// The distance (squared) from `at` to the nearest corner of a contour.
double cornerDistance2(const Polygon& contour, Vec2 at) { return distance2(at, contour[nearestCorner(contour, at)]); }

// Cuts the holes of a part, nearest first, each from its corner nearest the head.
void cutHoles(const std::vector<Polygon>& contours, std::vector<std::size_t> left, Vec2& at,
              std::vector<CutStep>& order) {
    while (!left.empty()) {
        std::size_t pick = 0;
        double pickDistance = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < left.size(); ++k) {
            const double d = cornerDistance2(contours[left[k]], at);
            if (d < pickDistance) {
                pickDistance = d;
                pick = k;
            }
        }
        const std::size_t h = left[pick];
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
        const std::size_t first = nearestCorner(contours[h], at);
        order.push_back({h, first});
        at = contours[h][first];
    }
}

} // namespace

std::vector<CutStep> laserCutOrder(const std::vector<Polygon>& contours) {
    const std::size_t n = contours.size();
    // Outlines have an even depth (0 for a part on its own), holes an odd one.
    const std::vector<std::size_t> parent = containingContours(contours);
    std::vector<int> depth(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t p = parent[i]; p != n && depth[i] <= static_cast<int>(n); p = parent[p]) ++depth[i];
    // A part: an outline and the holes directly inside it.
    std::vector<std::size_t> outlines;
    std::vector<std::vector<std::size_t>> holes(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (depth[i] % 2 == 0)
            outlines.push_back(i);
        else
            holes[parent[i]].push_back(i);
    }
    // A part waits for the parts inside its holes.
    std::vector<int> waiting(n, 0);
    for (const std::size_t o : outlines)
        if (parent[o] != n) ++waiting[parent[parent[o]]];

    std::vector<CutStep> order;
    std::vector<bool> done(n, false);
    Vec2 at{0.0, 0.0};
    for (std::size_t count = 0; count < outlines.size(); ++count) {
        std::size_t best = n;
        double bestDistance = std::numeric_limits<double>::infinity();
        for (const std::size_t o : outlines) {
            if (done[o] || waiting[o] > 0) continue;
            double d = cornerDistance2(contours[o], at);
            for (const std::size_t h : holes[o]) d = std::min(d, cornerDistance2(contours[h], at));
            if (d < bestDistance) {
                bestDistance = d;
                best = o;
            }
        }
        if (best == n) break;  // cannot happen: containment has no cycles
        // Its holes, nearest first, then the outline.
        cutHoles(contours, holes[best], at, order);
        const std::size_t first = nearestCorner(contours[best], at);
        order.push_back({best, first});
        at = contours[best][first];
        done[best] = true;
        if (parent[best] != n) --waiting[parent[parent[best]]];
    }
    return order;
}

LaserProgram laserProgram(const std::vector<Polygon>& contours, const LaserSettings& settings,
                          const std::string& title) {
    LaserProgram program;
    if (const SettingProblem problem = laserSettingsProblem(settings)) {
        program.error = problem.message;
        return program;
    }
    if (contours.empty()) {
        program.error = "There is nothing to cut.";
        return program;
    }
    for (const Polygon& c : contours) {
        if (c.size() < 3) {
            program.error = "A contour has fewer than three corners.";
            return program;
        }
        if (!finitePolygon(c)) {
            program.error = "A contour holds a coordinate that is not a finite number.";
            return program;
        }
    }

    const long s = laserS(settings);
    const std::string on = std::string(settings.constantPower ? "M3" : "M4") + " S" + std::to_string(s) + "\n";
    const std::string feed = gcodeNumber(settings.feed);
    std::string& g = program.text;
    std::string clean;
    for (char ch : title) clean += (ch == '\n' || ch == '\r' || ch == '(' || ch == ')') ? ' ' : ch;
    clean.erase(0, clean.find_first_not_of(' '));
    g += "; Parvelin laser cut: " + clean + "\n";
    g += "; " + std::to_string(contours.size()) + " contours, power " + gcodeNumber(settings.power) + " % (S" +
         std::to_string(s) + " of " + gcodeNumber(settings.sMax) + "), feed " + feed + " mm/min, " +
         std::to_string(settings.passes) + (settings.passes == 1 ? " pass" : " passes") + ", " +
         (settings.constantPower ? "constant power (M3)" : "dynamic power (M4)") + "\n";
    g += "G21\nG90\nM5\n";
    ToolPath& path = program.path;
    for (const CutStep& step : laserCutOrder(contours)) {
        const Polygon& c = contours[step.contour];
        const Vec2 first = c[step.first];
        g += "G0 X" + gcodeNumber(first.x) + " Y" + gcodeNumber(first.y) + "\n";
        path.moves.push_back({MoveKind::Travel, first, {}});
        g += on;
        bool feedGiven = false;
        for (int pass = 0; pass < settings.passes; ++pass) {
            for (std::size_t k = 1; k <= c.size(); ++k) {
                const Vec2 p = c[(step.first + k) % c.size()];
                g += "G1 X" + gcodeNumber(p.x) + " Y" + gcodeNumber(p.y);
                if (!feedGiven) g += " F" + feed;
                feedGiven = true;
                g += "\n";
                path.moves.push_back({MoveKind::Cut, p, {}});
            }
        }
        g += "M5\n";
    }
    g += "G0 X0 Y0\nM2\n";
    path.moves.push_back({MoveKind::Travel, {0.0, 0.0}, {}});
    return program;
}

} // namespace parvelin::machine
