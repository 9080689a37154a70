// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rib design files (.parvelin): one document saved as JSON text, so that it
// opens again exactly as it was: the airfoil's name and points as they were
// read, every rib property by its field name and the view flags.
//
//   {
//     "format": "parvelin-rib-design",
//     "version": "1.0",
//     "airfoil": { "name": "CLARK Y", "points": [[1.0, 0.0006], ...] },
//     "rib": { "leadingEdgeStyle": 1, "leadingEdgeHeight": 10.0, ... },
//     "view": { "chordLine": true, "edgeLines": true, "camberLine": false }
//   }
//
// Numbers are written so that they read back to the same float bit for bit.
// Readers of the same major version ignore fields they do not know (a later
// version adds its "wing" beside "rib"); a newer major version is refused.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/CoordinateFile.h"
#include "model/ReplaceFile.h"
#include "model/RibProperties.h"

namespace parvelin {

class AirfoilDocument;

inline constexpr const char* kRibDesignFormat = "parvelin-rib-design";
inline constexpr int kRibDesignMajorVersion = 1;
inline constexpr int kRibDesignMinorVersion = 0;
inline constexpr const char* kRibDesignExtension = ".parvelin";
// Far beyond any airfoil: a coordinate file of 4,096 bytes holds a few hundred.
inline constexpr std::size_t kMaxRibDesignPoints = 10000;
inline constexpr std::size_t kMaxRibDesignFileSize = 4 * 1024 * 1024;

// What a rib design file holds: the document's model data.
struct RibDesign {
    std::string name;                   // bytes as read from the coordinate file
    std::vector<CoordinatePair> points; // drawing order
    RibProperties properties = kDefaultRibProperties;
    bool showChordLine = true;
    bool showEdgeLines = true;
    bool showCamberLine = false;
    // The "wing" object as JSON text, kept as read and written as given;
    // empty for a single rib. The wing layer reads and checks it.
    std::string wing;
    friend bool operator==(const RibDesign&, const RibDesign&) = default;
};

struct RibDesignRead {
    bool loaded = false;
    std::string error;  // why nothing was loaded, naming the problem
    RibDesign design;
};

// The file's text. `error` is set (and the text empty) when the design
// cannot be written faithfully, e.g. a point that is not a finite number.
std::string ribDesignText(const RibDesign& design, std::string& error);

// Reads a file's bytes; refuses anything that is not a sound rib design.
RibDesignRead parseRibDesign(std::string_view bytes);
RibDesignRead readRibDesignFile(const std::string& path);

// Writes the design over `path` atomically (ReplaceFile.h).
ReplaceResult writeRibDesignFile(const std::string& path, const RibDesign& design);

// True for a name ending in ".parvelin" (any case).
bool isRibDesignPath(std::string_view path);

// The design of a loaded document, and a document loaded from a design:
// name and points taken, properties applied, components built, view flags set.
RibDesign designOf(const AirfoilDocument& document);
void loadDesign(AirfoilDocument& document, const RibDesign& design);

} // namespace parvelin
