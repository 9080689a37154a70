// SPDX-License-Identifier: GPL-3.0-or-later
#include "cut/CutFile.h"

#include "commands/FileCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "cut/CutMarks.h"
#include "document/AirfoilDocument.h"
#include "model/PropertyChecks.h"
#include "geom/Polygon.h"
#include "text/NumberText.h"
#include "text/SvgWriter.h"
#include "platform/Services.h"
#include "geom/Units.h"

namespace parvelin {
namespace {

constexpr const char* kCutLayer = "CUT";
constexpr const char* kMarkLayer = "MARK";
// DXF colours: red for the cut, blue for the marks.
constexpr int kCutColour = 1;
constexpr int kMarkColour = 5;
// The least cap height a label is read at on balsa.
constexpr double kReadableLabelMm = 1.5;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The chord in the drawing's unit, as the label shows it: up to three
// decimals, no trailing zeros.
std::string chordText(double chord, bool metric) {
    std::string text = formatFixed6(chord);
    text.resize(text.size() - 3);
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text + geom::unitSuffix(metric);
}

// Label text without control characters (a DXF group value is one line)
// and without the blanks many files put round the name.
std::string plainLabel(const std::string& name) {
    std::string out;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f) c = ' ';
        out += static_cast<char>(c);
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

// The label inside the rib where it is deepest, as large as fits up to
// 1.5 % of the chord and no smaller than can be read (1.5 mm); shorter
// forms when the whole one does not fit. A label that fits nowhere stands
// below the rib (its front and bottom in chords), beside the spar ticks,
// never across a cut.
void placeLabel(CutDrawing& d, const std::string& documentName, const ModelPolygon& outline, double chord,
                double front, double bottom) {
    const std::string name = plainLabel(documentName);
    const std::string chordLabel = "chord " + chordText(chord, d.metric);
    std::vector<std::string> forms{(name.empty() ? std::string() : name + " ") + chordLabel};
    if (!name.empty()) {
        forms.push_back(name);
        if (name.size() > 12) forms.push_back(name.substr(0, 12));
    }
    const double largest = 0.015;
    const double readable = kReadableLabelMm / geom::millimetresPer(d.metric) / chord;
    const LabelPlace place = placeLabelInside(outline, forms, largest, std::min(largest, readable));
    if (place.height > 0.0) {
        d.label = place.text;
        d.labelHeight = place.height * chord;
        d.labelAt = {place.at.x * chord, place.at.y * chord};
    } else {
        d.label = forms.front();
        d.labelHeight = largest * chord;
        d.labelAt = {front * chord, (bottom - 0.05 - largest) * chord};
    }
}

// The camber line, when the window shows it, is etched with the marks,
// clipped to the part: where the components cut the rib short (a
// trailing-edge stock, a notch) the laser scores nothing off it.
void etchCamberLine(CutDrawing& d, const ComponentOutline& camber, const ModelPolygon& outline, double chord) {
    for (std::size_t i = 1; i < camber.size(); ++i)
        if (camber[i].penDown != 0)
            for (const auto& [from, to] :
                 clipSegment(outline, {camber[i - 1].modelX, camber[i - 1].modelY}, {camber[i].modelX, camber[i].modelY}))
                d.marks.push_back({{from.x * chord, from.y * chord}, {to.x * chord, to.y * chord}});
}

} // namespace

CutDrawing cutDrawing(const AirfoilDocument& document, double kerf) {
    CutDrawing d;
    const RibProperties& p = document.properties();
    const double chord = p.chord;
    d.metric = inMillimetres(p);
    const CutOutline cut = document.cutOutline();
    d.pieces = cut.pieces;
    ModelPolygon outline = cut.outline;
    if (kerf > 0.0 && chord != 0.0) outline = grownOutline(outline, kerf / 2.0 / chord);
    for (const ModelPoint& q : outline) d.outline.push_back({q.x * chord, q.y * chord});
    // The cutter runs half the kerf inside each hole's edge, so the hole
    // comes out at its size.
    for (const ModelPolygon& hole : document.lighteningHoles()) {
        const ModelPolygon shrunk = kerf > 0.0 && chord != 0.0 ? grownOutline(hole, -kerf / 2.0 / chord) : hole;
        if (shrunk.size() < 3) continue;
        ModelPolygon scaled;
        for (auto q = shrunk.rbegin(); q != shrunk.rend(); ++q) scaled.push_back({q->x * chord, q->y * chord});
        d.holes.push_back(std::move(scaled));
    }

    // The marks lie beside the outline, so that etching them never weakens
    // the rib: the chord line's ends ahead of the nose and behind the tail,
    // and the spar's faces below the rib, each 3 % of the chord long.
    double front = 0.0, back = 1.0, bottom = 0.0;
    if (!cut.outline.empty()) {
        front = back = cut.outline.front().x;
        bottom = cut.outline.front().y;
        for (const ModelPoint& q : cut.outline) {
            front = std::min(front, q.x);
            back = std::max(back, q.x);
            bottom = std::min(bottom, q.y);
        }
    }
    auto mark = [&](double x0, double y0, double x1, double y1) {
        d.marks.push_back({{x0 * chord, y0 * chord}, {x1 * chord, y1 * chord}});
    };
    mark(front - 0.04, 0.0, front - 0.01, 0.0);
    mark(back + 0.01, 0.0, back + 0.04, 0.0);
    const ComponentOutline& spar = document.spars().outline();
    if (document.spars().isBuilt() && spar.size() >= 5) {
        double x0 = spar[0].modelX, x1 = x0;
        for (const OutlineSegment& n : spar) {
            x0 = std::min(x0, static_cast<double>(n.modelX));
            x1 = std::max(x1, static_cast<double>(n.modelX));
        }
        mark(x0, bottom - 0.01, x0, bottom - 0.04);
        mark(x1, bottom - 0.01, x1, bottom - 0.04);
    }
    if (document.showCamberLine()) etchCamberLine(d, document.camberOutline(), cut.outline, chord);

    placeLabel(d, document.getName().value_or(std::string()), cut.outline, chord, front, bottom);
    return d;
}

bool drawingIsSound(const CutDrawing& d) {
    // An outline without area (a chord of 0) is nothing to cut either.
    if (d.outline.size() < 3 || !(std::fabs(geom::signedArea(d.outline)) > 0.0)) return false;
    auto finite = [](const ModelPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    for (const ModelPoint& p : d.outline)
        if (!finite(p)) return false;
    for (const ModelPolygon& hole : d.holes)
        for (const ModelPoint& p : hole)
            if (!finite(p)) return false;
    for (const CutMark& m : d.marks)
        if (!finite(m.from) || !finite(m.to)) return false;
    return finite(d.labelAt) && std::isfinite(d.labelHeight);
}

// The page is the extent of the outline, every mark and the label, with a
// margin of 2 % of it.
CutLayout cutLayoutOf(const CutDrawing& d) {
    CutLayout layout;
    layout.outlines = d.holes;
    layout.outlines.push_back(d.outline);
    layout.marks = d.marks;
    layout.labels.push_back({d.label, d.labelAt, d.labelHeight});
    layout.metric = d.metric;
    layout.title = d.label;
    layout.styleHeight = d.labelHeight;
    if (d.outline.empty()) return layout;
    double x0 = d.outline.front().x, x1 = x0, y0 = d.outline.front().y, y1 = y0;
    auto extend = [&](const ModelPoint& p) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    };
    for (const ModelPoint& p : d.outline) extend(p);
    for (const CutMark& m : d.marks) {
        extend(m.from);
        extend(m.to);
    }
    if (!d.label.empty()) {
        // The text's font size is 1.4 cap heights: its descenders reach below the base line.
        extend({d.labelAt.x, d.labelAt.y - 0.4 * d.labelHeight});
        extend({d.labelAt.x + labelTextWidth(d.labelHeight, d.label.size()), d.labelAt.y + d.labelHeight});
    }
    const double margin = 0.02 * std::max(x1 - x0, y1 - y0);
    layout.pageAt = {x0 - margin, y0 - margin};
    layout.pageWidth = (x1 - x0) + 2 * margin;
    layout.pageHeight = (y1 - y0) + 2 * margin;
    return layout;
}

// Holes and outlines on layer CUT, closed, in the layout's order (each
// part's holes before its outline), then the open cuts; marks and labels on
// layer MARK.
std::string cutLayoutDxf(const CutLayout& d, DxfVersion version) {
    DxfWriter dxf(version);
    const DxfLayer layers[] = {{kCutLayer, kCutColour}, {kMarkLayer, kMarkColour}};
    dxf.header(d.metric, layers, d.styleHeight);
    dxf.setLayer(kCutLayer);
    for (const ModelPolygon& outline : d.outlines) dxf.polyline(outline, true);
    for (const ModelPolygon& line : d.openCuts) dxf.polyline(line, false);
    dxf.setLayer(kMarkLayer);
    for (const CutMark& m : d.marks) dxf.line(m.from.x, m.from.y, m.to.x, m.to.y);
    for (const CutLabel& l : d.labels)
        if (!l.text.empty()) dxf.text(l.at.x, l.at.y, l.height, l.text, l.angle);
    dxf.trailer();
    return dxf.text();
}

std::string cutDxfText(const CutDrawing& drawing, DxfVersion version) { return cutLayoutDxf(cutLayoutOf(drawing), version); }

namespace {

// Six decimals, and no "-0.000000".
std::string svgNumber(double v) { return formatFixed6(v == 0.0 ? 0.0 : v); }

// A polyline's path data, y turned downwards: "M x,y L x,y x,y ..." and " Z" when closed.
std::string pathData(const ModelPolygon& points, bool closed) {
    std::string d = "M";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i == 1) d += " L";
        d += " " + svgNumber(points[i].x) + "," + svgNumber(-points[i].y);
    }
    return closed ? d + " Z" : d;
}

} // namespace

