// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <limits>

#include "text/NumberText.h"
#include "model/RibProperties.h"
#include "model/RibPropertyFields.h"

using namespace parvelin;

TEST(RibProperties, DefaultsTableInFieldOrder) {
    const RibProperties& d = kDefaultRibProperties;
    EXPECT_EQ(d.leadingEdgeStyle, 0);
    EXPECT_EQ(d.leadingEdgeHeight, 10.0f);
    EXPECT_EQ(d.leadingEdgeDepth, 3.0f);
    EXPECT_EQ(d.sparStyle, 0);
    EXPECT_EQ(d.sparWidth, 5.0f);
    EXPECT_EQ(d.sparHeight, 5.0f);
    EXPECT_EQ(d.sparDistance, 30.0f);
    EXPECT_EQ(d.sparDistanceInPercent, 0);
    EXPECT_EQ(d.trailingEdgeStyle, 0);
    EXPECT_EQ(d.trailingEdgeHeight, 15.0f);
    EXPECT_EQ(d.trailingEdgeWidth, 25.0f);
    EXPECT_EQ(d.trailingEdgeThickness, 2.0f);
    EXPECT_EQ(d.sheetingStyle, 0);
    EXPECT_EQ(d.sheetingThickness, 2.0f);
    EXPECT_EQ(d.height, 2.0f);
    EXPECT_EQ(d.chord, 100.0f);
    EXPECT_EQ(d.heightInPercent, 0);
    EXPECT_EQ(d.metric, 1);
    EXPECT_EQ(d.washout, 0.0f);
    EXPECT_EQ(d.precision, 3);
    EXPECT_EQ(d.orientation, 0);
    EXPECT_EQ(d.holeStyle, 0);
    EXPECT_EQ(d.holeMargin, 3.0f);
    EXPECT_EQ(d.holeWeb, 4.0f);
    EXPECT_EQ(d.holeCornerRadius, 2.0f);
    EXPECT_EQ(d.holeMinimum, 6.0f);
    EXPECT_EQ(d.materialThickness, 2.0f);
    EXPECT_EQ(d.materialDensity, 160.0f);
    // The field table walks the record in its memory order, four bytes apart.
    const auto& fields = ribPropertyFields();
    ASSERT_EQ(fields.size(), 28u);
    const RibProperties record{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const void* address = fields[i].isInteger ? static_cast<const void*>(&(record.*fields[i].integer))
                                                  : static_cast<const void*>(&(record.*fields[i].real));
        EXPECT_EQ(static_cast<const char*>(address) - reinterpret_cast<const char*>(&record),
                  static_cast<std::ptrdiff_t>(4 * i))
            << fields[i].name;
    }
}

TEST(RibProperties, FieldsSetByNameRejectBadInput) {
    RibProperties p = kDefaultRibProperties;
    std::string error;
    EXPECT_TRUE(setRibPropertyField(p, "chord", "150.5", error));
    EXPECT_EQ(p.chord, 150.5f);
    EXPECT_TRUE(setRibPropertyField(p, "sparStyle", "2", error));
    EXPECT_EQ(p.sparStyle, 2);
    EXPECT_FALSE(setRibPropertyField(p, "sparStyle", "1.5", error));
    EXPECT_FALSE(setRibPropertyField(p, "chord", "12mm", error));
    EXPECT_FALSE(setRibPropertyField(p, "chord", "", error));
    EXPECT_FALSE(setRibPropertyField(p, "metric", "2", error));
    EXPECT_TRUE(setRibPropertyField(p, "metric", "0", error));
    EXPECT_FALSE(setRibPropertyField(p, "wingspan", "3", error));
    EXPECT_NE(error.find("wingspan"), std::string::npos);
    EXPECT_EQ(p.chord, 150.5f);
}

TEST(PageNumbers, FormatFollowsPrecision) {
    EXPECT_EQ(pageNumberFormat(3), "%4.3f");
    EXPECT_EQ(pageNumberFormat(0), "%4.0f");
    EXPECT_EQ(formatPageNumber(10.0f, 3), "10.000");
    EXPECT_EQ(formatPageNumber(3.0f, 3), "3.000");
    EXPECT_EQ(formatPageNumber(3.0f, 0), "   3");
    EXPECT_EQ(formatPageNumber(2.5f, 0), "   2");  // printf rounds a tie to even
    EXPECT_EQ(formatPageNumber(3.5f, 0), "   4");
    EXPECT_EQ(formatPageNumber(-1.25f, 1), "-1.2");
    EXPECT_EQ(formatPageNumber(100.0f, 4), "100.0000");
}

TEST(PageNumbers, ReadBackStrictlyWithAPointOrAComma) {
    struct Case {
        const char* text;
        BoxText kind;
        float value;  // the field afterwards (7 when left alone)
    };
    const Case cases[] = {
        {"", BoxText::Empty, 7.0f},          {"   ", BoxText::Empty, 7.0f},
        {"  12.5 ", BoxText::Number, 12.5f}, {"1,5", BoxText::Number, 1.5f},
        {"-3e1", BoxText::Number, -30.0f},   {"12.5mm", BoxText::NotANumber, 7.0f},
        {"abc", BoxText::NotANumber, 7.0f},  {"1,234,5", BoxText::NotANumber, 7.0f},
        {"1 2", BoxText::NotANumber, 7.0f},  {"1e39", BoxText::Number, std::numeric_limits<float>::infinity()},
    };
    for (const Case& c : cases) {
        float field = 7.0f;
        EXPECT_EQ(readBoxNumber(c.text, field), c.kind) << c.text;
        EXPECT_EQ(field, c.value) << c.text;
    }
}

TEST(PageNumbers, IndependentOfTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    float field = 0.0f;
    EXPECT_EQ(readBoxNumber("12.75", field), BoxText::Number);
    EXPECT_EQ(field, 12.75f);
    EXPECT_EQ(formatPageNumber(12.75f, 2), "12.75");
    EXPECT_EQ(formatFixed6(-0.1), "-0.100000");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
