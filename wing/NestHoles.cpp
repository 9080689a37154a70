// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/NestHoles.h"

#include <algorithm>
#include <cmath>

#include "wing/ClipperPaths.h"

namespace parvelin::wing {
namespace {

// Whether `inner` lies wholly inside `outer` (Clipper paths).
bool liesInside(const ClipperLib::Path& inner, const ClipperLib::Path& outer) {
    ClipperLib::Clipper clipper;
    clipper.AddPath(inner, ClipperLib::ptSubject, true);
    clipper.AddPath(outer, ClipperLib::ptClip, true);
    ClipperLib::Paths outside;
    clipper.Execute(ClipperLib::ctDifference, outside, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    double area = 0.0;
    for (const ClipperLib::Path& p : outside) area += std::fabs(ClipperLib::Area(p));
    return area <= 1.0;  // a square ten-thousandth of the unit: rounding only
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
            if (path.size() < 3 || !layable(path)) continue;
            ClipperLib::ClipperOffset shrink;
            shrink.AddPath(toPath(path), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
            shrink.ArcTolerance = 0.01 * kClipperScale;
            ClipperLib::Paths rooms;
            shrink.Execute(rooms, -gap * kClipperScale);
            for (const ClipperLib::Path& room : rooms) {
                const Polygon roomPolygon = fromPath(room);
                const Box box = bounds(roomPolygon);
                bool filled = false;
                for (const std::size_t guest : largestFirst) {
                    if (filled) break;
                    if (guest == host || taken[guest] || !parts[guest].holes.empty() || !layable(cut[guest])) continue;
                    for (const Pose& pose : poses) {
                        if (filled) break;
                        const Polygon posedPath = posed(cut[guest], pose);
                        const Box own = bounds(posedPath);
                        if (own.width() > box.width() || own.height() > box.height()) continue;
                        // Rows a twentieth of the room apart, from its lower left.
                        const double stepX = std::max(box.width() / 20.0, 1e-6);
                        const double stepY = std::max(box.height() / 20.0, 1e-6);
                        for (double y = box.minY; !filled && y + own.height() <= box.maxY + 1e-9; y += stepY)
                            for (double x = box.minX; !filled && x + own.width() <= box.maxX + 1e-9; x += stepX) {
                                const Vec2 offset{x - own.minX, y - own.minY};
                                if (!liesInside(toPath(translated(posedPath, offset.x, offset.y)), room)) continue;
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
