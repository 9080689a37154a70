// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What makes a set of rib properties buildable: every length a finite number
// that is not negative, the chord and the sizes that build a chosen shape
// greater than zero, and every style code and switch within its table. The
// property pages, the command-line tool and the rib-design reader all refuse
// a record that breaks one of these rules.
#include <string>
#include <vector>

#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"

namespace parvelin {

enum class PropertyFault {
    NotFinite,    // a length that is infinite or not a number
    Negative,     // a length below zero
    NotPositive,  // zero (or less) where the chosen shape needs a size
    OutOfTable,   // a style code or switch that is not in its table
    BehindTrailingEdge,  // a spar whose rear face lies behind the trailing edge
};

struct PropertyProblem {
    const char* field;  // the field's name, as ribPropertyFields() spells it
    PropertyFault fault;
    // "sparWidth must be greater than 0 when a spar style is chosen"
    std::string message() const;
    // The same rule said about a box the user typed into ("Spar Size").
    std::string messageFor(const std::string& boxLabel) const;
};

// Every rule the record breaks, in the record's field order; empty when it
// can be built.
std::vector<PropertyProblem> checkRibProperties(const RibProperties& properties);

// The least chord a rib is cut at: 1 mm (or its inch equivalent). Below it
// every point of a cut file lands on the same spot of the cutter's grid.
inline constexpr double kLeastCutChordMm = 1.0;

// The narrowest notch or seat the rib's components cut into it (spar width,
// the leading-edge seat), in the chord's unit; 0 when none is built.
double narrowestNotch(const RibProperties& properties);

// Why no rib can be cut from these values with a cutter of `kerf` (in the
// chord's unit), naming the value; empty when it can. Refused: a chord under
// 1 mm, a kerf that is negative or not a finite number, a kerf of half the
// narrowest notch or more (the grown outline would all but close it), and a
// kerf of a twentieth of the chord or more (it would change the rib's shape,
// not allow for a cut).
std::string cutValueProblem(const RibProperties& properties, double kerf);

inline constexpr const char* kMessageTooFewAirfoilPoints = "The file holds too few points for an airfoil";

// Whether an airfoil's points outline no rib at all: fewer than three
// points apart, or all of them on one line.
bool tooFewAirfoilPoints(AirfoilPoints points);

} // namespace parvelin
