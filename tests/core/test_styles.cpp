// SPDX-License-Identifier: GPL-3.0-or-later
// The style table against what the components build: for every code of every
// style field, the ones in the table included and some outside it, a
// component draws an outline exactly when the table calls its style
// drawable, and every label is the property page's text.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "model/RibPropertyFields.h"

using namespace parvelin;

namespace {

std::vector<AirfoilPoint> clarkY() {
    const CoordinateFileContents c = readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat");
    std::vector<AirfoilPoint> points = c.drawingOrder;
    return points;
}

} // namespace

TEST(StyleTable, ComponentsDrawExactlyTheDrawableStyles) {
    const std::vector<AirfoilPoint> points = clarkY();
    ASSERT_FALSE(points.empty());
    for (std::int32_t code = -2; code <= 7; ++code) {
        SCOPED_TRACE(code);
        RibProperties p = kDefaultRibProperties;
        p.chord = 200.0f;
        p.leadingEdgeStyle = p.sparStyle = p.trailingEdgeStyle = p.sheetingStyle = code;

        LeadingEdge le;
        le.compute(points, p);
        EXPECT_EQ(!le.outline().empty(), isDrawable(p.leadingEdge()));
        Spar spar;
        spar.compute(points, p);
        EXPECT_EQ(!spar.outline().empty(), isDrawable(p.spar()));
        TrailingEdge te;
        te.compute(points, p);
        EXPECT_EQ(!te.outline().empty(), isDrawable(p.trailingEdge()));
        Sheeting sheeting;
        sheeting.compute(points, p);
        EXPECT_EQ(sheeting.isBuilt(), isDrawable(p.sheeting()));

        // Codes outside the table have no label; "none" has one but draws nothing.
        EXPECT_EQ(styleLabel(p.leadingEdge()) != nullptr, code >= 0 && code <= 4);
        EXPECT_EQ(styleLabel(p.spar()) != nullptr, code >= 0 && code <= 2);
        EXPECT_EQ(styleLabel(p.trailingEdge()) != nullptr, code >= 0 && code <= 3);
        EXPECT_EQ(styleLabel(p.sheeting()) != nullptr, code >= 0 && code <= 4);
    }
}

TEST(StyleTable, LabelsAndCodesAsThePagesAndTheToolShowThem) {
    const std::map<std::string, std::vector<std::string>> labels{
        {"leadingEdgeStyle", {"No Leading Edge", "Round", "Square", "LE Stock", "Rectangular"}},
        {"sparStyle", {"No Spars", "Stick", "Stock"}},
        {"trailingEdgeStyle", {"No trailing edge", "Sheeted top and bottom", "Sheeted bottom", "TE Stock"}},
        {"sheetingStyle", {"No Sheeting", "Top", "Top, Front only", "Front only", "Fully sheeted"}},
        {"holeStyle", {"No holes", "Round holes", "Slots following the skin", "Truss"}},
    };
    for (const RibPropertyField& field : ribPropertyFields()) {
        const std::vector<StyleChoice> choices = styleChoices(field.name);
        const auto expected = labels.find(field.name);
        if (expected == labels.end()) {
            EXPECT_TRUE(choices.empty()) << field.name;
            continue;
        }
        ASSERT_EQ(choices.size(), expected->second.size()) << field.name;
        for (std::size_t i = 0; i < choices.size(); ++i) {
            EXPECT_EQ(choices[i].code, static_cast<std::int32_t>(i)) << field.name;
            EXPECT_EQ(std::string(choices[i].label), expected->second[i]) << field.name;
        }
    }
}
