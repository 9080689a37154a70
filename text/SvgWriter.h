// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one SVG writer: the XML declaration and the svg element with its size
// and unit and its viewBox, a title, groups (the cut files' layers),
// self-closing elements such as paths and lines, text, and the escaping of
// what the user named. Every number passes through the writer's number
// text, chosen by the output (six decimals for cut files, G-code's numbers
// for tool paths, whole device units for the rib picture), never through
// the process locale.
#include <initializer_list>
#include <string>
#include <string_view>

namespace parvelin {

struct SvgAttribute {
    std::string_view name;
    std::string value;
};
using SvgAttributes = std::initializer_list<SvgAttribute>;

// The picture's size: its viewBox in user units and, when given, the
// physical width and height with their unit ("105.04mm").
struct SvgPage {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    std::string physicalWidth;   // empty: none given
    std::string physicalHeight;
};

// Text for an SVG document: XML's five special characters escaped, control
// characters (other than tab) dropped, bytes that are not UTF-8 taken as
// Latin-1.
std::string svgEscaped(std::string_view text);

class SvgWriter {
public:
    using NumberText = std::string (*)(double);
    explicit SvgWriter(NumberText number) : number_(number) {}

    std::string number(double value) const { return number_(value); }

    // The XML declaration and the opening svg element.
    void open(const SvgPage& page);
    void title(std::string_view words);
    void openGroup(SvgAttributes attributes);
    void closeGroup() { text_ += "</g>\n"; }
    // <name a="v" .../>: attribute values are written as given.
    void element(std::string_view name, SvgAttributes attributes);
    // <name a="v" ...>words</name>, the words escaped.
    void textElement(std::string_view name, SvgAttributes attributes, std::string_view words);
    // Closes the svg element; the document is complete.
    void close() { text_ += "</svg>\n"; }

    const std::string& text() const { return text_; }

private:
    void attributes(SvgAttributes attributes);

    NumberText number_;
    std::string text_;
};

} // namespace parvelin
