// SPDX-License-Identifier: GPL-3.0-or-later
#include "cut/CutMarks.h"

#include <algorithm>
#include <cmath>

namespace parvelin {
namespace {

// Liang-Barsky: whether the open segment a-b passes through the open box.
bool segmentEntersBox(ModelPoint a, ModelPoint b, double left, double bottom, double right, double top) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - left, right - a.x, a.y - bottom, top - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] <= 0.0) return false;  // parallel to this side and outside it (or on it)
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 >= t1) return false;
    }
    return true;
}

// The spans of the vertical line at `x` that lie inside the polygon, as
// (bottom, top) pairs from the lowest up.
std::vector<std::pair<double, double>> insideSpans(const ModelPolygon& polygon, double x) {
    std::vector<double> ys;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ModelPoint& a = polygon[i];
        const ModelPoint& b = polygon[(i + 1) % polygon.size()];
        if ((a.x <= x) == (b.x <= x)) continue;
        ys.push_back(a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y));
    }
    std::sort(ys.begin(), ys.end());
    std::vector<std::pair<double, double>> spans;
    for (std::size_t i = 0; i + 1 < ys.size(); i += 2) spans.emplace_back(ys[i], ys[i + 1]);
    return spans;
}

} // namespace

bool pointInside(const ModelPolygon& polygon, ModelPoint point) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const ModelPoint& a = polygon[i];
        const ModelPoint& b = polygon[j];
        if ((a.y > point.y) != (b.y > point.y) && point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

bool boxInside(const ModelPolygon& polygon, double left, double bottom, double right, double top) {
    if (polygon.size() < 3 || !(left < right) || !(bottom < top)) return false;
    if (!pointInside(polygon, {0.5 * (left + right), 0.5 * (bottom + top)})) return false;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ModelPoint& a = polygon[i];
        const ModelPoint& b = polygon[(i + 1) % polygon.size()];
        if (segmentEntersBox(a, b, left, bottom, right, top)) return false;
    }
    return true;
}

std::vector<std::pair<ModelPoint, ModelPoint>> clipSegment(const ModelPolygon& polygon, ModelPoint a, ModelPoint b) {
    std::vector<std::pair<ModelPoint, ModelPoint>> kept;
    if (polygon.size() < 3) return kept;
    // Every crossing of the segment with an edge, as a parameter along it.
    std::vector<double> ts{0.0, 1.0};
    const double dx = b.x - a.x, dy = b.y - a.y;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ModelPoint& p = polygon[i];
        const ModelPoint& q = polygon[(i + 1) % polygon.size()];
        const double ex = q.x - p.x, ey = q.y - p.y;
        const double denominator = dx * ey - dy * ex;
        if (denominator == 0.0) continue;
        const double t = ((p.x - a.x) * ey - (p.y - a.y) * ex) / denominator;
        const double u = ((p.x - a.x) * dy - (p.y - a.y) * dx) / denominator;
        if (t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0) ts.push_back(t);
    }
    std::sort(ts.begin(), ts.end());
    auto at = [&](double t) { return ModelPoint{a.x + t * dx, a.y + t * dy}; };
    for (std::size_t i = 0; i + 1 < ts.size(); ++i) {
        if (!(ts[i + 1] > ts[i])) continue;
        if (!pointInside(polygon, at(0.5 * (ts[i] + ts[i + 1])))) continue;
        // Pieces that meet at a crossing of no consequence are joined again.
        if (!kept.empty() && kept.back().second == at(ts[i]))
            kept.back().second = at(ts[i + 1]);
        else
            kept.emplace_back(at(ts[i]), at(ts[i + 1]));
    }
    return kept;
}

LabelPlace placeLabelInside(const ModelPolygon& outline, const std::vector<std::string>& forms, double largest,
                            double smallest) {
    LabelPlace place;
    if (outline.size() < 3 || !(largest > 0.0)) return place;
    double front = outline.front().x, back = front;
    for (const ModelPoint& p : outline) {
        front = std::min(front, p.x);
        back = std::max(back, p.x);
    }
    constexpr double kStations = 100.0;  // where a label may start along the chord
    for (const std::string& text : forms) {
        if (text.empty()) continue;
        for (double height = largest; height >= smallest * 0.999; height *= 0.85) {
            const double width = labelTextWidth(height, text.size());
            const double clearance = height / 3.0;
            double bestDepth = 0.0;
            for (int i = 0; i <= static_cast<int>(kStations); ++i) {
                const double left = front + (back - front) * i / kStations;
                const double right = left + width;
                if (right > back) break;
                // Centred in the deepest span of the outline at the label's middle.
                double low = 0.0, high = 0.0;
                for (const auto& [bottom, top] : insideSpans(outline, 0.5 * (left + right)))
                    if (top - bottom > high - low) low = bottom, high = top;
                const double depth = high - low;
                if (depth <= bestDepth || depth < height + 2.0 * clearance) continue;
                const double base = 0.5 * (low + high) - 0.5 * height;
                if (!boxInside(outline, left - clearance, base - clearance, right + clearance, base + height + clearance))
                    continue;
                bestDepth = depth;
                place = LabelPlace{text, {left, base}, height};
            }
            if (place.height > 0.0) return place;
        }
    }
    return place;
}

} // namespace parvelin
