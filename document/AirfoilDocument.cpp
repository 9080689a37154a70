// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/AirfoilDocument.h"

#include <filesystem>

#include "model/ImportReader.h"
#include "resources/Strings.h"

namespace parvelin {

AirfoilDocument::AirfoilDocument() : name_(resources::loadString(resources::kStringUntitled)) {}

AirfoilDocument::~AirfoilDocument() = default;

void AirfoilDocument::setName(const char* text) {
    if (text == nullptr)
        name_.reset();
    else
        name_ = std::string(text);
}

void AirfoilDocument::appendPoint(float modelX, float modelY) { rib_.points.push_back(AirfoilPoint{modelX, modelY}); }

void AirfoilDocument::applyProperties(const RibProperties& record) {
    rib_ = buildRib(std::move(rib_.points), record);
}

RibPicture AirfoilDocument::picture() const {
    return RibPicture{rib_, RibViewFlags{showEdgeLines(), showChordLine(), showCamberLine(), showCutOutline()},
                      name_.value_or(std::string()), isLoaded()};
}

void AirfoilDocument::reset() {
    const RibProperties properties = rib_.properties;
    rib_ = Rib{};
    rib_.properties = properties;
    name_.reset();
    fileName_.clear();
    loaded_ = 0;
}

ReadStatus AirfoilDocument::loadFile(const std::string& path, std::string* hint) {
    if (hint != nullptr) hint->clear();
    const CoordinateFileContents contents = readCoordinateFile(path);
    if (contents.status != ReadStatus::Loaded) return contents.status;
    takeContents(contents);
    fileName_ = std::filesystem::path(path).filename().string();
    if (hint != nullptr) *hint = openReadHint(contents, readImportFile(path), "File > Import");
    return ReadStatus::Loaded;
}

void AirfoilDocument::takeContents(const CoordinateFileContents& contents) {
    setName(contents.name.c_str());
    std::vector<AirfoilPoint> points = std::move(rib_.points);
    points.insert(points.end(), contents.drawingOrder.begin(), contents.drawingOrder.end());
    rib_ = buildRib(std::move(points), rib_.properties);
    loaded_ = 1;
}

std::string AirfoilDocument::exportFileName() const {
    const std::filesystem::path file(fileName_);
    if (file.stem().empty()) return "*.dxf";
    return file.stem().string() + ".dxf";
}

} // namespace parvelin
