// SPDX-License-Identifier: GPL-3.0-or-later
#include "wing/WingFiles.h"

#include <cctype>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "dxf/RibDxf.h"
#include "text/NumberText.h"
#include "wing/CommonLine.h"
#include "geom/Units.h"

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

} // namespace

namespace {

// The rib's lines without header and trailer: airfoil, components, tabs.
void ribLines(DxfWriter& writer, const WingRib& rib) {
    writeRibLines(writer, rib);
    for (const BuildingTab& tab : rib.tabs) tabLines(writer, tab);
    // The lightening holes, each closed.
    for (const Polygon& hole : rib.holes)
        for (std::size_t i = 0; i < hole.size(); ++i) {
            const Vec2& a = hole[i];
            const Vec2& b = hole[(i + 1) % hole.size()];
            writer.line(a.x, a.y, b.x, b.y);
        }
}

} // namespace

DxfWriter ribDrawing(const WingRib& rib) {
    DxfWriter writer;
    writer.header(inMillimetres(rib.properties));
    ribLines(writer, rib);
    writer.trailer();
    return writer;
}

DxfWriter setDrawing(const RibSet& set, std::vector<double>* offsets) {
    DxfWriter writer;
    writer.header(set.ribs.empty() || inMillimetres(set.ribs.front().properties));
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
        for (char letter : letters) parts.push_back(NestPart{rib.outline, rib.label(letter), rib.labelAt, rib.labelHeight, rib.holes});
    return parts;
}

bool sheetFinite(const Sheet& sheet) {
    for (const PlacedPart& part : sheet.parts) {
        for (const Vec2& p : part.outline)
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
        for (const Polygon& hole : part.holes)
            for (const Vec2& p : hole)
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
        if (!std::isfinite(part.labelAt.x) || !std::isfinite(part.labelAt.y) || !std::isfinite(part.labelHeight))
            return false;
    }
    return true;
}

CutLayout sheetLayout(const Sheet& sheet, const SheetSize& size, bool metric, const std::string& title) {
    CutLayout layout;
    layout.metric = metric;
    layout.pageWidth = size.width;
    layout.pageHeight = size.height;
    layout.title = title;
    auto model = [](const std::vector<Vec2>& points) {
        ModelPolygon out;
        out.reserve(points.size());
        for (const Vec2& p : points) out.push_back({p.x, p.y});
        return out;
    };
    if (sheet.commonLine) {
        // Every hole first: the laser cuts the insides while the parts
        // still sit in the sheet; then the outlines, shared lines once.
        for (const PlacedPart& part : sheet.parts)
            for (const Polygon& hole : part.holes) layout.outlines.push_back(model(hole));
        std::vector<Polygon> paths;
        for (const PlacedPart& part : sheet.parts) paths.push_back(part.outline);
        const SharedCuts cuts = shareCommonLines(paths, kCommonLineTolerance * (1.0 / geom::millimetresPer(metric)));
        for (const Polygon& p : cuts.closed) layout.outlines.push_back(model(p));
        for (const std::vector<Vec2>& line : cuts.open) layout.openCuts.push_back(model(line));
    }
    for (const PlacedPart& part : sheet.parts) {
        if (!sheet.commonLine) {
            // The part's holes first: the laser cuts the inside while the
            // part still sits in the sheet.
            for (const Polygon& hole : part.holes) layout.outlines.push_back(model(hole));
            layout.outlines.push_back(model(part.outline));
        }
        if (part.labelHeight > 0.0) layout.labels.push_back({part.label, {part.labelAt.x, part.labelAt.y}, part.labelHeight, part.labelAngle});
    }
    return layout;
}

std::string sheetDxf(const Sheet& sheet, bool metric, DxfVersion version) {
    return cutLayoutDxf(sheetLayout(sheet, SheetSize{}, metric), version);
}

std::string sheetSvg(const Sheet& sheet, const SheetSize& size, bool metric, const std::string& title) {
    return cutLayoutSvg(sheetLayout(sheet, size, metric, title));
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

std::string sheetTitle(const Nesting& nesting, std::size_t sheet) {
    return sheetYieldText(nesting, sheet) + "; " + setYieldText(nesting);
}

Nesting nestSet(const RibSet& set, WingSide side, const SheetSize& sheet, const NestOptions& options) {
    if (set.ribs.empty()) {
        Nesting none;
        none.error = set.error.empty() ? "The wing has no ribs." : set.error;
        return none;
    }
    if (!(options.kerf >= 0.0) || !std::isfinite(options.kerf)) {
        Nesting none;
        none.error = "The kerf must be a length of 0 or more.";
        return none;
    }
    return nestParts(nestPartsOf(set, side), sheet, options);
}

std::string writeSheetFiles(const std::string& fileName, const Nesting& nesting, const SheetSize& sheet, bool metric,
                            DxfVersion version, std::vector<std::string>* written) {
    namespace fs = std::filesystem;
    if (written != nullptr) written->clear();
    if (!nesting.error.empty()) return nesting.error;
    const fs::path chosen(fileName);
    std::string extension = chosen.extension().string();
    for (char& ch : extension) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (extension != ".dxf" && extension != ".svg") return "The file's name must end in .dxf or .svg.";
    const bool svg = extension == ".svg";

    // Every sheet is made in memory and every name checked before the first byte is written.
    std::vector<OutputFile> files;
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        if (!sheetFinite(nesting.sheets[s]))
            return "Sheet " + std::to_string(s + 1) + " holds a coordinate that is not a finite number.";
        const fs::path path = chosen.parent_path() /
                              (chosen.stem().string() + "-sheet-" + std::to_string(s + 1) + extension);
        std::error_code ec;
        if (fs::exists(fs::symlink_status(path, ec))) return path.string() + " already exists; nothing was written.";
        files.push_back({path.string(), svg ? sheetSvg(nesting.sheets[s], sheet, metric, sheetTitle(nesting, s))
                                            : sheetDxf(nesting.sheets[s], metric, version)});
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
