// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number text that never depends on the process locale: the property pages'
// length format, their text-to-number conversion, and the float scan of
// coordinate files.
#include <string>
#include <string_view>

namespace parvelin {

// The page format for a precision: "%4." + precision + "f" (e.g. "%4.3f").
std::string pageNumberFormat(int precision);

// A length as the property pages show it: at least four characters, right
// aligned, with `precision` decimals, rounded as printf rounds.
std::string formatPageNumber(float value, int precision);

// What a property box holds, read strictly: blanks around a number are
// allowed, a decimal comma counts as a point, anything else makes the text
// no number. Empty (or blank) text is Empty and leaves `value` unchanged.
enum class BoxText { Empty, Number, NotANumber };
BoxText readBoxNumber(std::string_view text, float& value);
// The same reading, kept in double precision.
BoxText readBoxNumber(std::string_view text, double& value);

// Text to double, as the C library converts in the "C" locale. `end` receives
// the number of characters used (0 when there was no number).
double parseDouble(const char* text, std::size_t* used = nullptr);

// Scans one float as the "%f" conversion does, from NUL-terminated text.
// Skips white space first. Returns the position after the number, or null
// when no number could be converted; sets `atEnd` when the text ended while
// skipping white space (the scan's end-of-input result).
const char* scanFloat(const char* text, float& value, bool& atEnd);

// "%f": fixed notation, six decimals, "." as decimal point.
std::string formatFixed6(double value);

} // namespace parvelin
