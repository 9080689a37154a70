// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading airfoil coordinate files: the first line names the airfoil, every
// further line holds an x, y pair normalised to the chord.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "geom/Point.h"

namespace parvelin {

inline constexpr std::size_t kMaxCoordinateFileSize = 4096;
inline constexpr std::size_t kMaxNameLength = 255;

inline constexpr const char* kMessageOpenFailed =
    "An error occured during\nopening of the file.\nNothing was loaded...";
inline constexpr const char* kMessageFileTooLarge =
    "The file is larger than 4096 bytes.\nNothing was loaded...";
inline constexpr const char* kMessageNoCoordinates =
    "The file holds no airfoil coordinates.\nNothing was loaded...";

// A point as a coordinate file gives it: the stored single-precision point of
// the rib geometry, fractions of the chord.
using CoordinatePair = geom::Point;

enum class ReadStatus {
    Loaded,
    OpenFailed,     // the file could not be opened or read
    TooLarge,       // larger than kMaxCoordinateFileSize
    NoCoordinates,  // fewer than two points reach the drawing order
};

struct CoordinateFileContents {
    ReadStatus status = ReadStatus::Loaded;
    std::string name;                           // the first line, without its terminator
    std::vector<CoordinatePair> accepted;       // pairs in file order
    std::vector<CoordinatePair> drawingOrder;   // trailing edge, one surface, nose, other surface
    std::size_t pairLines = 0;                  // lines that scanned as two numbers, taken or not
};

// The message box text for a refused file; null for Loaded.
const char* readStatusMessage(ReadStatus status);

// Turns a file's bytes into its name, the accepted pairs and the points in
// drawing order. Refuses files over 4,096 bytes and files that give fewer
// than two points.
CoordinateFileContents parseCoordinateFile(std::string_view bytes);

// Reads and parses the file at `path` (OpenFailed when it cannot be read,
// including a folder or a file without read permission).
CoordinateFileContents readCoordinateFile(const std::string& path);

// Reorders accepted pairs (file order) into drawing order.
std::vector<CoordinatePair> reorderToDrawingOrder(const std::vector<CoordinatePair>& pairs);

} // namespace parvelin
