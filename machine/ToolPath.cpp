// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/ToolPath.h"

#include <charconv>
#include <cmath>

namespace parvelin::machine {

double gcodeRounded(double value) {
    // -0.0004 becomes 0, not -0.
    const double rounded = std::round(value * 1000.0) / 1000.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

std::string gcodeNumber(double value) {
    const double rounded = gcodeRounded(value);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

} // namespace parvelin::machine
