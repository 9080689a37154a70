// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace parvelin {
namespace {

// A "C" locale of our own, so that conversions ignore whatever locale the
// process (or Qt, from the environment) has set.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The page formats are built from whatever precision is stored; keep the
// text within what a property box can show.
int usablePrecision(int precision) { return std::clamp(precision, 0, 40); }

} // namespace

std::string pageNumberFormat(int precision) {
    return "%4." + std::to_string(precision) + "f";
}

std::string formatPageNumber(float value, int precision) {
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, usablePrecision(precision));
    std::string text(buffer, result.ptr);
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text;
}

double parseDouble(const char* text, std::size_t* used) {
    char* end = nullptr;
    const double value = strtod_l(text, &end, cLocale());
    if (used) *used = static_cast<std::size_t>(end - text);
    return value;
}

BoxText readBoxNumber(std::string_view text, float& value) {
    double converted = 0.0;
    const BoxText kind = readBoxNumber(text, converted);
    if (kind == BoxText::Number) value = static_cast<float>(converted);
    return kind;
}

BoxText readBoxNumber(std::string_view text, double& value) {
    std::string limited(text.substr(0, 80));
    std::size_t first = 0;
    while (first < limited.size() && isCSpace(limited[first])) ++first;
    std::size_t last = limited.size();
    while (last > first && isCSpace(limited[last - 1])) --last;
    if (first == last) return BoxText::Empty;
    std::string number = limited.substr(first, last - first);
    for (char& c : number)
        if (c == ',') c = '.';
    std::size_t used = 0;
    const double converted = parseDouble(number.c_str(), &used);
    if (used != number.size()) return BoxText::NotANumber;
    value = converted;
    return BoxText::Number;
}

const char* scanFloat(const char* text, float& value, bool& atEnd) {
    atEnd = false;
    while (isCSpace(*text)) ++text;
    if (*text == '\0') {
        atEnd = true;
        return nullptr;
    }
    char* end = nullptr;
    const float converted = strtof_l(text, &end, cLocale());
    if (end == text) return nullptr;
    value = converted;
    return end;
}

std::string formatFixed6(double value) {
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

} // namespace parvelin
