// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/AirfoilBlend.h"

#include <cmath>

#include "wing/AirfoilSurfaces.h"
#include "geom/Constants.h"

namespace parvelin::wing {
namespace {

// Points of a run at the given fractions of its chordwise extent.
std::vector<Vec2> sampleRun(const std::vector<Vec2>& run, const std::vector<double>& stations) {
    std::vector<Vec2> samples;
    samples.reserve(stations.size());
    const double x0 = run.front().x;
    const double x1 = run.back().x;
    for (double s : stations) {
        const double x = s == 1.0 ? x1 : x0 + s * (x1 - x0);
        samples.push_back(Vec2{x, heightAt(run, x)});
    }
    // The ends are the run's own points, not a re-interpolation of them. A
    // blunt nose (the nose and the next point at the same x) starts the run
    // at the foot of that upright edge, so the edge is kept.
    std::size_t front = 0;
    while (front + 1 < run.size() && run[front + 1].x == run.front().x) ++front;
    samples.front() = run[front];
    samples.back() = run.back();
    return samples;
}

std::vector<Vec2> mix(const std::vector<Vec2>& a, const std::vector<Vec2>& b, double t) {
    std::vector<Vec2> m(a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        m[i] = Vec2{(1.0 - t) * a[i].x + t * b[i].x, (1.0 - t) * a[i].y + t * b[i].y};
    return m;
}

AirfoilPoint point(const Vec2& v) {
    AirfoilPoint p;
    p.modelX = static_cast<float>(v.x);
    p.modelY = static_cast<float>(v.y);
    return p;
}

} // namespace

std::vector<double> cosineStations(int count) {
    std::vector<double> stations;
    if (count < 2) count = 2;
    stations.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        stations.push_back((1.0 - std::cos(geom::kPi * k / (count - 1))) * 0.5);
    stations.front() = 0.0;
    stations.back() = 1.0;
    return stations;
}

std::vector<AirfoilPoint> blendAirfoils(AirfoilPoints root, AirfoilPoints tip, double t, int stations) {
    if (tip.size() < 2) return {root.begin(), root.end()};
    if (root.size() < 2) return {tip.begin(), tip.end()};
    const AirfoilSurfaces a = splitSurfaces(root);
    const AirfoilSurfaces b = splitSurfaces(tip);
    const std::vector<double> s = cosineStations(stations);
    const std::vector<Vec2> upper = mix(sampleRun(a.upper, s), sampleRun(b.upper, s), t);
    const std::vector<Vec2> lower = mix(sampleRun(a.lower, s), sampleRun(b.lower, s), t);
    // In the root's order: its first surface from the trailing edge to the
    // nose, then the other one back; a nose both runs share is written once.
    const std::vector<Vec2>& first = a.upperFirst ? upper : lower;
    const std::vector<Vec2>& second = a.upperFirst ? lower : upper;

    std::vector<AirfoilPoint> blended;
    blended.reserve(upper.size() + lower.size());
    for (std::size_t i = first.size(); i-- > 0;) blended.push_back(point(first[i]));
    for (std::size_t i = second.front() == first.front() ? 1 : 0; i < second.size(); ++i)
        blended.push_back(point(second[i]));
    const bool ends = blended.back().modelX == blended.front().modelX && blended.back().modelY == blended.front().modelY;
    if (a.closed && !ends) blended.push_back(blended.front());
    return blended;
}

} // namespace parvelin::wing
