#include "wing/WingFiles.h"

#include <cctype>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "text/NumberText.h"

namespace parvelin::wing {
namespace {

namespace fs = std::filesystem;

// Closing the sides of a tab that stand outside the rib: down its front,
// along the board, up its back.
void tabLines(DxfWriter& writer, const BuildingTab& tab) {
    const Polygon sides = tabSides(tab);
    for (std::size_t i = 0; i + 1 < sides.size(); ++i)
        writer.line(sides[i].x, sides[i].y, sides[i + 1].x, sides[i + 1].y);
}

std::string number(double value) { return formatFixed6(value); }

void group(std::string& out, int code, const std::string& value) {
    out += std::to_string(code);
    out += '\n';
    out += value;
    out += '\n';
}

// Text for XML: the labels are our own, but keep the markup sound anyway.
std::string xmlText(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '<') out += "&lt;";
        else if (ch == '>') out += "&gt;";
        else if (ch == '&') out += "&amp;";
        else out += ch;
    }
    return out;
}

} // namespace

namespace {

// The rib's lines without header and trailer: airfoil, components, tabs.
void ribLines(DxfWriter& writer, const WingRib& rib) {
    const double k = rib.properties.chord;
    for (std::size_t i = 0; i + 1 < rib.points.size(); ++i) {
        const AirfoilPoint& a = rib.points[i];
        const AirfoilPoint& b = rib.points[i + 1];
        writer.line(k * a.modelX, k * a.modelY, k * b.modelX, k * b.modelY);
    }
    if (rib.leadingEdge.isBuilt()) rib.leadingEdge.writeDxf(&writer, rib.properties);
    if (rib.trailingEdge.isBuilt()) rib.trailingEdge.writeDxf(&writer, rib.properties);
    if (rib.spars.isBuilt()) rib.spars.writeDxf(&writer, rib.properties);
    if (rib.sheeting.isBuilt()) rib.sheeting.writeDxf(&writer, rib.properties);
    for (const BuildingTab& tab : rib.tabs) tabLines(writer, tab);
}

} // namespace

DxfWriter ribDrawing(const WingRib& rib) {
    DxfWriter writer;
    writer.header();
    ribLines(writer, rib);
    writer.trailer();
    return writer;
}

DxfWriter setDrawing(const RibSet& set, std::vector<double>* offsets) {
    DxfWriter writer;
    writer.header();
    double y = 0.0;
    const double gap = set.ribs.empty() ? 0.0 : 0.1 * set.ribs.front().properties.chord;
    for (const WingRib& rib : set.ribs) {
        // The rib's outline (airfoil and tabs) bounds its drawing; its lowest
        // point goes to y.
        const Box box = bounds(rib.outline);
        const double dy = y - box.minY;
        if (offsets != nullptr) offsets->push_back(dy);
        writer.setOrigin(0.0, dy);
        ribLines(writer, rib);
        // Its name where the sheets put its label.
        if (rib.labelHeight > 0.0) writer.text(rib.labelAt.x, rib.labelAt.y, rib.labelHeight, rib.name());
        y += box.height() + gap;
    }
    writer.setOrigin(0.0, 0.0);
    writer.trailer();
    return writer;
}

std::vector<NestPart> nestPartsOf(const RibSet& set, WingSide side) {
    std::vector<NestPart> parts;
    const std::string letters = traits(side).letters;
    parts.reserve(set.ribs.size() * letters.size());
    for (const WingRib& rib : set.ribs)
        for (char letter : letters) parts.push_back(NestPart{rib.outline, rib.label(letter), rib.labelAt, rib.labelHeight});
    return parts;
}

bool sheetFinite(const Sheet& sheet) {
    for (const PlacedPart& part : sheet.parts) {
        for (const Vec2& p : part.outline)
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
        if (!std::isfinite(part.labelAt.x) || !std::isfinite(part.labelAt.y) || !std::isfinite(part.labelHeight))
            return false;
    }
    return true;
}

std::string sheetDxf(const Sheet& sheet, bool metric) {
    std::string out;
    group(out, 0, "SECTION");
    group(out, 2, "HEADER");
    group(out, 9, "$ACADVER");
    group(out, 1, "AC1009");
    group(out, 9, "$INSUNITS");
    group(out, 70, metric ? "4" : "1");
    group(out, 0, "ENDSEC");
    group(out, 0, "SECTION");
    group(out, 2, "TABLES");
    group(out, 0, "TABLE");
    group(out, 2, "LTYPE");
    group(out, 70, "1");
    group(out, 0, "LTYPE");
    group(out, 2, "CONTINUOUS");
    group(out, 70, "0");
    group(out, 3, "Solid line");
    group(out, 72, "65");
    group(out, 73, "0");
    group(out, 40, "0.0");
    group(out, 0, "ENDTAB");
    group(out, 0, "TABLE");
    group(out, 2, "LAYER");
    group(out, 70, "2");
    for (const auto& [name, colour] : {std::pair{"CUT", "1"}, std::pair{"MARK", "5"}}) {
        group(out, 0, "LAYER");
        group(out, 2, name);
        group(out, 70, "0");
        group(out, 62, colour);
        group(out, 6, "CONTINUOUS");
    }
    group(out, 0, "ENDTAB");
    group(out, 0, "ENDSEC");
    group(out, 0, "SECTION");
    group(out, 2, "ENTITIES");
    for (const PlacedPart& part : sheet.parts) {
        group(out, 0, "POLYLINE");
        group(out, 8, "CUT");
        group(out, 66, "1");
        group(out, 10, "0.0");
        group(out, 20, "0.0");
        group(out, 30, "0.0");
        group(out, 70, "1");
        for (const Vec2& p : part.outline) {
            group(out, 0, "VERTEX");
            group(out, 8, "CUT");
            group(out, 10, number(p.x));
            group(out, 20, number(p.y));
            group(out, 30, "0.0");
        }
        group(out, 0, "SEQEND");
        group(out, 8, "CUT");
    }
    for (const PlacedPart& part : sheet.parts) {
        if (!(part.labelHeight > 0.0)) continue;
        group(out, 0, "TEXT");
        group(out, 8, "MARK");
        group(out, 10, number(part.labelAt.x));
        group(out, 20, number(part.labelAt.y));
        group(out, 30, "0.0");
        group(out, 40, number(part.labelHeight));
        group(out, 1, part.label);
    }
    group(out, 0, "ENDSEC");
    out += "0\nEOF\n";
    return out;
}

