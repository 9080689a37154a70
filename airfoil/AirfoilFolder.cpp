// SPDX-License-Identifier: GPL-3.0-or-later
#include "airfoil/AirfoilFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "model/ImportReader.h"

namespace parvelin {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower(c);
    return out;
}

bool contains(std::string_view text, const std::string& loweredNeedle) {
    return lowered(text).find(loweredNeedle) != std::string::npos;
}

} // namespace

bool isAirfoilFileName(std::string_view fileName) {
    return fileName.size() > 4 && lowered(fileName.substr(fileName.size() - 4)) == ".dat";
}

AirfoilEntry readAirfoilEntry(const std::string& path) {
    AirfoilEntry entry;
    entry.path = path;
    entry.fileName = std::filesystem::path(path).filename().string();
    std::string why;
    std::optional<CoordinateFileContents> contents = readAirfoilSection(path, why);
    if (!contents) {
        for (char& c : why)
            if (c == '\n') c = ' ';
        entry.error = why;
        return entry;
    }
    entry.readable = true;
    entry.name = contents->name;
    entry.drawingOrder = std::move(contents->drawingOrder);
    entry.measure = measureSection(entry.drawingOrder);
    return entry;
}

AirfoilFolderListing listAirfoilFolder(const std::string& folder) {
    AirfoilFolderListing listing;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) {
        listing.error = ec.message();
        return listing;
    }
    std::vector<std::string> paths;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::filesystem::directory_entry& file = *it;
        std::error_code typeError;
        if (!file.is_regular_file(typeError) || !isAirfoilFileName(file.path().filename().string())) continue;
        paths.push_back(file.path().string());
    }
    if (ec) {
        listing.error = ec.message();
        return listing;
    }
    listing.folderRead = true;
    listing.entries.reserve(paths.size());
    for (const std::string& path : paths) listing.entries.push_back(readAirfoilEntry(path));
    std::sort(listing.entries.begin(), listing.entries.end(), [](const AirfoilEntry& a, const AirfoilEntry& b) {
        const std::string la = lowered(a.fileName);
        const std::string lb = lowered(b.fileName);
        return la != lb ? la < lb : a.fileName < b.fileName;
    });
    return listing;
}

bool airfoilEntryMatches(const AirfoilEntry& entry, std::string_view search, double minThickness, double maxThickness) {
    const std::string needle = lowered(search);
    if (!needle.empty() && !contains(entry.name, needle) && !contains(entry.fileName, needle)) return false;
    if (!entry.measure) return minThickness <= 0.0 && maxThickness >= 1.0;
    return entry.measure->thickness >= minThickness && entry.measure->thickness <= maxThickness;
}

} // namespace parvelin
