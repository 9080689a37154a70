// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CamberLine.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace parvelin {
namespace {

// One surface as a walk from the nose aft.
struct Surface {
    std::vector<CamberPoint> points;

    double minX() const {
        double m = points.front().x;
        for (const CamberPoint& p : points) m = std::min(m, p.x);
        return m;
    }
    double maxX() const {
        double m = points.front().x;
        for (const CamberPoint& p : points) m = std::max(m, p.x);
        return m;
    }

    // The height where the walk first crosses x, or nothing when it never does.
    std::optional<double> heightAt(double x) const {
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const CamberPoint& a = points[i];
            const CamberPoint& b = points[i + 1];
            if (x == a.x) return a.y;
            if (x == b.x) return b.y;
            if ((a.x < x && x < b.x) || (b.x < x && x < a.x)) return a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y);
        }
        return std::nullopt;
    }
};

} // namespace

std::vector<SurfaceStation> surfaceStations(AirfoilPoints points) {
    // A list that closes on its first point: the closing point belongs to
    // the upper surface, not to the lower one.
    std::size_t end = points.size();
    if (end > 1 && points[end - 1].modelX == points[0].modelX && points[end - 1].modelY == points[0].modelY) --end;
    if (end < 3) return {};
    std::size_t nose = 0;
    for (std::size_t i = 1; i < end; ++i)
        if (points[i].modelX < points[nose].modelX) nose = i;
    if (nose == 0 || nose + 1 == end) return {};

    Surface upper;
    Surface lower;
    for (std::size_t i = nose + 1; i-- > 0;) upper.points.push_back({points[i].modelX, points[i].modelY});
    for (std::size_t i = nose; i < end; ++i) lower.points.push_back({points[i].modelX, points[i].modelY});

    const double from = std::max(upper.minX(), lower.minX());
    const double to = std::min(upper.maxX(), lower.maxX());
    std::vector<double> stations;
    for (const Surface* s : {&upper, &lower})
        for (const CamberPoint& p : s->points)
            if (p.x >= from && p.x <= to) stations.push_back(p.x);
    std::sort(stations.begin(), stations.end());
    stations.erase(std::unique(stations.begin(), stations.end()), stations.end());

    std::vector<SurfaceStation> heights;
    heights.reserve(stations.size());
    for (double x : stations) {
        const std::optional<double> top = upper.heightAt(x);
        const std::optional<double> bottom = lower.heightAt(x);
        if (top && bottom) heights.push_back({x, *top, *bottom});
    }
    return heights;
}

std::vector<CamberPoint> camberLine(AirfoilPoints points) {
    std::vector<CamberPoint> line;
    for (const SurfaceStation& s : surfaceStations(points)) line.push_back({s.x, (s.upper + s.lower) / 2.0});
    return line;
}

} // namespace parvelin
