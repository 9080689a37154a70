// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImportText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "geom/Point.h"
#include "geom/Polygon.h"
#include "text/FileBytes.h"

namespace parvelin::importing {
namespace {

// No coordinate is larger (a chord of a kilometre in micrometres).
constexpr double kLargestCoordinate = 1e9;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// One number field; a '+' sign and a missing leading zero ("-.0104") are
// allowed, text after the number is not. Infinities, NaN and magnitudes
// beyond kLargestCoordinate are no coordinates, so that every distance and
// area computed from them stays finite.
bool parseNumber(std::string field, double& value, float& single) {
    if (!field.empty() && field[0] == '+') field.erase(0, 1);
    if (field.empty() || field[0] == '+') return false;
    const char* first = field.data();
    const char* last = first + field.size();
    const auto d = std::from_chars(first, last, value);
    if (d.ec != std::errc() || d.ptr != last || !(std::fabs(value) <= kLargestCoordinate)) return false;
    const auto f = std::from_chars(first, last, single);
    if (f.ptr != last) return false;
    // Out of float range: the float conversion reports it; such a number can
    // only belong to a file that needs scaling, where the double is used.
    if (f.ec != std::errc()) single = geom::modelFloat(value);
    return true;
}

// A first column of whole numbers counting up by one (starting again where
// a second block starts) numbers the rows.
bool rowNumbers(const std::vector<const ScannedLines::Row*>& rows) {
    if (rows.size() < 3) return false;
    const double first = rows[0]->values[0];
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double n = rows[i]->values[0];
        if (n != std::floor(n)) return false;
        if (i > 0 && n != rows[i - 1]->values[0] + 1.0 && n != first) return false;
    }
    return true;
}

bool constantColumn(const std::vector<const ScannedLines::Row*>& rows, std::size_t column) {
    for (const ScannedLines::Row* row : rows)
        if (row->values[column] != rows[0]->values[column]) return false;
    return rows.size() >= 3;
}

// The line's fields between white space and semicolons. Fixed-width columns
// run a negative number into the one before it (".9500000-.0126000"): a sign
// after a digit or a point starts a field.
std::vector<std::string> blankSeparatedFields(std::string_view line) {
    std::vector<std::string> fields;
    std::string current;
    for (char c : line) {
        if (isSpace(c) || c == ';') {
            if (!current.empty()) fields.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) fields.push_back(std::move(current));
    std::vector<std::string> split;
    for (const std::string& field : fields) {
        std::size_t start = 0;
        for (std::size_t i = 1; i < field.size(); ++i) {
            const char before = field[i - 1];
            if ((field[i] == '-' || field[i] == '+') && (std::isdigit(static_cast<unsigned char>(before)) || before == '.')) {
                split.push_back(field.substr(start, i - start));
                start = i;
            }
        }
        split.push_back(field.substr(start));
    }
    return split;
}

// The number texts of the fields, a comma read as a decimal point or as a
// separator; `commaAsPoint` is set when one stood for the point.
std::vector<std::string> numberTexts(std::vector<std::string> fields, bool& commaAsPoint) {
    std::vector<std::string> numbers;
    for (std::string& field : fields) {
        const auto commas = std::count(field.begin(), field.end(), ',');
        const bool hasPoint = field.find('.') != std::string::npos;
        if (commas == 0) {
            numbers.push_back(field);
        } else if (fields.size() >= 2 && commas == 1 && !hasPoint && field.front() != ',' && field.back() != ',') {
            // "0,5 0,03" or "0,5;0,03": the comma stands for the point.
            field[field.find(',')] = '.';
            numbers.push_back(field);
            commaAsPoint = true;
        } else {
            // "1.0,0.5", "1,0" or "1.0, 0.5": the comma separates numbers.
            std::string part;
            for (char c : field) {
                if (c == ',') {
                    if (!part.empty()) numbers.push_back(part);
                    part.clear();
                } else {
                    part += c;
                }
            }
            if (!part.empty()) numbers.push_back(part);
        }
    }
    return numbers;
}

} // namespace

bool numberFields(std::string_view line, std::vector<double>& values, std::vector<float>& singles,
                  bool& decimalComma) {
    bool commaAsPoint = false;
    const std::vector<std::string> numbers = numberTexts(blankSeparatedFields(line), commaAsPoint);
    if (numbers.empty()) return false;
    values.clear();
    singles.clear();
    for (const std::string& n : numbers) {
        double v = 0.0;
        float f = 0.0f;
        if (!parseNumber(n, v, f)) return false;
        values.push_back(v);
        singles.push_back(f);
    }
    if (commaAsPoint) decimalComma = true;
    return true;
}

std::string_view fromUtf16(std::string_view bytes, std::string& storage) {
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    const bool big = bytes.substr(0, 2) == "\xFE\xFF";
    if (!little && !big) return bytes;
    storage.clear();
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
        storage += hi == 0 && lo < 0x80 ? static_cast<char>(lo) : '?';
    }
    return storage;
}

