// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The length units a rib is designed in, decided in one place: a document's
// unit flag (1 millimetres, 0 inches) becomes a LengthUnit once, and every
// name, suffix and factor of a unit is read from its row here.

namespace parvelin::geom {

inline constexpr double kMillimetresPerInch = 25.4;

enum class LengthUnit { Inches = 0, Millimetres = 1 };

struct UnitTraits {
    LengthUnit unit;
    const char* name;        // as a caption says it: "mm", "inches"
    const char* suffix;      // after a number: " mm", " in"
    double millimetres;      // millimetres in one unit
};

inline constexpr UnitTraits kUnits[] = {
    {LengthUnit::Inches, "inches", " in", kMillimetresPerInch},
    {LengthUnit::Millimetres, "mm", " mm", 1.0},
};

// The unit of a document's flag: millimetres for any flag but 0.
constexpr LengthUnit unitOfFlag(int metric) { return metric != 0 ? LengthUnit::Millimetres : LengthUnit::Inches; }
constexpr LengthUnit unitOf(bool metric) { return metric ? LengthUnit::Millimetres : LengthUnit::Inches; }

constexpr const UnitTraits& unitTraits(LengthUnit unit) {
    for (const UnitTraits& row : kUnits)
        if (row.unit == unit) return row;
    return kUnits[0];
}

// Millimetres in one unit.
constexpr double millimetresPer(LengthUnit unit) { return unitTraits(unit).millimetres; }
constexpr double millimetresPer(bool metric) { return millimetresPer(unitOf(metric)); }
constexpr const char* unitSuffix(bool metric) { return unitTraits(unitOf(metric)).suffix; }

} // namespace parvelin::geom
