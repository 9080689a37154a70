// SPDX-License-Identifier: GPL-3.0-or-later
// One build for every rib: a document's rib and each rib of a wing are the
// same value made by buildRib, so a wing rib cut, drawn or weighed is the rib
// the document would build from its section and properties (its holes apart,
// which also keep clear of its building tabs).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/AirfoilDocument.h"
#include "rib/Rib.h"
#include "wing/RibSet.h"

using namespace parvelin;

namespace {

CoordinateFileContents clarkY() {
    return readCoordinateFile((std::filesystem::path(PARVELIN_AIRFOIL_DIR) / "asb__clarky.dat").string());
}

void expectSameOutline(const ComponentOutline& a, const ComponentOutline& b, const std::string& where) {
    ASSERT_EQ(a.size(), b.size()) << where;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].point(), b[i].point()) << where << " node " << i;
        EXPECT_EQ(a[i].penDown, b[i].penDown) << where << " node " << i;
    }
}

} // namespace

TEST(Rib, EveryWingRibIsTheRibItsSectionAndPropertiesBuild) {
    AirfoilDocument doc;
    doc.takeContents(clarkY());
    ASSERT_TRUE(doc.isLoaded());
    RibProperties properties = kDefaultRibProperties;
    properties.leadingEdgeStyle = styleCode(LeadingEdgeStyle::Square);
    properties.sparStyle = styleCode(SparStyle::Stick);
    properties.trailingEdgeStyle = styleCode(TrailingEdgeStyle::SheetedTopAndBottom);
    properties.sheetingStyle = styleCode(SheetingStyle::FrontOnly);
    properties.holeStyle = styleCode(HoleStyle::Round);
    wing::WingPanel panel;
    panel.washout = 2.0;
    const wing::RibSet set = wing::buildRibSet(panel, properties, doc.points());
    ASSERT_TRUE(set.error.empty()) << set.error;
    ASSERT_EQ(set.ribs.size(), 11u);
    for (const wing::WingRib& wingRib : set.ribs) {
        const std::string where = wingRib.name();
        const Rib alone = buildRib(wingRib.points, wingRib.properties);
        expectSameOutline(alone.leadingEdge.outline(), wingRib.leadingEdge.outline(), where + " leading edge");
        expectSameOutline(alone.trailingEdge.outline(), wingRib.trailingEdge.outline(), where + " trailing edge");
        expectSameOutline(alone.spars.outline(), wingRib.spars.outline(), where + " spars");
        expectSameOutline(alone.sheeting.outline(), wingRib.sheeting.outline(), where + " sheeting");
        EXPECT_EQ(alone.removedRegions(), wingRib.removedRegions()) << where;
        EXPECT_EQ(alone.cut.outline, wingRib.cut.outline) << where;
        EXPECT_EQ(alone.cut.pieces, wingRib.pieces) << where;
        ASSERT_FALSE(wingRib.cut.outline.empty()) << where;
    }
    // The document's own rib is the root rib's section built with the
    // document's chord: the same value as buildRib makes.
    AirfoilDocument root;
    root.takeContents(clarkY());
    root.applyProperties(set.ribs.front().properties);
    const Rib alone = buildRib(root.points(), root.properties());
    EXPECT_EQ(root.rib().cut.outline, alone.cut.outline);
    EXPECT_EQ(root.rib().lighteningHoles, alone.lighteningHoles);
    EXPECT_EQ(root.rib().removedRegions(), alone.removedRegions());
}
