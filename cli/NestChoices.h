// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The nesting options shared by `wing` and `cut` of a wing design: the gap
// between parts, the sheet's margin, the grain, mirrored parts and the
// search's budget and seed, and lines cut once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "wing/Nesting.h"

namespace parvelin::cli {

struct NestChoices {
    std::optional<double> gap;     // in the ribs' unit; 2 mm by default
    std::optional<double> margin;  // the same
    wing::Grain grain = wing::Grain::Chord;
    bool mirror = false;
    double seconds = 2.0;
    std::uint32_t seed = 1;
    bool commonLine = false;
    bool nestInHoles = false;
};

// The options' lines for --help.
extern const char* const kNestOptionsHelp;

// True when `arg` is one of the nesting options; `needsValue` then says
// whether it takes the next argument as its value.
bool isNestOption(std::string_view arg, bool& needsValue);
// Reads option `arg` with `value` (null for an option without one) into
// `choices`; false with `error` set when the value is not one it takes.
bool readNestChoice(std::string_view arg, const char* value, NestChoices& choices, std::string& error);

// The options the nesting runs with: the choices made, the defaults in the
// ribs' unit for the rest.
wing::NestOptions nestOptionsFor(const NestChoices& choices, double kerf, bool metric);

// The yield of a nesting as the tool prints it: a line per sheet, then the
// set's line and the least number of sheets.
// With --common-line, a last line gives the length of the lines cut once.
std::string yieldLines(const wing::Nesting& nesting, bool metric);

} // namespace parvelin::cli
