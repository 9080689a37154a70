// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/MachineJobs.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "dxf/DxfWriter.h"
#include "machine/HotwireGcode.h"
#include "wing/WingFiles.h"
#include "geom/Units.h"

namespace parvelin::machine {

std::vector<Polygon> ribContours(const CutDrawing& drawing) {
    if (!drawingIsSound(drawing)) return {};
    const double unit = geom::millimetresPer(drawing.metric);
    Polygon outline;
    for (const ModelPoint& p : drawing.outline) outline.push_back(Vec2{p.x * unit, p.y * unit});
    const wing::Box box = wing::bounds(outline);
    // The holes first; the laser orders them before their outline anyway.
    std::vector<Polygon> contours;
    for (const ModelPolygon& hole : drawing.holes) {
        Polygon inner;
        for (const ModelPoint& p : hole) inner.push_back(Vec2{p.x * unit, p.y * unit});
        contours.push_back(wing::translated(inner, kRibMarginMm - box.minX, kRibMarginMm - box.minY));
    }
    contours.push_back(wing::translated(outline, kRibMarginMm - box.minX, kRibMarginMm - box.minY));
    return contours;
}

SheetContours wingSheetContours(const wing::RibSet& set, wing::WingSide side, const wing::SheetSize& sheet,
                                double kerf, bool metric) {
    SheetContours out;
    if (set.ribs.empty()) {
        out.error = set.error.empty() ? "The wing has no ribs." : set.error;
        return out;
    }
    if (!std::isfinite(kerf) || kerf < 0.0) {
        out.error = "The kerf must be a length of 0 or more.";
        return out;
    }
    const wing::Nesting nesting = wing::nestParts(wing::nestPartsOf(set, side), sheet, wing::nestOptions(kerf, metric));
    if (!nesting.error.empty()) {
        out.error = nesting.error;
        return out;
    }
    return nestedContours(nesting, metric);
}

SheetContours nestedContours(const wing::Nesting& nesting, bool metric) {
    SheetContours out;
    const double unit = geom::millimetresPer(metric);
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        if (!wing::sheetFinite(nesting.sheets[s])) {
            out.error = "Sheet " + std::to_string(s + 1) + " holds a coordinate that is not a finite number.";
            out.sheets.clear();
            return out;
        }
        std::vector<Polygon> contours;
        for (const wing::PlacedPart& part : nesting.sheets[s].parts) {
            // Its holes (already shrunk by half the kerf) come with it; the
            // laser orders every hole before the outline round it.
            for (const Polygon& hole : part.holes) {
                Polygon inner;
                for (const Vec2& p : hole) inner.push_back(Vec2{p.x * unit, p.y * unit});
                contours.push_back(std::move(inner));
            }
            Polygon outline;
            for (const Vec2& p : part.outline) outline.push_back(Vec2{p.x * unit, p.y * unit});
            // The nesting places each part's cut path: the part grown by half the kerf.
            contours.push_back(std::move(outline));
        }
        out.sheets.push_back(std::move(contours));
    }
    return out;
}

std::string besideName(const std::string& path, const std::string& suffix) {
    const std::filesystem::path chosen(path);
    return (chosen.parent_path() / (chosen.stem().string() + "-" + suffix + chosen.extension().string())).string();
}

std::string writeNewFiles(const std::vector<NewFile>& files) {
    namespace fs = std::filesystem;
    for (const NewFile& file : files) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(file.path, ec))) return file.path + " already exists; nothing was written.";
    }
    std::vector<std::string> done;
    for (const NewFile& file : files) {
        const FileWriteResult result = writeNewFile(file.path, file.bytes);
        if (result != FileWriteResult::Written) {
            for (const std::string& path : done) {
                std::error_code ec;
                fs::remove(path, ec);
            }
            return result == FileWriteResult::AlreadyExists ? file.path + " already exists; nothing was written."
                                                            : "Cannot write " + file.path + "; nothing was written.";
        }
        done.push_back(file.path);
    }
    return {};
}

} // namespace parvelin::machine
