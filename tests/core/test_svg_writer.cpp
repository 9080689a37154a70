// SPDX-License-Identifier: GPL-3.0-or-later
// The SVG writer: whatever bytes a name holds, what it writes is UTF-8
// without a character XML forbids or would take as markup; and a document's
// parts in the order and form every SVG output relies on.
#include <gtest/gtest.h>

#include <random>

#include "text/SvgWriter.h"

using namespace parvelin;

namespace {

// Whether `text` is well-formed UTF-8.
bool validUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

std::string integer(double v) { return std::to_string(static_cast<long long>(v)); }

} // namespace

TEST(SvgWriter, AnyBytesBecomeSafeUtf8) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int k = round % 23; k > 0; --k) text += static_cast<char>(byte(random));
        const std::string out = svgEscaped(text);
        ASSERT_TRUE(validUtf8(out)) << round;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(out[i]);
            EXPECT_TRUE(c >= 0x20 || c == '\t') << round << ": control character " << int(c);
            EXPECT_TRUE(c != '<' && c != '>' && c != '"') << round;
            if (c == '&') {
                EXPECT_TRUE(out.compare(i, 5, "&amp;") == 0 || out.compare(i, 4, "&lt;") == 0 ||
                            out.compare(i, 4, "&gt;") == 0 || out.compare(i, 6, "&quot;") == 0)
                    << round;
            }
        }
    }
    EXPECT_EQ(svgEscaped("R1 <L> & \"x\""), "R1 &lt;L&gt; &amp; &quot;x&quot;");
    EXPECT_EQ(svgEscaped("Eppler \xe9"), "Eppler \xc3\xa9");       // Latin-1 taken as such
    EXPECT_EQ(svgEscaped("Eppler \xc3\xa9"), "Eppler \xc3\xa9");   // UTF-8 kept
    EXPECT_EQ(svgEscaped("a\x01\tb"), "a\tb");
}

TEST(SvgWriter, DocumentInItsOrder) {
    SvgWriter svg(integer);
    svg.open({-2, -15, 105, 17, "105mm", "17mm"});
    svg.title("Clark Y & co");
    svg.openGroup({{"id", "CUT"}, {"stroke", "#ff0000"}});
    svg.element("path", {{"d", "M 0,0 L 1,1 Z"}});
    svg.textElement("text", {{"x", svg.number(3)}, {"y", svg.number(-4)}}, "R1 <L>");
    svg.closeGroup();
    svg.close();
    EXPECT_EQ(svg.text(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"105mm\" height=\"17mm\" "
              "viewBox=\"-2 -15 105 17\">\n"
              "<title>Clark Y &amp; co</title>\n"
              "<g id=\"CUT\" stroke=\"#ff0000\">\n"
              "<path d=\"M 0,0 L 1,1 Z\"/>\n"
              "<text x=\"3\" y=\"-4\">R1 &lt;L&gt;</text>\n"
              "</g>\n"
              "</svg>\n");
    // Without a physical size the picture has only its viewBox.
    SvgWriter bare(integer);
    bare.open({0, 0, 10, 20, "", ""});
    EXPECT_NE(bare.text().find("version=\"1.1\" viewBox=\"0 0 10 20\">"), std::string::npos);
}
