// SPDX-License-Identifier: GPL-3.0-or-later
// The cut drawing of the DXF writer read back group by group: codes
// right-aligned in three places, every number read back to the value
// written, R2000 handles unique, R12 polylines closed by SEQEND, and the
// Export drawing's polylines the same LINE entities its lines give.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "dxf/DxfWriter.h"

using namespace parvelin;

namespace {

struct Group {
    int code = 0;
    std::string value;
};

struct Point {
    double x, y;
};

// The drawing's groups; fails the test on a code line that is not a
// right-aligned group code.
std::vector<Group> groupsOf(const std::string& text, bool cutCodes) {
    std::vector<Group> out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t codeEnd = text.find('\n', at);
        const std::size_t valueEnd = text.find('\n', codeEnd + 1);
        if (codeEnd == std::string::npos || valueEnd == std::string::npos) {
            ADD_FAILURE() << "a group without its value at " << at;
            break;
        }
        const std::string code = text.substr(at, codeEnd - at);
        if (cutCodes) {
            EXPECT_GE(code.size(), 3u) << code;
        }
        Group g;
        const std::size_t digits = code.find_first_not_of(' ');
        const auto [end, error] = std::from_chars(code.data() + digits, code.data() + code.size(), g.code);
        EXPECT_TRUE(error == std::errc() && end == code.data() + code.size()) << "'" << code << "'";
        g.value = text.substr(codeEnd + 1, valueEnd - codeEnd - 1);
        out.push_back(std::move(g));
        at = valueEnd + 1;
    }
    return out;
}

double number(const std::string& text) {
    double v = NAN;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return v;
}

std::string cutDrawing(DxfVersion version, const std::vector<std::vector<Point>>& polylines) {
    DxfWriter dxf(version);
    const DxfLayer layers[] = {{"CUT", 1}, {"MARK", 5}};
    dxf.header(true, layers, 2.5);
    for (std::size_t i = 0; i < polylines.size(); ++i) dxf.polyline(polylines[i], i % 2 == 0);
    dxf.setLayer("MARK");
    dxf.line(-1.0, 0.0, 1.0, 0.0);
    dxf.text(3.0, 4.0, 2.5, "R1 L\nx", 90.0);
    dxf.trailer();
    EXPECT_TRUE(dxf.allFinite());
    return dxf.text();
}

} // namespace

// Random polylines over ten orders of magnitude: every coordinate reads back
// to within a unit in the sixteenth decimal, in the entities' order, and
// the entities are what each version holds.
TEST(CutDxf, EveryNumberReadsBackAndEveryEntityIsWhole) {
    std::mt19937 random(19);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-6, 4);
    std::vector<std::vector<Point>> polylines(6);
    std::vector<double> written;
    for (auto& p : polylines)
        for (int k = 0; k < 7; ++k) {
            p.push_back({mantissa(random) * std::pow(10.0, exponent(random)), mantissa(random) * std::pow(10.0, exponent(random))});
            written.push_back(p.back().x);
            written.push_back(p.back().y);
        }
    for (const DxfVersion version : {DxfVersion::R2000, DxfVersion::R12}) {
        const std::vector<Group> groups = groupsOf(cutDrawing(version, polylines), true);
        ASSERT_GT(groups.size(), 100u);
        EXPECT_EQ(groups.back().value, "EOF");
        std::vector<double> read;
        std::set<std::string> handles;
        std::string entity;
        int polylineCount = 0, vertexCount = 0, sequenceEnds = 0, closed = 0;
        bool inEntities = false;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const Group& g = groups[i];
            if (g.code == 0) entity = g.value;
            if (g.code == 2 && g.value == "ENTITIES") inEntities = true;
            if (g.code == 5 && version == DxfVersion::R2000) {
                EXPECT_TRUE(handles.insert(g.value).second) << "handle " << g.value << " twice";
            }
            if (!inEntities) continue;
            if (version == DxfVersion::R12) {
                EXPECT_NE(g.code, 5) << "a handle in an R12 entity";
            }
            const bool point = entity == "LWPOLYLINE" || entity == "VERTEX";
            if (point && (g.code == 10 || g.code == 20)) read.push_back(number(g.value));
            if (g.code == 0 && (g.value == "LWPOLYLINE" || g.value == "POLYLINE")) ++polylineCount;
            if (g.code == 0 && g.value == "VERTEX") ++vertexCount;
            if (g.code == 0 && g.value == "SEQEND") ++sequenceEnds;
            if (g.code == 70 && (entity == "LWPOLYLINE" || entity == "POLYLINE") && g.value == "1") ++closed;
            if (g.code == 1) {
                EXPECT_EQ(g.value, "R1 L x");
            }
            if (entity == "TEXT" && g.code == 50) {
                EXPECT_EQ(number(g.value), 90.0);
            }
            if (g.code == 10 || g.code == 20 || g.code == 40) {
                EXPECT_LE(g.value.size() - g.value.find('.'), 17u) << g.value;
            }
        }
        EXPECT_EQ(polylineCount, 6);
        EXPECT_EQ(closed, 3);
        EXPECT_EQ(vertexCount, version == DxfVersion::R12 ? 42 : 0);
        EXPECT_EQ(sequenceEnds, version == DxfVersion::R12 ? 6 : 0);
        if (version == DxfVersion::R2000) {
            EXPECT_GT(handles.size(), 20u);
        }
        ASSERT_EQ(read.size(), written.size());
        for (std::size_t i = 0; i < read.size(); ++i)
            EXPECT_NEAR(read[i], written[i], 1e-15 * std::max(1.0, std::fabs(written[i]))) << i;
    }
}

