// SPDX-License-Identifier: GPL-3.0-or-later
// The rib's cut outline over every real airfoil of the corpus and many
// builds of it: one closed simple polygon inside the airfoil, the airfoil
// itself when nothing is built, smaller whenever something removes material.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "components/AirfoilBoundary.h"
#include "clip/CutOutline.h"
#include "geom/Polygon.h"
#include "document/AirfoilDocument.h"

using namespace parvelin;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> corpusFiles() {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Two segments that cross: each has its ends on opposite sides of the
// other's line, by more than the outline's integer grid (1e-8 chord), so a
// corner left on another edge by that rounding does not count.
bool segmentsCross(const ModelPoint& a, const ModelPoint& b, const ModelPoint& c, const ModelPoint& d) {
    auto side = [](const ModelPoint& o, const ModelPoint& p, const ModelPoint& q) {
        const double length = std::hypot(p.x - o.x, p.y - o.y);
        const double distance = ((p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x)) / length;
        return distance > 1e-8 ? 1 : distance < -1e-8 ? -1 : 0;
    };
    const int s1 = side(c, d, a), s2 = side(c, d, b), s3 = side(a, b, c), s4 = side(a, b, d);
    return s1 * s2 < 0 && s3 * s4 < 0;
}

// The first pair of edges that cross, as "i j", or empty.
std::string firstSelfCrossing(const ModelPolygon& p) {
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;  // neighbours round the closing corner
            if (segmentsCross(p[i], p[(i + 1) % n], p[j], p[(j + 1) % n]))
                return std::to_string(i) + " " + std::to_string(j);
        }
    return {};
}

// Distance from q to the edges of a closed polygon.
double edgeDistance(const ModelPolygon& polygon, const ModelPoint& q) {
    double best = INFINITY;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ModelPoint& a = polygon[i];
        const ModelPoint& b = polygon[(i + 1) % polygon.size()];
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        const double t = len2 > 0.0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(a.x + t * dx - q.x, a.y + t * dy - q.y));
    }
    return best;
}

// Even-odd rule: q lies inside the closed polygon.
bool insidePolygon(const ModelPolygon& polygon, const ModelPoint& q) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const ModelPoint& a = polygon[i];
        const ModelPoint& b = polygon[j];
        if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

// What every component says it removes is gone from the cut: no corner of
// the outline lies inside a removed region, and each spar notch's floor
// (the region's edge inside the rib) is a run of the outline when the rib
// is whole and unsheeted.
void checkRemovedRegions(const AirfoilDocument& doc, const CutOutline& cut, bool unsheeted, const std::string& where) {
    for (const OutlineComponent* component : std::initializer_list<const OutlineComponent*>{
             &doc.leadingEdge(), &doc.trailingEdge(), &doc.spars(), &doc.sheeting()})
        for (const ModelPolygon& region : component->removedRegions())
            for (const ModelPoint& q : cut.outline)
                ASSERT_FALSE(insidePolygon(region, q) && edgeDistance(region, q) > 1e-7)
                    << where << ": outline corner " << q.x << ", " << q.y << " inside a removed region";
    if (cut.pieces != 1 || !unsheeted) return;
    for (const ModelPolygon& notch : doc.spars().removedRegions()) {
        ASSERT_EQ(notch.size(), 4u) << where;
        // modelRectangle's corners: the floor is the lower edge of a notch
        // hanging from the top, the upper edge of one standing on the bottom.
        const bool hanging = notch[2].y > 1.0;
        const double floor = hanging ? notch[0].y : notch[2].y;
        for (const double x : {notch[0].x, notch[1].x}) {
            double nearest = INFINITY;
            for (const ModelPoint& q : cut.outline) nearest = std::min(nearest, std::hypot(q.x - x, q.y - floor));
            EXPECT_LT(nearest, 1e-7) << where << ": notch floor corner " << x << ", " << floor << " not on the outline";
        }
    }
}

struct Styles {
    int leading, spar, trailing, sheeting;
};

// 60 builds: every style of each component alone, and mixes of them.
std::vector<Styles> styleSet() {
    std::vector<Styles> set;
    for (int le = 0; le <= 4; ++le)
        for (int spar = 0; spar <= 2; ++spar)
            for (int te = 0; te <= 3; ++te) set.push_back({le, spar, te, (le + spar + te) % 5});
    return set;
}

} // namespace

