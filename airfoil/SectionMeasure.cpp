// SPDX-License-Identifier: GPL-3.0-or-later
#include "airfoil/SectionMeasure.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace parvelin {
namespace {

struct Station {
    double x;
    double y;
};

// One surface as a walk from the nose aft.
struct Surface {
    std::vector<Station> points;

    double minX() const {
        double m = points.front().x;
        for (const Station& p : points) m = std::min(m, p.x);
        return m;
    }
    double maxX() const {
        double m = points.front().x;
        for (const Station& p : points) m = std::max(m, p.x);
        return m;
    }
    // The height where the walk first reaches x.
    std::optional<double> heightAt(double x) const {
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const Station& a = points[i];
            const Station& b = points[i + 1];
            if (x == a.x) return a.y;
            if (x == b.x) return b.y;
            if ((a.x < x && x < b.x) || (b.x < x && x < a.x)) return a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y);
        }
        return std::nullopt;
    }
};

} // namespace

std::optional<SectionMeasure> measureSection(const std::vector<CoordinatePair>& points) {
    // A list that closes on its first point: the closing point belongs to
    // the upper surface.
    std::size_t end = points.size();
    if (end > 1 && points[end - 1] == points[0]) --end;
    if (end < 3) return std::nullopt;
    for (std::size_t i = 0; i < end; ++i)
        if (!std::isfinite(points[i].modelX) || !std::isfinite(points[i].modelY)) return std::nullopt;
    std::size_t nose = 0;
    for (std::size_t i = 1; i < end; ++i)
        if (points[i].modelX < points[nose].modelX) nose = i;
    if (nose == 0 || nose + 1 == end) return std::nullopt;

    Surface upper;
    Surface lower;
    for (std::size_t i = nose + 1; i-- > 0;) upper.points.push_back({points[i].modelX, points[i].modelY});
    for (std::size_t i = nose; i < end; ++i) lower.points.push_back({points[i].modelX, points[i].modelY});

    const double from = std::max(upper.minX(), lower.minX());
    const double to = std::min(upper.maxX(), lower.maxX());
    std::vector<double> stations;
    for (const Surface* s : {&upper, &lower})
        for (const Station& p : s->points)
            if (p.x >= from && p.x <= to) stations.push_back(p.x);
    std::sort(stations.begin(), stations.end());
    stations.erase(std::unique(stations.begin(), stations.end()), stations.end());

    std::optional<SectionMeasure> measure;
    for (double x : stations) {
        const std::optional<double> top = upper.heightAt(x);
        const std::optional<double> bottom = lower.heightAt(x);
        if (!top || !bottom) continue;
        const double thickness = *top - *bottom;
        const double camber = (*top + *bottom) / 2.0;
        if (!measure) {
            measure = SectionMeasure{thickness, x, camber, x};
            continue;
        }
        if (thickness > measure->thickness) {
            measure->thickness = thickness;
            measure->thicknessAt = x;
        }
        if (std::fabs(camber) > std::fabs(measure->camber)) {
            measure->camber = camber;
            measure->camberAt = x;
        }
    }
    return measure;
}

} // namespace parvelin