std::string sheetSvg(const Sheet& sheet, const SheetSize& size, bool metric) {
    const std::string unit = metric ? "mm" : "in";
    // A hairline: a tenth of a millimetre.
    const std::string stroke = number(metric ? 0.1 : 0.1 / 25.4);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(size.width) + unit + "\" height=\"" +
           number(size.height) + unit + "\" viewBox=\"0 0 " + number(size.width) + " " + number(size.height) + "\">\n";
    // Flip y so the sheet reads as the drawing does, y up from the bottom edge.
    out += "<g transform=\"matrix(1 0 0 -1 0 " + number(size.height) + ")\">\n";
    for (const PlacedPart& part : sheet.parts) {
        out += "<path fill=\"none\" stroke=\"#ff0000\" stroke-width=\"" + stroke + "\" d=\"";
        for (std::size_t i = 0; i < part.outline.size(); ++i) {
            out += i == 0 ? "M" : " L";
            out += number(part.outline[i].x) + " " + number(part.outline[i].y);
        }
        out += " Z\"/>\n";
    }
    out += "</g>\n";
    for (const PlacedPart& part : sheet.parts) {
        if (!(part.labelHeight > 0.0)) continue;
        out += "<text x=\"" + number(part.labelAt.x) + "\" y=\"" + number(size.height - part.labelAt.y) +
               "\" font-family=\"sans-serif\" font-size=\"" + number(part.labelHeight) + "\" fill=\"#0000ff\">" +
               xmlText(part.label) + "</text>\n";
    }
    out += "</svg>\n";
    return out;
}

std::string writeOutputFolder(const std::string& folder, const std::vector<OutputFile>& files) {
    std::error_code ec;
    const fs::path dir(folder);
    bool made = false;
    const fs::file_status status = fs::symlink_status(dir, ec);
    if (fs::exists(status)) {
        if (!fs::is_directory(status)) return folder + " exists and is not a folder; nothing was written.";
        if (!fs::is_empty(dir, ec) || ec) return folder + " is not empty; nothing was written.";
    } else {
        if (!fs::create_directory(dir, ec) || ec) return folder + " could not be created; nothing was written.";
        made = true;
    }
    std::vector<fs::path> written;
    for (const OutputFile& file : files) {
        const fs::path path = dir / file.name;
        const FileWriteResult result = writeNewFile(path.string(), file.bytes);
        if (result != FileWriteResult::Written) {
            for (const fs::path& p : written) fs::remove(p, ec);
            if (made) fs::remove(dir, ec);
            return path.string() + ": " +
                   (result == FileWriteResult::AlreadyExists ? std::string("the file already exists")
                                                             : std::string("the file could not be written")) +
                   "; nothing was written.";
        }
        written.push_back(path);
    }
    return {};
}

} // namespace parvelin::wing

namespace parvelin::wing {

std::string writeSheetFiles(const std::string& fileName, const RibSet& set, WingSide side, const SheetSize& sheet,
                            double kerf, bool metric, std::vector<std::string>* written) {
    namespace fs = std::filesystem;
    if (written != nullptr) written->clear();
    if (set.ribs.empty()) return set.error.empty() ? "The wing has no ribs." : set.error;
    const fs::path chosen(fileName);
    std::string extension = chosen.extension().string();
    for (char& ch : extension) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (extension != ".dxf" && extension != ".svg") return "The file's name must end in .dxf or .svg.";
    const bool svg = extension == ".svg";
    if (!(kerf >= 0.0) || !std::isfinite(kerf)) return "The kerf must be a length of 0 or more.";

    const Nesting nesting = nestParts(nestPartsOf(set, side), sheet, partGap(kerf, metric));
    if (!nesting.error.empty()) return nesting.error;

    // Every sheet is made in memory and every name checked before the first byte is written.
    std::vector<OutputFile> files;
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        if (!sheetFinite(nesting.sheets[s]))
            return "Sheet " + std::to_string(s + 1) + " holds a coordinate that is not a finite number.";
        const fs::path path = chosen.parent_path() /
                              (chosen.stem().string() + "-sheet-" + std::to_string(s + 1) + chosen.extension().string());
        std::error_code ec;
        if (fs::exists(fs::symlink_status(path, ec))) return path.string() + " already exists; nothing was written.";
        files.push_back({path.string(), svg ? sheetSvg(nesting.sheets[s], sheet, metric) : sheetDxf(nesting.sheets[s], metric)});
    }
    std::vector<std::string> done;
    for (const OutputFile& file : files) {
        const FileWriteResult result = writeNewFile(file.name, file.bytes);
        if (result != FileWriteResult::Written) {
            for (const std::string& name : done) {
                std::error_code ec;
                fs::remove(name, ec);
            }
            return result == FileWriteResult::AlreadyExists ? file.name + " already exists; nothing was written."
                                                            : "Cannot write " + file.name + "; nothing was written.";
        }
        done.push_back(file.name);
    }
    if (written != nullptr) *written = std::move(done);
    return {};
}

} // namespace parvelin::wing
