// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PropertyChecks.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/NumberText.h"

#include "model/RibPropertyFields.h"
#include "model/Styles.h"
#include "geom/Units.h"

namespace parvelin {
namespace {

// A spar's rear face counts as on the trailing edge within this share of the
// chord (float lengths divided by the chord do not add up to 1 exactly).
constexpr double kSparTailTolerance = 1e-6;

// When a size builds part of the chosen shape: the style that chooses it.
struct SizeRule {
    float RibProperties::*size;
    bool (*needed)(const RibProperties&);
    const char* when;  // completes "must be greater than 0 when ..."
};

const SizeRule kSizeRules[] = {
    // The depth sizes every leading-edge stock; the height only the LE Stock
    // cut and the rectangle, the two styles whose page box is open for it.
    {&RibProperties::leadingEdgeDepth, [](const RibProperties& p) { return p.leadingEdgeStyle != 0; },
     "a leading-edge style is chosen"},
    {&RibProperties::leadingEdgeHeight,
     [](const RibProperties& p) { return p.leadingEdgeStyle == 3 || p.leadingEdgeStyle == 4; },
     "leading-edge style LE Stock or Rectangular is chosen"},
    {&RibProperties::sparWidth, [](const RibProperties& p) { return p.sparStyle != 0; }, "a spar style is chosen"},
    {&RibProperties::sparHeight, [](const RibProperties& p) { return p.sparStyle != 0; }, "a spar style is chosen"},
    {&RibProperties::trailingEdgeWidth, [](const RibProperties& p) { return p.trailingEdgeStyle != 0; },
     "a trailing-edge style is chosen"},
    {&RibProperties::trailingEdgeHeight, [](const RibProperties& p) { return p.trailingEdgeStyle != 0; },
     "a trailing-edge style is chosen"},
    {&RibProperties::sheetingThickness, [](const RibProperties& p) { return p.sheetingStyle != 0; },
     "a sheeting style is chosen"},
    // A web of nothing would let two holes run into one, and the weight is
    // the sheet's volume times its density: these are never 0.
    {&RibProperties::holeWeb, [](const RibProperties&) { return true; }, nullptr},
    {&RibProperties::materialThickness, [](const RibProperties&) { return true; }, nullptr},
    {&RibProperties::materialDensity, [](const RibProperties&) { return true; }, nullptr},
};

// The codes each integer field may hold (both ends included).
struct CodeRange {
    std::int32_t RibProperties::*code;
    std::int32_t lowest;
    std::int32_t highest;
};

// The codes of a style field: those its traits table lists, which run
// from 0 without a gap.
template <typename Style> constexpr bool codesRunFromZero() {
    std::int32_t code = 0;
    for (const auto& row : styleTable(Style{}))
        if (static_cast<std::int32_t>(row.style) != code++) return false;
    return true;
}
static_assert(codesRunFromZero<LeadingEdgeStyle>() && codesRunFromZero<SparStyle>() &&
              codesRunFromZero<TrailingEdgeStyle>() && codesRunFromZero<SheetingStyle>() &&
              codesRunFromZero<HoleStyle>());

template <typename Style> constexpr std::int32_t highestCode() {
    return static_cast<std::int32_t>(styleTable(Style{}).size()) - 1;
}

const CodeRange kCodeRanges[] = {
    {&RibProperties::leadingEdgeStyle, 0, highestCode<LeadingEdgeStyle>()},
    {&RibProperties::sparStyle, 0, highestCode<SparStyle>()},
    {&RibProperties::trailingEdgeStyle, 0, highestCode<TrailingEdgeStyle>()},
    {&RibProperties::sheetingStyle, 0, highestCode<SheetingStyle>()},
    {&RibProperties::holeStyle, 0, highestCode<HoleStyle>()},
    // Choices of two, and the decimals the pages show.
    {&RibProperties::sparDistanceInPercent, 0, 1},
    {&RibProperties::heightInPercent, 0, 1},
    {&RibProperties::metric, 0, 1},
    {&RibProperties::precision, 0, 4},
};

const SizeRule* sizeRuleFor(const char* field) {
    for (const RibPropertyField& f : ribPropertyFields())
        if (std::string_view(f.name) == field && !f.isInteger)
            for (const SizeRule& rule : kSizeRules)
                if (rule.size == f.real) return &rule;
    return nullptr;
}

const CodeRange* codeRangeFor(const char* field) {
    for (const RibPropertyField& f : ribPropertyFields())
        if (std::string_view(f.name) == field && f.isInteger)
            for (const CodeRange& range : kCodeRanges)
                if (range.code == f.integer) return &range;
    return nullptr;
}

std::string rule(const PropertyProblem& problem) {
    switch (problem.fault) {
    case PropertyFault::NotFinite: return "must be a finite number";
    case PropertyFault::Negative: return "must not be negative";
    case PropertyFault::NotPositive: {
        if (std::string_view(problem.field) == "chord") return "must be greater than 0";
        const SizeRule* size = sizeRuleFor(problem.field);
        if (size != nullptr && size->when == nullptr) return "must be greater than 0";
        return std::string("must be greater than 0 when ") + (size ? size->when : "its component is chosen");
    }
    case PropertyFault::BehindTrailingEdge:
        return "places the spar behind the trailing edge (its rear face must lie within the chord)";
    case PropertyFault::OutOfTable: {
        const CodeRange* range = codeRangeFor(problem.field);
        if (range == nullptr) return "is out of range";
        return "must be a whole number from " + std::to_string(range->lowest) + " to " +
               std::to_string(range->highest);
    }
    }
    return "is out of range";
}

} // namespace

std::string PropertyProblem::message() const { return std::string(field) + " " + rule(*this); }

std::string PropertyProblem::messageFor(const std::string& boxLabel) const {
    return "\"" + boxLabel + "\" " + rule(*this) + ".";
}

std::vector<PropertyProblem> checkRibProperties(const RibProperties& p) {
    std::vector<PropertyProblem> problems;
    for (const RibPropertyField& field : ribPropertyFields()) {
        if (field.isInteger) {
            for (const CodeRange& range : kCodeRanges) {
                if (range.code != field.integer) continue;
                const std::int32_t code = p.*field.integer;
                if (code < range.lowest || code > range.highest)
                    problems.push_back({field.name, PropertyFault::OutOfTable});
            }
            continue;
        }
        const float value = p.*field.real;
        if (!std::isfinite(value)) {
            problems.push_back({field.name, PropertyFault::NotFinite});
        } else if (value < 0.0f) {
            problems.push_back({field.name, PropertyFault::Negative});
        } else if (value == 0.0f) {
            // Every coordinate is multiplied by the chord.
            bool needed = field.real == &RibProperties::chord;
            for (const SizeRule& rule : kSizeRules)
                if (rule.size == field.real && rule.needed(p)) needed = true;
            if (needed) problems.push_back({field.name, PropertyFault::NotPositive});
        }
    }
    // A spar is placed along the chord; one whose rear face passes the
    // trailing edge has no rib to stand in (and would be left out unseen).
    if (problems.empty() && p.sparStyle != 0) {
        const double distance = p.sparDistanceInPercent == 1 ? p.sparDistance / 100.0 : p.sparDistance / p.chord;
        if (distance + p.sparWidth / p.chord > 1.0 + kSparTailTolerance) problems.push_back({"sparDistance", PropertyFault::BehindTrailingEdge});
    }
    return problems;
}

bool tooFewAirfoilPoints(AirfoilPoints points) {
    // Twice the largest triangle any three points make with the first two
    // points apart: zero when every point lies on one line.
    std::size_t second = 1;
    while (second < points.size() && points[second].modelX == points[0].modelX &&
           points[second].modelY == points[0].modelY)
        ++second;
    if (second >= points.size()) return true;
    const double ax = points[0].modelX, ay = points[0].modelY;
    const double bx = points[second].modelX - ax, by = points[second].modelY - ay;
    for (std::size_t i = second + 1; i < points.size(); ++i) {
        const double cross = bx * (points[i].modelY - ay) - by * (points[i].modelX - ax);
        if (std::isfinite(cross) && cross != 0.0) return false;
    }
    return true;
}

} // namespace parvelin