bool looksBinary(std::string_view bytes) {
    std::size_t control = 0;
    for (unsigned char c : bytes) {
        if (c == 0) return true;
        // Tab, line ends, form feed and the Ctrl-Z end mark of old editors are text.
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A) ++control;
    }
    return control * 100 > bytes.size();
}

std::string trim(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (isSpace(text[b]) || text[b] == '\r')) ++b;
    while (e > b && (isSpace(text[e - 1]) || text[e - 1] == '\r')) --e;
    return std::string(text.substr(b, e - b));
}

std::string nameFromFile(std::string_view fileName) {
    const auto slash = fileName.find_last_of('/');
    if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
    const auto dot = fileName.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) fileName = fileName.substr(0, dot);
    return std::string(fileName);
}


ScannedLines scanLines(std::string_view bytes) {
    ScannedLines scanned;
    std::vector<double> values;
    std::vector<float> singles;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') start = end + 2;
        if (const auto mark = line.find_first_of("#!"); mark != std::string_view::npos) line = line.substr(0, mark);
        const std::string text = trim(line);
        if (text.empty() || text == "\x1A") continue;
        bool lineComma = false;
        if (numberFields(text, values, singles, lineComma)) {
            if (values.size() >= 2 && values.size() <= kMaxColumns) {
                ScannedLines::Row row;
                std::copy(values.begin(), values.end(), row.values.begin());
                std::copy(singles.begin(), singles.end(), row.singles.begin());
                row.count = values.size();
                row.decimalComma = lineComma;
                scanned.rows.push_back(row);
            } else {
                ++scanned.otherNumberLines;
            }
        } else if (!scanned.name) {
            // The name as it stands, as Open takes it; only a comment is cut off.
            scanned.name = std::string(line);
        }
    }
    return scanned;
}


std::vector<ColumnChoice> columnChoices(const ScannedLines& scanned, std::size_t& width,
                                        std::vector<const ScannedLines::Row*>& rows) {
    std::array<std::size_t, kMaxColumns + 1> perWidth{};
    for (const ScannedLines::Row& row : scanned.rows) ++perWidth[row.count];
    width = 2;
    for (std::size_t w = 3; w <= kMaxColumns; ++w)
        if (perWidth[w] > perWidth[width]) width = w;
    rows.clear();
    for (const ScannedLines::Row& row : scanned.rows)
        if (row.count == width) rows.push_back(&row);
    if (width == 2) return {ColumnChoice{}};

    std::vector<DroppedColumn> dropped;
    std::vector<std::size_t> kept;
    for (std::size_t c = 0; c < width; ++c) {
        if (c == 0 && rowNumbers(rows))
            dropped.push_back({c, DroppedColumn::Reason::RowNumbers});
        else if (constantColumn(rows, c))
            dropped.push_back({c, DroppedColumn::Reason::Constant});
        else
            kept.push_back(c);
    }
    std::vector<ColumnChoice> choices;
    for (std::size_t i = 0; i < kept.size(); ++i)
        for (std::size_t j = i + 1; j < kept.size(); ++j) {
            ColumnChoice choice{kept[i], kept[j], dropped};
            for (std::size_t c : kept)
                if (c != kept[i] && c != kept[j]) choice.dropped.push_back({c, DroppedColumn::Reason::NoCoordinate});
            std::sort(choice.dropped.begin(), choice.dropped.end(),
                      [](const DroppedColumn& a, const DroppedColumn& b) { return a.column < b.column; });
            choices.push_back(std::move(choice));
        }
    return choices;
}


} // namespace parvelin::importing