std::string cutLayoutSvg(const CutLayout& d) {
    // y turns downwards in SVG, so every y is negated.
    SvgWriter svg(svgNumber);
    const std::string unit = d.metric ? "mm" : "in";
    svg.open({d.pageAt.x, -(d.pageAt.y + d.pageHeight), d.pageWidth, d.pageHeight, svgNumber(d.pageWidth) + unit,
              svgNumber(d.pageHeight) + unit});
    svg.title(d.title);
    // Hairlines: 0.01 mm, the width laser programs take for "cut, do not fill".
    const std::string hairline = svgNumber(0.01 / geom::millimetresPer(d.metric));
    svg.openGroup({{"id", kCutLayer}, {"fill", "none"}, {"stroke", "#ff0000"}, {"stroke-width", hairline}});
    for (const ModelPolygon& outline : d.outlines) svg.element("path", {{"d", pathData(outline, true)}});
    for (const ModelPolygon& line : d.openCuts) svg.element("path", {{"d", pathData(line, false)}});
    svg.closeGroup();
    svg.openGroup({{"id", kMarkLayer}, {"fill", "none"}, {"stroke", "#0000ff"}, {"stroke-width", hairline}});
    for (const CutMark& m : d.marks)
        svg.element("line", {{"x1", svgNumber(m.from.x)}, {"y1", svgNumber(-m.from.y)}, {"x2", svgNumber(m.to.x)},
                             {"y2", svgNumber(-m.to.y)}});
    // The labels' cap height is their given height.
    for (const CutLabel& l : d.labels) {
        if (l.text.empty()) continue;
        const std::string x = svgNumber(l.at.x), y = svgNumber(-l.at.y), size = svgNumber(l.height * 1.4);
        if (l.angle != 0.0)
            svg.textElement("text", {{"x", x}, {"y", y}, {"transform", "rotate(" + svgNumber(-l.angle) + " " + x + " " + y + ")"},
                                     {"font-family", "sans-serif"}, {"font-size", size}, {"fill", "#0000ff"}, {"stroke", "none"}},
                            l.text);
        else
            svg.textElement("text", {{"x", x}, {"y", y}, {"font-family", "sans-serif"}, {"font-size", size},
                                     {"fill", "#0000ff"}, {"stroke", "none"}},
                            l.text);
    }
    svg.closeGroup();
    svg.close();
    return svg.text();
}

