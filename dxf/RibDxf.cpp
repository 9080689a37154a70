// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxf/RibDxf.h"

#include <filesystem>
#include <system_error>

#include "model/ReplaceFile.h"

namespace parvelin {

bool writeOutlineDxf(const ComponentOutline& outline, DxfWriter* writer, const RibProperties& properties) {
    if (writer == nullptr) return false;
    const double k = properties.chord;
    for (std::size_t i = 1; i < outline.size(); ++i) {
        const OutlineSegment& a = outline[i - 1];
        const OutlineSegment& b = outline[i];
        if (b.penDown == 1) writer->line(k * a.modelX, k * a.modelY, k * b.modelX, k * b.modelY);
    }
    return true;
}

void writeRibLines(DxfWriter& writer, const Rib& rib) {
    const RibProperties& properties = rib.properties;
    const double k = properties.chord;
    for (std::size_t i = 0; i + 1 < rib.points.size(); ++i) {
        const AirfoilPoint& a = rib.points[i];
        const AirfoilPoint& b = rib.points[i + 1];
        writer.line(k * a.modelX, k * a.modelY, k * b.modelX, k * b.modelY);
    }
    if (rib.leadingEdge.isBuilt()) writeComponentDxf(rib.leadingEdge, &writer, properties);
    if (rib.trailingEdge.isBuilt()) writeComponentDxf(rib.trailingEdge, &writer, properties);
    if (rib.spars.isBuilt()) writeComponentDxf(rib.spars, &writer, properties);
    if (rib.sheeting.isBuilt()) writeComponentDxf(rib.sheeting, &writer, properties);
}

DxfWriter ribDxfDrawing(const Rib& rib) {
    DxfWriter writer;
    writer.header(inMillimetres(rib.properties));
    writeRibLines(writer, rib);
    // The holes' edges, each closed, after the components.
    const double k = rib.properties.chord;
    for (const ModelPolygon& hole : rib.lighteningHoles)
        for (std::size_t i = 0; i < hole.size(); ++i) {
            const ModelPoint& a = hole[i];
            const ModelPoint& b = hole[(i + 1) % hole.size()];
            writer.line(k * a.x, k * a.y, k * b.x, k * b.y);
        }
    writer.trailer();
    return writer;
}

FileWriteResult writeRibDxfFile(const std::string& path, const Rib& rib, bool replace) {
    const DxfWriter drawing = ribDxfDrawing(rib);
    std::error_code ec;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, ec));
    if (!drawing.allFinite()) {
        // Never create the file at all: an existing one stays untouched too.
        return !replace && exists ? FileWriteResult::AlreadyExists : FileWriteResult::NotFinite;
    }
    if (replace && exists)
        return replaceFile(path, drawing.text()).written ? FileWriteResult::Written : FileWriteResult::WriteFailed;
    return writeNewFile(path, drawing.text());
}

} // namespace parvelin
