// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "components/Sheeting.h"
#include "view/ComponentPainting.h"
#include "model/CoordinateFile.h"
#include "support/Recorders.h"

using namespace parvelin;
using parvelin::testing::RecordingWindow;
namespace fs = std::filesystem;

namespace {

using Points = std::vector<AirfoilPoint>;

Points makePoints(std::initializer_list<std::pair<float, float>> xy) {
    Points pts;
    for (auto [x, y] : xy) pts.push_back({x, y});
    return pts;
}

// A slab 0.2 chord thick with a straight wedge nose and a short taper at the
// trailing edge, in drawing order. Every station the tests use lies on a
// straight stretch, so the cut line's corners can be worked out by hand.
Points slab(float shift = 0.0f) {
    Points pts = makePoints({
        {1.0f, 0.02f}, {0.9f, 0.1f}, {0.82f, 0.1f}, {0.72f, 0.1f}, {0.62f, 0.1f}, {0.52f, 0.1f},
        {0.42f, 0.1f}, {0.32f, 0.1f}, {0.22f, 0.1f}, {0.1f, 0.1f}, {0.05f, 0.05f}, {0.02f, 0.02f},
        {0.01f, 0.01f}, {0.004f, 0.004f}, {0.0f, 0.0f}, {0.004f, -0.004f}, {0.01f, -0.01f},
        {0.02f, -0.02f}, {0.05f, -0.05f}, {0.1f, -0.1f}, {0.22f, -0.1f}, {0.32f, -0.1f},
        {0.42f, -0.1f}, {0.52f, -0.1f}, {0.62f, -0.1f}, {0.72f, -0.1f}, {0.82f, -0.1f},
        {0.9f, -0.1f}, {1.0f, -0.02f},
    });
    for (AirfoilPoint& p : pts) p.modelX += shift;
    return pts;
}

Points fromFile(const std::string& name) {
    const CoordinateFileContents c = readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/" + name);
    Points pts;
    for (const CoordinatePair& p : c.drawingOrder) pts.push_back({p.modelX, p.modelY});
    return pts;
}

RibProperties props(int sheeting, int spar = 0, int trailing = 0, int leading = 0) {
    RibProperties p = kDefaultRibProperties;
    p.sheetingStyle = sheeting;
    p.sparStyle = spar;
    p.trailingEdgeStyle = trailing;
    p.leadingEdgeStyle = leading;
    return p;
}

std::vector<OutlineSegment> sheet(const Points& pts, const RibProperties& p) {
    Sheeting s;
    s.compute(pts, p);
    return {s.outline().begin(), s.outline().end()};
}

bool finite(const OutlineSegment& n) { return std::isfinite(n.modelX) && std::isfinite(n.modelY); }

// The node of the outline nearest to (x, y).
const OutlineSegment* nearest(const std::vector<OutlineSegment>& out, double x, double y) {
    const OutlineSegment* best = nullptr;
    double bestDistance = 1e30;
    for (const OutlineSegment& n : out) {
        const double d = std::hypot(n.modelX - x, n.modelY - y);
        if (d < bestDistance) {
            bestDistance = d;
            best = &n;
        }
    }
    return best;
}

void expectNodeAt(const std::vector<OutlineSegment>& out, double x, double y) {
    const OutlineSegment* n = nearest(out, x, y);
    ASSERT_NE(n, nullptr);
    EXPECT_NEAR(n->modelX, x, 1e-6);
    EXPECT_NEAR(n->modelY, y, 1e-6);
}

double distanceToSegment(double px, double py, const AirfoilPoint& a, const AirfoilPoint& b) {
    const double dx = b.modelX - a.modelX, dy = b.modelY - a.modelY;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((px - a.modelX) * dx + (py - a.modelY) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.modelX + t * dx), py - (a.modelY + t * dy));
}

double distanceToAirfoil(const Points& pts, double x, double y) {
    double best = 1e30;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) best = std::min(best, distanceToSegment(x, y, pts[i], pts[i + 1]));
    return best;
}

// Distance to the closed airfoil: the last point joined to the first.
double distanceToOutline(const Points& pts, double x, double y) {
    if (pts.empty()) return 1e30;
    return std::min(distanceToAirfoil(pts, x, y), distanceToSegment(x, y, pts.back(), pts.front()));
}