TEST(CutOutline, EveryCorpusAirfoilUnderManyBuildsIsOneSimplePolygonInsideIt) {
    int files = 0;
    int ribs = 0;
    int split = 0;
    int consumed = 0;
    for (const fs::path& file : corpusFiles()) {
        const CoordinateFileContents contents = readCoordinateFile(file.string());
        if (contents.status != ReadStatus::Loaded) continue;
        ++files;
        AirfoilDocument doc;
        doc.takeContents(contents);
        const AirfoilBoundary airfoil(doc.points());
        double airfoilArea = 0.0;
        for (const Styles& s : styleSet())
            for (float chord : {100.0f, 200.0f}) {
                RibProperties p = kDefaultRibProperties;
                p.chord = chord;
                p.leadingEdgeStyle = s.leading;
                p.sparStyle = s.spar;
                p.trailingEdgeStyle = s.trailing;
                p.sheetingStyle = s.sheeting;
                doc.applyProperties(p);
                const std::string where = file.filename().string() + " chord " + std::to_string(chord) + " styles " +
                                          std::to_string(s.leading) + std::to_string(s.spar) +
                                          std::to_string(s.trailing) + std::to_string(s.sheeting);
                const CutOutline cut = doc.cutOutline();
                ++ribs;
                if (cut.pieces == 0) {
                    // Sheeting both surfaces of a section thinner than two
                    // sheets (and notches) takes all of it; nothing else may.
                    EXPECT_GE(s.sheeting, 3) << where;
                    EXPECT_TRUE(cut.outline.empty()) << where;
                    ++consumed;
                    continue;
                }
                ASSERT_GE(cut.outline.size(), 3u) << where;
                split += cut.pieces > 1;
                EXPECT_EQ(cut.holes, 0) << where;
                checkRemovedRegions(doc, cut, s.sheeting == 0, where);
                const double area = geom::signedArea(cut.outline);
                EXPECT_GT(area, 0.0) << where;  // counter-clockwise
                EXPECT_EQ(firstSelfCrossing(cut.outline), "") << where;
                for (const ModelPoint& q : cut.outline)
                    ASSERT_TRUE(airfoil.contains(q.x, q.y, 2e-8)) << where << " at " << q.x << ", " << q.y;

                const bool removes = !doc.leadingEdge().outline().empty() || !doc.trailingEdge().outline().empty() ||
                                     !doc.spars().outline().empty() || doc.sheeting().isBuilt();
                if (!removes) {
                    // Nothing built: the outline is the airfoil's own, corner for
                    // corner (Clipper drops only corners on a straight line).
                    airfoilArea = area;
                    for (const ModelPoint& q : cut.outline)
                        EXPECT_LT(airfoil.distance(q.x, q.y), 1e-8) << where;
                    double shoelace = 0.0;
                    const std::vector<AirfoilPoint>& pts = doc.points();
                    for (std::size_t i = 0; i < pts.size(); ++i) {
                        const AirfoilPoint& a = pts[i];
                        const AirfoilPoint& b = pts[(i + 1) % pts.size()];
                        shoelace += static_cast<double>(a.modelX) * b.modelY - static_cast<double>(b.modelX) * a.modelY;
                    }
                    EXPECT_NEAR(area, std::fabs(shoelace) / 2.0, 1e-6) << where;
                } else if (airfoilArea > 0.0) {
                    EXPECT_LT(area, airfoilArea - 1e-7) << where;
                }

                // The rib never reaches past the trailing-edge cut or ahead of
                // the nose block, and without sheeting (which can take the
                // tail of a thin section) a rib in one piece ends exactly
                // there.
                double front = cut.outline[0].x, back = front;
                for (const ModelPoint& q : cut.outline) {
                    front = std::min(front, q.x);
                    back = std::max(back, q.x);
                }
                if (s.trailing == 3 && !doc.trailingEdge().outline().empty()) {
                    const ComponentOutline& te = doc.trailingEdge().outline();
                    EXPECT_LE(back, te[0].modelX + 1e-8) << where;
                    if (cut.pieces == 1 && s.sheeting == 0) {
                        EXPECT_NEAR(back, te[0].modelX, 1e-8) << where;
                    }
                }
                if (s.leading == 3 && !doc.leadingEdge().outline().empty()) {
                    const ComponentOutline& le = doc.leadingEdge().outline();
                    EXPECT_GE(front, le[0].modelX - 1e-8) << where;
                    if (cut.pieces == 1 && s.sheeting == 0) {
                        EXPECT_NEAR(front, le[0].modelX, 1e-8) << where;
                    }
                }
            }
    }
    EXPECT_GE(files, 30);
    EXPECT_EQ(ribs, files * 120);
    // Said plainly rather than asserted: how many ribs the components cut
    // into more than one piece (the largest is the outline).
    std::printf("cut outline: %d ribs, %d split into pieces, %d taken whole by the sheeting\n", ribs, split,
                consumed);
    // Most builds leave the rib whole. The others are thin sections whose
    // notches or sheeting meet, and noses tighter than the sheeting where
    // its cut lines cross and slice off the tip.
    EXPECT_LT(consumed + split, ribs / 4);
}

TEST(CutOutline, GrowingKeepsTheDistanceAllRound) {
    // A 1 x 0.1 rectangle grown by 0.01: its box grows by 0.01 each side,
    // its area by the perimeter times 0.01 plus the rounded corners' circle.
    const ModelPolygon box{{0, 0}, {1, 0}, {1, 0.1}, {0, 0.1}};
    for (double d : {0.001, 0.01, 0.05}) {
        const ModelPolygon grown = grownOutline(box, d);
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (const ModelPoint& q : grown) {
            x0 = std::min(x0, q.x), x1 = std::max(x1, q.x), y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
        }
        EXPECT_NEAR(x0, -d, 1e-8);
        EXPECT_NEAR(x1, 1 + d, 1e-8);
        EXPECT_NEAR(y0, -d, 1e-8);
        EXPECT_NEAR(y1, 0.1 + d, 1e-8);
        // The rounded corners are polygons within 1e-6 chord of the arc.
        EXPECT_NEAR(geom::signedArea(grown), 0.1 + 2.2 * d + std::acos(-1.0) * d * d, 1e-4 * d);
    }
    EXPECT_TRUE(grownOutline({}, 0.01).empty());
    EXPECT_TRUE(grownOutline(box, std::nan("")).empty());
}
