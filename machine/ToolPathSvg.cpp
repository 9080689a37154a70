// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/ToolPathSvg.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geom/Polygon.h"
#include "text/SvgWriter.h"

namespace parvelin::machine {
namespace {

// The picture's extent takes in the machine's origin.
using Extent = geom::Box;

std::string n(double v) { return gcodeNumber(v); }

// Opening of the picture: the extent with a margin, y flipped so the
// machine's origin sits at the lower left.
void opening(SvgWriter& svg, Extent e, const PreviewArea& area, bool areaInView, const std::string& title) {
    if (areaInView && area.width > 0.0) e.add(Vec2{area.width, 0.0});
    if (areaInView && area.height > 0.0) e.add(Vec2{0.0, area.height});
    const double margin = 0.02 * std::max({e.maxX - e.minX, e.maxY - e.minY, 1.0});
    const double x0 = e.minX - margin, y0 = e.minY - margin;
    const double w = e.maxX - e.minX + 2 * margin, h = e.maxY - e.minY + 2 * margin;
    svg.open({x0, -(y0 + h), w, h, n(w) + "mm", n(h) + "mm"});
    svg.title(title);
    svg.element("rect", {{"x", n(x0)}, {"y", n(-(y0 + h))}, {"width", n(w)}, {"height", n(h)}, {"fill", "#ffffff"}});
    svg.openGroup({{"transform", "scale(1 -1)"}, {"fill", "none"}, {"stroke-linejoin", "round"}, {"stroke-linecap", "round"}});
    if (area.width > 0.0 && area.height > 0.0)
        svg.element("rect", {{"x", "0"}, {"y", "0"}, {"width", n(area.width)}, {"height", n(area.height)},
                             {"stroke", "#b0b0b0"}, {"stroke-width", n(margin * 0.1)}});
}

// The moves of one end as polylines: runs of cuts in `colour`, each travel
// move as its own dashed grey line.
void endPaths(SvgWriter& svg, const ToolPath& path, bool second, const std::string& colour, double stroke) {
    Vec2 at = second ? path.startSecond : path.start;
    std::string run;
    auto flush = [&]() {
        if (!run.empty()) svg.element("path", {{"stroke", colour}, {"stroke-width", n(stroke)}, {"d", run}});
        run.clear();
    };
    for (const PathMove& m : path.moves) {
        const Vec2 to = second ? m.toSecond : m.to;
        if (m.kind == MoveKind::Travel) {
            flush();
            svg.element("line", {{"x1", n(at.x)}, {"y1", n(at.y)}, {"x2", n(to.x)}, {"y2", n(to.y)}, {"stroke", "#909090"},
                                 {"stroke-width", n(stroke)}, {"stroke-dasharray", n(stroke * 6) + " " + n(stroke * 4)}});
        } else {
            if (run.empty()) run = "M" + n(at.x) + " " + n(at.y);
            run += " L" + n(to.x) + " " + n(to.y);
        }
        at = to;
    }
    flush();
}

Extent extentOf(const ToolPath& path, bool both) {
    Extent e;
    e.add(path.start);
    if (both) e.add(path.startSecond);
    for (const PathMove& m : path.moves) {
        e.add(m.to);
        if (both) e.add(m.toSecond);
    }
    return e;
}

} // namespace

std::string laserPreviewSvg(const ToolPath& path, const PreviewArea& area, const std::string& title) {
    const Extent e = extentOf(path, false);
    const double stroke = 0.002 * std::max({e.maxX - e.minX, e.maxY - e.minY, area.width, area.height, 1.0});
    SvgWriter svg(n);
    opening(svg, e, area, true, title);
    endPaths(svg, path, false, "#e00000", stroke);
    svg.closeGroup();
    svg.close();
    return svg.text();
}

std::string hotwirePreviewSvg(const ToolPath& path, const PreviewArea& travel, const std::string& title) {
    const Extent e = extentOf(path, true);
    const double stroke = 0.002 * std::max({e.maxX - e.minX, e.maxY - e.minY, 1.0});
    // The profiles fill the picture; the edge of the travel shows where it is near.
    SvgWriter svg(n);
    opening(svg, e, travel, false, title);
    endPaths(svg, path, false, "#e00000", stroke);
    endPaths(svg, path, true, "#0040e0", stroke);
    // Where each end starts cutting.
    for (const PathMove& m : path.moves) {
        if (m.kind != MoveKind::Cut) continue;
        svg.element("circle", {{"cx", n(m.to.x)}, {"cy", n(m.to.y)}, {"r", n(stroke * 3)}, {"stroke", "#e00000"},
                               {"stroke-width", n(stroke)}});
        svg.element("circle", {{"cx", n(m.toSecond.x)}, {"cy", n(m.toSecond.y)}, {"r", n(stroke * 3)},
                               {"stroke", "#0040e0"}, {"stroke-width", n(stroke)}});
        break;
    }
    svg.closeGroup();
    svg.close();
    return svg.text();
}

} // namespace parvelin::machine