std::string cutSvgText(const CutDrawing& d) { return cutLayoutSvg(cutLayoutOf(d)); }

bool cutFormatFor(const std::string& path, CutFileFormat& format) {
    const std::string extension = lower(std::filesystem::path(path).extension().string());
    if (extension == ".dxf") {
        format = CutFileFormat::Dxf;
        return true;
    }
    if (extension == ".svg") {
        format = CutFileFormat::Svg;
        return true;
    }
    return false;
}

FileWriteResult writeCutFile(const std::string& path, const CutDrawing& drawing, CutFileFormat format,
                             DxfVersion version) {
    if (!drawingIsSound(drawing)) {
        // Never create the file at all: an existing one stays untouched too.
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return FileWriteResult::AlreadyExists;
        return FileWriteResult::NotFinite;
    }
    const std::string text = format == CutFileFormat::Dxf ? cutDxfText(drawing, version) : cutSvgText(drawing);
    if (text.empty()) return FileWriteResult::CannotCreate;
    return writeNewFile(path, text);
}

platform::FileDialogSettings cutFileDialogSettings(const AirfoilDocument& document) {
    platform::FileDialogSettings settings;
    settings.title = kExportCutDialogTitle;
    settings.filters = {{"Drawing Interchange Format", "*.dxf"}, {"Scalable Vector Graphics", "*.svg"}};
    // The airfoil file's name, marked as the cut file ("clarky-cut.dxf").
    settings.initialFileName = document.exportFileName();
    if (const std::size_t dot = settings.initialFileName.rfind(".dxf"); dot != std::string::npos)
        settings.initialFileName.insert(dot, "-cut");
    settings.defaultExtension = "dxf";
    settings.initialFolder = currentFolderForDialog();
    return settings;
}

