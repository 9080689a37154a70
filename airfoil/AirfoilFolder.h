// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of airfoil coordinate files as the Airfoil Browser lists it:
// every .dat file read as tolerantly as File > Import reads, with its name,
// points, thickness and camber, or the reason it cannot be read.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airfoil/SectionMeasure.h"
#include "model/CoordinateFile.h"

namespace parvelin {

struct AirfoilEntry {
    std::string fileName;  // within the folder
    std::string path;
    bool readable = false;
    std::string error;     // why the file cannot be read (one line)
    std::string name;      // the airfoil's name
    std::vector<CoordinatePair> drawingOrder;
    std::optional<SectionMeasure> measure;
};

struct AirfoilFolderListing {
    bool folderRead = false;
    std::string error;  // why the folder cannot be listed
    std::vector<AirfoilEntry> entries;  // by file name, case ignored
};

// A file the browser lists: a regular file (or a link to one) whose name
// ends in .dat in any case.
bool isAirfoilFileName(std::string_view fileName);

// Reads one file as the browser shows it.
AirfoilEntry readAirfoilEntry(const std::string& path);

// Every .dat file of the folder (not of its subfolders).
AirfoilFolderListing listAirfoilFolder(const std::string& folder);

// The browser's filter: `search` is found in the airfoil's or the file's
// name (case ignored; empty finds all), and the thickness lies within
// [minThickness, maxThickness] (fractions of the chord). A file that cannot
// be read passes the thickness filter only while it spans every section
// (0 to 1 or wider), so that it still shows with its reason.
bool airfoilEntryMatches(const AirfoilEntry& entry, std::string_view search, double minThickness, double maxThickness);

} // namespace parvelin
