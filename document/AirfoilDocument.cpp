// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/AirfoilDocument.h"
#include "document/ReplaceFile.h"

#include <filesystem>
#include <system_error>

#include "document/ImportReader.h"
#include "platform/Services.h"
#include "resources/Strings.h"

namespace parvelin {

AirfoilDocument::AirfoilDocument() : name_(resources::loadString(resources::kStringUntitled)) {}

AirfoilDocument::~AirfoilDocument() {
    if (window_ != nullptr) reset(window_);
}

void AirfoilDocument::setName(const char* text) {
    if (text == nullptr)
        name_.reset();
    else
        name_ = std::string(text);
}

void AirfoilDocument::appendPoint(float modelX, float modelY) { rib_.points.push_back(AirfoilPoint{modelX, modelY}); }

void AirfoilDocument::applyProperties(const RibProperties& record) {
    rib_ = buildRib(std::move(rib_.points), record);
    if (window_ != nullptr) window_->invalidate(true);
}

RibPicture AirfoilDocument::picture() const {
    return RibPicture{rib_, RibViewFlags{showEdgeLines(), showChordLine(), showCamberLine(), showCutOutline()},
                      name_.value_or(std::string()), isLoaded()};
}

void AirfoilDocument::reset(platform::Window* window) {
    if (window != nullptr) window->setTitle(resources::loadString(resources::kStringUntitled));
    const RibProperties properties = rib_.properties;
    rib_ = Rib{};
    rib_.properties = properties;
    window_ = nullptr;
    screen_.reset();
    name_.reset();
    fileName_.clear();
    loaded_ = 0;
    if (window != nullptr) window->invalidate(true);
}

ReadStatus AirfoilDocument::loadFile(const std::string& path, platform::Window* window) {
    const CoordinateFileContents contents = readCoordinateFile(path);
    if (contents.status != ReadStatus::Loaded) {
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(nullptr, readStatusMessage(contents.status), "", platform::MessageIcon::Error);
        return contents.status;
    }
    takeContents(contents, window);
    fileName_ = std::filesystem::path(path).filename().string();
    // A file Open took only in part (percent of the chord, no name line, one
    // surface) loads as the points it took; say so and point to File > Import.
    if (const std::string hint = openReadHint(contents, readImportFile(path), "File > Import"); !hint.empty())
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(window, hint, "Open", platform::MessageIcon::Information);
    return ReadStatus::Loaded;
}

void AirfoilDocument::takeContents(const CoordinateFileContents& contents, platform::Window* window) {
    setName(contents.name.c_str());
    std::vector<AirfoilPoint> points = std::move(rib_.points);
    for (const CoordinatePair& p : contents.drawingOrder) points.push_back(AirfoilPoint{p.x, p.y});
    rib_ = buildRib(std::move(points), rib_.properties);

    setWindow(window);
    fitToWindow();
    loaded_ = 1;
    if (window != nullptr) {
        window->setTitle(name_.value_or(std::string()));
        window->invalidate(true);
    }
}

DxfWriter AirfoilDocument::dxfDrawing() const {
    DxfWriter writer;
    const RibProperties& properties = rib_.properties;
    writer.header(properties.metric != 0);
    const double k = properties.chord;
    for (std::size_t i = 0; i + 1 < rib_.points.size(); ++i) {
        const AirfoilPoint& a = rib_.points[i];
        const AirfoilPoint& b = rib_.points[i + 1];
        writer.line(k * a.modelX, k * a.modelY, k * b.modelX, k * b.modelY);
    }
    if (rib_.leadingEdge.isBuilt()) rib_.leadingEdge.writeDxf(&writer, properties);
    if (rib_.trailingEdge.isBuilt()) rib_.trailingEdge.writeDxf(&writer, properties);
    if (rib_.spars.isBuilt()) rib_.spars.writeDxf(&writer, properties);
    if (rib_.sheeting.isBuilt()) rib_.sheeting.writeDxf(&writer, properties);
    // The holes' edges, each closed, after the components.
    for (const ModelPolygon& hole : lighteningHoles())
        for (std::size_t i = 0; i < hole.size(); ++i) {
            const ModelPoint& a = hole[i];
            const ModelPoint& b = hole[(i + 1) % hole.size()];
            writer.line(k * a.x, k * a.y, k * b.x, k * b.y);
        }
    writer.trailer();
    return writer;
}

FileWriteResult AirfoilDocument::writeDxfFile(const std::string& path, bool replace) const {
    const DxfWriter drawing = dxfDrawing();
    if (!drawing.allFinite()) {
        // Never create the file at all: an existing one stays untouched too.
        std::error_code ec;
        if (!replace && std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
            return FileWriteResult::AlreadyExists;
        return FileWriteResult::NotFinite;
    }
    std::error_code ec;
    if (replace && std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return replaceFile(path, drawing.text()).written ? FileWriteResult::Written : FileWriteResult::WriteFailed;
    return writeNewFile(path, drawing.text());
}

std::string AirfoilDocument::exportFileName() const {
    const std::filesystem::path file(fileName_);
    if (file.stem().empty()) return "*.dxf";
    return file.stem().string() + ".dxf";
}

const char* fileWriteMessage(FileWriteResult result) {
    switch (result) {
    case FileWriteResult::Written: return "";
    case FileWriteResult::AlreadyExists: return kMessageExportExists;
    case FileWriteResult::CannotCreate: return kMessageExportCannotCreate;
    case FileWriteResult::NotFinite: return kMessageExportNotFinite;
    case FileWriteResult::WriteFailed: return kMessageExportWriteFailed;
    }
    return "";
}

} // namespace parvelin