bool exportCutFile(const AirfoilDocument& document, platform::Window* owner, double kerf) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return false;
    const std::optional<std::string> chosen = dialogs->saveFile(owner, cutFileDialogSettings(document));
    if (!chosen) return false;
    return exportCutFileAs(document, owner, kerf, enterFolderOf(*chosen));
}

bool exportCutFileAs(const AirfoilDocument& document, platform::Window* owner, double kerf,
                     const std::string& fileName) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return false;
    CutFileFormat format = CutFileFormat::Dxf;
    if (!cutFormatFor(fileName, format)) {
        dialogs->messageBox(owner, kMessageCutFileName, kExportCutDialogTitle, platform::MessageIcon::Warning);
        return false;
    }
    const CutDrawing drawing = cutDrawing(document, kerf);
    if (tooFewAirfoilPoints(document.points())) {
        dialogs->messageBox(owner, std::string(kMessageTooFewAirfoilPoints) + ".\nNothing was exported.",
                            kExportCutDialogTitle, platform::MessageIcon::Warning);
        return false;
    }
    if (drawing.pieces == 0 && std::isfinite(document.properties().chord) && document.properties().chord > 0.0f) {
        dialogs->messageBox(owner, kMessageCutNothingLeft, kExportCutDialogTitle, platform::MessageIcon::Warning);
        return false;
    }
    const FileWriteResult result = writeCutFile(fileName, drawing, format, DxfVersion::R2000);
    if (result == FileWriteResult::Written) {
        // Notches meeting the sheeting line cut the rib apart: the file holds
        // the largest piece, and the user must know the rest is missing.
        if (drawing.pieces > 1)
            dialogs->messageBox(owner,
                                "The components cut the rib into " + std::to_string(drawing.pieces) +
                                    " pieces.\nOnly the largest piece was exported.",
                                kExportCutDialogTitle, platform::MessageIcon::Warning);
        return true;
    }
    dialogs->messageBox(owner, fileWriteMessage(result), kExportCutDialogTitle,
                        result == FileWriteResult::AlreadyExists ? platform::MessageIcon::Warning
                                                                 : platform::MessageIcon::Error);
    return false;
}

} // namespace parvelin
