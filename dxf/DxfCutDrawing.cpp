// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxf/DxfCutDrawing.h"
#include "geom/Constants.h"

#include <dxflib/dl_dxf.h>

#include <memory>
#include <string_view>

namespace parvelin {
namespace {

// dxflib's ASCII writer with its lines kept in memory: dxflib still chooses
// every group and formats every real number (its dxfReal ends in dxfString),
// and each line lands in `text` instead of a file.
class TextWriter final : public DL_WriterA {
public:
    TextWriter(DL_Codes::version version, std::string& text) : DL_WriterA("/dev/null", version), text_(text) {}
    void dxfInt(int gc, int value) const override {
        groupCode(gc);
        text_ += std::to_string(value);
        text_ += '\n';
    }
    void dxfString(int gc, const char* value) const override {
        groupCode(gc);
        text_ += value;
        text_ += '\n';
    }
    void dxfString(int gc, const std::string& value) const override {
        groupCode(gc);
        text_ += value;
        text_ += '\n';
    }

private:
    // A group code right-aligned in three places, as dxflib writes it.
    void groupCode(int gc) const {
        text_ += gc < 10 ? "  " : (gc < 100 ? " " : "");
        text_ += std::to_string(gc);
        text_ += '\n';
    }
    std::string& text_;
};

// Group code and value lines, kept with their own line ends.
std::vector<std::string_view> dxfLines(const std::string& text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.emplace_back(text.data() + at, end - at);
        at = end;
    }
    return lines;
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    return line;
}

// The drawing without what dxflib adds for R2000 but does not tie together:
// its OBJECTS section (dictionaries and layouts whose owner handles point
// nowhere, which readers then have to repair), the layout pointers (group
// 340) of the block records that would name those objects, and the block
// record of a second paper space that no block uses. R2000 readers take a
// drawing without objects; the entities are untouched.
std::string withoutDanglingObjects(const std::string& text) {
    const std::vector<std::string_view> lines = dxfLines(text);
    std::string out;
    out.reserve(text.size());
    std::string_view entity;      // the type of the entity or table entry being copied
    bool dropping = false;        // inside a dropped table entry
    bool droppingSection = false;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string_view code = trimmed(lines[i]);
        const std::string_view value = trimmed(lines[i + 1]);
        if (code == "0") {
            if (droppingSection) {
                if (value == "ENDSEC") droppingSection = false;
                continue;
            }
            entity = value;
            dropping = false;
            if (value == "SECTION" && i + 3 < lines.size() && trimmed(lines[i + 3]) == "OBJECTS") {
                droppingSection = true;
                continue;
            }
            // A block record's name follows its handle and subclass markers.
            if (value == "BLOCK_RECORD")
                for (std::size_t k = i + 2; k + 1 < lines.size() && trimmed(lines[k]) != "0"; k += 2)
                    if (trimmed(lines[k]) == "2") dropping = trimmed(lines[k + 1]) == "*Paper_Space0";
        }
        if (droppingSection || dropping) continue;
        if (entity == "BLOCK_RECORD" && code == "340") continue;
        out.append(lines[i]);
        out.append(lines[i + 1]);
    }
    if (lines.size() % 2 == 1) out.append(lines.back());
    return out;
}

// The header with the drawing's unit: 4 millimetres or 1 inches, and the
// matching measurement system.
void writeHeader(DL_Dxf& dxf, DL_WriterA& dw, bool metric) {
    dxf.writeHeader(dw);
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, metric ? 4 : 1);
    dw.dxfString(9, "$MEASUREMENT");
    dw.dxfInt(70, metric ? 1 : 0);
    dw.sectionEnd();
}

void writeTables(DL_Dxf& dxf, DL_WriterA& dw, const DxfCutDrawing& d) {
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(static_cast<int>(d.layers.size()) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
    for (const auto& [name, colour] : d.layers)
        dxf.writeLayer(dw, DL_LayerData(name, 0), DL_Attributes("", colour, 0, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, d.textHeight, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
    if (d.version == DxfVersion::R2000) {
        dxf.writeBlockRecord(dw);
        dw.tableEnd();
    }
    dw.sectionEnd();
    // R2000 needs the model and paper space blocks its block records name;
    // R12 has neither.
    dw.sectionBlocks();
    if (d.version == DxfVersion::R2000) {
        dxf.writeBlock(dw, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, "*Model_Space");
        dxf.writeBlock(dw, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, "*Paper_Space");
    }
    dw.sectionEnd();
}

void writeEntity(DL_Dxf& dxf, DL_WriterA& dw, const DxfCutEntity& e) {
    const DL_Attributes on(e.layer, 256, 0, "BYLAYER", 1.0);
    switch (e.kind) {
    case DxfCutEntity::Kind::Polyline:
        dxf.writePolyline(dw, DL_PolylineData(static_cast<int>(e.points.size()), 0, 0, e.closed ? 1 : 0), on);
        for (const auto& [x, y] : e.points) dxf.writeVertex(dw, DL_VertexData(x, y, 0.0, 0.0));
        dxf.writePolylineEnd(dw);
        break;
    case DxfCutEntity::Kind::Line:
        if (e.points.size() == 2)
            dxf.writeLine(dw, DL_LineData(e.points[0].first, e.points[0].second, 0.0, e.points[1].first,
                                          e.points[1].second, 0.0),
                          on);
        break;
    case DxfCutEntity::Kind::Text:
        if (!e.points.empty()) {
            const auto [x, y] = e.points.front();
            dxf.writeText(dw,
                          DL_TextData(x, y, 0.0, x, y, 0.0, e.height, 1.0, 0, 0, 0, e.words, "Standard",
                                      e.angle * geom::kPi / 180.0),
                          on);
        }
        break;
    }
}

} // namespace

std::string dxflibText(const DxfCutDrawing& d) {
    const DL_Codes::version version = d.version == DxfVersion::R12 ? DL_Codes::AC1009 : DL_Codes::AC1015;
    std::string bytes;
    {
        DL_Dxf dxf;
        // out() gives the drawing its version; its own file writer is not used.
        std::unique_ptr<DL_WriterA> unused(dxf.out("/dev/null", version));
        TextWriter dw(version, bytes);
        writeHeader(dxf, dw, d.metric);
        writeTables(dxf, dw, d);
        dw.sectionEntities();
        for (const DxfCutEntity& e : d.entities) writeEntity(dxf, dw, e);
        dw.sectionEnd();
        dw.dxfEOF();
    }
    return d.version == DxfVersion::R2000 ? withoutDanglingObjects(bytes) : bytes;
}

} // namespace parvelin
