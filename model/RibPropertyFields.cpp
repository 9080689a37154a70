// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RibPropertyFields.h"

#include <cerrno>
#include <charconv>
#include <initializer_list>

#include "text/NumberText.h"

namespace parvelin {
namespace {

// Joins the pieces of a message. Built by appending to a reserved string
// rather than by a chain of operator+ from a literal, for which GCC 12 at -O3
// reports a false -Wrestrict.
std::string joined(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (std::string_view piece : pieces) size += piece.size();
    std::string text;
    text.reserve(size);
    for (std::string_view piece : pieces) text.append(piece);
    return text;
}

} // namespace

#define PARVELIN_INT(f) RibPropertyField{#f, true, &RibProperties::f, nullptr}
#define PARVELIN_FLOAT(f) RibPropertyField{#f, false, nullptr, &RibProperties::f}

const std::vector<RibPropertyField>& ribPropertyFields() {
    static const std::vector<RibPropertyField> fields{
        PARVELIN_INT(leadingEdgeStyle),    PARVELIN_FLOAT(leadingEdgeHeight),  PARVELIN_FLOAT(leadingEdgeDepth),
        PARVELIN_INT(sparStyle),           PARVELIN_FLOAT(sparWidth),          PARVELIN_FLOAT(sparHeight),
        PARVELIN_FLOAT(sparDistance),      PARVELIN_INT(sparDistanceInPercent), PARVELIN_INT(trailingEdgeStyle),
        PARVELIN_FLOAT(trailingEdgeHeight), PARVELIN_FLOAT(trailingEdgeWidth), PARVELIN_FLOAT(trailingEdgeThickness),
        PARVELIN_INT(sheetingStyle),       PARVELIN_FLOAT(sheetingThickness),  PARVELIN_FLOAT(height),
        PARVELIN_FLOAT(chord),             PARVELIN_INT(heightInPercent),      PARVELIN_INT(metric),
        PARVELIN_FLOAT(washout),           PARVELIN_INT(precision),            PARVELIN_INT(orientation),
        PARVELIN_INT(holeStyle),           PARVELIN_FLOAT(holeMargin),         PARVELIN_FLOAT(holeWeb),
        PARVELIN_FLOAT(holeCornerRadius),  PARVELIN_FLOAT(holeMinimum),        PARVELIN_FLOAT(materialThickness),
        PARVELIN_FLOAT(materialDensity),
    };
    return fields;
}

#undef PARVELIN_INT
#undef PARVELIN_FLOAT

namespace {

template <typename Style> std::vector<StyleChoice> choicesOf() {
    std::vector<StyleChoice> choices;
    for (const auto& row : styleTable(Style{})) choices.push_back({styleCode(row.style), row.label});
    return choices;
}

} // namespace

std::vector<StyleChoice> styleChoices(std::string_view name) {
    if (name == "leadingEdgeStyle") return choicesOf<LeadingEdgeStyle>();
    if (name == "sparStyle") return choicesOf<SparStyle>();
    if (name == "trailingEdgeStyle") return choicesOf<TrailingEdgeStyle>();
    if (name == "sheetingStyle") return choicesOf<SheetingStyle>();
    if (name == "holeStyle") return choicesOf<HoleStyle>();
    return {};
}

bool setRibPropertyField(RibProperties& properties, std::string_view name, std::string_view value,
                         std::string& error) {
    for (const RibPropertyField& field : ribPropertyFields()) {
        if (name != field.name) continue;
        if (field.isInteger) {
            std::int32_t number = 0;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (value.empty() || ec != std::errc() || end != value.data() + value.size()) {
                error = joined({"'", value, "' is not a whole number for ", field.name});
                return false;
            }
            // The unit is a switch: millimetres (1) or inches (0). Printing and
            // the components read other values differently, so none is allowed.
            if (field.integer == &RibProperties::metric && number != 0 && number != 1) {
                error = "metric is 1 (millimetres) or 0 (inches)";
                return false;
            }
            properties.*field.integer = number;
        } else {
            const std::string text(value);
            std::size_t used = 0;
            const double number = parseDouble(text.c_str(), &used);
            if (text.empty() || used != text.size()) {
                error = joined({"'", text, "' is not a number for ", field.name});
                return false;
            }
            properties.*field.real = static_cast<float>(number);
        }
        return true;
    }
    error = joined({"unknown field '", name, "'"});
    return false;
}

} // namespace parvelin