namespace parvelin {

using namespace importing;

// The report's words, for ImportReader.h.
bool ImportResult::changed(ImportChange change) const {
    return std::find(changes.begin(), changes.end(), change) != changes.end();
}

const char* importStatusMessage(ImportStatus status) {
    switch (status) {
    case ImportStatus::Imported: return nullptr;
    case ImportStatus::OpenFailed: return kMessageOpenFailed;
    case ImportStatus::TooLarge: return "The file is larger than 1 MiB (1,048,576 bytes).\nNothing was imported...";
    case ImportStatus::Binary: return "The file holds binary data, not text.\nNothing was imported...";
    case ImportStatus::NoPairs:
        return "The file holds fewer than three usable x, y pairs.\nNothing was imported...";
    case ImportStatus::TooFewPoints: return kMessageTooFewPoints;
    case ImportStatus::TooManyPoints: return "The file holds more than 20,000 points.\nNothing was imported...";
    case ImportStatus::OneSurface:
        return "The points run along one surface only and never return\nto the trailing edge.\nNothing was "
               "imported...";
    case ImportStatus::SelfCrossing: return "The airfoil outline crosses itself.\nNothing was imported...";
    }
    return nullptr;
}

std::string importChangeText(const ImportResult& result, ImportChange change) {
    char buffer[200];
    switch (change) {
    case ImportChange::NamedAfterFile: return "no name line: named after the file";
    case ImportChange::DecimalCommas: return "decimal commas read as decimal points";
    case ImportChange::OtherNumberLines:
        std::snprintf(buffer, sizeof buffer, "%zu line%s with one or more than two numbers skipped",
                      result.otherNumberLines, result.otherNumberLines == 1 ? "" : "s");
        return buffer;
    case ImportChange::Columns: {
        std::string text;
        for (const DroppedColumn& dropped : result.droppedColumns) {
            text += text.empty() ? "column " : ", column ";
            text += std::to_string(dropped.column + 1);
            switch (dropped.reason) {
            case DroppedColumn::Reason::RowNumbers: text += " (row numbers)"; break;
            case DroppedColumn::Reason::Constant: text += " (the same number on every line)"; break;
            case DroppedColumn::Reason::NoCoordinate: text += " (not a coordinate)"; break;
            }
        }
        return text + " left out";
    }
    case ImportChange::Percent: return "coordinates in percent of the chord divided by 100";
    case ImportChange::Duplicates:
        std::snprintf(buffer, sizeof buffer, "%zu repeated point%s dropped", result.duplicatesDropped,
                      result.duplicatesDropped == 1 ? "" : "s");
        return buffer;
    case ImportChange::SortedByX: return "points sorted by x rebuilt into upper and lower surfaces";
    case ImportChange::Clockwise: return "clockwise order reversed";
    case ImportChange::Normalised: {
        // Locale-free numbers: the angle in hundredths of a degree, the
        // chord to six significant digits.
        char angle[64];
        char chord[64];
        const auto a = std::to_chars(angle, angle + sizeof angle, result.turnedDegrees, std::chars_format::fixed, 2);
        const auto c = std::to_chars(chord, chord + sizeof chord, result.chordFound, std::chars_format::general, 6);
        return "moved, turned by " + std::string(angle, a.ptr) + " degrees and scaled from a chord of " +
               std::string(chord, c.ptr) + " to 1, so the leading edge lies at (0, 0) and the trailing edge at (1, 0)";
    }
    }
    return {};
}

std::string importChangesMessage(const ImportResult& result) {
    if (result.changes.empty()) return {};
    std::string text = "Imported with these changes: ";
    for (std::size_t i = 0; i < result.changes.size(); ++i) {
        if (i > 0) text += "; ";
        text += importChangeText(result, result.changes[i]);
    }
    text += '.';
    return text;
}


// Open against Import, for ImportReader.h.
namespace {

// Open's reading of a file counts as whole when its outline's area lies
// within this share of Import's.
constexpr double kOpenAreaTolerance = 0.01;

double areaOf(const std::vector<CoordinatePair>& points) { return std::fabs(geom::signedArea(points)); }

} // namespace

std::string openReadHint(const CoordinateFileContents& contents, const ImportResult& imported,
                         std::string_view importWay) {
    if (contents.status != ReadStatus::Loaded) return {};
    std::string said;
    char buffer[400];
    if (contents.accepted.size() * 2 < contents.pairLines) {
        std::snprintf(buffer, sizeof buffer,
                      "Only %zu of the file's %zu coordinate lines were read: the others\n"
                      "have x above 1, as in files given in percent of the chord.\n",
                      contents.accepted.size(), contents.pairLines);
        said += buffer;
    }
    std::vector<double> values;
    std::vector<float> singles;
    bool comma = false;
    if (const std::string name = trim(contents.name);
        !name.empty() && numberFields(name, values, singles, comma) && values.size() >= 2)
        said += "The file has no name line: its first coordinate line was taken as the name.\n";
    if (said.empty() && imported.status == ImportStatus::Imported) {
        // The outline Open drew against the one Import finds in the same file.
        const double opened = areaOf(contents.drawingOrder);
        const double whole = areaOf(imported.contents.drawingOrder);
        if (std::isfinite(opened) && whole > 0.0 && std::fabs(opened - whole) > kOpenAreaTolerance * whole) {
            const double percent = opened / whole * 100.0;
            char share[64];
            const auto end = std::to_chars(share, share + sizeof share, percent, std::chars_format::fixed,
                                           percent < 10.0 ? 1 : 0);
            said += "The points read outline " + std::string(share, end.ptr) +
                    " % of the airfoil's area: part of the file\nwas left out or read in another order.\n";
        }
    }
    if (said.empty()) return {};
    return said + std::string(importWay) + " reads such files.";
}

// Reading a file, for ImportReader.h.
ImportResult readImportFile(const std::string& path) {
    const FileBytes file = readFileBytes(path, kMaxImportFileSize);
    if (file.status == FileBytesStatus::Read) return parseImportFile(file.bytes, path);
    ImportResult refused;
    const bool tooLarge = file.status == FileBytesStatus::TooLarge;
    refused.status = tooLarge ? ImportStatus::TooLarge : ImportStatus::OpenFailed;
    refused.contents.status = tooLarge ? ReadStatus::TooLarge : ReadStatus::OpenFailed;
    return refused;
}

std::optional<CoordinateFileContents> readAirfoilSection(const std::string& path, std::string& error) {
    ImportResult imported = readImportFile(path);
    if (imported.status == ImportStatus::Imported) return std::move(imported.contents);
    CoordinateFileContents opened = readCoordinateFile(path);
    if (opened.status == ReadStatus::Loaded) return opened;
    // Import's reason is the telling one: it reads everything Open reads.
    std::string message = importStatusMessage(imported.status);
    if (const std::size_t cut = message.find("\nNothing was"); cut != std::string::npos) message.resize(cut);
    error = message;
    return std::nullopt;
}

} // namespace parvelin