// The cut drawing's numbers keep one decimal at least and no trailing zeros;
// a negative zero comes out as zero.
TEST(CutDxf, NumbersAsCadProgramsWriteThem) {
    DxfWriter dxf(DxfVersion::R12);
    const DxfLayer layers[] = {{"CUT", 1}};
    dxf.header(true, layers, 0.0);
    dxf.line(12.0, 3.0, 0.8116, 1e-7);
    dxf.trailer();
    const std::vector<Group> groups = groupsOf(dxf.text(), true);
    std::size_t line = 0;
    while (line < groups.size() && !(groups[line].code == 0 && groups[line].value == "LINE")) ++line;
    ASSERT_LT(line, groups.size());
    std::vector<std::string> values;  // the ends' x and y, in the order written
    for (std::size_t i = line + 1; i < groups.size() && groups[i].code != 0; ++i)
        if (groups[i].code == 10 || groups[i].code == 20 || groups[i].code == 11 || groups[i].code == 21)
            values.push_back(groups[i].value);
    EXPECT_EQ(values, (std::vector<std::string>{"12.0", "3.0", "0.8116", "0.0000001"}));
}

// The Export drawing writes a polyline as the LINE entities its sides give,
// moved by the origin like every line, and notes a coordinate that is not finite.
TEST(CutDxf, ExportPolylineIsItsLines) {
    const std::vector<Point> square{{0, 0}, {2, 0}, {2, 1}, {0, 1}};
    DxfWriter polyline, lines;
    polyline.setOrigin(5.0, -1.0);
    lines.setOrigin(5.0, -1.0);
    polyline.polyline(square, true);
    for (std::size_t i = 0; i < square.size(); ++i)
        lines.line(square[i].x, square[i].y, square[(i + 1) % 4].x, square[(i + 1) % 4].y);
    EXPECT_EQ(polyline.text(), lines.text());
    EXPECT_EQ(polyline.lineCount(), 4);
    EXPECT_NE(polyline.text().find("10\n5.000000\n20\n-1.000000\n"), std::string::npos);
    DxfWriter open;
    open.polyline(square, false);
    EXPECT_EQ(open.lineCount(), 3);
    EXPECT_TRUE(open.allFinite());
    DxfWriter bad(DxfVersion::R2000);
    bad.polyline(std::vector<Point>{{0, 0}, {NAN, 1}}, true);
    EXPECT_FALSE(bad.allFinite());
}
