// SPDX-License-Identifier: GPL-3.0-or-later
// The unit decided in one place: a rib designed in inches weighs what the
// same rib in millimetres weighs, the defaults of the hole lengths are the
// same lengths in either unit, and every unit flag but 0 means millimetres.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "clip/CutOutline.h"
#include "components/LighteningHoles.h"
#include "model/RibProperties.h"
#include "geom/Units.h"

using namespace parvelin;

TEST(Units, TheSameRibWeighsTheSameInEitherUnit) {
    const ModelPolygon outline{{0.0, 0.0}, {1.0, 0.02}, {0.9, 0.08}, {0.3, 0.1}, {0.05, 0.05}};
    const std::vector<ModelPolygon> holes{modelRectangle(0.4, 0.5, 0.03, 0.06)};
    for (const float chordMm : {50.0f, 200.0f, 1200.0f})
        for (const float thicknessMm : {1.0f, 3.0f}) {
            RibProperties mm = kDefaultRibProperties;
            mm.chord = chordMm;
            mm.materialThickness = thicknessMm;
            RibProperties in = mm;
            in.metric = 0;
            in.chord = static_cast<float>(chordMm / geom::kMillimetresPerInch);
            in.materialThickness = static_cast<float>(thicknessMm / geom::kMillimetresPerInch);
            const RibWeight a = ribWeight(outline, holes, mm);
            const RibWeight b = ribWeight(outline, holes, in);
            EXPECT_GT(a.grams, 0.0);
            EXPECT_NEAR(b.areaMm2, a.areaMm2, 1e-6 * a.areaMm2) << chordMm;
            EXPECT_NEAR(b.holesMm2, a.holesMm2, 1e-6 * a.holesMm2) << chordMm;
            EXPECT_NEAR(b.grams, a.grams, 1e-6 * a.grams) << chordMm << " " << thicknessMm;
        }
}

TEST(Units, HoleDefaultsAreTheSameLengthsInEitherUnit) {
    RibProperties in = kDefaultRibProperties;
    in.metric = 0;
    setHoleDefaultsForUnit(in);
    RibProperties mm = kDefaultRibProperties;
    setHoleDefaultsForUnit(mm);
    for (const HoleLengthDefault& d : kHoleLengthDefaults) {
        EXPECT_EQ(mm.*d.field, d.millimetres);
        EXPECT_NEAR(in.*d.field * geom::kMillimetresPerInch, d.millimetres, 1e-6 * d.millimetres);
    }
}

TEST(Units, EveryFlagButZeroMeansMillimetres) {
    for (const int flag : {-3, 0, 1, 2, 1000}) {
        RibProperties p = kDefaultRibProperties;
        p.metric = flag;
        const bool millimetres = flag != 0;
        EXPECT_EQ(inMillimetres(p), millimetres) << flag;
        EXPECT_EQ(geom::millimetresPer(inMillimetres(p)), millimetres ? 1.0 : 25.4) << flag;
        EXPECT_STREQ(geom::unitSuffix(inMillimetres(p)), millimetres ? " mm" : " in") << flag;
    }
}