// Inside the closed airfoil (the last point joined to the first) by the
// even-odd rule, or on it within a few float steps.
bool insideAirfoil(const Points& pts, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const AirfoilPoint& a = pts[i];
        const AirfoilPoint& b = pts[(i + 1) % pts.size()];
        if ((a.modelY > y) != (b.modelY > y) &&
            x < a.modelX + (y - a.modelY) / (static_cast<double>(b.modelY) - a.modelY) * (b.modelX - a.modelX))
            inside = !inside;
    }
    return inside || distanceToOutline(pts, x, y) < 2e-6;
}

// Drawn segments of the outline, as pairs of node indices.
std::vector<std::pair<std::size_t, std::size_t>> drawnSegments(const std::vector<OutlineSegment>& out) {
    std::vector<std::pair<std::size_t, std::size_t>> segs;
    for (std::size_t i = 1; i < out.size(); ++i)
        if (out[i].penDown == 1) segs.emplace_back(i - 1, i);
    return segs;
}

constexpr float kT = 0.02f;  // the default sheeting at the default chord
const double kDiagonal = kT / std::sqrt(2.0);

} // namespace

TEST(Sheeting, NoSheetingBuildsNothing) {
    const Points pts = slab();
    for (int code : {0, 5, -1}) {
        Sheeting s;
        EXPECT_TRUE(s.compute(pts, props(code, 1, 1, 3)));
        EXPECT_FALSE(s.isBuilt());
        EXPECT_FALSE(s.builtFlag());
        EXPECT_EQ(styleCode(s.style()), code);
    }

    Sheeting s;
    s.compute(pts, props(4));
    EXPECT_TRUE(s.isBuilt());
    s.clear();
    EXPECT_FALSE(s.isBuilt());
    EXPECT_EQ(s.style(), SheetingStyle::None);
}

