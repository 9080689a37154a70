// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Import: a tolerant reader for airfoil coordinate files as modellers
// find them. It works out the layout from the content (not the extension),
// repairs what it safely can, and hands over the same contents the strict
// reader of File > Open produces, so that loading goes on exactly as Open's.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/CoordinateFile.h"

namespace parvelin {

inline constexpr std::size_t kMaxImportFileSize = 1024 * 1024;
inline constexpr std::size_t kMaxImportPoints = 20000;

enum class ImportStatus {
    Imported,
    OpenFailed,     // the file could not be opened or read
    TooLarge,       // over kMaxImportFileSize, checked before reading
    Binary,         // NUL bytes or many control characters
    NoPairs,        // no usable x, y pairs, or no extent
    TooFewPoints,   // one or two points
    TooManyPoints,  // more than kMaxImportPoints pairs
    OneSurface,     // the points run to the nose and never come back
    SelfCrossing,   // the closed outline crosses itself
};

// What the reader changed on the way in, in the order it reports them.
enum class ImportChange {
    NamedAfterFile,    // no text line: the file name is the airfoil's name
    DecimalCommas,     // "0,5" read as 0.5
    OtherNumberLines,  // lines with one or more than two numbers skipped
    Columns,           // rows of three or four numbers: the columns that are no x or y left out
    Percent,           // largest x between 5 and 110: divided by 100
    Duplicates,        // consecutive repeated points dropped
    SortedByX,         // points sorted by x, surfaces interleaved: rebuilt into two surfaces
    Clockwise,         // the outline ran clockwise and was reversed
    Normalised,        // moved, turned and scaled onto the unit chord
};

inline constexpr const char* kMessageTooFewPoints =
    "The file holds too few points for an airfoil.\nNothing was imported...";

// A column of a file's coordinate rows that is not taken as x or y.
struct DroppedColumn {
    enum class Reason {
        RowNumbers,    // whole numbers counting the rows
        Constant,      // the same number on every row (a z of a section)
        NoCoordinate,  // with x and y taken from the others, no airfoil coordinate
    };
    std::size_t column = 0;  // from 0
    Reason reason = Reason::Constant;
};

struct ImportResult {
    ImportStatus status = ImportStatus::Imported;
    // Status Loaded when imported; name, accepted pairs (the order the
    // drawing order was made from) and drawing order as Open would give them.
    CoordinateFileContents contents;
    // The closed outline in the program's order: trailing edge, upper
    // surface, nose, lower surface, trailing edge.
    std::vector<CoordinatePair> outline;
    std::vector<ImportChange> changes;
    std::size_t pairsTaken = 0;  // x, y pairs read, before repeats were dropped
    std::size_t duplicatesDropped = 0;
    std::size_t otherNumberLines = 0;
    std::vector<DroppedColumn> droppedColumns;  // for Columns
    double turnedDegrees = 0.0;  // rotation applied by Normalised
    double chordFound = 1.0;     // the chord's length before Normalised scaled it to 1

    bool changed(ImportChange change) const;
};

// The message box text for a refused file; null for Imported.
const char* importStatusMessage(ImportStatus status);

// One clause per change, as the report lists them ("coordinates in percent
// of the chord divided by 100").
std::string importChangeText(const ImportResult& result, ImportChange change);

// "Imported with these changes: ...; ...." or empty when nothing changed.
std::string importChangesMessage(const ImportResult& result);

// Reads a file's bytes. `fileName` names the airfoil when no line of text does.
ImportResult parseImportFile(std::string_view bytes, std::string_view fileName);

// Checks the size, then reads and parses the file at `path`.
ImportResult readImportFile(const std::string& path);

// A section read as tolerantly as the program reads any airfoil: File >
// Import's reader (an outline off the unit chord is moved and scaled onto
// it), or Open's when Import refuses the file. None, with `error` saying why
// in a line or two, when neither reads it.
std::optional<CoordinateFileContents> readAirfoilSection(const std::string& path, std::string& error);

// File > Open's hint, for a file Open loaded: how its strict reader took
// the file only in part or read it as something else than `imported`, File >
// Import's reading of the same file, gives (most number lines unread as in
// percent files, a coordinate line taken as the name, an outline whose area
// differs from Import's by more than 1 %), ending "<importWay> reads such
// files.". Empty when Open read the file as it should.
std::string openReadHint(const CoordinateFileContents& contents, const ImportResult& imported,
                         std::string_view importWay);

} // namespace parvelin
