// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/RibDesignFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>

#include "document/AirfoilDocument.h"
#include "document/DesignJson.h"
#include "text/NumberText.h"
#include "model/PropertyChecks.h"
#include "model/RibPropertyFields.h"
#include "text/FileBytes.h"

namespace parvelin {
namespace {

using nlohmann::json;

// The shortest text that reads back to the same float; the few floats whose
// shortest text would round differently once read as a double get the
// double's text instead. A point or an exponent is always there, so that a
// reader takes the number as a float ("-0.0" keeps its sign).
std::string floatText(float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    const float back = static_cast<float>(parseDouble(text.c_str()));
    if (std::memcmp(&back, &value, sizeof value) != 0) {
        result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value));
        text.assign(buffer, result.ptr);
    }
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

// JSON string text (quotes and escapes) of UTF-8 text; false when the text
// is not UTF-8.
bool jsonString(const std::string& text, std::string& out) {
    try {
        out = json(text).dump();
        return true;
    } catch (const json::exception&) {
        return false;
    }
}

std::string latin1ToUtf8(const std::string& bytes) {
    std::string out;
    for (const unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool utf8ToLatin1(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size() &&
                   (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            out += static_cast<char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

RibDesignRead refused(std::string why) {
    RibDesignRead result;
    result.error = std::move(why);
    return result;
}

RibDesignRead tooLarge() {
    return refused("the file is larger than " + std::to_string(kMaxRibDesignFileSize / (1024 * 1024)) +
                   " MB; no rib design is that large");
}

// A JSON number as a float, refusing what a float cannot hold: anything
// that would not round to a finite float (from half a step above the
// largest float on, it would round to infinity).
bool toInt32(const json& value, std::int32_t& out) {
    if (value.is_number_unsigned()) {
        const auto v = value.get<std::uint64_t>();
        if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return false;
        out = static_cast<std::int32_t>(v);
        return true;
    }
    if (value.is_number_integer()) {
        const auto v = value.get<std::int64_t>();
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
            return false;
        out = static_cast<std::int32_t>(v);
        return true;
    }
    return false;
}

// "1.0" into 1 and 0.
bool parseVersion(const std::string& text, int& major, int& minor) {
    const auto dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == text.size() || text.size() > 12) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != dot && !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    return std::from_chars(begin, begin + dot, major).ec == std::errc() &&
           std::from_chars(begin + dot + 1, end, minor).ec == std::errc();
}

// "the JSON text ends too early at line 3, column 1" from the parser's own
// words, without its "[json.exception.parse_error.101]" tag.
std::string parseProblem(const json::exception& e) {
    std::string what = e.what();
    if (const auto tag = what.find("] "); tag != std::string::npos) what.erase(0, tag + 2);
    return "the file is not JSON text (" + what + ")";
}

// The holes and the sheet: fields later versions added. A design whose
// values of them are all the defaults of its unit leaves them out, so that
// it saves as a version without them did, and reads them back as defaults.
bool isHoleField(const RibPropertyField& field) {
    if (field.isInteger) return field.integer == &RibProperties::holeStyle;
    if (field.real == &RibProperties::materialDensity) return true;
    for (const HoleLengthDefault& d : kHoleLengthDefaults)
        if (d.field == field.real) return true;
    return false;
}

bool holeFieldsAreDefaults(const RibProperties& p) {
    RibProperties defaults = p;
    setHoleDefaultsForUnit(defaults);
    return std::memcmp(&defaults, &p, sizeof p) == 0;
}

// Why a design cannot be written as one that reads back; empty when it can.
std::string unwritable(const RibDesign& design) {
    if (design.points.size() < 2 || design.points.size() > kMaxRibDesignPoints)
        return "the airfoil has " + std::to_string(design.points.size()) + " points; a rib design holds 2 to " +
               std::to_string(kMaxRibDesignPoints);
    for (std::size_t i = 0; i < design.points.size(); ++i)
        if (!std::isfinite(design.points[i].modelX) || !std::isfinite(design.points[i].modelY))
            return "point " + std::to_string(i + 1) + " of the airfoil is not a finite number";
    for (const RibPropertyField& field : ribPropertyFields())
        if (!field.isInteger && !std::isfinite(design.properties.*field.real))
            return std::string(field.name) + " is not a finite number";
    return {};
}

// The "airfoil" object: the name and the points.
std::string airfoilText(const RibDesign& design) {
    std::string name;
    bool latin1 = false;
    if (!jsonString(design.name, name)) {
        // Older coordinate files write single-byte Latin-1 names; each byte
        // becomes one character and comes back as the same byte.
        jsonString(latin1ToUtf8(design.name), name);
        latin1 = true;
    }
    std::string text = "  \"airfoil\": {\n";
    text += "    \"name\": " + name + ",\n";
    if (latin1) text += "    \"nameEncoding\": \"latin1\",\n";
    text += "    \"points\": [\n";
    for (std::size_t i = 0; i < design.points.size(); ++i) {
        text += "      [" + floatText(design.points[i].modelX) + ", " + floatText(design.points[i].modelY) + "]";
        text += i + 1 < design.points.size() ? ",\n" : "\n";
    }
    text += "    ]\n";
    text += "  },\n";
    return text;
}

// The "rib" object: every property field, the hole fields only when they
// are not all their unit's defaults.
std::string ribText(const RibProperties& properties) {
    const bool leaveOutHoles = holeFieldsAreDefaults(properties);
    std::vector<RibPropertyField> fields;
    for (const RibPropertyField& field : ribPropertyFields())
        if (!leaveOutHoles || !isHoleField(field)) fields.push_back(field);
    std::string text = "  \"rib\": {\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const RibPropertyField& field = fields[i];
        text += "    \"" + std::string(field.name) + "\": ";
        text += field.isInteger ? std::to_string(properties.*field.integer) : floatText(properties.*field.real);
        text += i + 1 < fields.size() ? ",\n" : "\n";
    }
    text += "  },\n";
    return text;
}

// The "view" object and, when the design holds one, the "wing" object
// indented to its place; `error` is set when the wing is no JSON object.
std::string viewAndWingText(const RibDesign& design, std::string& error) {
    std::string text = "  \"view\": {\n";
    text += std::string("    \"chordLine\": ") + (design.showChordLine ? "true" : "false") + ",\n";
    text += std::string("    \"edgeLines\": ") + (design.showEdgeLines ? "true" : "false") + ",\n";
    text += std::string("    \"camberLine\": ") + (design.showCamberLine ? "true" : "false") + "\n";
    if (design.wing.empty()) return text + "  }\n";
    json wing;
    try {
        wing = json::parse(design.wing);
    } catch (const json::exception&) {
    }
    if (!wing.is_object()) {
        error = "the wing is not a JSON object";
        return {};
    }
    std::string wingText = wing.dump(2);
    for (std::size_t at = wingText.find('\n'); at != std::string::npos; at = wingText.find('\n', at + 3))
        wingText.insert(at + 1, "  ");
    return text + "  },\n  \"wing\": " + wingText + "\n";
}

// Why the file's "format" and "version" are not ones this version reads;
// empty when they are.
std::string unreadableVersion(const json& root) {
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() || format->get<std::string>() != kRibDesignFormat)
        return std::string("the file is not a rib design (\"format\" is not \"") + kRibDesignFormat + "\")";
    const auto version = root.find("version");
    int major = 0;
    int minor = 0;
    if (version == root.end() || !version->is_string() || !parseVersion(version->get<std::string>(), major, minor))
        return "\"version\" is missing or is not a version such as \"1.0\"";
    if (major > kRibDesignMajorVersion)
        return "the file was saved by a newer version of Parvelin (format " + version->get<std::string>() +
               "); this version reads format " + std::to_string(kRibDesignMajorVersion) + ".x";
    if (major < kRibDesignMajorVersion) return "format version " + version->get<std::string>() + " is unknown";
    return {};
}

// The airfoil's name into `design`; the problem, or empty.
std::string readName(const json& airfoil, RibDesign& design) {
    const auto name = airfoil.find("name");
    if (name == airfoil.end() || !name->is_string()) return "airfoil \"name\" is missing or is not text";
    design.name = name->get<std::string>();
    if (const auto encoding = airfoil.find("nameEncoding"); encoding != airfoil.end()) {
        if (!encoding->is_string() || encoding->get<std::string>() != "latin1")
            return "airfoil \"nameEncoding\" is not \"latin1\"";
        std::string bytesOfName;
        if (!utf8ToLatin1(design.name, bytesOfName)) return "airfoil \"name\" holds a character that is not Latin-1";
        design.name = std::move(bytesOfName);
    }
    if (design.name.size() > kMaxNameLength)
        return "airfoil \"name\" is longer than " + std::to_string(kMaxNameLength) + " bytes";
    if (design.name.find('\0') != std::string::npos) return "airfoil \"name\" holds a NUL character";
    return {};
}

// The airfoil's points into `design`; the problem, or empty.
std::string readPoints(const json& airfoil, RibDesign& design) {
    const auto points = airfoil.find("points");
    if (points == airfoil.end() || !points->is_array()) return "airfoil \"points\" is missing or is not a list";
    if (points->size() < 2)
        return "the airfoil has " + std::to_string(points->size()) + (points->size() == 1 ? " point" : " points") +
               "; it needs at least 2";
    if (points->size() > kMaxRibDesignPoints)
        return "the airfoil has " + std::to_string(points->size()) + " points; a rib design holds at most " +
               std::to_string(kMaxRibDesignPoints);
    if (const std::size_t bad = readJsonPoints(*points, design.points); bad != 0)
        return "airfoil point " + std::to_string(bad) + " is not a pair of finite numbers";
    return {};
}

// The "rib" object's fields into `properties`; the problem, or empty.
std::string readRib(const json& rib, RibProperties& properties) {
    // The hole lengths a file leaves out take the defaults of its unit.
    std::vector<const RibPropertyField*> missingHoleFields;
    for (const RibPropertyField& field : ribPropertyFields()) {
        // A field the file does not have keeps its default.
        const auto value = rib.find(field.name);
        if (value == rib.end()) {
            if (isHoleField(field)) missingHoleFields.push_back(&field);
            continue;
        }
        const bool ok = field.isInteger ? toInt32(*value, properties.*field.integer)
                                        : jsonFloat(*value, properties.*field.real);
        if (!ok)
            return std::string("rib \"") + field.name + "\" is not " +
                   (field.isInteger ? "a whole number" : "a finite number");
    }
    if (!missingHoleFields.empty()) {
        RibProperties defaults = properties;
        setHoleDefaultsForUnit(defaults);
        for (const RibPropertyField* field : missingHoleFields) {
            if (field->isInteger) properties.*field->integer = defaults.*field->integer;
            else properties.*field->real = defaults.*field->real;
        }
    }
    if (const std::vector<PropertyProblem> problems = checkRibProperties(properties); !problems.empty())
        return "rib " + problems.front().message();
    return {};
}

// The "view" flags and the "wing" object, both optional; the problem, or empty.
std::string readViewAndWing(const json& root, RibDesign& design) {
    if (const auto view = root.find("view"); view != root.end()) {
        if (!view->is_object()) return "\"view\" is not an object";
        for (auto [key, flag] : {std::pair{"chordLine", &design.showChordLine},
                                 std::pair{"edgeLines", &design.showEdgeLines},
                                 std::pair{"camberLine", &design.showCamberLine}}) {
            const auto value = view->find(key);
            if (value == view->end()) continue;
            if (!value->is_boolean()) return std::string("view \"") + key + "\" is not true or false";
            *flag = value->get<bool>();
        }
    }
    if (const auto wing = root.find("wing"); wing != root.end()) {
        if (!wing->is_object()) return "\"wing\" is not an object";
        design.wing = wing->dump();
    }
    return {};
}

} // namespace

std::string ribDesignText(const RibDesign& design, std::string& error) {
    error = unwritable(design);
    if (!error.empty()) return {};
    const std::string viewAndWing = viewAndWingText(design, error);
    if (!error.empty()) return {};
    std::string text = "{\n";
    text += "  \"format\": \"" + std::string(kRibDesignFormat) + "\",\n";
    text += "  \"version\": \"" + std::to_string(kRibDesignMajorVersion) + "." +
            std::to_string(kRibDesignMinorVersion) + "\",\n";
    return text + airfoilText(design) + ribText(design.properties) + viewAndWing + "}\n";
}

RibDesignRead parseRibDesign(std::string_view bytes) {
    if (bytes.size() > kMaxRibDesignFileSize) return tooLarge();
    json root;
    try {
        root = json::parse(bytes.begin(), bytes.end());
    } catch (const json::exception& e) {
        // Broken syntax, and numbers too large for any number type.
        return refused(parseProblem(e));
    }
    if (!root.is_object()) return refused("the file holds no rib design (its JSON text is not an object)");
    if (std::string problem = unreadableVersion(root); !problem.empty()) return refused(std::move(problem));

    RibDesignRead result;
    RibDesign& design = result.design;
    const auto airfoil = root.find("airfoil");
    if (airfoil == root.end() || !airfoil->is_object()) return refused("\"airfoil\" is missing or is not an object");
    if (std::string problem = readName(*airfoil, design); !problem.empty()) return refused(std::move(problem));
    if (std::string problem = readPoints(*airfoil, design); !problem.empty()) return refused(std::move(problem));
    const auto rib = root.find("rib");
    if (rib == root.end() || !rib->is_object()) return refused("\"rib\" is missing or is not an object");
    if (std::string problem = readRib(*rib, design.properties); !problem.empty()) return refused(std::move(problem));
    if (std::string problem = readViewAndWing(root, design); !problem.empty()) return refused(std::move(problem));
    result.loaded = true;
    return result;
}

RibDesignRead readRibDesignFile(const std::string& path) {
    const FileBytes file = readFileBytes(path, kMaxRibDesignFileSize);
    switch (file.status) {
    case FileBytesStatus::Read: return parseRibDesign(file.bytes);
    case FileBytesStatus::NotOpened:
        return refused(std::string("the file could not be opened (") + std::strerror(file.error) + ")");
    case FileBytesStatus::NotAFile: return refused("the name is not that of a file");
    case FileBytesStatus::TooLarge: return tooLarge();
    case FileBytesStatus::ReadFailed:
        return refused(std::string("the file could not be read (") + std::strerror(file.error) + ")");
    }
    return refused("the file could not be read");
}

ReplaceResult writeRibDesignFile(const std::string& path, const RibDesign& design) {
    std::string error;
    const std::string text = ribDesignText(design, error);
    if (!error.empty()) return ReplaceResult{false, error};
    return replaceFile(path, text);
}

bool isRibDesignPath(std::string_view path) {
    const std::string_view extension = kRibDesignExtension;
    if (path.size() < extension.size()) return false;
    const std::string_view tail = path.substr(path.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

RibDesign designOf(const AirfoilDocument& document) {
    RibDesign design;
    design.name = document.getName().value_or(std::string());
    design.points.assign(document.points().begin(), document.points().end());
    design.properties = document.properties();
    design.showChordLine = document.showChordLine();
    design.showEdgeLines = document.showEdgeLines();
    design.showCamberLine = document.showCamberLine();
    return design;
}

void loadDesign(AirfoilDocument& document, const RibDesign& design) {
    // The points are already in drawing order: they are taken as they stand.
    CoordinateFileContents contents;
    contents.name = design.name;
    contents.accepted = design.points;
    contents.drawingOrder = design.points;
    document.takeContents(contents);
    document.setShowChordLine(design.showChordLine);
    document.setShowEdgeLines(design.showEdgeLines);
    document.setShowCamberLine(design.showCamberLine);
    document.applyProperties(design.properties);
}

} // namespace parvelin
