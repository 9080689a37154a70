// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/SvgWriter.h"

namespace parvelin {
namespace {

// The length of the UTF-8 sequence starting at text[i], 0 when the bytes
// there are not one.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    return length;
}

} // namespace

std::string svgEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8Length(text, i);
        if (length == 0) {
            // A Latin-1 byte as its two UTF-8 bytes.
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
            ++i;
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // XML allows no control characters but tab, line feed and carriage return.
            if (c >= 0x20 || c == '\t' || length > 1) out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

void SvgWriter::attributes(SvgAttributes attributes) {
    for (const SvgAttribute& a : attributes) {
        text_ += ' ';
        text_ += a.name;
        text_ += "=\"";
        text_ += a.value;
        text_ += '"';
    }
}

void SvgWriter::open(const SvgPage& page) {
    text_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    text_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
    if (!page.physicalWidth.empty()) attributes({{"width", page.physicalWidth}});
    if (!page.physicalHeight.empty()) attributes({{"height", page.physicalHeight}});
    attributes({{"viewBox", number(page.left) + " " + number(page.top) + " " + number(page.width) + " " +
                                number(page.height)}});
    text_ += ">\n";
}

void SvgWriter::title(std::string_view words) {
    text_ += "<title>" + svgEscaped(words) + "</title>\n";
}

void SvgWriter::openGroup(SvgAttributes list) {
    text_ += "<g";
    attributes(list);
    text_ += ">\n";
}

void SvgWriter::element(std::string_view name, SvgAttributes list) {
    text_ += '<';
    text_ += name;
    attributes(list);
    text_ += "/>\n";
}

void SvgWriter::textElement(std::string_view name, SvgAttributes list, std::string_view words) {
    text_ += '<';
    text_ += name;
    attributes(list);
    text_ += '>' + svgEscaped(words) + "</";
    text_ += name;
    text_ += ">\n";
}

} // namespace parvelin
