// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/NestHoles.h"

#include <algorithm>
#include <cmath>

#include "clip/Clipping.h"
#include "wing/Polygon.h"
#include "geom/Tolerances.h"

namespace parvelin::wing {
namespace {

// A part's path may stray outside a room by this area (square units, a
// square ten-thousandth of a millimetre): rounding only.
constexpr double kRoundingArea = 1e-8;
// A room's rounded corners keep within this of the true arc (units).
constexpr double kRoomArcTolerance = 0.01;
// The rows a guest is tried along stand at least this far apart (units), so
// that a room of no width still ends the search.
constexpr double kSmallestStep = 1e-6;

// Whether `inner` lies wholly inside `outer` (Clipper paths).
bool liesInside(const ClipperLib::Path& inner, const ClipperLib::Path& outer) {
    const clipping::Paths outside = clipping::combine(ClipperLib::ctDifference, {inner}, {outer});
    double area = 0.0;
    for (const clipping::Path& p : outside) area += std::fabs(ClipperLib::Area(p));
    return clipping::toSquareUnits(area, clipping::kLengthGrid) <= kRoundingArea;
}

} // namespace

// Found from the hole's lower left corner along rows; a part in a hole
// holds no guest.
std::vector<Guest> guestsInHoles(const std::vector<NestPart>& parts, const std::vector<Polygon>& cut,
                                 const std::vector<std::size_t>& largestFirst, const std::vector<Pose>& poses,
                                 double kerf, double gap) {
    std::vector<Guest> guests;
    std::vector<bool> taken(parts.size(), false);  // a guest, or a host of one
    for (const std::size_t host : largestFirst) {
        if (parts[host].holes.empty() || taken[host]) continue;
        for (const Polygon& hole : parts[host].holes) {
            const Polygon path = holeCutPath(hole, kerf);
            if (path.size() < 3 || !clipping::layable(path, clipping::kLengthGrid)) continue;
            const clipping::Paths rooms = clipping::offset({clipping::toPath(path, clipping::kLengthGrid)}, -gap, kRoomArcTolerance, clipping::kLengthGrid);
            for (const clipping::Path& room : rooms) {
                const Polygon roomPolygon = clipping::fromPath<Polygon>(room, clipping::kLengthGrid);
                const Box box = bounds(roomPolygon);
                bool filled = false;
                for (const std::size_t guest : largestFirst) {
                    if (filled) break;
                    if (guest == host || taken[guest] || !parts[guest].holes.empty() || !clipping::layable(cut[guest], clipping::kLengthGrid)) continue;
                    for (const Pose& pose : poses) {
                        if (filled) break;
                        const Polygon posedPath = posed(cut[guest], pose);
                        const Box own = bounds(posedPath);
                        if (own.width() > box.width() || own.height() > box.height()) continue;
                        // Rows a twentieth of the room apart, from its lower left.
                        const double stepX = std::max(box.width() / 20.0, kSmallestStep);
                        const double stepY = std::max(box.height() / 20.0, kSmallestStep);
                        for (double y = box.minY; !filled && y + own.height() <= box.maxY + geom::kFitSlack; y += stepY)
                            for (double x = box.minX; !filled && x + own.width() <= box.maxX + geom::kFitSlack; x += stepX) {
                                const Vec2 offset{x - own.minX, y - own.minY};
                                if (!liesInside(clipping::toPath(translated(posedPath, offset.x, offset.y), clipping::kLengthGrid), room)) continue;
                                guests.push_back(Guest{guest, host, pose, offset});
                                taken[guest] = taken[host] = true;
                                filled = true;
                            }
                    }
                }
            }
        }
    }
    return guests;
}

} // namespace parvelin::wing
