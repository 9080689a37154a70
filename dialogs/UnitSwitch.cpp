// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/UnitSwitch.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace parvelin::dialogs {

namespace {

// The significant digits of the shortest text that reads back as `value`.
int digitsOf(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    int digits = 0;
    for (const char* c = text; c != written.ptr && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9') ++digits;
    return digits;
}

} // namespace

double unitFactor(bool fromMillimetres, bool toMillimetres) {
    if (fromMillimetres == toMillimetres) return 1.0;
    return toMillimetres ? kMillimetresPerInch : 1.0 / kMillimetresPerInch;
}

float scaled(float value, double factor) {
    const double product = static_cast<double>(value) * factor;
    // Narrowing a double outside the float range is undefined: say infinite.
    constexpr float infinite = std::numeric_limits<float>::infinity();
    if (std::abs(product) > static_cast<double>(std::numeric_limits<float>::max()))
        return product > 0.0 ? infinite : -infinite;
    return static_cast<float>(product);
}

float convertedLength(float value, double factor) {
    const float product = scaled(value, factor);
    if (!std::isfinite(product) || !std::isfinite(value) || factor == 0.0) return product;
    // The product and its neighbours, nearest first; the product is off the
    // exact value by half a step at most, its return by as much again.
    float candidates[5] = {product};
    float below = product;
    float above = product;
    constexpr float infinite = std::numeric_limits<float>::infinity();
    for (int step = 1; step <= 2; ++step) {
        above = std::nextafter(above, infinite);
        below = std::nextafter(below, -infinite);
        candidates[2 * step - 1] = above;
        candidates[2 * step] = below;
    }
    float best = product;
    int bestDigits = std::numeric_limits<int>::max();
    for (const float candidate : candidates) {
        if (scaled(candidate, 1.0 / factor) != value) continue;
        const int digits = digitsOf(candidate);
        if (digits < bestDigits) {
            best = candidate;
            bestDigits = digits;
        }
    }
    return best;
}

void switchUnit(RibProperties& p, bool toMillimetres) {
    if (inMillimetres(p) == toMillimetres) return;
    const double factor = unitFactor(inMillimetres(p), toMillimetres);
    float* const lengths[] = {
        &p.chord,
        &p.leadingEdgeHeight,
        &p.leadingEdgeDepth,
        &p.sparWidth,
        &p.sparHeight,
        p.sparDistanceInPercent == 1 ? nullptr : &p.sparDistance,
        &p.trailingEdgeHeight,
        &p.trailingEdgeWidth,
        &p.trailingEdgeThickness,
        &p.sheetingThickness,
        p.heightInPercent == 1 ? nullptr : &p.height,
        &p.holeMargin,
        &p.holeWeb,
        &p.holeCornerRadius,
        &p.holeMinimum,
        &p.materialThickness,
    };
    for (float* length : lengths)
        if (length != nullptr) *length = convertedLength(*length, factor);
    p.metric = toMillimetres ? 1 : 0;
}

} // namespace parvelin::dialogs
