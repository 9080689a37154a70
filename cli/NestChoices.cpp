// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/NestChoices.h"

#include <cmath>

#include "text/NumberText.h"
#include "wing/CommonLine.h"
#include "wing/WingFiles.h"
#include "geom/Units.h"

namespace parvelin::cli {

const char* const kNestOptionsHelp =
    "  --gap L               between the cut paths of two parts (default 2 mm)\n"
    "  --margin L            between a cut path and the sheet's edge (default 2 mm)\n"
    "  --grain chord|any     chord: a rib's chord follows the sheet's length (turned\n"
    "                        0 or 180 degrees, the default); any: any quarter turn\n"
    "  --mirror              parts may be laid mirrored\n"
    "  --nest-seconds S      the search for a fuller layout (default 2; 0 lays the\n"
    "                        parts out largest first only)\n"
    "  --seed N              the search's start: the same seed, the same sheets\n"
    "  --common-line         parts may touch, and a straight line two parts share\n"
    "                        is cut once (no gap between parts: not with --gap)\n"
    "  --nest-in-holes       a part may lie in a lightening hole of a larger one\n";

namespace {

bool readLength(const char* value, double& length) {
    if (value == nullptr) return false;
    std::size_t used = 0;
    length = parseDouble(value, &used);
    return used > 0 && value[used] == '\0' && std::isfinite(length) && length >= 0.0;
}

} // namespace

bool isNestOption(std::string_view arg, bool& needsValue) {
    needsValue = arg != "--mirror" && arg != "--common-line" && arg != "--nest-in-holes";
    return arg == "--gap" || arg == "--margin" || arg == "--grain" || arg == "--mirror" || arg == "--nest-seconds" ||
           arg == "--seed" || arg == "--common-line" || arg == "--nest-in-holes";
}

bool readNestChoice(std::string_view arg, const char* value, NestChoices& choices, std::string& error) {
    double length = 0.0;
    if (arg == "--gap" || arg == "--margin") {
        if (!readLength(value, length)) {
            error = std::string(arg) + " needs a length of 0 or more";
            return false;
        }
        if (arg == "--gap" && choices.commonLine) {
            error = "--gap does not apply with --common-line (the parts touch)";
            return false;
        }
        (arg == "--gap" ? choices.gap : choices.margin) = length;
        return true;
    }
    if (arg == "--common-line") {
        if (choices.gap) {
            error = "--gap does not apply with --common-line (the parts touch)";
            return false;
        }
        choices.commonLine = true;
        return true;
    }
    if (arg == "--mirror") {
        choices.mirror = true;
        return true;
    }
    if (arg == "--nest-in-holes") {
        choices.nestInHoles = true;
        return true;
    }
    const std::string text = value == nullptr ? std::string() : std::string(value);
    if (arg == "--grain") {
        if (text != "chord" && text != "any") {
            error = "--grain needs chord or any";
            return false;
        }
        choices.grain = text == "any" ? wing::Grain::Any : wing::Grain::Chord;
        return true;
    }
    if (arg == "--nest-seconds") {
        if (!readLength(value, length) || length > 3600.0) {
            error = "--nest-seconds needs a number of seconds from 0 to 3600";
            return false;
        }
        choices.seconds = length;
        return true;
    }
    if (arg == "--seed") {
        if (!readLength(value, length) || length != std::floor(length) || length > 4294967295.0) {
            error = "--seed needs a whole number from 0 to 4294967295";
            return false;
        }
        choices.seed = static_cast<std::uint32_t>(length);
        return true;
    }
    error = "unknown option '" + std::string(arg) + "'";
    return false;
}

wing::NestOptions nestOptionsFor(const NestChoices& choices, double kerf, bool metric) {
    wing::NestOptions options = wing::nestOptions(kerf, metric);
    if (choices.gap) options.gap = *choices.gap;
    if (choices.margin) options.margin = *choices.margin;
    options.grain = choices.grain;
    options.mirror = choices.mirror;
    options.seconds = choices.seconds;
    options.seed = choices.seed;
    options.commonLine = choices.commonLine;
    options.nestInHoles = choices.nestInHoles;
    return options;
}

std::string yieldLines(const wing::Nesting& nesting, bool metric) {
    std::string lines;
    double shared = 0.0;
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        lines += wing::sheetYieldText(nesting, s) + "\n";
        if (!nesting.sheets[s].commonLine) continue;
        std::vector<wing::Polygon> paths;
        for (const wing::PlacedPart& part : nesting.sheets[s].parts) paths.push_back(part.outline);
        shared += wing::shareCommonLines(paths, wing::kCommonLineTolerance * (1.0 / geom::millimetresPer(metric))).sharedLength;
    }
    lines += wing::setYieldText(nesting) + "\n";
    if (!nesting.sheets.empty() && nesting.sheets.front().commonLine)
        lines += "Lines parts share, cut once: " + formatFixed6(shared).substr(0, formatFixed6(shared).size() - 4) +
                 geom::unitSuffix(metric) + "\n";
    return lines;
}

} // namespace parvelin::cli
