// SPDX-License-Identifier: GPL-3.0-or-later
// What every command that makes a wing's parts reads first: a rib design's
// wing with the job's settings over its properties.
#include <cstdio>

#include "cli/Commands.h"
#include "document/RibDesignFile.h"
#include "wing/WingDesign.h"

namespace parvelin::cli {

std::vector<AirfoilPoint> pointsOf(const std::vector<CoordinatePair>& pairs) {
    std::vector<AirfoilPoint> points;
    points.reserve(pairs.size());
    for (const CoordinatePair& p : pairs) {
        AirfoilPoint point;
        point.modelX = p.modelX;
        point.modelY = p.modelY;
        points.push_back(point);
    }
    return points;
}

int readDesignWing(const JobOptions& job, DesignWing& out) {
    if (job.import || !isRibDesignPath(job.input)) return -1;
    wing::WingDesignRead read = wing::readDesignWithWing(job.input);
    if (!read.rib.loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.rib.error.c_str());
        return 1;
    }
    if (!read.wing) return -1;
    out.properties = read.rib.design.properties;
    if (const int status = applyJobSettings(job.settings, out.properties); status != 0) return status;
    out.panel = read.wing->panel;
    // The tip's washout is the design's washout field, as in the program.
    out.panel.washout = out.properties.washout;
    out.name = read.rib.design.name;
    out.root = pointsOf(read.rib.design.points);
    out.tip = pointsOf(read.wing->tipPoints);
    out.tipName = read.wing->tipPoints.empty() ? std::string() : read.wing->tipName;
    return 0;
}

} // namespace parvelin::cli