namespace parvelin {
namespace {

// A length as the messages show it: up to three decimals, no trailing zeros.
std::string lengthText(double value, const RibProperties& p) {
    std::string text = formatFixed6(value);
    text.resize(text.size() - 3);
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text + geom::unitSuffix(inMillimetres(p));
}

} // namespace

double narrowestNotch(const RibProperties& p) {
    double narrowest = std::numeric_limits<double>::infinity();
    if (p.spar() != SparStyle::None) narrowest = std::min(narrowest, static_cast<double>(p.sparWidth));
    // The seat of the dowel is its diameter wide, the square strip's its side,
    // the rectangle's its height.
    switch (p.leadingEdge()) {
    case LeadingEdgeStyle::Round: narrowest = std::min(narrowest, 2.0 * p.leadingEdgeDepth); break;
    case LeadingEdgeStyle::Square: narrowest = std::min(narrowest, static_cast<double>(p.leadingEdgeDepth)); break;
    case LeadingEdgeStyle::Rectangular: narrowest = std::min(narrowest, static_cast<double>(p.leadingEdgeHeight)); break;
    default: break;
    }
    return std::isfinite(narrowest) ? narrowest : 0.0;
}

std::string cutValueProblem(const RibProperties& p, double kerf) {
    const double unit = geom::millimetresPer(inMillimetres(p));
    const double leastChord = kLeastCutChordMm / unit;
    if (!(static_cast<double>(p.chord) * unit >= kLeastCutChordMm))
        return "chord must be at least " + lengthText(leastChord, p) + " to cut a rib";
    if (!std::isfinite(kerf) || kerf < 0.0) return "kerf must be a length of 0 or more";
    const double notch = narrowestNotch(p);
    if (notch > 0.0 && kerf >= notch / 2.0)
        return "kerf " + lengthText(kerf, p) + " must be less than half the narrowest notch (" +
               lengthText(notch, p) + ")";
    if (kerf >= p.chord / 20.0)
        return "kerf " + lengthText(kerf, p) + " must be less than a twentieth of the chord (" +
               lengthText(p.chord / 20.0, p) + ")";
    return {};
}

} // namespace parvelin