TEST(Sheeting, StraightStretchCornersLieTAlongTheInwardNormal) {
    const Points pts = slab();
    const auto out = sheet(pts, props(4));
    // The second upper node (0.82, 0.1) lies between two level segments:
    // its corner is T straight below it, and the lower ones T straight above.
    ASSERT_GE(out.size(), 2u);
    EXPECT_FLOAT_EQ(out[1].modelX, 0.82f);
    EXPECT_FLOAT_EQ(out[1].modelY, 0.1f - kT);
    expectNodeAt(out, 0.62f, -0.1f + kT);
    expectNodeAt(out, 0.72f, -0.1f + kT);
    // Along the wedge nose (slope 1 above, -1 below) the normal points aft
    // and in: T (k, -1) / sqrt(1 + k^2) above, T (-k, 1) / sqrt(1 + k^2) below.
    expectNodeAt(out, 0.05f + kDiagonal, 0.05f - kDiagonal);
    expectNodeAt(out, 0.05f + kDiagonal, -0.05f + kDiagonal);

    // Clark Y at chord 200 with 2 mm sheeting: its lower surface has straight
    // stretches (x = 153.4 among them); no corner there may stand deeper
    // than the sheeting or jog, so every corner of the lower line between
    // 35 % and 95 % lies T from the surface within the turn of the corners.
    const Points clark = fromFile("asb__clarky.dat");
    RibProperties p = props(4);
    p.chord = 200.0f;
    const double t = 2.0 / 200.0;
    int checked = 0;
    for (const OutlineSegment& n : sheet(clark, p)) {
        if (n.modelY >= 0.0f || n.modelX < 0.35f || n.modelX > 0.95f || n.penDown != 1) continue;
        EXPECT_NEAR(distanceToAirfoil(clark, n.modelX, n.modelY), t, 0.002 * t) << n.modelX * 200;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

TEST(Sheeting, CornerOfARidgeLiesStraightBelowTheApex) {
    const Points pts = makePoints({{1.0f, 0.0f}, {0.6f, 0.1f}, {0.5f, 0.15f}, {0.4f, 0.1f}, {0.0f, 0.0f},
                                   {0.2f, -0.1f}, {0.4f, -0.1f}, {0.5f, -0.1f}, {0.6f, -0.15f},
                                   {0.7f, -0.1f}, {1.0f, 0.0f}});
    const auto out = sheet(pts, props(4));
    // Slopes -0.5 and 0.5 meet at the apex: the corner is T in along the bisector.
    ASSERT_GE(out.size(), 2u);
    EXPECT_NEAR(out[1].modelX, 0.5, 1e-7);
    EXPECT_NEAR(out[1].modelY, 0.15 - kT, 1e-7);
    expectNodeAt(out, 0.6, -0.15 + kT);
    for (const OutlineSegment& n : out) EXPECT_TRUE(finite(n));
}

TEST(Sheeting, WithoutStickSparTheFrontRunStartsAtThirtyPercent) {
    const Points pts = slab();
    // The spar's own station does not move the split.
    RibProperties p = props(2);
    p.sparDistance = 20.0f;
    const auto out = sheet(pts, p);
    ASSERT_GE(out.size(), 3u);
    // Two moves: to the surface at 30 %, then to the cut line below it.
    EXPECT_EQ(out[0].penDown, 0);
    EXPECT_FLOAT_EQ(out[0].modelX, 0.3f);
    EXPECT_FLOAT_EQ(out[0].modelY, 0.1f);
    EXPECT_EQ(out[1].penDown, 0);
    EXPECT_FLOAT_EQ(out[1].modelX, 0.3f);
    EXPECT_FLOAT_EQ(out[1].modelY, 0.1f - kT);
    // The first drawn corner is the one under the next airfoil node.
    EXPECT_EQ(out[2].penDown, 1);
    EXPECT_FLOAT_EQ(out[2].modelX, 0.22f);
    EXPECT_FLOAT_EQ(out[2].modelY, 0.1f - kT);
    for (std::size_t i = 2; i < out.size(); ++i) EXPECT_EQ(out[i].penDown, 1) << i;

    // "Top": the aft run comes down to 30 %, lifts the pen to the surface and
    // back, and the front run starts again at 30 % with its two moves.
    const auto top = sheet(pts, props(1));
    std::vector<std::size_t> moves;
    for (std::size_t i = 0; i < top.size(); ++i)
        if (top[i].penDown == 0) moves.push_back(i);
    ASSERT_EQ(moves.size(), 5u);
    for (std::size_t i : moves) EXPECT_FLOAT_EQ(top[i].modelX, 0.3f) << i;
    const std::size_t split = moves[0];
    EXPECT_EQ(top[split - 1].penDown, 1);
    EXPECT_FLOAT_EQ(top[split - 1].modelX, 0.3f);
    EXPECT_FLOAT_EQ(top[split].modelY, 0.1f);  // on the surface
    EXPECT_EQ(top[split + 1].modelY, top[split - 1].modelY);
}

TEST(Sheeting, WithoutAStickSparTheSparStationsMoveNothing) {
    // Clark Y, chord 200, "Top" with the spar distance of 30 mm the Spars
    // page has not yet turned into percent: the split at 30 % is the front
    // the aft run is drawn on to, so no line runs back to 15 % (once a flag
    // from (60, 16.1) back to (30, 17.12) above the surface). The line is the
    // same wherever the absent spar stands, and the lower line without spars
    // likewise; with the spar at 30 % nothing changes.
    const Points clark = fromFile("asb__clarky.dat");
    for (int style : {1, 2, 3, 4})
        for (int spar : {0, 2}) {
            RibProperties p = props(style, spar);
            p.chord = 200.0f;
            p.sparDistance = 60.0f;  // 30 % of 200
            const auto at30 = sheet(clark, p);
            for (float distance : {30.0f, 120.0f}) {
                p.sparDistance = distance;
                const auto out = sheet(clark, p);
                for (const OutlineSegment& n : out)
                    ASSERT_TRUE(insideAirfoil(clark, n.modelX, n.modelY))
                        << style << spar << " at " << n.modelX * 200 << ", " << n.modelY * 200;
                // A stock spar still interrupts the lower line at its own faces.
                if (spar == 2 && style >= 3) continue;
                ASSERT_EQ(out.size(), at30.size()) << style << spar << " " << distance;
                for (std::size_t i = 0; i < out.size(); ++i) {
                    EXPECT_EQ(out[i].modelX, at30[i].modelX) << style << spar << " " << i;
                    EXPECT_EQ(out[i].modelY, at30[i].modelY) << style << spar << " " << i;
                    EXPECT_EQ(out[i].penDown, at30[i].penDown) << style << spar << " " << i;
                }
            }
        }
}

TEST(Sheeting, CutLinesEndWhereTheyMeetTheOppositeSurface) {
    // Clark Y, chord 200: towards the trailing edge the rib gets thinner than
    // 2 mm of sheeting. Without a trailing-edge piece, or with "Sheeted
    // bottom", the upper line begins where it comes through the lower
    // surface (it once started at (197.54, -1.35), below the rib), and the
    // lower line ends where it reaches the upper surface.
    const Points clark = fromFile("asb__clarky.dat");
    for (int trailing : {0, 2}) {
        RibProperties p = props(4, 0, trailing);
        p.chord = 200.0f;
        const auto out = sheet(clark, p);
        ASSERT_GT(out.size(), 10u);
        for (const OutlineSegment& n : out)
            ASSERT_TRUE(insideAirfoil(clark, n.modelX, n.modelY)) << n.modelX * 200 << ", " << n.modelY * 200;
        // Begins on the lower surface, aft, below the chord line...
        EXPECT_LT(distanceToAirfoil(clark, out.front().modelX, out.front().modelY), 2e-6);
        EXPECT_GT(out.front().modelX, 0.9f);
        EXPECT_LT(out.front().modelY, 0.0f);
        // ...and, without a trailing-edge piece, ends on the upper surface,
        // aft, above it ("Sheeted bottom" ends the lower line at its face).
        if (trailing == 2) {
            EXPECT_FLOAT_EQ(out.back().modelX, 1.0f - 25.0f / 200.0f);
            continue;
        }
        EXPECT_LT(distanceToAirfoil(clark, out.back().modelX, out.back().modelY), 2e-6);
        EXPECT_GT(out.back().modelX, 0.9f);
        EXPECT_GT(out.back().modelY, 0.0f);
    }
}

TEST(Sheeting, StickSparLeavesAGapBetweenItsFaces) {
    const Points pts = slab();
    const float f = 0.3f;
    const float b = 0.35f;
    for (int style : {1, 3, 4}) {
        for (int spar : {1, 2}) {
            if (style == 1 && spar == 2) continue;  // no upper gap for stock spars
            const auto out = sheet(pts, props(style, spar));
            bool drawnUpToB = false;
            bool resumesAtF = false;
            for (auto [i, j] : drawnSegments(out)) {
                const bool upper = out[i].modelY > 0 && out[j].modelY > 0;
                const bool lower = out[i].modelY < 0 && out[j].modelY < 0;
                const float lo = std::min(out[i].modelX, out[j].modelX);
                const float hi = std::max(out[i].modelX, out[j].modelX);
                const bool inGap = lo >= f - 1e-6f && hi <= b + 1e-6f;
                if ((upper && spar == 1) || lower) {
                    EXPECT_FALSE(inGap) << "style " << style << " spar " << spar << " node " << j;
                }
                if (upper && spar == 1 && out[j].modelX == b) drawnUpToB = true;
                if (upper && spar == 1 && out[i].modelX == f && out[j].modelX < f) resumesAtF = true;
            }
            if (spar == 1) {
                EXPECT_TRUE(drawnUpToB || style == 3) << style;
                EXPECT_TRUE(resumesAtF) << style;
            }
        }
    }
    // Without a spar the lower line runs through the spar's stations.
    const auto plain = sheet(pts, props(4, 0));
    bool through = false;
    for (auto [i, j] : drawnSegments(plain))
        if (plain[j].modelY < 0 && plain[j].modelX == f) through = true;
    EXPECT_TRUE(through);
}

TEST(Sheeting, ZeroThicknessPutsEveryPointOnTheSurface) {
    const Points pts = slab();
    for (int style = 1; style <= 4; ++style)
        for (int spar = 0; spar <= 2; ++spar)
            for (int trailing = 0; trailing <= 3; ++trailing)
                for (int leading = 0; leading <= 4; ++leading) {
                    RibProperties p = props(style, spar, trailing, leading);
                    p.sheetingThickness = 0.0f;
                    const auto out = sheet(pts, p);
                    ASSERT_FALSE(out.empty());
                    for (const OutlineSegment& n : out)
                        ASSERT_LT(distanceToAirfoil(pts, n.modelX, n.modelY), 1e-6)
                            << style << spar << trailing << leading << " at " << n.modelX << ", " << n.modelY;
                }
}

TEST(Sheeting, StockLeadingEdgeJoinsTheLinesAtItsBackFace) {
    const Points pts = fromFile("asb__clarky.dat");
    ASSERT_GT(pts.size(), 50u);
    const float n = 0.03f;  // depth 3 at chord 100
    for (int leading : {3, 4}) {
        for (int style : {3, 4}) {
            RibProperties p = props(style, 0, 0, leading);
            p.sheetingThickness = 1.0f;  // the nose of a Clark Y is thinner than twice the default
            const auto out = sheet(pts, p);
            auto it = std::find_if(out.begin(), out.end(), [&](const OutlineSegment& s) { return s.modelX == n; });
            ASSERT_NE(it, out.end());
            const std::size_t i = static_cast<std::size_t>(it - out.begin());
            ASSERT_LT(i + 2, out.size());
            // The upper line ends at n; a drawn segment runs straight down to
            // the lower line's start at n, which then goes on aft.
            EXPECT_GT(out[i].modelY, 0.0f);
            EXPECT_EQ(out[i + 1].penDown, 1);
            EXPECT_EQ(out[i + 1].modelX, n);
            EXPECT_LT(out[i + 1].modelY, out[i].modelY);
            EXPECT_LT(out[i + 1].modelY, 0.0f);
            EXPECT_EQ(out[i + 2].penDown, 1);
            EXPECT_LT(out[i + 2].modelY, 0.0f);
        }
    }
    // Round and square stock: the upper line stops at its last corner, and
    // nothing is drawn at the stock's station.
    for (int leading : {1, 2}) {
        const auto out = sheet(pts, props(3, 0, 0, leading));
        const float stop = leading == 1 ? 0.06f : 0.03f;
        for (const OutlineSegment& s : out) EXPECT_NE(s.modelX, stop);
    }
}

TEST(Sheeting, WithoutStockTheUpperLineRoundsTheNose) {
    const Points pts = fromFile("asb__clarky.dat");
    const auto out = sheet(pts, props(2, 0, 0, 0));
    ASSERT_FALSE(out.empty());
    // The first node with x < 0.005 on the way forward.
    std::size_t nose = 2;
    while (pts[nose].modelX >= 0.005f) ++nose;
    const OutlineSegment& last = out.back();
    EXPECT_NEAR(std::hypot(last.modelX - pts[nose].modelX, last.modelY - pts[nose].modelY), kT, 1e-6);
    EXPECT_GT(last.modelX, pts[nose].modelX);
    EXPECT_LT(distanceToAirfoil(pts, last.modelX, last.modelY), kT + 1e-6);
}

TEST(Sheeting, DoubledNosePointOfATwoBlockFile) {
    const Points ledn = fromFile("fpv__clarky.dat");
    auto nose = std::adjacent_find(ledn.begin(), ledn.end(), [](const AirfoilPoint& a, const AirfoilPoint& b) {
        return a.modelX == b.modelX && a.modelY == b.modelY;
    });
    ASSERT_NE(nose, ledn.end());
    EXPECT_EQ(nose->modelX, 0.0f);
    Points single = ledn;
    single.erase(single.begin() + (nose - ledn.begin()));

    // Square stock 0.03 deep at chord 100: n lies ahead of the first lower
    // point, so the lower line starts at the second nose point itself. Its
    // corner is taken between the surfaces on either side of the doubled
    // point: T straight behind the nose.
    RibProperties p = props(3, 0, 0, 2);
    p.leadingEdgeDepth = 0.03f;
    const auto a = sheet(ledn, p);
    const auto b = sheet(single, p);
    ASSERT_EQ(a.size(), b.size() + 1);
    std::size_t i = 0;
    while (i < b.size() && a[i].modelX == b[i].modelX && a[i].modelY == b[i].modelY) ++i;
    ASSERT_LT(i, a.size());
    EXPECT_NEAR(std::hypot(a[i].modelX, a[i].modelY), kT, 1e-6);
    EXPECT_GT(a[i].modelX, 0.019f);
    for (std::size_t j = i; j < b.size(); ++j) {
        EXPECT_EQ(a[j + 1].modelX, b[j].modelX) << j;
        EXPECT_EQ(a[j + 1].modelY, b[j].modelY) << j;
    }

    // With no depth at all the upper line runs round both nose points.
    for (int leading = 0; leading <= 4; ++leading) {
        p = props(4, 1, 1, leading);
        p.leadingEdgeDepth = 0.0f;
        for (const OutlineSegment& n : sheet(ledn, p)) EXPECT_TRUE(finite(n)) << leading;
    }
}

TEST(Sheeting, VerticalSegmentCornerIsTheBisector) {
    // A blunt nose: two points with the same, smallest x.
    const Points pts = makePoints({{1.0f, 0.0f}, {0.5f, 0.1f}, {0.1f, 0.1f}, {0.01f, 0.01f}, {0.001f, 0.001f},
                                   {0.001f, -0.001f}, {0.01f, -0.01f}, {0.1f, -0.1f}, {0.5f, -0.1f},
                                   {1.0f, 0.0f}});
    const auto out = sheet(pts, props(3));
    for (const OutlineSegment& n : out) ASSERT_TRUE(finite(n));
    // The lower line starts under the lower nose point, between the straight
    // drop and the -45 degree surface: T along the bisector.
    const double c = std::cos(std::numbers::pi / 8), s = std::sin(std::numbers::pi / 8);
    expectNodeAt(out, 0.001 + kT * c, -0.001 + kT * s);
}

TEST(Sheeting, ListWithoutANosePointTakesItsForemostPoint) {
    // The same slab moved 0.0005 aft: no point at x <= 0 any more. The lower
    // line turns round the foremost point exactly as round a nose at 0.
    const auto at0 = sheet(slab(), props(4));
    const auto moved = sheet(slab(0.0005f), props(4));
    ASSERT_EQ(moved.size(), at0.size());
    int lower = 0;
    for (std::size_t i = 0; i < at0.size(); ++i) {
        EXPECT_EQ(moved[i].penDown, at0[i].penDown) << i;
        EXPECT_NEAR(moved[i].modelY, at0[i].modelY, 1e-6) << i;
        lower += at0[i].modelY < 0;
    }
    EXPECT_GT(lower, 10);

    // E387's foremost point lies at x = 0.00044.
    const Points e387 = fromFile("asb__e387.dat");
    const std::size_t upperOnly = sheet(e387, props(2)).size();
    const std::size_t withLower = sheet(e387, props(3)).size();
    EXPECT_GT(withLower, upperOnly + 20);
}

TEST(Sheeting, StationsBeyondTheAirfoilEndTheirRun) {
    const Points pts = slab();

    // A trailing-edge piece deeper than the chord: the walk to its face runs
    // off the end, so there is no aft run; the front run is untouched.
    RibProperties p = props(1, 0, 1);
    p.trailingEdgeWidth = 150.0f;
    auto out = sheet(pts, p);
    EXPECT_EQ(out.size(), sheet(pts, props(2)).size());
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0].penDown, 0);
    EXPECT_FLOAT_EQ(out[0].modelX, 0.3f);

    // A spar behind the trailing edge: the lower line runs to the last
    // node's corner and is carried on towards the spar station, ending where
    // it leaves the airfoil.
    p = props(3, 2);
    p.sparDistance = 150.0f;
    out = sheet(pts, p);
    ASSERT_FALSE(out.empty());
    EXPECT_LT(distanceToOutline(pts, out.back().modelX, out.back().modelY), 2e-6);
    EXPECT_GT(out.back().modelX, 0.9f);
    for (const OutlineSegment& n : out) EXPECT_TRUE(insideAirfoil(pts, n.modelX, n.modelY));

    // Leading-edge stock deeper than the chord: the upper line is carried
    // towards its station after one corner and ends at the airfoil; the
    // lower walk finds no start.
    p = props(4, 0, 0, 3);
    p.leadingEdgeDepth = 150.0f;
    out = sheet(pts, p);
    ASSERT_FALSE(out.empty());
    EXPECT_LT(out.back().modelX, 1.0f);
    for (const OutlineSegment& n : out) EXPECT_TRUE(insideAirfoil(pts, n.modelX, n.modelY));

    // A stick spar ahead of the nose: the aft run's corners go on round the
    // whole list; the front run never finds its station and adds nothing.
    p = props(1, 1);
    p.sparDistance = -10.0f;
    out = sheet(pts, p);
    ASSERT_GE(out.size(), 10u);
    for (const OutlineSegment& n : out) EXPECT_TRUE(insideAirfoil(pts, n.modelX, n.modelY));

    // Lists too short to walk.
    for (const Points& tiny : {Points{}, makePoints({{1.0f, 0.0f}}), makePoints({{1.0f, 0.0f}, {0.0f, 0.0f}}),
                               makePoints({{1.0f, 0.0f}, {0.0f, 0.0f}, {1.0f, 0.0f}})}) {
        for (int style = 1; style <= 4; ++style)
            for (const OutlineSegment& n : sheet(tiny, props(style, 1, 1, 3))) EXPECT_TRUE(finite(n));
    }

    // Everything finite for every style at stations all over the place.
    for (float station : {-50.0f, 0.0f, 99.0f, 100.0f, 101.0f, 500.0f}) {
        for (int style = 1; style <= 4; ++style)
            for (int spar = 0; spar <= 2; ++spar)
                for (int leading = 0; leading <= 4; ++leading) {
                    p = props(style, spar, 1, leading);
                    p.sparDistance = p.trailingEdgeWidth = p.leadingEdgeDepth = station;
                    for (const OutlineSegment& n : sheet(pts, p)) ASSERT_TRUE(finite(n)) << station;
                }
    }
}

