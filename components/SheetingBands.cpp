// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/SheetingBands.h"

#include <algorithm>
#include <utility>

#include "components/AirfoilBoundary.h"
#include "geom/Geometry.h"

namespace parvelin {
namespace {

ModelPoint at(const ComponentOutline& outline, std::size_t i) { return {outline[i].modelX, outline[i].modelY}; }

// Each drawn segment takes out the strip between itself and the outside
// straight above it (the upper line) or below it (the lower line). Strips
// are each simple, so where the lines of a section thinner than two sheets
// cross, their union takes the whole depth. A file that lists its lower
// surface first (it runs clockwise) has its "upper" line under that surface.
class BandBuilder {
public:
    BandBuilder(const ComponentOutline& line, std::size_t lowerLineStart, AirfoilPoints points)
        : o_(line), lowerStart_(lowerLineStart), clockwise_(geom::runsClockwise(points)), box_(outerBoxFor(points)) {}

    double outsideOf(std::size_t node) const {
        const bool upper = node < lowerStart_;
        return upper != clockwise_ ? box_.top : box_.bottom;
    }

    // Strips of neighbouring segments that run the same way along x towards
    // the same outside join into one region: the run of the line closed by
    // the outside. It is the union of its strips and simple (x only grows or
    // only shrinks along it), and one region in place of hundreds keeps the
    // difference quick.
    void addRuns() {
        for (std::size_t i = 1; i < o_.size(); ++i) {
            // The segment that joins the upper line's end to the lower line's
            // start runs across the rib, not along a surface: it takes nothing
            // (a strip under it would slice the nose off).
            const ModelPoint a = at(o_, i - 1), b = at(o_, i);
            if (o_[i].penDown != 1 || i == lowerStart_ || a.x == b.x) {  // upright segments take nothing either
                closeRun();
                continue;
            }
            const int direction = b.x > a.x ? 1 : -1;
            const double outside = outsideOf(i);
            if (run_.empty() || direction != runDirection_ || outside != runOutside_) {
                closeRun();
                run_.push_back(a);
                runDirection_ = direction;
                runOutside_ = outside;
            }
            run_.push_back(b);
        }
        closeRun();
    }

    // A line that starts (the upper one, from the trailing edge) or ends
    // (the lower one, towards it) where it crossed the opposite surface
    // leaves a tail thinner than the sheeting behind it: the sheeting takes
    // all of it, up to the trailing edge.
    void addTails(AirfoilPoints points) {
        if (o_.size() < 2) return;
        const AirfoilBoundary airfoil(points);
        auto tail = [&](std::size_t node) {
            const ModelPoint end = at(o_, node);
            if (end.x < 0.5 || airfoil.distance(end.x, end.y) > kOnOutlineTolerance) return;
            const double outside = outsideOf(node);
            regions_.push_back(modelRectangle(end.x, box_.right, std::min(end.y, outside), std::max(end.y, outside)));
        };
        std::size_t first = 1;
        while (first < o_.size() && o_[first].penDown != 1) ++first;
        if (first < o_.size()) tail(first - 1);
        if (o_.tail()->penDown == 1) tail(o_.size() - 1);
    }

    std::vector<ModelPolygon> take() { return std::move(regions_); }

private:
    void closeRun() {
        if (run_.size() >= 2) {
            const ModelPoint first = run_.front(), last = run_.back();
            run_.push_back({last.x, runOutside_});
            run_.push_back({first.x, runOutside_});
            regions_.push_back(std::move(run_));
        }
        run_.clear();
        runDirection_ = 0;
    }

    const ComponentOutline& o_;
    std::size_t lowerStart_;
    bool clockwise_;
    OuterBox box_;
    std::vector<ModelPolygon> regions_;
    ModelPolygon run_;
    int runDirection_ = 0;
    double runOutside_ = 0.0;
};

} // namespace

std::vector<ModelPolygon> sheetingBands(const ComponentOutline& line, std::size_t lowerLineStart, AirfoilPoints points) {
    if (line.empty()) return {};
    BandBuilder bands(line, lowerLineStart, points);
    bands.addRuns();
    bands.addTails(points);
    return bands.take();
}

} // namespace parvelin