TEST(Sheeting, HostilePropertiesNeverReachTheDeviceUndefined) {
    const Points pts = slab();
    for (float chord : {0.0f, -100.0f, std::nanf(""), 1e-30f}) {
        RibProperties p = props(4, 1, 1, 3);
        p.chord = chord;
        Sheeting s;
        s.compute(pts, p);
        parvelin::testing::RecordingDeviceContext dc;
        drawComponent(dc, s, parvelin::testing::windowView());
    }
    RibProperties p = props(4, 1, 1, 0);
    p.sheetingThickness = std::nanf("");
    Sheeting s;
    s.compute(pts, p);
    EXPECT_TRUE(s.isBuilt());
}

TEST(Sheeting, EveryCorpusAirfoilWithEveryStyleStaysFiniteAndInside) {
    int files = 0;
    long computes = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(PARVELIN_AIRFOIL_DIR)) {
        const CoordinateFileContents c = readCoordinateFile(entry.path().string());
        if (c.status != ReadStatus::Loaded) continue;
        ++files;
        Points pts;
        for (const CoordinatePair& q : c.drawingOrder) pts.push_back({q.modelX, q.modelY});
        for (float chord : {100.0f, 200.0f})
            for (int percent : {0, 1})
                for (int style = 0; style <= 4; ++style)
                    for (int spar = 0; spar <= 2; ++spar)
                        for (int trailing = 0; trailing <= 3; ++trailing)
                            for (int leading = 0; leading <= 4; ++leading) {
                                RibProperties p = props(style, spar, trailing, leading);
                                p.chord = chord;
                                p.sparDistanceInPercent = percent;
                                Sheeting s;
                                s.compute(pts, p);
                                ++computes;
                                EXPECT_EQ(s.isBuilt(), style != 0) << entry.path().filename() << " " << style;
                                // An upper line is left in either order of the surfaces
                                // (three files list the lower one first), also where thin
                                // sections take most of it (AS6092 keeps 0.3 of the chord
                                // under 2 % sheeting).
                                if (style == 1 || style == 4) {
                                    double drawn = 0.0;
                                    const ComponentOutline& o = s.outline();
                                    for (std::size_t i = 1; i < o.size(); ++i)
                                        if (o[i].penDown == 1)
                                            drawn += std::hypot(o[i].modelX - o[i - 1].modelX, o[i].modelY - o[i - 1].modelY);
                                    EXPECT_GT(drawn, 0.2) << entry.path().filename() << " styles " << style << spar
                                                          << trailing << leading;
                                }
                                for (const OutlineSegment& n : s.outline()) {
                                    ASSERT_TRUE(finite(n)) << entry.path().filename() << " chord " << chord
                                                           << " percent " << percent << " styles " << style
                                                           << spar << trailing << leading;
                                    ASSERT_TRUE(insideAirfoil(pts, n.modelX, n.modelY))
                                        << entry.path().filename() << " chord " << chord << " percent " << percent
                                        << " styles " << style << spar << trailing << leading << " at "
                                        << n.modelX << ", " << n.modelY;
                                }
                            }
    }
    EXPECT_GE(files, 30);
    EXPECT_EQ(computes, files * 1200L);
}
